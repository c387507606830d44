// The voice in the page: the browser's speechSynthesis (see pagevoice.js).

#include "platform/access/voice.h"

extern "C" void capacita_voice_say(const char* text);

namespace platform {

namespace {

class PageVoice final : public Voice {
public:
    void say(const QString& text) override { capacita_voice_say(text.toUtf8().constData()); }
};

} // namespace

std::unique_ptr<Voice> systemVoice() {
    return std::make_unique<PageVoice>();
}

} // namespace platform
