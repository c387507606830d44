// Both quiz windows as laid out: every control's place, font, colours, tab position and state.

#include "quiz/finestraquiz.h"
#include "support/support.h"

#include <QAction>
#include <QFontInfo>
#include <QMenu>
#include <QMenuBar>
#include <QtTest>

#include <cmath>
#include <memory>

using namespace support;

namespace {

struct Riga {
    const char* nome;
    int left, top, width, height; // twips
    const char* font;             // face, or nullptr where the layout sets none
    double punti;
    QRgb sfondo; // 0: none (transparent label, system button face)
    QRgb testo;  // 0: system colour
    bool centrato;
    int tab;
};

constexpr QRgb nessuno = 0;

// Front to back, as the windows are designed; the answer buttons follow per window.
// clang-format off
const Riga comuni[] = {
    {"CmdRicomincia", 8430, 4410, 3315, 525, "Arial", 12, nessuno, nessuno, false, 24},
    {"CmdVerifica", 540, 5070, 7785, 540, "MS Sans Serif", 12, qRgb(255, 128, 128), nessuno, false, 6},
    {"CmdFine", 8415, 5040, 3330, 540, "Arial", 12, qRgb(255, 192, 255), nessuno, false, 5},
    {"CmdOperazione", 510, 5100, 7785, 540, "MS Sans Serif", 12, qRgb(255, 128, 0), nessuno, false, 4},
    {"Command1", 525, 5070, 7785, 540, nullptr, 0, qRgb(255, 192, 255), nessuno, false, 7},
    {"lblRisultato", 2940, 2280, 4275, 1335, "Arial", 50.25, nessuno, nessuno, true, 23},
    {"LblNumero2", 660, 870, 11055, 1185, "Arial", 24, qRgb(255, 255, 192), qRgb(0, 128, 0), true, 1},
    {"LblEsito", 540, 3630, 7785, 1320, "Times New Roman", 72, nessuno, qRgb(255, 128, 0), true, 16},
    {"LblIstruzione", 420, 7770, 11355, 330, "MS Sans Serif", 9.75, qRgb(255, 255, 192), qRgb(0, 0, 255), false, 8},
    {"LblContrassegno", 6150, 180, 4185, 495, "Times New Roman", 21.75, qRgb(255, 224, 192), qRgb(0, 128, 0), false, 3},
    {"Label1", 570, 180, 11175, 495, "Times New Roman", 21.75, qRgb(255, 224, 192), qRgb(0, 0, 192), false, 0},
    {"Label3", 570, 750, 11250, 2955, nullptr, 0, qRgb(255, 255, 192), nessuno, false, 2},
    {"Frame2", 8505, 5670, 3270, 1680, nullptr, 0, qRgb(225, 255, 225), nessuno, false, 9},
    // Inside Frame2, relative to it.
    {"LblEsercizio", 240, 960, 480, 480, "Arial", 14.25, nessuno, qRgb(0, 192, 0), true, 15},
    {"LblOperazione", 975, 960, 480, 480, "Arial", 14.25, nessuno, qRgb(0, 192, 0), true, 14},
    {"LblTempoParziale", 1695, 960, 480, 480, "Arial", 14.25, nessuno, qRgb(255, 0, 0), false, 13},
    {"LblTempoTotale", 2535, 960, 480, 480, "Arial", 14.25, nessuno, qRgb(255, 0, 0), false, 12},
    {"Label9", 240, 360, 3015, 255, "MS Sans Serif", 8.25, nessuno, nessuno, false, 11},
    {"Label7", 240, 600, 3015, 255, "MS Sans Serif", 8.25, nessuno, nessuno, false, 10},
};

constexpr QRgb rosa = qRgb(255, 192, 192);

const Riga pulsantiMultipli[] = {
    {"Command7", 3930, 6540, 1695, 525, "Arial", 12, rosa, nessuno, false, 22},
    {"Command6", 2220, 6540, 1695, 525, "Arial", 12, rosa, nessuno, false, 21},
    {"Command5", 540, 6540, 1695, 525, "Arial", 12, rosa, nessuno, false, 20},
    {"Command4", 3930, 6030, 1695, 525, "Arial", 12, rosa, nessuno, false, 19},
    {"Command3", 2220, 6030, 1695, 525, "Arial", 12, rosa, nessuno, false, 18},
    {"Command2", 540, 6030, 1695, 525, "Arial", 12, rosa, nessuno, false, 17},
};

const Riga pulsantiSottomultipli[] = {
    {"Command8", 3510, 6390, 1275, 525, "Arial", 12, rosa, nessuno, false, 23},
    {"Command7", 3510, 5850, 1275, 525, "Arial", 12, rosa, nessuno, false, 22},
    {"Command6", 2220, 6390, 1275, 525, "Arial", 12, rosa, nessuno, false, 21},
    {"Command5", 2220, 5850, 1275, 525, "Arial", 12, rosa, nessuno, false, 20},
    {"Command4", 510, 6930, 4275, 525, "Arial", 12, rosa, nessuno, false, 19},
    {"Command3", 510, 6390, 1695, 525, "Arial", 12, rosa, nessuno, false, 18},
    {"Command2", 510, 5850, 1695, 525, "Arial", 12, rosa, nessuno, false, 17},
};

// clang-format on
QRect pixel(int left, int top, int width, int height) {
    const auto px = [](int t) { return static_cast<int>(std::lround(t / 15.0)); };
    return QRect(px(left), px(top), px(left + width) - px(left), px(top + height) - px(top));
}

} // namespace

class TestLayoutQuiz : public QObject {
    Q_OBJECT

private:
    StandInClock clock;
    StandInRandom random;

    std::unique_ptr<quiz::FinestraQuiz> crea(bool sotto) {
        std::unique_ptr<quiz::FinestraQuiz> f;
        if (sotto)
            f = std::make_unique<quiz::FrmSottomultipliCapacità>(clock, random, [] {});
        else
            f = std::make_unique<quiz::FrmMultipliCapacità>(clock, random, [] {});
        f->show();
        return f;
    }

    void aggiungiRighe(const char* finestra, bool sotto, std::span<const Riga> righe) {
        for (const Riga& r : righe) {
            Riga riga = r;
            if (sotto && QByteArray(r.nome) == "lblRisultato")
                riga.tab = 24;
            if (sotto && QByteArray(r.nome) == "CmdRicomincia")
                riga.tab = 25;
            QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(finestra, r.nome)))
                << sotto << QByteArray(riga.nome) << pixel(riga.left, riga.top, riga.width, riga.height)
                << QByteArray(riga.font) << riga.punti << riga.sfondo << riga.testo << riga.centrato << riga.tab;
        }
    }

private slots:
    void initTestCase() { support::setUpApplication(); }
    void cleanup() { flushDeletes(); }

    void controlli_data() {
        QTest::addColumn<bool>("sotto");
        QTest::addColumn<QByteArray>("nome");
        QTest::addColumn<QRect>("rettangolo");
        QTest::addColumn<QByteArray>("font");
        QTest::addColumn<double>("punti");
        QTest::addColumn<QRgb>("sfondo");
        QTest::addColumn<QRgb>("testo");
        QTest::addColumn<bool>("centrato");
        QTest::addColumn<int>("tab");
        aggiungiRighe("multipli", false, comuni);
        aggiungiRighe("multipli", false, pulsantiMultipli);
        aggiungiRighe("sottomultipli", true, comuni);
        aggiungiRighe("sottomultipli", true, pulsantiSottomultipli);
    }
    void controlli() {
        QFETCH(bool, sotto);
        QFETCH(QByteArray, nome);
        QFETCH(QRect, rettangolo);
        QFETCH(QByteArray, font);
        QFETCH(double, punti);
        QFETCH(QRgb, sfondo);
        QFETCH(QRgb, testo);
        QFETCH(bool, centrato);
        QFETCH(int, tab);
        auto f = crea(sotto);
        QWidget* w = f->control(QString::fromLatin1(nome));
        QVERIFY(w);
        QCOMPARE(w->objectName(), QString::fromLatin1(nome));
        QCOMPARE(w->geometry(), rettangolo);
        QCOMPARE(w->property("tabIndex").toInt(), tab);
        if (!font.isEmpty()) {
            QCOMPARE(w->font().pointSizeF(), punti);
            QCOMPARE(w->font().weight(), QFont::Bold);
            QVERIFY(!w->font().italic() && !w->font().underline() && !w->font().strikeOut());
            const QString risolta = QFontInfo(w->font()).family();
            QVERIFY2(intendedFamilies(QString::fromLatin1(font)).contains(risolta), qPrintable(risolta));
        }
        auto* label = qobject_cast<QLabel*>(w);
        if (label) {
            QCOMPARE(label->autoFillBackground(), sfondo != nessuno);
            QCOMPARE(label->alignment(), Qt::AlignTop | (centrato ? Qt::AlignHCenter : Qt::AlignLeft));
            QVERIFY(label->wordWrap());
            QCOMPARE(label->textFormat(), Qt::PlainText);
            QCOMPARE(label->focusPolicy(), Qt::NoFocus);
        }
        if (sfondo != nessuno) {
            const auto ruolo = qobject_cast<QPushButton*>(w) ? QPalette::Button : QPalette::Window;
            QCOMPARE(w->palette().color(ruolo).rgb(), sfondo);
        } else if (qobject_cast<QPushButton*>(w)) {
            QCOMPARE(w->palette().color(QPalette::Button), QApplication::palette().color(QPalette::Button));
        }
        if (testo != nessuno)
            QCOMPARE(w->palette().color(QPalette::WindowText).rgb(), testo);
    }

    void finestra_data() {
        QTest::addColumn<bool>("sotto");
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QString>("titolo");
        QTest::newRow("multipli") << false << QString::fromUtf8("FrmMultipliCapacità")
                                  << "47 DOMANDE PER CONOSCERE LE MISURE DI CAPACITA':  I MULTIPLI";
        QTest::newRow("sottomultipli") << true << QString::fromUtf8("FrmSottomultipliCapacità")
                                       << "96 DOMANDE PER CONOSCERE LE MISURE DI CAPACITA':  I SOTTOMULTIPLI";
    }
    void finestra() {
        QFETCH(bool, sotto);
        QFETCH(QString, nome);
        QFETCH(QString, titolo);
        auto f = crea(sotto);
        QWidget* w = f->window();
        QCOMPARE(w->objectName(), nome);
        QCOMPARE(w->windowTitle(), titolo);
        QVERIFY(w->isMaximized());
        QVERIFY(!(w->windowFlags() & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(w->windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(w->windowFlags() & Qt::WindowCloseButtonHint);
        QCOMPARE(f->clientArea()->palette().color(QPalette::Window), QColor(255, 224, 192));
        QCOMPARE(f->label("Label1")->text(), QString::fromUtf8("Misure di capacità"));
        QCOMPARE(f->label("Label9")->text(), QStringLiteral("             Dom.   Tempo      Tempo "));
        QCOMPARE(f->label("Label7")->text(), QStringLiteral("                        parziale    totale"));
        QCOMPARE(f->frame("Frame2")->title(), QStringLiteral("ELABORAZIONE"));
        QCOMPARE(f->button("CmdFine")->text(), QStringLiteral("F i n e"));
        QCOMPARE(f->label("LblTempoParziale")->toolTip(), QStringLiteral("Secondi impiegati per ogni risposta"));
        QCOMPARE(f->label("LblTempoTotale")->toolTip(), QStringLiteral("Secondi impiegati per ogni esercizio"));
        QCOMPARE(f->menuItem("MnuFile")->text(), QStringLiteral("&File"));
        QCOMPARE(f->menuItem("MnuFile")->menu()->actions(), QList<QAction*>{f->menuItem("MnuEsci")});
        QCOMPARE(f->menuItem("MnuEsci")->text(), QStringLiteral("Esci"));
        // Controls stay anchored at the top left whatever the window's size.
        const QRect prima = f->button("Command2")->geometry();
        w->showNormal();
        w->resize(400, 300);
        QCOMPARE(f->button("Command2")->geometry(), prima);
    }

    void didascalie_data() {
        QTest::addColumn<bool>("sotto");
        QTest::addColumn<QStringList>("nomi");
        QTest::addColumn<QStringList>("didascalie");
        QTest::newRow("multipli") << false
                                  << QStringList{"Command2", "Command3", "Command4", "Command5", "Command6", "Command7"}
                                  << QStringList{"10", "100", "1000", "l", "dal", "hl"};
        QTest::newRow("sottomultipli") << true << QStringList{"Command2", "Command3", "Command4", "Command5",
                                                              "Command6", "Command7", "Command8"}
                                       << QStringList{"10", "100", "1000", "ml", "cl", "dl", "l"};
    }
    void didascalie() {
        QFETCH(bool, sotto);
        QFETCH(QStringList, nomi);
        QFETCH(QStringList, didascalie);
        auto f = crea(sotto);
        for (int i = 0; i < nomi.size(); ++i)
            QCOMPARE(f->button(nomi[i])->text(), didascalie[i]);
        QCOMPARE(f->control("Command8") != nullptr, sotto);
    }

    // Buttons and the frame stand in front of labels and shapes; labels in front of the panel.
    void sovrapposizioni_data() {
        QTest::addColumn<QString>("davanti");
        QTest::addColumn<QString>("dietro");
        QTest::newRow("lblRisultato on Label3") << "lblRisultato"
                                                << "Label3";
        QTest::newRow("LblNumero2 on Shape1") << "LblNumero2"
                                              << "Shape1";
        QTest::newRow("LblContrassegno on Label1") << "LblContrassegno"
                                                   << "Label1";
        QTest::newRow("CmdVerifica on Command1") << "CmdVerifica"
                                                 << "Command1";
        QTest::newRow("CmdVerifica on CmdOperazione") << "CmdVerifica"
                                                      << "CmdOperazione";
    }
    void sovrapposizioni() {
        QFETCH(QString, davanti);
        QFETCH(QString, dietro);
        auto f = crea(false);
        f->button("CmdVerifica")->show();
        f->button("CmdOperazione")->show();
        QWidget* a = f->control(davanti);
        QWidget* b = f->control(dietro);
        const QRect comune = a->geometry().intersected(b->geometry());
        QVERIFY(!comune.isEmpty());
        QCOMPARE(f->clientArea()->childAt(comune.center()), a);
    }

    // The window is closed from the keyboard with each key that presses a focused button.
    void ordineDiTabulazione_data() {
        QTest::addColumn<bool>("sotto");
        QTest::addColumn<int>("tasto");
        QTest::addColumn<Qt::KeyboardModifiers>("modificatori");
        QTest::newRow("multipli, space") << false << int(Qt::Key_Space) << Qt::KeyboardModifiers();
        QTest::newRow("sottomultipli, enter") << true << int(Qt::Key_Return) << Qt::KeyboardModifiers();
        QTest::newRow("multipli, keypad enter")
            << false << int(Qt::Key_Enter) << Qt::KeyboardModifiers(Qt::KeypadModifier);
    }
    void ordineDiTabulazione() {
        QFETCH(bool, sotto);
        QFETCH(int, tasto);
        QFETCH(Qt::KeyboardModifiers, modificatori);
        auto f = crea(sotto);
        QVERIFY(QTest::qWaitForWindowActive(f->window()));
        QCOMPARE(QApplication::focusWidget(), f->button("CmdFine"));
        QStringList visitati;
        for (int i = 0; i < 8; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visitati << QApplication::focusWidget()->objectName();
        }
        const QStringList attesi = sotto ? QStringList{"Command2", "Command3", "Command4", "Command5",
                                                       "Command6", "Command7", "Command8", "CmdFine"}
                                         : QStringList{"Command2", "Command3", "Command4", "Command5",
                                                       "Command6", "Command7", "CmdFine",  "Command2"};
        QCOMPARE(visitati, attesi);
        // The key on the focused "F i n e" closes the window; no frame of a default button is drawn.
        QVERIFY(!f->button("CmdFine")->autoDefault() && !f->button("CmdFine")->isDefault());
        QTest::keyClick(f->button("CmdFine"), Qt::Key(tasto), modificatori);
        QVERIFY(!f->isLoaded());
    }

    void linee() {
        auto f = crea(true);
        const auto* linea = qobject_cast<platform::LineControl*>(f->control("Line2"));
        QVERIFY(linea);
        QCOMPARE(linea->parentWidget(), f->control("Frame2"));
        QCOMPARE(linea->from(), QPoint(104, 24));
        QCOMPARE(linea->to(), QPoint(104, 80));
        const auto* forma = qobject_cast<platform::ShapeControl*>(f->control("Shape1"));
        QCOMPARE(forma->fill(), QColor(255, 255, 0));
        QCOMPARE(forma->outlineWidth(), 2);
    }
};

QTEST_MAIN(TestLayoutQuiz)
#include "tst_layoutquiz.moc"
