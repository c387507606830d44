#pragma once

// The control kinds of the windowing layer, as small Qt widgets.

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QMetaMethod>
#include <QPushButton>

#include <functional>

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

// A label of plain text that wraps at blanks, starts at its top edge, is clipped to its own
// rectangle and raises changed() inside every setting of its text, also when the text is equal.
class Label : public QLabel {
    Q_OBJECT
public:
    explicit Label(QWidget* parent);

    void setText(const QString& text);

signals:
    void changed();

protected:
    // A click on a label is not a click on the window beneath it.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// A captioned frame whose background colour can be set; its children are placed relative to it.
class Frame : public QGroupBox {
    Q_OBJECT
public:
    using QGroupBox::QGroupBox;

    void setBackColor(const QColor& colour);
    QColor backColor() const;
};

// A straight line between two points of its parent, drawn one pixel wide.
class LineControl : public QWidget {
    Q_OBJECT
public:
    LineControl(QPoint from, QPoint to, QWidget* parent);

    QPoint from() const { return from_; }
    QPoint to() const { return to_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPoint from_;
    QPoint to_;
};

// A filled rectangle with rounded corners and an outline of a given width in pixels.
class ShapeControl : public QWidget {
    Q_OBJECT
public:
    ShapeControl(const QColor& fill, int outlineWidth, QWidget* parent);

    QColor fill() const { return fill_; }
    int outlineWidth() const { return outlineWidth_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor fill_;
    int outlineWidth_;
};

// An empty picture box with a single-line border.
class ImageBox : public QFrame {
    Q_OBJECT
public:
    explicit ImageBox(QWidget* parent);
};

// The client area of a window: the surface that its controls stand on. A press and release of
// the left button on the surface itself is a click on the window.
class ClientArea : public QWidget {
    Q_OBJECT
public:
    ClientArea(QSize designSize, QWidget* parent) : QWidget(parent), designSize_(designSize) {}

    // The window is sized so that its client area has the size it was designed with.
    QSize sizeHint() const override { return designSize_; }

    // Whether a click on the surface does anything.
    bool answersClicks() const { return isSignalConnected(QMetaMethod::fromSignal(&ClientArea::clicked)); }

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QSize designSize_;
    bool pressed_ = false;
};

// The on-screen window of a Form. Closing it from the title bar asks its Form to unload it. The
// keyboard's focus is never lost: an active window always has a visible, enabled control focused,
// and when the active window goes, the window active before it comes back, as a window manager
// does (and as none does in the browser or without one).
class FormWindow : public QMainWindow {
    Q_OBJECT
public:
    using QMainWindow::QMainWindow;

    std::function<void()> onClose;

    // Activates the window; it counts as the latest active at once, before the system says so.
    void activate();
    // Once the events now due are handled, activates the visible window that was active last.
    static void activateLatest();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
};

} // namespace platform
