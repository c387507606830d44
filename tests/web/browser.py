"""Headless Chromium against a static server on 127.0.0.1, for the tests and the benchmark of the
program built for the browser."""

import contextlib
import functools
import http.server
import shutil
import tempfile
import threading

from selenium import webdriver
from selenium.webdriver.chrome.service import Service


class _Silenzioso(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *argomenti):
        pass

    def do_GET(self):
        self.server.richieste.append(self.path.split("?", 1)[0])
        super().do_GET()


class Server:
    """Python's own static server on a free port of 127.0.0.1, serving one folder."""

    def __init__(self, cartella):
        gestore = functools.partial(_Silenzioso, directory=cartella)
        self._server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), gestore)
        # The paths asked for, in order.
        self._server.richieste = self.richieste = []
        self.url = "http://127.0.0.1:%d/" % self._server.server_address[1]
        self._filo = threading.Thread(target=self._server.serve_forever, daemon=True)
        self._filo.start()

    def ferma(self):
        self._server.shutdown()
        self._server.server_close()


@contextlib.contextmanager
def chromium(larghezza=1024, altezza=768, scala=1, altri=()):
    """Headless Chromium with a window (and so a page) of the given size, WebGL drawn in software,
    a profile of its own that goes with it, and no connection anywhere but where it is sent."""
    profilo = tempfile.mkdtemp(prefix="capacita-chromium-")
    opzioni = webdriver.ChromeOptions()
    opzioni.binary_location = "/usr/bin/chromium"
    for argomento in ("--headless=new", "--no-sandbox", "--use-gl=angle", "--use-angle=swiftshader",
                      "--enable-unsafe-swiftshader", "--no-first-run", "--disable-background-networking",
                      "--disable-component-update", "--disable-sync", "--disable-quic",
                      "--disable-default-apps", "--disable-extensions", "--hide-scrollbars",
                      "--window-size=%d,%d" % (larghezza, altezza),
                      "--force-device-scale-factor=%s" % scala, "--user-data-dir=" + profilo, *altri):
        opzioni.add_argument(argomento)
    opzioni.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=opzioni)
    try:
        dimensiona(driver, larghezza, altezza)
        yield driver
    finally:
        driver.quit()
        shutil.rmtree(profilo, ignore_errors=True)


def dimensiona(driver, larghezza, altezza):
    """Gives the page itself, not the browser's window around it, this size in CSS pixels."""
    bordo = driver.execute_script("return [outerWidth - innerWidth, outerHeight - innerHeight];")
    driver.set_window_size(larghezza + bordo[0], altezza + bordo[1])


def errori_della_console(driver):
    """What the page logged as an error since the last call, a failed request included."""
    return [voce["message"] for voce in driver.get_log("browser") if voce["level"] == "SEVERE"]
