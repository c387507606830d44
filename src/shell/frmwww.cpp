#include "shell/frmwww.h"

#include "shell/autore.h"

#include <QGuiApplication>
#include <QScreen>

namespace shell {

namespace {

using namespace platform;

constexpr Control controlli[] = {
    {"Label1", Kind::Label, autore::sito, 1230, 420, 4245, 615, msSansSerif(13.5)},
    {"Label2", Kind::Label, autore::email, 1140, 1350, 4275, 525, msSansSerif(13.5)},
};
constexpr ControlGroup gruppi[] = {{nullptr, controlli}};

// clang-format off
constexpr WindowLayout layoutWWW{"FrmWWW", "INFO", rgb(192, 255, 255), 7215, 2970, Border::FixedSingle, false, false, gruppi, {}};
// clang-format on

constexpr float alto = 20.0f;

// Lengths of the screen and of the window in twips, in single precision.
float inTwips(int pixels) {
    return static_cast<float>(pixels * twipsPerPixel);
}

} // namespace

FrmWWW::FrmWWW(platform::Announcer& annunci) : Form(layoutWWW), annunci_(annunci) {}

void FrmWWW::connectHandlers() {
    onFormClick([this] { Form_Click(); });
}

// Top centre of the screen, whatever the layout left to the system; nothing clamps a window or a
// label wider than its container.
void FrmWWW::Form_Load() {
    // The native window knows its frame, and so the window's outer width.
    window()->winId();
    const float larghezzaSchermo = inTwips(QGuiApplication::primaryScreen()->geometry().width());
    const auto larghezzaFinestra = [this] { return inTwips(window()->frameGeometry().width()); };
    const float sinistra = (larghezzaSchermo - larghezzaFinestra()) / 2;
    window()->move(twipsRect(sinistra, alto, 0, 0).topLeft());
    centraLabel(QStringLiteral("Label1"), larghezzaFinestra());
    centraLabel(QStringLiteral("Label2"), larghezzaFinestra());
    annunci_.announce(window(), label(QStringLiteral("Label1"))->text());
    annunci_.announce(window(), label(QStringLiteral("Label2"))->text());
}

void FrmWWW::centraLabel(const QString& nome, float larghezzaFinestra) {
    const Control* riga = design(nome);
    const float sinistra = (larghezzaFinestra - static_cast<float>(riga->width)) / 2;
    label(nome)->setGeometry(twipsRect(sinistra, riga->top, riga->width, riga->height));
}

void FrmWWW::Form_Click() {
    unload();
}

} // namespace shell
