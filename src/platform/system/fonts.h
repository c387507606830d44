#pragma once

// Which face draws each face that the layouts name, on this system.

#include <QString>

namespace platform {

// The family to ask for when a layout names layoutFace. MS Sans Serif is drawn in DejaVu Sans
// everywhere: its wider letters and blanks put the quiz windows' column headings between their
// lines, which the narrow faces that stand in for it elsewhere (Liberation Sans, Wine's own MS
// Sans Serif) do not. Arial and Times New Roman are asked for by name and, where the system lacks
// them, met by their metric twins.
QString drawnFace(const char* layoutFace);

// Registers the faces the program carries itself and the metric twins; once, before any window.
void setUpFonts();

} // namespace platform
