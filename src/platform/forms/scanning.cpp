#include "platform/forms/scanning.h"

#include "platform/forms/controls.h"
#include "platform/forms/formwindow.h"
#include "platform/forms/highlight.h"
#include "platform/forms/pushbutton.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QTimerEvent>

#include <cmath>

namespace platform {

namespace {

constexpr double tremor = 0.3;      // seconds within which a second press is a tremor
constexpr int roundsBeforeRest = 3; // rounds without a press before the scan waits
constexpr int roundsInAMenu = 2;    // rounds of an open menu before it closes
constexpr int repeatGap = 100;      // milliseconds after a key's release in which a press repeats it
constexpr float secondsInADay = 24 * 60 * 60;

bool isSwitchKey(const QEvent* event) {
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter;
}

QRect targetRect(QWidget* owner, QAction* action) {
    if (auto* bar = qobject_cast<QMenuBar*>(owner); bar && action)
        return bar->actionGeometry(action);
    if (auto* menu = qobject_cast<QMenu*>(owner); menu && action)
        return menu->actionGeometry(action);
    return owner->rect();
}

QString caption(QWidget* owner, QAction* action) {
    if (action)
        return action->text().remove(QLatin1Char('&'));
    auto* button = qobject_cast<PushButton*>(owner);
    return button ? button->text() : QString();
}

} // namespace

Scanner::Scanner(const Clock& clock, double step, std::function<void(const QString&)> reached)
    : clock_(clock), step_(step), reached_(std::move(reached)) {
    qApp->installEventFilter(this);
    timer_.start(50, this);
}

Scanner::~Scanner() {
    delete highlight_;
}

double Scanner::since(float reading) const {
    float elapsed = clock_.timer() - reading;
    // The clock restarts at midnight.
    if (elapsed < 0)
        elapsed += secondsInADay;
    return elapsed;
}

float Scanner::later(double seconds) const {
    return std::fmod(clock_.timer() + float(seconds), secondsInADay);
}

QList<Scanner::Target> Scanner::targets(QWidget* front) const {
    QList<Target> list;
    if (!front)
        return list;
    if (auto* menu = qobject_cast<QMenu*>(front)) {
        for (QAction* a : menu->actions()) {
            if (a->isVisible() && a->isEnabled() && !a->isSeparator())
                list.append({menu, a});
        }
        return list;
    }
    // The buttons in their tab order: the focus chain from the window round to it again.
    for (QWidget* w = front->nextInFocusChain(); w && w != front; w = w->nextInFocusChain()) {
        auto* button = qobject_cast<PushButton*>(w);
        if (button && button->window() == front && button->isVisible() && button->isEnabled())
            list.append({button, nullptr});
    }
    if (auto* window = qobject_cast<QMainWindow*>(front); window && window->menuWidget()) {
        auto* bar = qobject_cast<QMenuBar*>(window->menuWidget());
        for (QAction* a : bar ? bar->actions() : QList<QAction*>()) {
            if (a->isVisible() && a->isEnabled())
                list.append({bar, a});
        }
    }
    return list;
}

void Scanner::restart(double pause) {
    index_ = 0;
    rounds_ = 0;
    nextStep_ = later(pause);
    const QList<Target> list = targets(front_);
    show(list.isEmpty() ? Target{} : list.front());
}

void Scanner::show(const Target& target) {
    owner_ = target.owner;
    action_ = target.action;
    if (!owner_) {
        delete highlight_;
        return;
    }
    QWidget* window = owner_->window();
    if (!highlight_ || highlight_->parentWidget() != window) {
        delete highlight_;
        highlight_ = new Highlight(window);
    }
    const int margin = 2 * Highlight::thickness;
    const QRect r = targetRect(owner_, action_);
    highlight_->setGeometry(
        QRect(owner_->mapTo(window, r.topLeft()), r.size()).adjusted(-margin, -margin, margin, margin));
    highlight_->raise();
    highlight_->show();
    // The keyboard's focus goes with the highlight, and so does what assistive technology follows.
    if (!action_)
        owner_->setFocus(Qt::OtherFocusReason);
    if (reached_)
        reached_(caption(owner_, action_));
}

void Scanner::tick() {
    QWidget* front = QApplication::activePopupWidget();
    if (!front)
        front = FormWindow::front();
    if (front != front_ && !held_) {
        front_ = front;
        waiting_ = false;
        restart(step_);
        return;
    }
    const QList<Target> list = targets(front_);
    const bool stillThere = std::any_of(list.begin(), list.end(),
                                        [this](const Target& t) { return t.owner == owner_ && t.action == action_; });
    if (!stillThere && !held_) {
        restart(step_);
        return;
    }
    // A step falls due once the clock has passed it (by less than half a day, across midnight too).
    if (waiting_ || held_ || list.isEmpty() || since(nextStep_) > secondsInADay / 2)
        return;
    index_ = (index_ + 1) % int(list.size());
    auto* menu = qobject_cast<QMenu*>(front_.data());
    if (index_ == 0 && ++rounds_ == (menu ? roundsInAMenu : roundsBeforeRest)) {
        if (menu) {
            // An open menu is gone through twice, then closes: the scan goes back to the window.
            menu->close();
            front_ = QApplication::activeWindow();
            restart(step_);
            return;
        }
        // Resting on the first control until the next press.
        waiting_ = true;
        show(list.front());
        return;
    }
    nextStep_ = later(step_);
    show(list[index_]);
}

void Scanner::press() {
    const bool trembling = lastPress_ >= 0 && since(lastPress_) < tremor;
    lastPress_ = clock_.timer();
    if (trembling || !owner_)
        return;
    if (waiting_) {
        waiting_ = false;
        restart(step_);
        return;
    }
    sending_ = true;
    if (auto* bar = qobject_cast<QMenuBar*>(owner_)) {
        bar->setActiveAction(action_);
    } else if (auto* menu = qobject_cast<QMenu*>(owner_)) {
        menu->setActiveAction(action_);
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(menu, &enter);
    } else {
        sending_ = false;
        held_ = owner_;
        // The button is clicked as the switch is let go; the scan starts again then.
        sendButton(owner_, QEvent::MouseButtonPress);
        return;
    }
    sending_ = false;
    restart(2 * step_);
}

void Scanner::sendButton(QWidget* button, QEvent::Type type) {
    const QPointF centre = QRectF(button->rect()).center();
    const Qt::MouseButtons down = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
    QMouseEvent event(type, centre, button->mapToGlobal(centre), Qt::LeftButton, down, Qt::NoModifier);
    sending_ = true;
    QCoreApplication::sendEvent(button, &event);
    sending_ = false;
}

void Scanner::release() {
    QPointer<QWidget> button = std::exchange(held_, nullptr);
    if (!button)
        return;
    sendButton(button, QEvent::MouseButtonRelease);
    restart(2 * step_);
}

bool Scanner::eventFilter(QObject* object, QEvent* event) {
    // Input reaches a window before its widgets: stopped there, it goes no further.
    if (sending_ || (!object->isWidgetType() && !object->isWindowType()))
        return false;
    switch (event->type()) {
    case QEvent::KeyPress:
        if (!isSwitchKey(event))
            return false;
        // A press right after a release is the key repeating while held (under X a held key
        // repeats as releases and presses, which Qt marks only when it has read both).
        if (keyReleaseTimer_.isActive())
            keyReleaseTimer_.stop();
        else if (!static_cast<QKeyEvent*>(event)->isAutoRepeat())
            press();
        return true;
    case QEvent::KeyRelease:
        if (!isSwitchKey(event))
            return false;
        if (!static_cast<QKeyEvent*>(event)->isAutoRepeat())
            keyReleaseTimer_.start(repeatGap, this);
        return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        press();
        return true;
    case QEvent::MouseButtonRelease:
        release();
        return true;
    default:
        return false;
    }
}

void Scanner::timerEvent(QTimerEvent* event) {
    if (event->timerId() == timer_.timerId()) {
        tick();
    } else if (event->timerId() == keyReleaseTimer_.timerId()) {
        keyReleaseTimer_.stop();
        release();
    }
}

} // namespace platform
