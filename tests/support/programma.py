"""What the end-to-end scenarios know of the program as a pupil meets it: its windows' titles, its
layouts' twips as pixels, and the quiz window's state table (stati-quiz.json, which the unit tests
read too)."""

import json
import os

TITOLO_MENU = "Gli obiettivi dell'addizione"
TITOLO_MULTIPLI = "47 DOMANDE PER CONOSCERE LE MISURE DI CAPACITA':  I MULTIPLI"
TITOLO_SOTTOMULTIPLI = "96 DOMANDE PER CONOSCERE LE MISURE DI CAPACITA':  I SOTTOMULTIPLI"


def tabella(nome):
    """A table the unit tests read too, from tests/support."""
    with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), nome), encoding="utf-8") as f:
        return json.load(f)


STATI_QUIZ = tabella("stati-quiz.json")


def px(twips):
    return round(twips / 15)


def rettangolo(left, top, width, height):
    """A control's rectangle in the layout, in pixels of its window's client area."""
    return px(left), px(top), px(left + width) - px(left), px(top + height) - px(top)
