// A storm of random user actions over the whole program, checking after each one that every
// window is still in a state its rules allow. Reproducible: the seed is printed, and a failure
// names it with the last actions. CAPACITA_STORM_SEED and CAPACITA_STORM_ACTIONS override the
// seed and the number of actions.

#include "platform/forms/scanning.h"
#include "quiz/finestraquiz.h"
#include "shell/frminizio.h"
#include "shell/frmwww.h"
#include "shell/programma.h"
#include "support/statiquiz.h"
#include "support/support.h"

#include <QAction>
#include <QMenu>
#include <QPointer>
#include <QtTest>

#include <deque>
#include <functional>
#include <map>
#include <random>

using namespace support;

namespace {

int envInt(const char* nome, int predefinito) {
    bool ok = false;
    const int valore = qEnvironmentVariableIntValue(nome, &ok);
    return ok ? valore : predefinito;
}

// What the storm knows of one quiz window object, which outlives its on-screen windows.
struct Osservato {
    QPointer<QWidget> finestra; // the on-screen window the hook below was made for
    qint64 sommaParziali = 0;   // every partial time shown since the object was created
    bool verificato = false;    // a partial time was shown since the last load
};

} // namespace

class TestTempesta : public QObject {
    Q_OBJECT

private:
    StandInClock clock;
    platform::SystemRandom random;
    std::unique_ptr<shell::Programma> programma;
    std::mt19937 gen;
    std::deque<QString> ultime;
    std::map<quiz::FinestraQuiz*, Osservato> osservati;
    bool infoAttesa = false;
    quint32 seme = 0;
    int azione = 0;
    QMap<QString, int> statiVisti;
    const QJsonObject tabellaDegliStati = statiQuiz();

    int caso(int n) { return std::uniform_int_distribution<int>(0, n - 1)(gen); }

    QString storia() const {
        QString s = QStringLiteral("seed %1, action %2; last actions:").arg(seme).arg(azione);
        for (const QString& a : ultime)
            s += QStringLiteral("\n  ") + a;
        return s;
    }

    void registra(const QString& descrizione) {
        ultime.push_back(descrizione);
        if (ultime.size() > 25)
            ultime.pop_front();
    }

    std::vector<platform::Form*> finestreCaricate() {
        std::vector<platform::Form*> caricate;
        for (platform::Form* f : programma->finestre()) {
            if (f->isLoaded())
                caricate.push_back(f);
        }
        return caricate;
    }

    QString controlloACaso(platform::Form& form) {
        QStringList nomi;
        for (const platform::ControlGroup& g : form.layout().groups) {
            for (const platform::Control& c : g.controls)
                nomi << QString::fromUtf8(c.name);
        }
        return nomi[caso(static_cast<int>(nomi.size()))];
    }

    Qt::MouseButton tastoACaso() {
        static const Qt::MouseButton tasti[] = {Qt::LeftButton, Qt::LeftButton, Qt::LeftButton, Qt::RightButton,
                                                Qt::MiddleButton};
        return tasti[caso(5)];
    }

    static QString nomeTasto(Qt::MouseButton tasto) {
        return tasto == Qt::LeftButton    ? QStringLiteral("left")
               : tasto == Qt::RightButton ? QStringLiteral("right")
                                          : QStringLiteral("middle");
    }

    bool suInfo(platform::Form& form, const QString& nome) {
        return &form == &programma->inizio() && nome == QLatin1String("Command7");
    }

    // Never end the program here: ending is tested on its own.
    bool finisceIlProgramma(platform::Form& form, const QString& nome) {
        return &form == &programma->inizio() && nome == QLatin1String("Command9");
    }

    void avanzaOrologio(int centesimi = 3000) {
        float t = clock.now + static_cast<float>(caso(centesimi)) / 100.0f;
        if (t >= 86400.0f)
            t -= 86400.0f;
        clock.now = t;
    }

    void agisci() {
        avanzaOrologio();
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
        const auto caricate = finestreCaricate();
        platform::Form& form = *caricate[caso(static_cast<int>(caricate.size()))];
        const QString nome = controlloACaso(form);
        QWindow* w = form.window()->windowHandle();
        const QString dove = form.window()->objectName() + QLatin1Char('.') + nome;
        // Clicks anywhere are the most common; a whole series played to its end is rare.
        static const std::vector<double> pesi = {30, 5, 8, 8, 3, 1, 4, 3, 15, 0.05};
        switch (std::discrete_distribution<int>(pesi.begin(), pesi.end())(gen)) {
        case 0: {
            if (finisceIlProgramma(form, nome))
                return;
            const Qt::MouseButton tasto = tastoACaso();
            registra(QStringLiteral("click %1 with %2").arg(dove, nomeTasto(tasto)));
            QTest::mouseClick(w, tasto, Qt::NoModifier, centro(form, nome));
            if (suInfo(form, nome))
                infoAttesa = false;
            break;
        }
        case 1: {
            if (finisceIlProgramma(form, nome))
                return;
            registra(QStringLiteral("double click %1").arg(dove));
            QTest::mouseDClick(w, Qt::LeftButton, Qt::NoModifier, centro(form, nome));
            if (suInfo(form, nome))
                infoAttesa = false;
            break;
        }
        case 2: {
            // Press on one control and release on another of the same window.
            const QString altro = controlloACaso(form);
            const Qt::MouseButton tasto = tastoACaso();
            registra(QStringLiteral("press %1, release on %2 with %3").arg(dove, altro, nomeTasto(tasto)));
            QTest::mousePress(w, tasto, Qt::NoModifier, centro(form, nome));
            if (suInfo(form, nome) && form.control(nome)->isVisible()) {
                infoAttesa = true;
                controlla();
            }
            if (!form.isLoaded())
                return;
            QTest::mouseMove(w, centro(form, altro));
            QTest::mouseRelease(w, tasto, Qt::NoModifier, centro(form, altro));
            if (suInfo(form, nome))
                infoAttesa = false;
            break;
        }
        case 3: {
            static const std::pair<Qt::Key, Qt::KeyboardModifiers> tasti[] = {
                {Qt::Key_Space, Qt::NoModifier}, {Qt::Key_Return, Qt::NoModifier}, {Qt::Key_Enter, Qt::KeypadModifier},
                {Qt::Key_Tab, Qt::NoModifier},   {Qt::Key_Tab, Qt::ShiftModifier}, {Qt::Key_Escape, Qt::NoModifier}};
            const auto [tasto, modificatori] = tasti[caso(6)];
            QWidget* bersaglio = QApplication::focusWidget() ? QApplication::focusWidget() : form.window();
            // Space or Enter on "E S C I" would end the program.
            if (tasto != Qt::Key_Tab && tasto != Qt::Key_Escape && programma->inizio().isLoaded() &&
                bersaglio == programma->inizio().control(QStringLiteral("Command9")))
                return;
            registra(QStringLiteral("key %1 on %2")
                         .arg(QKeySequence(tasto | modificatori).toString(), bersaglio->objectName()));
            QTest::keyClick(bersaglio, tasto, modificatori);
            break;
        }
        case 4: {
            // Alt+F opens the File menu; Escape closes it again before anything is chosen.
            registra(QStringLiteral("Alt+F, Escape on %1").arg(form.window()->objectName()));
            QTest::keyClick(form.window(), Qt::Key_F, Qt::AltModifier);
            if (QWidget* popup = QApplication::activePopupWidget())
                QTest::keyClick(popup, Qt::Key_Escape);
            break;
        }
        case 5: {
            registra(QStringLiteral("close %1 from its title bar").arg(form.window()->objectName()));
            const bool erainfo = &form == &programma->www();
            form.window()->close();
            if (erainfo)
                infoAttesa = false;
            break;
        }
        case 6: {
            // Reopen a window from the main menu.
            if (!programma->inizio().isLoaded())
                return;
            const QString pulsante = caso(2) ? QStringLiteral("Command1") : QStringLiteral("Command2");
            registra(QStringLiteral("open from the menu with %1").arg(pulsante));
            click(programma->inizio(), pulsante);
            break;
        }
        case 7: {
            // A click on the window's own surface, away from its controls.
            registra(QStringLiteral("click the surface of %1").arg(form.window()->objectName()));
            QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, form.clientArea()->mapTo(form.window(), QPoint(2, 2)));
            if (&form == &programma->www())
                infoAttesa = false;
            break;
        }
        case 8:
            giocaUnaDomanda(false);
            break;
        case 9:
            giocaUnaDomanda(true);
            break;
        }
    }

    // A pupil's round on an open quiz window: an answer, "Verifica", then the next question; or,
    // with finoInFondo, rounds until the series has ended.
    void giocaUnaDomanda(bool finoInFondo) {
        std::vector<quiz::FinestraQuiz*> aperte;
        for (quiz::FinestraQuiz* f : {static_cast<quiz::FinestraQuiz*>(&programma->multipli()),
                                      static_cast<quiz::FinestraQuiz*>(&programma->sottomultipli())}) {
            if (f->isLoaded())
                aperte.push_back(f);
        }
        if (aperte.empty())
            return;
        quiz::FinestraQuiz& f = *aperte[caso(static_cast<int>(aperte.size()))];
        registra(QStringLiteral("play %1 %2").arg(f.window()->objectName(), finoInFondo ? "to the end" : "a round"));
        do {
            const auto& risposte = f.variante().pulsantiRisposta;
            for (const QString& nome : {QString::fromLatin1(risposte[caso(static_cast<int>(risposte.size()))]),
                                        QStringLiteral("CmdVerifica"), QStringLiteral("CmdOperazione")}) {
                avanzaOrologio();
                if (f.control(nome)->isVisible())
                    click(f, nome);
                controlla();
                if (QTest::currentTestFailed())
                    return;
            }
        } while (finoInFondo && !f.control(QStringLiteral("CmdRicomincia"))->isVisible());
    }

    void aggancia(quiz::FinestraQuiz& form) {
        Osservato& o = osservati[&form];
        if (o.finestra == form.window())
            return;
        o.finestra = form.window();
        o.verificato = false;
        connect(form.label(QStringLiteral("LblTempoParziale")), &platform::Label::changed, form.window(), [&o, &form] {
            o.sommaParziali += form.label(QStringLiteral("LblTempoParziale"))->text().toLongLong();
            o.verificato = true;
        });
    }

    void controllaQuiz(quiz::FinestraQuiz& form) {
        const Osservato& o = osservati[&form];
        const QJsonObject visto = osservaQuiz(form);
        QStringList stati;
        for (auto s = tabellaDegliStati.begin(); s != tabellaDegliStati.end(); ++s) {
            if (nelloStato(visto, s->toObject()))
                stati << s.key();
        }
        QVERIFY2(stati.size() == 1, qPrintable(QStringLiteral("%1 is in %2 states (%3): %4\n")
                                                   .arg(form.window()->objectName())
                                                   .arg(stati.size())
                                                   .arg(stati.join(QLatin1Char(',')), descrivi(visto)) +
                                               storia()));
        QVERIFY2(!form.control(QStringLiteral("Command1"))->isEnabled(), qPrintable(storia()));
        ++statiVisti[stati.first()];

        const qint16 conta = form.stato().contaDomande;
        QVERIFY2(conta >= 1 && conta <= 96, qPrintable(storia()));
        QVERIFY2(text(form, QStringLiteral("LblOperazione")) == QString::number(conta), qPrintable(storia()));
        QVERIFY2((stati.first() == QLatin1String("finita")) == (conta == 96 && visto[QStringLiteral("esito")].toBool()),
                 qPrintable(storia()));

        const auto voce = catalogue::cerca(form.variante().catalogo, form.stato().numeroDomanda);
        QVERIFY2(voce.has_value(), qPrintable(storia()));
        QVERIFY2(text(form, QStringLiteral("LblNumero2")) == QString::fromUtf8(voce->testo), qPrintable(storia()));
        QVERIFY2(form.stato().rispostaEsatta == QString::fromUtf8(voce->risposta), qPrintable(storia()));

        const QString totale = text(form, QStringLiteral("LblTempoTotale"));
        if (o.verificato)
            QVERIFY2(totale == QString::number(o.sommaParziali), qPrintable(storia()));
        else
            QVERIFY2(totale.isEmpty(), qPrintable(storia()));
    }

    void controlla() {
        QMap<QString, int> aSchermo;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->isVisible() && !w->objectName().isEmpty() && qobject_cast<platform::FormWindow*>(w))
                ++aSchermo[w->objectName()];
        }
        for (auto it = aSchermo.cbegin(); it != aSchermo.cend(); ++it)
            QVERIFY2(it.value() == 1, qPrintable(it.key() + QStringLiteral(" on screen twice\n") + storia()));
        QVERIFY2(programma->www().isLoaded() == infoAttesa, qPrintable(storia()));
        // The keyboard's focus is never lost: a window on screen that has push buttons, when
        // active, has a visible, enabled one focused. (In the browser a window that has gone may
        // stay the active one until another is shown.)
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents(); // activation comes from the platform, in turns
        if (auto* attiva = qobject_cast<platform::FormWindow*>(QApplication::activeWindow());
            attiva && attiva->isVisible() && attiva->findChild<platform::PushButton*>()) {
            const QWidget* fuoco = QApplication::focusWidget();
            QVERIFY2(
                fuoco && fuoco->window() == attiva && fuoco->isVisible() && fuoco->isEnabled(),
                qPrintable(QStringLiteral("%1 is active with the focus on %2\n")
                               .arg(attiva->objectName(), fuoco ? fuoco->objectName() : QStringLiteral("nothing")) +
                           storia()));
        }
        for (quiz::FinestraQuiz* f : {static_cast<quiz::FinestraQuiz*>(&programma->multipli()),
                                      static_cast<quiz::FinestraQuiz*>(&programma->sottomultipli())}) {
            if (!f->isLoaded())
                continue;
            aggancia(*f);
            controllaQuiz(*f);
            if (QTest::currentTestFailed())
                return;
        }
    }

    void inizia(int azioni) {
        seme = static_cast<quint32>(envInt("CAPACITA_STORM_SEED", static_cast<int>(std::random_device{}() >> 1)));
        qInfo("storm: seed %u, %d actions", seme, azioni);
        gen.seed(seme);
        ultime.clear();
        osservati.clear();
        statiVisti.clear();
        infoAttesa = false;
        clock.now = static_cast<float>(caso(86400));
        programma = std::make_unique<shell::Programma>(clock, random);
        programma->avvia();
    }

    // One press of the switch, or its release, or time going by, for the scan.
    void agisciConUnSensore(platform::Scanner& sensore, bool& giù) {
        QWidget* fronte = support::fronte();
        auto* pulsante = qobject_cast<QPushButton*>(sensore.highlighted());
        const QString evidenziato = sensore.action() ? sensore.action()->text()
                                    : pulsante       ? pulsante->text()
                                                     : QString();
        // Never end the program here: ending is tested on its own.
        const bool fine = evidenziato == QLatin1String("E S C I") || evidenziato == QLatin1String("Esci");
        if (giù) {
            registra(QStringLiteral("let the switch go"));
            if (fronte)
                QTest::mouseRelease(fronte->windowHandle(), Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
            giù = false;
        } else if (caso(3) == 0 || fine || !fronte) {
            registra(QStringLiteral("wait"));
            avanzaOrologio(300);
        } else {
            // The switch is a mouse button, pressed anywhere on the front window.
            registra(QStringLiteral("press the switch on ") + evidenziato);
            QTest::mousePress(fronte->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                              QPoint(caso(fronte->width()), caso(fronte->height())));
            giù = true;
        }
        QCoreApplication::processEvents();
        sensore.tick();
        infoAttesa = programma->inizio().isLoaded() && sensore.held() &&
                     sensore.held() == programma->inizio().control(QStringLiteral("Command7"));
    }

    // The highlight is on a visible, enabled control of the front window, or on the button held.
    void controllaEvidenziato(const platform::Scanner& sensore) {
        QWidget* fronte = support::fronte();
        QWidget* c = sensore.highlighted();
        if (!c || sensore.held())
            return;
        QVERIFY2(c->isVisible() && c->isEnabled() && c->window() == fronte,
                 qPrintable(QStringLiteral("the highlight is on %1\n").arg(c->objectName()) + storia()));
    }

    // Runs azioni actions, each checked after it (and by controllaAncora, if given); false once a
    // check has failed.
    bool infuria(int azioni, const std::function<void()>& agisci, const std::function<void()>& controllaAncora = {}) {
        for (azione = 0; azione < azioni; ++azione) {
            // The main menu may have been closed from its title bar: a new run starts then.
            if (finestreCaricate().empty()) {
                registra(QStringLiteral("start again"));
                programma->inizio().show();
            }
            agisci();
            if (QTest::currentTestFailed())
                return false;
            controlla();
            if (controllaAncora && !QTest::currentTestFailed())
                controllaAncora();
            if (QTest::currentTestFailed())
                return false;
            if (azione % 500 == 0)
                flushDeletes();
        }
        return true;
    }

    // How often each state of the quiz windows' table was seen.
    QString visti() const {
        QStringList righe;
        for (auto it = statiVisti.cbegin(); it != statiVisti.cend(); ++it)
            righe << QStringLiteral("%1 %2").arg(it.key()).arg(it.value());
        return righe.join(QStringLiteral(", "));
    }

private slots:
    void initTestCase() { support::setUpApplication(); }

    void tempesta() {
        const int azioni = envInt("CAPACITA_STORM_ACTIONS", 100000);
        inizia(azioni);
        if (!infuria(azioni, [this] { agisci(); }))
            return;
        qInfo("storm: %d actions, quiz windows seen in: %s", azioni, qPrintable(visti()));
        // A storm that never verified an answer would have proved little.
        if (azioni >= 10000)
            QVERIFY(statiVisti.value(QStringLiteral("verificata")) > 0 &&
                    statiVisti.value(QStringLiteral("finita")) > 0);
        programma.reset();
        flushDeletes();
    }

    // The switch pressed and let go at random times while the scan steps: the same rules hold,
    // and the highlight is always on what can be used.
    void tempestaConUnSensore() {
        const int azioni = envInt("CAPACITA_STORM_ACTIONS", 100000) / 4;
        inizia(azioni);
        platform::Scanner sensore(clock, 1.2);
        bool giù = false;
        if (!infuria(
                azioni, [&] { agisciConUnSensore(sensore, giù); }, [&] { controllaEvidenziato(sensore); }))
            return;
        qInfo("storm with a switch: %d actions, quiz windows seen in: %s", azioni, qPrintable(visti()));
        // One switch alone reaches every state of a quiz window. (In the browser the window behind
        // comes back in front after the switch opens one: not yet explained.)
#if !defined(Q_OS_WASM)
        if (azioni >= 1000)
            QVERIFY(statiVisti.value(QStringLiteral("verificata")) > 0);
#endif
        programma.reset();
        flushDeletes();
    }
};

QTEST_MAIN(TestTempesta)
#include "tst_tempesta.moc"
