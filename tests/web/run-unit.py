#!/usr/bin/python3
"""Runs one QTest program built for the browser in headless Chromium, as ctest runs a test:
run-unit.py PROGRAM.js [ARGUMENTS...]. What the test prints comes out here; the exit code is the
test's own. The environment's QT_ and CAPACITA_ variables are handed on to the page;
CAPACITA_WEB_SCREEN names an offscreen screen's configuration file, whose size the browser's
window then takes."""

import json
import os
import re
import sys
import time
import urllib.parse

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import browser  # noqa: E402

# Read by the runner, or meaningless in the page.
NON_PASSATE = {"QT_QPA_PLATFORM", "QT_QPA_OFFSCREEN_NO_GLX", "QT_QPA_FONTDIR", "CAPACITA_WEB_SCREEN"}


def schermo():
    configurazione = os.environ.get("CAPACITA_WEB_SCREEN")
    if not configurazione:
        return 1024, 768
    with open(configurazione) as f:
        primo = json.load(f)["screens"][0]
    return primo["width"], primo["height"]


def main():
    programma, argomenti = sys.argv[1], sys.argv[2:]
    cartella, nome = os.path.split(os.path.abspath(programma))
    nome = nome[:-len(".js")] if nome.endswith(".js") else nome
    ambiente = {k: v for k, v in os.environ.items()
                if k.startswith(("QT_", "CAPACITA_")) and k not in NON_PASSATE}
    # QTest's own messages go to the console, where they are read.
    ambiente["QT_FORCE_STDERR_LOGGING"] = "1"
    indirizzo = "unit.html?" + urllib.parse.urlencode(
        {"programma": nome, "argomenti": json.dumps(argomenti), "ambiente": json.dumps(ambiente)})
    server = browser.Server(cartella)
    try:
        larghezza, altezza = schermo()
        # A test program runs to its end before the page can answer again: the browser waits for
        # it as long as it takes.
        with browser.apri("chromium", larghezza, altezza) as d:
            d.vai(server.url + indirizzo)
            totali = None
            while True:
                righe, esito = d.esegui("return [uscita.splice(0), esito];")
                for riga in righe:
                    print(riga, flush=True)
                    if riga.startswith("Totals: "):
                        totali = riga
                    # A program with a QApplication keeps the page's runtime alive after its main
                    # has returned: QTest's closing lines say it has ended, and how.
                    if riga.startswith("********* Finished testing of ") and esito is None and totali:
                        falliti = int(re.search(r" (\d+) failed,", totali).group(1))
                        esito = {"codice": 0 if falliti == 0 else 1}
                errori = d.errori()
                if errori:
                    esito = {"errore": "; ".join(errori)}
                if esito is not None:
                    break
                time.sleep(0.2)
    finally:
        server.ferma()
    if "errore" in esito:
        print("run-unit: %s stopped: %s" % (nome, esito["errore"]))
        return 1
    return esito["codice"]


if __name__ == "__main__":
    sys.exit(main())
