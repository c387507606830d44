// The two catalogues, entry by entry, and visualizza.

#include "catalogue/catalogo.h"
#include "support/support.h"

#include <QtTest>

using catalogue::Catalogo;

Q_DECLARE_METATYPE(const Catalogo*)

namespace {

const Catalogo* const multipli = &catalogue::catalogoMultipli;
const Catalogo* const sottomultipli = &catalogue::catalogoSottomultipli;

} // namespace

class TestCatalogo : public QObject {
    Q_OBJECT

private:
    support::StandInClock clock;

private slots:
    void dimensioni() {
        QCOMPARE(catalogue::catalogoMultipli.size(), std::size_t(48));
        QCOMPARE(catalogue::catalogoSottomultipli.size(), std::size_t(96));
    }

    // Every entry as the pupil must read it, written out here apart from the program's tables.
    void voci_data() {
        QTest::addColumn<const Catalogo*>("catalogo");
        QTest::addColumn<int>("numero");
        QTest::addColumn<QString>("testo");
        QTest::addColumn<QString>("risposta");
        // clang-format off
        QTest::newRow("multipli 1") << multipli << 1 << QStringLiteral("E' più capace l'hl o il dal ?") << QStringLiteral("hl");
        QTest::newRow("multipli 2") << multipli << 2 << QStringLiteral("E' più capace l'hl o il l ?") << QStringLiteral("hl");
        QTest::newRow("multipli 3") << multipli << 3 << QStringLiteral("E' più capace il dal o il l ?") << QStringLiteral("dal");
        QTest::newRow("multipli 4") << multipli << 4 << QStringLiteral("E' più capace  il dal o l'hl ?") << QStringLiteral("hl");
        QTest::newRow("multipli 5") << multipli << 5 << QStringLiteral("E' più capace il l o l'hl ?") << QStringLiteral("hl");
        QTest::newRow("multipli 6") << multipli << 6 << QStringLiteral("E' più capace il l  o il dal ?") << QStringLiteral("dal");
        QTest::newRow("multipli 7") << multipli << 7 << QStringLiteral("E' meno capace l'hl o il dal ?") << QStringLiteral("dal");
        QTest::newRow("multipli 8") << multipli << 8 << QStringLiteral("E' meno capace l'hl o il l ?") << QStringLiteral("l");
        QTest::newRow("multipli 9") << multipli << 9 << QStringLiteral("E' meno capace il dal o il l ?") << QStringLiteral("l");
        QTest::newRow("multipli 10") << multipli << 10 << QStringLiteral("E' meno capace  il dal o l'hl ?") << QStringLiteral("dal");
        QTest::newRow("multipli 11") << multipli << 11 << QStringLiteral("E' meno capace il l o l'hl ?") << QStringLiteral("l");
        QTest::newRow("multipli 12") << multipli << 12 << QStringLiteral("E' meno capace il l o il dal ?") << QStringLiteral("l");
        QTest::newRow("multipli 13") << multipli << 13 << QStringLiteral("Quante volte l'hl è più capace del l ?") << QStringLiteral("100");
        QTest::newRow("multipli 14") << multipli << 14 << QStringLiteral("Quante volte l'hl è più capace del dal ?") << QStringLiteral("10");
        QTest::newRow("multipli 15") << multipli << 15 << QStringLiteral("Quante volte il dal è più capace del l ?") << QStringLiteral("10");
        QTest::newRow("multipli 16") << multipli << 16 << QStringLiteral("Quale misura è 100 volte più capace del l ?") << QStringLiteral("hl");
        QTest::newRow("multipli 17") << multipli << 17 << QStringLiteral("Quale misura è 10 volte più capace del l ?") << QStringLiteral("dal");
        QTest::newRow("multipli 18") << multipli << 18 << QStringLiteral("Quale misura è 10 volte più capace del dal ?") << QStringLiteral("hl");
        QTest::newRow("multipli 19") << multipli << 19 << QStringLiteral("Quale misura è 100 volte meno capace dell'hl ?") << QStringLiteral("l");
        QTest::newRow("multipli 20") << multipli << 20 << QStringLiteral("Quale misura è 10 volte meno capace dell'hl ?") << QStringLiteral("dal");
        QTest::newRow("multipli 21") << multipli << 21 << QStringLiteral("Quale misura è 10 volte meno capace del dal ?") << QStringLiteral("l");
        QTest::newRow("multipli 22") << multipli << 22 << QStringLiteral("Quante volte il l è meno capace dell' hl ?") << QStringLiteral("100");
        QTest::newRow("multipli 23") << multipli << 23 << QStringLiteral("Quante volte il l è meno capace del dal ?") << QStringLiteral("10");
        QTest::newRow("multipli 24") << multipli << 24 << QStringLiteral("Quante volte il dal è meno capace dell'hl ?") << QStringLiteral("10");
        QTest::newRow("multipli 25") << multipli << 25 << QStringLiteral("Se divido l'hl in 10 parti equivalenti che unità di misura ottengo ?") << QStringLiteral("dal");
        QTest::newRow("multipli 26") << multipli << 26 << QStringLiteral("Se divido l'hl in 100 parti equivalenti che unità di misura ottengo ?") << QStringLiteral("l");
        QTest::newRow("multipli 27") << multipli << 27 << QStringLiteral("Se divido il dal in 10 parti equivalenti che unità di misura ottengo ?") << QStringLiteral("l");
        QTest::newRow("multipli 28") << multipli << 28 << QStringLiteral("In quante parti equivalenti devo dividere l'hl per ottenere il dal ?") << QStringLiteral("10");
        QTest::newRow("multipli 29") << multipli << 29 << QStringLiteral("In quante parti equivalenti devo dividere l'hl per ottenere il l ?") << QStringLiteral("100");
        QTest::newRow("multipli 30") << multipli << 30 << QStringLiteral("In quante parti equivalenti devo dividere il dal per ottenere il l ?") << QStringLiteral("10");
        QTest::newRow("multipli 31") << multipli << 31 << QStringLiteral("Quale misura ho diviso in 10 parti equivalenti per ottenere il l ?") << QStringLiteral("dal");
        QTest::newRow("multipli 32") << multipli << 32 << QStringLiteral("Quale misura ho diviso in 100 parti equivalenti per ottenere il l ?") << QStringLiteral("hl");
        QTest::newRow("multipli 33") << multipli << 33 << QStringLiteral("Quale misura ho diviso in 10 parti equivalenti per ottenere il dal ?") << QStringLiteral("hl");
        QTest::newRow("multipli 34") << multipli << 34 << QStringLiteral("Quanti l devo unire per formare il dal ?") << QStringLiteral("10");
        QTest::newRow("multipli 35") << multipli << 35 << QStringLiteral("Quanti l devo unire per formare l'hl ?") << QStringLiteral("100");
        QTest::newRow("multipli 36") << multipli << 36 << QStringLiteral("Quanti dal devo unire per formare l'hl ?") << QStringLiteral("10");
        QTest::newRow("multipli 37") << multipli << 37 << QStringLiteral("Se unisco 10 l che unità di misura ottengo ?") << QStringLiteral("dal");
        QTest::newRow("multipli 38") << multipli << 38 << QStringLiteral("Se unisco 100 l che unità di misura ottengo ?") << QStringLiteral("hl");
        QTest::newRow("multipli 39") << multipli << 39 << QStringLiteral("Se unisco 10 dal che unità di misura ottengo ?") << QStringLiteral("hl");
        QTest::newRow("multipli 40") << multipli << 40 << QStringLiteral("Quanti l devo unire per ottenere il dal ?") << QStringLiteral("10");
        QTest::newRow("multipli 41") << multipli << 41 << QStringLiteral("Quanti l devo unire per ottenere l'hl ?") << QStringLiteral("100");
        QTest::newRow("multipli 42") << multipli << 42 << QStringLiteral("Quanti dal devo unire per ottenere l'hl ?") << QStringLiteral("10");
        QTest::newRow("multipli 43") << multipli << 43 << QStringLiteral("Quale unità di misura ho unito 100 volte per ottenere l' hl ?") << QStringLiteral("l");
        QTest::newRow("multipli 44") << multipli << 44 << QStringLiteral("Quale unità di misura ho unito 10 volte per ottenere il dal ?") << QStringLiteral("l");
        QTest::newRow("multipli 45") << multipli << 45 << QStringLiteral("Quale unità di misura ho unito 10 volte per ottenere l'hl ?") << QStringLiteral("dal");
        QTest::newRow("multipli 46") << multipli << 46 << QStringLiteral("Come si chiama la 1/100 parte dell'ettolitro ?") << QStringLiteral("l");
        QTest::newRow("multipli 47") << multipli << 47 << QStringLiteral("Come si chiama la 1/10 parte dell'ettolitro ?") << QStringLiteral("dal");
        QTest::newRow("multipli 48") << multipli << 48 << QStringLiteral("Come si chiama la 1/10 parte del decalitro ?") << QStringLiteral("l");
        QTest::newRow("sottomultipli 1") << sottomultipli << 1 << QStringLiteral("E' più capace il l o il dl ?") << QStringLiteral("l");
        QTest::newRow("sottomultipli 2") << sottomultipli << 2 << QStringLiteral("E' più capace il l o il cl ?") << QStringLiteral("l");
        QTest::newRow("sottomultipli 3") << sottomultipli << 3 << QStringLiteral("E' più capace il l o il ml ?") << QStringLiteral("l");
        QTest::newRow("sottomultipli 4") << sottomultipli << 4 << QStringLiteral("E' più capace il dl o il cl ?") << QStringLiteral("dl");
        QTest::newRow("sottomultipli 5") << sottomultipli << 5 << QStringLiteral("E' più capace il dl o il ml ?") << QStringLiteral("dl");
        QTest::newRow("sottomultipli 6") << sottomultipli << 6 << QStringLiteral("E' più capace il cl o il ml ?") << QStringLiteral("cl");
        QTest::newRow("sottomultipli 7") << sottomultipli << 7 << QStringLiteral("E' più capace il dl o il l ?") << QStringLiteral("l");
        QTest::newRow("sottomultipli 8") << sottomultipli << 8 << QStringLiteral("E' più capace il cl o il l ?") << QStringLiteral("l");
        QTest::newRow("sottomultipli 9") << sottomultipli << 9 << QStringLiteral("E' più capace il ml o il l ?") << QStringLiteral("l");
        QTest::newRow("sottomultipli 10") << sottomultipli << 10 << QStringLiteral("E' più capace il cl o il dl ?") << QStringLiteral("dl");
        QTest::newRow("sottomultipli 11") << sottomultipli << 11 << QStringLiteral("E' più capace il ml o il dl ?") << QStringLiteral("dl");
        QTest::newRow("sottomultipli 12") << sottomultipli << 12 << QStringLiteral("E' più capace il ml o il cl ?") << QStringLiteral("cl");
        QTest::newRow("sottomultipli 13") << sottomultipli << 13 << QStringLiteral("E' meno capace il l o il dl ?") << QStringLiteral("dl");
        QTest::newRow("sottomultipli 14") << sottomultipli << 14 << QStringLiteral("E' meno capace il l o il cl ?") << QStringLiteral("cl");
        QTest::newRow("sottomultipli 15") << sottomultipli << 15 << QStringLiteral("E' meno capace il l o il ml ?") << QStringLiteral("ml");
        QTest::newRow("sottomultipli 16") << sottomultipli << 16 << QStringLiteral("E' meno capace il dl o il cl ?") << QStringLiteral("cl");
        QTest::newRow("sottomultipli 17") << sottomultipli << 17 << QStringLiteral("E' meno capace il dl o il ml ?") << QStringLiteral("ml");
        QTest::newRow("sottomultipli 18") << sottomultipli << 18 << QStringLiteral("E' meno capace il cl o il ml ?") << QStringLiteral("ml");
        QTest::newRow("sottomultipli 19") << sottomultipli << 19 << QStringLiteral("E' meno capace il dl o il l ?") << QStringLiteral("dl");
        QTest::newRow("sottomultipli 20") << sottomultipli << 20 << QStringLiteral("E' meno capace il cl o il l ?") << QStringLiteral("cl");
        QTest::newRow("sottomultipli 21") << sottomultipli << 21 << QStringLiteral("E' meno capace il ml o il l ?") << QStringLiteral("ml");
        QTest::newRow("sottomultipli 22") << sottomultipli << 22 << QStringLiteral("E' meno capace  il cl o il dl ?") << QStringLiteral("cl");
        QTest::newRow("sottomultipli 23") << sottomultipli << 23 << QStringLiteral("E' meno capace il ml o il dl ?") << QStringLiteral("ml");
        QTest::newRow("sottomultipli 24") << sottomultipli << 24 << QStringLiteral("E' meno capace il ml  o il cl ?") << QStringLiteral("ml");
        QTest::newRow("sottomultipli 25") << sottomultipli << 25 << QStringLiteral("Quante volte il l è più capace del ml ?") << QStringLiteral("1000");
        QTest::newRow("sottomultipli 26") << sottomultipli << 26 << QStringLiteral("Quante volte il l è più capace del cl ?") << QStringLiteral("100");
        QTest::newRow("sottomultipli 27") << sottomultipli << 27 << QStringLiteral("Quante volte il l è più capace del dl ?") << QStringLiteral("10");
        QTest::newRow("sottomultipli 28") << sottomultipli << 28 << QStringLiteral("Quante volte il dl è più capace del ml ?") << QStringLiteral("100");
        QTest::newRow("sottomultipli 29") << sottomultipli << 29 << QStringLiteral("Quante volte il dl è più capace del cl ?") << QStringLiteral("10");
        QTest::newRow("sottomultipli 30") << sottomultipli << 30 << QStringLiteral("Quante volte cl è più capace del ml ?") << QStringLiteral("10");
        QTest::newRow("sottomultipli 31") << sottomultipli << 31 << QStringLiteral("Quale misura è 1000 volte più capace del ml ?") << QStringLiteral("l");
        QTest::newRow("sottomultipli 32") << sottomultipli << 32 << QStringLiteral("Quale misura è 100 volte più capace del ml ?") << QStringLiteral("dl");
        QTest::newRow("sottomultipli 33") << sottomultipli << 33 << QStringLiteral("Quale misura è 10 volte più capace del ml ?") << QStringLiteral("cl");
        QTest::newRow("sottomultipli 34") << sottomultipli << 34 << QStringLiteral("Quale misura è 100 volte più capace del cl ?") << QStringLiteral("l");
        QTest::newRow("sottomultipli 35") << sottomultipli << 35 << QStringLiteral("Quale misura è 10 volte più capace del cl ?") << QStringLiteral("dl");
        QTest::newRow("sottomultipli 36") << sottomultipli << 36 << QStringLiteral("Quale misura è 10 volte più capace del dl ?") << QStringLiteral("l");
        QTest::newRow("sottomultipli 37") << sottomultipli << 37 << QStringLiteral("Quale misura è 1000 volte meno capace del l ?") << QStringLiteral("ml");
        QTest::newRow("sottomultipli 38") << sottomultipli << 38 << QStringLiteral("Quale misura è 100 volte meno capace del l ?") << QStringLiteral("cl");
        QTest::newRow("sottomultipli 39") << sottomultipli << 39 << QStringLiteral("Quale misura è 10 volte meno capace del l ?") << QStringLiteral("dl");
        QTest::newRow("sottomultipli 40") << sottomultipli << 40 << QStringLiteral("Quale misura è 100 volte meno capace del dl ?") << QStringLiteral("ml");
        QTest::newRow("sottomultipli 41") << sottomultipli << 41 << QStringLiteral("Quale misura è 10 volte meno capace del dl ?") << QStringLiteral("cl");
        QTest::newRow("sottomultipli 42") << sottomultipli << 42 << QStringLiteral("Quale misura è 10 volte meno capace del cl ?") << QStringLiteral("ml");
        QTest::newRow("sottomultipli 43") << sottomultipli << 43 << QStringLiteral("Quante volte il ml è meno capace del l ?") << QStringLiteral("1000");
        QTest::newRow("sottomultipli 44") << sottomultipli << 44 << QStringLiteral("Quante volte il ml è meno capace del  dl ?") << QStringLiteral("100");
        QTest::newRow("sottomultipli 45") << sottomultipli << 45 << QStringLiteral("Quante volte il ml è meno capace del cl ?") << QStringLiteral("10");
        QTest::newRow("sottomultipli 46") << sottomultipli << 46 << QStringLiteral("Quante volte il cl è meno capace del l ?") << QStringLiteral("100");
        QTest::newRow("sottomultipli 47") << sottomultipli << 47 << QStringLiteral("Quante volte il cl è meno capace del dl ?") << QStringLiteral("10");
        QTest::newRow("sottomultipli 48") << sottomultipli << 48 << QStringLiteral("Quante volte il dl è meno capace del l ?") << QStringLiteral("10");
        QTest::newRow("sottomultipli 49") << sottomultipli << 49 << QStringLiteral("Se divido il l in 10 parti equivalenti che unità di misura ottengo ?") << QStringLiteral("dl");
        QTest::newRow("sottomultipli 50") << sottomultipli << 50 << QStringLiteral("Se divido il l in 100 parti equivalenti che unità di misura ottengo ?") << QStringLiteral("cl");
        QTest::newRow("sottomultipli 51") << sottomultipli << 51 << QStringLiteral("Se divido il l in 1.000 parti equivalenti che unità di misura ottengo ?") << QStringLiteral("ml");
        QTest::newRow("sottomultipli 52") << sottomultipli << 52 << QStringLiteral("Se divido il dl in 10 parti equivalenti che unità di misura ottengo ?") << QStringLiteral("cl");
        QTest::newRow("sottomultipli 53") << sottomultipli << 53 << QStringLiteral("Se divido il dl in 100 parti equivalenti che unità di misura ottengo ?") << QStringLiteral("ml");
        QTest::newRow("sottomultipli 54") << sottomultipli << 54 << QStringLiteral("Se divido il cl in 10 parti equivalenti che unità di misura ottengo ?") << QStringLiteral("ml");
        QTest::newRow("sottomultipli 55") << sottomultipli << 55 << QStringLiteral("In quante parti equivalenti devo dividere il l per ottenere il dl ?") << QStringLiteral("10");
        QTest::newRow("sottomultipli 56") << sottomultipli << 56 << QStringLiteral("In quante parti equivalenti devo dividere il l per ottenere il cl ?") << QStringLiteral("100");
        QTest::newRow("sottomultipli 57") << sottomultipli << 57 << QStringLiteral("In quante parti equivalenti devo dividere il l per ottenere il ml ?") << QStringLiteral("1000");
        QTest::newRow("sottomultipli 58") << sottomultipli << 58 << QStringLiteral("In quante parti equivalenti devo dividere il dl per ottenere il cl ?") << QStringLiteral("10");
        QTest::newRow("sottomultipli 59") << sottomultipli << 59 << QStringLiteral("In quante parti equivalenti devo dividere il dl per ottenere il ml ?") << QStringLiteral("100");
        QTest::newRow("sottomultipli 60") << sottomultipli << 60 << QStringLiteral("In quante parti equivalenti devo dividere il cl per ottenere il ml ?") << QStringLiteral("10");
        QTest::newRow("sottomultipli 61") << sottomultipli << 61 << QStringLiteral("Quale misura ho diviso in 1.000 parti equivalenti per ottenere il ml ?") << QStringLiteral("l");
        QTest::newRow("sottomultipli 62") << sottomultipli << 62 << QStringLiteral("Quale misura ho diviso in 100 parti equivalenti per ottenere il ml ?") << QStringLiteral("dl");
        QTest::newRow("sottomultipli 63") << sottomultipli << 63 << QStringLiteral("Quale misura ho diviso in 10 parti equivalenti per ottenere il ml ?") << QStringLiteral("cl");
        QTest::newRow("sottomultipli 64") << sottomultipli << 64 << QStringLiteral("Quale misura ho diviso in 100 parti equivalenti per ottenere il cl ?") << QStringLiteral("l");
        QTest::newRow("sottomultipli 65") << sottomultipli << 65 << QStringLiteral("Quale misura ho diviso in 10 parti equivalenti per ottenere il cl ?") << QStringLiteral("dl");
        QTest::newRow("sottomultipli 66") << sottomultipli << 66 << QStringLiteral("Quale misura ho diviso in 10 parti equivalenti per ottenere il dl ?") << QStringLiteral("l");
        QTest::newRow("sottomultipli 67") << sottomultipli << 67 << QStringLiteral("Quanti ml devo unire per formare il cl ?") << QStringLiteral("10");
        QTest::newRow("sottomultipli 68") << sottomultipli << 68 << QStringLiteral("Quanti ml devo unire per formare il dl ?") << QStringLiteral("100");
        QTest::newRow("sottomultipli 69") << sottomultipli << 69 << QStringLiteral("Quanti ml devo unire per formare il l ?") << QStringLiteral("1000");
        QTest::newRow("sottomultipli 70") << sottomultipli << 70 << QStringLiteral("Quanti cl devo unire per formare il dl ?") << QStringLiteral("10");
        QTest::newRow("sottomultipli 71") << sottomultipli << 71 << QStringLiteral("Quanti cl devo unire per formare il l ?") << QStringLiteral("100");
        QTest::newRow("sottomultipli 72") << sottomultipli << 72 << QStringLiteral("Quanti dl devo unire per formare il l ?") << QStringLiteral("10");
        QTest::newRow("sottomultipli 73") << sottomultipli << 73 << QStringLiteral("Se unisco 10 ml che unità di misura ottengo ?") << QStringLiteral("cl");
        QTest::newRow("sottomultipli 74") << sottomultipli << 74 << QStringLiteral("Se unisco 100 ml che unità di misura ottengo ?") << QStringLiteral("dl");
        QTest::newRow("sottomultipli 75") << sottomultipli << 75 << QStringLiteral("Se unisco 1.000 ml che unità di misura ottengo ?") << QStringLiteral("l");
        QTest::newRow("sottomultipli 76") << sottomultipli << 76 << QStringLiteral("Se unisco 10 cl che unità di misura ottengo ?") << QStringLiteral("dl");
        QTest::newRow("sottomultipli 77") << sottomultipli << 77 << QStringLiteral("Se unisco 100 cl che unità di misura ottengo ?") << QStringLiteral("l");
        QTest::newRow("sottomultipli 78") << sottomultipli << 78 << QStringLiteral("Se unisco 10 dl che unità di misura ottengo ?") << QStringLiteral("l");
        QTest::newRow("sottomultipli 79") << sottomultipli << 79 << QStringLiteral("Quanti ml devo unire per ottenere il cl ?") << QStringLiteral("10");
        QTest::newRow("sottomultipli 80") << sottomultipli << 80 << QStringLiteral("Quanti ml devo unire per ottenere il dl ?") << QStringLiteral("100");
        QTest::newRow("sottomultipli 81") << sottomultipli << 81 << QStringLiteral("Quanti ml devo unire per ottenere il l ?") << QStringLiteral("1000");
        QTest::newRow("sottomultipli 82") << sottomultipli << 82 << QStringLiteral("Quanti cl devo unire per ottenere il dl ?") << QStringLiteral("10");
        QTest::newRow("sottomultipli 83") << sottomultipli << 83 << QStringLiteral("Quanti cl devo unire per ottenere il l ?") << QStringLiteral("100");
        QTest::newRow("sottomultipli 84") << sottomultipli << 84 << QStringLiteral("Quanti dl devo unire per ottenere il l ?") << QStringLiteral("10");
        QTest::newRow("sottomultipli 85") << sottomultipli << 85 << QStringLiteral("Quale unità di misura ho unito 1000 volte per ottenere il l ?") << QStringLiteral("ml");
        QTest::newRow("sottomultipli 86") << sottomultipli << 86 << QStringLiteral("Quale unità di misura ho unito 100 volte per ottenere il dl ?") << QStringLiteral("ml");
        QTest::newRow("sottomultipli 87") << sottomultipli << 87 << QStringLiteral("Quale unità di misura ho unito 10 volte per ottenere il cl ?") << QStringLiteral("ml");
        QTest::newRow("sottomultipli 88") << sottomultipli << 88 << QStringLiteral("Quale unità di misura ho unito 100 volte per ottenere il l ?") << QStringLiteral("cl");
        QTest::newRow("sottomultipli 89") << sottomultipli << 89 << QStringLiteral("Quale unità di misura ho unito 10 volte per ottenere il dl ?") << QStringLiteral("cl");
        QTest::newRow("sottomultipli 90") << sottomultipli << 90 << QStringLiteral("Quale unità di misura ho unito 10 volte per ottenere il l ?") << QStringLiteral("dl");
        QTest::newRow("sottomultipli 91") << sottomultipli << 91 << QStringLiteral("Come si chiama la 1/1000 parte del litro ?") << QStringLiteral("ml");
        QTest::newRow("sottomultipli 92") << sottomultipli << 92 << QStringLiteral("Come si chiama la 1/100 parte del litro ?") << QStringLiteral("cl");
        QTest::newRow("sottomultipli 93") << sottomultipli << 93 << QStringLiteral("Come si chiama la 1/10 parte del litro ?") << QStringLiteral("dl");
        QTest::newRow("sottomultipli 94") << sottomultipli << 94 << QStringLiteral("Come si chiama la 1/100 parte del decilitro ?") << QStringLiteral("ml");
        QTest::newRow("sottomultipli 95") << sottomultipli << 95 << QStringLiteral("Come si chiama la 1/10 parte del decilitro ?") << QStringLiteral("cl");
        QTest::newRow("sottomultipli 96") << sottomultipli << 96 << QStringLiteral("Come si chiama la 1/10 parte del centilitro ?") << QStringLiteral("ml");
        // clang-format on
    }
    void voci() {
        QFETCH(const Catalogo*, catalogo);
        QFETCH(int, numero);
        QFETCH(QString, testo);
        QFETCH(QString, risposta);
        const auto voce = catalogue::cerca(*catalogo, float(numero));
        QVERIFY(voce.has_value());
        QCOMPARE(QString::fromUtf8(voce->testo), testo);
        QCOMPARE(QString::fromUtf8(voce->risposta), risposta);
    }

    void risposteSonoDidascalie_data() {
        QTest::addColumn<const Catalogo*>("catalogo");
        QTest::addColumn<QStringList>("didascalie");
        QTest::newRow("multipli") << multipli << QStringList{"10", "100", "1000", "l", "dal", "hl"};
        QTest::newRow("sottomultipli") << sottomultipli << QStringList{"10", "100", "1000", "ml", "cl", "dl", "l"};
    }
    void risposteSonoDidascalie() {
        QFETCH(const Catalogo*, catalogo);
        QFETCH(QStringList, didascalie);
        QSet<QString> usate;
        for (const catalogue::Voce& voce : *catalogo) {
            QVERIFY2(didascalie.contains(QString::fromUtf8(voce.risposta)), voce.testo);
            QVERIFY2(QString::fromUtf8(voce.testo).endsWith(QStringLiteral(" ?")), voce.testo);
            usate.insert(QString::fromUtf8(voce.risposta));
        }
        // Multiples: no question expects "1000"; submultiples: every caption is some answer.
        QCOMPARE(usate.size(), catalogo == multipli ? didascalie.size() - 1 : didascalie.size());
    }

    void numeriSenzaVoce_data() {
        QTest::addColumn<const Catalogo*>("catalogo");
        QTest::addColumn<float>("numero");
        QTest::newRow("multipli 0") << multipli << 0.0f;
        QTest::newRow("multipli 49") << multipli << 49.0f;
        QTest::newRow("multipli 2.5") << multipli << 2.5f;
        QTest::newRow("sottomultipli -1") << sottomultipli << -1.0f;
        QTest::newRow("sottomultipli 97") << sottomultipli << 97.0f;
    }
    void numeriSenzaVoce() {
        QFETCH(const Catalogo*, catalogo);
        QFETCH(float, numero);
        QVERIFY(!catalogue::cerca(*catalogo, numero).has_value());
    }

    // The four effects, in order: text, expected answer, clock reading, instruction.
    void visualizzaInOrdine() {
        platform::Label numero2(nullptr);
        platform::Label istruzione(nullptr);
        istruzione.setText(QStringLiteral("Clicca sul pulsante Verifica"));
        catalogue::StatoDomanda stato;
        stato.numeroDomanda = 14;
        stato.tempoInizio = 1.0f;
        clock.now = 500.5f;
        QStringList visto;
        connect(&numero2, &platform::Label::changed, [&] {
            visto
                << QStringLiteral("domanda %1 %2 %3").arg(numero2.text(), stato.rispostaEsatta).arg(stato.tempoInizio);
        });
        connect(&istruzione, &platform::Label::changed,
                [&] { visto << QStringLiteral("istruzione %1 %2").arg(istruzione.text()).arg(stato.tempoInizio); });
        catalogue::visualizza(catalogue::catalogoMultipli, stato, numero2, istruzione, clock);
        QCOMPARE(visto, QStringList({QString::fromUtf8("domanda Quante volte l'hl è più capace del dal ? 10 1"),
                                     QStringLiteral("istruzione Clicca sul pulsante esatto 500.5")}));
        QCOMPARE(stato.testoDomanda, QString::fromUtf8("Quante volte l'hl è più capace del dal ?"));

        // The same number again: same question and answer, a later reading.
        clock.now = 503.25f;
        catalogue::visualizza(catalogue::catalogoMultipli, stato, numero2, istruzione, clock);
        QCOMPARE(stato.rispostaEsatta, QStringLiteral("10"));
        QCOMPARE(stato.tempoInizio, 503.25f);
    }

    void visualizzaSenzaVoce() {
        platform::Label numero2(nullptr);
        platform::Label istruzione(nullptr);
        catalogue::StatoDomanda stato;
        stato.numeroDomanda = 49;
        numero2.setText(QStringLiteral("x"));
        catalogue::visualizza(catalogue::catalogoMultipli, stato, numero2, istruzione, clock);
        QCOMPARE(numero2.text(), QString());
        QCOMPARE(stato.rispostaEsatta, QString());
        QCOMPARE(istruzione.text(), QStringLiteral("Clicca sul pulsante esatto"));

        stato.numeroDomanda = 96;
        catalogue::visualizza(catalogue::catalogoSottomultipli, stato, numero2, istruzione, clock);
        stato.numeroDomanda = 0;
        clock.now = 77.0f;
        catalogue::visualizza(catalogue::catalogoSottomultipli, stato, numero2, istruzione, clock);
        QCOMPARE(numero2.text(), QStringLiteral("Come si chiama la 1/10 parte del centilitro ?"));
        QCOMPARE(stato.rispostaEsatta, QStringLiteral("ml"));
        QCOMPARE(stato.tempoInizio, 77.0f);
    }
};

QTEST_MAIN(TestCatalogo)
#include "tst_catalogo.moc"
