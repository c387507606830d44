#pragma once

// The program: owns the one instance of each of its four windows, creates each the first time it
// is needed, and ends the program.

#include "platform/access/announce.h"
#include "platform/system/clock.h"

#include <array>
#include <memory>

namespace platform {
class Form;
}

namespace quiz {
class FrmMultipliCapacità;
class FrmSottomultipliCapacità;
} // namespace quiz

namespace shell {

class FrmInizioCapacità;
class FrmWWW;

class Programma {
public:
    Programma(const platform::Clock& clock, platform::RandomSource& random,
              platform::Announcer& annunci = platform::systemAnnouncer());
    ~Programma();

    // Creates, loads and shows the main menu.
    void avvia();

    FrmInizioCapacità& inizio();
    quiz::FrmMultipliCapacità& multipli();
    quiz::FrmSottomultipliCapacità& sottomultipli();
    FrmWWW& www();
    // The four windows, each created the first time it is needed.
    std::array<platform::Form*, 4> finestre();

    // Ends the program at once: every window goes and the event loop returns 0.
    void termina();

private:
    // The program also ends by itself once none of its windows is open.
    void finestraScaricata();
    // The one instance of a window, created the first time it is needed.
    template <class Finestra, class... Argomenti>
    Finestra& istanza(std::unique_ptr<Finestra>& finestra, Argomenti&&... argomenti);

    const platform::Clock& clock_;
    platform::RandomSource& random_;
    platform::Announcer& annunci_;
    bool terminato_ = false;
    std::unique_ptr<FrmInizioCapacità> inizio_;
    std::unique_ptr<quiz::FrmMultipliCapacità> multipli_;
    std::unique_ptr<quiz::FrmSottomultipliCapacità> sottomultipli_;
    std::unique_ptr<FrmWWW> www_;
};

} // namespace shell
