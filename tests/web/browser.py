"""The browsers the program built for the browser is tested and measured in, against a static
server on 127.0.0.1: Chromium (headless, through WebDriver), Firefox ESR (on an X server of its
own, through firefox.mjs) and WebKitGTK's MiniBrowser (on an X server of its own, through
WebDriver). Each engine is driven through the same small set of operations, so that one scenario
runs in all three."""

import base64
import contextlib
import functools
import gzip
import http.server
import json
import os
import select
import shutil
import socket
import subprocess
import tempfile
import sys
import threading

from selenium import webdriver
from selenium.webdriver.chrome.service import Service as ChromeService
from selenium.common.exceptions import NoSuchElementException, WebDriverException
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.actions.action_builder import ActionBuilder
from selenium.webdriver.common.actions.wheel_input import ScrollOrigin
from selenium.webdriver.common.keys import Keys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from verifiche import piega  # noqa: E402

MOTORI = ("chromium", "firefox", "webkit")
# The engines whose driver reads no console: their pages are served with ASCOLTO.
SENZA_CONSOLE = {"webkit"}
# The engines whose page's live region Orca does not say: Orca 43 reads WebKitGTK with a script
# that follows no live region, and WebKitGTK tells of no change to one.
SENZA_REGIONE_VIVA = {"webkit"}
QUI = os.path.dirname(os.path.abspath(__file__))


class Saltato(Exception):
    """What this engine or its driver cannot do, said in the message."""


# Where a driver cannot read the console, the page keeps what it reports as an error, from its
# first line on: uncaught exceptions, rejected promises, console.error (the program's own stderr
# among them) and resources that failed to load. Qt 6.4 asks at start for the clipboard's
# permissions under names that WebKit does not know, and leaves the two refusals unhandled: those,
# and only those, are not errors of the page's.
ASCOLTO = """window.__errori = [];
if (navigator.permissions) {
  const chiedi = navigator.permissions.query.bind(navigator.permissions);
  navigator.permissions.query = d => chiedi(d).catch(e => { e.permesso = d && d.name; throw e; });
}
addEventListener("error", e => __errori.push(e.message || "failed to load " + (e.target.src || e.target.href)), true);
addEventListener("unhandledrejection", e => {
  if (!["clipboard-read", "clipboard-write"].includes(e.reason && e.reason.permesso))
    __errori.push("unhandled rejection: " + ((e.reason && e.reason.stack) || e.reason));
});
console.error = (...parti) => __errori.push(parti.join(" "));
"""

# Under a security policy, the page counts what the policy refused, from its first line on.
VIOLAZIONI = """window.__violazioni = [];
document.addEventListener("securitypolicyviolation",
  e => __violazioni.push(e.violatedDirective + " " + (e.blockedURI || "") + " " + (e.sourceFile || "") + ":" + e.lineNumber));
"""

# What the page gives the browser's speech synthesis to say, with its language, from its first
# line on.
VOCE = """window.__detti = [];
if (window.speechSynthesis) {
  const parla = speechSynthesis.speak.bind(speechSynthesis);
  speechSynthesis.speak = u => { __detti.push({testo: u.text, lingua: u.lang}); return parla(u); };
}
"""

# What the tests add to the site's pages, as a script of the site itself (a page under a policy
# runs no script written into it).
SPIA = "/__spia.js"

# The page a school or a course puts the program in: a line of its own, then the program in a frame
# of 900 x 640, the size that shows the whole program.
OSPITE = """<!doctype html>
<html lang="it"><head><meta charset="utf-8"><title>Classe terza: matematica</title></head>
<body style="margin: 0; font: 16px sans-serif">
<p style="margin: 0; height: 40px"><a id="prima" href="#">Compiti della settimana</a></p>
<iframe src="%s" width="900" height="640" style="border: 0; display: block" title="Misure di capacità"></iframe>
</body></html>
"""


class _Silenzioso(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *argomenti):
        pass

    def guess_type(self, percorso):
        for fine, tipo in self.server.tipi.items():
            if percorso.endswith(fine):
                return tipo
        return super().guess_type(percorso)

    def end_headers(self):
        if self.server.politica:
            self.send_header("Content-Security-Policy", self.server.politica)
        super().end_headers()

    def do_GET(self):
        percorso = self.path.split("?", 1)[0]
        self.server.richieste.append(percorso)
        if self.server.ospite and percorso == "/":
            self._invia((OSPITE % self.server.ospite).encode(), "text/html; charset=utf-8")
            return
        if percorso == SPIA and self.server.spia:
            self._invia(self.server.spia.encode(), "text/javascript")
            return
        guasti = self.server.guasti.get(percorso)
        if guasti:
            self._guasto(guasti.pop(0))
            return
        pagina = self.translate_path(percorso + ("index.html" if percorso.endswith("/") else ""))
        if self.server.spia and pagina.endswith(".html") and os.path.isfile(pagina):
            with open(pagina, "rb") as f:
                testo = f.read()
            if b"<head>" not in testo:
                self.send_error(500, "no <head> to put the test's script in")
                return
            spia = b'<head><script src="%s"></script>' % SPIA.encode()
            self._invia(testo.replace(b"<head>", spia, 1), "text/html; charset=utf-8")
            return
        if self.server.compressi is not None and "gzip" in self.headers.get("Accept-Encoding", "") \
                and os.path.isfile(pagina):
            # As a school's web server sends the site: compressed once, then from memory.
            if pagina not in self.server.compressi:
                with open(pagina, "rb") as f:
                    self.server.compressi[pagina] = gzip.compress(f.read(), 9)
            self._invia(self.server.compressi[pagina], self.guess_type(pagina), "gzip")
            return
        super().do_GET()

    def _guasto(self, guasto):
        """A line that drops half way through the file ("a metà"), or an HTTP error (a number)."""
        if guasto != "a metà":
            self.send_error(guasto)
            return
        with open(self.translate_path(self.path.split("?", 1)[0]), "rb") as f:
            corpo = f.read()
        self.send_response(200)
        self.send_header("Content-Type", self.guess_type(self.path))
        self.send_header("Content-Length", str(len(corpo)))
        self.end_headers()
        self.wfile.write(corpo[:len(corpo) // 2])
        self.wfile.flush()
        self.close_connection = True
        self.connection.shutdown(socket.SHUT_RDWR)

    def _invia(self, corpo, tipo, codifica=None):
        self.send_response(200)
        self.send_header("Content-Type", tipo)
        if codifica:
            self.send_header("Content-Encoding", codifica)
        self.send_header("Content-Length", str(len(corpo)))
        self.end_headers()
        self.wfile.write(corpo)


class Server:
    """Python's own static server on a free port of indirizzo (127.0.0.1), serving one folder; with
    ascolto, its pages keep their own errors (see ASCOLTO); with compresso, files go
    gzip-compressed to a browser that accepts it; tipi gives the type files are sent as by the end
    of their names; politica is the Content-Security-Policy sent with every file, and its pages
    count what it refuses (see VIOLAZIONI); guasti gives, by path, what goes wrong with that file's
    next requests, in turn (see _guasto); ospite makes it the server of a page of another site that
    holds that address in a frame (see OSPITE); with voce, its pages keep what they say (see
    VOCE)."""

    def __init__(self, cartella, ascolto=False, compresso=False, tipi=None, politica=None, guasti=None,
                 ospite=None, indirizzo="127.0.0.1", voce=False):
        gestore = functools.partial(_Silenzioso, directory=cartella)
        self._server = http.server.ThreadingHTTPServer((indirizzo, 0), gestore)
        self._server.spia = (ASCOLTO if ascolto else "") + (VIOLAZIONI if politica else "") + (VOCE if voce else "")
        self._server.tipi = tipi or {}
        self._server.politica = politica
        self._server.guasti = {k: list(v) for k, v in (guasti or {}).items()}
        self._server.ospite = ospite
        self._server.compressi = {} if compresso else None
        # The paths asked for, in order.
        self._server.richieste = self.richieste = []
        self.url = "http://%s:%d/" % (indirizzo, self._server.server_address[1])
        self._filo = threading.Thread(target=self._server.serve_forever, daemon=True)
        self._filo.start()

    def ferma(self):
        self._server.shutdown()
        self._server.server_close()


class _WebDriver:
    """An engine behind Selenium's WebDriver client."""

    def __init__(self, driver):
        self.driver = driver
        self._cornice = False

    def vai(self, url):
        self.driver.get(url)

    def ricarica(self):
        self.driver.refresh()

    def cornice(self, dentro):
        """From now on, scripts and elements are those of the page in the top page's frame (dentro)
        or of the top page itself; the pointer, the keys and the pictures are always the top
        page's."""
        self._cornice = dentro

    @contextlib.contextmanager
    def _nella_pagina(self):
        if self._cornice:
            self.driver.switch_to.frame(self.driver.find_element("tag name", "iframe"))
        try:
            yield
        finally:
            if self._cornice:
                self.driver.switch_to.default_content()

    def esegui(self, corpo):
        """Runs a function body in the page and returns what it returns; a promise is awaited."""
        with self._nella_pagina():
            esito = self.driver.execute_async_script(
                "const fatto = arguments[arguments.length - 1];"
                "Promise.resolve((function () {%s})()).then(fatto, e => fatto({rifiutata: String(e)}));" % corpo)
        if isinstance(esito, dict) and set(esito) == {"rifiutata"}:
            raise RuntimeError("%s: %s" % (self.nome, esito["rifiutata"]))
        return esito

    def schermata(self):
        return self.driver.get_screenshot_as_png()

    def puntatore(self, x, y, *passi):
        """Moves the mouse to x, y of the page, then "click", "pointer_down" or "pointer_up"."""
        azioni = ActionBuilder(self.driver)
        puntatore = azioni.pointer_action.move_to_location(x, y)
        for passo in passi:
            getattr(puntatore, passo)()
        azioni.perform()

    def dimensiona(self, larghezza, altezza):
        """Gives the page itself, not the browser's window around it, this size in CSS pixels."""
        bordo = self.driver.execute_script("return [outerWidth - innerWidth, outerHeight - innerHeight];")
        self.driver.set_window_size(larghezza + bordo[0], altezza + bordo[1])

    def ingrandisci(self, fattore, larghezza, altezza):
        """The page as the browser's zoom at fattore shows it on a screen of larghezza x altezza
        device pixels: that many times fewer CSS pixels, each of fattore device pixels. Gives
        False where the driver can only make the page that small, each CSS pixel one device pixel."""
        self.dimensiona(larghezza // fattore, altezza // fattore)
        return False

    def trascina(self, x, y, a_y):
        """A finger put down at x, y and slid to x, a_y in five steps."""
        self.tocca("touchStart", x, y)
        for passo in range(1, 6):
            self.tocca("touchMove", x, y + (a_y - y) * passo // 5)
        self.tocca("touchEnd", x, a_y)

    def rotella(self, x, y, dx, dy):
        """Turns the mouse's wheel over x, y of the page by dx, dy pixels."""
        ActionChains(self.driver).scroll_from_origin(ScrollOrigin.from_viewport(x, y), dx, dy).perform()

    def clicca_elemento(self, ident):
        with self._nella_pagina():
            self.driver.find_element("id", ident).click()

    def premi_tasto(self, tasto):
        """Presses and releases a key ("Tab", "Enter") on whatever has the page's focus."""
        ActionChains(self.driver).send_keys(getattr(Keys, tasto.upper(), tasto)).perform()

    def accessibili(self):
        """What a screen reader finds in the page: (role, name) of every node of the engine's
        accessibility tree that it does not ignore, texts as ("text", their text)."""
        return [(ruolo, nome) for ruolo, nome, _ in self._albero()]

    def attiva_accessibile(self, ruolo, nome):
        """Activates the node of that role and name as a screen reader does; False if none."""
        nodo = next((n for r, m, n in self._albero() if (r, m) == (ruolo, piega(nome))), None)
        if nodo is not None:
            self._clicca(nodo)
        return nodo is not None


class _Chromium(_WebDriver):
    nome = "chromium"

    def ingrandisci(self, fattore, larghezza, altezza):
        # DevTools' device metrics are what the zoom does to a page: its size and its pixel ratio.
        self.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
            "width": larghezza // fattore, "height": altezza // fattore, "deviceScaleFactor": fattore,
            "mobile": False})
        return True

    def tocca(self, tipo, x, y):
        punti = [] if tipo == "touchEnd" else [{"x": x, "y": y, "id": 1}]
        self.driver.execute_cdp_cmd("Input.dispatchTouchEvent", {"type": tipo, "touchPoints": punti})

    def errori(self):
        """What the page logged as an error since the last call, a failed request included."""
        return [voce["message"] for voce in self.driver.get_log("browser") if voce["level"] == "SEVERE"]

    def _clicca(self, nodo):
        oggetto = self.driver.execute_cdp_cmd("DOM.resolveNode", {"backendNodeId": nodo})["object"]["objectId"]
        self.driver.execute_cdp_cmd("Runtime.callFunctionOn",
                                    {"objectId": oggetto, "functionDeclaration": "function () { this.click(); }"})

    def _albero(self):
        self.driver.execute_cdp_cmd("Accessibility.enable", {})
        nodi = self.driver.execute_cdp_cmd("Accessibility.getFullAXTree", {})["nodes"]
        ruoli = {"StaticText": "text"}
        return [(ruoli.get(n["role"]["value"], n["role"]["value"]), piega(n.get("name", {}).get("value", "")),
                 n.get("backendDOMNodeId")) for n in nodi if not n.get("ignored")]

    def installabile(self):
        """The manifest's address and errors, and what keeps the site from installing as an app."""
        manifesto = self.driver.execute_cdp_cmd("Page.getAppManifest", {})
        ostacoli = self.driver.execute_cdp_cmd("Page.getInstallabilityErrors", {})["installabilityErrors"]
        return manifesto["url"], manifesto["errors"], ostacoli


class _WebKit(_WebDriver):
    """Its driver reads no console: the page is served with ASCOLTO, and what it kept is read
    before it goes."""

    nome = "webkit"

    def __init__(self, driver):
        super().__init__(driver)
        self._errori = []

    def _raccogli(self):
        try:
            self._errori += self.esegui("return window.__errori ? __errori.splice(0) : [];")
        except NoSuchElementException:
            pass  # no page in the frame yet

    def vai(self, url):
        self._raccogli()
        super().vai(url)

    def ricarica(self):
        self._raccogli()
        super().ricarica()

    def tocca(self, tipo, x, y):
        raise Saltato("WebKitGTK's WebDriver is built without touch actions")

    def rotella(self, x, y, dx, dy):
        raise Saltato("WebKitGTK's WebDriver scrolls the page to the distance given, with no wheel event")

    def errori(self):
        self._raccogli()
        errori, self._errori = self._errori, []
        return errori

    def installabile(self):
        raise Saltato("WebKit tells WebDriver nothing of a site's installability")

    def _clicca(self, elemento):
        self.driver.execute_script("arguments[0].click();", elemento)

    def _albero(self):
        # WebDriver's computed role and label of each element; the driver names no text nodes,
        # so a generic element's text is what it shows.
        albero = []
        for e, testo in self.driver.execute_script(
                "return [...document.querySelectorAll('body *')].filter(e => e.checkVisibility())"
                ".map(e => [e, e.children.length ? '' : e.textContent]);"):
            try:
                ruolo, nome = e.aria_role, e.accessible_name
            except WebDriverException:
                continue
            if ruolo == "generic" and not nome and testo:
                ruolo, nome = "text", testo
            albero.append((ruolo, piega(nome), e))
        return albero


class _Firefox:
    """Firefox ESR through firefox.mjs, one request at a time."""

    nome = "firefox"

    def __init__(self, processo):
        self._processo = processo

    def _chiedi(self, comando, *argomenti):
        self._processo.stdin.write(json.dumps({"comando": comando, "argomenti": argomenti}) + "\n")
        self._processo.stdin.flush()
        riga = self._processo.stdout.readline()
        if not riga:
            raise RuntimeError("the Firefox driver ended")
        risposta = json.loads(riga)
        if "errore" in risposta:
            raise RuntimeError("Firefox: " + risposta["errore"])
        return risposta["esito"]

    def __getattr__(self, comando):
        return functools.partial(self._chiedi, comando)

    def schermata(self):
        return base64.b64decode(self._chiedi("schermata"))

    def installabile(self):
        raise Saltato("Firefox tells its driver nothing of a site's installability")

    def trascina(self, x, y, a_y):
        raise Saltato("the touches its driver makes do not pan even a plain page")

    def premi_tasto(self, tasto):
        if tasto != "Tab":
            raise Saltato("Firefox's driver sends keys that move the focus but do not activate a focused button")
        self._chiedi("premi_tasto", tasto)

    def accessibili(self):
        return [(ruolo, piega(nome)) for ruolo, nome in self._chiedi("accessibili")]

    def attiva_accessibile(self, ruolo, nome):
        return self._chiedi("attiva_accessibile", ruolo, piega(nome))


@contextlib.contextmanager
def xvfb():
    """An X server of its own, larger than any page the tests ask for; gives its display's name."""
    lettura, scrittura = os.pipe()
    server = subprocess.Popen(["Xvfb", "-displayfd", str(scrittura), "-screen", "0", "1600x1200x24",
                               "-nolisten", "tcp", "-noreset"], pass_fds=(scrittura,), stderr=subprocess.DEVNULL)
    os.close(scrittura)
    try:
        if not select.select([lettura], [], [], 20)[0]:
            raise RuntimeError("Xvfb did not start")
        yield ":" + os.read(lettura, 16).decode().strip()
    finally:
        os.close(lettura)
        server.terminate()
        server.wait()


@contextlib.contextmanager
def apri(motore="chromium", larghezza=1024, altezza=768, scala=1, senza_webgl=False, lettore=False, voce=None):
    """A browser of the given engine with a page of the given size, WebGL drawn in software (or
    none), a profile of its own that goes with it, and no connection anywhere but where it is
    sent. With lettore, on the caller's X server (DISPLAY) and accessibility bus, where a screen
    reader reads it. With voce, the address of a speech server, the browser speaks through it where
    it speaks through speech-dispatcher."""
    with contextlib.ExitStack() as pila:
        if voce:
            pila.enter_context(_ambiente(SPEECHD_ADDRESS=voce))
        cartella = tempfile.mkdtemp(prefix="capacita-%s-" % motore)
        pila.callback(shutil.rmtree, cartella, ignore_errors=True)
        if motore == "chromium":
            m = _Chromium(_chromium(cartella, larghezza, altezza, scala, senza_webgl, lettore, bool(voce)))
        elif motore == "webkit":
            schermo = os.environ["DISPLAY"] if lettore else pila.enter_context(xvfb())
            m = _WebKit(_webkit(cartella, schermo, senza_webgl, lettore))
        else:
            schermo = os.environ["DISPLAY"] if lettore else pila.enter_context(xvfb())
            m = _Firefox(pila.enter_context(_firefox(schermo, larghezza, altezza, senza_webgl, lettore)))
        if motore != "firefox":
            pila.callback(m.driver.quit)
            m.driver.set_script_timeout(600)
            m.dimensiona(larghezza, altezza)
        yield m


@contextlib.contextmanager
def _ambiente(**variabili):
    """This process's environment, which the browsers and their drivers take, with variabili set."""
    prima = {k: os.environ.get(k) for k in variabili}
    os.environ.update(variabili)
    try:
        yield
    finally:
        for k, v in prima.items():
            if v is None:
                os.environ.pop(k)
            else:
                os.environ[k] = v


def _chromium(profilo, larghezza, altezza, scala, senza_webgl, lettore=False, voce=False):
    opzioni = webdriver.ChromeOptions()
    opzioni.binary_location = "/usr/bin/chromium"
    # For a screen reader: a window of its own, the page's accessibility on from the start, and no
    # offer to translate the page, whose bubble would take the keyboard.
    modo = ("--force-renderer-accessibility", "--disable-features=Translate") if lettore else ("--headless=new",)
    for argomento in (*modo, "--no-sandbox", "--use-gl=angle", "--use-angle=swiftshader",
                      "--enable-unsafe-swiftshader", "--no-first-run", "--disable-background-networking",
                      "--disable-component-update", "--disable-sync", "--disable-quic",
                      "--disable-default-apps", "--disable-extensions", "--hide-scrollbars",
                      "--window-size=%d,%d" % (larghezza, altezza),
                      "--force-device-scale-factor=%s" % scala, "--user-data-dir=" + profilo,
                      *(("--disable-webgl",) if senza_webgl else ()),
                      *(("--enable-speech-dispatcher",) if voce else ())):
        opzioni.add_argument(argomento)
    opzioni.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    return webdriver.Chrome(service=ChromeService("/usr/bin/chromedriver"), options=opzioni)


def _webkit(cartella, schermo, senza_webgl, lettore=False):
    opzioni = webdriver.WebKitGTKOptions()
    opzioni.binary_location = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser"
    # For a screen reader, the page fills the screen: no toolbar to Tab through first.
    for argomento in ("--automation", "--enable-webgl=%s" % ("false" if senza_webgl else "true"),
                      *(("--full-screen",) if lettore else ())):
        opzioni.add_argument(argomento)
    # The driver, and the browser it starts, take this process's environment: the X server, and a
    # home of the browser's own for what it keeps.
    with _ambiente(DISPLAY=schermo, HOME=cartella, XDG_CACHE_HOME=cartella, XDG_DATA_HOME=cartella,
                   XDG_CONFIG_HOME=cartella):
        return webdriver.WebKitGTK(executable_path="/usr/bin/WebKitWebDriver", options=opzioni)


@contextlib.contextmanager
def _firefox(schermo, larghezza, altezza, senza_webgl, lettore=False):
    ambiente = dict(os.environ, DISPLAY=schermo, **({"GNOME_ACCESSIBILITY": "1"} if lettore else {}))
    processo = subprocess.Popen(
        ["node", os.path.join(QUI, "firefox.mjs"),
         json.dumps({"larghezza": larghezza, "altezza": altezza, "senzaWebgl": senza_webgl})],
        stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True, env=ambiente)
    try:
        yield processo
    finally:
        processo.stdin.close()
        try:
            processo.wait(30)
        except subprocess.TimeoutExpired:
            processo.kill()
            processo.wait()
