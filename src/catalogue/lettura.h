#pragma once

// How a teacher reads the program's texts aloud: the units by their names, as the questions are
// written to be read ("l'hl" is "l'ettolitro", "il dal" is "il decalitro"), and "E'" as "È".

#include <QString>

namespace catalogue {

// The text as it is said: every unit symbol standing as a word becomes its name, in the plural
// after a number other than 1 or after "Quanti"; "E'" opening a sentence becomes "È".
QString comeSiLegge(const QString& testo);

} // namespace catalogue
