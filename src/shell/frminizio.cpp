#include "shell/frminizio.h"

#include "quiz/finestraquiz.h"
#include "shell/autore.h"
#include "shell/frmwww.h"
#include "shell/programma.h"

namespace shell {

namespace {

using namespace platform;
using enum Kind;
using enum Align;

constexpr Colour rosa = rgb(255, 128, 255);
constexpr Colour lilla = rgb(192, 192, 255);
constexpr Colour blu = rgb(0, 0, 192);

// Front to back.
// clang-format off
constexpr Control controlli[] = {
    {"Command7", PushButton, "Info", 4590, 6630, 6675, 315, arial(12), rosa, standard, Left, 8},
    {"Command9", PushButton, "E S C I", 4590, 5700, 6690, 705, msSansSerif(8.25), rosa, standard, Left, 7},
    {"Command2", PushButton, "IL LITRO E I SUOI  SOTTOMULTIPLI", 4590, 4350, 4770, 705, arial(12), rosa, standard, Left, 2},
    {"Command1", PushButton, "IL LITRO E I SUOI MULTIPLI", 4590, 3060, 4770, 705, arial(12), rosa, standard, Left, 0},
    {"Command3", PushButton, "OPERAZIONI CON I MOLTIPLICATIVI", 8370, 3090, 3090, 705, msSansSerif(8.25), rosa, standard, Left, 1, Hidden},
    {"Command4", PushButton, "OPERAZIONI CON LE UNITA' FRAZIONARIE", 8400, 4320, 3090, 705, msSansSerif(8.25), rosa, standard, Left, 3, Hidden},
    {"Image1", Image, "", 210, 2640, 4245, 4290},
    {"Label5", Label, autore::credito, 7440, 7290, 4515, 465, arial(15.75), lilla, blu, Left},
    {"Label4", Label, "UNITA' DI MISURA DI CAPACITA' ", 210, 390, 11505, 1095, arial(27.75), rosa, blu, Centre},
    {"Label3", Label, "Ideazione, progettazione e realizzazione", 270, 7245, 8655, 495, arial(18), lilla, rgb(0, 0, 0), Left},
    {"Shape2", Shape, "", 150, 240, 11655, 1305, noFont, rosa, standard, Left, noTab, None, nullptr, 1},
    {"Shape1", Shape, "", 120, 300, 11655, 1305, noFont, rosa, standard, Left, noTab, None, nullptr, 2},
};
// clang-format on
constexpr ControlGroup gruppi[] = {{nullptr, controlli}};

constexpr MenuItem menu[] = {
    {"MnuFile", "File", nullptr},
    {"mnuFine", "Esci", "MnuFile"},
};
constexpr Description descrizioni[] = {{"Command7", autore::contatti.data()}};

// clang-format off
constexpr WindowLayout layoutInizio{"FrmInizioCapacità", "Gli obiettivi dell'addizione", rgb(255, 192, 255), 11880, 8310, Border::None, true, true, gruppi, menu, descrizioni};
// clang-format on

} // namespace

FrmInizioCapacità::FrmInizioCapacità(Programma& programma) : Form(layoutInizio), programma_(programma) {}

void FrmInizioCapacità::connectHandlers() {
    onClick(QStringLiteral("Command1"), [this] { Command1_Click(); });
    onClick(QStringLiteral("Command2"), [this] { Command2_Click(); });
    onMouseDown(QStringLiteral("Command7"), [this] { Command7_MouseDown(); });
    onMouseUp(QStringLiteral("Command7"), [this] { Command7_MouseUp(); });
    onClick(QStringLiteral("Command9"), [this] { Command9_Click(); });
    onMenu(QStringLiteral("mnuFine"), [this] { mnuFine_Click(); });
}

void FrmInizioCapacità::Command1_Click() {
    programma_.multipli().load();
    programma_.multipli().show();
}

void FrmInizioCapacità::Command2_Click() {
    programma_.sottomultipli().load();
    programma_.sottomultipli().show();
}

void FrmInizioCapacità::Command7_MouseDown() {
    programma_.www().load();
    programma_.www().show();
}

void FrmInizioCapacità::Command7_MouseUp() {
    programma_.www().unload();
}

void FrmInizioCapacità::Command9_Click() {
    programma_.termina();
}

void FrmInizioCapacità::mnuFine_Click() {
    unload();
    programma_.termina();
}

} // namespace shell
