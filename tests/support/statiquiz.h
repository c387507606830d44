#pragma once

// The state table of a quiz window, as the pupil sees each state: one table, stati-quiz.json,
// which the end-to-end scenarios read too. A state is an object of the table's columns; "Fine"
// null leaves it open.

#include "quiz/finestraquiz.h"
#include "support/support.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace support {

inline QJsonObject statiQuiz() {
    return tabella(QStringLiteral("stati-quiz.json"));
}

// What the window shows now, in the table's columns; "risposte" is null where some answer
// buttons are enabled and some not, which no state allows.
inline QJsonObject osservaQuiz(quiz::FinestraQuiz& form) {
    const auto visibile = [&](const char* nome) { return form.control(QString::fromLatin1(nome))->isVisible(); };
    const auto scritta = [&](const char* nome) { return !form.label(QString::fromLatin1(nome))->text().isEmpty(); };
    int abilitate = 0;
    for (const char* nome : form.variante().pulsantiRisposta)
        abilitate += form.button(QString::fromLatin1(nome))->isEnabled() ? 1 : 0;
    const int tutte = static_cast<int>(form.variante().pulsantiRisposta.size());
    return {{QStringLiteral("risposte"), abilitate % tutte == 0 ? QJsonValue(abilitate == tutte) : QJsonValue()},
            {QStringLiteral("Verifica"), visibile("CmdVerifica")},
            {QStringLiteral("Visualizza"), visibile("CmdOperazione")},
            {QStringLiteral("Ricomincia"), visibile("CmdRicomincia")},
            {QStringLiteral("Fine"), visibile("CmdFine")},
            {QStringLiteral("istruzione"), form.label(QStringLiteral("LblIstruzione"))->text()},
            {QStringLiteral("risposta"), scritta("lblRisultato")},
            {QStringLiteral("esito"), scritta("LblEsito")}};
}

inline bool nelloStato(const QJsonObject& visto, QJsonObject stato) {
    if (stato[QStringLiteral("Fine")].isNull())
        stato[QStringLiteral("Fine")] = visto[QStringLiteral("Fine")];
    return visto == stato;
}

inline QString descrivi(const QJsonObject& stato) {
    return QString::fromUtf8(QJsonDocument(stato).toJson(QJsonDocument::Compact));
}

} // namespace support
