// Read-aloud: what a pupil who reads with difficulty hears as the program is used, from a voice
// that stands in for the system's speech engine.

#include "platform/access/readaloud.h"
#include "quiz/finestraquiz.h"
#include "shell/frminizio.h"
#include "shell/programma.h"
#include "support/support.h"

#include <QtTest>

#include <memory>

using namespace support;
using namespace std::chrono_literals;

namespace {

// Keeps what it is given to say, in order.
class StandInVoice final : public platform::Voice {
public:
    explicit StandInVoice(QStringList& said) : said_(said) {}
    void say(const QString& text) override { said_ << text; }

private:
    QStringList& said_;
};

constexpr auto sosta = 50ms;
// The first question of the multiples window, whose answer is "hl": "dal" is wrong.
const QString domanda = QStringLiteral("È più capace l'ettolitro o il decalitro?");

} // namespace

class TestVoce : public QObject {
    Q_OBJECT

private:
    StandInClock clock;
    StandInRandom random;
    std::unique_ptr<shell::Programma> programma;
    QStringList detti;

    platform::Form& quiz() { return programma->multipli(); }

    // Once the program has said what the last step made it say.
    void quieto() {
        QTest::qWait(1);
        QCoreApplication::processEvents();
    }

    void punta(platform::Form& form, const QString& controllo) {
        QTest::mouseMove(form.window()->windowHandle(), centro(form, controllo));
    }

    // One step of the pupil: "apri" opens the multiples window from the main menu; "clic:X"
    // clicks control X; "sosta:X" rests the pointer on X long enough, "passa:X" moves it on before;
    // "tab" presses Tab; "menu-sosta:X" rests on X of the main menu.
    void passo(const QString& passo) {
        const QString controllo = passo.section(QLatin1Char(':'), 1);
        if (passo == QLatin1String("apri")) {
            click(programma->inizio(), QStringLiteral("Command1"));
            QVERIFY(QTest::qWaitForWindowActive(quiz().window()));
        } else if (passo.startsWith(QLatin1String("clic:"))) {
            click(quiz(), controllo);
        } else if (passo.startsWith(QLatin1String("sosta:"))) {
            punta(quiz(), controllo);
            QTest::qWait(int(sosta.count()) * 6);
        } else if (passo.startsWith(QLatin1String("passa:"))) {
            punta(quiz(), controllo);
            punta(quiz(), QStringLiteral("LblIstruzione"));
            QTest::qWait(int(sosta.count()) * 6);
        } else if (passo.startsWith(QLatin1String("menu-sosta:"))) {
            punta(programma->inizio(), controllo);
            QTest::qWait(int(sosta.count()) * 6);
        } else if (passo == QLatin1String("tab")) {
            QTest::keyClick(quiz().window(), Qt::Key_Tab);
        }
        quieto();
    }

private slots:
    void initTestCase() { support::setUpApplication(); }

    void init() {
        detti.clear();
        random.values = {drawing(1, 47)};
        programma = std::make_unique<shell::Programma>(clock, random);
        platform::startReadAloud(std::make_unique<StandInVoice>(detti), sosta);
        programma->avvia();
        QVERIFY(QTest::qWaitForWindowActive(programma->inizio().window()));
        // Away from every control.
        QTest::mouseMove(programma->inizio().window()->windowHandle(), QPoint(5, 5));
        quieto();
    }

    void cleanup() {
        platform::stopReadAloud();
        programma.reset();
        flushDeletes();
    }

    void detto_data() {
        QTest::addColumn<QStringList>("passi");
        QTest::addColumn<QStringList>("attesi");
        // clang-format off
        QTest::newRow("the question shown") << QStringList{"apri"} << QStringList{domanda};
        QTest::newRow("an answer chosen, by its unit's name")
            << QStringList{"apri", "clic:Command6"} << QStringList{domanda, "decalitro"};
        QTest::newRow("a number chosen") << QStringList{"apri", "clic:Command4"} << QStringList{domanda, "1000"};
        // The focus that leaves "Verifica" as it goes is not said: the verdict comes.
        QTest::newRow("the verdict")
            << QStringList{"apri", "clic:Command6", "clic:CmdVerifica"} << QStringList{domanda, "decalitro", "Errato"};
        QTest::newRow("the next question")
            << QStringList{"apri", "clic:Command6", "clic:CmdVerifica", "clic:CmdOperazione"}
            << QStringList{domanda, "decalitro", "Errato", domanda};
        QTest::newRow("each new answer at once, cutting off the one before")
            << QStringList{"apri", "clic:Command6", "clic:Command7", "clic:Command5"}
            << QStringList{domanda, "decalitro", "ettolitro", "litro"};
        QTest::newRow("the question clicked") << QStringList{"apri", "clic:LblNumero2"} << QStringList{domanda, domanda};
        QTest::newRow("the instruction clicked")
            << QStringList{"apri", "clic:LblIstruzione"} << QStringList{domanda, "Clicca sul pulsante esatto"};
        QTest::newRow("an empty label clicked") << QStringList{"apri", "clic:LblEsito"} << QStringList{domanda};
        QTest::newRow("the pointer resting on a button, once")
            << QStringList{"apri", "sosta:CmdFine", "sosta:CmdFine"} << QStringList{domanda, "Fine"};
        QTest::newRow("a unit's button rested on") << QStringList{"apri", "sosta:Command7"} << QStringList{domanda, "ettolitro"};
        QTest::newRow("the pointer passing over") << QStringList{"apri", "passa:CmdFine"} << QStringList{domanda};
        QTest::newRow("a disabled button rested on")
            << QStringList{"apri", "clic:Command6", "clic:CmdVerifica", "sosta:Command5"}
            << QStringList{domanda, "decalitro", "Errato"};
        QTest::newRow("a main menu button rested on")
            << QStringList{"menu-sosta:Command1"} << QStringList{"IL LITRO E I SUOI MULTIPLI"};
        QTest::newRow("a spaced caption rested on") << QStringList{"menu-sosta:Command9"} << QStringList{"Esci"};
        // clang-format on
    }
    void detto() {
        QFETCH(QStringList, passi);
        QFETCH(QStringList, attesi);
#if defined(Q_OS_WASM)
        // The browser runs a timer only once the test has given its event loop back, which a test's
        // wait never does; the page's scenario rests the pointer on a button instead.
        if (passi.filter(QStringLiteral("sosta")).size() > 0)
            QSKIP("the browser's timers do not run inside a test's wait");
#endif
        for (const QString& p : passi)
            passo(p);
        QCOMPARE(detti, attesi);
    }

    // A click says what it makes change, not the caption the pointer was resting on.
    void clicDopoLaSosta() {
        passo(QStringLiteral("apri"));
        punta(quiz(), QStringLiteral("Command6"));
        click(quiz(), QStringLiteral("Command6"));
        QTest::qWait(int(sosta.count()) * 6);
        QCOMPARE(detti, (QStringList{domanda, QStringLiteral("decalitro")}));
    }

    void laTastiera() {
        passo(QStringLiteral("apri"));
        const QWidget* prima = quiz().window()->focusWidget();
        passo(QStringLiteral("tab"));
        const auto* focus = qobject_cast<QPushButton*>(quiz().window()->focusWidget());
        QVERIFY(focus && focus != prima);
        QCOMPARE(detti, (QStringList{domanda, platform::spokenText(focus->text())}));
    }

    void spento() {
        platform::stopReadAloud();
        for (const char* p : {"apri", "clic:Command6", "clic:CmdVerifica", "sosta:CmdOperazione", "clic:LblNumero2"})
            passo(QString::fromLatin1(p));
        QVERIFY2(detti.isEmpty(), qPrintable(detti.join(QStringLiteral(" | "))));
    }
};

QTEST_MAIN(TestVoce)
#include "tst_voce.moc"
