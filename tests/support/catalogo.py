"""What the end-to-end scenarios read in the multiples window: its two verdicts, and its questions
with their expected answers (catalogo.json, which the unit tests read too)."""

from programma import tabella

ESATTO = "E  s  a  t  t  o"
ERRATO = "E  r  r  a  t  o"
# The verdicts as a screen reader is given them: drawn with spaced letters, read as words.
ESATTO_A_VOCE, ERRATO_A_VOCE = "Esatto", "Errato"

# The multiples window's questions and their expected answers.
CATALOGO_MULTIPLI = dict(tabella("catalogo.json")["multipli"])
