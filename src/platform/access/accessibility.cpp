#include "platform/access/accessibility.h"

#include "platform/access/notice.h"
#include "platform/access/spoken.h"
#include "platform/forms/controls.h"
#include "platform/forms/pushbutton.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QEvent>

#if defined(Q_OS_WASM)
#include "platform/access/pagemirror.h"
#include "platform/system/application.h"
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

// A notice is read as what it says.
class NoticeAccessible : public QAccessibleWidget {
public:
    explicit NoticeAccessible(QWidget* notice) : QAccessibleWidget(notice, QAccessible::Notification) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name)
            return static_cast<const Notice*>(widget())->text();
        return QAccessibleWidget::text(t);
    }
};

template <class Widget> bool isA(const QString& className) {
    return className == QLatin1String(Widget::staticMetaObject.className());
}

QAccessibleInterface* accessibleControl(const QString& className, QObject* object) {
    if (!object || !object->isWidgetType())
        return nullptr;
    if (isA<Label>(className))
        return new LabelAccessible(static_cast<QWidget*>(object));
    if (isA<Notice>(className))
        return new NoticeAccessible(static_cast<QWidget*>(object));
    return nullptr;
}

// Qt's own interface reads a push button as its accessible name where it has one: a caption drawn
// with spaced letters is named as its word, once, before the button is first shown.
class ButtonNames : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::Polish) {
            if (auto* button = qobject_cast<PushButton*>(object)) {
                if (const QString word = spokenText(button->text()); word != button->text())
                    button->setAccessibleName(word);
            }
        }
        return false;
    }
};

} // namespace

void setUpAccessibility() {
    QAccessible::installFactory(accessibleControl);
    qApp->installEventFilter(new ButtonNames(qApp));
#if defined(Q_OS_WASM)
    startPageMirror();
    atQuit(stopPageMirror);
#endif
}

} // namespace platform
