"""What the end-to-end scenarios outside the accessibility bus share: a failed check, and waiting
for a condition to hold."""

import time


class Fallito(Exception):
    pass


def verifica(condizione, messaggio):
    if not condizione:
        raise Fallito(messaggio)


def attendi(condizione, cosa, secondi=30.0):
    """The first true value of condizione(), asked every tenth of a second; Fallito after secondi."""
    fine = time.monotonic() + secondi
    while True:
        valore = condizione()
        if valore:
            return valore
        if time.monotonic() > fine:
            raise Fallito("timed out waiting for " + cosa)
        time.sleep(0.1)
