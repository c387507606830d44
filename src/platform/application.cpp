#include "platform/application.h"

#include "platform/announce.h"
#include "platform/controls.h"
#include "platform/fonts.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QStyleFactory>

#if defined(Q_OS_WASM)
#include "platform/pagemirror.h"

#include <emscripten.h>
#endif

namespace platform {

namespace {

// A label is read as its text, and only its text: Qt would otherwise name an empty label after
// the frame around it. What an empty label will show is its description. A text drawn with spaced
// letters is read as its word.
class LabelAccessible : public QAccessibleWidget {
public:
    explicit LabelAccessible(QWidget* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name)
            return spokenText(static_cast<const QLabel*>(widget())->text());
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
    setUpFonts();
#if defined(Q_OS_WASM)
    startPageMirror();
#endif
}

void quitApplication() {
    QCoreApplication::exit(0);
#if defined(Q_OS_WASM)
    stopPageMirror();
    emscripten_run_script("window.dispatchEvent(new Event('capacita-terminato'))");
#endif
}

} // namespace platform
