#!/usr/bin/python3
"""End-to-end scenarios: the real program, started as a separate process on a real X server,
clicked with a real pointer (xdotool) and read through the accessibility bus (AT-SPI), as a
pupil and a screen reader meet it.

Usage: e2e.py PROGRAM SCENARIO, inside a private D-Bus session with DISPLAY set
(run-e2e.sh does both). Every scenario ends only the process it started."""

import contextlib
import io
import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from catalogo import CATALOGO_MULTIPLI, ERRATO_A_VOCE, ESATTO_A_VOCE, a_voce, detta_nel_catalogo  # noqa: E402
from finestre_x import con_titolo, geometria, xdotool  # noqa: E402
from orca import Orca, Orecchio, abilita_accessibilita, strada_a_orecchio  # noqa: E402
from voce import ServerVoce  # noqa: E402
from programma import STATI_QUIZ, TITOLO_MENU, TITOLO_MULTIPLI, TITOLO_SOTTOMULTIPLI  # noqa: E402
import verifiche  # noqa: E402
from verifiche import Fallito, piega, verifica  # noqa: E402

RISPOSTE = ["10", "100", "1000", "l", "dal", "hl"]


def pompa():
    contesto = GLib.MainContext.default()
    while contesto.pending():
        contesto.iteration(False)


def attendi(condizione, cosa, secondi=10.0):
    """As verifiche.attendi, with the bus's events handled meanwhile; an object that goes away while
    we look is not there yet."""
    return verifiche.attendi(condizione, cosa, secondi, pausa=0.01, prima=pompa, tollera=Exception)


def ha(acc, stato):
    return acc.getState().contains(stato)


def visibile(acc):
    return ha(acc, pyatspi.STATE_SHOWING)


def attivo(acc):
    return ha(acc, pyatspi.STATE_SENSITIVE)


def centro(acc):
    e = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return e.x + e.width // 2, e.y + e.height // 2


def clicca(acc):
    """A real pointer click at the centre of the control on screen."""
    x, y = centro(acc)
    xdotool("mousemove", x, y, "click", 1)


def aziona(acc):
    """The control's own accessibility action, as a screen reader user would trigger it."""
    acc.queryAction().doAction(0)


class Finestra:
    """An open window's controls, found once through the bus: push buttons by caption, labels
    by their description, or by their text where they have none."""

    def __init__(self, frame):
        self.frame = frame
        self.pulsanti = {}
        self.etichette = {}
        self._raccogli(frame)

    def _raccogli(self, acc):
        for figlio in acc:
            if figlio is None:
                continue
            ruolo = figlio.getRole()
            if ruolo == pyatspi.ROLE_PUSH_BUTTON:
                self.pulsanti.setdefault(figlio.name, figlio)
            elif ruolo == pyatspi.ROLE_LABEL:
                self.etichette.setdefault(figlio.description or figlio.name, figlio)
            self._raccogli(figlio)

    def pulsante(self, nome):
        verifica(nome in self.pulsanti, "no push button %r in %r" % (nome, self.frame.name))
        return self.pulsanti[nome]

    def testo(self, descrizione):
        verifica(descrizione in self.etichette, "no label %r in %r" % (descrizione, self.frame.name))
        return self.etichette[descrizione].name


class Programma:
    """The program started with argomenti and the environment variables variabili; with errori,
    what it writes on its standard error goes to that file."""

    def __init__(self, percorso, argomenti=(), errori=None, **variabili):
        abilita_accessibilita()
        # Listening before the program starts keeps the registry's list of applications current.
        self.nomi_cambiati = []
        pyatspi.Registry.registerEventListener(self._nome_cambiato, "object:property-change:accessible-name")
        ambiente = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", **variabili)
        if "WAYLAND_DISPLAY" not in ambiente:
            ambiente.pop("QT_QPA_PLATFORM", None)
        self.percorso = percorso
        with open(errori, "w") if errori else contextlib.nullcontext() as uscita:
            self.processo = subprocess.Popen([percorso, *argomenti], env=ambiente, stderr=uscita)
        self.app = attendi(self._sul_bus, "the program on the accessibility bus")

    def _sul_bus(self):
        for app in pyatspi.Registry.getDesktop(0):
            try:
                if app is not None and app.get_process_id() == self.processo.pid:
                    return app
            except Exception:
                pass
        return None

    def _nome_cambiato(self, evento):
        try:
            self.nomi_cambiati.append((evento.source.description, evento.source.name))
        except Exception:
            pass

    def finestre(self, titolo):
        return [w for w in self.app if w is not None and w.name == titolo and visibile(w)]

    def finestra(self, titolo):
        frame = attendi(lambda: (self.finestre(titolo) or [None])[0], "the window %r" % titolo)
        return Finestra(frame)

    def chiusa(self, titolo):
        attendi(lambda: not self.finestre(titolo), "the window %r to close" % titolo)

    def esce_con(self, codice):
        try:
            rc = self.processo.wait(10)
        except subprocess.TimeoutExpired:
            raise Fallito("the program did not end")
        verifica(rc == codice, "the program ended with %s, not %s" % (rc, codice))

    def termina(self):
        if self.processo.poll() is None:
            self.processo.terminate()
            self.processo.wait(5)


def stato_quiz(f):
    """The state table's columns, as a screen reader sees them."""
    risposte = {attivo(f.pulsante(r)) for r in RISPOSTE}
    return {
        "risposte": risposte.pop() if len(risposte) == 1 else None,
        "Verifica": visibile(f.pulsante("Verifica")),
        "Visualizza": visibile(f.pulsante("Visualizza nuova domanda")),
        "Ricomincia": visibile(f.pulsante("Ricomincia")),
        "Fine": visibile(f.pulsante("Fine")),
        "istruzione": f.testo("Istruzione"),
    }


def nello_stato(f, nome, fine=None):
    """Waits for the window f to show the state nome, with "F i n e" shown or not where the state
    leaves it open."""
    riga = dict(STATI_QUIZ[nome], **({} if fine is None else {"Fine": fine}))
    atteso = {k: riga[k] for k in stato_quiz(f)}
    attendi(lambda: stato_quiz(f) == atteso, "the state %r (now %r)" % (nome, stato_quiz(f)))


def apri_multipli(p, menu, reale=True):
    pulsante = menu.pulsante("IL LITRO E I SUOI MULTIPLI")
    clicca(pulsante) if reale else aziona(pulsante)
    return p.finestra(TITOLO_MULTIPLI)


def strada_tipica(p):
    menu = p.finestra(TITOLO_MENU)
    verifica(attivo(menu.pulsante("Info")) and visibile(menu.pulsante("Esci")), "the menu's buttons")
    verifica(not visibile(menu.pulsante("OPERAZIONI CON I MOLTIPLICATIVI")), "a hidden button is showing")
    verifica(menu.testo("Il software di Seed") == "Il software di Seed", "the credit line")
    f = apri_multipli(p, menu)
    nello_stato(f, "attesa", fine=True)
    domanda = f.testo("Domanda")
    verifica(detta_nel_catalogo(domanda, CATALOGO_MULTIPLI), "the question %r is not in the catalogue" % domanda)
    verifica(f.testo("Numero della domanda") == "1", "the counter after opening")
    for vuota in ("Risposta scelta", "Esito", "Tempo parziale in secondi", "Tempo totale in secondi"):
        verifica(f.testo(vuota) == "", "%s is not empty after opening" % vuota)

    clicca(f.pulsante("10"))
    attendi(lambda: f.testo("Risposta scelta") == "10", "the chosen answer")
    nello_stato(f, "scelta")
    p.nomi_cambiati.clear()
    clicca(f.pulsante("Verifica"))
    nello_stato(f, "verificata")
    atteso = ESATTO_A_VOCE if detta_nel_catalogo(domanda, CATALOGO_MULTIPLI) == "10" else ERRATO_A_VOCE
    verifica(f.testo("Esito") == atteso, "verdict %r, expected %r" % (f.testo("Esito"), atteso))
    verifica(f.testo("Tempo parziale in secondi").isdigit(), "the partial time")
    verifica(f.testo("Tempo totale in secondi") == f.testo("Tempo parziale in secondi"), "the total time")
    # Assistive technology is told of the verdict without being asked.
    attendi(lambda: any(d == "Esito" for d, _ in p.nomi_cambiati), "a name-changed event for the verdict")

    p.nomi_cambiati.clear()
    clicca(f.pulsante("Visualizza nuova domanda"))
    nello_stato(f, "attesa", fine=False)
    verifica(f.testo("Numero della domanda") == "2", "the counter after the next question")
    verifica(f.testo("Risposta scelta") == "" and f.testo("Esito") == "", "answer and verdict cleared")
    verifica(detta_nel_catalogo(f.testo("Domanda"), CATALOGO_MULTIPLI), "the next question")
    attendi(lambda: any(d == "Numero della domanda" for d, _ in p.nomi_cambiati),
            "a name-changed event for the counter")
    # The draw may bring the same question again; a new one is announced.
    if f.testo("Domanda") != domanda:
        attendi(lambda: any(d == "Domanda" for d, _ in p.nomi_cambiati), "a name-changed event for the question")


def serie_completa(p):
    menu = p.finestra(TITOLO_MENU)
    f = apri_multipli(p, menu)
    somma = 0
    for numero in range(1, 97):
        verifica(f.testo("Numero della domanda") == str(numero), "the counter at question %d" % numero)
        giusta = detta_nel_catalogo(f.testo("Domanda"), CATALOGO_MULTIPLI)
        scelta = giusta if numero % 3 else RISPOSTE[(RISPOSTE.index(giusta) + 1) % len(RISPOSTE)]
        clicca(f.pulsante(scelta))
        attendi(lambda: f.testo("Risposta scelta") == a_voce(scelta), "the chosen answer at question %d" % numero)
        clicca(f.pulsante("Verifica"))
        attendi(lambda: f.testo("Esito"), "the verdict at question %d" % numero)
        atteso = ESATTO_A_VOCE if scelta == giusta else ERRATO_A_VOCE
        verifica(f.testo("Esito") == atteso, "verdict %r at question %d" % (f.testo("Esito"), numero))
        somma += int(f.testo("Tempo parziale in secondi"))
        verifica(f.testo("Tempo totale in secondi") == str(somma), "the total at question %d" % numero)
        if numero < 96:
            nello_stato(f, "verificata")
            aziona(f.pulsante("Visualizza nuova domanda"))
            attendi(lambda: f.testo("Numero della domanda") == str(numero + 1), "question %d" % (numero + 1))
    nello_stato(f, "finita")
    aziona(f.pulsante("Ricomincia"))
    nello_stato(f, "attesa", fine=False)
    verifica(f.testo("Numero della domanda") == "1", "the counter after Ricomincia")
    verifica(f.testo("Tempo totale in secondi") == str(somma), "the total after Ricomincia")


def fine_e_riapertura(p):
    menu = p.finestra(TITOLO_MENU)
    f = apri_multipli(p, menu)
    clicca(f.pulsante("Fine"))
    p.chiusa(TITOLO_MULTIPLI)
    f = apri_multipli(p, menu, reale=False)
    nello_stato(f, "attesa", fine=True)
    verifica(f.testo("Numero della domanda") == "1", "the counter after reopening")


def due_finestre(p):
    menu = p.finestra(TITOLO_MENU)
    apri_multipli(p, menu)
    aziona(menu.pulsante("IL LITRO E I SUOI  SOTTOMULTIPLI"))
    sotto = p.finestra(TITOLO_SOTTOMULTIPLI)
    verifica(sotto.pulsante("ml") and "dal" not in sotto.pulsanti, "the submultiples window's answers")
    # Opening the multiples window again brings the same one forward.
    aziona(menu.pulsante("IL LITRO E I SUOI MULTIPLI"))
    time.sleep(0.3)
    verifica(len(p.finestre(TITOLO_MULTIPLI)) == 1, "two multiples windows")
    for titolo in (TITOLO_MENU, TITOLO_MULTIPLI, TITOLO_SOTTOMULTIPLI):
        verifica(p.finestre(titolo), "%r is not showing" % titolo)


def info(p, tasto):
    menu = p.finestra(TITOLO_MENU)
    x, y = centro(menu.pulsante("Info"))
    xdotool("mousemove", x, y, "mousedown", tasto)
    finestra = p.finestra("INFO")
    e = finestra.frame.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    schermo = pyatspi.Registry.getDesktop(0).queryComponent().getExtents(pyatspi.DESKTOP_COORDS).width or 1024
    verifica(abs(e.x - (schermo - e.width) / 2) <= 1 and e.y <= 2,
             "the information window at %d,%d, not at the top centre" % (e.x, e.y))
    verifica(finestra.testo("www.example.org") == "www.example.org", "the web address")
    verifica(finestra.testo("E-mail : info@example.org") == "E-mail : info@example.org", "the e-mail line")
    # Released off the button, the release still belongs to it.
    xdotool("mousemove", 20, 700, "mouseup", tasto)
    p.chiusa("INFO")
    verifica(p.finestre(TITOLO_MENU), "the menu went away")


def esci_dal_menu(p, titolo=TITOLO_MENU):
    """File > "Esci" of the window titolo, in front."""
    menu = p.finestra(titolo)
    file = [m for m in pyatspi.findAllDescendants(menu.frame, lambda a: a.getRole() == pyatspi.ROLE_MENU_ITEM)
            if m.name == "File"][0]
    clicca(file)
    esci = attendi(lambda: [m for m in pyatspi.findAllDescendants(file, lambda a: a.name == "Esci") if visibile(m)],
                   "the menu item Esci")[0]
    clicca(esci)
    p.esce_con(0)


def esci_dal_pulsante(p):
    menu = p.finestra(TITOLO_MENU)
    clicca(menu.pulsante("Esci"))
    p.esce_con(0)


# What only a window manager decides, read from the X server as the window manager left it.

def finestra_x(p, titolo):
    """The X window of the program's visible window with this exact title."""
    return attendi(lambda: con_titolo(titolo, "--pid", p.processo.pid), "the X window %r" % titolo)


def xprop(*argomenti):
    return subprocess.run(["xprop", *map(str, argomenti)], capture_output=True, text=True).stdout


def numeri(testo):
    """The numbers after '=' or '#' in one line of xprop."""
    valori = testo.replace("#", "=").split("=", 1)[-1]
    return [int(v.strip(), 0) for v in valori.split(",") if v.strip()]


def impilamento():
    """The managed windows, bottom to top."""
    return numeri(xprop("-root", "_NET_CLIENT_LIST_STACKING"))


def attiva():
    return numeri(xprop("-root", "_NET_ACTIVE_WINDOW"))[0]


def in_cima(w):
    """The window is the active one and stands above every other managed window."""
    return impilamento()[-1] == w and attiva() == w


def cornice(w):
    """The frame around the window (left, right, top, bottom) and the window's place on the screen.
    KWin and mutter set no frame extents on a window they do not frame at all."""
    estensioni = xprop("-id", w, "_NET_FRAME_EXTENTS")
    return (numeri(estensioni) if "=" in estensioni else [0, 0, 0, 0], *geometria(w))


MWM_FUNZIONI, MWM_DECORAZIONI = 1, 2
MWM_FUNC_ALL, MWM_FUNC_MINIMIZE, MWM_FUNC_MAXIMIZE = 1, 8, 16
MWM_DECOR_ALL, MWM_DECOR_MINIMIZE, MWM_DECOR_MAXIMIZE = 1, 32, 64


def motif(w):
    flags, funzioni, decorazioni = numeri(xprop("-id", w, "_MOTIF_WM_HINTS"))[:3]
    return flags, funzioni, decorazioni


def senza_riduci_e_ingrandisci(w):
    flags, funzioni, decorazioni = motif(w)
    # With the "all" bit the listed bits are the ones taken away.
    def tolti(valore, tutto, bits):
        return (valore & bits) == bits if valore & tutto else not (valore & bits)
    return (flags & MWM_FUNZIONI and tolti(funzioni, MWM_FUNC_ALL, MWM_FUNC_MINIMIZE | MWM_FUNC_MAXIMIZE)
            and flags & MWM_DECORAZIONI
            and tolti(decorazioni, MWM_DECOR_ALL, MWM_DECOR_MINIMIZE | MWM_DECOR_MAXIMIZE))


# The desktop the scenario runs on (run-e2e.sh's third argument), and those of them whose window
# manager takes minimise and maximise away when the window's Motif hints ask it to; KWin and
# openbox offer both anyway.
DESKTOP = os.environ.get("CAPACITA_DESKTOP", "")
ONORA_MOTIF = {"mutter"}
# The height of the compositor's own panel at the top of the output, on Wayland.
PANNELLO = {"weston": 32, "kwin-wayland": 0, "mutter-wayland": 0}


def azioni(w):
    """What the window manager offers to do with the window (_NET_WM_ALLOWED_ACTIONS), without
    the prefix _NET_WM_ACTION_."""
    valori = xprop("-id", w, "_NET_WM_ALLOWED_ACTIONS").split("=", 1)[-1]
    return {a.strip().replace("_NET_WM_ACTION_", "") for a in valori.split(",") if a.strip()}


def schermo():
    r = subprocess.run(["xdotool", "getdisplaygeometry"], capture_output=True, text=True).stdout.split()
    return int(r[0]), int(r[1])


def gestore_strada_tipica(p):
    larghezza, altezza = schermo()
    menu = p.finestra(TITOLO_MENU)
    x_menu = finestra_x(p, TITOLO_MENU)
    estensioni, x, y, w, h = cornice(x_menu)
    verifica(estensioni == [0, 0, 0, 0], "the main menu has a frame: %r" % estensioni)
    verifica((x, y, w, h) == (0, 0, larghezza, altezza), "the main menu at %r, not filling the screen" % ((x, y, w, h),))
    flags, _, decorazioni = motif(x_menu)
    verifica(flags & MWM_DECORAZIONI and decorazioni == 0, "the main menu asks for decorations")

    f = apri_multipli(p, menu)
    x_quiz = finestra_x(p, TITOLO_MULTIPLI)
    verifica(xprop("-id", x_quiz, "_NET_WM_NAME").split("=", 1)[1].strip() == '"%s"' % TITOLO_MULTIPLI,
             "the quiz window's title")
    stato = xprop("-id", x_quiz, "_NET_WM_STATE")
    verifica("_NET_WM_STATE_MAXIMIZED_VERT" in stato and "_NET_WM_STATE_MAXIMIZED_HORZ" in stato,
             "the quiz window is not maximised: %s" % stato.strip())
    attendi(lambda: in_cima(x_quiz), "the quiz window in front of the main menu")
    verifica(senza_riduci_e_ingrandisci(x_quiz), "the quiz window asks for minimise or maximise: %r" % (motif(x_quiz),))
    offerte = azioni(x_quiz)
    print("%s offers the quiz window: %s" % (DESKTOP, " ".join(sorted(offerte))))
    if DESKTOP in ONORA_MOTIF:
        verifica(not offerte & {"MINIMIZE", "MAXIMIZE_HORZ", "MAXIMIZE_VERT"},
                 "%s offers minimise or maximise: %s" % (DESKTOP, sorted(offerte)))

    clicca(f.pulsante("10"))
    attendi(lambda: f.testo("Risposta scelta") == "10", "the chosen answer")
    clicca(f.pulsante("Verifica"))
    attendi(lambda: f.testo("Esito"), "the verdict")
    prima = {d: f.testo(d) for d in ("Domanda", "Esito", "Numero della domanda", "Tempo totale in secondi")}

    # The window manager's own way to another window brings the main menu forward ...
    # Alt held as a person holds it: KWin opens its switcher only once Tab comes with Alt down.
    xdotool("keydown", "alt", "sleep", 0.2, "key", "Tab", "sleep", 0.3, "keyup", "alt")
    attendi(lambda: in_cima(x_menu), "the main menu in front")
    # ... and its button brings the open quiz window back, as it was.
    clicca(menu.pulsante("IL LITRO E I SUOI MULTIPLI"))
    attendi(lambda: in_cima(x_quiz), "the quiz window back in front")
    verifica(len(p.finestre(TITOLO_MULTIPLI)) == 1, "a second multiples window")
    verifica({d: f.testo(d) for d in prima} == prima, "the quiz window changed on coming back")

    # The close box of the window manager's frame unloads the quiz window; the program goes on.
    estensioni, x, y, w, _ = cornice(x_quiz)
    xdotool("mousemove", x + w - 10, y - estensioni[2] // 2, "click", 1)
    p.chiusa(TITOLO_MULTIPLI)
    verifica(p.processo.poll() is None and p.finestre(TITOLO_MENU), "the program did not carry on")
    f = apri_multipli(p, menu)
    nello_stato(f, "attesa", fine=True)
    verifica(f.testo("Numero della domanda") == "1", "the counter after reopening")
    attendi(lambda: in_cima(finestra_x(p, TITOLO_MULTIPLI)), "the reopened quiz window in front")
    clicca(f.pulsante("Fine"))
    p.chiusa(TITOLO_MULTIPLI)
    attendi(lambda: in_cima(x_menu), "the main menu in front once the quiz window is gone")
    clicca(menu.pulsante("Esci"))
    p.esce_con(0)


def gestore_info(p):
    larghezza, _ = schermo()
    menu = p.finestra(TITOLO_MENU)
    x, y = centro(menu.pulsante("Info"))
    xdotool("mousemove", x, y, "mousedown", 1)
    p.finestra("INFO")
    x_info = finestra_x(p, "INFO")
    attendi(lambda: impilamento()[-1] == x_info, "the information window in front")
    estensioni, cx, cy, w, _ = cornice(x_info)
    sinistra, alto = cx - estensioni[0], cy - estensioni[2]
    esterna = w + estensioni[0] + estensioni[1]
    verifica(abs(sinistra - (larghezza - esterna) / 2) <= 1 and alto <= 2,
             "the information window's frame at %d,%d, not at the top centre" % (sinistra, alto))
    xdotool("mousemove", 20, 700, "mouseup", 1)
    p.chiusa("INFO")
    verifica(p.finestre(TITOLO_MENU), "the menu went away")


def wayland_strada_tipica(p):
    """The typical road as a Wayland client, through the accessibility actions alone."""
    menu = p.finestra(TITOLO_MENU)
    e = menu.frame.queryComponent().getExtents(pyatspi.WINDOW_COORDS)
    print("main menu on %s: %dx%d" % (DESKTOP, e.width, e.height))
    verifica((e.width, e.height) == (1024, 768 - PANNELLO[DESKTOP]),
             "the main menu is %dx%d, not filling the output beside the panel" % (e.width, e.height))
    # "Fine" right after opening unloads the window; opened again, it starts afresh.
    f = apri_multipli(p, menu, reale=False)
    nello_stato(f, "attesa", fine=True)
    aziona(f.pulsante("Fine"))
    p.chiusa(TITOLO_MULTIPLI)
    f = apri_multipli(p, menu, reale=False)
    nello_stato(f, "attesa", fine=True)
    verifica(f.testo("Numero della domanda") == "1", "the counter after reopening")
    domanda = f.testo("Domanda")
    verifica(detta_nel_catalogo(domanda, CATALOGO_MULTIPLI), "the question %r is not in the catalogue" % domanda)
    aziona(f.pulsante("10"))
    attendi(lambda: f.testo("Risposta scelta") == "10", "the chosen answer")
    aziona(f.pulsante("Verifica"))
    nello_stato(f, "verificata")
    atteso = ESATTO_A_VOCE if detta_nel_catalogo(domanda, CATALOGO_MULTIPLI) == "10" else ERRATO_A_VOCE
    verifica(f.testo("Esito") == atteso, "verdict %r, expected %r" % (f.testo("Esito"), atteso))
    verifica(f.testo("Tempo parziale in secondi").isdigit(), "the partial time")
    aziona(f.pulsante("Visualizza nuova domanda"))
    nello_stato(f, "attesa", fine=False)
    verifica(f.testo("Numero della domanda") == "2", "the counter after the next question")
    esci = [m for m in pyatspi.findAllDescendants(menu.frame, lambda a: a.getRole() == pyatspi.ROLE_MENU_ITEM)
            if m.name == "Esci"]
    verifica(esci, "no menu item Esci on the main menu")
    aziona(esci[0])
    p.esce_con(0)


def a_orecchio(p):
    """The drill by ear, with Orca and the keyboard alone: see strada_a_orecchio."""
    o = Orecchio(p.orca, "notification ", lambda: [p.app])
    o.sente("IL LITRO E I SUOI MULTIPLI push button", 0, 30)

    def domanda_in_apertura(segno):
        o.sente(piega(TITOLO_MULTIPLI) + " frame", segno)
        o.sente("Fine push button", segno)
        return o.annuncio(segno, lambda t: True, "the question")

    def esci():
        o.sente("Esci", o.premi("alt+f"))
        o.premi("Return")
        p.esce_con(0)
    strada_a_orecchio(o, domanda_in_apertura, esci)


def ha_caricato(p, libreria):
    """Whether the program's process has loaded a library whose file name holds libreria."""
    with open("/proc/%d/maps" % p.processo.pid) as f:
        return libreria in f.read()


def con_la_voce(p):
    """Read-aloud as a pupil who reads with difficulty hears it, through the test's own speech
    server: a button's caption once the pointer rests on it, the question as the window opens,
    the chosen unit by its name, the verdict, the question again on a click on it, a caption
    reached with Tab; all in Italian, in the spoken form, each into a WAV that carries sound. Then
    the server dies and the road goes on silently to File > Esci. Without --voce nothing reaches a
    server and no speech engine is loaded; with --voce and no server the road ends with 0."""
    server = p.server
    menu = p.finestra(TITOLO_MENU)
    x, y = centro(menu.pulsante("IL LITRO E I SUOI MULTIPLI"))
    xdotool("mousemove", x, y)
    server.attendi(lambda t: t == "IL LITRO E I SUOI MULTIPLI", "the caption the pointer rests on")
    verifica(ha_caricato(p, "libqtexttospeech_speechd"), "read-aloud speaks through no speechd engine")
    time.sleep(1.5)
    verifica(len(server.detti()) == 1, "the caption was said again while the pointer stayed: %r" % server.detti())
    segno = len(server.detti())
    xdotool("click", 1)
    f = p.finestra(TITOLO_MULTIPLI)
    domanda = server.attendi(lambda t: detta_nel_catalogo(t, CATALOGO_MULTIPLI), "the question", segno)
    # A label is read as its text's spoken form.
    verifica(piega(domanda) == piega(f.testo("Domanda")), "the question heard, %r, is not the one shown" % domanda)
    segno = len(server.detti())
    xdotool("key", "Tab")
    server.attendi(lambda t: t in {"Fine", *map(a_voce, RISPOSTE)}, "a caption reached with the keyboard", segno)
    sbagliata = next(r for r in ("dal", "hl") if r != detta_nel_catalogo(domanda, CATALOGO_MULTIPLI))
    segno = len(server.detti())
    clicca(f.pulsante(sbagliata))
    server.attendi(lambda t: t == a_voce(sbagliata), "the chosen unit by its name", segno)
    segno = len(server.detti())
    clicca(f.pulsante("Verifica"))
    server.attendi(lambda t: t == ERRATO_A_VOCE, "the verdict", segno)
    segno = len(server.detti())
    clicca(f.etichette["Domanda"])
    server.attendi(lambda t: t == domanda, "the question again, clicked", segno)
    # An utterance cut off by the next leaves its WAV unfinished; the others carry sound.
    ampiezze = server.ampiezze()
    verifica(len([a for a in ampiezze if a > 0.01]) >= 5, "silent utterances: RMS amplitudes %r" % ampiezze)
    print("said: " + " | ".join(t for _, t in server.detti()))

    server.termina()
    clicca(f.pulsante("Visualizza nuova domanda"))
    nello_stato(f, "attesa", fine=False)
    clicca(f.pulsante("10"))
    nello_stato(f, "scelta")
    esci_dal_menu(p, TITOLO_MULTIPLI)

    # Without --voce, a server with an Italian voice is given nothing and no engine is loaded;
    # with --voce and no server, or a server with an English voice alone, nothing is said and the
    # program says why once. The road works each time.
    casa = os.environ["HOME"]
    italiano = ServerVoce(os.path.join(casa, "senza-voce"), parla=False)
    inglese = ServerVoce(os.path.join(casa, "inglese"), parla=False, lingue=("en",))
    errori = os.path.join(casa, "errori.txt")
    try:
        for argomenti, indirizzo, perché in (([], italiano.indirizzo, None),
                                             (["--voce"], "unix_socket:" + os.path.join(casa, "nessuno"), "no speech server"),
                                             (["--voce"], inglese.indirizzo, "no Italian voice")):
            muto = Programma(p.percorso, argomenti, errori, SPEECHD_ADDRESS=indirizzo)
            try:
                f = apri_multipli(muto, muto.finestra(TITOLO_MENU))
                clicca(f.pulsante("10"))
                clicca(f.pulsante("Verifica"))
                nello_stato(f, "verificata")
                for libreria in () if argomenti else ("libqtexttospeech_speechd", "libspeechd"):
                    verifica(not ha_caricato(muto, libreria), "without --voce the program loaded %s" % libreria)
                esci_dal_menu(muto, TITOLO_MULTIPLI)
            finally:
                muto.termina()
            with open(errori) as f:
                detti = [r for r in f if "read-aloud stays silent" in r]
            verifica(len(detti) == (1 if perché else 0) and (not perché or perché in detti[0]),
                     "with %s the program said %r on its standard error" % (perché or "no --voce", detti))
        for server in (italiano, inglese):
            verifica(not server.detti(), "the program said %r" % server.detti())
    finally:
        italiano.termina()
        inglese.termina()


class Sensore:
    """The pupil with one switch (the Space bar): waits for the scan's highlight, which the
    keyboard's focus follows, to reach the button it wants, and presses at once."""

    def __init__(self, p):
        self.p = p
        self.fuoco = None
        pyatspi.Registry.registerEventListener(self._fuoco, "object:state-changed:focused")

    def _fuoco(self, evento):
        try:
            if evento.detail1 and evento.source.getRole() == pyatspi.ROLE_PUSH_BUTTON:
                self.fuoco = evento.source.name
        except Exception:
            pass

    def premi_sul_riquadro(self, acc):
        """Presses the switch as the highlight's frame comes round acc on screen: for a button
        that keeps the focus while the highlight is on the menu bar."""
        e = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        attendi(lambda: not cornice_su(e.x, e.y, e.width, e.height), "the highlight away from %r" % acc.name, 30)
        attendi(lambda: cornice_su(e.x, e.y, e.width, e.height), "the highlight back on %r" % acc.name, 30)
        xdotool("key", "space")

    def premi(self, nome, tieni=0.0):
        """Presses the switch as the highlight comes to the button nome (not when it is already
        there: it may be about to move on), holding it tieni seconds."""
        self.fuoco = None
        attendi(lambda: self.fuoco == nome, "the highlight on %r (last on %r)" % (nome, self.fuoco), 30)
        xdotool("keydown", "space")
        time.sleep(tieni)
        xdotool("keyup", "space")


def cornice_su(x, y, w, h):
    """Whether the highlight's frame stands right of the rectangle on screen: yellow inside, black
    outside."""
    from PIL import Image
    immagine = Image.open(io.BytesIO(subprocess.run(["import", "-window", "root", "png:-"],
                                                    capture_output=True, check=True).stdout)).convert("RGB")
    return immagine.getpixel((x + w + 2, y + h // 2)) == (255, 255, 0) and \
        immagine.getpixel((x + w + 6, y + h // 2)) == (0, 0, 0)


def con_un_sensore(p):
    """The drill with one switch alone, the scan stepping every half second: the multiples window
    opened and closed with "F i n e", Info held, the window opened again, two answers verified and
    the next question asked, then File > Esci, each pressed when the highlight is there; the
    highlight's frame seen on screen on the menu File."""
    s = Sensore(p)
    menu = p.finestra(TITOLO_MENU)
    s.premi("IL LITRO E I SUOI MULTIPLI")
    f = p.finestra(TITOLO_MULTIPLI)
    s.premi("Fine")
    p.chiusa(TITOLO_MULTIPLI)
    s.fuoco = None
    attendi(lambda: s.fuoco == "Info", "the highlight on Info", 30)
    xdotool("keydown", "space")
    p.finestra("INFO")
    time.sleep(1.2)
    verifica(p.finestre("INFO"), "the information window went while the switch was held")
    xdotool("keyup", "space")
    p.chiusa("INFO")
    s.premi("IL LITRO E I SUOI MULTIPLI")
    f = p.finestra(TITOLO_MULTIPLI)
    for numero in (1, 2):
        domanda = f.testo("Domanda")
        s.premi("10")
        attendi(lambda: f.testo("Risposta scelta") == "10", "the chosen answer")
        s.premi("Verifica")
        nello_stato(f, "verificata")
        atteso = ESATTO_A_VOCE if detta_nel_catalogo(domanda, CATALOGO_MULTIPLI) == "10" else ERRATO_A_VOCE
        verifica(f.testo("Esito") == atteso, "verdict %r, expected %r" % (f.testo("Esito"), atteso))
        # Alone with the menu bar in its window, it keeps the focus: the frame says where the scan is.
        s.premi_sul_riquadro(f.pulsante("Visualizza nuova domanda"))
        attendi(lambda: f.testo("Numero della domanda") == str(numero + 1), "question %d" % (numero + 1))
    # File comes after the last button; in the waiting state after "Visualizza nuova domanda"
    # the last is "hl".
    file = [m for m in pyatspi.findAllDescendants(f.frame, lambda a: a.getRole() == pyatspi.ROLE_MENU_ITEM)
            if m.name == "File"][0]
    e = file.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    s.fuoco = None
    attendi(lambda: s.fuoco == "hl", "the highlight on hl", 30)
    attendi(lambda: cornice_su(e.x, e.y, e.width, e.height), "the highlight's frame on File", 5)
    xdotool("key", "space")
    esci = attendi(lambda: [m for m in pyatspi.findAllDescendants(file, lambda a: a.name == "Esci") if visibile(m)],
                   "the menu File open")[0]
    # Not so soon that the press is taken for a tremor.
    time.sleep(0.4)
    xdotool("key", "space")
    p.esce_con(0)


SCENARI = {
    "typical-road": strada_tipica,
    "whole-series": serie_completa,
    "fine-and-reopen": fine_e_riapertura,
    "both-quiz-windows": due_finestre,
    "info-left-button": lambda p: info(p, 1),
    "info-right-button": lambda p: info(p, 3),
    "file-esci": esci_dal_menu,
    "esci-button": esci_dal_pulsante,
    "wm-typical-road": gestore_strada_tipica,
    "wm-info": gestore_info,
    "wayland-typical-road": wayland_strada_tipica,
    "by-ear": a_orecchio,
    "voce": con_la_voce,
    "sensore": con_un_sensore,
}


def main():
    programma, scenario = sys.argv[1], sys.argv[2]
    inizio = time.monotonic()
    p = None
    orca = server = None
    try:
        if scenario == "by-ear":
            # The screen reader is there before the program, as for a pupil who needs it.
            orca = Orca(os.environ["HOME"])
        if scenario == "sensore":
            p = Programma(programma, ["--scansione=0.5"])
        elif scenario == "voce":
            # The speech server is there before the program, as on a pupil's computer.
            server = ServerVoce(os.path.join(os.environ["HOME"], "voce"))
            p = Programma(programma, ["--voce"], SPEECHD_ADDRESS=server.indirizzo)
        else:
            p = Programma(programma)
        p.orca, p.server = orca, server
        SCENARI[scenario](p)
    except Fallito as errore:
        print("FAIL %s: %s" % (scenario, errore))
        return 1
    finally:
        if p:
            p.termina()
        if orca:
            orca.termina()
        if server:
            server.termina()
    print("PASS %s (%.1f s)" % (scenario, time.monotonic() - inizio))
    return 0


if __name__ == "__main__":
    sys.exit(main())
