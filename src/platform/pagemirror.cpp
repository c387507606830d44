#include "platform/pagemirror.h"

#include "platform/controls.h"

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
extern "C" void capacita_riflesso_applica(const char* istantanea);
extern "C" void capacita_riflesso_togli();
extern "C" void capacita_riflesso_annuncia(const char* testo);

namespace platform {

namespace {

enum class Tasto { Spazio, Tab, TabIndietro, Invio };

class PageMirror : public QObject {
public:
    PageMirror() { qApp->installEventFilter(this); }

    // What the page asks for. Each does nothing for a control that is gone, hidden or disabled
    // by the time it arrives: the screen reader may have looked before the window changed.
    void attiva(int id);
    void fuoco(int id);
    void tasto(int id, Tasto tasto, bool premuto);

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    void pianifica();
    void aggiorna();
    QJsonObject finestra(QWidget* window, bool davanti);
    QJsonObject menu(QMenuBar* barra);
    QJsonObject voce(QObject* object, const char* ruolo, const QAccessibleInterface* accessibile, QRect rettangolo);
    int id(QObject* object);
    QWidget* controllo(int id) const;

    QHash<int, QPointer<QObject>> oggetti_;
    int prossimo_ = 1;
    bool pianificato_ = false;
};

PageMirror* riflesso = nullptr;

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
            pianifica();
        break;
    default:
        break;
    }
    return false;
}

// Changes come in bursts (a window built, a handler that sets several labels): the page follows
// once the burst is over, when the events posted meanwhile are handled.
void PageMirror::pianifica() {
    if (pianificato_)
        return;
    pianificato_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            pianificato_ = false;
            aggiorna();
        },
        Qt::QueuedConnection);
}

void PageMirror::aggiorna() {
    if (riflesso != this)
        return;
    std::vector<QWidget*> finestre;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (qobject_cast<FormWindow*>(w) && w->isVisible())
            finestre.push_back(w);
    }
    // The front window first; the others as they stand.
    QWidget* attiva = QApplication::activeWindow();
    std::stable_partition(finestre.begin(), finestre.end(), [attiva](QWidget* w) { return w == attiva; });

    QJsonArray regioni;
    for (QWidget* w : finestre)
        regioni.append(finestra(w, w == finestre.front()));
    QJsonObject istantanea{{QStringLiteral("finestre"), regioni}};
    if (!finestre.empty()) {
        // Logical pixels to the page's pixels; the page divides by its own ratio.
        istantanea.insert(QStringLiteral("dpr"), finestre.front()->windowHandle()->devicePixelRatio());
        if (QWidget* f = finestre.front()->focusWidget(); f && oggetti_.contains(f->property("riflesso").toInt()))
            istantanea.insert(QStringLiteral("fuoco"), f->property("riflesso").toInt());
    }
    for (auto it = oggetti_.begin(); it != oggetti_.end();)
        it = it->isNull() ? oggetti_.erase(it) : std::next(it);
    capacita_riflesso_applica(QJsonDocument(istantanea).toJson(QJsonDocument::Compact).constData());
}

QJsonObject PageMirror::finestra(QWidget* window, bool davanti) {
    // The window's own surface first, under its controls, so that a finger on it finds nothing of
    // the windows behind.
    QWidget* superficie = static_cast<FormWindow*>(window)->centralWidget();
    QJsonArray voci{voce(superficie, "sfondo", QAccessible::queryAccessibleInterface(superficie), window->frameGeometry())};
    if (auto* barra = window->findChild<QMenuBar*>(); barra && barra->isVisible())
        voci.append(menu(barra));
    // Where Tab takes each button of the front window, in the program's focus chain.
    QHash<QWidget*, int> catena;
    for (QWidget* w = window->nextInFocusChain(); davanti && w != window; w = w->nextInFocusChain()) {
        if (qobject_cast<PushButton*>(w) && w->isVisibleTo(window) && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus))
            catena.insert(w, int(catena.size()));
    }
    // Controls stand one in front of another as Qt paints them: children after their parent,
    // later siblings in front.
    std::vector<std::tuple<QWidget*, QAccessibleInterface*, int>> controlli;
    const QList<QWidget*> figli = window->findChildren<QWidget*>();
    for (int z = 0; z < figli.size(); ++z) {
        QWidget* c = figli[z];
        if (!c->isVisibleTo(window) || !(qobject_cast<PushButton*>(c) || qobject_cast<Label*>(c)))
            continue;
        controlli.emplace_back(c, QAccessible::queryAccessibleInterface(c), z + 1);
    }
    // In reading order: row by row, left to right.
    std::sort(controlli.begin(), controlli.end(), [](const auto& a, const auto& b) {
        const QPoint pa = std::get<0>(a)->mapToGlobal(QPoint()), pb = std::get<0>(b)->mapToGlobal(QPoint());
        return std::pair(pa.y(), pa.x()) < std::pair(pb.y(), pb.x());
    });
    for (const auto& [c, accessibile, z] : controlli) {
        const bool pulsante = accessibile->role() == QAccessible::Button;
        QJsonObject v = voce(c, pulsante ? "button" : "text", accessibile, QRect(c->mapToGlobal(QPoint()), c->size()));
        v.insert(QStringLiteral("z"), z);
        if (pulsante)
            v.insert(QStringLiteral("tab"), davanti);
        if (catena.contains(c))
            v.insert(QStringLiteral("catena"), catena.value(c));
        voci.append(v);
    }
    QJsonObject f = voce(window, "region", QAccessible::queryAccessibleInterface(window), QRect());
    f.insert(QStringLiteral("voci"), voci);
    return f;
}

QJsonObject PageMirror::menu(QMenuBar* barra) {
    QJsonArray voci;
    QAccessibleInterface* accessibile = QAccessible::queryAccessibleInterface(barra);
    const QList<QAction*> azioni = barra->actions();
    for (int i = 0; i < azioni.size(); ++i) {
        QMenu* tendina = azioni[i]->menu();
        if (!tendina || !azioni[i]->isVisible())
            continue;
        const QRect r = barra->actionGeometry(azioni[i]);
        QJsonObject m = voce(azioni[i], "menu", accessibile->child(i), QRect(barra->mapToGlobal(r.topLeft()), r.size()));
        // The items lie where the menu drops down.
        QJsonArray elementi;
        const QAccessibleInterface* aperta = QAccessible::queryAccessibleInterface(tendina);
        const QList<QAction*> interne = tendina->actions();
        for (int j = 0; j < interne.size(); ++j) {
            const QRect g = tendina->actionGeometry(interne[j]);
            const QRect dove(barra->mapToGlobal(r.bottomLeft()) + QPoint(0, 1) + g.topLeft(), g.size());
            elementi.append(voce(interne[j], "menuitem", aperta->child(j), dove));
        }
        m.insert(QStringLiteral("voci"), elementi);
        voci.append(m);
    }
    QJsonObject b = voce(barra, "menubar", accessibile, QRect());
    b.insert(QStringLiteral("voci"), voci);
    return b;
}

QJsonObject PageMirror::voce(QObject* object, const char* ruolo, const QAccessibleInterface* accessibile, QRect r) {
    const QPoint origine = QGuiApplication::primaryScreen()->geometry().topLeft();
    return {{QStringLiteral("id"), id(object)},
            {QStringLiteral("ruolo"), QLatin1String(ruolo)},
            {QStringLiteral("nome"), accessibile->text(QAccessible::Name)},
            {QStringLiteral("descrizione"), accessibile->text(QAccessible::Description)},
            {QStringLiteral("spento"), bool(accessibile->state().disabled)},
            {QStringLiteral("x"), r.x() - origine.x()},
            {QStringLiteral("y"), r.y() - origine.y()},
            {QStringLiteral("w"), r.width()},
            {QStringLiteral("h"), r.height()}};
}

// Each object keeps its number for as long as it lives, so that the page changes its element in
// place; a new window's controls are new objects with new numbers.
int PageMirror::id(QObject* object) {
    int n = object->property("riflesso").toInt();
    if (n == 0) {
        n = prossimo_++;
        object->setProperty("riflesso", n);
        oggetti_.insert(n, object);
        if (auto* label = qobject_cast<Label*>(object))
            connect(label, &Label::changed, this, &PageMirror::pianifica);
    }
    return n;
}

QWidget* PageMirror::controllo(int id) const {
    auto* w = qobject_cast<QWidget*>(oggetti_.value(id).data());
    return w && w->isVisible() && w->isEnabled() ? w : nullptr;
}

void PageMirror::attiva(int id) {
    if (auto* pulsante = qobject_cast<QAbstractButton*>(controllo(id))) {
        pulsante->click();
    } else if (auto* azione = qobject_cast<QAction*>(oggetti_.value(id).data())) {
        auto* tendina = qobject_cast<QWidget*>(azione->parent());
        if (azione->isEnabled() && tendina && tendina->parentWidget() && tendina->parentWidget()->isVisible())
            azione->trigger();
    }
}

void PageMirror::fuoco(int id) {
    if (QWidget* w = controllo(id)) {
        if (!w->isActiveWindow())
            w->activateWindow();
        w->setFocus(Qt::OtherFocusReason);
    }
}

void PageMirror::tasto(int id, Tasto tasto, bool premuto) {
    // A release goes to its control while it exists at all, so that nothing stays held.
    QWidget* w = premuto ? controllo(id) : qobject_cast<QWidget*>(oggetti_.value(id).data());
    if (!w)
        return;
    static const Qt::Key tasti[] = {Qt::Key_Space, Qt::Key_Tab, Qt::Key_Backtab, Qt::Key_Return};
    static const char* testi[] = {" ", "", "", "\r"};
    QKeyEvent evento(premuto ? QEvent::KeyPress : QEvent::KeyRelease, tasti[int(tasto)],
                     tasto == Tasto::TabIndietro ? Qt::ShiftModifier : Qt::NoModifier,
                     QString::fromLatin1(testi[int(tasto)]));
    QCoreApplication::sendEvent(w, &evento);
}

void attivaDallaPagina(int id) {
    if (riflesso)
        riflesso->attiva(id);
}

void fuocoDallaPagina(int id) {
    if (riflesso)
        riflesso->fuoco(id);
}

void tastoDallaPagina(int id, int tasto, bool premuto) {
    if (riflesso && tasto >= 0 && tasto <= int(Tasto::Invio))
        riflesso->tasto(id, Tasto(tasto), premuto);
}

// Whether a finger that lands at x, y of the screen acts on the program: on an enabled button, a
// menu, a window's frame, a surface that answers a click, or anywhere while a menu is open.
// Elsewhere nothing would happen, and the page pans and zooms instead.
bool toccoPerIlProgramma(int x, int y) {
    if (QApplication::activePopupWidget())
        return true;
    const QPoint punto = QGuiApplication::primaryScreen()->geometry().topLeft() + QPoint(x, y);
    QWidget* w = QApplication::widgetAt(punto);
    if (!w) {
        const QWidgetList finestre = QApplication::topLevelWidgets();
        return std::any_of(finestre.begin(), finestre.end(),
                           [punto](QWidget* f) { return f->isVisible() && f->frameGeometry().contains(punto); });
    }
    if (auto* barra = qobject_cast<QMenuBar*>(w))
        return barra->actionAt(barra->mapFromGlobal(punto)) != nullptr;
    if (auto* superficie = qobject_cast<ClientArea*>(w))
        return superficie->answersClicks();
    return qobject_cast<QAbstractButton*>(w) && w->isEnabled();
}

} // namespace

void startPageMirror() {
    if (!riflesso)
        riflesso = new PageMirror;
}

void stopPageMirror() {
    if (!riflesso)
        return;
    // Ending may come from one of the mirror's own calls: it goes once that call has returned.
    std::exchange(riflesso, nullptr)->deleteLater();
    capacita_riflesso_togli();
}

void announceInPage(const QString& text) {
    if (riflesso)
        capacita_riflesso_annuncia(text.toUtf8().constData());
}

} // namespace platform

EMSCRIPTEN_BINDINGS(capacita_riflesso) {
    emscripten::function("capacitaRiflessoAttiva", &platform::attivaDallaPagina);
    emscripten::function("capacitaRiflessoFuoco", &platform::fuocoDallaPagina);
    emscripten::function("capacitaRiflessoTasto", &platform::tastoDallaPagina);
    emscripten::function("capacitaRiflessoTocco", &platform::toccoPerIlProgramma);
}
