#include "platform/controls.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QTimer>

namespace platform {

void PushButton::mousePressEvent(QMouseEvent* event) {
    emit mouseDown(event->button());
    // QPushButton itself ignores other buttons; accepting them keeps the implicit grab here so
    // that their release comes back to this button.
    QPushButton::mousePressEvent(event);
    event->accept();
}

void PushButton::mouseReleaseEvent(QMouseEvent* event) {
    QPushButton::mouseReleaseEvent(event);
    event->accept();
    emit mouseUp(event->button());
}

namespace {

// Space, and Enter on either part of the keyboard as on Windows and in every browser, press a
// focused button. Qt alone takes Enter only for a dialog's default button, whose frame the
// program's buttons do not draw.
bool pressesButton(int key) {
    return key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

void PushButton::keyPressEvent(QKeyEvent* event) {
    if (!pressesButton(event->key())) {
        QPushButton::keyPressEvent(event);
        return;
    }
    event->accept();
    if (releaseDue_ && event->key() == heldKey_) {
        // The release just before was the key repeating, not let go.
        releaseDue_ = false;
        return;
    }
    if (event->isAutoRepeat() || heldKey_)
        return;
    heldKey_ = event->key();
    QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    QPushButton::keyPressEvent(&space);
    grabKeyboard();
    emit mouseDown(Qt::LeftButton);
}

void PushButton::keyReleaseEvent(QKeyEvent* event) {
    if (!pressesButton(event->key())) {
        QPushButton::keyReleaseEvent(event);
        return;
    }
    event->accept();
    if (event->isAutoRepeat() || event->key() != heldKey_ || releaseDue_)
        return;
    // On X a repeating key is a release with a press that comes with it, which Qt may not have
    // read yet when the release arrives, above all while the key is held here and another window
    // is active (the one this press showed): then the release counts once no press of the key has
    // followed it at once. Elsewhere a repeat is always told as one.
    static const bool repeatsAsReleases = QGuiApplication::platformName() == QLatin1String("xcb");
    if (isActiveWindow() || !repeatsAsReleases) {
        letGo();
        return;
    }
    releaseDue_ = true;
    QTimer::singleShot(repeatGap, this, [this] {
        if (releaseDue_)
            letGo();
    });
}

void PushButton::letGo() {
    releaseDue_ = false;
    heldKey_ = 0;
    QKeyEvent space(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    QPushButton::keyReleaseEvent(&space);
    releaseKeyboard();
    emit mouseUp(Qt::LeftButton);
}

Label::Label(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
}

void Label::setText(const QString& text) {
    // QLabel tells assistive technology of a new text itself.
    QLabel::setText(text);
    emit changed();
}

void Label::mousePressEvent(QMouseEvent* event) {
    event->accept();
}

void Label::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
}

void Frame::setBackColor(const QColor& colour) {
    QPalette p = palette();
    p.setColor(QPalette::Window, colour);
    setPalette(p);
    setAutoFillBackground(true);
}

QColor Frame::backColor() const {
    return palette().color(QPalette::Window);
}

LineControl::LineControl(QPoint from, QPoint to, QWidget* parent) : QWidget(parent), from_(from), to_(to) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(QRect(from, to).normalized().adjusted(0, 0, 1, 1));
}

void LineControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1));
    painter.drawLine(from_ - pos(), to_ - pos());
}

ShapeControl::ShapeControl(const QColor& fill, int outlineWidth, QWidget* parent)
    : QWidget(parent), fill_(fill), outlineWidth_(outlineWidth) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ShapeControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // The outline lies inside the rectangle, as the shape's own edge.
    const qreal inset = outlineWidth_ / 2.0;
    const QRectF box = QRectF(rect()).adjusted(inset, inset, -inset, -inset);
    const qreal radius = std::min(box.width(), box.height()) / 6.0;
    painter.setPen(QPen(palette().color(QPalette::WindowText), outlineWidth_));
    painter.setBrush(fill_);
    painter.drawRoundedRect(box, radius, radius);
}

ImageBox::ImageBox(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
}

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
