// The system's services: the random source, the clock and the application's style.

#include "platform/system/application.h"
#include "platform/system/clock.h"

#include <QApplication>
#include <QStyle>
#include <QtTest>

#include <set>

using namespace platform;

class TestSystem : public QObject {
    Q_OBJECT

private slots:
    // A Qt built without the Windows style would leave its default style in place unnoticed.
    void style() {
        setUpApplication();
        QCOMPARE(QApplication::style()->name(), QStringLiteral("windows"));
    }

    void randomSource() {
        SystemRandom random;
        random.reseed(1234.5f);
        std::vector<float> first;
        for (int i = 0; i < 1000; ++i) {
            const float r = random.next();
            QVERIFY(r >= 0.0f && r < 1.0f);
            first.push_back(r);
        }
        random.reseed(1234.5f);
        for (float expected : first)
            QCOMPARE(random.next(), expected);
        random.reseed(1234.75f);
        QVERIFY(random.next() != first.front());
        QVERIFY(std::set<float>(first.begin(), first.end()).size() > 990);
    }

    void clock() {
        SystemClock systemClock;
        const float t = systemClock.timer();
        QVERIFY(t >= 0.0f && t < 86400.0f);
        QVERIFY(std::abs(t - QTime::currentTime().msecsSinceStartOfDay() / 1000.0f) < 2.0f);
    }
};

QTEST_MAIN(TestSystem)
#include "tst_system.moc"
