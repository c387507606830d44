#pragma once

#include <QPushButton>

namespace platform {

// A push button that reports the press and the release of any mouse button. The release goes
// to the button that took the press, wherever the pointer is by then (Qt's implicit grab). Space
// or Enter held on the focused button is a left button held, for those who cannot use a mouse: its
// release comes back here too, whichever window is active by then.
class PushButton : public QPushButton {
    Q_OBJECT
public:
    using QPushButton::QPushButton;

signals:
    void mouseDown(Qt::MouseButton button);
    void mouseUp(Qt::MouseButton button);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    // How long after a key's release a press of it still makes the two one repeat of the key.
    static constexpr int repeatGap = 100;

    void letGo();

    int heldKey_ = 0; // the key that holds the button down, if any
    bool releaseDue_ = false;
};

} // namespace platform
