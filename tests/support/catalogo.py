"""What the end-to-end scenarios read in the multiples window: its two verdicts, and its questions
with their expected answers."""

ESATTO = "E  s  a  t  t  o"
ERRATO = "E  r  r  a  t  o"
# The verdicts as a screen reader is given them: drawn with spaced letters, read as words.
ESATTO_A_VOCE, ERRATO_A_VOCE = "Esatto", "Errato"

# The multiples window's questions and their expected answers.
CATALOGO_MULTIPLI = {
    "E' più capace l'hl o il dal ?": 'hl',
    "E' più capace l'hl o il l ?": 'hl',
    "E' più capace il dal o il l ?": 'dal',
    "E' più capace  il dal o l'hl ?": 'hl',
    "E' più capace il l o l'hl ?": 'hl',
    "E' più capace il l  o il dal ?": 'dal',
    "E' meno capace l'hl o il dal ?": 'dal',
    "E' meno capace l'hl o il l ?": 'l',
    "E' meno capace il dal o il l ?": 'l',
    "E' meno capace  il dal o l'hl ?": 'dal',
    "E' meno capace il l o l'hl ?": 'l',
    "E' meno capace il l o il dal ?": 'l',
    "Quante volte l'hl è più capace del l ?": '100',
    "Quante volte l'hl è più capace del dal ?": '10',
    'Quante volte il dal è più capace del l ?': '10',
    'Quale misura è 100 volte più capace del l ?': 'hl',
    'Quale misura è 10 volte più capace del l ?': 'dal',
    'Quale misura è 10 volte più capace del dal ?': 'hl',
    "Quale misura è 100 volte meno capace dell'hl ?": 'l',
    "Quale misura è 10 volte meno capace dell'hl ?": 'dal',
    'Quale misura è 10 volte meno capace del dal ?': 'l',
    "Quante volte il l è meno capace dell' hl ?": '100',
    'Quante volte il l è meno capace del dal ?': '10',
    "Quante volte il dal è meno capace dell'hl ?": '10',
    "Se divido l'hl in 10 parti equivalenti che unità di misura ottengo ?": 'dal',
    "Se divido l'hl in 100 parti equivalenti che unità di misura ottengo ?": 'l',
    'Se divido il dal in 10 parti equivalenti che unità di misura ottengo ?': 'l',
    "In quante parti equivalenti devo dividere l'hl per ottenere il dal ?": '10',
    "In quante parti equivalenti devo dividere l'hl per ottenere il l ?": '100',
    'In quante parti equivalenti devo dividere il dal per ottenere il l ?': '10',
    'Quale misura ho diviso in 10 parti equivalenti per ottenere il l ?': 'dal',
    'Quale misura ho diviso in 100 parti equivalenti per ottenere il l ?': 'hl',
    'Quale misura ho diviso in 10 parti equivalenti per ottenere il dal ?': 'hl',
    'Quanti l devo unire per formare il dal ?': '10',
    "Quanti l devo unire per formare l'hl ?": '100',
    "Quanti dal devo unire per formare l'hl ?": '10',
    'Se unisco 10 l che unità di misura ottengo ?': 'dal',
    'Se unisco 100 l che unità di misura ottengo ?': 'hl',
    'Se unisco 10 dal che unità di misura ottengo ?': 'hl',
    'Quanti l devo unire per ottenere il dal ?': '10',
    "Quanti l devo unire per ottenere l'hl ?": '100',
    "Quanti dal devo unire per ottenere l'hl ?": '10',
    "Quale unità di misura ho unito 100 volte per ottenere l' hl ?": 'l',
    'Quale unità di misura ho unito 10 volte per ottenere il dal ?': 'l',
    "Quale unità di misura ho unito 10 volte per ottenere l'hl ?": 'dal',
    "Come si chiama la 1/100 parte dell'ettolitro ?": 'l',
    "Come si chiama la 1/10 parte dell'ettolitro ?": 'dal',
    'Come si chiama la 1/10 parte del decalitro ?': 'l',
}
