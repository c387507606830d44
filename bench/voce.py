#!/usr/bin/python3
"""Read-aloud's delay: from the quiz window's question on screen (the window seen mapped on the X
server) to the question's text reaching the speech server, through a speech server of the
benchmark's own (tests/support/voce.py); negative where the text arrives before the window is
seen. Also from the click that opens the window. Median of several runs; on the caller's X server
(DISPLAY). Usage: voce.py PROGRAM [RUNS]"""

import os
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "support"))
from programma import TITOLO_MENU, TITOLO_MULTIPLI, px  # noqa: E402
from voce import ServerVoce  # noqa: E402


def finestra(titolo):
    r = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^%s$" % titolo.replace("'", ".")],
                       capture_output=True, text=True)
    return r.stdout.split()[0] if r.stdout.split() else None


def attendi(condizione, secondi=20):
    fine = time.monotonic() + secondi
    while time.monotonic() < fine:
        valore = condizione()
        if valore:
            return valore
        time.sleep(0.002)
    raise SystemExit("voce.py: timed out")


def una_volta(programma, cartella):
    server = ServerVoce(cartella, parla=False)
    processo = subprocess.Popen([programma, "--voce"], env=dict(os.environ, SPEECHD_ADDRESS=server.indirizzo),
                                stderr=subprocess.DEVNULL)
    try:
        attendi(lambda: finestra(TITOLO_MENU))
        time.sleep(0.5)
        # "IL LITRO E I SUOI MULTIPLI", at its place on the main menu that fills the screen.
        subprocess.run(["xdotool", "mousemove", str(px(4590 + 4770 // 2)), str(px(3060 + 705 // 2))], check=True)
        cliccata = time.monotonic()
        subprocess.run(["xdotool", "click", "1"], check=True)
        # Each looked for in turn, and each time noted when first seen: the resolution is one
        # turn of this loop (an xdotool search, some milliseconds).
        mostrata = detta = None
        while mostrata is None or detta is None:
            if detta is None and server.detti():
                detta = time.monotonic()
            if mostrata is None and finestra(TITOLO_MULTIPLI):
                mostrata = time.monotonic()
            if time.monotonic() - cliccata > 20:
                raise SystemExit("voce.py: timed out")
        return (detta - mostrata) * 1000, (detta - cliccata) * 1000
    finally:
        processo.terminate()
        processo.wait()
        server.termina()


def main():
    programma = sys.argv[1]
    volte = int(sys.argv[2]) if len(sys.argv) > 2 else 7
    misure = [una_volta(programma, tempfile.mkdtemp(prefix="capacita-voce-")) for _ in range(volte)]
    for i, cosa, obiettivo in ((0, "question on screen", "< 100 ms"), (1, "click on the menu button", "")):
        ritardi = [m[i] for m in misure]
        print("| --voce: %s to its text at the speech server | %.0f ms (%.0f to %.0f) | | | %s |"
              % (cosa, statistics.median(ritardi), min(ritardi), max(ritardi), obiettivo))


if __name__ == "__main__":
    main()
