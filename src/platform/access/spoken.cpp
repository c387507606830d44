#include "platform/access/spoken.h"

#include <QRegularExpression>
#include <QStringList>

namespace platform {

namespace {

Reading programReading = nullptr;

} // namespace

void setReading(Reading reading) {
    programReading = reading;
}

QString captionWord(const QString& text) {
    const QStringList letters = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (letters.size() < 2)
        return text;
    for (const QString& l : letters) {
        if (l.size() != 1 || !l.front().isLetter())
            return text;
    }
    const QString word = letters.join(QString());
    return word.left(1) + word.mid(1).toLower();
}

QString spokenText(const QString& text) {
    static const QRegularExpression blankBeforeMark(QStringLiteral("\\s+(?=[?!])"));
    QString spoken = captionWord(text);
    if (programReading)
        spoken = programReading(spoken);
    return spoken.remove(blankBeforeMark);
}

} // namespace platform
