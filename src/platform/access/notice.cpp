#include "platform/access/notice.h"

#include "platform/access/readaloud.h"

#include <QEvent>

#if defined(Q_OS_WIN)
#include <qt_windows.h>

#include <oleauto.h>
#elif defined(Q_OS_WASM)
#include "platform/access/pagemirror.h"
#endif

namespace platform {

Notice::Notice(QWidget* window) : QWidget(window) {
    setObjectName(QStringLiteral("notice"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(0, 0, 1, 1);
    setVisible(false);
    window->installEventFilter(this);
}

void Notice::add(const QString& text) {
    pending_ << text;
    delivery_.request();
}

bool Notice::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::WindowActivate && !pending_.isEmpty())
        delivery_.request();
    return false;
}

void Notice::deliver() {
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
    readAloud(text_);
}

#if defined(Q_OS_WIN)
// UI Automation's notification event, which NVDA, JAWS and Narrator speak. It came with Windows 10
// 1709 and Wine lacks it: looked up at run time, and without it nothing is said.
enum { NotificationKindOther = 4, NotificationProcessingImportantAll = 0 };
using HostProviderFromHwnd = HRESULT(WINAPI*)(HWND, IUnknown**);
using RaiseNotificationEvent = HRESULT(WINAPI*)(IUnknown*, int, int, BSTR, BSTR);

void Notice::speak() {
    static const HMODULE uia = LoadLibraryW(L"uiautomationcore.dll");
    static const auto provider = uia ? reinterpret_cast<HostProviderFromHwnd>(
                                           reinterpret_cast<void*>(GetProcAddress(uia, "UiaHostProviderFromHwnd")))
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

} // namespace platform
