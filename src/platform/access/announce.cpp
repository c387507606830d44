#include "platform/access/announce.h"

#include "platform/access/notice.h"

namespace platform {

void SystemAnnouncer::announce(QWidget* window, const QString& text) {
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

} // namespace platform
