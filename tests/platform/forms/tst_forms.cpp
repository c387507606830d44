// The forms layer: window lifecycle, the builder from layout tables in twips, the control kinds.

#include "platform/forms/form.h"
#include "support/support.h"

#include <QMenu>
#include <QSignalSpy>
#include <QtTest>

using namespace platform;
using namespace support;

namespace {

// clang-format off
constexpr Control controls[] = {
    {"Button", Kind::PushButton, "Press", 150, 150, 1500, 450, arial(12), rgb(255, 0, 0), standard, Align::Left, 2},
    {"Hidden", Kind::PushButton, "N", 150, 750, 1500, 450, arial(12), standard, standard, Align::Left, 0, Hidden},
    {"Disabled", Kind::PushButton, "S", 1800, 150, 1500, 450, arial(12), standard, standard, Align::Left, 1, Disabled},
    {"Box", Kind::Frame, "R", 3000, 1500, 1500, 1500, noFont, rgb(0, 255, 0)},
    {"Text", Kind::Label, "one  two", 150, 1500, 1500, 600, timesNewRoman(8.25), rgb(1, 2, 3), rgb(4, 5, 6), Align::Centre},
};
constexpr Control inFrame[] = {
    {"Inner", Kind::Label, "", 150, 300, 600, 300},
};
// clang-format on
constexpr ControlGroup groups[] = {{nullptr, controls}, {"Box", inFrame}};
constexpr MenuItem menu[] = {{"Menu", "&Menu", nullptr}, {"Item", "Item", "Menu"}};
constexpr WindowLayout testLayout{"Test", "Test", rgb(10, 20, 30), 6000, 4500, Border::FixedSingle,
                                  false,  true,   groups,          menu};

class TestForm : public Form {
public:
    TestForm() : Form(testLayout) {}
    int loads = 0;
    int windowClicks = 0;
    int field = 0; // a field that must survive an unload

protected:
    void Form_Load() override { ++loads; }
    void connectHandlers() override {
        onFormClick([this] { ++windowClicks; });
    }
};

} // namespace

class TestForms : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { support::setUpApplication(); }
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

    void lifecycle() {
        TestForm form;
        int unloads = 0;
        form.unloaded = [&] { ++unloads; };
        QVERIFY(!form.isLoaded());
        form.unload();
        QCOMPARE(unloads, 0);

        form.load();
        form.load();
        QCOMPARE(form.loads, 1);
        form.show();
        QCOMPARE(form.loads, 1);
        QVERIFY(form.window()->isVisible());
        QCOMPARE(form.window()->objectName(), QStringLiteral("Test"));
        QPointer<QWidget> old = form.window();
        form.field = 42;

        form.unload();
        QVERIFY(!form.isLoaded());
        QCOMPARE(form.control("Button"), nullptr);
        QCOMPARE(unloads, 1);
        flushDeletes();
        QVERIFY(old.isNull());
        QCOMPARE(form.field, 42);

        // Showing an unloaded window loads it first, running its load handler again.
        form.show();
        QCOMPARE(form.loads, 2);
        QVERIFY(form.window() != nullptr);

        // The title bar's close control unloads.
        QVERIFY(form.window()->close());
        QVERIFY(!form.isLoaded());
        QCOMPARE(unloads, 2);
    }

    void building() {
        TestForm form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(form.window()));
        QCOMPARE(form.clientArea()->size(), QSize(400, 300));
        QCOMPARE(form.window()->minimumSize(), form.window()->maximumSize());
        QVERIFY(!form.button("Hidden")->isVisible());
        QVERIFY(!form.button("Disabled")->isEnabled());
        QCOMPARE(form.button("Button")->palette().color(QPalette::Button), QColor(255, 0, 0));
        QCOMPARE(form.frame("Box")->backColor(), QColor(0, 255, 0));
        QCOMPARE(form.label("Inner")->parentWidget(), form.control("Box"));
        QCOMPARE(form.label("Inner")->geometry(), QRect(10, 20, 40, 20));
        // Blanks are kept as they are.
        QCOMPARE(form.label("Text")->text(), QStringLiteral("one  two"));
        QCOMPARE(form.label("Text")->font().pointSizeF(), 8.25);
        QVERIFY(form.menuItem("Item"));
        // The focus goes to the first visible, enabled button in tab order.
        QCOMPARE(form.window()->focusWidget(), form.button("Button"));
    }

    // Alt and the menu's letter open it; the press of that Alt, held back by a screen reader's
    // bridge until after the menu opened, leaves it open; Alt pressed again once let go closes it.
    void menuWithAlt() {
        TestForm form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(form.window()));
        QWidget* menu = form.menuItem("Menu")->menu();
        QTest::keyPress(form.window()->windowHandle(), Qt::Key_M, Qt::AltModifier);
        QTRY_VERIFY(menu->isVisible());
        QTest::keyPress(menu, Qt::Key_Alt);
        QVERIFY(menu->isVisible());
        QTest::keyRelease(form.window()->windowHandle(), Qt::Key_M, Qt::AltModifier);
        QTest::keyPress(menu, Qt::Key_Alt);
        QVERIFY(!menu->isVisible());
    }

    void button_data() {
        QTest::addColumn<Qt::MouseButton>("mouseButton");
        QTest::addColumn<bool>("releasedOff");
        QTest::addColumn<int>("click");
        QTest::newRow("left") << Qt::LeftButton << false << 1;
        QTest::newRow("right") << Qt::RightButton << false << 0;
        QTest::newRow("middle") << Qt::MiddleButton << false << 0;
        QTest::newRow("left, released off the button") << Qt::LeftButton << true << 0;
        QTest::newRow("right, released off the button") << Qt::RightButton << true << 0;
    }
    void button() {
        QFETCH(Qt::MouseButton, mouseButton);
        QFETCH(bool, releasedOff);
        QFETCH(int, click);
        TestForm form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(form.window()));
        PushButton* b = form.button("Button");
        QSignalSpy down(b, &PushButton::mouseDown);
        QSignalSpy up(b, &PushButton::mouseUp);
        QSignalSpy clicked(b, &QPushButton::clicked);
        QWindow* w = form.window()->windowHandle();
        const QPoint centre = b->mapTo(form.window(), b->rect().center());
        const QPoint far = centre + QPoint(250, 200);
        QTest::mousePress(w, mouseButton, Qt::NoModifier, centre);
        QCOMPARE(down.count(), 1);
        QCOMPARE(down.at(0).at(0).value<Qt::MouseButton>(), mouseButton);
        QCOMPARE(up.count(), 0);
        if (releasedOff)
            QTest::mouseMove(w, far);
        QTest::mouseRelease(w, mouseButton, Qt::NoModifier, releasedOff ? far : centre);
        QCOMPARE(up.count(), 1);
        QCOMPARE(clicked.count(), click);
        QCOMPARE(form.windowClicks, 0);
    }

    void clickOnWindow() {
        TestForm form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(form.window()));
        click(form, "Text");
        click(form, "Inner");
        QCOMPARE(form.windowClicks, 0);
        QTest::mouseClick(form.window()->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                          form.clientArea()->mapTo(form.window(), QPoint(390, 290)));
        QCOMPARE(form.windowClicks, 1);
    }

    // Every setting of a label's text raises its change event at once, also with the same text.
    void labelChange() {
        Label label(nullptr);
        int changes = 0;
        QString seenInside;
        connect(&label, &Label::changed, [&] {
            ++changes;
            seenInside = label.text();
        });
        label.setText(QStringLiteral("a"));
        QCOMPARE(changes, 1);
        QCOMPARE(seenInside, QStringLiteral("a"));
        label.setText(QStringLiteral("a"));
        QCOMPARE(changes, 2);
        label.setText(QString());
        QCOMPARE(changes, 3);
        QCOMPARE(seenInside, QString());
        label.setText(QStringLiteral("<b>x</b>"));
        QCOMPARE(label.textFormat(), Qt::PlainText);
    }
};

QTEST_MAIN(TestForms)
#include "tst_forms.moc"
