// Switch scanning: the whole program worked with one key, the scan stepped by a stand-in clock.

#include "platform/forms/highlight.h"
#include "platform/forms/scanning.h"
#include "quiz/finestraquiz.h"
#include "shell/frminizio.h"
#include "shell/frmwww.h"
#include "shell/programma.h"
#include "support/support.h"

#include <QMenu>
#include <QtTest>

#include <memory>

using namespace support;

namespace {

constexpr double passo = 1.2;
const QStringList risposte{"10", "100", "1000", "l", "dal", "hl"};

} // namespace

class TestSensore : public QObject {
    Q_OBJECT

private:
    StandInClock clock;
    StandInRandom random;
    std::unique_ptr<shell::Programma> programma;
    std::unique_ptr<platform::Scanner> scansione;
    QStringList raggiunti; // the captions the highlight reached, in order

    platform::Form& quiz() { return programma->multipli(); }

    void avvia() {
        raggiunti.clear();
        scansione = std::make_unique<platform::Scanner>(clock, passo, [this](const QString& c) { raggiunti << c; });
        scansione->tick();
    }

    // Lets time go by seconds, looking at each tenth of a second as the scanner's timer would.
    void attendi(double secondi) {
        for (int i = 0; i < int(secondi * 10 + 0.5); ++i) {
            clock.now += 0.1f;
            scansione->tick();
        }
        QCoreApplication::processEvents();
    }

    QString evidenziato() const {
        if (scansione->action())
            return scansione->action()->text().remove(QLatin1Char('&'));
        auto* b = qobject_cast<QPushButton*>(scansione->highlighted());
        return b ? b->text() : QString();
    }

    // The switch is a mouse button here, pressed anywhere (a key's release counts a moment
    // later, in case it is the key repeating, and the road by the keyboard is the end-to-end
    // scenario's).
    void premi() {
        QTest::mousePress(fronte()->windowHandle(), Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
        QCoreApplication::processEvents();
    }
    void rilascia() {
        if (QWidget* f = fronte())
            QTest::mouseRelease(f->windowHandle(), Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
        QCoreApplication::processEvents();
    }
    // The switch pressed and let go half a second later.
    void aziona() {
        premi();
        clock.now += 0.5f;
        rilascia();
        QTest::qWait(1);
        QCoreApplication::processEvents();
        scansione->tick();
    }

    // Waits, as the pupil does, for the highlight to reach caption.
    void raggiungi(const QString& caption) {
        for (int i = 0; i < 40 && evidenziato() != caption; ++i)
            attendi(passo);
        QCOMPARE(evidenziato(), caption);
    }
    // And then works it.
    void scegli(const QString& caption) {
        raggiungi(caption);
        aziona();
    }

private slots:
    void initTestCase() { support::setUpApplication(); }

    void init() {
#if defined(Q_OS_WASM)
        // In the browser a window that the switch's press opens is shown, but the window the
        // test pressed on comes back in front: not yet explained, so not yet claimed there.
        const QByteArray funzione = QTest::currentTestFunction();
        if (funzione == "unTastoApreLaFinestra" || funzione == "serieConUnTasto")
            QSKIP("in the browser the window behind comes back in front after the switch opens one");
#endif
        random.values = {drawing(1, 47)}; // "È più capace l'ettolitro o il decalitro?": "hl"
        programma = std::make_unique<shell::Programma>(clock, random);
        programma->avvia();
        QVERIFY(QTest::qWaitForWindowActive(programma->inizio().window()));
    }

    void cleanup() {
        scansione.reset();
        programma.reset();
        flushDeletes();
    }

    void ordine_data() {
        QTest::addColumn<QStringList>("clic");
        QTest::addColumn<QStringList>("attesi");
        const QStringList risposteEFile = risposte + QStringList{"File"};
        // clang-format off
        QTest::newRow("main menu") << QStringList{}
            << QStringList{"IL LITRO E I SUOI MULTIPLI", "IL LITRO E I SUOI  SOTTOMULTIPLI", "E S C I", "Info", "File"};
        QTest::newRow("waiting") << QStringList{"apri"} << QStringList{"F i n e"} + risposteEFile;
        QTest::newRow("chosen") << QStringList{"apri", "Command6"} << QStringList{"Verifica"} + risposteEFile;
        QTest::newRow("verified") << QStringList{"apri", "Command6", "CmdVerifica"}
            << QStringList{"Visualizza nuova domanda", "File"};
        // clang-format on
    }
    void ordine() {
        QFETCH(QStringList, clic);
        QFETCH(QStringList, attesi);
        for (const QString& c : clic) {
            if (c == QLatin1String("apri")) {
                click(programma->inizio(), QStringLiteral("Command1"));
                QVERIFY(QTest::qWaitForWindowActive(quiz().window()));
            } else {
                click(quiz(), c);
            }
        }
        const QImage prima = fronte()->grab().toImage();
        avvia();
        for (int i = 1; i < attesi.size() + 1; ++i)
            attendi(passo);
        // One round and back to the first.
        QCOMPARE(raggiunti, attesi + QStringList{attesi.front()});
        // The highlight stands around the control, above it.
        const QWidget* h = fronte()->findChild<QWidget*>(QStringLiteral("highlight"));
        QVERIFY(h && h->isVisible());
        QWidget* c = scansione->highlighted();
        QVERIFY(h->geometry().contains(QRect(c->mapTo(fronte(), QPoint(0, 0)), c->size())));
        // Drawn black outside and yellow inside, over whatever background.
        const QImage img = fronte()->grab().toImage();
        const qreal scala = img.devicePixelRatio();
        const QPoint angolo = h->geometry().topLeft() + QPoint(1, h->height() / 2);
        QCOMPARE(QColor(img.pixel(angolo * scala)), QColor(Qt::black));
        QCOMPARE(QColor(img.pixel((angolo + QPoint(platform::Highlight::thickness, 0)) * scala)), QColor(Qt::yellow));
        // Inside the frame the control shows as it did.
        const QPoint dentro = angolo + QPoint(2 * platform::Highlight::thickness + 1, 0);
        QCOMPARE(QColor(img.pixel(dentro * scala)), QColor(prima.pixel(dentro * scala)));
    }

    void unTastoApreLaFinestra() {
        avvia();
        QCOMPARE(evidenziato(), QStringLiteral("IL LITRO E I SUOI MULTIPLI"));
        aziona();
        QVERIFY(QTest::qWaitForWindowExposed(quiz().window()));
        scansione->tick();
        // The scan moves to the window that opened, from its first control.
        QCOMPARE(evidenziato(), QStringLiteral("F i n e"));
    }

    // After a press the scan starts again from the first control, one step later than usual.
    void pausaDopoUnaPressione() {
        avvia();
        raggiungi(QStringLiteral("Info"));
        aziona();
        QCOMPARE(evidenziato(), QStringLiteral("IL LITRO E I SUOI MULTIPLI"));
        attendi(passo * 1.5);
        QCOMPARE(evidenziato(), QStringLiteral("IL LITRO E I SUOI MULTIPLI"));
        attendi(passo * 0.6);
        QCOMPARE(evidenziato(), QStringLiteral("IL LITRO E I SUOI  SOTTOMULTIPLI"));
    }

    void treGiriEPoiAttende() {
        avvia();
        attendi(passo * 5 * 3 + 0.05);
        QVERIFY(scansione->waiting());
        QCOMPARE(evidenziato(), QStringLiteral("IL LITRO E I SUOI MULTIPLI"));
        attendi(passo * 3);
        QCOMPARE(evidenziato(), QStringLiteral("IL LITRO E I SUOI MULTIPLI"));
        // The next press only starts the scan again.
        aziona();
        QVERIFY(!scansione->waiting());
        QVERIFY(!quiz().isLoaded());
        attendi(passo + 0.05);
        QCOMPARE(evidenziato(), QStringLiteral("IL LITRO E I SUOI  SOTTOMULTIPLI"));
    }

    void tremore() {
        avvia();
        raggiungi(QStringLiteral("Info"));
        aziona();
        // Another press a fifth of a second after the first is not a press: Info does not show.
        clock.now -= 0.3f;
        premi();
        QVERIFY(!programma->www().isLoaded());
        rilascia();
    }

    void infoTenuta() {
        avvia();
        raggiungi(QStringLiteral("Info"));
        premi();
        QVERIFY(programma->www().isLoaded() && programma->www().window()->isVisible());
        attendi(passo * 3);
        QVERIFY(programma->www().isLoaded());
        rilascia();
        flushDeletes();
        QVERIFY(!programma->www().isLoaded());
    }

    void menuFile() {
        click(programma->inizio(), QStringLiteral("Command1"));
        QVERIFY(QTest::qWaitForWindowActive(quiz().window()));
        avvia();
        scegli(QStringLiteral("File"));
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu && menu->isVisible());
        scansione->tick();
        QCOMPARE(evidenziato(), QStringLiteral("Esci"));
        // Gone through twice, the menu closes, and the scan is back in the window.
        attendi(passo * 1.5);
        QVERIFY(menu->isVisible());
        attendi(passo);
        QVERIFY(!menu->isVisible());
        QCOMPARE(evidenziato(), QStringLiteral("F i n e"));
    }

    // A whole series of 96 answers, and "Ricomincia", with one key alone.
    void serieConUnTasto() {
        avvia();
        scegli(QStringLiteral("IL LITRO E I SUOI MULTIPLI"));
        QVERIFY(QTest::qWaitForWindowExposed(quiz().window()));
        auto& f = static_cast<quiz::FinestraQuiz&>(quiz());
        for (int n = 1; n <= 96; ++n) {
            QCOMPARE(f.stato().contaDomande, qint16(n));
            scegli(QStringLiteral("hl"));
            scegli(QStringLiteral("Verifica"));
            QCOMPARE(text(f, QStringLiteral("LblEsito")), QStringLiteral("E  s  a  t  t  o"));
            if (n < 96)
                scegli(QStringLiteral("Visualizza nuova domanda"));
        }
        scegli(QStringLiteral("Ricomincia"));
        QCOMPARE(f.stato().contaDomande, qint16(1));
        // A new series, from its first answer, two steps on it after the press.
        attendi(passo * 1.5);
        QCOMPARE(evidenziato(), QStringLiteral("10"));
        attendi(passo);
        QCOMPARE(evidenziato(), QStringLiteral("100"));
    }
};

QTEST_MAIN(TestSensore)
#include "tst_sensore.moc"
