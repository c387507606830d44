#pragma once

// The window of a Form and the surface its controls stand on; which window is active.

#include <QMainWindow>
#include <QMetaMethod>

#include <functional>

namespace platform {

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
    // The visible window that was activated last: the one in front, also before the system says so
    // (in the browser a window shown is active only once the page has said so).
    static FormWindow* front();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
};

} // namespace platform
