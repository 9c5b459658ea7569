#include "common/fieldtext.h"

#include <QLocale>
#include <QTest>
#include <limits>

using namespace Qt::Literals::StringLiterals;

// The number test every window shares, and the number-to-text rule of the derived boxes. The
// windows' tests show that each window uses them; fuzz/fuzz_number tries arbitrary input.
class TestFieldText : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void numberTestAndConversionAgree_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("numeric");
        QTest::addColumn<double>("value");
        QTest::newRow("leading point with blanks") << u"en_US"_s << u" .05 "_s << true << 0.05;
        QTest::newRow("exponent and sign") << u"en_US"_s << u"-5E-2"_s << true << -0.05;
        QTest::newRow("trailing letters") << u"en_US"_s << u"12,5x"_s << false << 0.0;
        QTest::newRow("blanks only") << u"en_US"_s << u"   "_s << false << 0.0;
        QTest::newRow("nan") << u"en_US"_s << u"nan"_s << false << 0.0;
        QTest::newRow("overflow") << u"en_US"_s << u"1e999"_s << false << 0.0;
        QTest::newRow("group separator refused") << u"en_US"_s << u"1,000"_s << false << 0.0;
        QTest::newRow("tab around refused") << u"en_US"_s << u"\t5"_s << false << 0.0;
        QTest::newRow("decimal comma in German") << u"de_DE"_s << u"12,5"_s << true << 12.5;
        QTest::newRow("decimal point in German") << u"de_DE"_s << u".05"_s << false << 0.0;
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

    void numberToTextWritesPlainRegionalFigures_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("binary noise rounded away") << u"en_US"_s << (0.1 + 0.2 - 2) << u"-1.7"_s;
        QTest::newRow("no group separator") << u"en_US"_s << 1234567.0 << u"1234567"_s;
        QTest::newRow("fifteen digits")
            << u"en_US"_s << 123456789012.345678 << u"123456789012.346"_s;
        // Where Qt's own form would not read back.
        QTest::newRow("Hebrew minus") << u"he_IL"_s << -1.0 << u"-1"_s;
        QTest::newRow("largest double")
            << u"en_US"_s << std::numeric_limits<double>::max() << u"1.7976931348623E+308"_s;
    }

    void numberToTextWritesPlainRegionalFigures()
    {
        QFETCH(QString, locale);
        QFETCH(double, value);
        QLocale::setDefault(QLocale(locale));
        QTEST(NumberToText(value), "text");
    }
};

QTEST_GUILESS_MAIN(TestFieldText)
#include "tst_fieldtext.moc"
