// What assistive technology meets: the spoken form of the program's texts.

#include "platform/access/spoken.h"

#include <QtTest>

class TestAccess : public QObject {
    Q_OBJECT

private slots:
    void spokenText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("spoken");
        // clang-format off
        // Captions drawn with spaced letters, single or double blanks, are read as their words.
        QTest::newRow("Fine") << "F i n e" << "Fine";
        QTest::newRow("Esci") << "E S C I" << "Esci";
        QTest::newRow("Esatto") << "E  s  a  t  t  o" << "Esatto";
        QTest::newRow("Errato") << "E  r  r  a  t  o" << "Errato";
        // Anything else stands as it is, blanks included.
        QTest::newRow("a caption of words") << "IL LITRO E I SUOI  SOTTOMULTIPLI" << "IL LITRO E I SUOI  SOTTOMULTIPLI";
        QTest::newRow("one letter") << "l" << "l";
        QTest::newRow("a number") << "1000" << "1000";
        QTest::newRow("spaced digits") << "1 0 0" << "1 0 0";
        QTest::newRow("letters and a digit") << "a b 1" << "a b 1";
        // Without a reading of the program's words, a question loses only the blank before "?".
        QTest::newRow("a question") << "E' più capace l'hl o il dal ?" << "E' più capace l'hl o il dal?";
        QTest::newRow("empty") << "" << "";
        // clang-format on
    }
    void spokenText() {
        QFETCH(QString, text);
        QFETCH(QString, spoken);
        QCOMPARE(platform::spokenText(text), spoken);
    }
};

QTEST_MAIN(TestAccess)
#include "tst_access.moc"
