"""What the end-to-end scenarios read in the multiples window: its two verdicts, and its questions
with their expected answers (catalogo.json, which the unit tests read too)."""

import re

from programma import tabella

ESATTO = "E  s  a  t  t  o"
ERRATO = "E  r  r  a  t  o"
# The verdicts as a screen reader is given them: drawn with spaced letters, read as words.
ESATTO_A_VOCE, ERRATO_A_VOCE = "Esatto", "Errato"

# The multiples window's questions and their expected answers.
CATALOGO_MULTIPLI = dict(tabella("catalogo.json")["multipli"])

# The units as a screen reader is given them: by their names, singular and plural.
UNITÀ = {"l": ("litro", "litri"), "dal": ("decalitro", "decalitri"), "hl": ("ettolitro", "ettolitri"),
         "dl": ("decilitro", "decilitri"), "cl": ("centilitro", "centilitri"), "ml": ("millilitro", "millilitri")}
_SIMBOLO = {nome: simbolo for simbolo, nomi in UNITÀ.items() for nome in nomi}


def a_voce(didascalia):
    """An answer button's caption as the chosen answer is said: a unit by its name."""
    return UNITÀ[didascalia][0] if didascalia in UNITÀ else didascalia


def simboli_rimasti(detto):
    """The unit symbols still standing as words in a text said aloud (past an elided article)."""
    parole = (re.sub(r"^\w+'", "", p) for p in re.split(r"[\s?.,]+", detto))
    return [p for p in parole if p in UNITÀ]


def forma(testo):
    """A question said (units by their names, "È") or written, in one form: the units by their
    symbols, "E'", its blanks folded and none before its question mark; a question and its spoken
    form have the same (some written questions name a unit in full: "parte dell'ettolitro")."""
    scritto = re.sub(r"^È ", "E' ", testo)
    scritto = re.sub(r"(?<!\w)(%s)(?!\w)" % "|".join(_SIMBOLO), lambda m: _SIMBOLO[m.group(1)], scritto)
    return " ".join(scritto.split()).replace(" ?", "?")


def detta_nel_catalogo(detto, catalogo):
    """The expected answer of the question heard as detto, said by its units' names; None if it
    is not one of catalogo's questions or still has a unit symbol in it."""
    if simboli_rimasti(detto):
        return None
    return {forma(k): v for k, v in catalogo.items()}.get(forma(detto))
