#include "shell/programma.h"

#include "platform/system/application.h"
#include "quiz/finestraquiz.h"
#include "shell/frminizio.h"
#include "shell/frmwww.h"

namespace shell {

Programma::Programma(const platform::Clock& clock, platform::RandomSource& random, platform::Announcer& annunci)
    : clock_(clock), random_(random), annunci_(annunci) {}

Programma::~Programma() = default;

void Programma::avvia() {
    inizio().load();
    inizio().show();
}

template <class Finestra, class... Argomenti>
Finestra& Programma::istanza(std::unique_ptr<Finestra>& finestra, Argomenti&&... argomenti) {
    if (!finestra) {
        finestra = std::make_unique<Finestra>(std::forward<Argomenti>(argomenti)...);
        finestra->unloaded = [this] { finestraScaricata(); };
    }
    return *finestra;
}

FrmInizioCapacità& Programma::inizio() {
    return istanza(inizio_, *this);
}

quiz::FrmMultipliCapacità& Programma::multipli() {
    return istanza(
        multipli_, clock_, random_, [this] { termina(); }, annunci_);
}

quiz::FrmSottomultipliCapacità& Programma::sottomultipli() {
    return istanza(
        sottomultipli_, clock_, random_, [this] { termina(); }, annunci_);
}

FrmWWW& Programma::www() {
    return istanza(www_, annunci_);
}

std::array<platform::Form*, 4> Programma::finestre() {
    return {&inizio(), &multipli(), &sottomultipli(), &www()};
}

void Programma::termina() {
    terminato_ = true;
    for (platform::Form* finestra : finestre())
        finestra->unload();
    platform::quitApplication();
}

void Programma::finestraScaricata() {
    if (terminato_)
        return;
    for (const platform::Form* finestra : finestre()) {
        if (finestra->isLoaded())
            return;
    }
    platform::quitApplication();
}

} // namespace shell
