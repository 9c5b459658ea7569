#include "common/fieldtext.h"
#include "common/wording.h"

#include <QLocale>
#include <QTest>
#include <limits>

using namespace Qt::Literals::StringLiterals;

class TestFieldText : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void trimmingRemovesSpacesOnly()
    {
        QCOMPARE(TrimSpaces(u"  non smoker  "_s), u"non smoker"_s);
        QCOMPARE(TrimSpaces(u"\tx\t"_s), u"\tx\t"_s);
        QCOMPARE(TrimSpaces(u"    "_s), QString());
        QVERIFY(!PassesNameTest(u"   "_s));
        QVERIFY(PassesNameTest(u"\t"_s));
        QVERIFY(PassesNameTest(u"0"_s));
    }

    void numberTestAndConversionAgree_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("numeric");
        QTest::addColumn<double>("value");

        QTest::newRow("plain") << u"en_US"_s << u"4.32"_s << true << 4.32;
        QTest::newRow("leading point with blanks") << u"en_US"_s << u" .05 "_s << true << 0.05;
        QTest::newRow("exponent upper") << u"en_US"_s << u"5E-2"_s << true << 0.05;
        QTest::newRow("exponent lower") << u"en_US"_s << u"1e-3"_s << true << 0.001;
        QTest::newRow("negative") << u"en_US"_s << u"-1"_s << true << -1.0;
        QTest::newRow("plus sign") << u"en_US"_s << u"+2.5"_s << true << 2.5;
        QTest::newRow("trailing letters") << u"en_US"_s << u"12,5x"_s << false << 0.0;
        QTest::newRow("word") << u"en_US"_s << u"abc"_s << false << 0.0;
        QTest::newRow("empty") << u"en_US"_s << QString() << false << 0.0;
        QTest::newRow("blanks only") << u"en_US"_s << u"   "_s << false << 0.0;
        QTest::newRow("nan") << u"en_US"_s << u"nan"_s << false << 0.0;
        QTest::newRow("inf") << u"en_US"_s << u"inf"_s << false << 0.0;
        QTest::newRow("negative inf") << u"en_US"_s << u"-inf"_s << false << 0.0;
        QTest::newRow("overflow") << u"en_US"_s << u"1e999"_s << false << 0.0;
        QTest::newRow("group separator refused") << u"en_US"_s << u"1,000"_s << false << 0.0;
        QTest::newRow("tab around refused") << u"en_US"_s << u"\t5"_s << false << 0.0;
        QTest::newRow("inner blank") << u"en_US"_s << u"1 000"_s << false << 0.0;
        QTest::newRow("hexadecimal") << u"en_US"_s << u"0x10"_s << false << 0.0;
        QTest::newRow("decimal comma in German") << u"de_DE"_s << u"12,5"_s << true << 12.5;
        QTest::newRow("decimal point in German") << u"de_DE"_s << u".05"_s << false << 0.0;
        QTest::newRow("exponent in German") << u"de_DE"_s << u"5E-2"_s << true << 0.05;
    }

    void numberTestAndConversionAgree()
    {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QFETCH(bool, numeric);
        QFETCH(double, value);
        QLocale::setDefault(QLocale(locale));

        QCOMPARE(PassesNumberTest(text), numeric);
        const std::optional<double> converted = TextToNumber(text);
        QCOMPARE(converted.has_value(), numeric);
        if (numeric)
            QCOMPARE(*converted, value);
    }

    void numberToTextWritesPlainRegionalFigures_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");

        QTest::newRow("binary noise rounded away") << u"en_US"_s << (0.1 + 0.2 - 2) << u"-1.7"_s;
        QTest::newRow("no group separator") << u"en_US"_s << 1234567.0 << u"1234567"_s;
        QTest::newRow("fifteen digits")
            << u"en_US"_s << 123456789012.345678 << u"123456789012.346"_s;
        QTest::newRow("decimal comma") << u"de_DE"_s << 9.5 << u"9,5"_s;
        // Where Qt's own form would not read back.
        QTest::newRow("Swedish exponent") << u"sv_SE"_s << 1e21 << u"1E+21"_s;
        QTest::newRow("Hebrew minus") << u"he_IL"_s << -1.0 << u"-1"_s;
        QTest::newRow("Arabic minus") << u"ar_EG"_s << -0.5 << u"-0\u066B5"_s;
        QTest::newRow("largest double")
            << u"en_US"_s << std::numeric_limits<double>::max() << u"1.7976931348623E+308"_s;
    }

    void numberToTextWritesPlainRegionalFigures()
    {
        QFETCH(QString, locale);
        QFETCH(double, value);
        QFETCH(QString, text);
        QLocale::setDefault(QLocale(locale));
        QCOMPARE(NumberToText(value), text);
    }

    // The boxes the program fills are checked like typed ones, in every regional format.
    void numberToTextReadsBackInEveryRegion()
    {
        const double values[] = {29,
                                 -1,
                                 -0.5,
                                 0.1 + 0.2,
                                 1e21,
                                 -1e-7,
                                 std::numeric_limits<double>::max(),
                                 std::numeric_limits<double>::lowest(),
                                 std::numeric_limits<double>::denorm_min()};
        const QList<QLocale> regions = QLocale::matchingLocales(
            QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory);
        QVERIFY(regions.size() > 100);
        for (const QLocale &region : regions) {
            QLocale::setDefault(region);
            for (const double value : values) {
                const QString text = NumberToText(value);
                const std::optional<double> back = TextToNumber(text);
                QVERIFY2(back, qPrintable(region.name() + u": "_s + text));
                QVERIFY2(qAbs(*back - value) <= 1e-13 * qAbs(value) + 1e-323,
                         qPrintable(region.name() + u": "_s + text));
            }
        }
    }

    // The wording decisions the t-test windows and the chi-square window share. The windows'
    // tests show only that each window hands them the right boxes.
    void wordingDecisions_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<bool>("significant");  // first as p, second as alpha
        QTest::addColumn<QString>("direction"); // first and second as the two means
        QTest::newRow("below") << u".038"_s << u".05"_s << true << u" less"_s;
        QTest::newRow("equal in another form") << u"0.050"_s << u".05"_s << false << u" less"_s;
        QTest::newRow("above") << u".051"_s << u".05"_s << false << u" greater"_s;
        QTest::newRow("exponent") << u"1E-05"_s << u".05"_s << true << u" less"_s;
        QTest::newRow("blank before a negative") << u" -1"_s << u".05"_s << true << u" less"_s;
        QTest::newRow("equal means") << u"10"_s << u"10.0"_s << false << u" less"_s;
        QTest::newRow("negative means") << u"-2"_s << u"-3"_s << false << u" greater"_s;
        QTest::newRow("not a number") << u"nan"_s << u".05"_s << false << u" less"_s;
    }

    void wordingDecisions()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QLocale::setDefault(QLocale(u"en_US"_s));
        QTEST(IsSignificant(first, second), "significant");
        QTEST(DirectionWord(first, second), "direction");
    }

    void onlyTheExactTextOneIsOneTailed()
    {
        QCOMPARE(TailWord(u"1"_s), u" one-tailed"_s);
        for (const QString &tails :
             {u"2"_s, QString(), u" 1"_s, u"1 "_s, u"1.0"_s, u"01"_s, u"one"_s})
            QVERIFY2(TailWord(tails) == u" two-tailed"_s, qPrintable(tails));
    }
};

QTEST_GUILESS_MAIN(TestFieldText)
#include "tst_fieldtext.moc"
