// The voice on Windows: SAPI, Windows' own speech engine, in an Italian voice of the system
// (Elsa or Cosimo, which Windows 10 and 11 carry once the Italian language is installed).

#include "platform/access/voice.h"

#include <qt_windows.h>

#include <sapi.h>

#include <cstdio>

namespace platform {

namespace {

// Italian's language id, as SAPI's voices name their language.
constexpr const wchar_t* italianVoices = L"Language=410";
// A little slower than the engine's own pace (-10 to 10), for eight-year-olds who follow every word.
constexpr long pace = -2;

class SapiVoice final : public Voice {
public:
    SapiVoice() {
        // Qt has made the thread a single-threaded apartment already; this only counts a use.
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        ISpObjectToken* token = italianVoice();
        if (!token) {
            std::fputs("capacita: Windows has no Italian voice: read-aloud stays silent\n", stderr);
            return;
        }
        if (FAILED(CoCreateInstance(CLSID_SpVoice, nullptr, CLSCTX_ALL, IID_ISpVoice,
                                    reinterpret_cast<void**>(&voice_)))) {
            std::fputs("capacita: Windows' speech engine does not start: read-aloud stays silent\n", stderr);
            token->Release();
            return;
        }
        voice_->SetVoice(token);
        voice_->SetRate(pace);
        token->Release();
    }

    ~SapiVoice() override {
        if (voice_)
            voice_->Release();
        CoUninitialize();
    }

    void say(const QString& text) override {
        if (voice_)
            voice_->Speak(reinterpret_cast<const wchar_t*>(text.utf16()),
                          SPF_ASYNC | SPF_PURGEBEFORESPEAK | SPF_IS_NOT_XML, nullptr);
    }

private:
    static ISpObjectToken* italianVoice() {
        ISpObjectTokenCategory* category = nullptr;
        if (FAILED(CoCreateInstance(CLSID_SpObjectTokenCategory, nullptr, CLSCTX_ALL, IID_ISpObjectTokenCategory,
                                    reinterpret_cast<void**>(&category))))
            return nullptr;
        ISpObjectToken* token = nullptr;
        IEnumSpObjectTokens* tokens = nullptr;
        if (SUCCEEDED(category->SetId(SPCAT_VOICES, FALSE)) &&
            SUCCEEDED(category->EnumTokens(italianVoices, nullptr, &tokens)) && tokens) {
            if (tokens->Next(1, &token, nullptr) != S_OK)
                token = nullptr;
            tokens->Release();
        }
        category->Release();
        return token;
    }

    ISpVoice* voice_ = nullptr;
};

} // namespace

std::unique_ptr<Voice> systemVoice() {
    return std::make_unique<SapiVoice>();
}

} // namespace platform
