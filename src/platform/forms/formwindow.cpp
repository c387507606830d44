#include "platform/forms/formwindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMouseEvent>
#include <QPointer>

namespace platform {

void ClientArea::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    event->accept();
}

void ClientArea::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    if (click)
        emit clicked();
}

namespace {

// The windows in the order they were last active, the latest first.
QList<QPointer<FormWindow>>& activeOrder() {
    static QList<QPointer<FormWindow>> order;
    return order;
}

void makeLatest(FormWindow* window) {
    activeOrder().removeAll(window);
    activeOrder().prepend(window);
}

} // namespace

void FormWindow::activateLatest() {
    // Asked for after the activation that may still be coming for the window that went, so that
    // this one is the last word; the latest visible window is the active one already, if any is.
    QMetaObject::invokeMethod(
        qApp,
        [] {
            auto& order = activeOrder();
            order.removeAll(nullptr);
            for (FormWindow* w : std::as_const(order)) {
                if (w->isVisible()) {
                    w->activateWindow();
                    return;
                }
            }
        },
        Qt::QueuedConnection);
}

FormWindow* FormWindow::front() {
    for (FormWindow* w : std::as_const(activeOrder())) {
        if (w && w->isVisible())
            return w;
    }
    return nullptr;
}

void FormWindow::activate() {
    makeLatest(this);
    activateWindow();
}

bool FormWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) {
        makeLatest(this);
        const QWidget* focused = focusWidget();
        if (!focused || !focused->isVisible() || !focused->isEnabled())
            focusNextPrevChild(true);
    }
    return QMainWindow::event(event);
}

void FormWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    if (onClose)
        onClose();
}

} // namespace platform
