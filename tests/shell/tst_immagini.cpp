// Pictures of every window in its typical states, checked pixel by pixel against the layout's
// colours, at the scale set by QT_SCALE_FACTOR. With CAPACITA_PICTURES=DIRECTORY the pictures are
// also written there as PNG files (`make screenshots`).

#include "quiz/finestraquiz.h"
#include "shell/frminizio.h"
#include "shell/frmwww.h"
#include "shell/programma.h"
#include "support/support.h"

#include <QDir>
#include <QtTest>

#include <memory>

using namespace support;

class TestImmagini : public QObject {
    Q_OBJECT

private:
    StandInClock clock;
    StandInRandom random;
    std::unique_ptr<shell::Programma> programma;
    qreal scala = 1;

    QImage foto(platform::Form& form, const QString& nome) {
        const QImage immagine = form.window()->grab().toImage();
        const QString cartella = qEnvironmentVariable("CAPACITA_PICTURES");
        if (!cartella.isEmpty()) {
            QDir().mkpath(cartella);
            immagine.save(cartella + QLatin1Char('/') + nome + QStringLiteral(".png"));
        }
        return immagine;
    }

    // The colour at a point given in the logical pixels of a control, in the picture of its window.
    QColor colore(const QImage& immagine, platform::Form& form, const QString& controllo, QPoint punto) {
        QWidget* c = controllo.isEmpty() ? static_cast<QWidget*>(form.clientArea()) : form.control(controllo);
        const QPoint logico = c->mapTo(form.window(), punto);
        return immagine.pixelColor(qRound(logico.x() * scala), qRound(logico.y() * scala));
    }

    quiz::FinestraQuiz& quiz(bool sotto) {
        return sotto ? static_cast<quiz::FinestraQuiz&>(programma->sottomultipli())
                     : static_cast<quiz::FinestraQuiz&>(programma->multipli());
    }

private slots:
    void initTestCase() {
        support::setUpApplication();
        scala = qEnvironmentVariableIsSet("QT_SCALE_FACTOR") ? qEnvironmentVariable("QT_SCALE_FACTOR").toDouble() : 1;
        random.values = {0.3f};
        programma = std::make_unique<shell::Programma>(clock, random);
        programma->avvia();
        QVERIFY(QTest::qWaitForWindowExposed(programma->inizio().window()));
    }

    void cleanupTestCase() {
        programma.reset();
        flushDeletes();
    }

    void menuEInfo() {
        auto& menu = programma->inizio();
        const QImage immagine = foto(menu, QStringLiteral("main-menu"));
        QCOMPARE(immagine.devicePixelRatio(), scala);
        QCOMPARE(immagine.width(), qRound(menu.window()->width() * scala));
        QCOMPARE(colore(immagine, menu, {}, QPoint(3, 140)), QColor(255, 192, 255));
        QCOMPARE(colore(immagine, menu, QStringLiteral("Command1"), QPoint(6, 6)), QColor(255, 128, 255));
        QCOMPARE(colore(immagine, menu, QStringLiteral("Label3"), QPoint(2, 30)), QColor(192, 192, 255));

        auto& www = programma->www();
        www.load();
        www.show();
        const QImage info = foto(www, QStringLiteral("information-window"));
        QCOMPARE(colore(info, www, {}, QPoint(3, 3)), QColor(192, 255, 255));
        www.unload();
    }

    void quiz_data() {
        QTest::addColumn<bool>("sotto");
        QTest::newRow("multiples") << false;
        QTest::newRow("submultiples") << true;
    }
    void quiz() {
        QFETCH(bool, sotto);
        auto& f = quiz(sotto);
        f.load();
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(f.window()));
        const QString nome = sotto ? QStringLiteral("submultiples") : QStringLiteral("multiples");

        const QImage aperta = foto(f, nome + QStringLiteral("-opened"));
        QCOMPARE(colore(aperta, f, {}, QPoint(5, 5)), QColor(255, 224, 192));
        QCOMPARE(colore(aperta, f, QStringLiteral("Command2"), QPoint(6, 6)), QColor(255, 192, 192));
        const QRect riquadro = f.control(QStringLiteral("Frame2"))->rect();
        QCOMPARE(colore(aperta, f, QStringLiteral("Frame2"), QPoint(8, riquadro.height() - 8)), QColor(225, 255, 225));
        QCOMPARE(colore(aperta, f, QStringLiteral("Label3"), QPoint(4, 120)), QColor(255, 255, 192));

        // The expected answer, then a wrong one, then the series played to its end.
        const QStringList didascalie = sotto ? QStringList{"10", "100", "1000", "ml", "cl", "dl", "l"}
                                             : QStringList{"10", "100", "1000", "l", "dal", "hl"};
        const auto pulsante = [&](const QString& didascalia) {
            return QStringLiteral("Command%1").arg(didascalie.indexOf(didascalia) + 2);
        };
        click(f, pulsante(f.stato().rispostaEsatta));
        const QImage scelta = foto(f, nome + QStringLiteral("-answer-chosen"));
        QCOMPARE(colore(scelta, f, QStringLiteral("CmdVerifica"), QPoint(6, 6)), QColor(255, 128, 128));
        click(f, QStringLiteral("CmdVerifica"));
        QCOMPARE(text(f, QStringLiteral("LblEsito")), QStringLiteral("E  s  a  t  t  o"));
        const QImage verificata = foto(f, nome + QStringLiteral("-verified-right"));
        QCOMPARE(colore(verificata, f, QStringLiteral("CmdOperazione"), QPoint(6, 6)), QColor(255, 128, 0));

        click(f, QStringLiteral("CmdOperazione"));
        click(f, pulsante(f.stato().rispostaEsatta == QLatin1String("1000") ? QStringLiteral("10")
                                                                            : QStringLiteral("1000")));
        click(f, QStringLiteral("CmdVerifica"));
        QCOMPARE(text(f, QStringLiteral("LblEsito")), QStringLiteral("E  r  r  a  t  o"));
        foto(f, nome + QStringLiteral("-verified-wrong"));

        while (!f.button(QStringLiteral("CmdRicomincia"))->isVisible()) {
            click(f, QStringLiteral("CmdOperazione"));
            click(f, QStringLiteral("Command2"));
            click(f, QStringLiteral("CmdVerifica"));
        }
        const QImage finita = foto(f, nome + QStringLiteral("-series-ended"));
        QCOMPARE(colore(finita, f, QStringLiteral("CmdFine"), QPoint(6, 6)), QColor(255, 192, 255));
        f.unload();
        flushDeletes();
    }
};

QTEST_MAIN(TestImmagini)
#include "tst_immagini.moc"
