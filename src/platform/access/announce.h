#pragma once

// What a sighted pupil sees change (a question, a chosen answer, a verdict) is also said to a
// screen reader, without moving the focus. Qt 6.4 has no announcement of its own, and the name
// change of a label reaches no screen reader that speaks it, so each system gets what its screen
// readers honour: on Linux an AT-SPI notification object that appears with the text, on Windows
// UI Automation's notification event, in the browser the page mirror's live region.

#include <QString>

class QWidget;

namespace platform {

// Comes in through this interface so that tests can stand in for it, as for the clock.
class Announcer {
public:
    virtual ~Announcer() = default;
    // Says text on behalf of the top-level window. Texts said in one handler are said together,
    // in order, once the handler has returned; a window not yet active says them when it is.
    virtual void announce(QWidget* window, const QString& text) = 0;
};

class SystemAnnouncer final : public Announcer {
public:
    void announce(QWidget* window, const QString& text) override;
};

// The one the program uses.
Announcer& systemAnnouncer();

} // namespace platform
