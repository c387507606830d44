// The faces the windows are drawn in: each face the layouts name resolves to the intended family,
// the column headings of "ELABORAZIONE" stand between their lines, and every one-line text fits
// its control. Measured in the fonts this system actually resolves.

#include "quiz/finestraquiz.h"
#include "shell/frminizio.h"
#include "shell/frmwww.h"
#include "shell/programma.h"
#include "support/support.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QStyle>
#include <QtTest>

#include <memory>

using namespace support;

class TestCaratteri : public QObject {
    Q_OBJECT

private:
    StandInClock clock;
    StandInRandom random;
    std::unique_ptr<shell::Programma> programma;

    platform::Form& quiz(bool sotto) {
        return sotto ? static_cast<platform::Form&>(programma->sottomultipli())
                     : static_cast<platform::Form&>(programma->multipli());
    }

    // Where a word of a heading label lands, in pixels from the frame's left edge.
    static QPair<qreal, qreal> posizione(QLabel* label, const QString& parola, int occorrenza) {
        const QString testo = label->text();
        int at = -1;
        for (int i = 0; i <= occorrenza; ++i)
            at = testo.indexOf(parola, at + 1);
        const QFontMetricsF m(label->font());
        const qreal inizio = label->x() + m.horizontalAdvance(testo.left(at));
        return {inizio, inizio + m.horizontalAdvance(parola)};
    }

    // Blanks at the end of a line take no room: text wraps only before a word that does not fit.
    static void entra(const QString& cosa, QString testo, const QFont& font, qreal larghezza) {
        while (testo.endsWith(QLatin1Char(' ')))
            testo.chop(1);
        const qreal misura = QFontMetricsF(font).horizontalAdvance(testo);
        QVERIFY2(misura <= larghezza, qPrintable(QStringLiteral("%1 \"%2\" is %3 px in %4 px (%5)")
                                                     .arg(cosa, testo)
                                                     .arg(misura)
                                                     .arg(larghezza)
                                                     .arg(QFontInfo(font).family())));
    }

private slots:
    void initTestCase() {
        support::setUpApplication();
        random.values = {0.25f};
        programma = std::make_unique<shell::Programma>(clock, random);
        programma->avvia();
        for (platform::Form* f : {&quiz(false), &quiz(true), static_cast<platform::Form*>(&programma->www())})
            f->show();
    }

    void cleanupTestCase() {
        programma.reset();
        flushDeletes();
    }

    // A machine without an intended face fails here instead of quietly drawing another.
    void famiglie() {
        for (platform::Form* f : programma->finestre()) {
            for (const platform::ControlGroup& gruppo : f->layout().groups) {
                for (const platform::Control& riga : gruppo.controls) {
                    if (!riga.font.face)
                        continue;
                    const QString nome = QString::fromUtf8(riga.name);
                    const QString risolta = QFontInfo(f->control(nome)->font()).family();
                    QVERIFY2(intendedFamilies(QString::fromLatin1(riga.font.face)).contains(risolta),
                             qPrintable(QStringLiteral("%1 %2: %3 resolves to %4")
                                            .arg(f->window()->objectName(), nome, QString::fromLatin1(riga.font.face),
                                                 risolta)));
                }
            }
        }
    }

    void intestazioni_data() {
        QTest::addColumn<bool>("sotto");
        QTest::addColumn<QString>("etichetta");
        QTest::addColumn<QString>("parola");
        QTest::addColumn<int>("occorrenza");
        QTest::addColumn<QString>("lineaSinistra");
        QTest::addColumn<QString>("lineaDestra"); // empty: the frame's right edge
        QTest::addColumn<QString>("colonna");
        // clang-format off
        for (bool sotto : {false, true}) {
            const char* f = sotto ? "sottomultipli" : "multipli";
            QTest::addRow("%s Dom.", f) << sotto << "Label9" << "Dom." << 0 << "Line1" << "Line2" << "LblOperazione";
            QTest::addRow("%s Tempo parziale", f) << sotto << "Label9" << "Tempo" << 0 << "Line2" << "Line4" << "LblTempoParziale";
            QTest::addRow("%s parziale", f) << sotto << "Label7" << "parziale" << 0 << "Line2" << "Line4" << "LblTempoParziale";
            QTest::addRow("%s Tempo totale", f) << sotto << "Label9" << "Tempo" << 1 << "Line4" << "" << "LblTempoTotale";
            QTest::addRow("%s totale", f) << sotto << "Label7" << "totale" << 0 << "Line4" << "" << "LblTempoTotale";
        }
        // clang-format on
    }
    void intestazioni() {
        QFETCH(bool, sotto);
        QFETCH(QString, etichetta);
        QFETCH(QString, parola);
        QFETCH(int, occorrenza);
        QFETCH(QString, lineaSinistra);
        QFETCH(QString, lineaDestra);
        QFETCH(QString, colonna);
        platform::Form& f = quiz(sotto);
        const auto [inizio, fine] = posizione(f.label(etichetta), parola, occorrenza);
        const qreal sinistra = f.control(lineaSinistra)->x();
        const qreal destra =
            lineaDestra.isEmpty() ? f.control(QStringLiteral("Frame2"))->width() : f.control(lineaDestra)->x();
        const QRect cella = f.control(colonna)->geometry();
        const QString dove = QStringLiteral("\"%1\" at %2-%3 px, lines at %4 and %5, column %6-%7 (%8)")
                                 .arg(parola)
                                 .arg(inizio)
                                 .arg(fine)
                                 .arg(sinistra)
                                 .arg(destra)
                                 .arg(cella.left())
                                 .arg(cella.right() + 1)
                                 .arg(QFontInfo(f.label(etichetta)->font()).family());
        QVERIFY2(inizio > sinistra && fine < destra, qPrintable(dove));
        QVERIFY2(inizio < cella.right() + 1 && fine > cella.left(), qPrintable(dove));
    }

    // Every caption and every line of text that the windows show on one line; the question wraps
    // by design and the hidden main-menu buttons are never seen.
    void testiSuUnaRiga() {
        for (platform::Form* f : programma->finestre()) {
            for (QPushButton* b : f->window()->findChildren<QPushButton*>()) {
                if (f->design(b->objectName())->flags & platform::Hidden)
                    continue;
                const int bordo = b->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, b);
                entra(b->objectName(), b->text(), b->font(), b->width() - 2 * bordo);
            }
            for (QLabel* l : f->window()->findChildren<QLabel*>()) {
                if (l->objectName() != QLatin1String("LblNumero2"))
                    entra(l->objectName(), l->text(), l->font(), l->width());
            }
        }
        // The texts the flow writes into labels of one line.
        platform::Form& q = quiz(true);
        for (const char* istruzione : {"Clicca sul pulsante esatto", "Clicca sul pulsante Verifica",
                                       "Clicca sul pulsante Visualizza nuova domanda"})
            entra(QStringLiteral("LblIstruzione"), QString::fromUtf8(istruzione), q.label("LblIstruzione")->font(),
                  q.label("LblIstruzione")->width());
        for (const char* esito : {"E  s  a  t  t  o", "E  r  r  a  t  o"})
            entra(QStringLiteral("LblEsito"), QString::fromUtf8(esito), q.label("LblEsito")->font(),
                  q.label("LblEsito")->width());
        for (const char* risposta : {"10", "100", "1000", "l", "dal", "hl", "dl", "cl", "ml"})
            entra(QStringLiteral("lblRisultato"), QString::fromUtf8(risposta), q.label("lblRisultato")->font(),
                  q.label("lblRisultato")->width());
        entra(QStringLiteral("LblOperazione"), QStringLiteral("96"), q.label("LblOperazione")->font(),
              q.label("LblOperazione")->width());
    }
};

QTEST_MAIN(TestCaratteri)
#include "tst_caratteri.moc"
