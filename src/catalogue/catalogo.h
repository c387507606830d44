#pragma once

// The numbered questions of the two quiz windows and visualizza, which puts the current one on
// screen.

#include "platform/forms/controls.h"
#include "platform/system/clock.h"

#include <QString>

#include <optional>
#include <span>

namespace catalogue {

// A question text shown exactly as written and its expected answer, which is the caption of one
// of the window's answer buttons.
struct Voce {
    const char* testo;
    const char* risposta;
};

// Entries numbered from 1, in order.
using Catalogo = std::span<const Voce>;

extern const Catalogo catalogoMultipli;      // 48 entries over hl, dal and l
extern const Catalogo catalogoSottomultipli; // 96 entries over l, dl, cl and ml

// The entry numbered numero, or nothing for a number that has no entry.
std::optional<Voce> cerca(Catalogo catalogo, float numero);

// The fields of a quiz window that visualizza reads and writes.
struct StatoDomanda {
    float numeroDomanda = 0;
    QString testoDomanda;
    QString rispostaEsatta;
    float tempoInizio = 0;
};

// Shows entry numeroDomanda: its text in LblNumero2, its answer in rispostaEsatta, the clock
// reading in tempoInizio and the instruction in LblIstruzione, in that order. A number with no
// entry leaves the text and the answer as they were.
void visualizza(Catalogo catalogo, StatoDomanda& stato, platform::Label& LblNumero2, platform::Label& LblIstruzione,
                const platform::Clock& clock);

} // namespace catalogue
