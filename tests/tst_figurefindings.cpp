#include "textcheck/textcheck.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

// The figures reported with a result, checked against its statistic. Each row's right value is
// derived by hand from the formula its name gives.
class TestFigureFindings : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void checksEachFigure_data();
    void checksEachFigure();
    void leavesOtherFiguresAlone_data();
    void leavesOtherFiguresAlone();
    void countsFiguresInTheTotals();
};

namespace {
QString Findings(const TextCheck &check)
{
    QStringList lines;
    for (const FoundResult &result : check.results)
        for (const FigureFinding &f : result.findings)
            lines << FigureKindName(f.kind) + u" "_s + FigureVerdictName(f.verdict) + u": "_s +
                         f.message;
    return lines.join(u'\n');
}
} // namespace

void TestFigureFindings::checksEachFigure_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("wholeNumbers");
    QTest::addColumn<int>("items");
    // kind, verdict and message of the text's one finding.
    QTest::addColumn<QString>("finding");
    const auto row = [](const char *name, const QString &text, const QString &finding,
                        bool wholeNumbers = false, int items = 1) {
        QTest::newRow(name) << text << wholeNumbers << items << finding;
    };
    row("d_z = t / sqrt(df + 1) = 2.10 / sqrt(39) = 0.34",
        u"Scores rose, t(38) = 2.10, p = .042, d_z = 0.34."_s,
        u"effect-size consistent: d_z = 0.34 fits t(38) = 2.10: a paired design gives d_z = 0.34"_s);
    row("d_z far from t / sqrt(df + 1)", u"Scores rose, t(38) = 2.10, p = .042, d_z = 0.90."_s,
        u"effect-size inconsistent: d_z = 0.90 does not fit t(38) = 2.10: a paired design gives "
        u"d_z = 0.34"_s);
    row("d in a paired design: d_av up to 2 t / sqrt(df + 1) = 0.67",
        u"In a paired design scores rose, t(38) = 2.10, p = .042, d = 0.90."_s,
        u"effect-size inconsistent: d = 0.90 does not fit t(38) = 2.10: a paired design gives "
        u"d_av up to 0.67"_s);
    row("d with two group sizes: t sqrt(1/40 + 1/40) = 2.07 x 0.2236 = 0.46",
        u"Group A (M = 5.12, SD = 1.34, n = 40) beat group B (M = 4.51, SD = 1.29, n = 40), "
        u"t(78) = 2.07, p = .042, d = 0.46."_s,
        u"df-n consistent: t(78) fits n\u2081 = 40 and n\u2082 = 40: independent groups give "
        u"df = 78, paired 39\neffect-size consistent: d = 0.46 fits t(78) = 2.07: n\u2081 = 40 "
        u"and n\u2082 = 40 give d = 0.46"_s);
    row("g with J(78) = 1 - 3 / 311: 0.463 x 0.990 = 0.46",
        u"The groups (n\u2081 = 40, n\u2082 = 40) differed, t(78) = 2.07, p = .042, g = 0.70."_s,
        u"df-n consistent: t(78) fits n\u2081 = 40 and n\u2082 = 40: independent groups give "
        u"df = 78, paired 39\neffect-size inconsistent: g = 0.70 does not fit t(78) = 2.07: "
        u"n\u2081 = 40 and n\u2082 = 40 give g = 0.46"_s);
    row("d in an open design: equal groups 2t / sqrt(df + 2) = 0.66, paired 0.34",
        u"Scores differed, t(38) = 2.10, p = .042, d = 0.50."_s,
        u"effect-size unchecked: equal groups give d = 0.66; paired, d_z = 0.34"_s);
    row("d from F(1, df2) as t squared: sqrt(4.41) / sqrt(39) = 0.34",
        u"Scores rose, F(1, 38) = 4.41, p = .042, d_z = 0.34."_s,
        u"effect-size consistent: d_z = 0.34 fits F(1, 38) = 4.41: a paired design gives d_z = "
        u"0.34"_s);
    row("partial eta squared = F df1 / (F df1 + df2) = 7.52 / 64.52 = .12",
        u"F(2, 57) = 3.76, p = .029, \u03b7p2 = .21"_s,
        u"effect-size inconsistent: \u03b7\u00b2p = .21 does not fit F(2, 57) = 3.76: it gives "
        u"\u03b7\u00b2p = .12"_s);
    row("partial eta squared as a converter writes it",
        u"F(2, 57) = 3.76, p = .029, \u03b7 p 2 = .12"_s,
        u"effect-size consistent: \u03b7\u00b2p = .12 fits F(2, 57) = 3.76: it gives \u03b7\u00b2p "
        u"= "
        u".12"_s);
    row("eta squared of a one-way design is the same .12",
        u"A one-way ANOVA showed F(2, 57) = 3.76, p = .029, \u03b7\u00b2 = .12."_s,
        u"effect-size consistent: \u03b7\u00b2 = .12 fits F(2, 57) = 3.76: it gives \u03b7\u00b2 = .12"_s);
    row("eta squared where the design may hold several effects",
        u"The interaction held, F(2, 57) = 3.76, p = .029, \u03b7\u00b2 = .05."_s,
        u"effect-size unchecked: \u03b7\u00b2 cannot be checked from one F where the design may "
        u"hold several effects; as \u03b7\u00b2p it would be .12"_s);
    row("partial omega squared: (F - 1) df1 / (F df1 + df2 + 1) = 5.52 / 65.52 = .08",
        u"F(2, 57) = 3.76, p = .029, \u03c9p2 = .20"_s,
        u"effect-size unchecked: \u03c9\u00b2p depends on the design; a one-way design between "
        u"groups gives .08"_s);
    row("R squared of a regression = 15.6 / 111.6 = .14",
        u"The model held, F(3, 96) = 5.20, p = .002, R2 = .30."_s,
        u"effect-size inconsistent: R\u00b2 = .30 does not fit F(3, 96) = 5.20: it gives R\u00b2 = "
        u".14"_s);
    row("r squared = .45 squared = .20", u"r(38) = .45, p = .004, r2 = .30"_s,
        u"effect-size inconsistent: r\u00b2 = .30 does not fit r(38) = .45: it gives r\u00b2 = .20"_s);
    row("phi = sqrt(4.32 / 100) = .21", u"\u03c72(1, N = 100) = 4.32, p = .038, \u03c6 = .30"_s,
        u"effect-size inconsistent: \u03c6 = .30 does not fit \u03c7\u00b2(1, N = 100) = 4.32: it "
        u"gives \u03c6 = .21"_s);
    row("Cramer's V = sqrt(10.2 / (200 m)) for m = 1 or 2",
        u"\u03c72(4, N = 200) = 10.20, p = .037, Cram\u00e9r's V = .16"_s,
        u"effect-size consistent: V = .16 fits \u03c7\u00b2(4, N = 200) = 10.20: it gives V = .23 "
        u"(2 \u00d7 5) or .16 (3 \u00d7 3)"_s);
    row("b / SE = 0.30 / 0.10 = 3.00 against t(50) = 2.40",
        u"The slope, b = 0.30, SE = 0.10, t(50) = 2.40, p = .020."_s,
        u"b-se inconsistent: b = 0.30, SE = 0.10 do not fit t(50) = 2.40: b / SE = 2.81 to 3.21"_s);
    row("an SE rounded to 0 gives no ratio",
        u"The slope, b = 0.30, SE = 0.00, t(50) = 2.40, p = .020."_s,
        u"b-se unchecked: SE = 0.00 is rounded to 0: the ratio has no value to hold against t(50) "
        u"= 2.40"_s);
    row("ln(OR) / SE = ln 2.5 / 0.30 = 3.05 against z = 3.05",
        u"Odds rose, OR = 2.50, SE = 0.30, z = 3.05, p = .002."_s,
        u"b-se consistent: OR = 2.50, SE = 0.30 fit z = 3.05: ln(OR) / SE = 3.00 to 3.11"_s);
    row("an interval that excludes 0 with p below .05",
        u"The difference held, t(50) = 3.00, p = .004, 95% CI [0.10, 0.50]."_s,
        u"interval consistent: 95% CI [0.10, 0.50] excludes 0, as p = .004 says at \u03b1 = .05"_s);
    row("an interval that includes 0 with p below .05",
        u"The difference held, t(50) = 2.40, p = .020, 95% CI [-0.10, 0.50]."_s,
        u"interval inconsistent: 95% CI [\u22120.10, 0.50] includes 0, but p = .020 is below .05"_s);
    row("a 99% interval against alpha .01",
        u"The difference held, t(50) = 2.40, p = .020, 99% CI [0.05, 0.50]."_s,
        u"interval inconsistent: 99% CI [0.05, 0.50] excludes 0, but p = .020 is not below .01"_s);
    row("an estimate outside its interval",
        u"The slope, b = 0.70, 95% CI [0.10, 0.50], t(50) = 3.00, p = .004."_s,
        u"interval inconsistent: b = 0.70 lies outside the 95% CI [0.10, 0.50] after it"_s);
    row("a d outside the interval after it may be another quantity's",
        u"Scores rose, t(50) = 3.00, p = .004, d = 0.85, 95% CI [0.05, 0.35]."_s,
        u"effect-size unchecked: equal groups give d = 0.83; paired, d_z = 0.42\ninterval "
        u"unchecked: d = 0.85 lies outside the 95% CI [0.05, 0.35] after it; the interval may "
        u"be of another quantity"_s);
    row("a 90% interval of partial eta squared holds its estimate",
        u"F(1, 40) = 5.10, p = .03, \u03b7p2 = .11, 90% CI [.01, .25]"_s,
        u"effect-size consistent: \u03b7\u00b2p = .11 fits F(1, 40) = 5.10: it gives \u03b7\u00b2p "
        u"= "
        u".11\ninterval consistent: \u03b7\u00b2p = .11 lies inside its 90% CI [.01, .25]"_s);
    row("df of independent groups N - 2 = 58, paired 59, against 78",
        u"Scores rose, t(78) = 2.07, p = .042, N = 60."_s,
        u"df-n inconsistent: t(78) does not fit N = 60: independent groups give df = 58, paired 59"_s);
    row("N in the parenthesis that holds the statistic",
        u"Scores rose (N = 80, t(78) = 2.07, p = .042)."_s,
        u"df-n consistent: t(78) fits N = 80: independent groups give df = 78, paired 79"_s);
    row("n per group gives n1 = n2 = 40",
        u"Scores rose, t(38) = 2.10, p = .042, n = 40 per group."_s,
        u"df-n inconsistent: t(38) does not fit n\u2081 = 40 and n\u2082 = 40: independent groups "
        u"give df = 78, paired 39"_s);
    row("r df = N - 2 = 78 against 98", u"Scores correlated, r(98) = .30, p = .002, N = 80."_s,
        u"df-n inconsistent: r(98) does not fit N = 80: it gives df = 78"_s);
    row("one-way F df2 = N - k = 77", u"Groups differed, F(2, 77) = 3.50, p = .035, N = 80."_s,
        u"df-n consistent: F(2, 77) fits N = 80: a one-way design gives df2 = 77, repeated "
        u"measures 158"_s);
    row("GRIM: 3.47 x 25 = 86.75 is no whole sum",
        u"Scores were higher (M = 3.47, SD = 1.20, n = 25), t(24) = 2.10, p = .046."_s,
        u"grim inconsistent: M = 3.47 with n = 25 cannot be a mean of whole-number scores: the "
        u"nearest are 3.44 and 3.48"_s,
        true);
    row("GRIM on a 3-item scale: 260 / 75 = 3.467",
        u"Scores were higher (M = 3.47, n = 25), t(24) = 2.10, p = .046."_s,
        u"grim consistent: M = 3.47 with n = 25 can be a mean of scores on a 3-item whole-number "
        u"scale"_s,
        true, 3);
    row("GRIMMER: 87 / 25 with SD 1.20 needs 337.03 to 337.61 as its sum of squares",
        u"Scores were higher (M = 3.48, SD = 1.20, n = 25), t(24) = 2.10, p = .046."_s,
        u"grim consistent: M = 3.48 with n = 25 can be a mean of whole-number scores\ngrimmer "
        u"inconsistent: SD = 1.20 cannot come from whole-number scores with M = 3.48 and n = 25"_s,
        true);
    row("GRIMMER: SD 1.19 allows 337, of the parity of 87",
        u"Scores were higher (M = 3.48, SD = 1.19, n = 25), t(24) = 2.10, p = .046."_s,
        u"grim consistent: M = 3.48 with n = 25 can be a mean of whole-number scores\ngrimmer "
        u"consistent: SD = 1.19 can come from whole-number scores with M = 3.48 and n = 25"_s,
        true);
    row("GRIM with more scores than the mean has steps",
        u"Scores were higher (M = 3.47, n = 250), t(249) = 2.10, p = .037."_s,
        u"grim unchecked: M = 3.47 with n = 250: too many scores for GRIM at 2 decimals"_s, true);
}

void TestFigureFindings::checksEachFigure()
{
    QFETCH(QString, text);
    QFETCH(bool, wholeNumbers);
    QFETCH(int, items);
    QFETCH(QString, finding);
    const TextCheck check = CheckText(text, CheckSettings{u".05"_s, wholeNumbers, items});
    QCOMPARE(check.results.size(), 1);
    QCOMPARE(Findings(check), finding);
}

void TestFigureFindings::leavesOtherFiguresAlone_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("findings");
    QTest::newRow("a d from another test in the same sentence")
        << u"Anger rose, t(38) = 2.10, p = .042, d_z = 0.34, and fear fell, t(38) = 4.20, "
           u"p < .001, d_z = 0.67."_s
        << u"effect-size consistent: d_z = 0.34 fits t(38) = 2.10: a paired design gives d_z = "
           u"0.34\neffect-size consistent: d_z = 0.67 fits t(38) = 4.20: a paired design gives "
           u"d_z = 0.67"_s;
    QTest::newRow("an estimate after words is the next result's")
        << u"Up for the first (b = 0.33, SE = 0.10), t(60) = 3.30, p = .002, but down for the "
           u"second (b = -0.18, SE = 0.10), t(60) = -1.80, p = .077."_s
        << u"b-se consistent: b = 0.33, SE = 0.10 fit t(60) = 3.30: b / SE = 3.10 to 3.53\nb-se "
           u"consistent: b = \u22120.18, SE = 0.10 fit t(60) = \u22121.80: b / SE = 1.67 to 1.95"_s;
    QTest::newRow("a line that opens with the previous effect's size")
        << u"\u03b7p2 = .020, and an interaction, F(4, 800) = 5.50, p < .001, \u03b7p2 = .027."_s
        << u"effect-size consistent: \u03b7\u00b2p = .027 fits F(4, 800) = 5.50: it gives "
           u"\u03b7\u00b2p = .027"_s;
    QTest::newRow("an N of a different sample")
        << u"Of the N = 200 people invited, those who came scored higher, t(38) = 2.10, "
           u"p = .042."_s
        << QString();
    QTest::newRow("a CI of a mean, not of the test")
        << u"Scores (M = 5.20, SD = 1.10, 95% CI [4.90, 5.50]) rose, t(38) = 1.20, p = .24."_s
        << QString();
    QTest::newRow("GRIM only when the scores are whole numbers")
        << u"Scores were higher (M = 3.47, SD = 1.20, n = 25), t(24) = 2.10, p = .046."_s
        << QString();
    QTest::newRow("no interval check against a p already flagged")
        << u"The difference held, t(50) = 2.40, p = .20, 95% CI [0.05, 0.50]."_s << QString();
}

void TestFigureFindings::leavesOtherFiguresAlone()
{
    QFETCH(QString, text);
    QFETCH(QString, findings);
    QCOMPARE(Findings(CheckText(text)), findings);
}

void TestFigureFindings::countsFiguresInTheTotals()
{
    const TextCheck check = CheckText(u"Scores rose, t(38) = 2.10, p = .042, d_z = 0.90, and fell, "
                                      u"F(2, 57) = 3.76, p = .029, \u03b7p2 = .12."_s);
    QCOMPARE(TotalsLine(CountVerdicts(check)),
             u"2 results: 2 consistent, 0 inconsistent, 0 decision errors; 0 p values without a "
             u"statistic; 2 figures checked, 1 inconsistent"_s);
    QVERIFY(NeedsMending(check.results.first()));
    QVERIFY(!NeedsMending(check.results.last()));
}

QTEST_GUILESS_MAIN(TestFigureFindings)
#include "tst_figurefindings.moc"
