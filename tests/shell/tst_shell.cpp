// The main menu and the information window, and the program's start and end, driven by clicks.

#include "quiz/finestraquiz.h"
#include "shell/frminizio.h"
#include "shell/frmwww.h"
#include "shell/programma.h"
#include "support/support.h"

#include <QAccessible>
#include <QAction>
#include <QFontInfo>
#include <QMenu>
#include <QScreen>
#include <QTimer>
#include <QtTest>

#include <cmath>
#include <memory>

using namespace support;

namespace {

int px(double twips) {
    return static_cast<int>(std::lround(twips / 15.0));
}

QRect pixelRect(int left, int top, int width, int height) {
    return QRect(px(left), px(top), px(left + width) - px(left), px(top + height) - px(top));
}

// A sibling later in its parent's list is painted in front.
bool davanti(QWidget* a, QWidget* b) {
    const QObjectList& fratelli = a->parentWidget()->children();
    return a->parentWidget() == b->parentWidget() && fratelli.indexOf(a) > fratelli.indexOf(b);
}

} // namespace

class TestShell : public QObject {
    Q_OBJECT

private:
    StandInClock clock;
    StandInRandom random;
    std::unique_ptr<shell::Programma> programma;

    shell::FrmInizioCapacità& menu() { return programma->inizio(); }

    // Runs the application's event loop until the program ends it; -1 if it is still running
    // after a while.
    int eventLoopAfter(const std::function<void()>& azione) {
        QTimer::singleShot(0, azione);
        QTimer attesa;
        attesa.setSingleShot(true);
        connect(&attesa, &QTimer::timeout, [] { QCoreApplication::exit(-1); });
        attesa.start(500);
        return QCoreApplication::exec();
    }

    void premi(Qt::MouseButton tasto, const QPoint& at) {
        QTest::mousePress(menu().window()->windowHandle(), tasto, Qt::NoModifier, at);
    }

private slots:
    void initTestCase() { support::setUpApplication(); }

    void init() {
#if defined(Q_OS_WASM)
        // These run the application's event loop until the program ends it. In the browser Qt's
        // event loop is the page's own and never returns to its caller, so they cannot run
        // there; the page's end-to-end scenarios end the program instead.
        const QByteArray funzione = QTest::currentTestFunction();
        for (const char* conCiclo : {"esci", "menuFileEsci", "esciDaUnQuiz", "menuChiusoDalSistema"}) {
            if (funzione == conCiclo)
                QSKIP("the browser's event loop does not return to the test");
        }
#endif
        random.values = {0.25f};
        programma = std::make_unique<shell::Programma>(clock, random);
        programma->avvia();
        QVERIFY(QTest::qWaitForWindowExposed(menu().window()));
    }

    void cleanup() {
        programma.reset();
        flushDeletes();
    }

    void finestraDelMenu() {
        QWidget* w = menu().window();
        QCOMPARE(w->objectName(), QString::fromUtf8("FrmInizioCapacità"));
        QCOMPARE(w->windowTitle(), QStringLiteral("Gli obiettivi dell'addizione"));
        QVERIFY(w->windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(w->isMaximized());
        QCOMPARE(w->geometry(), w->screen()->availableGeometry());
        QCOMPARE(menu().clientArea()->palette().color(QPalette::Window), QColor(255, 192, 255));
        QCOMPARE(menu().menuItem("MnuFile")->text(), QStringLiteral("File"));
        QCOMPARE(menu().menuItem("MnuFile")->menu()->actions(), QList<QAction*>{menu().menuItem("mnuFine")});
        QCOMPARE(menu().menuItem("mnuFine")->text(), QStringLiteral("Esci"));
        // No quiz window exists yet, and no question has been drawn.
        QVERIFY(random.seeds.empty());
        QVERIFY(!programma->multipli().isLoaded());
    }

    void controlliDelMenu_data() {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QString>("testo");
        QTest::addColumn<QRect>("rettangolo");
        QTest::addColumn<QString>("font");
        QTest::addColumn<double>("punti");
        QTest::addColumn<QColor>("sfondo");
        QTest::addColumn<QColor>("colore");
        QTest::addColumn<bool>("visibile");
        const QColor rosa(255, 128, 255);
        const QColor lilla(192, 192, 255);
        const QColor blu(0, 0, 192);
        // clang-format off
                const QColor nessuno;
        QTest::newRow("Command7") << "Command7" << "Info" << pixelRect(4590, 6630, 6675, 315) << "Arial" << 12.0 << rosa << nessuno << true;
        QTest::newRow("Command9") << "Command9" << "E S C I" << pixelRect(4590, 5700, 6690, 705) << "MS Sans Serif" << 8.25 << rosa << nessuno << true;
        QTest::newRow("Command2") << "Command2" << "IL LITRO E I SUOI  SOTTOMULTIPLI" << pixelRect(4590, 4350, 4770, 705) << "Arial" << 12.0 << rosa << nessuno << true;
        QTest::newRow("Command1") << "Command1" << "IL LITRO E I SUOI MULTIPLI" << pixelRect(4590, 3060, 4770, 705) << "Arial" << 12.0 << rosa << nessuno << true;
        QTest::newRow("Command3") << "Command3" << "OPERAZIONI CON I MOLTIPLICATIVI" << pixelRect(8370, 3090, 3090, 705) << "MS Sans Serif" << 8.25 << rosa << nessuno << false;
        QTest::newRow("Command4") << "Command4" << "OPERAZIONI CON LE UNITA' FRAZIONARIE" << pixelRect(8400, 4320, 3090, 705) << "MS Sans Serif" << 8.25 << rosa << nessuno << false;
        QTest::newRow("Image1") << "Image1" << "" << pixelRect(210, 2640, 4245, 4290) << "" << 0.0 << nessuno << nessuno << true;
        QTest::newRow("Label5") << "Label5" << "Il software di Seed" << pixelRect(7440, 7290, 4515, 465) << "Arial" << 15.75 << lilla << blu << true;
        QTest::newRow("Label4") << "Label4" << "UNITA' DI MISURA DI CAPACITA' " << pixelRect(210, 390, 11505, 1095) << "Arial" << 27.75 << rosa << blu << true;
        QTest::newRow("Label3") << "Label3" << "Ideazione, progettazione e realizzazione" << pixelRect(270, 7245, 8655, 495) << "Arial" << 18.0 << lilla << QColor(0, 0, 0) << true;
        QTest::newRow("Shape2") << "Shape2" << "" << pixelRect(150, 240, 11655, 1305) << "" << 0.0 << nessuno << nessuno << true;
        QTest::newRow("Shape1") << "Shape1" << "" << pixelRect(120, 300, 11655, 1305) << "" << 0.0 << nessuno << nessuno << true;
    }
    // clang-format on
    void controlliDelMenu() {
        QFETCH(QString, nome);
        QFETCH(QString, testo);
        QFETCH(QRect, rettangolo);
        QFETCH(QString, font);
        QFETCH(double, punti);
        QFETCH(QColor, sfondo);
        QFETCH(QColor, colore);
        QFETCH(bool, visibile);
        QWidget* w = menu().control(nome);
        QVERIFY(w);
        QCOMPARE(w->geometry(), rettangolo);
        QCOMPARE(w->isVisible(), visibile);
        if (auto* b = qobject_cast<QPushButton*>(w)) {
            QCOMPARE(b->text(), testo);
            QCOMPARE(b->palette().color(QPalette::Button), sfondo);
        }
        if (auto* l = qobject_cast<QLabel*>(w)) {
            QCOMPARE(l->text(), testo);
            QVERIFY(l->autoFillBackground());
            QCOMPARE(l->palette().color(QPalette::Window), sfondo);
            QCOMPARE(l->palette().color(QPalette::WindowText), colore);
            QCOMPARE(l->alignment() & Qt::AlignHorizontal_Mask, nome == "Label4" ? Qt::AlignHCenter : Qt::AlignLeft);
        }
        if (!font.isEmpty()) {
            QCOMPARE(w->font().pointSizeF(), punti);
            QCOMPARE(w->font().weight(), QFont::Bold);
            const QString risolta = QFontInfo(w->font()).family();
            QVERIFY2(intendedFamilies(font).contains(risolta), qPrintable(risolta));
        }
    }

    void formeEImmagine() {
        auto* forma2 = qobject_cast<platform::ShapeControl*>(menu().control("Shape2"));
        auto* forma1 = qobject_cast<platform::ShapeControl*>(menu().control("Shape1"));
        QCOMPARE(forma2->fill(), QColor(255, 128, 255));
        QCOMPARE(forma2->outlineWidth(), 1);
        QCOMPARE(forma1->outlineWidth(), 2);
        auto* immagine = qobject_cast<QFrame*>(menu().control("Image1"));
        QCOMPARE(immagine->frameShape(), QFrame::Box);
        QCOMPARE(immagine->lineWidth(), 1);
    }

    void sovrapposizioni() {
        QVERIFY(davanti(menu().control("Label4"), menu().control("Shape2")));
        QVERIFY(davanti(menu().control("Shape2"), menu().control("Shape1")));
        QVERIFY(davanti(menu().control("Label5"), menu().control("Label3")));
        const QRect comune = menu().control("Label5")->geometry().intersected(menu().control("Label3")->geometry());
        QVERIFY(!comune.isEmpty());
        QCOMPARE(menu().clientArea()->childAt(comune.center()), menu().control("Label5"));
    }

    void ordineDiTabulazione() {
        QVERIFY(QTest::qWaitForWindowActive(menu().window()));
        QCOMPARE(QApplication::focusWidget(), menu().button("Command1"));
        QStringList visitati;
        for (int i = 0; i < 4; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visitati << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visitati, QStringList({"Command2", "Command9", "Command7", "Command1"}));
    }

    void apreLeFinestre() {
        click(menu(), "Command1");
        auto& multipli = programma->multipli();
        QVERIFY(multipli.isLoaded());
        QVERIFY(multipli.window()->isVisible());
        QVERIFY(menu().window()->isVisible());
        QVERIFY(!programma->sottomultipli().isLoaded());

        // Answer, verify and go on: the window is in the middle of its series.
        click(multipli, "Command2");
        clock.now += 5.0f;
        click(multipli, "CmdVerifica");
        random.values = {0.75f};
        click(multipli, "CmdOperazione");
        const QString domanda = text(multipli, "LblNumero2");
        QWidget* finestra = multipli.window();

        // Opening it again only brings it to the front.
        click(menu(), "Command1");
        QCOMPARE(multipli.window(), finestra);
        QCOMPARE(multipli.stato().contaDomande, qint16(2));
        QCOMPARE(text(multipli, "LblNumero2"), domanda);

        // Both quiz windows beside the menu, each button reaching its own window.
        click(menu(), "Command2");
        QVERIFY(programma->sottomultipli().isLoaded());
        QVERIFY(programma->sottomultipli().window()->isVisible());
        QVERIFY(multipli.window()->isVisible());
        QVERIFY(menu().window()->isVisible());
        QVERIFY(programma->sottomultipli().window() != multipli.window());
        QCOMPARE(programma->sottomultipli().variante().numeroMassimo, 96);
    }

    void fineERiapertura() {
        click(menu(), "Command1");
        auto& multipli = programma->multipli();
        click(multipli, "Command3");
        clock.now += 8.5f;
        click(multipli, "CmdVerifica");
        QVERIFY(multipli.window()->close());
        flushDeletes();

        click(menu(), "Command1");
        QVERIFY(multipli.isLoaded());
        QCOMPARE(text(multipli, "LblOperazione"), QStringLiteral("1"));
        QVERIFY(text(multipli, "LblTempoTotale").isEmpty());
        click(multipli, "CmdFine");
        QVERIFY(!multipli.isLoaded());
        flushDeletes();

        click(menu(), "Command1");
        click(multipli, "Command5");
        clock.now += 2.0f;
        click(multipli, "CmdVerifica");
        QCOMPARE(text(multipli, "LblTempoTotale"), QStringLiteral("10"));
    }

    // "Info" held with a mouse button, or with Space or Enter once it has the focus (Qt::NoButton).
    void info_data() {
        QTest::addColumn<Qt::MouseButton>("tasto");
        QTest::addColumn<bool>("spostato");
        QTest::addColumn<int>("chiave");
        QTest::addColumn<Qt::KeyboardModifiers>("modificatori");
        QTest::newRow("left") << Qt::LeftButton << false << 0 << Qt::KeyboardModifiers();
        QTest::newRow("right") << Qt::RightButton << false << 0 << Qt::KeyboardModifiers();
        QTest::newRow("middle") << Qt::MiddleButton << false << 0 << Qt::KeyboardModifiers();
        QTest::newRow("left, released off the button") << Qt::LeftButton << true << 0 << Qt::KeyboardModifiers();
        QTest::newRow("right, released off the button") << Qt::RightButton << true << 0 << Qt::KeyboardModifiers();
        QTest::newRow("space") << Qt::NoButton << false << int(Qt::Key_Space) << Qt::KeyboardModifiers();
        QTest::newRow("enter") << Qt::NoButton << false << int(Qt::Key_Return) << Qt::KeyboardModifiers();
        QTest::newRow("keypad enter") << Qt::NoButton << false << int(Qt::Key_Enter)
                                      << Qt::KeyboardModifiers(Qt::KeypadModifier);
    }
    void info() {
        QFETCH(Qt::MouseButton, tasto);
        QFETCH(bool, spostato);
        QFETCH(int, chiave);
        QFETCH(Qt::KeyboardModifiers, modificatori);
        auto& www = programma->www();
        QWindow* finestra = menu().window()->windowHandle();
        QPushButton* info = menu().button("Command7");
        const QPoint su = centro(menu(), "Command7");
        const QPoint via = centro(menu(), "Command1");
        const auto tieni = [&] {
            if (tasto != Qt::NoButton)
                return premi(tasto, su);
            info->setFocus();
            QTest::keyPress(finestra, Qt::Key(chiave), modificatori);
        };
        const auto lascia = [&] {
            if (tasto != Qt::NoButton)
                return QTest::mouseRelease(finestra, tasto, Qt::NoModifier, spostato ? via : su);
            // The information window is the active one by now: the release still reaches "Info".
            QCOMPARE(QGuiApplication::focusWindow(), www.window()->windowHandle());
            QTest::keyRelease(QGuiApplication::focusWindow(), Qt::Key(chiave), modificatori);
        };
        tieni();
        QVERIFY(www.isLoaded());
        QVERIFY(www.window()->isVisible());
        QCOMPARE(www.window()->windowTitle(), QStringLiteral("INFO"));
        QCOMPARE(www.label("Label1")->text(), QStringLiteral("www.example.org"));
        QCOMPARE(www.label("Label2")->text(), QStringLiteral("E-mail : info@example.org"));
        // Who cannot hold "Info" reads the same lines from it.
        QCOMPARE(QAccessible::queryAccessibleInterface(info)->text(QAccessible::Description),
                 www.label("Label1")->text() + '\n' + www.label("Label2")->text());
        if (spostato)
            QTest::mouseMove(finestra, via);
        lascia();
        QVERIFY(!www.isLoaded());
        QVERIFY(!programma->multipli().isLoaded());
        // The main menu is active again, "Info" focused, whatever held it.
        QTRY_COMPARE(QApplication::focusWidget(), info);
        // Held again, it comes back.
        tieni();
        QVERIFY(www.isLoaded());
        lascia();
        QVERIFY(!www.isLoaded());
    }

    void infoDallaTastiera_data() {
        QTest::addColumn<int>("tasto");
        QTest::newRow("space") << int(Qt::Key_Space);
        QTest::newRow("enter") << int(Qt::Key_Return);
    }
    void infoDallaTastiera() {
        QFETCH(int, tasto);
        menu().button("Command7")->setFocus();
        QTest::keyClick(menu().button("Command7"), Qt::Key(tasto));
        QVERIFY(!programma->www().isLoaded());
    }

    // Top centre of the screen, each half taken as it comes; nothing clamps it.
    void posizioneInfo() {
        auto& www = programma->www();
        www.load();
        www.show();
        QWidget* w = www.window();
        const double schermo = QGuiApplication::primaryScreen()->geometry().width() * 15.0;
        const double larghezza = w->frameGeometry().width() * 15.0;
        QCOMPARE(w->frameGeometry().topLeft(), QPoint(px((schermo - larghezza) / 2), px(20)));
        QCOMPARE(w->windowFlags() & Qt::WindowType_Mask, Qt::Tool);
        QVERIFY(!(w->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QCOMPARE(w->minimumSize(), w->maximumSize());
        QCOMPARE(www.clientArea()->size(), QSize(481, 198));
        QCOMPARE(www.clientArea()->palette().color(QPalette::Window), QColor(192, 255, 255));
        QCOMPARE(www.label("Label1")->geometry(), pixelRect(static_cast<int>((larghezza - 4245) / 2), 420, 4245, 615));
        QCOMPARE(www.label("Label2")->geometry().x(), px((larghezza - 4275) / 2));
        QCOMPARE(www.label("Label1")->font().pointSizeF(), 13.5);
        QCOMPARE(www.label("Label1")->autoFillBackground(), false);
        qInfo("screen %d px wide, information window at x %d", QGuiApplication::primaryScreen()->geometry().width(),
              w->frameGeometry().x());
        // Shown again, it is placed again.
        w->move(300, 300);
        www.unload();
        www.show();
        QCOMPARE(www.window()->frameGeometry().topLeft(), QPoint(px((schermo - larghezza) / 2), px(20)));
    }

    void clickSullInfo() {
        QWindow* finestra = menu().window()->windowHandle();
        premi(Qt::LeftButton, centro(menu(), "Command7"));
        auto& www = programma->www();
        click(www, "Label1");
        click(www, "Label2");
        QVERIFY(www.isLoaded());
        QTest::mouseClick(www.window()->windowHandle(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 190));
        QVERIFY(!www.isLoaded());
        // The release that follows finds the window already gone.
        QTest::mouseRelease(finestra, Qt::LeftButton, Qt::NoModifier, centro(menu(), "Command7"));
        QVERIFY(!www.isLoaded());
        QVERIFY(menu().isLoaded());
    }

    void esci() {
        click(menu(), "Command1");
        QCOMPARE(eventLoopAfter([this] { click(menu(), "Command9"); }), 0);
        QVERIFY(!menu().isLoaded());
        QVERIFY(!programma->multipli().isLoaded());
    }

    void menuFileEsci() {
        click(menu(), "Command2");
        bool menuPrima = false;
        menu().unloaded = [&] { menuPrima = programma->sottomultipli().isLoaded(); };
        QCOMPARE(eventLoopAfter([this] { menu().menuItem("mnuFine")->trigger(); }), 0);
        // The main menu went first, while the quiz window was still there.
        QVERIFY(menuPrima);
        QVERIFY(!programma->sottomultipli().isLoaded());
    }

    void esciDaUnQuiz() {
        click(menu(), "Command1");
        QCOMPARE(eventLoopAfter([this] { programma->multipli().menuItem("MnuEsci")->trigger(); }), 0);
        QVERIFY(!menu().isLoaded());
    }

    // The main menu closed by the system leaves the quiz window running; the program ends with
    // the last window.
    void menuChiusoDalSistema() {
        click(menu(), "Command1");
        QCOMPARE(eventLoopAfter([this] { menu().window()->close(); }), -1);
        QVERIFY(!menu().isLoaded());
        QVERIFY(programma->multipli().isLoaded());
        click(programma->multipli(), "Command2");
        QCOMPARE(eventLoopAfter([this] { programma->multipli().window()->close(); }), 0);
    }
};

QTEST_MAIN(TestShell)
#include "tst_shell.moc"
