// The windowing layer: window lifecycle, the builder, the control kinds, clock and random source.

#include "platform/application.h"
#include "platform/clock.h"
#include "platform/form.h"
#include "support/support.h"

#include <QSignalSpy>
#include <QStyle>
#include <QtTest>

#include <set>

using namespace platform;
using namespace support;

namespace {

// clang-format off
constexpr Control controlli[] = {
    {"Pulsante", Kind::PushButton, "Premi", 150, 150, 1500, 450, arial(12), rgb(255, 0, 0), standard, Align::Left, 2},
    {"Nascosto", Kind::PushButton, "N", 150, 750, 1500, 450, arial(12), standard, standard, Align::Left, 0, Hidden},
    {"Spento", Kind::PushButton, "S", 1800, 150, 1500, 450, arial(12), standard, standard, Align::Left, 1, Disabled},
    {"Riquadro", Kind::Frame, "R", 3000, 1500, 1500, 1500, noFont, rgb(0, 255, 0)},
    {"Scritta", Kind::Label, "uno  due", 150, 1500, 1500, 600, timesNewRoman(8.25), rgb(1, 2, 3), rgb(4, 5, 6), Align::Centre},
};
constexpr Control nelRiquadro[] = {
    {"Interna", Kind::Label, "", 150, 300, 600, 300},
};
// clang-format on
constexpr ControlGroup gruppi[] = {{nullptr, controlli}, {"Riquadro", nelRiquadro}};
constexpr MenuItem menu[] = {{"Menu", "&Menu", nullptr}, {"Voce", "Voce", "Menu"}};
constexpr WindowLayout prova{"Prova", "Prova", rgb(10, 20, 30), 6000, 4500, Border::FixedSingle,
                             false,   true,    gruppi,          menu};

class FormDiProva : public Form {
public:
    FormDiProva() : Form(prova) {}
    int caricamenti = 0;
    int clickFinestra = 0;
    int dati = 0; // a field that must survive an unload

protected:
    void Form_Load() override { ++caricamenti; }
    void connectHandlers() override {
        onFormClick([this] { ++clickFinestra; });
    }
};

} // namespace

class TestPlatform : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        setUpApplication();
        quietOffscreenNotices();
        // A Qt built without the Windows style would leave its default style in place unnoticed.
        QCOMPARE(QApplication::style()->name(), QStringLiteral("windows"));
    }
    void cleanup() { flushDeletes(); }

    void twips_data() {
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("w");
        QTest::newRow("exact") << 150 << 1500 << 10 << 100;
        QTest::newRow("rounds down") << 8430 << 3315 << 562 << 221;
        QTest::newRow("rounds up") << 8505 << 3270 << 567 << 218;
        QTest::newRow("adjacent edges") << 540 << 1695 << 36 << 113;
        QTest::newRow("negative") << -1000 << 7215 << -67 << 481;
    }
    void twips() {
        QFETCH(int, left);
        QFETCH(int, width);
        QFETCH(int, x);
        QFETCH(int, w);
        const QRect r = twipsRect(left, left, width, width);
        QCOMPARE(r.x(), x);
        QCOMPARE(r.width(), w);
        QCOMPARE(r.x(), pixels(left));
        QCOMPARE(r.right() + 1, pixels(left + width));
    }

    void cicloDiVita() {
        FormDiProva form;
        int scaricamenti = 0;
        form.unloaded = [&] { ++scaricamenti; };
        QVERIFY(!form.isLoaded());
        form.unload();
        QCOMPARE(scaricamenti, 0);

        form.load();
        form.load();
        QCOMPARE(form.caricamenti, 1);
        form.show();
        QCOMPARE(form.caricamenti, 1);
        QVERIFY(form.window()->isVisible());
        QCOMPARE(form.window()->objectName(), QStringLiteral("Prova"));
        QPointer<QWidget> vecchia = form.window();
        form.dati = 42;

        form.unload();
        QVERIFY(!form.isLoaded());
        QCOMPARE(form.control("Pulsante"), nullptr);
        QCOMPARE(scaricamenti, 1);
        flushDeletes();
        QVERIFY(vecchia.isNull());
        QCOMPARE(form.dati, 42);

        // Showing an unloaded window loads it first, running its load handler again.
        form.show();
        QCOMPARE(form.caricamenti, 2);
        QVERIFY(form.window() != nullptr);

        // The title bar's close control unloads.
        QVERIFY(form.window()->close());
        QVERIFY(!form.isLoaded());
        QCOMPARE(scaricamenti, 2);
    }

    void costruzione() {
        FormDiProva form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(form.window()));
        QCOMPARE(form.clientArea()->size(), QSize(400, 300));
        QCOMPARE(form.window()->minimumSize(), form.window()->maximumSize());
        QVERIFY(!form.button("Nascosto")->isVisible());
        QVERIFY(!form.button("Spento")->isEnabled());
        QCOMPARE(form.button("Pulsante")->palette().color(QPalette::Button), QColor(255, 0, 0));
        QCOMPARE(form.frame("Riquadro")->backColor(), QColor(0, 255, 0));
        QCOMPARE(form.label("Interna")->parentWidget(), form.control("Riquadro"));
        QCOMPARE(form.label("Interna")->geometry(), QRect(10, 20, 40, 20));
        // Blanks are kept as they are.
        QCOMPARE(form.label("Scritta")->text(), QStringLiteral("uno  due"));
        QCOMPARE(form.label("Scritta")->font().pointSizeF(), 8.25);
        QVERIFY(form.menuItem("Voce"));
        // The focus goes to the first visible, enabled button in tab order.
        QCOMPARE(form.window()->focusWidget(), form.button("Pulsante"));
    }

    void pulsante_data() {
        QTest::addColumn<Qt::MouseButton>("tasto");
        QTest::addColumn<bool>("fuori");
        QTest::addColumn<int>("click");
        QTest::newRow("left") << Qt::LeftButton << false << 1;
        QTest::newRow("right") << Qt::RightButton << false << 0;
        QTest::newRow("middle") << Qt::MiddleButton << false << 0;
        QTest::newRow("left, released off the button") << Qt::LeftButton << true << 0;
        QTest::newRow("right, released off the button") << Qt::RightButton << true << 0;
    }
    void pulsante() {
        QFETCH(Qt::MouseButton, tasto);
        QFETCH(bool, fuori);
        QFETCH(int, click);
        FormDiProva form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(form.window()));
        PushButton* b = form.button("Pulsante");
        QSignalSpy giu(b, &PushButton::mouseDown);
        QSignalSpy su(b, &PushButton::mouseUp);
        QSignalSpy clicked(b, &QPushButton::clicked);
        QWindow* w = form.window()->windowHandle();
        const QPoint centro = b->mapTo(form.window(), b->rect().center());
        const QPoint lontano = centro + QPoint(250, 200);
        QTest::mousePress(w, tasto, Qt::NoModifier, centro);
        QCOMPARE(giu.count(), 1);
        QCOMPARE(giu.at(0).at(0).value<Qt::MouseButton>(), tasto);
        QCOMPARE(su.count(), 0);
        if (fuori)
            QTest::mouseMove(w, lontano);
        QTest::mouseRelease(w, tasto, Qt::NoModifier, fuori ? lontano : centro);
        QCOMPARE(su.count(), 1);
        QCOMPARE(clicked.count(), click);
        QCOMPARE(form.clickFinestra, 0);
    }

    void clickSullaFinestra() {
        FormDiProva form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(form.window()));
        click(form, "Scritta");
        click(form, "Interna");
        QCOMPARE(form.clickFinestra, 0);
        QTest::mouseClick(form.window()->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                          form.clientArea()->mapTo(form.window(), QPoint(390, 290)));
        QCOMPARE(form.clickFinestra, 1);
    }

    // Every setting of a label's text raises its change event at once, also with the same text.
    void cambioDiScritta() {
        Label label(nullptr);
        int cambi = 0;
        QString vistoDentro;
        connect(&label, &Label::changed, [&] {
            ++cambi;
            vistoDentro = label.text();
        });
        label.setText(QStringLiteral("a"));
        QCOMPARE(cambi, 1);
        QCOMPARE(vistoDentro, QStringLiteral("a"));
        label.setText(QStringLiteral("a"));
        QCOMPARE(cambi, 2);
        label.setText(QString());
        QCOMPARE(cambi, 3);
        QCOMPARE(vistoDentro, QString());
        label.setText(QStringLiteral("<b>x</b>"));
        QCOMPARE(label.textFormat(), Qt::PlainText);
    }

    void casuale() {
        SystemRandom random;
        random.reseed(1234.5f);
        std::vector<float> prima;
        for (int i = 0; i < 1000; ++i) {
            const float r = random.next();
            QVERIFY(r >= 0.0f && r < 1.0f);
            prima.push_back(r);
        }
        random.reseed(1234.5f);
        for (float atteso : prima)
            QCOMPARE(random.next(), atteso);
        random.reseed(1234.75f);
        QVERIFY(random.next() != prima.front());
        QVERIFY(std::set<float>(prima.begin(), prima.end()).size() > 990);
    }

    void orologio() {
        SystemClock clock;
        const float t = clock.timer();
        QVERIFY(t >= 0.0f && t < 86400.0f);
        QVERIFY(std::abs(t - QTime::currentTime().msecsSinceStartOfDay() / 1000.0f) < 2.0f);
    }
};

QTEST_MAIN(TestPlatform)
#include "tst_platform.moc"
