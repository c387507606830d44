#include "platform/application.h"

#include <QApplication>
#include <QFont>
#include <QStyleFactory>

namespace platform {

void setUpApplication() {
    // Fusion tints button faces with a gradient; the Windows style fills them with the exact colour.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Windows")));
    // Metric twins of the layouts' faces; MS Sans Serif has no free twin, so a sans-serif of the
    // same family stands in for it.
    QFont::insertSubstitutions(QStringLiteral("Arial"), {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo")});
    QFont::insertSubstitutions(QStringLiteral("Times New Roman"),
                               {QStringLiteral("Liberation Serif"), QStringLiteral("Tinos")});
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo")});
}

} // namespace platform
