// The flow of a quiz window, driven by clicks on its controls.

#include "platform/access/spoken.h"
#include "quiz/finestraquiz.h"
#include "support/statiquiz.h"
#include "support/support.h"

#include <QAccessible>
#include <QAction>
#include <QSignalSpy>
#include <QtTest>

#include <cmath>
#include <memory>

using namespace support;
using quiz::FinestraQuiz;

namespace {

struct Finestra {
    const char* nome;
    QStringList risposte; // answer buttons, Command2 first
    QStringList didascalie;
    int n;
};

const Finestra multipli{"multipli",
                        {"Command2", "Command3", "Command4", "Command5", "Command6", "Command7"},
                        {"10", "100", "1000", "l", "dal", "hl"},
                        47};
const Finestra sottomultipli{"sottomultipli",
                             {"Command2", "Command3", "Command4", "Command5", "Command6", "Command7", "Command8"},
                             {"10", "100", "1000", "ml", "cl", "dl", "l"},
                             96};

} // namespace

class TestFlusso : public QObject {
    Q_OBJECT

private:
    StandInClock clock;
    StandInRandom random;
    StandInAnnouncer annunci;
    const QJsonObject stati = statiQuiz();
    int terminazioni = 0;
    std::unique_ptr<FinestraQuiz> form;
    const Finestra* finestra = nullptr;

    void apri(bool sotto, int primoNumero = 1) {
        finestra = sotto ? &sottomultipli : &multipli;
        random.values = {drawing(primoNumero, finestra->n)};
        auto termina = [this] { ++terminazioni; };
        if (sotto)
            form = std::make_unique<quiz::FrmSottomultipliCapacità>(clock, random, termina, annunci);
        else
            form = std::make_unique<quiz::FrmMultipliCapacità>(clock, random, termina, annunci);
        mostra();
    }

    void mostra() {
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form->window()));
    }

    void verificaStato(const char* nome, bool fineVisibile) {
        QJsonObject atteso = stati[QLatin1String(nome)].toObject();
        atteso[QStringLiteral("Fine")] = fineVisibile;
        const QJsonObject visto = osservaQuiz(*form);
        QVERIFY2(nelloStato(visto, atteso),
                 qPrintable(QStringLiteral("%1 expected, seen %2").arg(nome, descrivi(visto))));
        QCOMPARE(text(*form, "LblOperazione"), QString::number(form->stato().contaDomande));
    }

    // What was said to a screen reader since the last look.
    QStringList detti() { return annunci.take(form->window()); }
    QString domanda(int numero) const { return QString::fromUtf8(form->variante().catalogo[numero - 1].testo); }
    // A text as the screen reader is given it (units by their names).
    static QString detto(const QString& testo) { return platform::spokenText(testo); }

    // The answer button whose caption is the expected answer, and one whose caption is not.
    QString pulsanteGiusto() const {
        return finestra->risposte[finestra->didascalie.indexOf(form->stato().rispostaEsatta)];
    }
    QString pulsanteSbagliato() const {
        return finestra
            ->risposte[(finestra->didascalie.indexOf(form->stato().rispostaEsatta) + 1) % finestra->risposte.size()];
    }

    void aggiungiFinestre() {
        QTest::addColumn<bool>("sotto");
        QTest::newRow("multipli") << false;
        QTest::newRow("sottomultipli") << true;
    }

private slots:
    void initTestCase() { support::setUpApplication(); }

    void init() {
        clock.now = 36000.0f;
        random.values.clear();
        random.seeds.clear();
        annunci.said.clear();
        terminazioni = 0;
    }

    void cleanup() {
        form.reset();
        flushDeletes();
    }

    void apertura_data() { aggiungiFinestre(); }
    void apertura() {
        QFETCH(bool, sotto);
        apri(sotto, 5);
        verificaStato("attesa", true);
        QCOMPARE(text(*form, "LblOperazione"), QStringLiteral("1"));
        QCOMPARE(form->frame("Frame2")->backColor(), QColor(225, 255, 225));
        QCOMPARE(form->stato().numeroDomanda, 5.0f);
        QCOMPARE(text(*form, "LblNumero2"), QString::fromUtf8(form->variante().catalogo[4].testo));
        QVERIFY(text(*form, "LblTempoParziale").isEmpty());
        QVERIFY(text(*form, "LblTempoTotale").isEmpty());
        QVERIFY(text(*form, "LblEsercizio").isEmpty());
        QVERIFY(text(*form, "LblContrassegno").isEmpty());
        QCOMPARE(form->stato().tempoInizio, clock.now);
        // The first visible, enabled push button in tab order takes the focus.
        QCOMPARE(form->window()->focusWidget(), form->button("CmdFine"));
    }

    void cicloDiUnaDomanda_data() { aggiungiFinestre(); }
    void cicloDiUnaDomanda() {
        QFETCH(bool, sotto);
        apri(sotto, 3);
        // Every change the pupil sees is also said: the question as the window opens, ...
        QCOMPARE(detti(), QStringList{detto(domanda(3))});
        click(*form, pulsanteSbagliato());
        verificaStato("scelta", false);
        const QString sbagliata = text(*form, "lblRisultato");
        click(*form, pulsanteGiusto());
        verificaStato("scelta", false);
        QCOMPARE(text(*form, "lblRisultato"), form->stato().rispostaEsatta);
        // ... each answer chosen, ...
        QCOMPARE(detti(), QStringList({detto(sbagliata), detto(form->stato().rispostaEsatta)}));

        click(*form, "CmdVerifica");
        verificaStato("verificata", false);
        QCOMPARE(text(*form, "LblEsito"), QStringLiteral("E  s  a  t  t  o"));
        // ... the verdict, as its word, ...
        QCOMPARE(detti(), QStringList{"Esatto"});

        // Disabled answer buttons and the hidden "Verifica" take no click, and say nothing.
        click(*form, finestra->risposte.first());
        QCOMPARE(text(*form, "lblRisultato"), form->stato().rispostaEsatta);
        verificaStato("verificata", false);
        QCOMPARE(detti(), QStringList());

        random.values = {drawing(7, finestra->n)};
        click(*form, "CmdOperazione");
        verificaStato("attesa", false);
        QCOMPARE(form->stato().contaDomande, qint16(2));
        QCOMPARE(text(*form, "LblNumero2"), domanda(7));
        // ... and the next question.
        QCOMPARE(detti(), QStringList{detto(domanda(7))});

        click(*form, pulsanteSbagliato());
        click(*form, "CmdVerifica");
        QCOMPARE(text(*form, "LblEsito"), QStringLiteral("E  r  r  a  t  o"));
        QCOMPARE(detti(), QStringList({detto(text(*form, "lblRisultato")), "Errato"}));
    }

    void sostituireLaRisposta() {
        apri(false);
        click(*form, "Command3");
        click(*form, "Command2");
        QCOMPARE(text(*form, "lblRisultato"), QStringLiteral("10"));
        QVERIFY(visible(*form, "CmdVerifica"));
        QVERIFY(!visible(*form, "CmdFine"));
    }

    void verdetto_data() {
        QTest::addColumn<bool>("sotto");
        QTest::addColumn<int>("numero");
        QTest::addColumn<QString>("pulsante");
        QTest::addColumn<bool>("esatto");
        QTest::newRow("multipli 14, 10") << false << 14 << "Command2" << true;
        QTest::newRow("multipli 14, 100") << false << 14 << "Command3" << false;
        QTest::newRow("multipli 1, hl") << false << 1 << "Command7" << true;
        QTest::newRow("multipli 1, dal") << false << 1 << "Command6" << false;
        QTest::newRow("multipli 13, 1000") << false << 13 << "Command4" << false;
        QTest::newRow("multipli 48 never drawn, 47 dal") << false << 47 << "Command6" << true;
        QTest::newRow("sottomultipli 57, 1000") << true << 57 << "Command4" << true;
        QTest::newRow("sottomultipli 62, dl") << true << 62 << "Command7" << true;
        QTest::newRow("sottomultipli 87, ml") << true << 87 << "Command5" << true;
        QTest::newRow("sottomultipli 87, dl") << true << 87 << "Command7" << false;
        QTest::newRow("sottomultipli 9, l") << true << 9 << "Command8" << true;
        QTest::newRow("sottomultipli 9, ml") << true << 9 << "Command5" << false;
    }
    void verdetto() {
        QFETCH(bool, sotto);
        QFETCH(int, numero);
        QFETCH(QString, pulsante);
        QFETCH(bool, esatto);
        apri(sotto, numero);
        QCOMPARE(form->stato().numeroDomanda, float(numero));
        click(*form, pulsante);
        click(*form, "CmdVerifica");
        QCOMPARE(text(*form, "LblEsito"),
                 esatto ? QStringLiteral("E  s  a  t  t  o") : QStringLiteral("E  r  r  a  t  o"));
    }

    void tempi_data() {
        QTest::addColumn<float>("mostrata");
        QTest::addColumn<float>("verificata");
        QTest::addColumn<QString>("parziale");
        QTest::newRow("7.9 s") << 100.0f << 107.9f << "7";
        QTest::newRow("under a second") << 100.0f << 100.5f << "0";
        QTest::newRow("whole seconds") << 500.25f << 560.25f << "60";
        QTest::newRow("across midnight") << 86390.0f << 5.0f << "15";
        QTest::newRow("just across midnight") << 86399.5f << 0.25f << "0";
    }
    void tempi() {
        QFETCH(float, mostrata);
        QFETCH(float, verificata);
        QFETCH(QString, parziale);
        clock.now = mostrata;
        apri(false);
        click(*form, "Command2");
        clock.now = verificata;
        click(*form, "CmdVerifica");
        QCOMPARE(text(*form, "LblTempoParziale"), parziale);
        QCOMPARE(text(*form, "LblTempoTotale"), parziale);
    }

    void totaleDiPartiArrotondate() {
        apri(false);
        for (int i = 0; i < 2; ++i) {
            clock.now += 2.6f;
            click(*form, "Command2");
            click(*form, "CmdVerifica");
            QCOMPARE(text(*form, "LblTempoParziale"), QStringLiteral("2"));
            click(*form, "CmdOperazione");
        }
        QCOMPARE(text(*form, "LblTempoTotale"), QStringLiteral("4"));
        QCOMPARE(form->stato().tempoTotale, 4.0f);
    }

    // The time runs from the question's display to the verification, not to the answer click.
    void tempoFinoAllaVerifica() {
        clock.now = 1000.0f;
        apri(false);
        clock.now = 1003.0f;
        click(*form, "Command2");
        clock.now = 1009.5f;
        click(*form, "CmdVerifica");
        QCOMPARE(text(*form, "LblTempoParziale"), QStringLiteral("9"));
    }

    void serieCompleta_data() { aggiungiFinestre(); }
    void serieCompleta() {
        QFETCH(bool, sotto);
        apri(sotto);
        float totale = 0;
        for (int domanda = 1; domanda <= 96; ++domanda) {
            QCOMPARE(text(*form, "LblOperazione"), QString::number(domanda));
            const bool giusta = domanda % 3 != 0;
            click(*form, giusta ? pulsanteGiusto() : pulsanteSbagliato());
            clock.now += 1.5f;
            totale += 1;
            click(*form, "CmdVerifica");
            QCOMPARE(text(*form, "LblEsito"),
                     giusta ? QStringLiteral("E  s  a  t  t  o") : QStringLiteral("E  r  r  a  t  o"));
            QCOMPARE(text(*form, "LblTempoTotale"), QString::number(totale));
            if (domanda < 96) {
                verificaStato("verificata", false);
                random.values = {drawing(domanda % finestra->n + 1, finestra->n)};
                click(*form, "CmdOperazione");
                verificaStato("attesa", false);
            }
        }
        verificaStato("finita", true);
        QCOMPARE(form->stato().contaDomande, qint16(96));
        // The last verdict (the 96th answer is a wrong one), then the buttons now offered, by the
        // names a screen reader gives them.
        const QStringList fineSerie = {"Errato", "Serie finita: ora ci sono i pulsanti Ricomincia e Fine"};
        QCOMPARE(detti().last(2), fineSerie);

        // "Verifica" again in the ended state gives the same verdict and adds the time again.
        const QString esito = text(*form, "LblEsito");
        clock.now += 4.0f;
        click(*form, "CmdVerifica");
        QCOMPARE(text(*form, "LblEsito"), esito);
        QCOMPARE(text(*form, "LblTempoParziale"), QStringLiteral("5"));
        QCOMPARE(text(*form, "LblTempoTotale"), QString::number(totale + 5));
        verificaStato("finita", true);
        QCOMPARE(detti(), fineSerie);

        random.values = {drawing(2, finestra->n)};
        click(*form, "CmdRicomincia");
        verificaStato("attesa", false);
        QCOMPARE(detti(), QStringList{detto(domanda(2))});
        QCOMPARE(text(*form, "LblOperazione"), QStringLiteral("1"));
        QCOMPARE(text(*form, "LblTempoTotale"), QString::number(totale + 5));
        click(*form, pulsanteGiusto());
        clock.now += 3.0f;
        click(*form, "CmdVerifica");
        QCOMPARE(text(*form, "LblTempoTotale"), QString::number(totale + 8));
        verificaStato("verificata", false);
    }

    void fineEFinestraRiaperta() {
        apri(false);
        click(*form, "Command2");
        clock.now += 12.2f;
        click(*form, "CmdVerifica");
        click(*form, "CmdOperazione");
        // "F i n e" is hidden after a next question; it is back after a new load.
        QVERIFY(!visible(*form, "CmdFine"));
        form->unload();
        flushDeletes();
        mostra();
        verificaStato("attesa", true);
        QVERIFY(text(*form, "LblTempoTotale").isEmpty());
        QCOMPARE(form->stato().tempoTotale, 12.0f);

        click(*form, "CmdFine");
        QVERIFY(!form->isLoaded());
        flushDeletes();
        mostra();
        click(*form, "Command3");
        clock.now += 3.0f;
        click(*form, "CmdVerifica");
        QCOMPARE(text(*form, "LblTempoTotale"), QStringLiteral("15"));
    }

    void chiusuraDallaBarraDelTitolo() {
        apri(true);
        click(*form, "Command2");
        QVERIFY(form->window()->close());
        QVERIFY(!form->isLoaded());
        QCOMPARE(terminazioni, 0);
    }

    void esciTerminaIlProgramma() {
        apri(true);
        form->menuItem("MnuEsci")->trigger();
        QCOMPARE(terminazioni, 1);
    }

    void barraVuotaInerte() {
        apri(false);
        click(*form, "Command2");
        click(*form, "CmdVerifica");
        click(*form, "CmdOperazione");
        // Both action buttons hidden: the click falls on the blank, disabled bar.
        verificaStato("attesa", false);
        click(*form, "Command1");
        verificaStato("attesa", false);
        QVERIFY(!form->button("Command1")->isEnabled());
        QVERIFY(form->window()->focusWidget() != form->button("Command1"));
    }

    // nuovaDomanda: the new question is shown before the answer is cleared, and clearing the
    // answer hides "F i n e" before the verdict is cleared.
    void ordineInNuovaDomanda() {
        apri(false);
        click(*form, "Command2");
        click(*form, "CmdVerifica");
        random.values = {drawing(20, 47)};
        QStringList visto;
        QObject::connect(form->label("lblRisultato"), &platform::Label::changed, [&] {
            visto << QStringLiteral("risultato:%1:%2:%3")
                         .arg(text(*form, "LblNumero2"), text(*form, "LblIstruzione"))
                         .arg(form->button("CmdVerifica")->isHidden());
        });
        QObject::connect(form->label("LblEsito"), &platform::Label::changed,
                         [&] { visto << QStringLiteral("esito:%1").arg(form->button("CmdFine")->isHidden()); });
        click(*form, "CmdOperazione");
        const QString domanda20 = QString::fromUtf8(form->variante().catalogo[19].testo);
        QCOMPARE(visto, QStringList({"risultato:" + domanda20 + ":Clicca sul pulsante esatto:1", "esito:1"}));
    }

    // Assistive technology reads every label's text and finds the empty labels by what they will
    // show.
    void accessibilita() {
        apri(false, 14);
        const QList<QPair<QString, QString>> descrizioni = {
            {"LblNumero2", "Domanda"},
            {"lblRisultato", "Risposta scelta"},
            {"LblEsito", "Esito"},
            {"LblIstruzione", "Istruzione"},
            {"LblOperazione", "Numero della domanda"},
            {"LblTempoParziale", "Tempo parziale in secondi"},
            {"LblTempoTotale", "Tempo totale in secondi"},
        };
        for (const auto& [nome, descrizione] : descrizioni) {
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(form->label(nome));
            QCOMPARE(a->text(QAccessible::Description), descrizione);
            if (nome != QLatin1String("LblNumero2"))
                QCOMPARE(a->text(QAccessible::Name), text(*form, nome));
            QCOMPARE(a->role(), QAccessible::StaticText);
        }
        // The question as a teacher reads it.
        QCOMPARE(QAccessible::queryAccessibleInterface(form->label("LblNumero2"))->text(QAccessible::Name),
                 QString::fromUtf8("Quante volte l'ettolitro è più capace del decalitro?"));
        // Captions drawn with spaced letters are read as their words; the others as they stand.
        QCOMPARE(QAccessible::queryAccessibleInterface(form->button("CmdFine"))->text(QAccessible::Name),
                 QStringLiteral("Fine"));
        QCOMPARE(QAccessible::queryAccessibleInterface(form->button("CmdOperazione"))->text(QAccessible::Name),
                 QStringLiteral("Visualizza nuova domanda"));
        // A unit's button is named by its symbol, which a braille display shows, and described by the
        // unit's name, which is said; a number is only named.
        const QList<std::tuple<const char*, QString, QString>> risposte = {
            {"Command6", "dal", "decalitro"}, {"Command5", "l", "litro"}, {"Command4", "1000", ""}};
        for (const auto& [nome, simbolo, unità] : risposte) {
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(form->button(nome));
            QCOMPARE(a->text(QAccessible::Name), simbolo);
            QCOMPARE(a->text(QAccessible::Description), unità);
        }
        // The blank bar is not offered at all, and every button that is offered has a name.
        QAccessibleInterface* area = QAccessible::queryAccessibleInterface(form->window()->centralWidget());
        QList<QObject*> offerti;
        for (int i = 0; i < area->childCount(); ++i) {
            QAccessibleInterface* c = area->child(i);
            QCOMPARE(area->indexOfChild(c), i);
            offerti << c->object();
            if (c->role() == QAccessible::Button)
                QVERIFY2(!c->text(QAccessible::Name).isEmpty(), qPrintable(c->object()->objectName()));
        }
        QVERIFY(offerti.contains(form->button("CmdVerifica")));
        QVERIFY(!offerti.contains(form->button("Command1")));
        QCOMPARE(area->indexOfChild(QAccessible::queryAccessibleInterface(form->button("Command1"))), -1);

        // An empty label is read as empty, not named after the frame around it.
        QCOMPARE(QAccessible::queryAccessibleInterface(form->label("LblTempoTotale"))->text(QAccessible::Name),
                 QString());
        click(*form, "Command6");
        QCOMPARE(QAccessible::queryAccessibleInterface(form->label("lblRisultato"))->text(QAccessible::Name),
                 QStringLiteral("decalitro"));
        click(*form, "Command2");
        QCOMPARE(QAccessible::queryAccessibleInterface(form->label("lblRisultato"))->text(QAccessible::Name),
                 QStringLiteral("10"));
        QCOMPARE(QAccessible::queryAccessibleInterface(form->label("LblEsito"))->text(QAccessible::Name), QString());
        click(*form, "CmdVerifica");
        QCOMPARE(text(*form, "LblEsito"), QStringLiteral("E  s  a  t  t  o"));
        QCOMPARE(QAccessible::queryAccessibleInterface(form->label("LblEsito"))->text(QAccessible::Name),
                 QStringLiteral("Esatto"));
    }

    void estrazione_data() {
        QTest::addColumn<bool>("sotto");
        QTest::addColumn<float>("r");
        QTest::addColumn<float>("numero");
        QTest::newRow("multipli r=0") << false << 0.0f << 1.0f;
        QTest::newRow("multipli r just below 1") << false << std::nextafter(1.0f, 0.0f) << 47.0f;
        QTest::newRow("multipli r=0.5") << false << 0.5f << 24.0f;
        QTest::newRow("sottomultipli r=0") << true << 0.0f << 1.0f;
        QTest::newRow("sottomultipli r just below 1") << true << std::nextafter(1.0f, 0.0f) << 96.0f;
        QTest::newRow("sottomultipli r=0.5") << true << 0.5f << 49.0f;
    }
    void estrazione() {
        QFETCH(bool, sotto);
        QFETCH(float, r);
        QFETCH(float, numero);
        clock.now = 4321.5f;
        finestra = sotto ? &sottomultipli : &multipli;
        apri(sotto);
        random.values = {r};
        random.seeds.clear();
        click(*form, "Command2");
        click(*form, "CmdVerifica");
        click(*form, "CmdOperazione");
        QCOMPARE(form->stato().numeroDomanda, numero);
        // The generator is re-seeded from the timer before the draw.
        QCOMPARE(random.seeds, std::vector<float>{4321.5f});
    }

    // With the real generator every number of the window comes up, and repeats happen.
    void ogniNumeroEsce_data() { aggiungiFinestre(); }
    void ogniNumeroEsce() {
        QFETCH(bool, sotto);
        platform::SystemRandom vero;
        auto termina = [] {};
        std::unique_ptr<FinestraQuiz> f;
        if (sotto)
            f = std::make_unique<quiz::FrmSottomultipliCapacità>(clock, vero, termina);
        else
            f = std::make_unique<quiz::FrmMultipliCapacità>(clock, vero, termina);
        const int n = sotto ? 96 : 47;
        f->load();
        QSet<int> visti;
        bool ripetuto = false;
        int precedente = -1;
        for (int i = 0; i < 5000; ++i) {
            clock.now += 0.37f;
            f->button("Command2")->click();
            f->button("CmdVerifica")->click();
            if (f->button("CmdRicomincia")->isVisibleTo(f->window()))
                f->button("CmdRicomincia")->click();
            else
                f->button("CmdOperazione")->click();
            const int numero = static_cast<int>(f->stato().numeroDomanda);
            QVERIFY(numero >= 1 && numero <= n);
            ripetuto = ripetuto || numero == precedente;
            precedente = numero;
            visti.insert(numero);
        }
        QCOMPARE(visti.size(), n);
        QVERIFY(ripetuto);
        f.reset();
        flushDeletes();
    }
};

QTEST_MAIN(TestFlusso)
#include "tst_flusso.moc"
