#include "quiz/layoutquiz.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace quiz {

namespace {

using namespace platform;
using enum Kind;
using enum Align;

constexpr Control risposta(const char* name, const char* caption, int left, int top, int width, int tab) {
    return {name, PushButton, caption, left, top, width, 525, arial(12), rgb(255, 192, 192), standard, Left, tab};
}

// Front to back. The answer buttons of each window stand right after CmdRicomincia.
// clang-format off
constexpr Control ricomincia =
    {"CmdRicomincia", PushButton, "Ricomincia", 8430, 4410, 3315, 525, arial(12), standard, standard, Left, 24};

constexpr Control comuni[] = {
    {"Frame2", Frame, "ELABORAZIONE", 8505, 5670, 3270, 1680, noFont, rgb(255, 192, 192), standard, Left, 9},
    {"CmdVerifica", PushButton, "Verifica", 540, 5070, 7785, 540, msSansSerif(12), rgb(255, 128, 128), standard, Left, 6},
    {"CmdFine", PushButton, "F i n e", 8415, 5040, 3330, 540, arial(12), rgb(255, 192, 255), standard, Left, 5},
    {"CmdOperazione", PushButton, "Visualizza nuova domanda", 510, 5100, 7785, 540, msSansSerif(12), rgb(255, 128, 0), standard, Left, 4},
    {"Command1", PushButton, "", 525, 5070, 7785, 540, noFont, rgb(255, 192, 255), standard, Left, 7, Disabled | Inert},
    {"lblRisultato", Label, "", 2940, 2280, 4275, 1335, arial(50.25), standard, standard, Centre, 23},
    {"LblNumero2", Label, "", 660, 870, 11055, 1185, arial(24), rgb(255, 255, 192), rgb(0, 128, 0), Centre, 1},
    {"LblEsito", Label, "", 540, 3630, 7785, 1320, timesNewRoman(72), standard, rgb(255, 128, 0), Centre, 16},
    {"LblIstruzione", Label, "", 420, 7770, 11355, 330, msSansSerif(9.75), rgb(255, 255, 192), rgb(0, 0, 255), Left, 8},
    {"LblContrassegno", Label, "", 6150, 180, 4185, 495, timesNewRoman(21.75), rgb(255, 224, 192), rgb(0, 128, 0), Left, 3},
    {"Label1", Label, "Misure di capacità", 570, 180, 11175, 495, timesNewRoman(21.75), rgb(255, 224, 192), rgb(0, 0, 192), Left, 0},
    {"Shape1", Shape, "", 540, 720, 11295, 1395, noFont, rgb(255, 255, 0), standard, Left, noTab, None, nullptr, 2},
    {"Label3", Label, "", 570, 750, 11250, 2955, noFont, rgb(255, 255, 192), standard, Left, 2},
};

// Inside Frame2, relative to its corner; the lines run from (left, top) to (width, height).
constexpr Control inFrame2[] = {
    {"LblEsercizio", Label, "", 240, 960, 480, 480, arial(14.25), standard, rgb(0, 192, 0), Centre, 15},
    {"LblOperazione", Label, "", 975, 960, 480, 480, arial(14.25), standard, rgb(0, 192, 0), Centre, 14},
    {"LblTempoParziale", Label, "", 1695, 960, 480, 480, arial(14.25), standard, rgb(255, 0, 0), Left, 13, None, "Secondi impiegati per ogni risposta"},
    {"LblTempoTotale", Label, "", 2535, 960, 480, 480, arial(14.25), standard, rgb(255, 0, 0), Left, 12, None, "Secondi impiegati per ogni esercizio"},
    {"Label9", Label, "             Dom.   Tempo      Tempo ", 240, 360, 3015, 255, msSansSerif(8.25), standard, standard, Left, 11},
    {"Label7", Label, "                        parziale    totale", 240, 600, 3015, 255, msSansSerif(8.25), standard, standard, Left, 10},
    {"Line1", Line, "", 840, 360, 840, 1200},
    {"Line2", Line, "", 1560, 360, 1560, 1200},
    {"Line4", Line, "", 2400, 360, 2400, 1200},
};

// clang-format on
constexpr MenuItem menu[] = {
    {"MnuFile", "&File", nullptr},
    {"MnuEsci", "Esci", "MnuFile"},
};

// Read by assistive technology, also while the labels are empty.
constexpr Description descrizioni[] = {
    {"LblNumero2", "Domanda"},
    {"lblRisultato", "Risposta scelta"},
    {"LblEsito", "Esito"},
    {"LblIstruzione", "Istruzione"},
    {"LblOperazione", "Numero della domanda"},
    {"LblTempoParziale", "Tempo parziale in secondi"},
    {"LblTempoTotale", "Tempo totale in secondi"},
};

// Both windows alike but for their name, title and answer buttons: a sizable frame without
// minimise and maximise buttons, opening maximised.
constexpr WindowLayout finestra(const char* name, const char* title, std::span<const ControlGroup> groups) {
    return {name, title, rgb(255, 224, 192), 11880, 8310, Border::Sizable, true, true, groups, menu, descrizioni};
}

struct Tab {
    const char* name;
    int tab;
};

std::vector<Control> componi(std::span<const Control> pulsanti, std::span<const Tab> tabDiversi) {
    std::vector<Control> controlli{ricomincia};
    controlli.insert(controlli.end(), pulsanti.begin(), pulsanti.end());
    controlli.insert(controlli.end(), std::begin(comuni), std::end(comuni));
    for (const Tab& diverso : tabDiversi) {
        std::find_if(controlli.begin(), controlli.end(), [&](const Control& c) {
            return std::strcmp(c.name, diverso.name) == 0;
        })->tab = diverso.tab;
    }
    return controlli;
}

// The multiples window: answers in two rows of three.
// clang-format off
constexpr Control pulsantiMultipli[] = {
    risposta("Command7", "hl", 3930, 6540, 1695, 22),
    risposta("Command6", "dal", 2220, 6540, 1695, 21),
    risposta("Command5", "l", 540, 6540, 1695, 20),
    risposta("Command4", "1000", 3930, 6030, 1695, 19),
    risposta("Command3", "100", 2220, 6030, 1695, 18),
    risposta("Command2", "10", 540, 6030, 1695, 17),
};
// clang-format on
const std::vector<Control> controlliMultipli = componi(pulsantiMultipli, {});
const ControlGroup gruppiMultipli[] = {{nullptr, controlliMultipli}, {"Frame2", inFrame2}};

const WindowLayout layoutMultipli =
    finestra("FrmMultipliCapacità", "47 DOMANDE PER CONOSCERE LE MISURE DI CAPACITA':  I MULTIPLI", gruppiMultipli);

constexpr const char* risposteMultipli[] = {"Command2", "Command3", "Command4", "Command5", "Command6", "Command7"};

// The submultiples window: seven answers, "1000" as one wide button beneath the others.
// clang-format off
constexpr Control pulsantiSottomultipli[] = {
    risposta("Command8", "l", 3510, 6390, 1275, 23),
    risposta("Command7", "dl", 3510, 5850, 1275, 22),
    risposta("Command6", "cl", 2220, 6390, 1275, 21),
    risposta("Command5", "ml", 2220, 5850, 1275, 20),
    risposta("Command4", "1000", 510, 6930, 4275, 19),
    risposta("Command3", "100", 510, 6390, 1695, 18),
    risposta("Command2", "10", 510, 5850, 1695, 17),
};
// clang-format on
constexpr Tab tabSottomultipli[] = {{"lblRisultato", 24}, {"CmdRicomincia", 25}};
const std::vector<Control> controlliSottomultipli = componi(pulsantiSottomultipli, tabSottomultipli);
const ControlGroup gruppiSottomultipli[] = {{nullptr, controlliSottomultipli}, {"Frame2", inFrame2}};

const WindowLayout layoutSottomultipli =
    finestra("FrmSottomultipliCapacità", "96 DOMANDE PER CONOSCERE LE MISURE DI CAPACITA':  I SOTTOMULTIPLI",
             gruppiSottomultipli);

constexpr const char* risposteSottomultipli[] = {"Command2", "Command3", "Command4", "Command5",
                                                 "Command6", "Command7", "Command8"};

} // namespace

const Variante varianteMultipli{layoutMultipli, risposteMultipli, 47, catalogue::catalogoMultipli};
const Variante varianteSottomultipli{layoutSottomultipli, risposteSottomultipli, 96, catalogue::catalogoSottomultipli};

} // namespace quiz
