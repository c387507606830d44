#include "platform/forms/pushbutton.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
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

} // namespace platform
