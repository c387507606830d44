"""Windows on the X server as xdotool and xwininfo see them, for the end-to-end tests."""

import subprocess


def xdotool(*argomenti):
    subprocess.run(["xdotool", *map(str, argomenti)], check=True)


def _esegui(*argomenti):
    return subprocess.run([*map(str, argomenti)], capture_output=True, text=True, errors="replace").stdout


def con_titolo(titolo, *criteri):
    """The first visible X window that xdotool finds with these search criteria and whose title is
    exactly titolo, as an int; None if there is none."""
    for w in _esegui("xdotool", "search", "--onlyvisible", *criteri).split():
        if _esegui("xdotool", "getwindowname", w).rstrip("\n") == titolo:
            return int(w)
    return None


def geometria(w):
    """Left, top, width and height of the window on the screen."""
    valori = {}
    for riga in _esegui("xwininfo", "-id", w).splitlines():
        if ":" in riga:
            chiave, valore = riga.split(":", 1)
            valori[chiave.strip()] = valore.strip()
    return (int(valori["Absolute upper-left X"]), int(valori["Absolute upper-left Y"]),
            int(valori["Width"]), int(valori["Height"]))
