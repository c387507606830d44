#include "platform/forms/menu.h"

#include <QGuiApplication>
#include <QKeyEvent>

namespace platform {

void Menu::showEvent(QShowEvent* event) {
    altHeld_ = QGuiApplication::keyboardModifiers() & Qt::AltModifier;
    QMenu::showEvent(event);
}

void Menu::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Alt && altHeld_) {
        event->accept();
        return;
    }
    QMenu::keyPressEvent(event);
}

void Menu::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Alt)
        altHeld_ = false;
    QMenu::keyReleaseEvent(event);
}

} // namespace platform
