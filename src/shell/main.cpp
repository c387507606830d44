#include "catalogue/lettura.h"
#include "platform/access/accessibility.h"
#include "platform/access/readaloud.h"
#include "platform/forms/scanning.h"
#include "platform/system/application.h"
#include "shell/programma.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

// Without a display Qt aborts with a long message; say plainly what is missing instead.
bool senzaSchermo() {
#if defined(__linux__)
    const auto vuota = [](const char* nome) {
        const char* valore = std::getenv(nome);
        return !valore || !*valore;
    };
    return vuota("QT_QPA_PLATFORM") && vuota("DISPLAY") && vuota("WAYLAND_DISPLAY");
#else
    return false;
#endif
}

// The options, each off unless given (the page passes them for "?voce" and "?scansione" in its
// address): "--voce" turns read-aloud on, "--scansione" or "--scansione=SECONDI" switch scanning
// with a step of SECONDI (0.5 to 5, 1.2 if not given or out of range). Anything else is ignored.
struct Opzioni {
    bool voce = false;
    double passoScansione = 0; // 0: no scanning
};

Opzioni leggiOpzioni(int argc, char* argv[]) {
    Opzioni opzioni;
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        if (std::strcmp(a, "--voce") == 0) {
            opzioni.voce = true;
        } else if (std::strcmp(a, "--scansione") == 0 || std::strncmp(a, "--scansione=", 12) == 0) {
            const double passo = a[11] == '=' ? std::atof(a + 12) : 0;
            opzioni.passoScansione = passo >= 0.5 && passo <= 5 ? passo : 1.2;
        }
    }
    return opzioni;
}

} // namespace

int main(int argc, char* argv[]) {
    if (senzaSchermo()) {
        std::fputs("capacita: no display to open its windows on (neither DISPLAY nor WAYLAND_DISPLAY is set)\n",
                   stderr);
        return 1;
    }
#if defined(Q_OS_WIN)
    // On Windows, FreeType draws the letters, at their designed widths as on the other systems:
    // Windows' own engine rounds every advance to whole pixels, which pushes the headings of
    // "ELABORAZIONE" onto its column lines.
    qputenv("QT_QPA_PLATFORM", "windows:fontengine=freetype");
#endif
    // Qt sees the program's name only: no option of Qt's changes the program.
    int argcQt = argc > 0 ? 1 : 0;
    QApplication app(argcQt, argv);
    QApplication::setApplicationName(QStringLiteral("capacita"));
    QGuiApplication::setDesktopFileName(QStringLiteral(CAPACITA_APP_ID));
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/capacita.png")));
    platform::setUpApplication();
    platform::setUpAccessibility(catalogue::comeSiLegge);
    const Opzioni opzioni = leggiOpzioni(argc, argv);
    if (opzioni.voce)
        platform::startReadAloud(platform::systemVoice());

    platform::SystemClock clock;
    platform::SystemRandom random;
    std::unique_ptr<platform::Scanner> scansione;
    if (opzioni.passoScansione > 0) {
        // With read-aloud on, each control is said as the highlight reaches it.
        scansione = std::make_unique<platform::Scanner>(clock, opzioni.passoScansione, [](const QString& didascalia) {
            platform::readAloud(platform::spokenText(didascalia));
        });
    }
    shell::Programma programma(clock, random);
    programma.avvia();
    const int esito = app.exec();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return esito;
}
