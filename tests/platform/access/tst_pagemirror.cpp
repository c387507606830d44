// In the browser: the page's elements that stand for the controls. Each control on screen has
// one, with the role, name and state that the desktop's accessibility gives it, over the control's
// place on the canvas; hidden controls have none; the labels that change are live regions; a
// click on a button's element runs the button's handler, and one on a control that has gone does
// nothing.

#include "platform/access/announce.h"
#include "platform/access/pagemirror.h"
#include "platform/access/spoken.h"
#include "quiz/finestraquiz.h"
#include "shell/frminizio.h"
#include "shell/frmwww.h"
#include "shell/programma.h"
#include "support/support.h"

#include <QAccessible>
#include <QtTest>

#include <emscripten/val.h>

#include <memory>

using emscripten::val;
using namespace support;

namespace {

// The page follows the program once the events that came meanwhile are handled (the browser
// activates a window asynchronously).
void follow() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents();
}

int number(QObject* control) {
    return control->property("mirrorId").toInt();
}

val element(int id) {
    return val::global("document")
        .call<val>("querySelector", "#capacita-mirror [data-id=\"" + std::to_string(id) + "\"]");
}

QString elementText(const val& el, const char* property) {
    return QString::fromStdString(el[property].as<std::string>());
}

// A click on the control's element, as a screen reader activates it; false if it has none.
bool clickElement(QObject* control) {
    const val el = element(number(control));
    if (el.isNull())
        return false;
    el.call<void>("click");
    return true;
}

QString attribute(const val& el, const char* name) {
    return QString::fromStdString(el.call<val>("getAttribute", std::string(name)).as<std::string>());
}

} // namespace

class TestPageMirror : public QObject {
    Q_OBJECT

    StandInClock clock;
    StandInRandom random;
    std::unique_ptr<shell::Programma> programma;

    // Every control of the form against its element: present exactly when the control is on
    // screen, with its accessible name, its state and its rectangle on the canvas.
    void compare(platform::Form& form) {
        follow();
        QVERIFY(form.window()->isVisible());
        for (QWidget* c : form.window()->findChildren<QWidget*>()) {
            const bool button = qobject_cast<platform::PushButton*>(c);
            if (!button && !qobject_cast<platform::Label*>(c))
                continue;
            const val el = element(number(c));
            const QString name = c->objectName();
            if (!c->isVisibleTo(form.window()) || platform::isInert(c)) {
                QVERIFY2(el.isNull(), qPrintable(name + " is hidden or inert but offered to the page"));
                continue;
            }
            QVERIFY2(!el.isNull(), qPrintable(name + " has no element in the page"));
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(c);
            QCOMPARE(elementText(el, "tagName"), button ? QStringLiteral("BUTTON") : QStringLiteral("DIV"));
            QCOMPARE(elementText(el, "textContent"), a->text(QAccessible::Name));
            if (button) {
                QCOMPARE(el["disabled"].as<bool>(), !c->isEnabled());
                QCOMPARE(elementText(el, "title"), a->text(QAccessible::Description));
            }
            // What changes is said through the one live region, not read again from the label.
            QVERIFY(!el.call<bool>("hasAttribute", std::string("aria-live")));
            // The canvas fills the page, one pixel of the page to one of the program.
            const val r = el.call<val>("getBoundingClientRect");
            const QRect expected(c->mapToGlobal(QPoint()), c->size());
            QCOMPARE(QRect(r["left"].as<int>(), r["top"].as<int>(), r["width"].as<int>(), r["height"].as<int>()),
                     expected);
        }
        if (form.window()->isActiveWindow())
            fingerOnFront(form);
    }

    // A finger on the front window finds, at the centre of each of its controls, the element of
    // the control that the pupil sees there, never one of a window behind.
    void fingerOnFront(platform::Form& form) {
        val document = val::global("document");
        val probe = document.call<val>("createElement", std::string("style"));
        probe.set("textContent", std::string("#capacita-mirror * { pointer-events: auto !important; }"));
        document["head"].call<void>("appendChild", probe);
        for (QWidget* c : form.window()->findChildren<QWidget*>()) {
            if (!c->isVisibleTo(form.window()) || platform::isInert(c) ||
                !(qobject_cast<platform::PushButton*>(c) || qobject_cast<platform::Label*>(c)))
                continue;
            const QPoint centre = c->mapToGlobal(c->rect().center());
            QWidget* seen = form.window()->childAt(form.window()->mapFromGlobal(centre));
            while (seen && !qobject_cast<platform::PushButton*>(seen) && !qobject_cast<platform::Label*>(seen))
                seen = seen->parentWidget();
            const val el = document.call<val>("elementFromPoint", centre.x(), centre.y());
            QVERIFY2(!el.isNull() && seen, qPrintable(c->objectName()));
            QCOMPARE(QString::fromStdString(el["dataset"]["id"].as<std::string>()), QString::number(number(seen)));
        }
        // Where the front window covers another window's controls, they are not what is found.
        const val region = element(number(form.window()));
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w == form.window() || !w->isVisible() || !qobject_cast<platform::FormWindow*>(w))
                continue;
            for (QWidget* c : w->findChildren<platform::PushButton*>()) {
                const QPoint centre = c->mapToGlobal(c->rect().center());
                if (!c->isVisible() || !form.window()->frameGeometry().contains(centre))
                    continue;
                const val el = document.call<val>("elementFromPoint", centre.x(), centre.y());
                QVERIFY2(region.call<bool>("contains", el),
                         qPrintable(c->objectName() + " is found under the front window"));
            }
        }
        probe.call<void>("remove");
    }

    QString announced() {
        follow();
        return elementText(val::global("document").call<val>("getElementById", std::string("capacita-announcements")),
                           "textContent");
    }

private slots:
    void initTestCase() {
        support::setUpApplication();
        programma = std::make_unique<shell::Programma>(clock, random);
        programma->avvia();
        QVERIFY(QTest::qWaitForWindowExposed(programma->inizio().window()));
    }

    void mainMenu() {
        compare(programma->inizio());
        const val canvas = val::global("document").call<val>("querySelector", std::string("canvas"));
        QCOMPARE(attribute(canvas, "aria-hidden"), QStringLiteral("true"));
        const val region = element(number(programma->inizio().window()));
        QCOMPARE(elementText(region, "tagName"), QStringLiteral("SECTION"));
        QCOMPARE(attribute(region, "aria-label"), programma->inizio().window()->windowTitle());
        const val file = element(number(programma->inizio().menuItem(QStringLiteral("MnuFile"))));
        QCOMPARE(elementText(file, "textContent"), QStringLiteral("File"));
        QCOMPARE(attribute(file, "aria-haspopup"), QStringLiteral("menu"));
        const val esci = element(number(programma->inizio().menuItem(QStringLiteral("mnuFine"))));
        QCOMPARE(elementText(esci, "textContent"), QStringLiteral("Esci"));
        QCOMPARE(attribute(esci["parentNode"], "role"), QStringLiteral("menu"));
    }

    // The typical road through the elements alone: the window opened, an answer, the verdict.
    void typicalRoad() {
        auto& multipli = programma->multipli();
        QVERIFY(clickElement(programma->inizio().button(QStringLiteral("Command1"))));
        QVERIFY(multipli.isLoaded());
        compare(multipli);
        // The front window's region comes first.
        const val regions =
            val::global("document").call<val>("querySelectorAll", std::string("#capacita-mirror > section"));
        QCOMPARE(regions[0]["dataset"]["id"].as<std::string>(), std::to_string(number(multipli.window())));

        const int verifica = number(multipli.button(QStringLiteral("CmdVerifica")));
        // Hidden, "Verifica" cannot be activated by its number.
        val::module_property("capacitaMirrorActivate")(verifica);
        QVERIFY(!multipli.button(QStringLiteral("CmdVerifica"))->isVisible());
        QCOMPARE(announced(), platform::spokenText(text(multipli, QStringLiteral("LblNumero2"))));
        // Only the front window's menu bar is in the Tab order.
        QCOMPARE(attribute(element(number(multipli.menuItem(QStringLiteral("MnuFile")))), "tabindex"),
                 QStringLiteral("0"));
        QCOMPARE(attribute(element(number(programma->inizio().menuItem(QStringLiteral("MnuFile")))), "tabindex"),
                 QStringLiteral("-1"));
        QVERIFY(clickElement(multipli.button(QStringLiteral("Command5"))));
        QCOMPARE(announced(), QStringLiteral("litro"));
        QVERIFY(clickElement(multipli.button(QStringLiteral("CmdVerifica"))));
        QVERIFY(!text(multipli, QStringLiteral("LblEsito")).isEmpty());
        QCOMPARE(announced(), platform::spokenText(text(multipli, QStringLiteral("LblEsito"))));
        compare(multipli);

        QCOMPARE(elementText(element(number(multipli.label(QStringLiteral("LblEsito")))), "textContent"),
                 platform::spokenText(text(multipli, QStringLiteral("LblEsito"))));

        // Once the window is unloaded, its elements go, and their numbers activate nothing.
        const int fine = number(multipli.button(QStringLiteral("CmdFine")));
        multipli.unload();
        follow();
        QVERIFY(element(verifica).isNull());
        flushDeletes();
        val::module_property("capacitaMirrorActivate")(fine);
        val::module_property("capacitaMirrorKey")(fine, 0, true);
        QVERIFY(!multipli.isLoaded());
    }

    // Space held on "Info"'s element holds "Info"; its element also says what the window shows.
    void infoHeld() {
        const val info = element(number(programma->inizio().button(QStringLiteral("Command7"))));
        QCOMPARE(elementText(info, "title"), QStringLiteral("www.example.org\nE-mail : info@example.org"));
        info.call<void>("focus");
        follow();
        QCOMPARE(QApplication::focusWidget(), programma->inizio().button(QStringLiteral("Command7")));
        const auto key = [&](const char* type) {
            val options = val::object();
            options.set("key", std::string(" "));
            options.set("bubbles", true);
            info.call<bool>("dispatchEvent", val::global("KeyboardEvent").new_(std::string(type), options));
        };
        key("keydown");
        QVERIFY(programma->www().isLoaded());
        key("keyup");
        QVERIFY(!programma->www().isLoaded());
    }

    void end() {
        platform::stopPageMirror();
        QVERIFY(val::global("document").call<val>("getElementById", std::string("capacita-mirror")).isNull());
        programma.reset();
        flushDeletes();
    }
};

QTEST_MAIN(TestPageMirror)
#include "tst_pagemirror.moc"
