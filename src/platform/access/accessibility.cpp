#include "platform/access/accessibility.h"

#include "platform/access/notice.h"
#include "platform/access/spoken.h"
#include "platform/forms/controls.h"
#include "platform/forms/formwindow.h"
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

// A window's client area offers assistive technology its controls but the inert ones, which are
// only drawn: a screen reader exploring the window meets nothing that says nothing.
class ClientAreaAccessible : public QAccessibleWidget {
public:
    explicit ClientAreaAccessible(QWidget* area) : QAccessibleWidget(area, QAccessible::Client) {}

    int childCount() const override { return int(offered().size()); }

    QAccessibleInterface* child(int index) const override {
        const QList<QWidget*> children = offered();
        return index >= 0 && index < children.size() ? QAccessible::queryAccessibleInterface(children[index]) : nullptr;
    }

    int indexOfChild(const QAccessibleInterface* child) const override {
        return child ? int(offered().indexOf(child->object())) : -1;
    }

private:
    QList<QWidget*> offered() const {
        QList<QWidget*> children;
        for (QObject* o : widget()->children()) {
            auto* w = qobject_cast<QWidget*>(o);
            if (w && !w->isWindow() && !isInert(w))
                children.append(w);
        }
        return children;
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
    if (isA<ClientArea>(className))
        return new ClientAreaAccessible(static_cast<QWidget*>(object));
    return nullptr;
}

// Qt's own interface reads a push button as its accessible name and description where it has
// them, set once before the button is first shown. A caption drawn with spaced letters is named as
// its word. A caption said otherwise than written keeps its written name, which a braille display
// shows, and is described as it is said ("dal", "decalitro").
class ButtonNames : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::Polish) {
            if (auto* button = qobject_cast<PushButton*>(object)) {
                const QString word = captionWord(button->text());
                if (word != button->text())
                    button->setAccessibleName(word);
                if (const QString said = spokenText(button->text());
                    said != word && button->accessibleDescription().isEmpty())
                    button->setAccessibleDescription(said);
            }
        }
        return false;
    }
};

} // namespace

void setUpAccessibility(Reading reading) {
    setReading(reading);
    QAccessible::installFactory(accessibleControl);
    qApp->installEventFilter(new ButtonNames(qApp));
#if defined(Q_OS_WASM)
    startPageMirror();
    atQuit(stopPageMirror);
#endif
}

} // namespace platform
