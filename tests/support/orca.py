"""Orca, the screen reader of GNOME's desktop, on the test's own X server and D-Bus session, and
what it would say, read from its debug log (the lines "SPEECH OUTPUT: '...'") as it writes them.
Orca logs what it would speak whatever its speech server does; it is given a silent server of the
test's own, as the speech-dispatcher it would start for itself loads the system's voices with no
sound device, and then stops answering. And the road a pupil who
cannot see the screen takes through the program with the keyboard alone, in any program Orca
reads: the desktop program, or the page in a browser.

Orca writes its log through a buffer; given a terminal, it writes each line as it ends, so the
log goes to a pseudo-terminal that this module reads."""

import os
import re
import subprocess
import threading
import time
import tty

from catalogo import CATALOGO_MULTIPLI, ERRATO_A_VOCE, ESATTO_A_VOCE, a_voce, detta_nel_catalogo
from verifiche import Fallito, attendi, piega, verifica
from voce import ServerVoce

DETTO = re.compile(r"SPEECH OUTPUT: '(.*)'\s*(\{.*\})?\s*$")
BRAILLE = re.compile(r"BRAILLE LINE:\s+'(.*)'\s*$")


def abilita_accessibilita():
    """Toolkits of the session put their programs on the accessibility bus from now on."""
    subprocess.run(["gdbus", "call", "--session", "--dest", "org.a11y.Bus", "--object-path", "/org/a11y/bus",
                    "--method", "org.freedesktop.DBus.Properties.Set", "org.a11y.Status", "IsEnabled",
                    "<true>"], check=True, stdout=subprocess.DEVNULL)


class Orca:
    """Orca 43 running in the session of the caller's DISPLAY and D-Bus; ended with termina()."""

    def __init__(self, cartella):
        abilita_accessibilita()
        self.detti = []
        # What the braille display shows, line by line.
        self.braille = []
        self._condizione = threading.Condition()
        # Both ends stay open here: reading the terminal fails while no one holds its other end.
        principale, secondario = os.openpty()
        tty.setraw(secondario)
        self._terminale = principale, secondario
        self.voce = ServerVoce(os.path.join(cartella, "orca-voce"), parla=False)
        self.processo = subprocess.Popen(
            ["orca", "--replace", "-u", os.path.join(cartella, "orca"), "--debug-file", os.ttyname(secondario)],
            env=dict(os.environ, SPEECHD_ADDRESS=self.voce.indirizzo),
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        threading.Thread(target=self._leggi, daemon=True).start()
        try:
            self.attendi(lambda d: d == "Screen reader on", "Orca to start", 60)
        except Fallito:
            self.termina()
            raise

    def _leggi(self):
        resto = b""
        while True:
            try:
                dati = os.read(self._terminale[0], 65536)
            except OSError:
                return
            if not dati:
                return
            righe = (resto + dati).split(b"\n")
            resto = righe.pop()
            for riga in righe:
                testo = riga.decode("utf-8", "replace").rstrip("\r")
                b = BRAILLE.search(testo)
                if b:
                    self.braille.append(piega(b.group(1)))
                m = DETTO.search(testo)
                if m:
                    with self._condizione:
                        # Without the full stop Orca ends a sentence with.
                        self.detti.append(piega(m.group(1)).removesuffix("."))
                        self._condizione.notify_all()

    def segno(self):
        """Where what is said from now on begins."""
        with self._condizione:
            return len(self.detti)

    def attendi(self, condizione, cosa, secondi=15, dopo=0):
        """The first thing said from dopo on for which condizione holds; Fallito after secondi."""
        fine = time.monotonic() + secondi
        with self._condizione:
            while True:
                for detto in self.detti[dopo:]:
                    if condizione(detto):
                        return detto
                resta = fine - time.monotonic()
                if resta <= 0:
                    raise Fallito("Orca did not say %s; it said %r" % (cosa, self.detti[dopo:][-12:]))
                self._condizione.wait(resta)

    def termina(self):
        if self.processo.poll() is None:
            self.processo.terminate()
            try:
                self.processo.wait(10)
            except subprocess.TimeoutExpired:
                self.processo.kill()
                self.processo.wait()
        self.voce.termina()
        for fd in self._terminale:
            os.close(fd)


def pagine_web():
    """The pages of the browsers on the accessibility bus, where a screen reader browses."""
    import pyatspi
    pagine = []
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None:
            pagine += pyatspi.findAllDescendants(app, lambda a: a.getRole() == pyatspi.ROLE_DOCUMENT_WEB)
    return pagine


def pulsanti_muti(radici):
    """Where a screen reader exploring what lies under radici would meet a push button with
    nothing to say: the names of the windows or pages that hold one, with how many."""
    import pyatspi
    muti = {}
    for radice in radici:
        for b in pyatspi.findAllDescendants(radice, lambda a: a.getRole() == pyatspi.ROLE_PUSH_BUTTON):
            if not b.name.strip() and b.getState().contains(pyatspi.STATE_SHOWING):
                muti[radice.name] = muti.get(radice.name, 0) + 1
    return muti


class Orecchio:
    """The pupil who works by ear: presses keys on whatever has the keyboard and listens to Orca.
    What the program announces comes after prefisso: "notification " on the desktop, nothing in a
    page. esplora() gives what a screen reader explores beyond the focus: the program's
    accessible application, or the browser's pages. Where Orca says nothing of a page's live
    region (WebKitGTK: Orca 43 reads it with a script that follows no live region), regione()
    gives the text the page has put in its live region since it was last asked, and the
    announcements are read there instead of heard."""

    def __init__(self, orca, prefisso, esplora, regione=None):
        self.orca = orca
        self.prefisso = prefisso
        self.esplora = esplora
        self.regione = regione
        # Orca's script for Chromium's and Firefox's pages says a button named by one letter by
        # its description alone.
        self.script_web = not prefisso and not regione

    def premi(self, nome, azione="key"):
        """Presses and releases a key as xdotool names it, or with azione "keydown" or "keyup"
        only presses or only releases it; gives where what that makes Orca say begins."""
        segno = self.orca.segno()
        subprocess.run(["xdotool", azione, "--clearmodifiers", nome], check=True)
        return segno

    def sente(self, atteso, dopo, secondi=15):
        """Something said from dopo on that is atteso, or ends with it (a browser's landmark may
        come first)."""
        return self.orca.attendi(lambda d: d == atteso or d.endswith(" " + atteso), repr(atteso), secondi, dopo)

    def annuncio(self, dopo, condizione, cosa="an announcement"):
        """The text of the first announcement said from dopo on for which condizione holds."""
        if self.regione:
            return attendi(lambda: (lambda t: t if t is not None and condizione(t) else None)(self.regione()),
                           cosa + " in the page's live region", 15, pausa=0.1)

        def testo(d):
            return d[len(self.prefisso):] if d.startswith(self.prefisso) else None
        return testo(self.orca.attendi(lambda d: testo(d) is not None and condizione(testo(d)), cosa, 15, dopo))

    def cerca(self, nome, tasto="Tab", volte=14, descrizione=None):
        """Presses tasto until Orca names the button nome as the focus moves (and says its
        descrizione right after, if given), and names no button after it once it has fallen
        silent: Orca may be late with what an earlier key did, and the next key acts where the
        focus is now."""
        for _ in range(volte):
            segno = self.premi(tasto)
            try:
                self.orca.attendi(lambda d: d not in TASTI, "the focus to move", 5, segno)
            except Fallito:
                continue
            self.silenzio()
            detti = self.orca.detti[segno:]
            posti = [i for i, d in enumerate(detti) if (d == nome or d.endswith(" " + nome)) and
                     (descrizione is None or detti[i + 1:i + 2] == [descrizione])]
            if posti and not any(d.endswith(" push button") for d in detti[posti[-1] + 1:]):
                return
        raise Fallito("%s never reached %r; Orca said %r" % (tasto, nome, self.orca.detti[-12:]))

    def silenzio(self, pausa=0.4, secondi=5):
        """Once Orca has said nothing new for pausa seconds, or after secondi."""
        fine = time.monotonic() + secondi
        while time.monotonic() < fine:
            segno = self.orca.segno()
            time.sleep(pausa)
            if self.orca.segno() == segno:
                return


def cerca_risposta(o, didascalia):
    """Tabs to an answer button, heard as Orca says it: a unit's button by its symbol, which the
    braille display shows, then by its description, the unit's name; in a page Orca says and shows
    a button named by one letter by its description alone ("litro push button")."""
    detta = a_voce(didascalia)
    per_descrizione = o.script_web and len(didascalia) == 1 and detta != didascalia
    if detta == didascalia or per_descrizione:
        o.cerca(detta + " push button")
    else:
        o.cerca(didascalia + " push button", descrizione=detta)
    mostrato = (detta if per_descrizione else didascalia) + " push button"
    # The last button shown (a browser may flash "Browse mode" after it).
    riga = next((r for r in reversed(o.orca.braille) if r.endswith(" push button")), "")
    verifica(riga == mostrato or riga.endswith(" " + mostrato), "the braille display shows %r" % riga)


# What Orca says of the keys themselves.
TASTI = {"tab", "left shift", "space", "return", "left alt", "f", "down"}


def strada_a_orecchio(o, domanda_in_apertura, esci):
    """The multiples window by ear, from the main menu's first button focused to File > Esci: the
    main menu's buttons heard with Tab and Info's lines with Space held on it; the window opened
    with Space, its question heard with the units by their names; no nameless button to explore;
    "l" and "dal" heard by Tab with their units' names, their symbols shown in braille; the right
    answer found and chosen, heard by name; "Esatto"
    heard after Verifica, with the focus on "Visualizza nuova domanda"; the next question heard; a
    wrong answer chosen with Enter, "Errato" heard; and esci(), which ends the program from the
    menu File by keys. domanda_in_apertura gives the question said as the window opened, from
    where the Space that opened it began."""
    for nome in ("IL LITRO E I SUOI SOTTOMULTIPLI", "Esci", "Info"):
        o.sente(nome + " push button", o.premi("Tab"))
    # Info held with Space shows the information window, whose lines are said, once however long
    # the key is held (a held key repeats).
    segno = o.premi("space", "keydown")
    righe = "www.example.org. E-mail : info@example.org"
    o.annuncio(segno, lambda t: t == righe, "Info's lines")
    time.sleep(1.5)
    o.premi("space", "keyup")
    if not o.regione:
        detti = [d for d in o.orca.detti[segno:] if d == o.prefisso + righe]
        verifica(len(detti) == 1, "Info's lines were said %d times while Space was held" % len(detti))
    o.cerca("IL LITRO E I SUOI MULTIPLI push button")

    # The questions are heard as a teacher reads them, the units by their names.
    domanda = domanda_in_apertura(o.premi("space"))
    giusta = detta_nel_catalogo(domanda, CATALOGO_MULTIPLI)
    verifica(giusta, "the question heard, %r, is not the catalogue's said by its units' names" % domanda)
    # Exploring the window meets no button that says nothing (the blank bar is only drawn).
    muti = pulsanti_muti(o.esplora())
    verifica(not muti, "push buttons with no name to explore: %r" % muti)
    # The unit buttons are heard by their units' names, whatever the question.
    for unità in ("l", "dal"):
        cerca_risposta(o, unità)
    cerca_risposta(o, giusta)
    o.annuncio(o.premi("space"), lambda t: t == a_voce(giusta), "the chosen answer %r" % a_voce(giusta))
    o.cerca("Verifica push button", "shift+Tab")
    segno = o.premi("space")
    o.annuncio(segno, lambda t: t == ESATTO_A_VOCE, "the verdict %r" % ESATTO_A_VOCE)
    # "Verifica" has gone, and the focus with it to the next step.
    o.sente("Visualizza nuova domanda push button", segno)
    domanda = o.annuncio(o.premi("space"), lambda t: detta_nel_catalogo(t, CATALOGO_MULTIPLI), "the next question")
    # A wrong unit, so that a chosen unit is always heard by its name.
    sbagliata = next(r for r in ("dal", "hl") if r != detta_nel_catalogo(domanda, CATALOGO_MULTIPLI))
    cerca_risposta(o, sbagliata)
    o.annuncio(o.premi("Return"), lambda t: t == a_voce(sbagliata), "the answer %r chosen with Enter" % sbagliata)
    o.cerca("Verifica push button", "shift+Tab")
    # Enter (Orca keeps keypad Enter for itself: "where am I").
    o.annuncio(o.premi("Return"), lambda t: t == ERRATO_A_VOCE, "the verdict %r" % ERRATO_A_VOCE)
    esci()
    print("Orca said: " + " | ".join(d for d in o.orca.detti if d not in TASTI))
