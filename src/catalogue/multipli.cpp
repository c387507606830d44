#include "catalogue/catalogo.h"

namespace catalogue {

namespace {

// 1 hl = 10 dal = 100 l. The texts keep their own spacing, double blanks included.
constexpr Voce voci[] = {
    /*  1 */ {"E' più capace l'hl o il dal ?", "hl"},
    /*  2 */ {"E' più capace l'hl o il l ?", "hl"},
    /*  3 */ {"E' più capace il dal o il l ?", "dal"},
    /*  4 */ {"E' più capace  il dal o l'hl ?", "hl"},
    /*  5 */ {"E' più capace il l o l'hl ?", "hl"},
    /*  6 */ {"E' più capace il l  o il dal ?", "dal"},
    /*  7 */ {"E' meno capace l'hl o il dal ?", "dal"},
    /*  8 */ {"E' meno capace l'hl o il l ?", "l"},
    /*  9 */ {"E' meno capace il dal o il l ?", "l"},
    /* 10 */ {"E' meno capace  il dal o l'hl ?", "dal"},
    /* 11 */ {"E' meno capace il l o l'hl ?", "l"},
    /* 12 */ {"E' meno capace il l o il dal ?", "l"},
    /* 13 */ {"Quante volte l'hl è più capace del l ?", "100"},
    /* 14 */ {"Quante volte l'hl è più capace del dal ?", "10"},
    /* 15 */ {"Quante volte il dal è più capace del l ?", "10"},
    /* 16 */ {"Quale misura è 100 volte più capace del l ?", "hl"},
    /* 17 */ {"Quale misura è 10 volte più capace del l ?", "dal"},
    /* 18 */ {"Quale misura è 10 volte più capace del dal ?", "hl"},
    /* 19 */ {"Quale misura è 100 volte meno capace dell'hl ?", "l"},
    /* 20 */ {"Quale misura è 10 volte meno capace dell'hl ?", "dal"},
    /* 21 */ {"Quale misura è 10 volte meno capace del dal ?", "l"},
    /* 22 */ {"Quante volte il l è meno capace dell' hl ?", "100"},
    /* 23 */ {"Quante volte il l è meno capace del dal ?", "10"},
    /* 24 */ {"Quante volte il dal è meno capace dell'hl ?", "10"},
    /* 25 */ {"Se divido l'hl in 10 parti equivalenti che unità di misura ottengo ?", "dal"},
    /* 26 */ {"Se divido l'hl in 100 parti equivalenti che unità di misura ottengo ?", "l"},
    /* 27 */ {"Se divido il dal in 10 parti equivalenti che unità di misura ottengo ?", "l"},
    /* 28 */ {"In quante parti equivalenti devo dividere l'hl per ottenere il dal ?", "10"},
    /* 29 */ {"In quante parti equivalenti devo dividere l'hl per ottenere il l ?", "100"},
    /* 30 */ {"In quante parti equivalenti devo dividere il dal per ottenere il l ?", "10"},
    /* 31 */ {"Quale misura ho diviso in 10 parti equivalenti per ottenere il l ?", "dal"},
    /* 32 */ {"Quale misura ho diviso in 100 parti equivalenti per ottenere il l ?", "hl"},
    /* 33 */ {"Quale misura ho diviso in 10 parti equivalenti per ottenere il dal ?", "hl"},
    /* 34 */ {"Quanti l devo unire per formare il dal ?", "10"},
    /* 35 */ {"Quanti l devo unire per formare l'hl ?", "100"},
    /* 36 */ {"Quanti dal devo unire per formare l'hl ?", "10"},
    /* 37 */ {"Se unisco 10 l che unità di misura ottengo ?", "dal"},
    /* 38 */ {"Se unisco 100 l che unità di misura ottengo ?", "hl"},
    /* 39 */ {"Se unisco 10 dal che unità di misura ottengo ?", "hl"},
    /* 40 */ {"Quanti l devo unire per ottenere il dal ?", "10"},
    /* 41 */ {"Quanti l devo unire per ottenere l'hl ?", "100"},
    /* 42 */ {"Quanti dal devo unire per ottenere l'hl ?", "10"},
    /* 43 */ {"Quale unità di misura ho unito 100 volte per ottenere l' hl ?", "l"},
    /* 44 */ {"Quale unità di misura ho unito 10 volte per ottenere il dal ?", "l"},
    /* 45 */ {"Quale unità di misura ho unito 10 volte per ottenere l'hl ?", "dal"},
    /* 46 */ {"Come si chiama la 1/100 parte dell'ettolitro ?", "l"},
    /* 47 */ {"Come si chiama la 1/10 parte dell'ettolitro ?", "dal"},
    /* 48 */ {"Come si chiama la 1/10 parte del decalitro ?", "l"},
};

} // namespace

const Catalogo catalogoMultipli{voci};

} // namespace catalogue
