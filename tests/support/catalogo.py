"""What the end-to-end scenarios read in the multiples window: its two verdicts, and its questions
with their expected answers (catalogo.json, which the unit tests read too)."""

import json
import os

ESATTO = "E  s  a  t  t  o"
ERRATO = "E  r  r  a  t  o"
# The verdicts as a screen reader is given them: drawn with spaced letters, read as words.
ESATTO_A_VOCE, ERRATO_A_VOCE = "Esatto", "Errato"

# The multiples window's questions and their expected answers.
with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), "catalogo.json"), encoding="utf-8") as f:
    CATALOGO_MULTIPLI = dict(json.load(f)["multipli"])
