"""What the end-to-end scenarios share: a failed check, waiting for a condition to hold, and names
compared as accessibility trees give them."""

import time


class Fallito(Exception):
    pass


def verifica(condizione, messaggio):
    if not condizione:
        raise Fallito(messaggio)


def attendi(condizione, cosa, secondi=30.0, pausa=0.1, prima=lambda: None, tollera=()):
    """The first true value of condizione(), asked every pausa seconds after prima(); an exception
    of the kinds tollera counts as not yet. Fallito after secondi."""
    fine = time.monotonic() + secondi
    while True:
        prima()
        try:
            valore = condizione()
        except tollera:
            valore = None
        if valore:
            return valore
        if time.monotonic() > fine:
            raise Fallito("timed out waiting for " + cosa)
        time.sleep(0.1)


def piega(testo):
    """A text with its runs of blanks folded, as accessibility trees and screen readers give it."""
    return " ".join(testo.split())
