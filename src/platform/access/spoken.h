#pragma once

#include <QString>

namespace platform {

// How the program's own words are said aloud where they are written otherwise (a symbol said as
// its name): given a text, the same text as a reader should say it.
using Reading = QString (*)(const QString& text);

// The reading that spokenText applies from now on; nullptr reads every word as written.
void setReading(Reading reading);

// A caption drawn with spaced letters ("F i n e", "E  s  a  t  t  o") as its word ("Fine",
// "Esatto"); any other text as it stands.
QString captionWord(const QString& text);

// What a screen reader should say for a text of the program: the caption's word, read by the
// program's reading, without the blank the program writes before a question mark.
QString spokenText(const QString& text);

} // namespace platform
