#include "catalogue/lettura.h"
#include "platform/access/accessibility.h"
#include "platform/access/readaloud.h"
#include "platform/system/application.h"
#include "shell/programma.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>
#include <cstdlib>
#include <cstring>

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

// The one option: "--voce" turns read-aloud on (the page passes it for "?voce" in its address).
// Anything else is ignored, as the program takes no other.
bool conLaVoce(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--voce") == 0)
            return true;
    }
    return false;
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
    if (conLaVoce(argc, argv))
        platform::startReadAloud(platform::systemVoice());

    platform::SystemClock clock;
    platform::SystemRandom random;
    shell::Programma programma(clock, random);
    programma.avvia();
    const int esito = app.exec();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return esito;
}
