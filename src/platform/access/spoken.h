#pragma once

#include <QString>

namespace platform {

// A caption drawn with spaced letters ("F i n e", "E  s  a  t  t  o") as the word a screen reader
// should say ("Fine", "Esatto"); any other text as it stands.
QString spokenText(const QString& text);

} // namespace platform
