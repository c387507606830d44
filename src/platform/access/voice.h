#pragma once

#include <QString>

#include <memory>

namespace platform {

// A speech engine comes in through this interface so that tests can stand in for it.
class Voice {
public:
    virtual ~Voice() = default;
    // Says text at once, cutting off whatever is still being said: a pupil who clicks on does not
    // wait for the voice to finish.
    virtual void say(const QString& text) = 0;
};

// The system's Italian voice: speech-dispatcher through Qt TextToSpeech on Linux, SAPI on Windows,
// the browser's speechSynthesis in the page. Where the system has no Italian voice, or no speech
// service at all, it says nothing and tells why once, on the standard error (the browser's
// console), but never speaks Italian in another language's voice. Made only when read-aloud is
// turned on: until then no engine exists and no speech service is started.
std::unique_ptr<Voice> systemVoice();

} // namespace platform
