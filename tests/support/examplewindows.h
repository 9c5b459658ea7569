#pragma once

#include "anova/anovafrm.h"
#include "chisquare/chisquaretestfrm.h"
#include "correlation/correlationfrm.h"
#include "support/kelvarontest.h"
#include "ttestdep/ttestdepfrm.h"
#include "ttestindep/ttestindepfrm.h"

#include <QTest>
#include <functional>
#include <memory>

using namespace Qt::Literals::StringLiterals;

// Each test window with its worked example and report, written out so that no composer is its own
// oracle.
struct ExampleWindow {
    QString title;
    std::function<std::unique_ptr<ResultForm>()> create;
    // Every input box in tab order, the tails box as "CboTail"; the two names come first.
    QStringList tabOrder;
    // Null for the boxes the window derives.
    QStringList texts;
    QString report;
    double collapsedHeight, grownHeight;

    Fields example() const
    {
        Fields typed;
        for (qsizetype i = 0; i < tabOrder.size(); ++i)
            if (!texts.at(i).isNull())
                typed.append({tabOrder.at(i), texts.at(i)});
        return typed;
    }
};

enum Window { ChiSquare, Dependent, Independent, Correlation, Anova };

inline const QList<ExampleWindow> &ExampleWindows()
{
    static const QList<ExampleWindow> windows = {
        {u"chi-square"_s,
         [] { return std::make_unique<ChiSquareTestfrm>(); },
         {u"txtC1Name"_s, u"txtC2Name"_s, u"txtC1L1"_s, u"txtC1L2"_s, u"txtC2L1"_s, u"txtC2L2"_s,
          u"txtotSamSize"_s, u"txtC1L1Cnt"_s, u"txtC1L2Cnt"_s, u"txtC2L1Cnt"_s, u"txtC2L2Cnt"_s,
          u"txtalpha"_s, u"txtChiSq"_s, u"txtpvalue"_s},
         {u"Gender"_s, u"Smoking"_s, u"male"_s, u"female"_s, u"smoker"_s, u"non-smoker"_s, u"100"_s,
          u"48"_s, u"52"_s, u"30"_s, u"70"_s, u".05"_s, u"4.32"_s, u".038"_s},
         u"<u>Option 1</u><br>A chi-square test was used to analyze the data (&#945; = .05). The "
         u"results suggest a significant association between Gender and Smoking, "
         u"&#967;<sup>2</sup>(1, <i>N</i> = 100) = 4.32, <i>p</i> = .038."
         u"<br><br><u>Option 2</u><br>This study included Gender(48 male and 52 female) and "
         u"Smoking(30 smoker and 70 non-smoker). A 2X2 chi-square test of independence was used "
         u"to determine if Gender is dependent on Smoking. Given &#945; = .05, the results suggest "
         u"dependency, &#967;<sup>2</sup>(1, <i>N</i> = 100) = 4.32, <i>p</i> = .038."_s,
         4725,
         8605},
        {u"dependent"_s,
         [] { return std::make_unique<ttestdepfrm>(); },
         {u"txtg1Name"_s, u"txtg2Name"_s, u"txtg1Mean"_s, u"txtg2Mean"_s, u"txtg1StdDev"_s,
          u"txtg2StdDev"_s, u"txtotSamSize"_s, u"txtDepVarName"_s, u"txtierrorrate"_s, u"CboTail"_s,
          u"txtdegoffreedom"_s, u"txttstatistics"_s, u"txtpvalue"_s},
         {u"pretest"_s, u"posttest"_s, u"24.5"_s, u"20.1"_s, u"5.2"_s, u"4.8"_s, u"30"_s,
          u"anxiety score"_s, u".05"_s, u"2"_s, QString(), u"3.12"_s, u".004"_s},
         u"<u>Option 1</u><br>A two-tailed dependent samples <i>t</i>-test was used to compare the "
         u"mean difference in anxiety score between pretest and posttest, (<i>N</i> = 30). The "
         u"Type I error rate was set at alpha = .05. The results suggest that the average anxiety "
         u"score is greater for pretest (<i>M</i> = 24.5, <i>SD</i> = 5.2) than for posttest "
         u"(<i>M</i> = 20.1, <i>SD</i> = 4.8), <i>t</i>(29) = 3.12, <i>p</i> = .004."
         u"<br><br><u>Option 2</u><br>The mean anxiety score for pretest and posttest (<i>N</i> = "
         u"30) was statistically compared using a  two-tailed dependent sample <i>t</i>-test at "
         u"&#945 = .05. The results suggest that average pretest scores (<i>M</i> = 24.5, "
         u"<i>SD</i> = 5.2) are significantly greater than average posttest scores (<i>M</i> = "
         u"20.1, <i>SD</i> = 4.8), <i>t</i>(29) = 3.12, <i>p</i> = .004."
         u"<br><br><u>Option 3</u><br>The total sample size was <i>N</i> = 30. The interest was in "
         u"determining a significant mean difference between pretest and posttest in terms of "
         u"anxiety score. As such, a two-tailed dependent samples <i>t</i>-test (&#945 = .05) was "
         u"used to compare the means. The results were significant. <i>t</i>(29) = 3.12, <i>p</i> "
         u"= .004. The conclusion is that pretest scores (<i>M</i> = 24.5, <i>SD</i> = 5.2) are  "
         u"greater than posttest scores (<i>M</i> = 20.1, <i>SD</i> = 4.8), <i>t</i>(29) = 3.12, "
         u"<i>p</i> = .004."_s,
         4725,
         9985},
        {u"independent"_s,
         [] { return std::make_unique<ttestindepfrm>(); },
         {u"txtg1Name"_s, u"txtg2Name"_s, u"txtg1Mean"_s, u"txtg2Mean"_s, u"txtg1StdDev"_s,
          u"txtg2StdDev"_s, u"txtg1SamSize"_s, u"txtg2SamSize"_s, u"txtotSamSize"_s,
          u"txtDepVarName"_s, u"txtierrorrate"_s, u"CboTail"_s, u"txtdegoffreedom"_s,
          u"txttstatistics"_s, u"txtpvalue"_s},
         {u"Treatment"_s, u"Control"_s, u"12.5"_s, u"10.2"_s, u"2.1"_s, u"2.3"_s, u"20"_s, u"22"_s,
          QString(), u"anxiety"_s, u"0.05"_s, u"2"_s, QString(), u"3.37"_s, u"0.002"_s},
         u"<u>Option 1</u><br>A two-tailed independent samples <i>t</i>-test was used to compare "
         u"the mean difference in anxiety between Treatment (<i>n</i> = 20) and Control (<i>n</i> "
         u"= 22). The Type I error rate was set at alpha = 0.05. The results suggest that the "
         u"average anxiety is greater for Treatment (<i>M</i> = 12.5, <i>SD</i> = 2.1) than for "
         u"Control (<i>M</i> = 10.2, <i>SD</i> = 2.3), <i>t</i>(40) = 3.37, <i>p</i> = 0.002."
         u"<br><br><u>Option 2</u><br>The mean anxiety for Treatment (<i>n</i> = 20) and Control "
         u"(<i>n</i> = 22) was statistically compared using a  two-tailed independent sample "
         u"<i>t</i>-test at &#945 = 0.05. The results suggest that average Treatment scores "
         u"(<i>M</i> = 12.5, <i>SD</i> = 2.1) are significantly greater than average Control "
         u"scores (<i>M</i> = 10.2, <i>SD</i> = 2.3), <i>t</i>(40) = 3.37, <i>p</i> = 0.002."
         u"<br><br><u>Option 3</u><br>The total sample of 42 consisted of 20 Treatment and 22 "
         u"Control. The interest was in determining a significant mean difference between these "
         u"two groups in terms of anxiety. As such, a two-tailed independent samples "
         u"<i>t</i>-test (&#945 = 0.05) was used to compare the means. The results were "
         u"significant. <i>t</i>(40) = 3.37, <i>p</i> = 0.002. The conclusion is that Treatment "
         u"scores (<i>M</i> =12.5, <i>SD</i> =2.1) are  greater than Control scores (<i>M</i> = "
         u"10.2, <i>SD</i> = 2.3), <i>t</i>(40) = 3.37, <i>p</i> = 0.002."_s,
         5025,
         10195},
        {u"correlation"_s,
         [] { return std::make_unique<correlationfrm>(); },
         {u"txtv1Name"_s, u"txtv2Name"_s, u"txtotSamSize"_s, u"txtierrorrate"_s, u"CboTail"_s,
          u"txtdegoffreedom"_s, u"txtrcoef"_s, u"txtpvalue"_s},
         {u"study time"_s, u"exam score"_s, u"40"_s, u".05"_s, u"2"_s, QString(), u".45"_s,
          u".004"_s},
         u"<u>Option 1</u><br>A two-tailed Pearson product-moment correlation was computed to "
         u"assess the relationship between study time and exam score (<i>N</i> = 40). The Type I "
         u"error rate was set at alpha = .05. The results indicate a significant positive "
         u"correlation between study time and exam score, <i>r</i>(38) = .45, <i>p</i> = .004."
         u"<br><br><u>Option 2</u><br>The relationship between study time and exam score "
         u"(<i>N</i> = 40) was tested with a two-tailed Pearson correlation at &#945; = .05. The "
         u"two variables were significantly related: higher study time went with higher exam "
         u"score, <i>r</i>(38) = .45, <i>p</i> = .004."
         u"<br><br><u>Option 3</u><br>The total sample size was <i>N</i> = 40. A two-tailed "
         u"Pearson correlation (&#945; = .05) was used to examine whether study time and exam "
         u"score were related. The correlation was significant and positive, <i>r</i>(38) = .45, "
         u"<i>p</i> = .004."_s,
         3645,
         8905},
        {u"anova"_s,
         [] { return std::make_unique<anovafrm>(); },
         {u"txtFactorName"_s, u"txtDepVarName"_s, u"txtg1Name"_s,     u"txtg1Mean"_s,
          u"txtg1StdDev"_s,   u"txtg1SamSize"_s,  u"txtg2Name"_s,     u"txtg2Mean"_s,
          u"txtg2StdDev"_s,   u"txtg2SamSize"_s,  u"txtg3Name"_s,     u"txtg3Mean"_s,
          u"txtg3StdDev"_s,   u"txtg3SamSize"_s,  u"txtg4Name"_s,     u"txtg4Mean"_s,
          u"txtg4StdDev"_s,   u"txtg4SamSize"_s,  u"txtotSamSize"_s,  u"txtdfBetween"_s,
          u"txtdfWithin"_s,   u"txtierrorrate"_s, u"txtFstatistic"_s, u"txtpvalue"_s},
         {u"teaching method"_s,
          u"exam score"_s,
          u"Lecture"_s,
          u"70.2"_s,
          u"8.1"_s,
          u"20"_s,
          u"Seminar"_s,
          u"75.6"_s,
          u"7.4"_s,
          u"20"_s,
          u"Online"_s,
          u"68.9"_s,
          u"9.0"_s,
          u"20"_s,
          QString(),
          QString(),
          QString(),
          QString(),
          QString(),
          QString(),
          QString(),
          u".05"_s,
          u"3.76"_s,
          u".029"_s},
         u"<u>Option 1</u><br>A one-way analysis of variance (ANOVA) was used to compare the mean "
         u"exam score across the three levels of teaching method: Lecture (<i>n</i> = 20), Seminar "
         u"(<i>n</i> = 20), and Online (<i>n</i> = 20). The Type I error rate was set at &#945; = "
         u".05. The results suggest that teaching method had a significant effect on exam score, "
         u"which was highest for Seminar (<i>M</i> = 75.6, <i>SD</i> = 7.4) and lowest for Online "
         u"(<i>M</i> = 68.9, <i>SD</i> = 9.0), <i>F</i>(2, 57) = 3.76, <i>p</i> = .029."
         u"<br><br><u>Option 2</u><br>The mean exam score for Lecture (<i>n</i> = 20, <i>M</i> = "
         u"70.2, <i>SD</i> = 8.1), Seminar (<i>n</i> = 20, <i>M</i> = 75.6, <i>SD</i> = 7.4), and "
         u"Online (<i>n</i> = 20, <i>M</i> = 68.9, <i>SD</i> = 9.0) was compared using a one-way "
         u"ANOVA with teaching method as the between-subjects factor and &#945; = .05. The groups "
         u"differed significantly in exam score, with the highest mean for Seminar and the lowest "
         u"for Online, <i>F</i>(2, 57) = 3.76, <i>p</i> = .029."
         u"<br><br><u>Option 3</u><br>The total sample of <i>N</i> = 60 comprised three groups "
         u"defined by teaching method: Lecture (<i>n</i> = 20), Seminar (<i>n</i> = 20), and "
         u"Online (<i>n</i> = 20). The interest was in determining whether the groups differed in "
         u"their mean exam score. As such, a one-way ANOVA (&#945; = .05) was used to compare the "
         u"means. The results were significant: Seminar had the highest mean exam score (<i>M</i> "
         u"= 75.6, <i>SD</i> = 7.4) and Online the lowest (<i>M</i> = 68.9, <i>SD</i> = 9.0), "
         u"<i>F</i>(2, 57) = 3.76, <i>p</i> = .029."_s,
         6480,
         10150},
    };
    return windows;
}

// A row "<window>: <what>" of a table whose first column is "window".
inline QTestData &WindowRow(int window, const char *what)
{
    const QString name = ExampleWindows().at(window).title + u": "_s + QLatin1StringView(what);
    return QTest::newRow(qPrintable(name)) << window;
}

inline void EachWindow()
{
    QTest::addColumn<int>("window");
    for (const int window : {ChiSquare, Dependent, Independent, Correlation, Anova})
        QTest::newRow(qPrintable(ExampleWindows().at(window).title)) << window;
}

// The example's report with other names; the example's names step aside first, so that a new
// name may hold an old one.
inline QString ExpectedReport(const ExampleWindow &window, const QString &name1,
                              const QString &name2)
{
    return QString(window.report)
        .replace(window.texts.at(0), u"\uE000"_s)
        .replace(window.texts.at(1), u"\uE001"_s)
        .replace(u"\uE000"_s, name1)
        .replace(u"\uE001"_s, name2);
}

// Pastes the two names into the window and types the rest of the example.
inline void FillExample(QWidget *form, const ExampleWindow &window, const QString &name1,
                        const QString &name2)
{
    PasteInto(Box(form, window.tabOrder.at(0)), name1);
    PasteInto(Box(form, window.tabOrder.at(1)), name2);
    TypeFields(form, window.example().mid(2));
}
