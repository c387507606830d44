#pragma once

// The quiz window: draws a question, takes the pupil's answer from the answer buttons, verifies
// it, times it, counts a series of 96 and restarts. Both quiz windows are this class.

#include "platform/access/announce.h"
#include "platform/forms/form.h"
#include "platform/system/clock.h"
#include "quiz/layoutquiz.h"

#include <QtGlobal>

#include <functional>

namespace quiz {

struct StatoQuiz : catalogue::StatoDomanda {
    qint16 contaDomande = 0;
    float tempoRisposta = 0;
    float tempoParziale = 0;
    float tempoTotale = 0;
};

class FinestraQuiz : public platform::Form {
public:
    static constexpr qint16 domandePerSerie = 96;

    // terminaProgramma ends the whole program at once (File > Esci); annunci says to a screen
    // reader what the pupil sees change.
    FinestraQuiz(const Variante& variante, const platform::Clock& clock, platform::RandomSource& random,
                 std::function<void()> terminaProgramma, platform::Announcer& annunci);

    const StatoQuiz& stato() const { return stato_; }
    const Variante& variante() const { return variante_; }

protected:
    void Form_Load() override;
    void connectHandlers() override;

private:
    void Risposta_Click(const QString& pulsante);
    void lblRisultato_Change();
    void CmdVerifica_Click();
    void CmdOperazione_Click();
    void CmdRicomincia_Click();
    void CmdFine_Click();
    void MnuEsci_Click();

    void estraiDomanda();
    void visualizza();
    void verificaRisposta();
    void nuovaDomanda();
    void abilitaRisposte(bool abilitate);
    void annuncia(const QString& testo);

    const Variante& variante_;
    const platform::Clock& clock_;
    platform::RandomSource& random_;
    std::function<void()> terminaProgramma_;
    platform::Announcer& annunci_;
    StatoQuiz stato_;
};

class FrmMultipliCapacità : public FinestraQuiz {
public:
    FrmMultipliCapacità(const platform::Clock& clock, platform::RandomSource& random,
                        std::function<void()> terminaProgramma,
                        platform::Announcer& annunci = platform::systemAnnouncer())
        : FinestraQuiz(varianteMultipli, clock, random, std::move(terminaProgramma), annunci) {}
};

class FrmSottomultipliCapacità : public FinestraQuiz {
public:
    FrmSottomultipliCapacità(const platform::Clock& clock, platform::RandomSource& random,
                             std::function<void()> terminaProgramma,
                             platform::Announcer& annunci = platform::systemAnnouncer())
        : FinestraQuiz(varianteSottomultipli, clock, random, std::move(terminaProgramma), annunci) {}
};

} // namespace quiz
