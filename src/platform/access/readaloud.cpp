#include "platform/access/readaloud.h"

#include "platform/access/spoken.h"
#include "platform/forms/controls.h"
#include "platform/forms/pushbutton.h"
#include "platform/system/application.h"

#include <QApplication>
#include <QBasicTimer>
#include <QEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QTimerEvent>

namespace platform {

namespace {

// Watches every widget of the application for what a pupil points at, reaches or clicks.
class ReadAloud : public QObject {
public:
    ReadAloud(std::unique_ptr<Voice> voice, std::chrono::milliseconds rest)
        : QObject(qApp), voice_(std::move(voice)), rest_(rest) {
        qApp->installEventFilter(this);
    }

    void say(const QString& text) {
        if (!text.isEmpty())
            voice_->say(text);
    }

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        switch (event->type()) {
        case QEvent::Enter:
            if (auto* button = qobject_cast<PushButton*>(object)) {
                resting_ = button;
                restTimer_.start(int(rest_.count()), this);
            }
            break;
        case QEvent::Leave:
            if (object == resting_)
                restTimer_.stop();
            break;
        case QEvent::MouseButtonPress:
            // A pupil who clicks knows where: the caption would cut off what the click makes said.
            restTimer_.stop();
            if (auto* label = qobject_cast<Label*>(object))
                say(spokenText(label->text()));
            break;
        case QEvent::KeyPress:
            if (const int key = static_cast<QKeyEvent*>(event)->key(); key == Qt::Key_Tab || key == Qt::Key_Backtab) {
                // The focus that this key moves comes while it is handled.
                tabbing_ = true;
                tabTimer_.start(0, this);
            }
            break;
        case QEvent::FocusIn:
            // Only the focus that the pupil moves: not the one that comes with a window or a click,
            // nor the one that leaves a button as it goes, which the click's own words cut off.
            if (auto* button = qobject_cast<PushButton*>(object); button && tabbing_)
                sayCaption(button);
            break;
        default:
            break;
        }
        return false;
    }

    // Each timer runs once.
    void timerEvent(QTimerEvent* event) override {
        if (event->timerId() == restTimer_.timerId()) {
            restTimer_.stop();
            if (resting_ && resting_->underMouse())
                sayCaption(resting_);
        } else if (event->timerId() == tabTimer_.timerId()) {
            tabTimer_.stop();
            tabbing_ = false;
        }
    }

private:
    void sayCaption(const PushButton* button) {
        if (button->isVisible() && button->isEnabled())
            say(spokenText(button->text()));
    }

    std::unique_ptr<Voice> voice_;
    std::chrono::milliseconds rest_;
    QBasicTimer restTimer_;
    QPointer<PushButton> resting_;
    QBasicTimer tabTimer_;
    bool tabbing_ = false;
};

QPointer<ReadAloud> readAloudNow;

} // namespace

void startReadAloud(std::unique_ptr<Voice> voice, std::chrono::milliseconds rest) {
    stopReadAloud();
    readAloudNow = new ReadAloud(std::move(voice), rest);
    atQuit(stopReadAloud);
}

void stopReadAloud() {
    delete readAloudNow;
}

void readAloud(const QString& text) {
    if (readAloudNow)
        readAloudNow->say(text);
}

} // namespace platform
