#include "quiz/finestraquiz.h"

#include "platform/access/spoken.h"

#include <algorithm>
#include <cmath>

namespace quiz {

namespace {

const QString esatto = QStringLiteral("E  s  a  t  t  o");
const QString errato = QStringLiteral("E  r  r  a  t  o");
const QString istruzioneVerifica = QStringLiteral("Clicca sul pulsante Verifica");
const QString istruzioneNuovaDomanda = QStringLiteral("Clicca sul pulsante Visualizza nuova domanda");
// Said, not shown, when a series ends: the buttons now offered, by the names a screen reader
// gives them.
const QString annuncioFineSerie = QStringLiteral("Serie finita: ora ci sono i pulsanti Ricomincia e Fine");

constexpr float secondiInUnGiorno = 24 * 60 * 60;

// Whole numbers are shown as plain decimal digits, with a minus sign when negative.
QString testoNumero(float numero) {
    return QString::number(static_cast<qint64>(numero));
}

} // namespace

FinestraQuiz::FinestraQuiz(const Variante& variante, const platform::Clock& clock, platform::RandomSource& random,
                           std::function<void()> terminaProgramma, platform::Announcer& annunci)
    : Form(variante.layout), variante_(variante), clock_(clock), random_(random),
      terminaProgramma_(std::move(terminaProgramma)), annunci_(annunci) {}

void FinestraQuiz::connectHandlers() {
    for (const char* nome : variante_.pulsantiRisposta) {
        const QString pulsante = QString::fromLatin1(nome);
        onClick(pulsante, [this, pulsante] { Risposta_Click(pulsante); });
    }
    onChange(QStringLiteral("lblRisultato"), [this] { lblRisultato_Change(); });
    onClick(QStringLiteral("CmdVerifica"), [this] { CmdVerifica_Click(); });
    onClick(QStringLiteral("CmdOperazione"), [this] { CmdOperazione_Click(); });
    onClick(QStringLiteral("CmdRicomincia"), [this] { CmdRicomincia_Click(); });
    onClick(QStringLiteral("CmdFine"), [this] { CmdFine_Click(); });
    onMenu(QStringLiteral("MnuEsci"), [this] { MnuEsci_Click(); });
}

void FinestraQuiz::Form_Load() {
    stato_.contaDomande = 1;
    label(QStringLiteral("LblOperazione"))->setText(testoNumero(stato_.contaDomande));
    button(QStringLiteral("CmdRicomincia"))->hide();
    button(QStringLiteral("CmdFine"))->show();
    button(QStringLiteral("CmdOperazione"))->hide();
    button(QStringLiteral("CmdVerifica"))->hide();
    frame(QStringLiteral("Frame2"))->setBackColor(QColor(225, 255, 225));
    estraiDomanda();
}

void FinestraQuiz::Risposta_Click(const QString& pulsante) {
    label(QStringLiteral("lblRisultato"))->setText(button(pulsante)->text());
    annuncia(button(pulsante)->text());
}

void FinestraQuiz::lblRisultato_Change() {
    button(QStringLiteral("CmdFine"))->hide();
    if (label(QStringLiteral("lblRisultato"))->text() != QString()) {
        button(QStringLiteral("CmdVerifica"))->show();
        label(QStringLiteral("LblIstruzione"))->setText(istruzioneVerifica);
    }
}

void FinestraQuiz::CmdVerifica_Click() {
    abilitaRisposte(false);
    verificaRisposta();
}

void FinestraQuiz::CmdOperazione_Click() {
    nuovaDomanda();
}

void FinestraQuiz::CmdRicomincia_Click() {
    stato_.contaDomande = 0;
    button(QStringLiteral("CmdRicomincia"))->hide();
    nuovaDomanda();
}

void FinestraQuiz::CmdFine_Click() {
    unload();
}

void FinestraQuiz::MnuEsci_Click() {
    terminaProgramma_();
}

void FinestraQuiz::estraiDomanda() {
    random_.reseed(clock_.timer());
    const float r = random_.next();
    // r < 1 keeps the number within 1..N; the bound only guards against rounding at the top.
    stato_.numeroDomanda = std::min(std::floor(r * static_cast<float>(variante_.numeroMassimo)) + 1.0f,
                                    static_cast<float>(variante_.numeroMassimo));
    visualizza();
    annuncia(label(QStringLiteral("LblNumero2"))->text());
}

void FinestraQuiz::visualizza() {
    catalogue::visualizza(variante_.catalogo, stato_, *label(QStringLiteral("LblNumero2")),
                          *label(QStringLiteral("LblIstruzione")), clock_);
}

void FinestraQuiz::verificaRisposta() {
    const bool giusta = label(QStringLiteral("lblRisultato"))->text() == stato_.rispostaEsatta;
    label(QStringLiteral("LblEsito"))->setText(giusta ? esatto : errato);
    annuncia(label(QStringLiteral("LblEsito"))->text());

    if (stato_.contaDomande == domandePerSerie) {
        button(QStringLiteral("CmdFine"))->show();
        button(QStringLiteral("CmdRicomincia"))->show();
        annuncia(annuncioFineSerie);
    } else {
        button(QStringLiteral("CmdOperazione"))->show();
        button(QStringLiteral("CmdVerifica"))->hide();
        label(QStringLiteral("LblIstruzione"))->setText(istruzioneNuovaDomanda);
    }

    stato_.tempoRisposta = clock_.timer();
    float trascorso = stato_.tempoRisposta - stato_.tempoInizio;
    // The timer restarts at midnight: a question shown before it and verified after it has
    // lasted one day less than the readings say.
    if (trascorso < 0)
        trascorso += secondiInUnGiorno;
    stato_.tempoParziale = std::floor(trascorso);
    label(QStringLiteral("LblTempoParziale"))->setText(testoNumero(stato_.tempoParziale));
    stato_.tempoTotale = stato_.tempoTotale + stato_.tempoParziale;
    label(QStringLiteral("LblTempoTotale"))->setText(testoNumero(stato_.tempoTotale));
}

void FinestraQuiz::nuovaDomanda() {
    abilitaRisposte(true);
    stato_.contaDomande = static_cast<qint16>(stato_.contaDomande + 1);
    label(QStringLiteral("LblOperazione"))->setText(testoNumero(stato_.contaDomande));
    estraiDomanda();
    button(QStringLiteral("CmdOperazione"))->hide();
    button(QStringLiteral("CmdVerifica"))->hide();
    label(QStringLiteral("lblRisultato"))->setText(QString());
    label(QStringLiteral("LblEsito"))->setText(QString());
}

// What a screen reader says is what is on screen, a caption of spaced letters as its word.
void FinestraQuiz::annuncia(const QString& testo) {
    annunci_.announce(window(), platform::spokenText(testo));
}

void FinestraQuiz::abilitaRisposte(bool abilitate) {
    for (const char* nome : variante_.pulsantiRisposta)
        button(QString::fromLatin1(nome))->setEnabled(abilitate);
}

} // namespace quiz
