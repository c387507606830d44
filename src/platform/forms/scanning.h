#pragma once

// Switch scanning, for a pupil who works the computer with one switch: a highlight steps by itself
// over what can be used now in the front window (its visible, enabled push buttons in their tab
// order, then the items of its menu bar, or twice the items of the menu that is open), and one press of
// the switch (Space, Enter, or any mouse button anywhere) works the highlighted control as a click
// would: a button is held for as long as the switch is. After a press the scan starts again from
// the first control, one step later; after three rounds without a press it rests on the first and
// waits, and the next press only starts it again; a press within 0.3 s of the one before is a
// tremor, not a press. The switch's own presses reach nothing else. The keyboard's focus follows
// the highlight from button to button, and with it a screen reader and the page's elements.

#include "platform/system/clock.h"

#include <QAction>
#include <QBasicTimer>
#include <QEvent>
#include <QPointer>
#include <QWidget>

#include <functional>

namespace platform {

class Highlight;

class Scanner : public QObject {
public:
    // step: seconds from one control to the next; reached is told the caption of each control
    // the highlight comes to.
    Scanner(const Clock& clock, double step, std::function<void(const QString&)> reached = {});
    ~Scanner() override;

    // Looks at the clock: moves the highlight on when a step is due, and follows the front window.
    // The scanner's own timer calls it; tests call it after moving a stand-in clock.
    void tick();

    // The control highlighted now: a push button, or the menu bar or menu holding the item
    // action(); nullptr while nothing can be used.
    QWidget* highlighted() const { return owner_; }
    QAction* action() const { return action_; }
    bool waiting() const { return waiting_; }
    // The button the switch holds down now, if any.
    QWidget* held() const { return held_; }

protected:
    bool eventFilter(QObject* object, QEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    struct Target {
        QWidget* owner = nullptr;
        QAction* action = nullptr;
    };
    QList<Target> targets(QWidget* front) const;
    void restart(double pause);
    void show(const Target& target);
    void press();
    void release();
    // A press or a release of the left button at the button's centre, which the filter lets pass.
    void sendButton(QWidget* button, QEvent::Type type);
    // Seconds since a reading of the clock, and the reading seconds from now, across midnight.
    double since(float reading) const;
    float later(double seconds) const;

    const Clock& clock_;
    double step_;
    std::function<void(const QString&)> reached_;
    QBasicTimer timer_;
    QBasicTimer keyReleaseTimer_; // a key's release counts once no press follows it at once
    QPointer<QWidget> front_;
    QPointer<QWidget> owner_;
    QPointer<QAction> action_;
    QPointer<Highlight> highlight_;
    int index_ = 0;
    int rounds_ = 0;
    bool waiting_ = false;
    float nextStep_ = 0;
    float lastPress_ = -1;
    QPointer<QWidget> held_; // the button the switch holds down
    bool sending_ = false;   // what the scanner sends itself passes
};

} // namespace platform
