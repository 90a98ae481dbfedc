#include "ui/qt/Cp1251.h"

#include <QTest>

using lirbo::ui::fromCp1251;
using lirbo::ui::toCp1251;

class Cp1251Test : public QObject {
    Q_OBJECT
private slots:
    void everyByteSurvivesTheRoundTrip() {
        std::string all;
        for (int b = 0; b < 256; ++b) {
            all.push_back(static_cast<char>(b));
        }
        const QString text = fromCp1251(all);
        QCOMPARE(text.size(), 256);
        QCOMPARE(toCp1251(text), all);
    }

    void convertsKnownCharacters_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("ascii") << QStringLiteral("Hello;1") << QByteArray("Hello;1");
        // "ОТКЛЮЧИЛСЯ"
        QTest::newRow("cyrillic upper") << QStringLiteral("ОТКЛЮЧИЛСЯ")
                                        << QByteArray("\xCE\xD2\xCA\xCB\xDE\xD7\xC8\xCB\xD1\xDF");
        // "лично от"
        QTest::newRow("cyrillic lower") << QStringLiteral("лично от") << QByteArray("\xEB\xE8\xF7\xED\xEE \xEE\xF2");
        QTest::newRow("yo and numero") << QStringLiteral("Ёё№") << QByteArray("\xA8\xB8\xB9");
        QTest::newRow("euro and dashes") << QStringLiteral("€–—") << QByteArray("\x88\x96\x97");
    }
    void convertsKnownCharacters() {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(QByteArray::fromStdString(toCp1251(text)), bytes);
        QCOMPARE(fromCp1251(bytes.toStdString()), text);
    }

    void missingCharactersBecomeQuestionMarks_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("latin accents") << QStringLiteral("é") << QByteArray("?");
        QTest::newRow("cjk") << QStringLiteral("a中b") << QByteArray("a?b");
        QTest::newRow("emoji is one code point") << QStringLiteral("x😀y") << QByteArray("x?y");
        QTest::newRow("lone surrogate") << QString(QChar(0xD800)) << QByteArray("?");
    }
    void missingCharactersBecomeQuestionMarks() {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(QByteArray::fromStdString(toCp1251(text)), bytes);
    }
};

QTEST_APPLESS_MAIN(Cp1251Test)
#include "Cp1251Test.moc"
