#!/usr/bin/python3
"""The site against a floor site (bench/floor.cpp built for the browser with the same Qt and
flags, behind the same page), in headless Chromium from a static server on 127.0.0.1: the bytes
the page transfers (raw, gzip, brotli), the time from navigation to the main menu painted, and
the WebAssembly memory after start and after a whole series of 96 answers, and how long that
series takes.

Usage: run-bench-web.py BUILD_WEB. Not a test: it prints figures, and whether our targets are met
(size at most 1.10 times the floor's, time at most 1.15 times)."""

import gzip
import os
import statistics
import subprocess
import sys
import time

from selenium.webdriver.common.actions.action_builder import ActionBuilder

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "web"))
import browser  # noqa: E402
import e2e_web  # noqa: E402

RUNS = 7


def dipinto(nome):
    """The page shows the program's first frame: for the program, its main menu's first button
    in its colour at its place; for the floor, Qt's menu bar at the top left."""
    if nome == "program":
        _, y = e2e_web.centro(e2e_web.COMMAND1)
        return lambda img: img.getpixel((e2e_web.COMMAND1[0] + 4, y + 24)) == (255, 128, 255)
    return lambda img: img.getpixel((3, 3)) not in ((255, 192, 255), (0, 0, 0))


def compressi(percorso):
    with open(percorso, "rb") as f:
        dati = f.read()
    brotli = subprocess.run(["brotli", "-c", "-q", "11", percorso], capture_output=True, check=True).stdout
    return len(dati), len(gzip.compress(dati, 9)), len(brotli)


def visita(sito, nome, con_serie=False):
    """One first visit, in a browser of its own: seconds to the first frame, the files asked for,
    the WebAssembly memory once started and, if asked, after a whole series."""
    server = browser.Server(sito)
    try:
        with browser.apri("chromium") as d:
            p = e2e_web.Pagina(d, server.url)
            pronto = dipinto(nome)
            inizio = time.perf_counter()
            d.vai(server.url)
            while not pronto(p.schermata()):
                if time.perf_counter() - inizio > 60:
                    raise SystemExit("%s: no first frame in 60 s" % nome)
            secondi = time.perf_counter() - inizio
            memoria = p.attendi(lambda: d.esegui("return window.capacita && capacita.HEAP8.buffer.byteLength;"),
                                "the program's memory")
            serie = serie_completa(p) if con_serie else None
            richiesti = sorted(set(server.richieste))
    finally:
        server.ferma()
    return secondi, richiesti, memoria, serie


def serie_completa(p):
    """A whole series of 96 answers with real clicks: the memory after it, and the seconds from the
    first click to "Ricomincia" on screen."""
    p.menu = p.menu_pronto()
    p.clicca(p.menu, e2e_web.COMMAND1)
    quiz = p.quiz()
    ricomincia = e2e_web.rettangolo(8430, 4410, 3315, 525)
    azioni = ActionBuilder(p.d.driver)
    for numero in range(96):
        giri = [e2e_web.RISPOSTA_10, e2e_web.VERIFICA] + ([e2e_web.OPERAZIONE] if numero < 95 else [])
        for r in giri:
            x, y = p.punto(quiz, r)
            azioni.pointer_action.move_to_location(x, y).click().pause(0.02)
    inizio = time.perf_counter()
    azioni.perform()
    p.attendi(lambda: p.conta(p.schermata(), quiz, ricomincia, e2e_web.QUIZ) < ricomincia[2] * ricomincia[3] // 2,
              "Ricomincia at the end of the series", 60)
    return p.d.esegui("return capacita.HEAP8.buffer.byteLength;"), time.perf_counter() - inizio


def main():
    build = sys.argv[1]
    siti = {"program": os.path.join(build, "site"), "floor": os.path.join(build, "bench", "floor-site")}
    for nome in siti:
        visita(siti[nome], nome)  # warm-up
    tempi = {nome: [] for nome in siti}
    risultati = {}
    for giro in range(RUNS):
        for nome, sito in siti.items():
            secondi, richiesti, memoria, serie = visita(sito, nome, nome == "program" and giro == RUNS - 1)
            tempi[nome].append(secondi)
            risultati[nome] = (richiesti, memoria, serie)

    byte = {}
    for nome, sito in siti.items():
        somma = [0, 0, 0]
        for percorso in risultati[nome][0]:
            locale = os.path.join(sito, percorso.lstrip("/") or "index.html")
            if percorso.endswith("/"):
                locale = os.path.join(sito, percorso.lstrip("/"), "index.html")
            if os.path.isfile(locale):
                somma = [a + b for a, b in zip(somma, compressi(locale))]
        byte[nome] = somma
    mediana = {nome: statistics.median(t) for nome, t in tempi.items()}

    mib = 1024 * 1024
    print("Site against floor in headless Chromium (%s), %d first visits each, interleaved, after a warm-up:"
          % (subprocess.run(["chromium", "--version"], capture_output=True, text=True).stdout.strip(), RUNS))
    print()
    print("| what | program | floor | ratio | target |")
    print("|---|---|---|---|---|")
    fatti = True
    for i, tipo in enumerate(("raw", "gzip", "brotli")):
        rapporto = byte["program"][i] / byte["floor"][i]
        fatti &= rapporto <= 1.10
        print("| bytes transferred, %s | %.2f MiB | %.2f MiB | %.2f | ≤ 1.10 |"
              % (tipo, byte["program"][i] / mib, byte["floor"][i] / mib, rapporto))
    rapporto = mediana["program"] / mediana["floor"]
    fatti &= rapporto <= 1.15
    print("| navigation to main menu painted (median) | %.0f ms | %.0f ms | %.2f | ≤ 1.15 |"
          % (mediana["program"] * 1000, mediana["floor"] * 1000, rapporto))
    print("| WebAssembly memory after start | %.1f MiB | %.1f MiB | %.2f | |"
          % (risultati["program"][1] / mib, risultati["floor"][1] / mib, risultati["program"][1] / risultati["floor"][1]))
    memoria, secondi = risultati["program"][2]
    print("| WebAssembly memory after a series of 96 answers | %.1f MiB | | | |" % (memoria / mib))
    print("| a series of 96 answers clicked for real (288 clicks, 20 ms apart) | %.2f s | | | |" % secondi)
    print()
    print("files the program's page asked for: " + " ".join(risultati["program"][0]))
    print("every target met" if fatti else "a target was missed")


if __name__ == "__main__":
    main()
