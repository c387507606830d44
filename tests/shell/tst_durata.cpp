// Long use: windows opened, played and closed a thousand times must not make the program grow.

#include "quiz/finestraquiz.h"
#include "shell/frminizio.h"
#include "shell/frmwww.h"
#include "shell/programma.h"
#include "support/support.h"

#include <QFile>
#include <QtTest>

#include <malloc.h>
#if defined(Q_OS_WIN)
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// After windows.h, which it needs.
#include <psapi.h>
#elif !defined(Q_OS_WASM)
#include <unistd.h>
#endif

using namespace support;

namespace {

// Resident memory in KiB, from the kernel's own account, once the allocator has handed back what
// it keeps cached from freed blocks. On Windows, the process's working set; in the browser, whose
// WebAssembly memory only ever grows, what the allocator has handed out.
long residentKiB() {
#if defined(Q_OS_WASM)
    return static_cast<long>(mallinfo().uordblks / 1024);
#elif defined(Q_OS_WIN)
    _heapmin();
    PROCESS_MEMORY_COUNTERS contatori{};
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &contatori, sizeof contatori))
        return -1;
    return static_cast<long>(contatori.WorkingSetSize / 1024);
#else
    malloc_trim(0);
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> campi = statm.readAll().split(' ');
    return campi.size() > 1 ? campi[1].toLong() * (sysconf(_SC_PAGESIZE) / 1024) : -1;
#endif
}

#if defined(__SANITIZE_ADDRESS__)
// AddressSanitizer holds freed memory back on purpose; there only its leak check counts.
constexpr bool misuraAffidabile = false;
#else
constexpr bool misuraAffidabile = true;
#endif

} // namespace

class TestDurata : public QObject {
    Q_OBJECT

private:
    StandInClock clock;

    void ciclo(shell::Programma& programma, int i) {
        const bool sotto = i % 2;
        click(programma.inizio(), sotto ? QStringLiteral("Command2") : QStringLiteral("Command1"));
        quiz::FinestraQuiz& quiz = sotto ? static_cast<quiz::FinestraQuiz&>(programma.sottomultipli())
                                         : static_cast<quiz::FinestraQuiz&>(programma.multipli());
        click(quiz, QStringLiteral("Command3"));
        clock.now += 3.0f;
        click(quiz, QStringLiteral("CmdVerifica"));
        click(quiz, QStringLiteral("CmdOperazione"));
        quiz.window()->close();

        QWindow* menu = programma.inizio().window()->windowHandle();
        QWidget* info = programma.inizio().control(QStringLiteral("Command7"));
        const QPoint centro = info->mapTo(programma.inizio().window(), info->rect().center());
        QTest::mousePress(menu, Qt::LeftButton, Qt::NoModifier, centro);
        QVERIFY(programma.www().isLoaded());
        QTest::mouseRelease(menu, Qt::LeftButton, Qt::NoModifier, centro);
        QVERIFY(!programma.www().isLoaded());
        flushDeletes();
    }

private slots:
    void initTestCase() { support::setUpApplication(); }

    void milleAperture() {
        platform::SystemRandom random;
        shell::Programma programma(clock, random);
        programma.avvia();
        QVERIFY(QTest::qWaitForWindowExposed(programma.inizio().window()));
        long dopo50 = 0;
        for (int i = 0; i < 2000; ++i) {
            ciclo(programma, i);
            if (QTest::currentTestFailed())
                return;
            if (i == 99)
                dopo50 = residentKiB();
        }
        const long dopoTutti = residentKiB();
        qInfo("resident memory after 50 cycles of each window: %ld KiB; after 1000: %ld KiB", dopo50, dopoTutti);
        QVERIFY(dopo50 > 0);
        if (misuraAffidabile)
            QVERIFY2(dopoTutti - dopo50 <= 1024, "the program grows with use");
    }
};

QTEST_MAIN(TestDurata)
#include "tst_durata.moc"
