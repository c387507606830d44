#include "platform/system/fonts.h"

#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QStringList>

#include <cstring>

#if defined(CAPACITA_CARRIED_FONTS)
// Resources of a static library are registered by hand, from outside any namespace.
static void registerCarriedFonts() {
    Q_INIT_RESOURCE(fonts);
}
#endif

namespace platform {

QString drawnFace(const char* layoutFace) {
    if (std::strcmp(layoutFace, "MS Sans Serif") == 0)
        return QStringLiteral("DejaVu Sans");
    return QString::fromLatin1(layoutFace);
}

void setUpFonts() {
#if defined(CAPACITA_CARRIED_FONTS)
    // Where the system lacks the faces the layouts are drawn in, the program carries them.
    registerCarriedFonts();
    const QDir carried(QStringLiteral(":/carried-fonts"));
    for (const QString& file : carried.entryList(QDir::Files))
        QFontDatabase::addApplicationFont(carried.filePath(file));
#endif
#if defined(Q_OS_WIN)
    // Where the system's default font is a logical face, FreeType finds no file for it: name the
    // faces Windows itself puts in its place.
    for (const char* dialogFace : {"MS Shell Dlg", "MS Shell Dlg 2"})
        QFont::insertSubstitutions(QString::fromLatin1(dialogFace),
                                   {QStringLiteral("Tahoma"), QStringLiteral("Microsoft Sans Serif")});
#endif
    QFont::insertSubstitutions(QStringLiteral("Arial"), {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo")});
    QFont::insertSubstitutions(QStringLiteral("Times New Roman"),
                               {QStringLiteral("Liberation Serif"), QStringLiteral("Tinos")});
}

} // namespace platform
