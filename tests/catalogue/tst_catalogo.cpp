// The two catalogues, entry by entry, and visualizza.

#include "catalogue/catalogo.h"
#include "platform/access/spoken.h"
#include "support/support.h"

#include <QJsonArray>
#include <QtTest>

using catalogue::Catalogo;

Q_DECLARE_METATYPE(const Catalogo*)

namespace {

const Catalogo* const multipli = &catalogue::catalogoMultipli;
const Catalogo* const sottomultipli = &catalogue::catalogoSottomultipli;

// Every entry as the pupil must read it, written out apart from the program's tables.
QJsonObject catalogoScritto() {
    return support::tabella(QStringLiteral("catalogo.json"));
}

// The words of a spoken text that are still unit symbols: a word with an elided article before
// it ("l'hl", "dell' hl") counts without the article.
QStringList simboliRimasti(const QString& detto) {
    static const QStringList simboli{"l", "dal", "hl", "dl", "cl", "ml"};
    QStringList rimasti;
    for (QString parola : detto.split(QRegularExpression(QStringLiteral("[\\s?.,]+")), Qt::SkipEmptyParts)) {
        parola.remove(QRegularExpression(QStringLiteral("^\\w+'")));
        if (simboli.contains(parola))
            rimasti << parola;
    }
    return rimasti;
}

} // namespace

class TestCatalogo : public QObject {
    Q_OBJECT

private:
    support::StandInClock clock;

private slots:
    void initTestCase() { support::setUpApplication(); }

    void dimensioni() {
        QCOMPARE(catalogue::catalogoMultipli.size(), std::size_t(48));
        QCOMPARE(catalogue::catalogoSottomultipli.size(), std::size_t(96));
    }

    void voci_data() {
        QTest::addColumn<const Catalogo*>("catalogo");
        QTest::addColumn<int>("numero");
        QTest::addColumn<QString>("testo");
        QTest::addColumn<QString>("risposta");
        const auto righe = [](const QString& nome, const Catalogo* catalogo) {
            const QJsonArray voci = catalogoScritto()[nome].toArray();
            for (int i = 0; i < voci.size(); ++i) {
                const QJsonArray v = voci[i].toArray();
                QTest::addRow("%s %d", qPrintable(nome), i + 1)
                    << catalogo << i + 1 << v[0].toString() << v[1].toString();
            }
        };
        righe(QStringLiteral("multipli"), multipli);
        righe(QStringLiteral("sottomultipli"), sottomultipli);
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
        // Said by its units' names, "E'" as "È", with no blank before "?".
        const QString detto = platform::spokenText(testo);
        QCOMPARE(simboliRimasti(detto), QStringList());
        QVERIFY2(!detto.contains(QLatin1String("E'")) && !detto.contains(QLatin1String(" ?")), qPrintable(detto));
        QCOMPARE(detto.startsWith(QString::fromUtf8("È ")), testo.startsWith(QLatin1String("E' ")));
    }

    // A few texts word for word as a screen reader is given them.
    void detto_data() {
        QTest::addColumn<QString>("testo");
        QTest::addColumn<QString>("detto");
        // clang-format off
        QTest::newRow("l'hl, il dal") << "E' più capace l'hl o il dal ?" << "È più capace l'ettolitro o il decalitro?";
        QTest::newRow("il l, two blanks") << "E' più capace il l  o il dal ?" << "È più capace il litro  o il decalitro?";
        QTest::newRow("dell' hl") << "Quante volte il l è meno capace dell' hl ?" << "Quante volte il litro è meno capace dell' ettolitro?";
        QTest::newRow("quanti, plural") << "Quanti dal devo unire per formare l'hl ?" << "Quanti decalitri devo unire per formare l'ettolitro?";
        QTest::newRow("a number, plural") << "Se unisco 100 l che unità di misura ottengo ?" << "Se unisco 100 litri che unità di misura ottengo?";
        QTest::newRow("10 volte, singular") << "Quale misura è 10 volte più capace del ml ?" << "Quale misura è 10 volte più capace del millilitro?";
        QTest::newRow("1/10 parte") << "Come si chiama la 1/10 parte del l ?" << "Come si chiama la 1/10 parte del litro?";
        QTest::newRow("no article") << "Quante volte cl è più capace del ml ?" << "Quante volte centilitro è più capace del millilitro?";
        QTest::newRow("caption dal") << "dal" << "decalitro";
        QTest::newRow("caption l") << "l" << "litro";
        QTest::newRow("caption ml") << "ml" << "millilitro";
        // Captions, numbers and words that merely contain a symbol stay as they are.
        QTest::newRow("1000") << "1000" << "1000";
        QTest::newRow("F i n e") << "F i n e" << "Fine";
        QTest::newRow("E  s  a  t  t  o") << "E  s  a  t  t  o" << "Esatto";
        QTest::newRow("heading") << "IL LITRO E I SUOI  SOTTOMULTIPLI" << "IL LITRO E I SUOI  SOTTOMULTIPLI";
        QTest::newRow("instruction") << "Clicca sul pulsante Verifica" << "Clicca sul pulsante Verifica";
        QTest::newRow("dalla, mille") << "dalla mille l'ml" << "dalla mille l'millilitro";
        // clang-format on
    }
    void detto() {
        QFETCH(QString, testo);
        QFETCH(QString, detto);
        QCOMPARE(platform::spokenText(testo), detto);
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
