// The program by touch, as on a classroom's interactive whiteboard: a tap is a click on every kind
// of push button, a finger held on "Info" shows the information window until it is lifted, and a
// tap on the information window's surface closes it.

#include "quiz/finestraquiz.h"
#include "shell/frminizio.h"
#include "shell/frmwww.h"
#include "shell/programma.h"
#include "support/support.h"

#include <QPointingDevice>
#include <QtTest>

#include <memory>

using namespace support;

class TestTocco : public QObject {
    Q_OBJECT

private:
    StandInClock clock;
    StandInRandom random;
    std::unique_ptr<shell::Programma> programma;
    QPointingDevice* dito = nullptr;

    // One finger, numbered as the touch screen numbers its touch points.
    void appoggia(platform::Form& form, QPoint at, int punto = 0) {
        QTest::touchEvent(form.window()->windowHandle(), dito).press(punto, at, form.window()->windowHandle());
    }
    void trascina(platform::Form& form, QPoint at, int punto = 0) {
        QTest::touchEvent(form.window()->windowHandle(), dito).move(punto, at, form.window()->windowHandle());
    }
    void solleva(platform::Form& form, QPoint at, int punto = 0) {
        QTest::touchEvent(form.window()->windowHandle(), dito).release(punto, at, form.window()->windowHandle());
    }
    void tocca(platform::Form& form, const QString& nome) {
        QVERIFY2(form.control(nome), qPrintable(nome));
        const QPoint at = centro(form, nome);
        appoggia(form, at);
        solleva(form, at);
    }

private slots:
    void initTestCase() {
        support::setUpApplication();
        dito = QTest::createTouchDevice();
    }

    // The test owns the touch device it registered.
    void cleanupTestCase() { delete dito; }

    void init() {
        random.values = {0.25f};
        programma = std::make_unique<shell::Programma>(clock, random);
        programma->avvia();
        QVERIFY(QTest::qWaitForWindowExposed(programma->inizio().window()));
    }

    void cleanup() {
        programma.reset();
        flushDeletes();
    }

    // Taps on every kind of push button take a quiz window through a whole series and close it.
    void serieATocchi_data() {
        QTest::addColumn<bool>("sotto");
        QTest::newRow("multipli") << false;
        QTest::newRow("sottomultipli") << true;
    }
    void serieATocchi() {
        QFETCH(bool, sotto);
        tocca(programma->inizio(), sotto ? QStringLiteral("Command2") : QStringLiteral("Command1"));
        quiz::FinestraQuiz& quiz = sotto ? static_cast<quiz::FinestraQuiz&>(programma->sottomultipli())
                                         : static_cast<quiz::FinestraQuiz&>(programma->multipli());
        QVERIFY(quiz.isLoaded());
        QVERIFY(QTest::qWaitForWindowExposed(quiz.window()));
        for (int numero = 1; numero <= quiz::FinestraQuiz::domandePerSerie; ++numero) {
            QCOMPARE(text(quiz, "LblOperazione"), QString::number(numero));
            tocca(quiz, QStringLiteral("Command4"));
            QCOMPARE(text(quiz, "lblRisultato"), QStringLiteral("1000"));
            tocca(quiz, QStringLiteral("CmdVerifica"));
            QVERIFY(!text(quiz, "LblEsito").isEmpty());
            if (numero < quiz::FinestraQuiz::domandePerSerie)
                tocca(quiz, QStringLiteral("CmdOperazione"));
        }
        QVERIFY(visible(quiz, "CmdRicomincia"));
        tocca(quiz, QStringLiteral("CmdRicomincia"));
        QCOMPARE(text(quiz, "LblOperazione"), QStringLiteral("1"));
        QVERIFY(!visible(quiz, "CmdRicomincia"));
        // "F i n e" shows while the first question waits for an answer.
        quiz.window()->close();
        tocca(programma->inizio(), sotto ? QStringLiteral("Command2") : QStringLiteral("Command1"));
        QVERIFY(visible(quiz, "CmdFine"));
        tocca(quiz, QStringLiteral("CmdFine"));
        QVERIFY(!quiz.isLoaded());
    }

    void esciATocco() {
        tocca(programma->inizio(), QStringLiteral("Command9"));
        QVERIFY(!programma->inizio().isLoaded());
    }

    // The finger may slide off "Info" before it is lifted; the window lasts as long as the touch.
    void infoTenuto_data() {
        QTest::addColumn<bool>("scivola");
        QTest::newRow("lifted on the button") << false;
        QTest::newRow("slides off first") << true;
    }
    void infoTenuto() {
        QFETCH(bool, scivola);
        platform::Form& menu = programma->inizio();
        QPoint at = centro(menu, QStringLiteral("Command7"));
        appoggia(menu, at);
        QVERIFY(programma->www().isLoaded());
        QVERIFY(programma->www().window()->isVisible());
        if (scivola) {
            at = QPoint(20, menu.window()->height() - 20);
            trascina(menu, at);
            QVERIFY(programma->www().isLoaded());
        }
        solleva(menu, at);
        QVERIFY(!programma->www().isLoaded());
    }

    // While one finger holds "Info", a second one taps the window: on a contact line nothing
    // happens, on the surface the window closes, and lifting the first finger then does nothing.
    void tapSullInfo() {
        platform::Form& menu = programma->inizio();
        const QPoint info = centro(menu, QStringLiteral("Command7"));
        appoggia(menu, info);
        shell::FrmWWW& www = programma->www();
        QVERIFY(QTest::qWaitForWindowExposed(www.window()));
        const QPoint etichetta = centro(www, QStringLiteral("Label1"));
        appoggia(www, etichetta, 1);
        solleva(www, etichetta, 1);
        QVERIFY(www.isLoaded());
        const QPoint superficie = www.clientArea()->mapTo(www.window(), QPoint(10, 10));
        appoggia(www, superficie, 1);
        solleva(www, superficie, 1);
        QVERIFY(!www.isLoaded());
        solleva(menu, info);
        QVERIFY(!www.isLoaded());
        QVERIFY(menu.isLoaded());
    }
};

QTEST_MAIN(TestTocco)
#include "tst_tocco.moc"
