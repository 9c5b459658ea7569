#include "anova/anovachecks.h"
#include "anova/anovareport.h"
#include "chisquare/chisquarechecks.h"
#include "chisquare/chisquarereport.h"
#include "correlation/correlationchecks.h"
#include "correlation/correlationreport.h"
#include "textcheck/textcheck.h"
#include "ttestdep/ttestdepchecks.h"
#include "ttestdep/ttestdepreport.h"
#include "ttestindep/ttestindepchecks.h"
#include "ttestindep/ttestindepreport.h"

#include <QElapsedTimer>
#include <QTest>
#include <QTextDocument>
#include <limits>

using namespace Qt::Literals::StringLiterals;

// The text check through its one entry, CheckText: what it finds in a text as authors, word
// processors and PDF converters write results, and what it says of each.
class TestTextCheck : public QObject {
    Q_OBJECT
private slots:
    void findsWrittenForms_data();
    void findsWrittenForms();
    void placesAndQuotes();
    void verdicts_data();
    void verdicts();
    void countsPValuesWithoutStatistic();
    void agreesWithTheWindowsStrip_data();
    void agreesWithTheWindowsStrip();
    void hostileTextsStayLinear_data();
    void hostileTextsStayLinear();
};

void TestTextCheck::findsWrittenForms_data()
{
    QTest::addColumn<QString>("text");
    // test, df1, df2, n, statistic comparison, statistic, p comparison, p: as written.
    QTest::addColumn<QStringList>("parts");
    const auto row = [](const char *name, const QString &text, const QStringList &parts) {
        QTest::newRow(name) << text << parts;
    };
    row("t APA", u"as expected, t(38) = 2.10, p = .042."_s,
        {u"t"_s, u"38"_s, {}, {}, u"="_s, u"2.10"_s, u"="_s, u".042"_s});
    row("t no blanks, square brackets", u"t[38]=2.10,p=.042"_s,
        {u"t"_s, u"38"_s, {}, {}, u"="_s, u"2.10"_s, u"="_s, u".042"_s});
    row("t decimal df, unicode minus", u"t(37.52) = \u22122.10, p = .043"_s,
        {u"t"_s, u"37.52"_s, {}, {}, u"="_s, u"\u22122.10"_s, u"="_s, u".043"_s});
    row("t en dash minus, blanks in brackets", u"t( 38 ) = \u20132.10 , p < .05"_s,
        {u"t"_s, u"38"_s, {}, {}, u"="_s, u"\u20132.10"_s, u"<"_s, u".05"_s});
    row("t non-APA", u"t = 2.10, df = 38, p = .04"_s,
        {u"t"_s, u"38"_s, {}, {}, u"="_s, u"2.10"_s, u"="_s, u".04"_s});
    row("t broken over a line end", u"the groups differed, t(38) =\n2.10, p\n= .042"_s,
        {u"t"_s, u"38"_s, {}, {}, u"="_s, u"2.10"_s, u"="_s, u".042"_s});
    row("F with MSE and eta between", u"F(2, 57) = 3.76, MSE = 2.30, \u03b7p2 = .12, p = .029"_s,
        {u"F"_s, u"2"_s, u"57"_s, {}, u"="_s, u"3.76"_s, u"="_s, u".029"_s});
    row("F without blanks", u"F(2,57)=3.76,p=.029"_s,
        {u"F"_s, u"2"_s, u"57"_s, {}, u"="_s, u"3.76"_s, u"="_s, u".029"_s});
    row("F thousands in df and value", u"F(1, 1,024) = 1,224.08, p < .001"_s,
        {u"F"_s, u"1"_s, u"1,024"_s, {}, u"="_s, u"1,224.08"_s, u"<"_s, u".001"_s});
    row("F below a bound", u"F(1, 20) < 1, ns"_s,
        {u"F"_s, u"1"_s, u"20"_s, {}, u"<"_s, u"1"_s, u"ns"_s, {}});
    row("r no leading zero", u"r(38) = .45, p = .004"_s,
        {u"r"_s, u"38"_s, {}, {}, u"="_s, u".45"_s, u"="_s, u".004"_s});
    row("r with CI between", u"r(38) = \u2212.45, 95% CI [\u2212.67, \u2212.16], p = .004"_s,
        {u"r"_s, u"38"_s, {}, {}, u"="_s, u"\u2212.45"_s, u"="_s, u".004"_s});
    row("chi Greek superscript with N", u"\u03c7\u00b2(1, N = 100) = 4.32, p = .038"_s,
        {u"chi2"_s, u"1"_s, {}, u"100"_s, u"="_s, u"4.32"_s, u"="_s, u".038"_s});
    row("chi as the page shows it", u"\u03c72(1, N = 1,024) = 4.32, p = .038"_s,
        {u"chi2"_s, u"1"_s, {}, u"1,024"_s, u"="_s, u"4.32"_s, u"="_s, u".038"_s});
    row("chi with a blank before 2", u"\u03c7 2 (2) = 6.10, p = .047"_s,
        {u"chi2"_s, u"2"_s, {}, {}, u"="_s, u"6.10"_s, u"="_s, u".047"_s});
    row("Chi2 lower n", u"Chi2(1, n = 40) = 3.2, p = .07"_s,
        {u"chi2"_s, u"1"_s, {}, u"40"_s, u"="_s, u"3.2"_s, u"="_s, u".07"_s});
    row("X2", u"X2(3) = 12.5, p = .006"_s,
        {u"chi2"_s, u"3"_s, {}, {}, u"="_s, u"12.5"_s, u"="_s, u".006"_s});
    row("x2 and chi spelled", u"chi(3) = 12.5, p = .006"_s,
        {u"chi2"_s, u"3"_s, {}, {}, u"="_s, u"12.5"_s, u"="_s, u".006"_s});
    row("z without df", u"z = 1.96, p = .05"_s,
        {u"z"_s, {}, {}, {}, u"="_s, u"1.96"_s, u"="_s, u".05"_s});
    row("Q", u"Q(9) = 25.3, p = .003"_s,
        {u"Q"_s, u"9"_s, {}, {}, u"="_s, u"25.3"_s, u"="_s, u".003"_s});
    row("Q-within", u"Q-within(12) = 30.1, p = .003"_s,
        {u"Q"_s, u"12"_s, {}, {}, u"="_s, u"30.1"_s, u"="_s, u".003"_s});
    row("QT", u"QT(4) = 9.9, p = .04"_s,
        {u"Q"_s, u"4"_s, {}, {}, u"="_s, u"9.9"_s, u"="_s, u".04"_s});
    row("p leading zero", u"t(38) = 2.10, p = 0.042"_s,
        {u"t"_s, u"38"_s, {}, {}, u"="_s, u"2.10"_s, u"="_s, u"0.042"_s});
    row("p at most", u"t(38) = 2.10, p \u2264 .05"_s,
        {u"t"_s, u"38"_s, {}, {}, u"="_s, u"2.10"_s, u"<="_s, u".05"_s});
    row("p at least", u"t(38) = 0.10, p \u2265 .05"_s,
        {u"t"_s, u"38"_s, {}, {}, u"="_s, u"0.10"_s, u">="_s, u".05"_s});
    row("p E notation", u"t(40) = 5.37, p = 3.6e-6"_s,
        {u"t"_s, u"40"_s, {}, {}, u"="_s, u"5.37"_s, u"="_s, u"3.6e-6"_s});
    row("p times ten superscript", u"t(40) = 5.37, p = 3.6 \u00d7 10\u207b\u2076"_s,
        {u"t"_s, u"40"_s, {}, {}, u"="_s, u"5.37"_s, u"="_s, u"3.6 \u00d7 10\u207b\u2076"_s});
    row("p x 10-6", u"t(40) = 5.37, p = 3.6 x 10-6"_s,
        {u"t"_s, u"40"_s, {}, {}, u"="_s, u"5.37"_s, u"="_s, u"3.6 x 10-6"_s});
    row("ps", u"t(40) = 5.37, ps < .001"_s,
        {u"t"_s, u"40"_s, {}, {}, u"="_s, u"5.37"_s, u"<"_s, u".001"_s});
    row("p's", u"t(40) = 5.37, p's < .001"_s,
        {u"t"_s, u"40"_s, {}, {}, u"="_s, u"5.37"_s, u"<"_s, u".001"_s});
    row("n.s.", u"t(40) = 0.37, n.s."_s, {u"t"_s, u"40"_s, {}, {}, u"="_s, u"0.37"_s, u"ns"_s, {}});
    row("p greater", u"t(40) = 0.37, p > .05"_s,
        {u"t"_s, u"40"_s, {}, {}, u"="_s, u"0.37"_s, u">"_s, u".05"_s});
}

void TestTextCheck::findsWrittenForms()
{
    QFETCH(QString, text);
    QFETCH(QStringList, parts);
    const TextCheck check = CheckText(text);
    QCOMPARE(check.results.size(), 1);
    const FoundResult &r = check.results.first();
    QCOMPARE((QStringList{TestName(r.test), r.df1Text, r.df2Text, r.nText, r.statisticComparison,
                          r.statistic, r.pComparison, r.p}),
             parts);
    QVERIFY2(r.verdict != Verdict::Unchecked, qPrintable(r.message));
}

void TestTextCheck::placesAndQuotes()
{
    const QString text = u"Line one.\r\nThe effect held, t(38) =\n2.10, p = .042, and\u2028"
                         u"F(2, 57) = 3.76, p = .029."_s;
    const TextCheck check = CheckText(text);
    QCOMPARE(check.results.size(), 2);
    const FoundResult &t = check.results.at(0), &f = check.results.at(1);
    QCOMPARE(t.place.offset, text.indexOf(u"t(38)"));
    QCOMPARE(t.quote, u"t(38) = 2.10, p = .042"_s);
    QCOMPARE(t.place.length, t.quote.size());
    QCOMPARE(t.place.line, 2);
    QCOMPARE(t.place.column, 18);
    QCOMPARE(f.place.line, 4);
    QCOMPARE(f.place.column, 1);
    QCOMPARE(*t.df1, 38.0);
    QVERIFY(*t.computedPLow <= *t.computedP && *t.computedP <= *t.computedPHigh);
}

void TestTextCheck::verdicts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("alpha");
    QTest::addColumn<QString>("verdict");
    QTest::addColumn<QString>("message");
    const auto row = [](const char *name, const QString &text, const QString &verdict,
                        const QString &message, const QString &alpha = u".05"_s) {
        QTest::newRow(name) << text << alpha << verdict << message;
    };
    row("consistent", u"t(38) = 2.10, p = .042"_s, u"consistent"_s,
        u"t(38) = 2.10 gives p = .042 (two-tailed)"_s);
    row("inconsistent", u"t(38) = 2.10, p = .03"_s, u"inconsistent"_s,
        u"t(38) = 2.10 gives p = .042 (two-tailed), not .03"_s);
    row("decision", u"t(38) = 1.90, p = .03"_s, u"decision"_s,
        u"t(38) = 1.90 gives p = .065 (two-tailed), not .03 \u2014 at \u03b1 = .05 the result "
        u"would not be significant"_s);
    row("decision at the user's alpha", u"t(38) = 2.80, p = .02"_s, u"decision"_s,
        u"t(38) = 2.80 gives p = .0080 (two-tailed), not .02 \u2014 at \u03b1 = .01 the result "
        u"would be significant"_s,
        u".01"_s);
    row("rounding interval of t", u"t(38) = 2.1, p = .04"_s, u"consistent"_s, {});
    row("one-tailed in its own sentence", u"One-tailed, t(38) = 2.10, p = .021."_s, u"consistent"_s,
        u"t(38) = 2.10 gives p = .021 (one-tailed)"_s);
    row("one-tailed said elsewhere",
        u"All tests were one-tailed.\n\nThe groups differed, t(38) = 2.10, p = .021."_s,
        u"consistent-one-tailed"_s, {});
    row("two-tailed said in the paragraph",
        u"A two-tailed test was used. The groups differed, t(38) = 2.10, p = .021."_s,
        u"inconsistent"_s, {});
    row("bound consistent", u"t(38) = 3.10, p < .01"_s, u"consistent"_s, {});
    row("bound inconsistent", u"t(38) = 2.10, p < .01"_s, u"inconsistent"_s,
        u"t(38) = 2.10 gives p = .042 (two-tailed), not < .01"_s);
    row("bound decision", u"t(38) = 1.50, p < .05"_s, u"decision"_s, {});
    row("ns consistent", u"F(1, 20) = 1.20, ns"_s, u"consistent"_s,
        u"F(1, 20) = 1.20 gives p = .29"_s);
    row("ns decision", u"F(1, 20) = 9.20, ns"_s, u"decision"_s, {});
    row("p greater than alpha", u"r(38) = .10, p > .05"_s, u"consistent"_s, {});
    row("chi-square with df", u"\u03c7\u00b2(2, N = 90) = 6.10, p = .047"_s, u"consistent"_s,
        u"\u03c7\u00b2(2, N = 90) = 6.10 gives p = .047"_s);
    row("z", u"z = 1.96, p = .05"_s, u"consistent"_s, u"z = 1.96 gives p = .050 (two-tailed)"_s);
    row("Q", u"Q(9) = 25.3, p = .30"_s, u"decision"_s, {});
    row("p = .000", u"t(40) = 5.37, p = .000"_s, u"consistent"_s,
        u"t(40) = 5.37 gives p < .0001 (two-tailed). Style: p = .000 cannot be exact; report it "
        u"as p < .001."_s);
    row("p = .000 wrong", u"t(40) = 2.37, p = .000"_s, u"inconsistent"_s, {});
    row("whole-number p", u"t(40) = 0.37, p = 1"_s, u"inconsistent"_s, {});
    row("p below .0001 lost zero", u"t(40) = 5.37, p = .000036"_s, u"inconsistent"_s,
        u"t(40) = 5.37 gives p = .0000036 (two-tailed), not .000036"_s);
    row("p in E notation", u"t(40) = 5.37, p = 3.6e-6"_s, u"consistent"_s, {});
    row("statistic as a bound", u"F(1, 20) < 1, p > .30"_s, u"consistent"_s, {});
    row("r outside", u"r(38) = 1.20, p = .004"_s, u"unchecked"_s,
        u"r = 1.20 lies outside \u22121 to 1"_s);
    row("negative F", u"F(1, 20) = -2.1, p = .04"_s, u"unchecked"_s,
        u"F = \u22122.1 cannot be negative"_s);
    row("negative chi-square", u"\u03c72(1) = -2.1, p = .04"_s, u"unchecked"_s, {});
    row("p outside", u"t(38) = 2.10, p = 1.5"_s, u"unchecked"_s, u"p = 1.5 lies outside 0 to 1"_s);
    row("df not positive", u"t(0) = 2.10, p = .04"_s, u"unchecked"_s, {});
}

void TestTextCheck::verdicts()
{
    QFETCH(QString, text);
    QFETCH(QString, alpha);
    QFETCH(QString, verdict);
    QFETCH(QString, message);
    const TextCheck check = CheckText(text, alpha);
    QCOMPARE(check.results.size(), 1);
    QCOMPARE(VerdictName(check.results.first().verdict), verdict);
    if (!message.isEmpty())
        QCOMPARE(check.results.first().message, message);
}

void TestTextCheck::countsPValuesWithoutStatistic()
{
    const QString text =
        u"Age mattered (p = .03), and so did sex, p < .001. Both were t(38) = 2.10, p = .042 "
        u"and t(38) = 1.90, p = .03; the rest, r = .30 (p = .01), had no df. ps < .05 overall."_s;
    const TextCheck check = CheckText(text);
    QCOMPARE(check.results.size(), 2);
    QCOMPARE(check.pValuesWithoutStatistic.size(), 4);
    const VerdictTotals totals = CountVerdicts(check);
    QCOMPARE(TotalsLine(totals),
             u"2 results: 1 consistent, 0 inconsistent, 1 decision error; 4 p values without a "
             u"statistic"_s);
}

void TestTextCheck::agreesWithTheWindowsStrip_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<Findings>("strip");
    const auto add = [](const QString &name, const QString &html, const Findings &strip) {
        QTest::newRow(qPrintable(name)) << html << strip;
    };
    for (const auto &[t, p, tails] : {std::tuple{u"3.12"_s, u".004"_s, u"2"_s},
                                      {u"3.12"_s, u".002"_s, u"1"_s},
                                      {u"3.12"_s, u".004"_s, u"1"_s},
                                      {u"1.80"_s, u".04"_s, u"2"_s},
                                      {u"-0.50"_s, u".62"_s, u"2"_s},
                                      {u"5.37"_s, u".000"_s, u"2"_s}}) {
        const TTestDepFields dep{
            u"pretest"_s,       u"posttest"_s, u"24.5"_s, u"20.1"_s, u"5.2"_s, u"4.8"_s, u"30"_s,
            u"anxiety score"_s, u".05"_s,      u"29"_s,   t,         p,        tails};
        add(u"dependent t "_s + t + u" p "_s + p + u" tails "_s + tails, ComposeTTestDepReport(dep),
            CheckTTestDepFigures(dep));
        const TTestIndepFields indep{u"Low"_s, u"High"_s, u"12.1"_s, u"10.4"_s, u"2.9"_s,
                                     u"3.1"_s, u"20"_s,   u"20"_s,   u"40"_s,   u"recall"_s,
                                     u".05"_s, tails,     u"38"_s,   t,         p};
        add(u"independent t "_s + t + u" p "_s + p + u" tails "_s + tails,
            ComposeTTestIndepReport(indep), CheckTTestIndepFigures(indep));
        const CorrelationFields r{u"study time"_s, u"exam score"_s, u"40"_s,  u".05"_s,
                                  tails,           u"38"_s,         u".45"_s, p};
        add(u"correlation p "_s + p + u" tails "_s + tails, ComposeCorrelationReport(r),
            CheckCorrelationFigures(r));
    }
    for (const auto &[chi, p] : {std::pair{u"4.32"_s, u".038"_s},
                                 {u"4.32"_s, u".02"_s},
                                 {u"2.10"_s, u".04"_s},
                                 {u"0.80"_s, u".37"_s}}) {
        const ChiSquareFields c{u"Gender"_s, u"Smoking"_s,
                                u"male"_s,   u"female"_s,
                                u"smoker"_s, u"non-smoker"_s,
                                u"100"_s,    u"48"_s,
                                u"52"_s,     u"30"_s,
                                u"70"_s,     u".05"_s,
                                chi,         p};
        add(u"chi-square "_s + chi + u" p "_s + p, ComposeChiSquareReport(c),
            CheckChiSquareFigures(c));
    }
    for (const auto &[f, p] : {std::pair{u"3.76"_s, u".029"_s},
                               {u"3.76"_s, u".01"_s},
                               {u"2.10"_s, u".04"_s},
                               {u"1.10"_s, u".34"_s}}) {
        AnovaFields a{u"teaching method"_s,
                      u"exam score"_s,
                      {{u"Lecture"_s, u"72.3"_s, u"8.1"_s, u"20"_s, 1},
                       {u"Seminar"_s, u"75.6"_s, u"7.4"_s, u"20"_s, 2},
                       {u"Online"_s, u"68.9"_s, u"9.0"_s, u"20"_s, 3}},
                      u"60"_s,
                      u"2"_s,
                      u"57"_s,
                      u".05"_s,
                      f,
                      p};
        add(u"anova F "_s + f + u" p "_s + p, ComposeAnovaReport(a), CheckAnovaFigures(a));
    }
}

// The page's text, as a reader copies it, checked by the text check, and the window's own strip
// must never disagree about a p.
void TestTextCheck::agreesWithTheWindowsStrip()
{
    QFETCH(QString, html);
    QFETCH(Findings, strip);
    QTextDocument page;
    page.setHtml(html);
    const TextCheck check = CheckText(page.toPlainText());
    QVERIFY(!check.results.isEmpty());
    const auto pLine = std::find_if(strip.begin(), strip.end(),
                                    [](const Finding &f) { return f.topic == Finding::P; });
    QVERIFY(pLine != strip.end());
    const bool agrees = pLine->kind == Finding::Agree;
    const bool flips = pLine->text.contains(u"the result would"_s);
    for (const FoundResult &r : check.results) {
        QVERIFY2(r.verdict != Verdict::Unchecked, qPrintable(r.message));
        QVERIFY2(!IsInconsistent(r.verdict) == agrees,
                 qPrintable(r.quote + u": "_s + r.message + u" | "_s + pLine->text));
        QCOMPARE(r.verdict == Verdict::Decision, flips);
    }
}

void TestTextCheck::hostileTextsStayLinear_data()
{
    QTest::addColumn<QString>("unit");
    QTest::newRow("t(") << u"t("_s;
    QTest::newRow("p = .") << u"p = ."_s;
    QTest::newRow("brackets and digits") << u"F(1, [2(3"_s;
    QTest::newRow("statistics without p") << u"t(1) = 2, "_s;
    QTest::newRow("digits") << u"1111111111"_s;
    QTest::newRow("results with figures and no sentence end")
        << u"t(38) = 2.10, p = .042, d = 0.5, 95% CI [0.1, 0.9], N = 40, and "_s;
    QTest::newRow("one-tailed results and no sentence end")
        << u"one-tailed t(38) = 2.10, p = .021, Bonferroni corrected, and "_s;
}

// Twice the text takes about twice the time, never the square (the benchmark has the figures).
void TestTextCheck::hostileTextsStayLinear()
{
    QFETCH(QString, unit);
    const auto timed = [&](qsizetype size) {
        const QString text = unit.repeated(size / unit.size());
        // The best of three, so that a moment the scheduler takes away is not read as a square.
        qint64 best = std::numeric_limits<qint64>::max();
        for (int run = 0; run < 3; ++run) {
            QElapsedTimer clock;
            clock.start();
            CheckText(text);
            best = std::min(best, clock.nsecsElapsed());
        }
        return best;
    };
    const qint64 small = timed(100'000), large = timed(400'000);
    QVERIFY2(large < 12 * small + 20'000'000,
             qPrintable(u"%1 ns, then %2 ns"_s.arg(small).arg(large)));
}

QTEST_MAIN(TestTextCheck)
#include "tst_textcheck.moc"
