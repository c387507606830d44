// The voice on Linux: speech-dispatcher, through Qt TextToSpeech, in an Italian voice of the
// system (espeak-ng's, with Debian's speech-dispatcher-espeak-ng).

#include "platform/access/voice.h"

#include <QTextToSpeech>
#include <QTimer>

#include <algorithm>
#include <csignal>
#include <cstdio>

namespace platform {

namespace {

// A little slower than the engine's own pace, for eight-year-olds who follow every word.
constexpr double pace = -0.2;

bool italian(const QLocale& locale) {
    return locale.language() == QLocale::Italian;
}

class SpeechVoice final : public Voice {
public:
    SpeechVoice() {
        // speech-dispatcher may go away while the program runs: a write to its socket then fails
        // instead of ending the program.
        std::signal(SIGPIPE, SIG_IGN);
        // Connecting to the speech server, which starts it if need be, waits for the first turn of
        // the event loop: the main menu is on screen first.
        QTimer::singleShot(0, &context_, [this] { connect(); });
    }

    void say(const QString& text) override {
        if (!engine_)
            connect();
        if (!speaks_)
            return;
        engine_->stop();
        engine_->say(text);
    }

private:
    void connect() {
        if (engine_)
            return;
        engine_ = std::make_unique<QTextToSpeech>(QStringLiteral("speechd"));
        const QList<QLocale> locales = engine_->availableLocales();
        const auto it = std::find_if(locales.begin(), locales.end(), italian);
        if (it == locales.end()) {
            std::fputs(
                locales.isEmpty()
                    ? "capacita: no speech server with a voice answers (speech-dispatcher): read-aloud stays silent\n"
                    : "capacita: the speech server has no Italian voice: read-aloud stays silent\n",
                stderr);
            return;
        }
        // The state may read as an error right after the locale is set, although speaking works:
        // what counts is that the engine offers an Italian voice.
        engine_->setLocale(*it);
        const QList<QVoice> voices = engine_->availableVoices();
        const auto voice =
            std::find_if(voices.begin(), voices.end(), [](const QVoice& v) { return italian(v.locale()); });
        if (voice != voices.end())
            engine_->setVoice(*voice);
        engine_->setRate(pace);
        speaks_ = true;
    }

    QObject context_; // what is queued goes with the voice
    std::unique_ptr<QTextToSpeech> engine_;
    bool speaks_ = false;
};

} // namespace

std::unique_ptr<Voice> systemVoice() {
    return std::make_unique<SpeechVoice>();
}

} // namespace platform
