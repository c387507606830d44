#include "platform/announce.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QEvent>
#include <QPointer>
#include <QStringList>
#include <QWidget>

#if defined(Q_OS_WIN)
#include <qt_windows.h>

#include <oleauto.h>
#elif defined(Q_OS_WASM)
#include "platform/pagemirror.h"
#endif

namespace platform {

namespace {

// One per window: keeps what the window has to say until the handler that said it has returned
// and the window is active, so that a window's opening, which the screen reader presents as the
// window and its focused button, comes before what the window says. On Linux it is itself the
// notification that a screen reader speaks as it appears; elsewhere it stays hidden.
class Notice : public QWidget {
    Q_OBJECT
public:
    explicit Notice(QWidget* window) : QWidget(window) {
        setObjectName(QStringLiteral("annuncio"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        setGeometry(0, 0, 1, 1);
        setVisible(false);
        window->installEventFilter(this);
    }

    void add(const QString& text) {
        pending_ << text;
        schedule();
    }

    const QString& text() const { return text_; }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::WindowActivate && !pending_.isEmpty())
            schedule();
        return false;
    }

private:
    void schedule() {
        if (scheduled_)
            return;
        scheduled_ = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                scheduled_ = false;
                deliver();
            },
            Qt::QueuedConnection);
    }

    void deliver() {
        if (pending_.isEmpty() || !window()->isVisible() || !window()->isActiveWindow())
            return;
        // One utterance, each text ending as a sentence.
        text_.clear();
        for (const QString& t : std::as_const(pending_)) {
            if (!text_.isEmpty())
                text_ += text_.back().isPunct() ? QStringLiteral(" ") : QStringLiteral(". ");
            text_ += t;
        }
        pending_.clear();
        speak();
    }

    void speak();

    QStringList pending_;
    QString text_;
    bool scheduled_ = false;
};

class NoticeAccessible : public QAccessibleWidget {
public:
    explicit NoticeAccessible(QWidget* notice) : QAccessibleWidget(notice, QAccessible::Notification) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name)
            return static_cast<const Notice*>(widget())->text();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* accessibleNotice(const QString& className, QObject* object) {
    if (className == QLatin1String(Notice::staticMetaObject.className()) && object && object->isWidgetType())
        return new NoticeAccessible(static_cast<QWidget*>(object));
    return nullptr;
}

#if defined(Q_OS_WIN)
// UI Automation's notification event, which NVDA, JAWS and Narrator speak. It came with Windows 10
// 1709 and Wine lacks it: looked up at run time, and without it nothing is said.
enum { NotificationKindOther = 4, NotificationProcessingImportantAll = 0 };
using HostProviderFromHwnd = HRESULT(WINAPI*)(HWND, IUnknown**);
using RaiseNotificationEvent = HRESULT(WINAPI*)(IUnknown*, int, int, BSTR, BSTR);

void Notice::speak() {
    static const HMODULE uia = LoadLibraryW(L"uiautomationcore.dll");
    static const auto provider =
        uia ? reinterpret_cast<HostProviderFromHwnd>(reinterpret_cast<void*>(GetProcAddress(uia, "UiaHostProviderFromHwnd")))
            : nullptr;
    static const auto raise = uia ? reinterpret_cast<RaiseNotificationEvent>(
                                        reinterpret_cast<void*>(GetProcAddress(uia, "UiaRaiseNotificationEvent")))
                                  : nullptr;
    IUnknown* element = nullptr;
    if (!provider || !raise || FAILED(provider(reinterpret_cast<HWND>(window()->winId()), &element)) || !element)
        return;
    BSTR said = SysAllocString(reinterpret_cast<const wchar_t*>(text_.utf16()));
    BSTR activity = SysAllocString(L"capacita");
    raise(element, NotificationKindOther, NotificationProcessingImportantAll, said, activity);
    SysFreeString(activity);
    SysFreeString(said);
    element->Release();
}
#elif defined(Q_OS_WASM)
void Notice::speak() {
    announceInPage(text_);
}
#else
// Orca speaks a notification object as it appears, without moving the focus; a changed name alone
// reaches it from Qt 6.4 without its text.
void Notice::speak() {
    hide();
    show();
}
#endif

} // namespace

void SystemAnnouncer::announce(QWidget* window, const QString& text) {
    static const bool factory = (QAccessible::installFactory(accessibleNotice), true);
    Q_UNUSED(factory);
    if (!window || text.isEmpty())
        return;
    auto* notice = window->findChild<Notice*>(QString(), Qt::FindDirectChildrenOnly);
    if (!notice)
        notice = new Notice(window);
    notice->add(text);
}

Announcer& systemAnnouncer() {
    static SystemAnnouncer announcer;
    return announcer;
}

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

#include "announce.moc"
