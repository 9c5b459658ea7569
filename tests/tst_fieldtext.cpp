#include "common/fieldtext.h"

#include <QLocale>
#include <QTest>
#include <limits>

using namespace Qt::Literals::StringLiterals;

// The number test and the number-to-text rule the windows share, at their edges; fuzz/fuzz_number
// tries arbitrary input against the same rules.
class TestFieldText : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void numberTestAndConversionAgree_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("numeric");
        QTest::addColumn<double>("value");
        QTest::newRow("trailing letters") << u"en_US"_s << u"12,5x"_s << false << 0.0;
        QTest::newRow("group separator refused") << u"en_US"_s << u"1,000"_s << false << 0.0;
        QTest::newRow("tab around refused") << u"en_US"_s << u"\t5"_s << false << 0.0;
        QTest::newRow("decimal comma in German") << u"de_DE"_s << u"12,5"_s << true << 12.5;
    }

    void numberTestAndConversionAgree()
    {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QFETCH(bool, numeric);
        QLocale::setDefault(QLocale(locale));
        QCOMPARE(PassesNumberTest(text), numeric);
        QCOMPARE(TextToNumber(text).has_value(), numeric);
        if (numeric)
            QTEST(*TextToNumber(text), "value");
    }

    // Fifteen significant digits, fourteen near the largest doubles, where fifteen round beyond.
    void numberToTextKeepsFifteenDigits_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("fifteen digits") << 123456789012.345678 << u"123456789012.346"_s;
        QTest::newRow("largest double")
            << std::numeric_limits<double>::max() << u"1.7976931348623E+308"_s;
    }

    void numberToTextKeepsFifteenDigits()
    {
        QFETCH(double, value);
        QLocale::setDefault(QLocale(u"en_US"_s));
        QTEST(NumberToText(value), "text");
    }
};

QTEST_GUILESS_MAIN(TestFieldText)
#include "tst_fieldtext.moc"
