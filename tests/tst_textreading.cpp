#include "engine/text.h"
#include "textcheck/textcheck.h"

#include <QRandomGenerator>
#include <QTest>
#include <cmath>

using namespace Qt::Literals::StringLiterals;

// The text check on the forms real papers print and their converters make of them: what is
// read, which p belongs to which statistic, how many tails each result is given, and texts
// written with decimal commas.
class TestTextReading : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readsPrintedForms_data();
    void readsPrintedForms();
    void leavesWhatIsNoResult_data();
    void leavesWhatIsNoResult();
    void pairsEachPWithItsStatistic_data();
    void pairsEachPWithItsStatistic();
    void readsTails_data();
    void readsTails();
    void numbersAsQtWritesAndReadsThem();
};

void TestTextReading::readsPrintedForms_data()
{
    QTest::addColumn<QString>("text");
    // test, df1, df2, n, statistic comparison, statistic, p comparison, p: as written.
    QTest::addColumn<QStringList>("parts");
    const auto row = [](const char *name, const QString &text, const QStringList &parts) {
        QTest::newRow(name) << text << parts;
    };
    const auto chi = [](const QString &df, const QString &value, const QString &p) {
        return QStringList{u"chi2"_s, df, {}, {}, u"="_s, value, u"="_s, p};
    };
    row("chi-square change", u"the fit worsened, \u0394\u03c72(3) = 7.81, p = .050."_s,
        chi(u"3"_s, u"7.81"_s, u".050"_s));
    row("chi-square change, superscript", u"\u0394\u03c7\u00b2(1) = 3.84, p = .050"_s,
        chi(u"1"_s, u"3.84"_s, u".050"_s));
    row("chi-square with diff", u"\u03c72diff(1) = 3.84, p = .050"_s,
        chi(u"1"_s, u"3.84"_s, u".050"_s));
    row("chi-square with _diff", u"\u03c7\u00b2_diff(1) = 3.84, p = .050"_s,
        chi(u"1"_s, u"3.84"_s, u".050"_s));
    row("chi-square with a wave label", u"\u03c72T1(1) = 3.84, p = .050"_s,
        chi(u"1"_s, u"3.84"_s, u".050"_s));
    row("chi-square with _T2", u"\u03c7\u00b2_T2(1) = 3.84, p = .050"_s,
        chi(u"1"_s, u"3.84"_s, u".050"_s));
    row("chi-square difference as a word", u"\u03c72 difference(1) = 3.84, p = .050"_s,
        chi(u"1"_s, u"3.84"_s, u".050"_s));
    row("likelihood-ratio G2", u"G2(1) = 3.84, p = .050"_s, chi(u"1"_s, u"3.84"_s, u".050"_s));
    row("likelihood-ratio G superscript", u"G\u00b2(2) = 5.99, p = .050"_s,
        chi(u"2"_s, u"5.99"_s, u".050"_s));
    row("G-squared change", u"\u0394G\u00b2(1) = 3.84, p = .050"_s,
        chi(u"1"_s, u"3.84"_s, u".050"_s));
    row("LR chi-square", u"LR \u03c72(1) = 3.84, p = .050"_s, chi(u"1"_s, u"3.84"_s, u".050"_s));
    row("Wald chi-square", u"Wald \u03c72(1) = 3.84, p = .050"_s,
        chi(u"1"_s, u"3.84"_s, u".050"_s));
    row("z with a label", u"zBlack = 1.81, p = .070"_s,
        {u"z"_s, {}, {}, {}, u"="_s, u"1.81"_s, u"="_s, u".070"_s});
    row("z with _Sobel", u"z_Sobel = 2.1, p = .036"_s,
        {u"z"_s, {}, {}, {}, u"="_s, u"2.1"_s, u"="_s, u".036"_s});
    row("capital Z", u"Z = 2.15, p = .032"_s,
        {u"z"_s, {}, {}, {}, u"="_s, u"2.15"_s, u"="_s, u".032"_s});
    row("Welch's F", u"Welch's F(1, 37.5) = 4.50, p = .041"_s,
        {u"F"_s, u"1"_s, u"37.5"_s, {}, u"="_s, u"4.50"_s, u"="_s, u".041"_s});
    row("F_W", u"F_W(2, 30.1) = 3.40, p = .047"_s,
        {u"F"_s, u"2"_s, u"30.1"_s, {}, u"="_s, u"3.40"_s, u"="_s, u".047"_s});
    row("Brown-Forsythe BF", u"BF(2, 56) = 3.20, p = .048"_s,
        {u"F"_s, u"2"_s, u"56"_s, {}, u"="_s, u"3.20"_s, u"="_s, u".048"_s});
    row("F ratio of", u"an F ratio of (1, 168) = 44.51, p < .001"_s,
        {u"F"_s, u"1"_s, u"168"_s, {}, u"="_s, u"44.51"_s, u"<"_s, u".001"_s});
    row("r with N after it", u"r = .32, N = 100, p = .001"_s,
        {u"r"_s, {}, {}, u"100"_s, u"="_s, u".32"_s, u"="_s, u".001"_s});
    row("r with N in brackets", u"r(N = 100) = .32, p = .001"_s,
        {u"r"_s, {}, {}, u"100"_s, u"="_s, u".32"_s, u"="_s, u".001"_s});
    row("Spearman's r with its subscript set apart", u"r S (420) = .15, p = .002"_s,
        {u"r"_s, u"420"_s, {}, {}, u"="_s, u".15"_s, u"="_s, u".002"_s});
    row("Spearman's rs", u"rs(98) = .32, p = .001"_s,
        {u"r"_s, u"98"_s, {}, {}, u"="_s, u".32"_s, u"="_s, u".001"_s});
    row("subscript df", u"t\u2083\u2088 = 2.10, p = .042"_s,
        {u"t"_s, u"\u2083\u2088"_s, {}, {}, u"="_s, u"2.10"_s, u"="_s, u".042"_s});
    row("p value =", u"t(38) = 2.10, p value = .042"_s,
        {u"t"_s, u"38"_s, {}, {}, u"="_s, u"2.10"_s, u"="_s, u".042"_s});
    row("p-value <", u"t(38) = 2.10, p-value < 0.05"_s,
        {u"t"_s, u"38"_s, {}, {}, u"="_s, u"2.10"_s, u"<"_s, u"0.05"_s});
    row("p value of", u"t(38) = 2.10, with a p value of .042"_s,
        {u"t"_s, u"38"_s, {}, {}, u"="_s, u"2.10"_s, u"="_s, u".042"_s});
    row("chi drawn as c", u"c2(1) = 3.84, p = .050"_s, chi(u"1"_s, u"3.84"_s, u".050"_s));
    row("chi drawn as v", u"v2(10) = 18.31, p = .050"_s, chi(u"10"_s, u"18.31"_s, u".050"_s));
    row("chi drawn as B with N", u"B2(1, N = 226) = 3.84, p = .050"_s,
        {u"chi2"_s, u"1"_s, {}, u"226"_s, u"="_s, u"3.84"_s, u"="_s, u".050"_s});
    row("chi drawn as ?", u"?2(1) = 3.84, p = .050"_s, chi(u"1"_s, u"3.84"_s, u".050"_s));
    row("chi lost", u"the groups differed, 2 (1) = 22.75, p < .001."_s,
        {u"chi2"_s, u"1"_s, {}, {}, u"="_s, u"22.75"_s, u"<"_s, u".001"_s});
    row("< drawn as b", u"t(38) = 4.10, pb.001"_s,
        {u"t"_s, u"38"_s, {}, {}, u"="_s, u"4.10"_s, u"<"_s, u".001"_s});
    row("= drawn as a quarter", u"t(38) \u00bc 0.18, p \u00bc .86"_s,
        {u"t"_s, u"38"_s, {}, {}, u"="_s, u"0.18"_s, u"="_s, u".86"_s});
    row("> drawn as N", u"t(38) = 0.18, p N .50"_s,
        {u"t"_s, u"38"_s, {}, {}, u"="_s, u"0.18"_s, u">"_s, u".50"_s});
    row("letter l for 1 in df", u"F(l, 76) = 4.21, p = .044"_s,
        {u"F"_s, u"l"_s, u"76"_s, {}, u"="_s, u"4.21"_s, u"="_s, u".044"_s});
    row("decimal commas", u"t(38) = 2,10; p = ,042"_s,
        {u"t"_s, u"38"_s, {}, {}, u"="_s, u"2,10"_s, u"="_s, u",042"_s});
    row("decimal commas, leading zero", u"t(38) = 2,10; p = 0,042"_s,
        {u"t"_s, u"38"_s, {}, {}, u"="_s, u"2,10"_s, u"="_s, u"0,042"_s});
    row("decimal commas, F with a semicolon", u"F(1; 76) = 4,21; p = ,044"_s,
        {u"F"_s, u"1"_s, u"76"_s, {}, u"="_s, u"4,21"_s, u"="_s, u",044"_s});
    row("exponent set apart by a converter", u"t(40) = 5.37, p = 3.6 \u00d7 10 -6 , and"_s,
        {u"t"_s, u"40"_s, {}, {}, u"="_s, u"5.37"_s, u"="_s, u"3.6 \u00d7 10 -6"_s});
    row("decimal points keep thousands", u"\u03c7\u00b2(1, N = 1,024) = 4.32, p = .038"_s,
        {u"chi2"_s, u"1"_s, {}, u"1,024"_s, u"="_s, u"4.32"_s, u"="_s, u".038"_s});
}

void TestTextReading::readsPrintedForms()
{
    QFETCH(QString, text);
    QFETCH(QStringList, parts);
    const TextCheck check = CheckText(text);
    QCOMPARE(check.results.size(), 1);
    const FoundResult &r = check.results.first();
    QCOMPARE((QStringList{TestName(r.test), r.df1Text, r.df2Text, r.nText, r.statisticComparison,
                          r.statistic, r.pComparison, r.p}),
             parts);
    QVERIFY2(r.verdict == Verdict::Consistent, qPrintable(r.message));
}

void TestTextReading::leavesWhatIsNoResult_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("a letter and 2 that is no chi") << u"Item A2(12) = .3, p = .04."_s;
    QTest::newRow("a study number before its N") << u"Study 2 (N = 45) replicated it, p = .04."_s;
    QTest::newRow("a drawn chi with its p further on")
        << u"The model c2(1) = 3.84 held, and the slope was steep, p = .05."_s;
    QTest::newRow("d z set apart is no z test") << u"High confidence, d z = 0.84 p < .001."_s;
    QTest::newRow("a statistic taken apart") << u"Slopes differed, z = 4 12, p < .001."_s;
    QTest::newRow("an exponent taken apart")
        << u"Ratings differed, t(500) = 11.0, p = 2 5 10 21."_s;
    QTest::newRow("rs without brackets") << u"The rs = .32 of both, p = .001."_s;
    QTest::newRow("two letters for 1") << u"F(ll, 76) = 4.21, p = .044"_s;
    QTest::newRow("b in a word after p") << u"t(38) = 4.10, pb is .001"_s;
    QTest::newRow("a decimal comma in a text of points")
        << u"t(38) = 2.10, p = .042. Later, t(38) = 2,10, p = .03."_s.mid(27);
}

void TestTextReading::leavesWhatIsNoResult()
{
    QFETCH(QString, text);
    const TextCheck check = CheckText(text);
    QVERIFY2(check.results.isEmpty(), qPrintable(check.results.value(0).quote));
}

void TestTextReading::pairsEachPWithItsStatistic_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("quotes");
    QTest::newRow("across another statistic: the nearer one takes the p")
        << u"Fit was poor, \u03c72(54) = 502.36, CFI = .66; \u0394\u03c72(3) = 383.96, p < .001."_s
        << QStringList{u"\u0394\u03c72(3) = 383.96, p < .001"_s};
    QTest::newRow("across an unbracketed z") << u"No effect, \u03c72(1) < 1, and a slope, \u03b2 = "
                                                u"\u22121.30, SE = 0.26, z = \u22125.08, "
                                                u"p < .001."_s
                                             << QStringList{u"z = \u22125.08, p < .001"_s};
    QTest::newRow("ps shared by a list joined by and")
        << u"t(20) = 3.10 and t(20) = 2.90, ps < .01"_s
        << QStringList{u"t(20) = 3.10"_s, u"t(20) = 2.90, ps < .01"_s};
    QTest::newRow("both ps after commas")
        << u"t(20) = 3.10, t(20) = 2.90, t(20) = 3.30, both ps < .01"_s
        << QStringList{u"t(20) = 3.10"_s, u"t(20) = 2.90"_s, u"t(20) = 3.30, both ps < .01"_s};
    QTest::newRow("one bound after a list joined by and")
        << u"t(20) = 3.10 and t(20) = 2.90, p < .01"_s
        << QStringList{u"t(20) = 3.10"_s, u"t(20) = 2.90, p < .01"_s};
    QTest::newRow("one exact p is the last statistic's alone")
        << u"t(20) = 3.10 and t(20) = 2.90, p = .009"_s << QStringList{u"t(20) = 2.90, p = .009"_s};
    QTest::newRow("a bound after words is the last statistic's alone")
        << u"t(20) = 3.10 while in the second study t(20) = 2.90, p < .01"_s
        << QStringList{u"t(20) = 2.90, p < .01"_s};
    QTest::newRow("figures of the same result between")
        << u"F(1, 40) = 5.10, MSE = 2.30, d = 0.50, 95% CI [0.10, 0.90], \u03b7p2 = .11, p = .03"_s
        << QStringList{u"F(1, 40) = 5.10, MSE = 2.30, d = 0.50, 95% CI [0.10, 0.90], \u03b7p2 = "
                       u".11, p = .03"_s};
    QTest::newRow("b, exp(b) and SE before z")
        << u"b = 0.30, exp(b) = 1.35, SE = 0.10, z = 3.00, p = .003"_s
        << QStringList{u"z = 3.00, p = .003"_s};
    QTest::newRow("an r without df is an effect size")
        << u"t(38) = 2.10, r = .32, p = .042"_s
        << QStringList{u"t(38) = 2.10, r = .32, p = .042"_s};
    QTest::newRow("a semicolon opens another clause")
        << u"Early: t(64) = 2.80; late: b = 0.41, p < .001."_s << QStringList{};
    QTest::newRow("a p right after a semicolon")
        << u"F(1, 20) = 5.20; p = .03"_s << QStringList{u"F(1, 20) = 5.20; p = .03"_s};
    QTest::newRow("no p past the sentence's end")
        << u"t(38) = 2.10. Age, p = .042."_s << QStringList{};
}

void TestTextReading::pairsEachPWithItsStatistic()
{
    QFETCH(QString, text);
    QFETCH(QStringList, quotes);
    const TextCheck check = CheckText(text);
    QStringList found;
    for (const FoundResult &r : check.results) {
        found << r.quote;
        QVERIFY2(!IsInconsistent(r.verdict), qPrintable(r.message));
    }
    QCOMPARE(found, quotes);
}

void TestTextReading::readsTails_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("verdict");
    QTest::addColumn<QString>("message");
    const auto row = [](const char *name, const QString &text, const QString &verdict,
                        const QString &message = {}) {
        QTest::newRow(name) << text << verdict << message;
    };
    row("own sentence, one-tailed p", u"A one-tailed test showed t(38) = 2.10, p = .021."_s,
        u"consistent"_s, u"t(38) = 2.10 gives p = .021 (one-tailed)"_s);
    row("own sentence, the two-tailed p", u"A one-tailed test showed t(38) = 2.10, p = .042."_s,
        u"inconsistent"_s,
        u"the sentence says one-tailed; .042 is the two-tailed p of t(38) = 2.10, one-tailed it "
        u"is .021"_s);
    row("sentence before names the test",
        u"A one-tailed t test was conducted. The groups differed, t(38) = 2.10, p = .021."_s,
        u"consistent"_s);
    row("sentence before, the two-tailed p",
        u"A one-sided t test was conducted. The groups differed, t(38) = 2.10, p = .042."_s,
        u"inconsistent"_s,
        u"the sentence before says one-tailed; .042 is the two-tailed p of t(38) = 2.10, "
        u"one-tailed it is .021"_s);
    row("sentence before holds its own result",
        u"A one-tailed test showed t(38) = 2.30, p = .013. The second differed too, t(38) = "
        u"2.10, p = .042."_s,
        u"consistent"_s, u"t(38) = 2.10 gives p = .042 (two-tailed)"_s);
    row("three sentences back is too far",
        u"A one-tailed test was used. Alpha was .05. Scores were normal. The groups differed, "
        u"t(38) = 2.10, p = .042."_s,
        u"consistent"_s, u"t(38) = 2.10 gives p = .042 (two-tailed)"_s);
    row("elsewhere in the text, a two-tailed p",
        u"Chance performance was tested one-sided.\nThe groups differed, t(38) = 2.10, p = "
        u".042."_s,
        u"consistent"_s, u"t(38) = 2.10 gives p = .042 (two-tailed)"_s);
    row("a whole-paper statement, a one-tailed p",
        u"All t tests were one-tailed.\nThe groups differed, t(38) = 2.10, p = .021."_s,
        u"consistent-one-tailed"_s);
    row("neither reading fits",
        u"All t tests were one-tailed.\nThe groups differed, t(38) = 2.10, p = .01."_s,
        u"inconsistent"_s,
        u"t(38) = 2.10 gives p = .042 (two-tailed) or .021 (one-tailed), not .01"_s);
    row("a one-tailed p said nowhere", u"The groups differed, t(38) = 2.10, p = .021."_s,
        u"inconsistent"_s, u"t(38) = 2.10 gives p = .042 (two-tailed), not .021"_s);
    row("a correction named, p above its statistic's",
        u"Bonferroni-corrected tests: t(38) = 2.10, p = .084."_s, u"unchecked"_s,
        u"t(38) = 2.10 gives p = .042 (two-tailed); the paragraph names a correction for "
        u"multiple comparisons, so p = .084 is not checked"_s);
    row("a correction named in another paragraph",
        u"Post hoc tests were Holm corrected.\nThe groups differed, t(38) = 2.10, p = .084."_s,
        u"unchecked"_s);
    row("a correction named, p below its statistic's",
        u"Bonferroni-corrected tests: t(38) = 2.10, p = .01."_s, u"inconsistent"_s);
    row("no correction, in words",
        u"Without a correction for the family-wise error rate, t(38) = "
        u"2.10, p = .084."_s,
        u"decision"_s);
    row("the p of an estimate's interval before the statistic",
        u"Sharing rose, \u03b2 = 0.040, 95% CI = [0.010, 0.070], F(2, 5000) = 9.50, p = .009."_s,
        u"unchecked"_s,
        u"p = .009 fits the estimate before it (0.040, 95% CI [0.010, 0.070]), not F(2, 5000) = "
        u"9.50, which gives p < .0001"_s);
    row("an interval that gives another p leaves the verdict",
        u"Sharing rose, \u03b2 = 0.040, 95% CI = [0.010, 0.070], F(2, 5000) = 9.50, p = .04."_s,
        u"inconsistent"_s);
    row("an estimate's interval in another sentence is not this result's",
        u"The slope was \u03b2 = 0.040, 95% CI = [0.010, 0.070]. Sharing rose, F(2, 5000) = "
        u"9.50, p = .009."_s,
        u"inconsistent"_s);
    row("Spearman's r with few pairs", u"r_s(18) = .52, p = .02"_s, u"unchecked"_s,
        u"rs(18): with fewer than 30 pairs the p of a rank correlation is not checked"_s);
    row("rounded degrees of freedom", u"F(1.6, 73.4) = 4.20, p = .025"_s, u"consistent"_s);
    row("decimal commas in the message", u"t(38) = 2,10; p = 0,03"_s, u"inconsistent"_s,
        u"t(38) = 2,10 gives p = ,042 (two-tailed), not 0,03"_s);
}

void TestTextReading::readsTails()
{
    QFETCH(QString, text);
    QFETCH(QString, verdict);
    QFETCH(QString, message);
    // The text's last result is the one the row is about.
    const TextCheck check = CheckText(text);
    QVERIFY(!check.results.isEmpty());
    QCOMPARE(VerdictName(check.results.last().verdict), verdict);
    if (!message.isEmpty())
        QCOMPARE(check.results.last().message, message);
}

// The engine writes and reads figures without Qt, quickly where it can: it must give the very
// digits and doubles Qt gives, ties (0.125, 2.675, a figure just below one) and signs included.
void TestTextReading::numbersAsQtWritesAndReadsThem()
{
    QRandomGenerator random(38);
    for (int i = 0; i < 200'000; ++i) {
        const int decimals = random.bounded(7);
        const double scale = std::pow(10.0, decimals);
        double value = 0;
        switch (i % 4) {
        case 0: // a tie in decimal, as written, then read into the nearest double
            value = (random.bounded(2'000'000) + 0.5) / scale;
            break;
        case 1: // any double of a figure's size
            value = std::ldexp(double(random.generate64() >> 11), -random.bounded(30, 75));
            break;
        case 2: // a whole number of steps one place further down
            value = random.bounded(2'000'000) / (10 * scale);
            break;
        default: // beyond the quick path's reach
            value = std::ldexp(double(random.generate64() >> 11), random.bounded(0, 40));
        }
        if (random.bounded(2))
            value = -value;
        const QString written = QString::number(value, 'f', decimals);
        QCOMPARE(QString::fromStdString(engine::FixedDecimal(value, decimals)), written);
        const QString figure =
            QString::number(value, random.bounded(2) ? 'g' : 'f', random.bounded(1, 18));
        const std::optional<double> read = engine::ParseDouble(figure.toStdString());
        QVERIFY2(read && *read == figure.toDouble(), qPrintable(figure));
    }
    QCOMPARE(engine::FixedDecimal(-0.0, 2), "0.00");
    QVERIFY(!engine::ParseDouble("1e400") && !engine::ParseDouble("") && !engine::ParseDouble("."));
}

QTEST_GUILESS_MAIN(TestTextReading)
#include "tst_textreading.moc"
