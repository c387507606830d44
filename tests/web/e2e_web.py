#!/usr/bin/python3
"""End-to-end scenarios of the site in a browser: real pointer and touch events at the
controls' places in the layout, the program's state read from the page's pixels (Qt 6.4 gives the
browser no accessibility tree to read). The same scenarios run in Chromium, Firefox and WebKit.

Usage: e2e_web.py SITE_FOLDER SCENARIO [ENGINE]. ENGINE is chromium (the default), firefox or
webkit. The site is served from 127.0.0.1; pictures of the windows go to the folder
CAPACITA_WEB_PICTURES names, if it names one. A scenario the engine or its driver cannot run exits
with 77 and says why."""

import io
import json
import os
import shutil
import sys
import tempfile
import time

from PIL import Image

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import browser  # noqa: E402
from catalogo import CATALOGO_MULTIPLI, ERRATO_A_VOCE, ESATTO_A_VOCE, detta_nel_catalogo  # noqa: E402
from orca import Orca, Orecchio, pagine_web, strada_a_orecchio  # noqa: E402
from programma import px, rettangolo  # noqa: E402
from voce import ServerVoce  # noqa: E402
from verifiche import Fallito, attendi, piega, verifica  # noqa: E402

MENU = (255, 192, 255)
QUIZ = (255, 224, 192)
INFO = (192, 255, 255)
ARANCIO = (255, 128, 0)
RISPOSTA = (255, 192, 192)


def centro(r):
    return r[0] + r[2] // 2, r[1] + r[3] // 2


# The places the scenarios click and read, from the layouts.
COMMAND1 = rettangolo(4590, 3060, 4770, 705)       # IL LITRO E I SUOI MULTIPLI
COMMAND2 = rettangolo(4590, 4350, 4770, 705)       # IL LITRO E I SUOI  SOTTOMULTIPLI
COMMAND7 = rettangolo(4590, 6630, 6675, 315)       # Info
COMMAND9 = rettangolo(4590, 5700, 6690, 705)       # E S C I
RISPOSTA_10 = rettangolo(540, 6030, 1695, 525)
VERIFICA = rettangolo(540, 5070, 7785, 540)
OPERAZIONE = rettangolo(510, 5100, 7785, 540)      # Visualizza nuova domanda
FINE = rettangolo(8415, 5040, 3330, 540)
ESITO = rettangolo(540, 3630, 7785, 1320)
CONTATORE = (px(8505 + 975), px(5670 + 960), px(480), px(480))  # LblOperazione inside Frame2
MILLE_SOTTOMULTIPLI = rettangolo(510, 6930, 4275, 525)


class Pagina:
    def __init__(self, driver, url):
        self.d = driver
        self.url = url

    def apri(self):
        self.d.vai(self.url)
        self.menu = self.menu_pronto()

    def menu_pronto(self):
        """The main menu's client area, once the program runs and the page has settled (the
        loading panel has the menu's colour, and the first frame comes before the window is
        active, when a click can go astray)."""
        self.attendi(lambda: self.d.esegui("return !!window.capacita;"), "the program running", 60)
        self.assestata()
        return self.attendi(lambda: self.origine(MENU), "the main menu on the page")

    def assestata(self):
        """A picture of the page once two taken 0.2 s apart are the same."""
        return self.attendi(lambda: (lambda a: a.tobytes() == (time.sleep(0.2) or self.schermata()).tobytes() and a)(
            self.schermata()), "the page to settle")

    def schermata(self):
        return Image.open(io.BytesIO(self.d.schermata())).convert("RGB")

    def attendi(self, condizione, cosa, secondi=20):
        return attendi(condizione, cosa, secondi)

    def origine(self, sfondo, img=None):
        """Where the client area of the window painted in sfondo begins on the page: below the
        title and menu bars, right of any frame."""
        img = img or self.schermata()
        w, h = img.size
        x = 15
        y = next((y for y in range(h // 2) if img.getpixel((x, y)) == sfondo), None)
        if y is None:
            return None
        sinistra = next((x for x in range(w) if img.getpixel((x, y + 5)) == sfondo), 0)
        return sinistra, y

    def punto(self, origine, r):
        x, y = centro(r)
        return origine[0] + x, origine[1] + y

    def clicca(self, origine, r):
        self.d.puntatore(*self.punto(origine, r), "click")

    def premi(self, origine, r):
        self.d.puntatore(*self.punto(origine, r), "pointer_down")

    def rilascia_altrove(self, x, y):
        self.d.puntatore(x, y, "pointer_up")

    def conta(self, img, origine, r, colore):
        x0, y0 = origine[0] + r[0], origine[1] + r[1]
        return sum(1 for y in range(y0, y0 + r[3]) for x in range(x0, x0 + r[2]) if img.getpixel((x, y)) == colore)

    def ritaglio(self, img, origine, r):
        x0, y0 = origine[0] + r[0], origine[1] + r[1]
        return img.crop((x0, y0, x0 + r[2], y0 + r[3])).tobytes()

    def quiz(self):
        return self.attendi(lambda: self.origine(QUIZ), "a quiz window on the page")

    def terminato(self):
        return self.d.esegui(
            "return !document.getElementById('fine').hidden && getComputedStyle(document.getElementById('schermo')).visibility == 'hidden';")

    def salva(self, cartella, nome):
        """The page once it has settled (a control drawn pressed, say), for the pictures."""
        if cartella:
            os.makedirs(cartella, exist_ok=True)
            self.assestata().save(os.path.join(cartella, nome))


def riempie_la_pagina(p, cartella):
    img = p.schermata()
    w, h = img.size
    verifica((w, h) == tuple(p.d.esegui("return [innerWidth, innerHeight];")), "the screenshot is not the page")
    for x, y in ((w - 2, p.menu[1] + 2), (2, h - 2), (w - 2, h - 2)):
        verifica(img.getpixel((x, y)) == MENU, "the main menu does not reach %d,%d: %r" % (x, y, img.getpixel((x, y))))
    verifica(p.menu[0] == 0 and 10 < p.menu[1] < 60, "the main menu's client area starts at %r" % (p.menu,))
    p.salva(cartella, "menu.png")


def rispondi_e_verifica(p, quiz):
    """"10", then "Verifica": the verdict comes in orange."""
    p.clicca(quiz, RISPOSTA_10)
    time.sleep(0.3)
    p.clicca(quiz, VERIFICA)
    p.attendi(lambda: p.conta(p.schermata(), quiz, ESITO, ARANCIO) > 200, "the verdict in orange")


def strada_tipica(p, cartella):
    p.clicca(p.menu, COMMAND1)
    quiz = p.quiz()
    verifica(quiz[1] > p.menu[1], "the quiz window has no title bar above its menu bar")
    img = p.schermata()
    verifica(p.conta(img, quiz, ESITO, ARANCIO) == 0, "a verdict before any answer")
    contatore_1 = p.ritaglio(img, quiz, CONTATORE)
    p.salva(cartella, "multipli.png")
    rispondi_e_verifica(p, quiz)
    p.salva(cartella, "multipli-verificata.png")
    p.clicca(quiz, OPERAZIONE)
    p.attendi(lambda: p.conta(p.schermata(), quiz, ESITO, ARANCIO) == 0, "the verdict cleared")
    verifica(p.ritaglio(p.schermata(), quiz, CONTATORE) != contatore_1, "the counter did not move on")


def fine_e_riapertura(p, cartella):
    p.clicca(p.menu, COMMAND1)
    quiz = p.quiz()
    contatore_1 = p.ritaglio(p.schermata(), quiz, CONTATORE)
    rispondi_e_verifica(p, quiz)
    p.clicca(quiz, OPERAZIONE)
    p.attendi(lambda: p.ritaglio(p.schermata(), quiz, CONTATORE) != contatore_1, "question 2")
    # "F i n e" stands only before the first answer of a series: a new window shows it.
    p.apri()
    p.clicca(p.menu, COMMAND1)
    quiz = p.quiz()
    p.clicca(quiz, FINE)
    p.attendi(lambda: p.origine(QUIZ) is None and p.origine(MENU) == p.menu, "the main menu back")
    p.clicca(p.menu, COMMAND1)
    quiz = p.quiz()
    verifica(p.ritaglio(p.schermata(), quiz, CONTATORE) == contatore_1, "reopened, it does not start at question 1")


def sottomultipli(p, cartella):
    p.clicca(p.menu, COMMAND2)
    quiz = p.quiz()
    img = p.schermata()
    # The one wide "1000" button under the three columns is the submultiples window's own.
    mille = p.conta(img, quiz, MILLE_SOTTOMULTIPLI, RISPOSTA)
    verifica(mille > MILLE_SOTTOMULTIPLI[2] * MILLE_SOTTOMULTIPLI[3] // 2, "no wide 1000 button: %d" % mille)


def info_in_alto_al_centro(p, img):
    w = img.size[0]
    righe = [y for y in range(img.size[1] // 2) if img.getpixel((w // 2, y)) == INFO]
    if not righe:
        return None
    y = righe[0]
    sinistra = next(x for x in range(w) if img.getpixel((x, y)) == INFO)
    destra = max(x for x in range(w) if img.getpixel((x, y)) == INFO)
    return sinistra, destra, y


def controlla_info(p, img):
    posto = info_in_alto_al_centro(p, img)
    verifica(posto, "no information window at the top centre")
    sinistra, destra, y = posto
    w = img.size[0]
    verifica(abs((sinistra + destra) / 2 - w / 2) <= 2, "the information window is not centred: %r" % (posto,))
    verifica(abs((destra - sinistra + 1) - px(7215)) <= 12, "the information window is %d wide" % (destra - sinistra + 1))
    # Its frame stands 20 twips below the top of the page; below it come the title bar Qt draws
    # and then the client area.
    verifica(y <= 32, "the information window's client area starts %d pixels down" % y)


def info_mouse(p, cartella):
    p.premi(p.menu, COMMAND7)
    img = p.attendi(lambda: (lambda i: i if info_in_alto_al_centro(p, i) else None)(p.schermata()), "the information window")
    controlla_info(p, img)
    p.salva(cartella, "info.png")
    p.rilascia_altrove(20, img.size[1] - 20)
    p.attendi(lambda: not info_in_alto_al_centro(p, p.schermata()), "the information window to close")


def info_dito(p, cartella):
    x, y = p.punto(p.menu, COMMAND7)
    p.d.tocca("touchStart", x, y)
    img = p.attendi(lambda: (lambda i: i if info_in_alto_al_centro(p, i) else None)(p.schermata()), "the information window")
    controlla_info(p, img)
    p.d.tocca("touchMove", 20, img.size[1] - 20)
    p.d.tocca("touchEnd", 20, img.size[1] - 20)
    p.attendi(lambda: not info_in_alto_al_centro(p, p.schermata()), "the information window to close")


def riavvio(p):
    p.attendi(p.terminato, "the page to say the program has ended")
    testo = p.d.esegui("return document.getElementById('fine').innerText;")
    verifica("Il programma è terminato." in testo, "the page says %r" % testo)
    p.d.clicca_elemento("riavvia")
    p.menu = p.menu_pronto()


def file_esci(p, cartella):
    # File is the first item of the menu bar, at its top left; Esci the one item under it.
    p.clicca((0, 0), (5, 2, 20, p.menu[1] - 4))
    time.sleep(0.5)
    p.clicca((0, 0), (10, p.menu[1] + 4, 40, 16))
    riavvio(p)


def esci(p, cartella):
    p.clicca(p.menu, COMMAND9)
    riavvio(p)


def segue_la_pagina(p, cartella):
    """A page that changes size (a window resized, a tablet turned) is a screen that changes size:
    the windows follow it, the controls keep their places."""
    pulsante = p.ritaglio(p.schermata(), p.menu, COMMAND1)
    for larghezza, altezza in ((800, 600), (1280, 900)):
        p.d.dimensiona(larghezza, altezza)

        def seguita():
            img = p.schermata()
            return (img.size == (larghezza, altezza) and img.getpixel((larghezza - 3, altezza - 3)) == MENU
                    and p.origine(MENU, img) == p.menu and p.ritaglio(img, p.menu, COMMAND1) == pulsante)
        p.attendi(seguita, "the main menu filling %dx%d with its controls in place" % (larghezza, altezza))
    p.clicca(p.menu, COMMAND1)
    p.attendi(lambda: p.schermata().getpixel((1277, 897)) == QUIZ, "the quiz window filling the page")


def con_tab(d, nome):
    """Presses Tab until the button nome has the page's focus."""
    for _ in range(16):
        d.premi_tasto("Tab")
        if d.esegui("return document.activeElement.getAttribute('aria-label');") == nome:
            return
    raise Fallito("Tab never reached %r" % nome)


def lettore_di_schermo(p, cartella):
    """The typical road by the page's accessibility alone, as a screen reader and a keyboard walk
    it: controls found by role and name and activated, texts read, a button reached with Tab."""
    d = p.d
    pulsanti = lambda: {nome for ruolo, nome in d.accessibili() if ruolo == "button"}
    testi = lambda: [nome for ruolo, nome in d.accessibili() if ruolo == "text"]

    def attiva(nome, ruolo="button"):
        verifica(d.attiva_accessibile(ruolo, nome), "no %s named %r to activate" % (ruolo, nome))

    menu = {piega(n) for n in ("IL LITRO E I SUOI MULTIPLI", "IL LITRO E I SUOI  SOTTOMULTIPLI", "Esci", "Info")}
    p.attendi(lambda: menu <= pulsanti(), "the main menu's buttons, among %r" % pulsanti())
    attiva("IL LITRO E I SUOI MULTIPLI")
    # The question is read by its units' names; the answer's button is named by its symbol.
    risposta = p.attendi(lambda: next(filter(None, (detta_nel_catalogo(t, CATALOGO_MULTIPLI) for t in testi())), None),
                         "a question to read")
    verifica("Verifica" not in pulsanti(), "Verifica is offered before an answer")
    verifica(all(nome.strip() for nome in pulsanti()), "a button with no name: %r" % pulsanti())
    attiva(risposta)
    attiva("Verifica")
    p.attendi(lambda: ESATTO_A_VOCE in testi(), "the verdict %r" % ESATTO_A_VOCE)
    verifica(ERRATO_A_VOCE not in testi() and "Fine" not in pulsanti(),
             "a wrong verdict, or Fine after an answer")
    # The keyboard: Tab from wherever the page's focus is, along the program's own focus chain.
    con_tab(d, "Visualizza nuova domanda")
    try:
        d.premi_tasto("Enter")
    except browser.Saltato as motivo:
        print("not checked in %s: Enter on the focused button (%s)" % (d.nome, motivo))
        attiva("Visualizza nuova domanda")
    p.attendi(lambda: ESATTO_A_VOCE not in testi() and "Visualizza nuova domanda" not in pulsanti(),
              "the next question, the verdict cleared")
    # A new series in the other window, closed before its first answer.
    attiva("IL LITRO E I SUOI  SOTTOMULTIPLI")
    p.attendi(lambda: "Fine" in pulsanti(), "Fine in the submultiples window")
    attiva("Fine")
    p.attendi(lambda: "Fine" not in pulsanti(), "the submultiples window gone")
    attiva("Esci")
    p.attendi(p.terminato, "the page to say the program has ended")
    rimasti = [n for n in d.accessibili() if n[0] in ("button", "menuitem", "region") and n[1] != "Avvia di nuovo il programma"]
    verifica(not rimasti, "controls of the program left in the page: %r" % rimasti)


# The part of the page in sight: the browser's window without its scroll bars; and how far the
# page is scrolled.
IN_VISTA = "document.documentElement.clientWidth, document.documentElement.clientHeight"
POSIZIONE = "return [scrollX, scrollY];"


def ingrandita(p, cartella):
    """For pupils who see little: the page zoomed to 200 % and 400 % on a 1280 x 800 screen is
    larger than the browser's window, and every control is reached by the wheel, by Tab and, where
    the driver has touch, by a finger that pans the page; a control scrolled into sight works."""
    d = p.d
    senza_barre = "return document.documentElement.scrollWidth <= innerWidth && document.documentElement.scrollHeight <= innerHeight;"
    verifica(d.esegui(senza_barre), "a scroll bar at 100 %")

    def dove(ruolo, nome):
        """The rectangle of the front window's control of that role and name in the browser's
        window, and that window's width and height."""
        r = d.esegui(
            "const f = document.querySelector('#capacita-mirror > section');"
            "const e = f && [...f.querySelectorAll('[data-role=%s]')].find("
            "  e => (e.getAttribute('aria-label') ?? e.textContent) === %s);"
            "if (!e) return null; const r = e.getBoundingClientRect();"
            "return [r.left, r.top, r.right, r.bottom, %s];" % (ruolo, json.dumps(nome), IN_VISTA))
        verifica(r, "no %s %r in the front window" % (ruolo, nome))
        return r[:4], r[4:]

    def in_vista(ruolo, nome):
        """Whether all of the control is in sight, or all the window holds of it."""
        (x0, y0, x1, y1), (w, h) = dove(ruolo, nome)
        lato = lambda da, a, n: -1 <= da and a <= n + 1 if a - da <= n else da <= 1 and a >= n - 1
        return lato(x0, x1, w) and lato(y0, y1, h)

    def fuori_vista(ruolo, nome):
        p.attendi(lambda: d.esegui("scrollTo({left: 0, top: 0, behavior: 'instant'}); return scrollX + scrollY == 0;"),
                  "the page at its top left")
        verifica(not in_vista(ruolo, nome), "%r in sight without scrolling: nothing to prove" % nome)

    def con_la_rotella(ruolo, nome, dalla_fine=False):
        """From the page's top left, where the control is out of sight, or from its far end, the
        wheel brings the control's middle into sight, clear of the window's edges (where a browser
        may lay its scroll bars over the page) unless the page ends first. Gives that point."""
        if dalla_fine:
            d.esegui("scrollTo({left: 100000, top: 100000, behavior: 'instant'}); return 0;")
        else:
            fuori_vista(ruolo, nome)
        for _ in range(80):
            (x0, y0, x1, y1), (w, h) = dove(ruolo, nome)
            x, y = (x0 + x1) // 2, (y0 + y1) // 2
            passo = lambda c, n: (lambda m: max(-120, min(120, c - (n - m) if c > n - m else c - m if c < m else 0)))(min(30, n // 4))
            verso = passo(x, w), passo(y, h)
            if verso == (0, 0):
                return x, y
            prima = d.esegui(POSIZIONE)
            try:
                d.rotella(w // 2, h // 2, *verso)
            except browser.Saltato as motivo:
                if not senza_rotella:
                    print("not checked in %s: the wheel (%s); the page scrolled by script instead" % (d.nome, motivo))
                    senza_rotella.append(motivo)
                d.esegui("scrollBy(%d, %d); return 0;" % verso)
            # A wheel's scrolling may glide on a while: the next step is taken once it has stopped.
            try:
                attendi(lambda: (lambda a: a != prima and a == (time.sleep(0.1) or d.esegui(POSIZIONE)))(
                    d.esegui(POSIZIONE)), "", 2)
            except Fallito:
                # The page ends here.
                verifica(0 <= x < w and 0 <= y < h, "the wheel did not scroll the page to %r" % nome)
                return x, y
        raise Fallito("the wheel never brought %r into sight" % nome)

    senza_rotella = []

    def tab_in_vista(nome):
        fuori_vista("button", nome)
        con_tab(d, nome)
        verifica(in_vista("button", nome), "%r focused with Tab but out of sight" % nome)

    def davanti():
        return d.esegui("const f = document.querySelector('#capacita-mirror > section'); return f && f.getAttribute('aria-label');")

    for fattore in (2, 4):
        zoom = d.ingrandisci(fattore, 1280, 800)
        p.attendi(lambda: not d.esegui(senza_barre), "the page larger than the browser's window at %d %%" % (fattore * 100))
        print("%s at %d %%: %s" % (d.nome, fattore * 100, "zoomed" if zoom else "the page that small, its driver cannot zoom"))
        for nome in ("Esci", "Info"):
            con_la_rotella("button", nome)
            tab_in_vista(nome)
        try:
            # A finger on the main menu's surface (its left edge, which no control reaches) pans
            # the page.
            fuori_vista("button", "Info")
            h = d.esegui("return document.documentElement.clientHeight;")
            d.trascina(5, h * 3 // 4, h // 4)
            p.attendi(lambda: d.esegui("return scrollY;") > 0, "a finger on the surface to pan the page")
        except browser.Saltato as motivo:
            print("not checked in %s: a finger panning the page (%s)" % (d.nome, motivo))
        try:
            # A finger held on "Info" holds it.
            x, y = con_la_rotella("button", "Info")
            d.tocca("touchStart", x, y)
            p.attendi(lambda: davanti() == "INFO", "the information window under a finger held on Info")
            d.tocca("touchEnd", 0, 0)
            p.attendi(lambda: davanti() != "INFO", "the information window gone with the finger")
        except browser.Saltato as motivo:
            print("not checked in %s: fingers (%s)" % (d.nome, motivo))
        d.puntatore(*con_la_rotella("button", "IL LITRO E I SUOI MULTIPLI", dalla_fine=True), "click")
        p.attendi(lambda: "I MULTIPLI" in (davanti() or ""), "the multiples window")
        for nome in ("10", "100", "1000", "l", "dal", "hl"):
            con_la_rotella("button", nome)
            tab_in_vista(nome)
        con_la_rotella("text", "Clicca sul pulsante esatto")
        if fattore == 2:
            d.puntatore(*con_la_rotella("button", "Fine"), "click")
            p.attendi(lambda: "I MULTIPLI" not in (davanti() or ""), "the multiples window gone")
    d.puntatore(*con_la_rotella("button", "dal"), "click")
    p.attendi(lambda: d.esegui("return [...document.querySelectorAll('#capacita-mirror > section [data-role=text]')]"
                               ".some(e => e.textContent === 'decalitro');"), "the answer dal on screen")
    d.ingrandisci(1, 1280, 800)
    p.attendi(lambda: d.esegui(senza_barre), "no scroll bar back at 100 %")


# Engines that have an Italian voice here: Chromium and Firefox through speech-dispatcher (the
# test's own), WebKitGTK only flite's English voices.
CON_VOCE_ITALIANA = {"chromium", "firefox"}


def detti(p):
    return p.d.esegui("return window.__detti;")


def con_la_voce(p, cartella):
    """Read-aloud in the page: without "?voce" nothing is given to the browser's speech synthesis;
    with it, the question as the window opens (in the spoken form, in Italian), the caption of the
    button the pointer rests on, the chosen answer and the verdict, where the engine has an Italian
    voice, and nothing where it has none; the road
    works either way."""
    for indirizzo in (p.url, p.url + "?voce"):
        p.url = indirizzo
        p.apri()
        p.clicca(p.menu, COMMAND1)
        quiz = p.quiz()
        if indirizzo.endswith("?voce") and p.d.nome in CON_VOCE_ITALIANA:
            domanda = p.attendi(lambda: next((d["testo"] for d in detti(p) if detta_nel_catalogo(d["testo"], CATALOGO_MULTIPLI)), None),
                                "the question said")
            # The pointer rests on "F i n e": its caption is said.
            p.d.puntatore(*p.punto(quiz, FINE))
            p.attendi(lambda: [d["testo"] for d in detti(p)][-1:] == ["Fine"], "the caption the pointer rests on")
            rispondi_e_verifica(p, quiz)
            atteso = ESATTO_A_VOCE if detta_nel_catalogo(domanda, CATALOGO_MULTIPLI) == "10" else ERRATO_A_VOCE
            p.attendi(lambda: [d["testo"] for d in detti(p)][-2:] == ["10", atteso], "the answer and the verdict said")
            verifica([d["testo"] for d in detti(p)].count("Fine") == 1, "the caption said again: %r" % detti(p))
            lingue = {d["lingua"] for d in detti(p)}
            verifica(all(l.lower().startswith("it") for l in lingue), "said in %r" % lingue)
            # Both engines speak through speech-dispatcher here: the same texts reach it, in Italian.
            for dopo, testo in enumerate((domanda, "Fine", "10", atteso)):
                p.voce.attendi(lambda t: t == testo, repr(testo), dopo)
            print("%s said, and its speech server was given: %s" % (p.d.nome, " | ".join(t for _, t in p.voce.detti())))
        else:
            rispondi_e_verifica(p, quiz)
            time.sleep(1)
            verifica(not detti(p), "said at %s: %r" % (indirizzo, detti(p)))


SCENARI = {
    "fills-the-page": riempie_la_pagina,
    "typical-road": strada_tipica,
    "fine-and-reopen": fine_e_riapertura,
    "submultiples": sottomultipli,
    "info-mouse": info_mouse,
    "info-touch": info_dito,
    "file-esci": file_esci,
    "esci-button": esci,
    "follows-the-page": segue_la_pagina,
    "screen-reader": lettore_di_schermo,
}


# The text the page last put in its live region, if it is new since last asked.
REGIONE_NUOVA = """const riga = document.querySelector('#capacita-announcements > :last-child');
if (!riga || riga.dataset.letta) return null;
riga.dataset.letta = 'sì';
return riga.textContent;"""


def a_orecchio(p, cartella):
    """The drill by ear in the page, with Orca and the keyboard alone (see strada_a_orecchio): the
    keyboard enters the page with Tab, and File > "Esci" is reached with Tab and opened with Enter."""
    regione = (lambda: p.d.esegui(REGIONE_NUOVA)) if p.d.nome in browser.SENZA_REGIONE_VIVA else None
    o = Orecchio(p.orca, "", pagine_web, regione)
    o.cerca("IL LITRO E I SUOI MULTIPLI push button")

    def domanda_in_apertura(segno):
        return o.annuncio(segno, lambda t: detta_nel_catalogo(t, CATALOGO_MULTIPLI), "the question")

    def esci():
        p.orca.attendi(lambda t: t.startswith("File"), "the menu File", 15, o.premi("Tab"))
        o.sente("Esci", o.premi("Return"))
        o.premi("Return")
        p.attendi(p.terminato, "the page to say the program has ended")
    strada_a_orecchio(o, domanda_in_apertura, esci)


# The policy a school's server may send for every page of its site: only the site's own scripts,
# and WebAssembly compiled; nothing inline, nothing evaluated, nothing from elsewhere.
POLITICA_STRETTA = "default-src 'self'; script-src 'self' 'wasm-unsafe-eval'"


def sotto_politica(p, cartella):
    """The typical road on a site served under a strict security policy, which refuses nothing."""
    strada_tipica(p, cartella)
    violazioni = p.d.esegui("return window.__violazioni;")
    verifica(violazioni == [], "the policy refused: %r" % violazioni)


def in_una_cornice(p, cartella):
    """The program in a frame of a class's page on another site: Tab from the class's page enters
    it and reaches its buttons, where the screen reader's elements are; a finger and a click open a
    quiz window; "E S C I" ends it with the page's end inside the frame, the class's page around."""
    d = p.d
    d.cornice(False)
    d.esegui("document.getElementById('prima').focus();")
    d.cornice(True)
    con_tab(d, "IL LITRO E I SUOI MULTIPLI")
    pulsanti = d.esegui("return [...document.querySelectorAll('#capacita-mirror button')].map(b => b.getAttribute('aria-label'));")
    verifica("Info" in pulsanti and "Esci" in pulsanti, "the frame's page mirror holds %r" % pulsanti)
    try:
        x, y = p.punto(p.menu, COMMAND2)
        d.tocca("touchStart", x, y)
        d.tocca("touchEnd", x, y)
        quiz = p.quiz()
        p.clicca(quiz, FINE)
        p.attendi(lambda: p.origine(QUIZ) is None and p.origine(MENU) == p.menu, "the main menu back")
    except browser.Saltato as motivo:
        print("not checked in %s: a finger in the frame (%s)" % (d.nome, motivo))
    strada_tipica(p, cartella)
    p.apri()
    esci(p, cartella)
    d.cornice(False)
    ospite = d.esegui("return [location.hostname, document.querySelectorAll('iframe').length];")
    verifica(ospite == ["127.0.0.2", 1], "the class's page is gone: %r" % ospite)
    d.cornice(True)


MESSAGGIO_RETE = "Il programma non è arrivato per intero: controllare la rete e riprovare."


def linea_difettosa(p, cartella):
    """A first visit whose WebAssembly does not arrive, then is missing: the page says so in
    Italian with "Riprova", keeps nothing of the site, and the third try starts the program."""
    d = p.d
    d.vai(p.url)
    for tentativo in (1, 2):
        def interrotta():
            return (len([r for r in p.server.richieste if r == "/capacita.wasm"]) == tentativo and d.esegui(
                "const i = document.getElementById('interrotto');"
                "return !i.hidden && document.activeElement.id == 'riprova' && i.innerText;"))
        testo = p.attendi(interrotta, "the message of try %d" % tentativo, 60)
        verifica(MESSAGGIO_RETE in testo and "Riprova" in testo, "the page says %r" % testo)
        tenuti = d.esegui("return navigator.serviceWorker ? navigator.serviceWorker.getRegistrations().then(r => r.length) : 0;")
        verifica(tenuti == 0, "the site is kept after a failed visit")
        d.clicca_elemento("riprova")
    p.menu = p.menu_pronto()
    errori = d.errori()
    verifica(all("capacita.wasm" in e for e in errori), "errors besides the WebAssembly's: %r" % errori)
    strada_tipica(p, cartella)


def fuori_linea(sito, cartella, motore):
    """The browser finds the site installable as an app, where it tells, and the site's files kept
    at the first visit start the program with the server stopped."""
    server = browser.Server(sito, ascolto=motore in browser.SENZA_CONSOLE)
    with browser.apri(motore) as d:
        p = Pagina(d, server.url)
        p.apri()
        d.esegui("return navigator.serviceWorker.ready.then(() => true);")
        p.attendi(lambda: d.esegui("return !!navigator.serviceWorker.controller;") or d.ricarica(),
                  "the service worker to control the page", 30)
        try:
            manifesto, errori, ostacoli = d.installabile()
            verifica(manifesto.endswith("/manifest.json") and not errori, "the app manifest: %r %r" % (manifesto, errori))
            verifica(not ostacoli, "the site cannot be installed as an app: %r" % ostacoli)
        except browser.Saltato as motivo:
            print("not checked in %s: installable as an app (%s)" % (motore, motivo))
        server.ferma()
        p.apri()
        errori = d.errori()
        verifica(not [e for e in errori if "CONNECTION_REFUSED" not in e], "errors offline: %r" % errori)


def senza_webgl(sito, cartella, motore):
    """A browser without WebGL gets a plain Italian message, not a page that stays blank."""
    server = browser.Server(sito, ascolto=motore in browser.SENZA_CONSOLE)
    try:
        with browser.apri(motore, senza_webgl=True) as d:
            p = Pagina(d, server.url)
            d.vai(server.url)
            testo = p.attendi(lambda: d.esegui(
                "const a = document.getElementById('avviso'); return !a.hidden && a.innerText;"), "the message")
            verifica("WebGL non è disponibile" in testo, "the page says %r" % testo)
            # The service worker may keep the site's files for later; the page itself fetches nothing.
            verifica(not d.esegui("return performance.getEntriesByType('resource').some(e => e.name.endsWith('/capacita.wasm'));"),
                     "the program was fetched all the same")
    finally:
        server.ferma()


def scenario_in_pagina(sito, cartella, motore, scenario, lettore=False, schermo=(1024, 768), incorniciata=False,
                       apri=True, voce=False, **server):
    """With lettore, Orca reads the page (p.orca) in a browser with a window where it can. With
    incorniciata, the site is in a frame of a page of another site (see browser.OSPITE), served
    from 127.0.0.2. With voce, the browser speaks through a speech server of the test's own
    (p.voce), and the pages keep what they give it to say. server gives how the site is served (see
    browser.Server), p.server serves it. Unless apri is False, the scenario begins with the main
    menu on the page."""
    p_server = browser.Server(sito, ascolto=motore in browser.SENZA_CONSOLE, voce=voce, **server)
    ospite = browser.Server(sito, ospite=p_server.url, indirizzo="127.0.0.2") if incorniciata else None
    orca = Orca(os.environ["HOME"]) if lettore else None
    server_voce = ServerVoce(tempfile.mkdtemp(prefix="capacita-voce-")) if voce else None
    try:
        with browser.apri(motore, *schermo, lettore=lettore, voce=server_voce and server_voce.indirizzo) as d:
            p = Pagina(d, (ospite or p_server).url)
            p.orca = orca
            p.voce = server_voce
            p.server = p_server
            d.cornice(incorniciata)
            if apri:
                p.apri()
            scenario(p, cartella)
            errori = d.errori()
            verifica(not errori, "the console shows errors: %r" % errori)
    finally:
        if orca:
            orca.termina()
        if server_voce:
            server_voce.termina()
            shutil.rmtree(server_voce.cartella, ignore_errors=True)
        p_server.ferma()
        if ospite:
            ospite.ferma()


def main():
    sito, scenario = sys.argv[1], sys.argv[2]
    motore = sys.argv[3] if len(sys.argv) > 3 else "chromium"
    # Chromium's pictures stand beside those of the desktop builds, the other engines' below them.
    cartella = os.environ.get("CAPACITA_WEB_PICTURES")
    if cartella and motore != "chromium":
        cartella = os.path.join(cartella, motore)
    inizio = time.monotonic()
    try:
        if scenario == "offline-and-installable":
            fuori_linea(sito, cartella, motore)
        elif scenario == "without-webgl":
            senza_webgl(sito, cartella, motore)
        elif scenario == "by-ear":
            scenario_in_pagina(sito, cartella, motore, a_orecchio, lettore=True)
        elif scenario == "wasm-octet-stream":
            # A server that sends the WebAssembly with another type than WebAssembly's: the page
            # compiles it once it has all arrived, and the program runs as ever.
            scenario_in_pagina(sito, cartella, motore, sottomultipli, tipi={".wasm": "application/octet-stream"})
        elif scenario == "strict-policy":
            scenario_in_pagina(sito, cartella, motore, sotto_politica, politica=POLITICA_STRETTA)
        elif scenario == "embedded":
            scenario_in_pagina(sito, cartella, motore, in_una_cornice, incorniciata=True)
        elif scenario == "bad-line":
            # The first visit's WebAssembly: the line drops half way, then the server has lost it.
            scenario_in_pagina(sito, cartella, motore, linea_difettosa, apri=False,
                               guasti={"/capacita.wasm": ["a metà", 404]})
        elif scenario == "voce":
            scenario_in_pagina(sito, cartella, motore, con_la_voce, apri=False, voce=True)
        elif scenario == "zoom":
            scenario_in_pagina(sito, cartella, motore, ingrandita, schermo=(1280, 800))
        else:
            scenario_in_pagina(sito, cartella, motore, SCENARI[scenario])
    except browser.Saltato as motivo:
        print("SKIP %s in %s: %s" % (scenario, motore, motivo))
        return 77
    except Fallito as errore:
        print("FAIL %s in %s: %s" % (scenario, motore, errore))
        return 1
    print("PASS %s in %s (%.1f s)" % (scenario, motore, time.monotonic() - inizio))
    return 0


if __name__ == "__main__":
    sys.exit(main())
