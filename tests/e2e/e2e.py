#!/usr/bin/python3
"""End-to-end scenarios: the real program, started as a separate process on a real X server,
clicked with a real pointer (xdotool) and read through the accessibility bus (AT-SPI), as a
pupil and a screen reader meet it.

Usage: e2e.py PROGRAM SCENARIO, inside a private D-Bus session with DISPLAY set
(run-e2e.sh does both). Every scenario ends only the process it started."""

import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

TITOLO_MENU = "Gli obiettivi dell'addizione"
TITOLO_MULTIPLI = "47 DOMANDE PER CONOSCERE LE MISURE DI CAPACITA':  I MULTIPLI"
TITOLO_SOTTOMULTIPLI = "96 DOMANDE PER CONOSCERE LE MISURE DI CAPACITA':  I SOTTOMULTIPLI"
ESATTO = "E  s  a  t  t  o"
ERRATO = "E  r  r  a  t  o"
RISPOSTE = ["10", "100", "1000", "l", "dal", "hl"]

# The multiples window's questions and their expected answers.
CATALOGO_MULTIPLI = {
    "E' più capace l'hl o il dal ?": 'hl',
    "E' più capace l'hl o il l ?": 'hl',
    "E' più capace il dal o il l ?": 'dal',
    "E' più capace  il dal o l'hl ?": 'hl',
    "E' più capace il l o l'hl ?": 'hl',
    "E' più capace il l  o il dal ?": 'dal',
    "E' meno capace l'hl o il dal ?": 'dal',
    "E' meno capace l'hl o il l ?": 'l',
    "E' meno capace il dal o il l ?": 'l',
    "E' meno capace  il dal o l'hl ?": 'dal',
    "E' meno capace il l o l'hl ?": 'l',
    "E' meno capace il l o il dal ?": 'l',
    "Quante volte l'hl è più capace del l ?": '100',
    "Quante volte l'hl è più capace del dal ?": '10',
    'Quante volte il dal è più capace del l ?': '10',
    'Quale misura è 100 volte più capace del l ?': 'hl',
    'Quale misura è 10 volte più capace del l ?': 'dal',
    'Quale misura è 10 volte più capace del dal ?': 'hl',
    "Quale misura è 100 volte meno capace dell'hl ?": 'l',
    "Quale misura è 10 volte meno capace dell'hl ?": 'dal',
    'Quale misura è 10 volte meno capace del dal ?': 'l',
    "Quante volte il l è meno capace dell' hl ?": '100',
    'Quante volte il l è meno capace del dal ?': '10',
    "Quante volte il dal è meno capace dell'hl ?": '10',
    "Se divido l'hl in 10 parti equivalenti che unità di misura ottengo ?": 'dal',
    "Se divido l'hl in 100 parti equivalenti che unità di misura ottengo ?": 'l',
    'Se divido il dal in 10 parti equivalenti che unità di misura ottengo ?': 'l',
    "In quante parti equivalenti devo dividere l'hl per ottenere il dal ?": '10',
    "In quante parti equivalenti devo dividere l'hl per ottenere il l ?": '100',
    'In quante parti equivalenti devo dividere il dal per ottenere il l ?': '10',
    'Quale misura ho diviso in 10 parti equivalenti per ottenere il l ?': 'dal',
    'Quale misura ho diviso in 100 parti equivalenti per ottenere il l ?': 'hl',
    'Quale misura ho diviso in 10 parti equivalenti per ottenere il dal ?': 'hl',
    'Quanti l devo unire per formare il dal ?': '10',
    "Quanti l devo unire per formare l'hl ?": '100',
    "Quanti dal devo unire per formare l'hl ?": '10',
    'Se unisco 10 l che unità di misura ottengo ?': 'dal',
    'Se unisco 100 l che unità di misura ottengo ?': 'hl',
    'Se unisco 10 dal che unità di misura ottengo ?': 'hl',
    'Quanti l devo unire per ottenere il dal ?': '10',
    "Quanti l devo unire per ottenere l'hl ?": '100',
    "Quanti dal devo unire per ottenere l'hl ?": '10',
    "Quale unità di misura ho unito 100 volte per ottenere l' hl ?": 'l',
    'Quale unità di misura ho unito 10 volte per ottenere il dal ?': 'l',
    "Quale unità di misura ho unito 10 volte per ottenere l'hl ?": 'dal',
    "Come si chiama la 1/100 parte dell'ettolitro ?": 'l',
    "Come si chiama la 1/10 parte dell'ettolitro ?": 'dal',
    'Come si chiama la 1/10 parte del decalitro ?': 'l',
}


class Fallito(Exception):
    pass


def verifica(condizione, messaggio):
    if not condizione:
        raise Fallito(messaggio)


def pompa():
    contesto = GLib.MainContext.default()
    while contesto.pending():
        contesto.iteration(False)


def attendi(condizione, cosa, secondi=10.0):
    fine = time.monotonic() + secondi
    while True:
        pompa()
        try:
            valore = condizione()
        except Exception:  # an object that went away while we looked
            valore = None
        if valore:
            return valore
        if time.monotonic() > fine:
            raise Fallito("timed out waiting for " + cosa)
        time.sleep(0.01)


def ha(acc, stato):
    return acc.getState().contains(stato)


def visibile(acc):
    return ha(acc, pyatspi.STATE_SHOWING)


def attivo(acc):
    return ha(acc, pyatspi.STATE_SENSITIVE)


def centro(acc):
    e = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return e.x + e.width // 2, e.y + e.height // 2


def xdotool(*argomenti):
    subprocess.run(["xdotool", *map(str, argomenti)], check=True)


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
    def __init__(self, percorso, argomenti=()):
        subprocess.run(["gdbus", "call", "--session", "--dest", "org.a11y.Bus", "--object-path", "/org/a11y/bus",
                        "--method", "org.freedesktop.DBus.Properties.Set", "org.a11y.Status", "IsEnabled",
                        "<true>"], check=True, stdout=subprocess.DEVNULL)
        # Listening before the program starts keeps the registry's list of applications current.
        self.nomi_cambiati = []
        pyatspi.Registry.registerEventListener(self._nome_cambiato, "object:property-change:accessible-name")
        ambiente = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        ambiente.pop("QT_QPA_PLATFORM", None)
        self.processo = subprocess.Popen([percorso, *argomenti], env=ambiente)
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
    return {
        "risposte": [attivo(f.pulsante(r)) for r in RISPOSTE],
        "Verifica": visibile(f.pulsante("Verifica")),
        "Visualizza": visibile(f.pulsante("Visualizza nuova domanda")),
        "Ricomincia": visibile(f.pulsante("Ricomincia")),
        "Fine": visibile(f.pulsante("F i n e")),
        "istruzione": f.testo("Istruzione"),
    }


STATI = {
    "attesa dopo l'apertura": dict(risposte=[True] * 6, Verifica=False, Visualizza=False, Ricomincia=False,
                                   Fine=True, istruzione="Clicca sul pulsante esatto"),
    "attesa": dict(risposte=[True] * 6, Verifica=False, Visualizza=False, Ricomincia=False, Fine=False,
                   istruzione="Clicca sul pulsante esatto"),
    "scelta": dict(risposte=[True] * 6, Verifica=True, Visualizza=False, Ricomincia=False, Fine=False,
                   istruzione="Clicca sul pulsante Verifica"),
    "verificata": dict(risposte=[False] * 6, Verifica=False, Visualizza=True, Ricomincia=False, Fine=False,
                       istruzione="Clicca sul pulsante Visualizza nuova domanda"),
    "finita": dict(risposte=[False] * 6, Verifica=True, Visualizza=False, Ricomincia=True, Fine=True,
                   istruzione="Clicca sul pulsante Verifica"),
}


def nello_stato(f, nome):
    atteso = STATI[nome]
    attendi(lambda: stato_quiz(f) == atteso, "the state %r (now %r)" % (nome, stato_quiz(f)))


def apri_multipli(p, menu, reale=True):
    pulsante = menu.pulsante("IL LITRO E I SUOI MULTIPLI")
    clicca(pulsante) if reale else aziona(pulsante)
    return p.finestra(TITOLO_MULTIPLI)


def strada_tipica(p):
    menu = p.finestra(TITOLO_MENU)
    verifica(attivo(menu.pulsante("Info")) and visibile(menu.pulsante("E S C I")), "the menu's buttons")
    verifica(not visibile(menu.pulsante("OPERAZIONI CON I MOLTIPLICATIVI")), "a hidden button is showing")
    verifica(menu.testo("Il software di Seed") == "Il software di Seed", "the credit line")
    f = apri_multipli(p, menu)
    nello_stato(f, "attesa dopo l'apertura")
    domanda = f.testo("Domanda")
    verifica(domanda in CATALOGO_MULTIPLI, "the question %r is not in the catalogue" % domanda)
    verifica(f.testo("Numero della domanda") == "1", "the counter after opening")
    for vuota in ("Risposta scelta", "Esito", "Tempo parziale in secondi", "Tempo totale in secondi"):
        verifica(f.testo(vuota) == "", "%s is not empty after opening" % vuota)

    clicca(f.pulsante("10"))
    attendi(lambda: f.testo("Risposta scelta") == "10", "the chosen answer")
    nello_stato(f, "scelta")
    p.nomi_cambiati.clear()
    clicca(f.pulsante("Verifica"))
    nello_stato(f, "verificata")
    atteso = ESATTO if CATALOGO_MULTIPLI[domanda] == "10" else ERRATO
    verifica(f.testo("Esito") == atteso, "verdict %r, expected %r" % (f.testo("Esito"), atteso))
    verifica(f.testo("Tempo parziale in secondi").isdigit(), "the partial time")
    verifica(f.testo("Tempo totale in secondi") == f.testo("Tempo parziale in secondi"), "the total time")
    # Assistive technology is told of the verdict without being asked.
    attendi(lambda: any(d == "Esito" for d, _ in p.nomi_cambiati), "a name-changed event for the verdict")

    p.nomi_cambiati.clear()
    clicca(f.pulsante("Visualizza nuova domanda"))
    nello_stato(f, "attesa")
    verifica(f.testo("Numero della domanda") == "2", "the counter after the next question")
    verifica(f.testo("Risposta scelta") == "" and f.testo("Esito") == "", "answer and verdict cleared")
    verifica(f.testo("Domanda") in CATALOGO_MULTIPLI, "the next question")
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
        giusta = CATALOGO_MULTIPLI[f.testo("Domanda")]
        scelta = giusta if numero % 3 else RISPOSTE[(RISPOSTE.index(giusta) + 1) % len(RISPOSTE)]
        clicca(f.pulsante(scelta))
        attendi(lambda: f.testo("Risposta scelta") == scelta, "the chosen answer at question %d" % numero)
        clicca(f.pulsante("Verifica"))
        attendi(lambda: f.testo("Esito"), "the verdict at question %d" % numero)
        atteso = ESATTO if scelta == giusta else ERRATO
        verifica(f.testo("Esito") == atteso, "verdict %r at question %d" % (f.testo("Esito"), numero))
        somma += int(f.testo("Tempo parziale in secondi"))
        verifica(f.testo("Tempo totale in secondi") == str(somma), "the total at question %d" % numero)
        if numero < 96:
            nello_stato(f, "verificata")
            aziona(f.pulsante("Visualizza nuova domanda"))
            attendi(lambda: f.testo("Numero della domanda") == str(numero + 1), "question %d" % (numero + 1))
    nello_stato(f, "finita")
    aziona(f.pulsante("Ricomincia"))
    nello_stato(f, "attesa")
    verifica(f.testo("Numero della domanda") == "1", "the counter after Ricomincia")
    verifica(f.testo("Tempo totale in secondi") == str(somma), "the total after Ricomincia")


def fine_e_riapertura(p):
    menu = p.finestra(TITOLO_MENU)
    f = apri_multipli(p, menu)
    clicca(f.pulsante("F i n e"))
    p.chiusa(TITOLO_MULTIPLI)
    f = apri_multipli(p, menu, reale=False)
    nello_stato(f, "attesa dopo l'apertura")
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


def esci_dal_menu(p):
    menu = p.finestra(TITOLO_MENU)
    file = [m for m in pyatspi.findAllDescendants(menu.frame, lambda a: a.getRole() == pyatspi.ROLE_MENU_ITEM)
            if m.name == "File"][0]
    clicca(file)
    esci = attendi(lambda: [m for m in pyatspi.findAllDescendants(file, lambda a: a.name == "Esci") if visibile(m)],
                   "the menu item Esci")[0]
    clicca(esci)
    p.esce_con(0)


def esci_dal_pulsante(p):
    menu = p.finestra(TITOLO_MENU)
    clicca(menu.pulsante("E S C I"))
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
}


def main():
    programma, scenario = sys.argv[1], sys.argv[2]
    inizio = time.monotonic()
    p = None
    try:
        p = Programma(programma)
        SCENARI[scenario](p)
    except Fallito as errore:
        print("FAIL %s: %s" % (scenario, errore))
        return 1
    finally:
        if p:
            p.termina()
    print("PASS %s (%.1f s)" % (scenario, time.monotonic() - inizio))
    return 0


if __name__ == "__main__":
    sys.exit(main())
