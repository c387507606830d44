// In-process figures, offscreen: building and showing the windows, each handler of a quiz window,
// and a whole series of 96 questions, each the median of many runs, against its target.

#include "platform/access/accessibility.h"
#include "platform/system/application.h"
#include "quiz/finestraquiz.h"
#include "shell/frminizio.h"
#include "shell/programma.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

void flushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Median in microseconds of `runs` timed calls of `timed`, each after an untimed `prepare`.
double median(int runs, const std::function<void()>& prepare, const std::function<void()>& timed) {
    std::vector<double> micros;
    for (int i = 0; i < runs; ++i) {
        prepare();
        QElapsedTimer clock;
        clock.start();
        timed();
        micros.push_back(static_cast<double>(clock.nsecsElapsed()) / 1000.0);
    }
    std::nth_element(micros.begin(), micros.begin() + runs / 2, micros.end());
    return micros[runs / 2];
}

bool report(const char* what, double micros, double targetMicros) {
    const bool ok = micros <= targetMicros;
    std::printf("| %-56s | %10.1f µs | %8.0f µs | %s |\n", what, micros, targetMicros, ok ? "met" : "MISSED");
    return ok;
}

// A click as the pupil can make it: only on a visible, enabled button.
void premi(platform::Form& form, const char* name) {
    QPushButton* b = form.button(QString::fromLatin1(name));
    if (!b->isVisibleTo(form.window()) || !b->isEnabled()) {
        std::fprintf(stderr, "bench: %s cannot be clicked now\n", name);
        std::exit(1);
    }
    b->click();
}

bool visibile(platform::Form& form, const char* name) {
    return form.button(QString::fromLatin1(name))->isVisibleTo(form.window());
}

class Banco {
public:
    Banco() : programma(std::make_unique<shell::Programma>(clock, random)) { programma->avvia(); }

    quiz::FinestraQuiz& finestra(bool sotto) {
        return sotto ? static_cast<quiz::FinestraQuiz&>(programma->sottomultipli())
                     : static_cast<quiz::FinestraQuiz&>(programma->multipli());
    }

    // Back to a new question, then an answer: the state in which "Verifica" can be clicked, never
    // on the last question of a series.
    void scegli(quiz::FinestraQuiz& f) {
        if (visibile(f, "CmdRicomincia"))
            premi(f, "CmdRicomincia");
        else if (visibile(f, "CmdOperazione"))
            premi(f, "CmdOperazione");
        if (f.stato().contaDomande == quiz::FinestraQuiz::domandePerSerie) {
            premi(f, "Command2");
            premi(f, "CmdVerifica");
            premi(f, "CmdRicomincia");
        }
        premi(f, "Command2");
    }

    // Plays on to the end of the series: an answer, "Verifica" and the next question each round.
    void allaFine(quiz::FinestraQuiz& f) {
        while (!visibile(f, "CmdRicomincia")) {
            if (visibile(f, "CmdOperazione"))
                premi(f, "CmdOperazione");
            premi(f, "Command2");
            premi(f, "CmdVerifica");
        }
    }

    platform::SystemClock clock;
    platform::SystemRandom random;
    std::unique_ptr<shell::Programma> programma;
};

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    platform::setUpApplication();
    platform::setUpAccessibility();
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});

    bool tutti = true;
    std::printf("| %-56s | %13s | %11s | result |\n", "what (median)", "time", "target");
    std::printf("|%s|%s|%s|--------|\n", std::string(58, '-').c_str(), std::string(15, '-').c_str(),
                std::string(13, '-').c_str());

    std::unique_ptr<shell::Programma> menu;
    platform::SystemClock clock;
    platform::SystemRandom random;
    tutti &= report("main menu: build and show",
                    median(
                        51,
                        [&] {
                            menu.reset();
                            flushDeletes();
                        },
                        [&] {
                            menu = std::make_unique<shell::Programma>(clock, random);
                            menu->avvia();
                        }),
                    15000);
    menu.reset();
    flushDeletes();

    Banco banco;
    for (bool sotto : {false, true}) {
        quiz::FinestraQuiz& f = banco.finestra(sotto);
        const auto misura = [&](const char* cosa, int volte, const std::function<void()>& prima,
                                const std::function<void()>& misurata, double obiettivo) {
            const std::string nome = std::string(sotto ? "submultiples" : "multiples") + " window: " + cosa;
            tutti &= report(nome.c_str(), median(volte, prima, misurata), obiettivo);
        };
        const auto nulla = [] {};
        const auto carica = [&] {
            f.load();
            f.show();
        };
        const auto scarica = [&] {
            f.unload();
            flushDeletes();
        };
        misura("load and show", 101, scarica, carica, 15000);
        misura("unload", 101, carica, scarica, 15000);
        carica();
        // Two answers in turn, so that every click changes the chosen answer.
        int risposte = 0;
        misura(
            "Command2_Click (an answer)", 1001, nulla, [&] { premi(f, ++risposte % 2 ? "Command2" : "Command3"); },
            1000);
        misura(
            "CmdVerifica_Click", 1001, [&] { banco.scegli(f); }, [&] { premi(f, "CmdVerifica"); }, 1000);
        misura(
            "CmdOperazione_Click", 1001,
            [&] {
                banco.scegli(f);
                premi(f, "CmdVerifica");
            },
            [&] { premi(f, "CmdOperazione"); }, 1000);
        misura(
            "CmdRicomincia_Click", 31, [&] { banco.allaFine(f); }, [&] { premi(f, "CmdRicomincia"); }, 1000);
        misura(
            "a series of 96 through the handlers", 31,
            [&] {
                banco.allaFine(f);
                premi(f, "CmdRicomincia");
            },
            [&] { banco.allaFine(f); }, 100000);
    }
    std::printf("%s\n", tutti ? "every target met" : "some target MISSED");
    return 0;
}
