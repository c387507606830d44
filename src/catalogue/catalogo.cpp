#include "catalogue/catalogo.h"

#include <cmath>

namespace catalogue {

std::optional<Voce> cerca(Catalogo catalogo, float numero) {
    if (numero < 1 || numero > static_cast<float>(catalogo.size()) || std::floor(numero) != numero)
        return std::nullopt;
    return catalogo[static_cast<std::size_t>(numero) - 1];
}

void visualizza(Catalogo catalogo, StatoDomanda& stato, platform::Label& LblNumero2, platform::Label& LblIstruzione,
                const platform::Clock& clock) {
    if (const auto voce = cerca(catalogo, stato.numeroDomanda)) {
        stato.testoDomanda = QString::fromUtf8(voce->testo);
        stato.rispostaEsatta = QString::fromUtf8(voce->risposta);
    }
    LblNumero2.setText(stato.testoDomanda);
    stato.tempoInizio = clock.timer();
    LblIstruzione.setText(QStringLiteral("Clicca sul pulsante esatto"));
}

} // namespace catalogue
