#include "anova/anovachecks.h"
#include "report/resultviewer.h"
#include "report/unicodefile.h"
#include "support/examplewindows.h"
#include "support/kelvarontest.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QLocale>
#include <QMimeData>
#include <QScrollBar>
#include <QTest>
#include <memory>

using namespace Qt::Literals::StringLiterals;

// The strip of figure checks under the report, through the real windows. The expected figures
// were computed apart from the program (noncentral t by numerical integration).
class TestFigureChecks : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        QLocale::setDefault(QLocale(u"en_US"_s));
        QFile::remove(ResultFilePath());
    }
    void cleanup() { form.reset(); }

    void chiSquare_data()
    {
        columns();
        WindowRow(ChiSquare, "worked example agrees")
            << Fields() << u"Figures agree: χ²(1) = 4.32 gives p = .038.\nEffect size: φ = .21"_s;
        WindowRow(ChiSquare, "p far off: the decision flips")
            << Fields{{u"txtChiSq"_s, u"0.32"_s}}
            << u"Check p: χ²(1) = 0.32 gives p = .57, not .038 — at α = .05 the result would not "
               u"be significant.\nEffect size: φ = .06"_s;
        WindowRow(ChiSquare, "chi-square above N")
            << Fields{{u"txtotSamSize"_s, u"4"_s},
                      {u"txtC1L1Cnt"_s, u"2"_s},
                      {u"txtC1L2Cnt"_s, u"2"_s},
                      {u"txtC2L1Cnt"_s, u"1"_s},
                      {u"txtC2L2Cnt"_s, u"3"_s}}
            << u"Figures agree: χ²(1) = 4.32 gives p = .038.\nCheck the figures: χ² = 4.32 is "
               u"above N = 4, which no 2 x 2 table can give (φ ≤ 1)."_s;
        WindowRow(ChiSquare, "counts do not add up")
            << Fields{{u"txtC1L2Cnt"_s, u"50"_s}}
            << u"Figures agree: χ²(1) = 4.32 gives p = .038.\nCheck the counts: the Gender counts "
               u"add up to 98, not N = 100.\nEffect size: φ = .21"_s;
        WindowRow(ChiSquare, "neither category's counts add up: one line")
            << Fields{{u"txtC1L2Cnt"_s, u"50"_s}, {u"txtC2L1Cnt"_s, u"31"_s}}
            << u"Figures agree: χ²(1) = 4.32 gives p = .038.\nCheck the counts: the Gender counts "
               u"add up to 98 and the Smoking counts to 101, not N = 100.\nEffect size: φ = .21"_s;
        WindowRow(ChiSquare, "p below .0001 is rounded too")
            << Fields{{u"txtChiSq"_s, u"20.00"_s}, {u"txtpvalue"_s, u".000077"_s}}
            << u"Check p: χ²(1) = 20.00 gives p = .0000077, not .000077.\nEffect size: φ = .45"_s;
        WindowRow(ChiSquare, "p = .000 agrees, with a style line")
            << Fields{{u"txtChiSq"_s, u"20.00"_s}, {u"txtpvalue"_s, u".000"_s}}
            << u"Figures agree: χ²(1) = 20.00 gives p < .0001.\nStyle: p = .000 cannot be exact; "
               u"report it as p < .001.\nEffect size: φ = .45"_s;
        WindowRow(ChiSquare, "recomputed p with the digits that set it apart")
            << Fields{{u"txtChiSq"_s, u"9.143"_s}, {u"txtpvalue"_s, u".003"_s}}
            << u"Check p: χ²(1) = 9.143 gives p = .002497, not .003.\nEffect size: φ = .30"_s;
        WindowRow(ChiSquare, "names read as markup")
            << Fields{{u"txtC2Name"_s, u"Smoking &amp; vaping"_s},
                      {u"txtC2L2"_s, u"<b>non-smoker"_s}}
            << u"Figures agree: χ²(1) = 4.32 gives p = .038.\nCheck the names: Name of Category 2 "
               u"shows as \"Smoking & vaping\", Name for Category 2 / Level 2 as \"non-smoker\" on "
               u"the page; \"<\" and \"&\" in a name are read as markup.\nEffect size: φ = .21"_s;
    }
    void chiSquare() { showsLines(); }

    void dependent_data()
    {
        columns();
        const QString effect = u"Effect size: d_z = 0.57, 95% CI [0.18, 0.95]"_s;
        WindowRow(Dependent, "worked example agrees")
            << Fields()
            << u"Figures agree: t(29) = 3.12 gives p = .0041 (two-tailed).\n"_s + effect;
        WindowRow(Dependent, "one-tailed")
            << Fields{{u"CboTail"_s, u"1"_s}, {u"txtpvalue"_s, u".002"_s}}
            << u"Figures agree: t(29) = 3.12 gives p = .0020 (one-tailed).\n"_s + effect;
        WindowRow(Dependent, "impossible correlation")
            << Fields{{u"txtg1StdDev"_s, u"1.0"_s}, {u"txtg2StdDev"_s, u"1.0"_s}}
            << u"Figures agree: t(29) = 3.12 gives p = .0041 (two-tailed).\nCheck the figures: "
               u"these means, SDs, N and t need a correlation of −28.8 between the levels; a "
               u"correlation lies between −1 and 1.\n"_s +
                   effect;
        WindowRow(Dependent, "p above 1") << Fields{{u"txtpvalue"_s, u"1.5"_s}}
                                          << u"Check the figures: p = 1.5 lies outside 0 to 1."_s;
        WindowRow(Dependent, "p below .0001 is rounded too")
            << Fields{{u"txtotSamSize"_s, u"77"_s},
                      {u"txttstatistics"_s, u"4.30"_s},
                      {u"txtpvalue"_s, u".00009"_s}}
            << u"Check p: t(76) = 4.30 gives p = .000050 (two-tailed), not .00009.\nEffect size: "
               u"d_z = 0.49, 95% CI [0.25, 0.73]"_s;
        const Fields t537{{u"txtotSamSize"_s, u"41"_s}, {u"txttstatistics"_s, u"5.37"_s}};
        const QString d537 = u"Effect size: d_z = 0.84, 95% CI [0.48, 1.19]"_s;
        WindowRow(Dependent, "a zero lost") << With(t537, {{u"txtpvalue"_s, u".000036"_s}})
                                            << u"Check p: t(40) = 5.37 gives p = .0000036 "
                                               u"(two-tailed), not .000036.\n"_s +
                                                   d537;
        WindowRow(Dependent, "p below .0001 that agrees")
            << With(t537, {{u"txtpvalue"_s, u".0000036"_s}})
            << u"Figures agree: t(40) = 5.37 gives p = .0000036 (two-tailed).\n"_s + d537;
        WindowRow(Dependent, "recomputed p with the digits that set it apart")
            << Fields{{u"txtg2Mean"_s, u"23.5"_s},
                      {u"txtotSamSize"_s, u"51"_s},
                      {u"txttstatistics"_s, u"1.63"_s},
                      {u"txtpvalue"_s, u".111"_s}}
            << u"Check p: t(50) = 1.63 gives p = .109 (two-tailed), not .111.\nEffect size: d_z = "
               u"0.23, 95% CI [−0.05, 0.51]"_s;
        WindowRow(Dependent, "p = 0 is exact")
            << Fields{{u"txtg2Mean"_s, u"23.5"_s},
                      {u"txtotSamSize"_s, u"41"_s},
                      {u"txttstatistics"_s, u"1.05"_s},
                      {u"txtpvalue"_s, u"0"_s}}
            << u"Check p: t(40) = 1.05 gives p = .30 (two-tailed), not 0 — at α = .05 the result "
               u"would not be significant.\nEffect size: d_z = 0.16, 95% CI [−0.15, 0.47]"_s;
        WindowRow(Dependent, "a limit that rounds to zero")
            << Fields{{u"txtg2Mean"_s, u"22.5"_s},
                      {u"txttstatistics"_s, u"2.04"_s},
                      {u"txtpvalue"_s, u".05"_s}}
            << u"Figures agree: t(29) = 2.04 gives p = .051 (two-tailed).\nEffect size: d_z = "
               u"0.37, "
               u"95% CI [0.00, 0.74]"_s;
    }
    void dependent() { showsLines(); }

    void independent_data()
    {
        columns();
        const QString agree = u"Figures agree: t(40) = 3.37 gives p = .0017 (two-tailed).\n"_s;
        const QString effect = u"Effect size: d = 1.04, 95% CI [0.39, 1.68]"_s;
        WindowRow(Independent, "worked example agrees") << Fields() << agree + effect;
        WindowRow(Independent, "decision flips")
            << Fields{{u"txtpvalue"_s, u".07"_s}}
            << u"Check p: t(40) = 3.37 gives p = .0017 (two-tailed), not .07 — at α = 0.05 the "
               u"result would be significant.\n"_s +
                   effect;
        // The typed t stands for 3.365 to 3.375, so p for 3.3700 alone would miss .00165.
        WindowRow(Independent, "p just inside the rounding")
            << Fields{{u"txtpvalue"_s, u".00165"_s}}
            << u"Figures agree: t(40) = 3.37 gives p = .0017 (two-tailed).\n"_s + effect;
        WindowRow(Independent, "p just outside the rounding")
            << Fields{{u"txtpvalue"_s, u".0016"_s}}
            << u"Check p: t(40) = 3.37 gives p = .0017 (two-tailed), not .0016.\n"_s + effect;
        WindowRow(Independent, "one-tailed")
            << Fields{{u"CboTail"_s, u"1"_s}}
            << u"Check p: t(40) = 3.37 gives p = .00084 (one-tailed), not 0.002.\n"_s + effect;
        WindowRow(Independent, "t matches neither")
            << Fields{{u"txtg1Mean"_s, u"13.5"_s}}
            << agree +
                   u"Check t: the means, SDs and sizes give t = 4.84 (Student) or 4.86 (Welch), "
                   u"not 3.37.\n"_s +
                   effect;
        WindowRow(Independent, "t matches Welch only")
            << Fields{{u"txtg1StdDev"_s, u"1.0"_s},     {u"txtg2StdDev"_s, u"3.0"_s},
                      {u"txtg1SamSize"_s, u"10"_s},     {u"txtg2SamSize"_s, u"40"_s},
                      {u"txttstatistics"_s, u"4.03"_s}, {u"txtpvalue"_s, u".0002"_s}}
            << u"Figures agree: t(48) = 4.03 gives p = .00020 (two-tailed).\nCheck t: 4.03 is "
               u"Welch's t (Student's is 2.38); Welch's test has df = 43.8, not 48.\nEffect "
               u"size: d = 1.42, 95% CI [0.67, 2.17]"_s;
        WindowRow(Independent, "t beyond any interval")
            << Fields{{u"txttstatistics"_s, u"4E+9"_s}, {u"txtpvalue"_s, u"1E-9"_s}}
            << u"Check p: t(40) = 4E+9 gives p < 1E−11 (two-tailed), not 1E−9.\nCheck t: the "
               u"means, SDs and sizes give t = 3.37 (Student) or 3.39 (Welch), not 4E+9.\nEffect "
               u"size: d = 1235828761.31"_s;
        WindowRow(Independent, "negative SD")
            << Fields{{u"txtg2StdDev"_s, u"-2.3"_s}}
            << u"Check the figures: SD = −2.3; an SD cannot be negative."_s;
        WindowRow(Independent, "negative t: one minus sign")
            << Fields{{u"txtg1Mean"_s, u"8.5"_s}, {u"txttstatistics"_s, u"-3.37"_s}}
            << u"Figures agree: t(40) = −3.37 gives p = .0017 (two-tailed).\nCheck t: the means, "
               u"SDs and sizes give t = −2.49 (Student) or −2.50 (Welch), not −3.37.\nEffect size: "
               u"d = −1.04, 95% CI [−1.68, −0.39]"_s;
        WindowRow(Independent, "p = 1 is exact")
            << Fields{{u"txtpvalue"_s, u"1"_s}}
            << u"Check p: t(40) = 3.37 gives p = .0017 (two-tailed), not 1 — at α = 0.05 the "
               u"result would be significant.\n"_s +
                   effect;
        WindowRow(Independent, "name read as markup")
            << Fields{{u"txtg1Name"_s, u"Low<High & Co"_s}}
            << agree +
                   u"Check the names: Name of Group 1 shows as \"Low\" on the page; \"<\" and "
                   u"\"&\" in a name are read as markup.\n"_s +
                   effect;
        WindowRow(Independent, "names that read as typed")
            << Fields{{u"txtg1Name"_s, u"R&D"_s}, {u"txtg2Name"_s, u"<30"_s}} << agree + effect;
        WindowRow(Independent, "decimal comma")
            << Fields{{u"txtg1Mean"_s, u"12,5"_s},     {u"txtg2Mean"_s, u"10,2"_s},
                      {u"txtg1StdDev"_s, u"2,1"_s},    {u"txtg2StdDev"_s, u"2,3"_s},
                      {u"txtierrorrate"_s, u"0,05"_s}, {u"txttstatistics"_s, u"3,37"_s},
                      {u"txtpvalue"_s, u"0,002"_s}}
            << u"Figures agree: t(40) = 3,37 gives p = ,0017 (two-tailed).\nEffect size: d = 1,04, "
               u"95% CI [0,39; 1,68]"_s;
    }
    void independent() { showsLines(); }

    // r = .45 with df 38 gives t = 3.1063, p = .003575 (two-tailed) and .001787 (one-tailed);
    // with N = 40 its interval is [.1611, .6679] and r² = .2025.
    void correlation_data()
    {
        columns();
        const QString effect = u"Effect size: r = .45, 95% CI [.16, .67], r² = .20"_s;
        WindowRow(Correlation, "worked example agrees")
            << Fields() << u"Figures agree: r(38) = .45 gives p = .0036 (two-tailed).\n"_s + effect;
        // Six decimals leave r a narrow interval: p is pinned to about a ten-millionth.
        WindowRow(Correlation, "p to four digits")
            << Fields{{u"txtrcoef"_s, u".450000"_s}, {u"txtpvalue"_s, u".003574"_s}}
            << u"Check p: r(38) = .450000 gives p = .003575 (two-tailed), not .003574.\n"_s +
                   effect;
        WindowRow(Correlation, "negative, one-tailed")
            << Fields{{u"CboTail"_s, u"1"_s},
                      {u"txtrcoef"_s, u"-.450000"_s},
                      {u"txtpvalue"_s, u".001787"_s}}
            << u"Figures agree: r(38) = −.450000 gives p = .0018 (one-tailed).\nEffect size: r = "
               u"−.45, 95% CI [−.67, −.16], r² = .20"_s;
        WindowRow(Correlation, "decision flips")
            << Fields{{u"txtpvalue"_s, u".07"_s}}
            << u"Check p: r(38) = .45 gives p = .0036 (two-tailed), not .07 — at α = .05 the "
               u"result would be significant.\n"_s +
                   effect;
        // r = 1 stands for .5 to 1.5, cut at 1, where p is 0.
        WindowRow(Correlation, "r = 1: interval cut at 1, no CI")
            << Fields{{u"txtrcoef"_s, u"1"_s}, {u"txtpvalue"_s, u".001"_s}}
            << u"Figures agree: r(38) = 1 gives p < .0001 (two-tailed).\nEffect size: r = 1.0, "
               u"r² = 1.0"_s;
        WindowRow(Correlation, "r = .00 reaches p = 1")
            << Fields{{u"txtrcoef"_s, u".00"_s}, {u"txtpvalue"_s, u".99"_s}}
            << u"Figures agree: r(38) = .00 gives p = 1.0 (two-tailed).\nEffect size: r = .00, "
               u"95% CI [−.31, .31], r² = .00"_s;
        WindowRow(Correlation, "N = 3: no CI")
            << Fields{{u"txtotSamSize"_s, u"3"_s}, {u"txtpvalue"_s, u".70"_s}}
            << u"Figures agree: r(1) = .45 gives p = .70 (two-tailed).\nEffect size: r = .45, r² "
               u"= .20"_s;
        WindowRow(Correlation, "r above 1")
            << Fields{{u"txtrcoef"_s, u"1.2"_s}}
            << u"Check the figures: r = 1.2 lies outside −1 to 1."_s;
        WindowRow(Correlation, "df 0")
            << Fields{{u"txtotSamSize"_s, u"2"_s}}
            << u"Check the figures: df = 0; the degrees of freedom must be above 0."_s;
    }
    void correlation() { showsLines(); }
    void anova_data()
    {
        columns();
        const QString agree = u"Figures agree: F(2, 57) = 3.76 gives p = .029.\n"_s;
        const QString effect = u"Effect size: η² = .12, 90% CI [.01, .24]"_s;
        WindowRow(Anova, "worked example agrees") << Fields() << agree + effect;
        WindowRow(Anova, "decision flips")
            << Fields{{u"txtpvalue"_s, u".07"_s}}
            << u"Check p: F(2, 57) = 3.76 gives p = .029, not .07 — at α = .05 the result would be "
               u"significant.\n"_s +
                   effect;
        WindowRow(Anova, "F off the group figures")
            << Fields{{u"txtFstatistic"_s, u"4.76"_s}, {u"txtpvalue"_s, u".012"_s}}
            << u"Figures agree: F(2, 57) = 4.76 gives p = .012.\nCheck F: the means, SDs and sizes "
               u"give F = 3.76, not 4.76.\nEffect size: η² = .14, 90% CI [.02, .28]"_s;
        // 4.25 is F with the unweighted mean of the means as the grand mean.
        WindowRow(Anova, "grand mean weighted by size")
            << Fields{{u"txtg1Mean"_s, u"70.20"_s},    {u"txtg2Mean"_s, u"75.60"_s},
                      {u"txtg3Mean"_s, u"68.90"_s},    {u"txtg1StdDev"_s, u"8.10"_s},
                      {u"txtg2StdDev"_s, u"7.40"_s},   {u"txtg3StdDev"_s, u"9.00"_s},
                      {u"txtg2SamSize"_s, u"25"_s},    {u"txtg3SamSize"_s, u"15"_s},
                      {u"txtFstatistic"_s, u"4.25"_s}, {u"txtpvalue"_s, u".019"_s}}
            << u"Figures agree: F(2, 57) = 4.25 gives p = .019.\nCheck F: the means, SDs and sizes "
               u"give F = 4.10, not 4.25.\nEffect size: η² = .13, 90% CI [.01, .26]"_s;
        // The least F over the means' box lies inside it (.451); its corners give .602 at least.
        const Fields closeMeans = {{u"txtg1Mean"_s, u"20.1"_s},    {u"txtg2Mean"_s, u"20.3"_s},
                                   {u"txtg3Mean"_s, u"20.2"_s},    {u"txtg1StdDev"_s, u"1.052"_s},
                                   {u"txtg2StdDev"_s, u"1.052"_s}, {u"txtg3StdDev"_s, u"1.052"_s},
                                   {u"txtg1SamSize"_s, u"200"_s},  {u"txtg2SamSize"_s, u"200"_s},
                                   {u"txtg3SamSize"_s, u"200"_s},  {u"txtpvalue"_s, u".64"_s}};
        const QString closeEffect = u"Effect size: η² = .00, 90% CI [.00, .01]"_s;
        WindowRow(Anova, "F inside the means' box, below its corners")
            << With(closeMeans, {{u"txtFstatistic"_s, u".452"_s}})
            << u"Figures agree: F(2, 597) = .452 gives p = .64.\n"_s + closeEffect;
        WindowRow(Anova, "F below the least of the means' box")
            << With(closeMeans, {{u"txtFstatistic"_s, u".450"_s}})
            << u"Figures agree: F(2, 597) = .450 gives p = .64.\nCheck F: the means, SDs and sizes "
               u"give F = 1.81, not .450.\n"_s +
                   closeEffect;
        WindowRow(Anova, "size not a whole number")
            << Fields{{u"txtg2SamSize"_s, u"20.5"_s}}
            << u"Check the figures: n = 20.5; a group size must be a whole number of at least 1."_s;
        WindowRow(Anova, "a group's name read as markup")
            << Fields{{u"txtg3Name"_s, u"Low<High & Co"_s}}
            << agree +
                   u"Check the names: Name of Group 3 shows as \"Low\" on the page; \"<\" and "
                   u"\"&\" in a name are read as markup.\n"_s +
                   effect;
        WindowRow(Anova, "negative F") << Fields{{u"txtFstatistic"_s, u"-3.76"_s}}
                                       << u"Check the figures: F = −3.76 cannot be negative."_s;
        WindowRow(Anova, "no degrees of freedom within")
            << Fields{{u"txtg1SamSize"_s, u"1"_s},
                      {u"txtg2SamSize"_s, u"1"_s},
                      {u"txtg3SamSize"_s, u"1"_s}}
            << u"Check the figures: df = 0; the degrees of freedom must be above 0."_s;
    }
    void anova() { showsLines(); }

    // The worked example's figures to five decimals, computed apart from the program.
    void anovaReferenceFigures()
    {
        const auto fifths = [](double value) { return qRound(value * 1e5); };
        const QList<AnovaGroup> groups = {{u"Lecture"_s, u"70.2"_s, u"8.1"_s, u"20"_s},
                                          {u"Seminar"_s, u"75.6"_s, u"7.4"_s, u"20"_s},
                                          {u"Online"_s, u"68.9"_s, u"9.0"_s, u"20"_s}};
        QCOMPARE(fifths(*FFromGroups(groups)), 376124);
        QCOMPARE(fifths(PFromF(3.76, 2, 57)), 2925);
        QCOMPARE(fifths(EtaSquared(3.76, 2, 57)), 11655);
        const Interval ci = *EtaSquaredLimits(3.76, 2, 57);
        QCOMPARE(fifths(ci.lo), 696);
        QCOMPARE(fifths(ci.hi), 24354);
    }

    // Hidden until a report; a refused click leaves the last lines; the pane's page ends above
    // the strip and copies without it; Copy hands over the effect size in both forms.
    void stripStaysApartFromThePage()
    {
        open(Independent);
        QLabel *strip = form->findChild<QLabel *>(u"FigureCheck"_s);
        QVERIFY(strip && strip->isHidden() && strip->text().isEmpty());
        QCOMPARE(strip->focusPolicy(), Qt::NoFocus);
        // ".002" takes the pane's word joiner, which a copy must leave out.
        TypeFields(form.get(), With(under->example(), {{u"txtpvalue"_s, u".002"_s}}));
        ClickShowResult(form.get());
        QVERIFY(strip->isVisible());
        const QString lines = strip->text();

        ResultViewer *pane = Pane(form.get());
        const QRect inPane = strip->geometry();
        QVERIFY(pane->contentsRect().contains(inPane));
        QCOMPARE(inPane.bottom(), pane->contentsRect().bottom());
        QVERIFY(pane->viewport()->geometry().bottom() < inPane.top());
        const QScrollBar *bar = pane->verticalScrollBar();
        QVERIFY(bar->isVisible() && !inPane.intersects({bar->mapTo(pane, QPoint()), bar->size()}));
        pane->selectAll();
        pane->copy();
        const QString copiedPage = QApplication::clipboard()->text();
        QVERIFY(copiedPage.startsWith(u"Option 1"_s) && copiedPage.endsWith(u"p = .002."_s));
        QVERIFY(!copiedPage.contains(u'\u2060'));

        Q_EMIT strip->linkActivated(u"copy"_s);
        const QMimeData *copied = QApplication::clipboard()->mimeData();
        QCOMPARE(copied->text(), u"d = 1.04, 95% CI [0.39, 1.68]"_s);
        QCOMPARE(copied->html(), u"<i>d</i> = 1.04, 95% CI [0.39, 1.68]"_s);

        TypeInto(Box(form.get(), u"txtg1Name"_s), QString());
        MessageBoxCatcher boxes;
        ClickShowResult(form.get());
        QCOMPARE(boxes.texts().size(), 1);
        QCOMPARE(strip->text(), lines);
    }

private:
    void columns()
    {
        QTest::addColumn<int>("window");
        QTest::addColumn<Fields>("changes");
        QTest::addColumn<QString>("lines");
    }

    void showsLines()
    {
        QFETCH(int, window);
        QFETCH(Fields, changes);
        QFETCH(QString, lines);
        if (QTest::currentDataTag() == "independent: decimal comma"_L1)
            QLocale::setDefault(QLocale(u"de_DE"_s));
        open(window);
        TypeFields(form.get(), With(under->example(), changes));
        MessageBoxCatcher boxes;
        ClickShowResult(form.get());
        QCOMPARE(boxes.texts(), QStringList());
        QCOMPARE(form->findChild<QLabel *>(u"FigureCheck"_s)->accessibleDescription(), lines);
    }

    void open(int window)
    {
        under = &ExampleWindows().at(window);
        form = under->create();
        QVERIFY(ShowAndActivate(form.get()));
    }

    const ExampleWindow *under = nullptr;
    std::unique_ptr<ResultForm> form;
};

QTEST_MAIN(TestFigureChecks)
#include "tst_figurechecks.moc"
