// In the browser: the page's elements that stand for the controls. Each control on screen has
// one, with the role, name and state that the desktop's accessibility gives it, over the control's
// place on the canvas; hidden controls have none; the labels that change are live regions; a
// click on a button's element runs the button's handler, and one on a control that has gone does
// nothing.

#include "platform/announce.h"
#include "platform/application.h"
#include "platform/pagemirror.h"
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
void segui() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents();
}

int numero(QObject* controllo) {
    return controllo->property("riflesso").toInt();
}

val elemento(int id) {
    return val::global("document").call<val>(
        "querySelector", "#capacita-riflesso [data-id=\"" + std::to_string(id) + "\"]");
}

QString testo(const val& el, const char* proprieta) {
    return QString::fromStdString(el[proprieta].as<std::string>());
}

// A click on the control's element, as a screen reader activates it; false if it has none.
bool clicca(QObject* controllo) {
    const val el = elemento(numero(controllo));
    if (el.isNull())
        return false;
    el.call<void>("click");
    return true;
}

QString attributo(const val& el, const char* nome) {
    return QString::fromStdString(el.call<val>("getAttribute", std::string(nome)).as<std::string>());
}

} // namespace

class TestRiflesso : public QObject {
    Q_OBJECT

    StandInClock clock;
    StandInRandom random;
    std::unique_ptr<shell::Programma> programma;

    // Every control of the form against its element: present exactly when the control is on
    // screen, with its accessible name, its state and its rectangle on the canvas.
    void confronta(platform::Form& form) {
        segui();
        QVERIFY(form.window()->isVisible());
        for (QWidget* c : form.window()->findChildren<QWidget*>()) {
            const bool pulsante = qobject_cast<platform::PushButton*>(c);
            if (!pulsante && !qobject_cast<platform::Label*>(c))
                continue;
            const val el = elemento(numero(c));
            const QString nome = c->objectName();
            if (!c->isVisibleTo(form.window())) {
                QVERIFY2(el.isNull(), qPrintable(nome + " is hidden but offered to the page"));
                continue;
            }
            QVERIFY2(!el.isNull(), qPrintable(nome + " has no element in the page"));
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(c);
            QCOMPARE(testo(el, "tagName"), pulsante ? QStringLiteral("BUTTON") : QStringLiteral("DIV"));
            QCOMPARE(testo(el, "textContent"), a->text(QAccessible::Name));
            if (pulsante) {
                QCOMPARE(el["disabled"].as<bool>(), !c->isEnabled());
                QCOMPARE(testo(el, "title"), a->text(QAccessible::Description));
            }
            // What changes is said through the one live region, not read again from the label.
            QVERIFY(!el.call<bool>("hasAttribute", std::string("aria-live")));
            // The canvas fills the page, one pixel of the page to one of the program.
            const val r = el.call<val>("getBoundingClientRect");
            const QRect atteso(c->mapToGlobal(QPoint()), c->size());
            QCOMPARE(QRect(r["left"].as<int>(), r["top"].as<int>(), r["width"].as<int>(), r["height"].as<int>()),
                     atteso);
        }
        if (form.window()->isActiveWindow())
            ditoSulDavanti(form);
    }

    // A finger on the front window finds, at the centre of each of its controls, the element of
    // the control that the pupil sees there, never one of a window behind.
    void ditoSulDavanti(platform::Form& form) {
        val documento = val::global("document");
        val prova = documento.call<val>("createElement", std::string("style"));
        prova.set("textContent", std::string("#capacita-riflesso * { pointer-events: auto !important; }"));
        documento["head"].call<void>("appendChild", prova);
        for (QWidget* c : form.window()->findChildren<QWidget*>()) {
            if (!c->isVisibleTo(form.window()) || !(qobject_cast<platform::PushButton*>(c) || qobject_cast<platform::Label*>(c)))
                continue;
            const QPoint centro = c->mapToGlobal(c->rect().center());
            QWidget* visto = form.window()->childAt(form.window()->mapFromGlobal(centro));
            while (visto && !qobject_cast<platform::PushButton*>(visto) && !qobject_cast<platform::Label*>(visto))
                visto = visto->parentWidget();
            const val el = documento.call<val>("elementFromPoint", centro.x(), centro.y());
            QVERIFY2(!el.isNull() && visto, qPrintable(c->objectName()));
            QCOMPARE(QString::fromStdString(el["dataset"]["id"].as<std::string>()), QString::number(numero(visto)));
        }
        // Where the front window covers another window's controls, they are not what is found.
        const val regione = elemento(numero(form.window()));
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w == form.window() || !w->isVisible() || !qobject_cast<platform::FormWindow*>(w))
                continue;
            for (QWidget* c : w->findChildren<platform::PushButton*>()) {
                const QPoint centro = c->mapToGlobal(c->rect().center());
                if (!c->isVisible() || !form.window()->frameGeometry().contains(centro))
                    continue;
                const val el = documento.call<val>("elementFromPoint", centro.x(), centro.y());
                QVERIFY2(regione.call<bool>("contains", el), qPrintable(c->objectName() + " is found under the front window"));
            }
        }
        prova.call<void>("remove");
    }

    QString annunciato() {
        segui();
        return testo(val::global("document").call<val>("getElementById", std::string("capacita-annunci")), "textContent");
    }

private slots:
    void initTestCase() {
        platform::setUpApplication();
        programma = std::make_unique<shell::Programma>(clock, random);
        programma->avvia();
        QVERIFY(QTest::qWaitForWindowExposed(programma->inizio().window()));
    }

    void menuPrincipale() {
        confronta(programma->inizio());
        const val canvas = val::global("document").call<val>("querySelector", std::string("canvas"));
        QCOMPARE(attributo(canvas, "aria-hidden"), QStringLiteral("true"));
        const val regione = elemento(numero(programma->inizio().window()));
        QCOMPARE(testo(regione, "tagName"), QStringLiteral("SECTION"));
        QCOMPARE(attributo(regione, "aria-label"),
                 programma->inizio().window()->windowTitle());
        const val file = elemento(numero(programma->inizio().menuItem(QStringLiteral("MnuFile"))));
        QCOMPARE(testo(file, "textContent"), QStringLiteral("File"));
        QCOMPARE(attributo(file, "aria-haspopup"), QStringLiteral("menu"));
        const val esci = elemento(numero(programma->inizio().menuItem(QStringLiteral("mnuFine"))));
        QCOMPARE(testo(esci, "textContent"), QStringLiteral("Esci"));
        QCOMPARE(attributo(esci["parentNode"], "role"),
                 QStringLiteral("menu"));
    }

    // The typical road through the elements alone: the window opened, an answer, the verdict.
    void stradaTipica() {
        auto& multipli = programma->multipli();
        QVERIFY(clicca(programma->inizio().button(QStringLiteral("Command1"))));
        QVERIFY(multipli.isLoaded());
        confronta(multipli);
        // The front window's region comes first.
        const val regioni = val::global("document").call<val>("querySelectorAll", std::string("#capacita-riflesso > section"));
        QCOMPARE(regioni[0]["dataset"]["id"].as<std::string>(), std::to_string(numero(multipli.window())));

        const int verifica = numero(multipli.button(QStringLiteral("CmdVerifica")));
        // Hidden, "Verifica" cannot be activated by its number.
        val::module_property("capacitaRiflessoAttiva")(verifica);
        QVERIFY(!multipli.button(QStringLiteral("CmdVerifica"))->isVisible());
        QCOMPARE(annunciato(), text(multipli, QStringLiteral("LblNumero2")));
        // Only the front window's menu bar is in the Tab order.
        QCOMPARE(attributo(elemento(numero(multipli.menuItem(QStringLiteral("MnuFile")))), "tabindex"), QStringLiteral("0"));
        QCOMPARE(attributo(elemento(numero(programma->inizio().menuItem(QStringLiteral("MnuFile")))), "tabindex"),
                 QStringLiteral("-1"));
        QVERIFY(clicca(multipli.button(QStringLiteral("Command5"))));
        QCOMPARE(annunciato(), QStringLiteral("l"));
        QVERIFY(clicca(multipli.button(QStringLiteral("CmdVerifica"))));
        QVERIFY(!text(multipli, QStringLiteral("LblEsito")).isEmpty());
        QCOMPARE(annunciato(), platform::spokenText(text(multipli, QStringLiteral("LblEsito"))));
        confronta(multipli);

        QCOMPARE(testo(elemento(numero(multipli.label(QStringLiteral("LblEsito")))), "textContent"),
                 platform::spokenText(text(multipli, QStringLiteral("LblEsito"))));

        // Once the window is unloaded, its elements go, and their numbers activate nothing.
        const int fine = numero(multipli.button(QStringLiteral("CmdFine")));
        multipli.unload();
        segui();
        QVERIFY(elemento(verifica).isNull());
        flushDeletes();
        val::module_property("capacitaRiflessoAttiva")(fine);
        val::module_property("capacitaRiflessoTasto")(fine, 0, true);
        QVERIFY(!multipli.isLoaded());
    }

    // Space held on "Info"'s element holds "Info"; its element also says what the window shows.
    void infoTenuto() {
        const val info = elemento(numero(programma->inizio().button(QStringLiteral("Command7"))));
        QCOMPARE(testo(info, "title"), QStringLiteral("www.example.org\nE-mail : info@example.org"));
        info.call<void>("focus");
        segui();
        QCOMPARE(QApplication::focusWidget(), programma->inizio().button(QStringLiteral("Command7")));
        const auto tasto = [&](const char* tipo) {
            val opzioni = val::object();
            opzioni.set("key", std::string(" "));
            opzioni.set("bubbles", true);
            info.call<bool>("dispatchEvent", val::global("KeyboardEvent").new_(std::string(tipo), opzioni));
        };
        tasto("keydown");
        QVERIFY(programma->www().isLoaded());
        tasto("keyup");
        QVERIFY(!programma->www().isLoaded());
    }

    void fine() {
        platform::stopPageMirror();
        QVERIFY(val::global("document").call<val>("getElementById", std::string("capacita-riflesso")).isNull());
        programma.reset();
        flushDeletes();
    }
};

QTEST_MAIN(TestRiflesso)
#include "tst_riflesso.moc"
