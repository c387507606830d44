#include "platform/access/pagemirror.h"

#include "platform/access/settled.h"
#include "platform/forms/controls.h"
#include "platform/forms/formwindow.h"
#include "platform/forms/pushbutton.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QWindow>

#include <emscripten/bind.h>

#include <algorithm>

// The page's side, in pagemirror.js: takes a snapshot of what is on screen, as JSON, and changes
// the page's elements to match it; takes every element away.
extern "C" void capacita_mirror_apply(const char* snapshot);
extern "C" void capacita_mirror_remove();
extern "C" void capacita_mirror_announce(const char* text);

namespace platform {

namespace {

enum class Key { Space, Tab, Backtab, Enter };

class PageMirror : public QObject {
public:
    PageMirror() { qApp->installEventFilter(this); }

    // What the page asks for. Each does nothing for a control that is gone, hidden or disabled
    // by the time it arrives: the screen reader may have looked before the window changed.
    void activate(int id);
    void focus(int id);
    void key(int id, Key key, bool down);

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    void schedule();
    void update();
    QJsonObject region(QWidget* window, bool front);
    QJsonObject menuBar(QMenuBar* bar);
    QJsonObject item(QObject* object, const char* role, const QAccessibleInterface* accessible, QRect rect);
    int id(QObject* object);
    QWidget* control(int id) const;

    QHash<int, QPointer<QObject>> objects_;
    int next_ = 1;
    OnceSettled updating_{this, [this] { update(); }};
};

PageMirror* mirror = nullptr;

// The property that holds each object's number in the page.
constexpr const char* idProperty = "mirrorId";

bool PageMirror::eventFilter(QObject* object, QEvent* event) {
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::EnabledChange:
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::WindowTitleChange:
    case QEvent::WindowActivate:
    case QEvent::FocusIn:
        if (object->isWidgetType())
            schedule();
        break;
    default:
        break;
    }
    return false;
}

// The page follows once a burst of changes is over.
void PageMirror::schedule() {
    updating_.request();
}

void PageMirror::update() {
    if (mirror != this)
        return;
    std::vector<QWidget*> windows;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (qobject_cast<FormWindow*>(w) && w->isVisible())
            windows.push_back(w);
    }
    // The front window first; the others as they stand.
    QWidget* active = QApplication::activeWindow();
    std::stable_partition(windows.begin(), windows.end(), [active](QWidget* w) { return w == active; });

    QJsonArray regions;
    for (QWidget* w : windows)
        regions.append(region(w, w == windows.front()));
    QJsonObject snapshot{{QStringLiteral("windows"), regions}};
    if (!windows.empty()) {
        // Logical pixels to the page's pixels; the page divides by its own ratio.
        snapshot.insert(QStringLiteral("dpr"), windows.front()->windowHandle()->devicePixelRatio());
        if (QWidget* f = windows.front()->focusWidget(); f && objects_.contains(f->property(idProperty).toInt()))
            snapshot.insert(QStringLiteral("focus"), f->property(idProperty).toInt());
    }
    for (auto it = objects_.begin(); it != objects_.end();)
        it = it->isNull() ? objects_.erase(it) : std::next(it);
    capacita_mirror_apply(QJsonDocument(snapshot).toJson(QJsonDocument::Compact).constData());
}

QJsonObject PageMirror::region(QWidget* window, bool front) {
    // The window's own surface first, under its controls, so that a finger on it finds nothing of
    // the windows behind.
    QWidget* surface = static_cast<FormWindow*>(window)->centralWidget();
    QJsonArray items{item(surface, "surface", QAccessible::queryAccessibleInterface(surface), window->frameGeometry())};
    if (auto* bar = window->findChild<QMenuBar*>(); bar && bar->isVisible())
        items.append(menuBar(bar));
    // Where Tab takes each button of the front window, in the program's focus chain.
    QHash<QWidget*, int> chain;
    for (QWidget* w = window->nextInFocusChain(); front && w != window; w = w->nextInFocusChain()) {
        if (qobject_cast<PushButton*>(w) && w->isVisibleTo(window) && w->isEnabled() &&
            (w->focusPolicy() & Qt::TabFocus))
            chain.insert(w, int(chain.size()));
    }
    // Controls stand one in front of another as Qt paints them: children after their parent,
    // later siblings in front.
    std::vector<std::tuple<QWidget*, QAccessibleInterface*, int>> controls;
    const QList<QWidget*> children = window->findChildren<QWidget*>();
    for (int z = 0; z < children.size(); ++z) {
        QWidget* c = children[z];
        if (!c->isVisibleTo(window) || isInert(c) || !(qobject_cast<PushButton*>(c) || qobject_cast<Label*>(c)))
            continue;
        controls.emplace_back(c, QAccessible::queryAccessibleInterface(c), z + 1);
    }
    // In reading order: row by row, left to right.
    std::sort(controls.begin(), controls.end(), [](const auto& a, const auto& b) {
        const QPoint pa = std::get<0>(a)->mapToGlobal(QPoint()), pb = std::get<0>(b)->mapToGlobal(QPoint());
        return std::pair(pa.y(), pa.x()) < std::pair(pb.y(), pb.x());
    });
    for (const auto& [c, accessible, z] : controls) {
        const bool button = accessible->role() == QAccessible::Button;
        QJsonObject v = item(c, button ? "button" : "text", accessible, QRect(c->mapToGlobal(QPoint()), c->size()));
        v.insert(QStringLiteral("z"), z);
        if (button)
            v.insert(QStringLiteral("tab"), front);
        if (chain.contains(c))
            v.insert(QStringLiteral("chain"), chain.value(c));
        items.append(v);
    }
    QJsonObject w = item(window, "region", QAccessible::queryAccessibleInterface(window), QRect());
    w.insert(QStringLiteral("items"), items);
    return w;
}

QJsonObject PageMirror::menuBar(QMenuBar* bar) {
    QJsonArray menus;
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(bar);
    const QList<QAction*> actions = bar->actions();
    for (int i = 0; i < actions.size(); ++i) {
        QMenu* dropDown = actions[i]->menu();
        if (!dropDown || !actions[i]->isVisible())
            continue;
        const QRect r = bar->actionGeometry(actions[i]);
        QJsonObject m = item(actions[i], "menu", accessible->child(i), QRect(bar->mapToGlobal(r.topLeft()), r.size()));
        // The items lie where the menu drops down.
        QJsonArray entries;
        const QAccessibleInterface* opened = QAccessible::queryAccessibleInterface(dropDown);
        const QList<QAction*> inner = dropDown->actions();
        for (int j = 0; j < inner.size(); ++j) {
            const QRect g = dropDown->actionGeometry(inner[j]);
            const QRect at(bar->mapToGlobal(r.bottomLeft()) + QPoint(0, 1) + g.topLeft(), g.size());
            entries.append(item(inner[j], "menuitem", opened->child(j), at));
        }
        m.insert(QStringLiteral("items"), entries);
        menus.append(m);
    }
    QJsonObject b = item(bar, "menubar", accessible, QRect());
    b.insert(QStringLiteral("items"), menus);
    return b;
}

QJsonObject PageMirror::item(QObject* object, const char* role, const QAccessibleInterface* accessible, QRect r) {
    const QPoint origin = QGuiApplication::primaryScreen()->geometry().topLeft();
    return {{QStringLiteral("id"), id(object)},
            {QStringLiteral("role"), QLatin1String(role)},
            {QStringLiteral("name"), accessible->text(QAccessible::Name)},
            {QStringLiteral("description"), accessible->text(QAccessible::Description)},
            {QStringLiteral("disabled"), bool(accessible->state().disabled)},
            {QStringLiteral("x"), r.x() - origin.x()},
            {QStringLiteral("y"), r.y() - origin.y()},
            {QStringLiteral("w"), r.width()},
            {QStringLiteral("h"), r.height()}};
}

// Each object keeps its number for as long as it lives, so that the page changes its element in
// place; a new window's controls are new objects with new numbers.
int PageMirror::id(QObject* object) {
    int n = object->property(idProperty).toInt();
    if (n == 0) {
        n = next_++;
        object->setProperty(idProperty, n);
        objects_.insert(n, object);
        if (auto* label = qobject_cast<Label*>(object))
            connect(label, &Label::changed, this, &PageMirror::schedule);
    }
    return n;
}

QWidget* PageMirror::control(int id) const {
    auto* w = qobject_cast<QWidget*>(objects_.value(id).data());
    return w && w->isVisible() && w->isEnabled() ? w : nullptr;
}

void PageMirror::activate(int id) {
    if (auto* button = qobject_cast<QAbstractButton*>(control(id))) {
        button->click();
    } else if (auto* action = qobject_cast<QAction*>(objects_.value(id).data())) {
        auto* dropDown = qobject_cast<QWidget*>(action->parent());
        if (action->isEnabled() && dropDown && dropDown->parentWidget() && dropDown->parentWidget()->isVisible())
            action->trigger();
    }
}

void PageMirror::focus(int id) {
    if (QWidget* w = control(id)) {
        if (!w->isActiveWindow())
            w->activateWindow();
        w->setFocus(Qt::OtherFocusReason);
    }
}

void PageMirror::key(int id, Key key, bool down) {
    // A release goes to its control while it exists at all, so that nothing stays held.
    QWidget* w = down ? control(id) : qobject_cast<QWidget*>(objects_.value(id).data());
    if (!w)
        return;
    static const Qt::Key keys[] = {Qt::Key_Space, Qt::Key_Tab, Qt::Key_Backtab, Qt::Key_Return};
    static const char* texts[] = {" ", "", "", "\r"};
    QKeyEvent event(down ? QEvent::KeyPress : QEvent::KeyRelease, keys[int(key)],
                    key == Key::Backtab ? Qt::ShiftModifier : Qt::NoModifier, QString::fromLatin1(texts[int(key)]));
    QCoreApplication::sendEvent(w, &event);
}

void activateFromPage(int id) {
    if (mirror)
        mirror->activate(id);
}

void focusFromPage(int id) {
    if (mirror)
        mirror->focus(id);
}

void keyFromPage(int id, int key, bool down) {
    if (mirror && key >= 0 && key <= int(Key::Enter))
        mirror->key(id, Key(key), down);
}

// Whether a finger that lands at x, y of the screen acts on the program: on an enabled button, a
// menu, a window's frame, a surface that answers a click, or anywhere while a menu is open.
// Elsewhere nothing would happen, and the page pans and zooms instead.
bool touchIsForProgram(int x, int y) {
    if (QApplication::activePopupWidget())
        return true;
    const QPoint at = QGuiApplication::primaryScreen()->geometry().topLeft() + QPoint(x, y);
    QWidget* w = QApplication::widgetAt(at);
    if (!w) {
        const QWidgetList windows = QApplication::topLevelWidgets();
        return std::any_of(windows.begin(), windows.end(),
                           [at](QWidget* f) { return f->isVisible() && f->frameGeometry().contains(at); });
    }
    if (auto* bar = qobject_cast<QMenuBar*>(w))
        return bar->actionAt(bar->mapFromGlobal(at)) != nullptr;
    if (auto* surface = qobject_cast<ClientArea*>(w))
        return surface->answersClicks();
    return qobject_cast<QAbstractButton*>(w) && w->isEnabled();
}

} // namespace

void startPageMirror() {
    if (!mirror)
        mirror = new PageMirror;
}

void stopPageMirror() {
    if (!mirror)
        return;
    // Ending may come from one of the mirror's own calls: it goes once that call has returned.
    std::exchange(mirror, nullptr)->deleteLater();
    capacita_mirror_remove();
}

void announceInPage(const QString& text) {
    if (mirror)
        capacita_mirror_announce(text.toUtf8().constData());
}

} // namespace platform

EMSCRIPTEN_BINDINGS(capacita_mirror) {
    emscripten::function("capacitaMirrorActivate", &platform::activateFromPage);
    emscripten::function("capacitaMirrorFocus", &platform::focusFromPage);
    emscripten::function("capacitaMirrorKey", &platform::keyFromPage);
    emscripten::function("capacitaMirrorTouch", &platform::touchIsForProgram);
}
