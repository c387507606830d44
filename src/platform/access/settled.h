#pragma once

#include <QObject>

#include <functional>

namespace platform {

// Runs a function once the events now due are handled, and once only however often it was asked
// for meanwhile: changes come in bursts (a window built, a handler that sets several labels), and
// what follows them looks once the burst is over. The owner that holds it is its context: nothing
// runs once the owner has gone.
class OnceSettled {
public:
    OnceSettled(QObject* owner, std::function<void()> run) : owner_(owner), run_(std::move(run)) {}

    void request() {
        if (scheduled_)
            return;
        scheduled_ = true;
        QMetaObject::invokeMethod(
            owner_,
            [this] {
                scheduled_ = false;
                run_();
            },
            Qt::QueuedConnection);
    }

private:
    QObject* owner_;
    std::function<void()> run_;
    bool scheduled_ = false;
};

} // namespace platform
