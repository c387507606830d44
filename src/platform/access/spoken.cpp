#include "platform/access/spoken.h"

#include <QStringList>

namespace platform {

QString spokenText(const QString& text) {
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

} // namespace platform
