#include "platform/fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

#include <cstring>

namespace platform {

QString drawnFace(const char* layoutFace) {
    if (std::strcmp(layoutFace, "MS Sans Serif") == 0)
        return QStringLiteral("DejaVu Sans");
    return QString::fromLatin1(layoutFace);
}

void setUpFonts() {
#if defined(Q_OS_WIN)
    // Windows has no DejaVu Sans: the program carries the one weight it uses.
    Q_INIT_RESOURCE(fonts);
    QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/DejaVuSans-Bold.ttf"));
#endif
    QFont::insertSubstitutions(QStringLiteral("Arial"), {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo")});
    QFont::insertSubstitutions(QStringLiteral("Times New Roman"),
                               {QStringLiteral("Liberation Serif"), QStringLiteral("Tinos")});
}

} // namespace platform
