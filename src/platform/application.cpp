#include "platform/application.h"

#include "platform/controls.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QFont>
#include <QStyleFactory>

namespace platform {

namespace {

// A label is read as its text, and only its text: Qt would otherwise name an empty label after
// the frame around it. What an empty label will show is its description.
class LabelAccessible : public QAccessibleWidget {
public:
    explicit LabelAccessible(QWidget* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name)
            return static_cast<const QLabel*>(widget())->text();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* accessibleControl(const QString& className, QObject* object) {
    if (className == QLatin1String(Label::staticMetaObject.className()) && object && object->isWidgetType())
        return new LabelAccessible(static_cast<QWidget*>(object));
    return nullptr;
}

} // namespace

void setUpApplication() {
    QAccessible::installFactory(accessibleControl);
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
