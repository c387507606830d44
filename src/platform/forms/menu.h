#pragma once

#include <QMenu>

namespace platform {

// A menu of the menu bar. Opened with Alt and its letter, it takes no late press of that same Alt
// for a press that closes it: with a screen reader on Linux, Qt holds each key until the screen
// reader has seen it, but opens the menu at once on the letter, so that the Alt held back may
// reach the menu only once it is open. A press of Alt after Alt was let go closes it, as ever.
class Menu : public QMenu {
    Q_OBJECT
public:
    using QMenu::QMenu;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    bool altHeld_ = false; // the menu opened while Alt was down, and Alt is not yet let go
};

} // namespace platform
