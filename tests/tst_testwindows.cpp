#include "report/resultviewer.h"
#include "report/unicodefile.h"
#include "support/examplewindows.h"
#include "support/kelvarontest.h"
#include "toolkit/twips.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QMimeData>
#include <QRegularExpression>
#include <QTest>
#include <QTextDocument>
#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {
// The second worked examples. Blanks around names and figures are typed but never written.
const Fields ChiSquareAtAlphaTyped = {
    {u"txtC1Name"_s, u"  Gender "_s}, {u"txtalpha"_s, u" .05 "_s}, {u"txtpvalue"_s, u".05 "_s}};
const QString ChiSquareAtAlpha =
    u"<u>Option 1</u><br>A chi-square test was used to analyze the data (&#945; = .05). The "
    u"results suggest a lack of significant association between Gender and Smoking, "
    u"&#967;<sup>2</sup>(1, <i>N</i> = 100) = 4.32, <i>p</i> = .05."
    u"<br><br><u>Option 2</u><br>This study included Gender(48 male and 52 female) and "
    u"Smoking(30 smoker and 70 non-smoker). A 2X2 chi-square test of independence was used to "
    u"determine if Gender is dependent on Smoking. Given &#945; = .05, the results suggest "
    u"lack of dependency, &#967;<sup>2</sup>(1, <i>N</i> = 100) = 4.32, <i>p</i> = .05."_s;

const Fields IndependentNotSignificantTyped = {{u"txtg2Name"_s, u" Control  "_s},
                                               {u"txttstatistics"_s, u" 1.05"_s},
                                               {u"txtpvalue"_s, u"0.3 "_s}};
const QString IndependentNotSignificant =
    u"<u>Option 1</u><br>A two-tailed independent samples <i>t</i>-test was used to compare the "
    u"mean difference in anxiety between Treatment (<i>n</i> = 20) and Control (<i>n</i> = 22). "
    u"The Type I error rate was set at alpha = 0.05. The results suggest no significant "
    u"difference between Treatment (<i>M</i> = 12.5 , <i>SD</i> = 2.1) and Control (<i>M</i> = "
    u"10.2 , <i>SD</i> = 2.3), <i>t</i>(40) = 1.05, <i>p</i> = 0.3."
    u"<br><br><u>Option 2</u><br>The mean anxiety for Treatment (<i>n</i> = 20) and Control "
    u"(<i>n</i> = 22) was statistically compared using a  two-tailed independent sample "
    u"<i>t</i>-test at &#945 = 0.05. The results suggest that average Treatment scores "
    u"(<i>M</i> = 12.5, <i>SD</i> = 2.1) and average Control scores (<i>M</i> = 10.2, <i>SD</i> = "
    u"2.3) are not significantly different, <i>p</i> = 0.3."
    u"<br><br><u>Option 3</u><br>The total sample of 42 consisted of 20 Treatment and 22 "
    u"Control. The interest was in determining a significant mean difference between these two "
    u"groups in terms of anxiety. As such, a two-tailed independent samples <i>t</i>-test "
    u"(&#945 = 0.05) was used to compare the means. The results were not significant. There is "
    u"not enough evidence to conclude that Treatment scores (<i>M</i> = 12.5, <i>SD</i> = 2.1) "
    u"are any different from Control scores (<i>M</i> = 10.2, <i>SD</i> = 2.3), <i>t</i>(40) = "
    u"1.05, <i>p</i> = 0.3."_s;

const Fields CorrelationNotSignificantTyped = {{u"txtrcoef"_s, u".12"_s},
                                               {u"txtpvalue"_s, u".46"_s}};
const QString CorrelationNotSignificant =
    u"<u>Option 1</u><br>A two-tailed Pearson product-moment correlation was computed to assess "
    u"the relationship between study time and exam score (<i>N</i> = 40). The Type I error rate "
    u"was set at alpha = .05. The results indicate no significant correlation between study time "
    u"and exam score, <i>r</i>(38) = .12, <i>p</i> = .46."
    u"<br><br><u>Option 2</u><br>The relationship between study time and exam score (<i>N</i> = "
    u"40) was tested with a two-tailed Pearson correlation at &#945; = .05. The two variables "
    u"were not significantly related, <i>r</i>(38) = .12, <i>p</i> = .46."
    u"<br><br><u>Option 3</u><br>The total sample size was <i>N</i> = 40. A two-tailed Pearson "
    u"correlation (&#945; = .05) was used to examine whether study time and exam score were "
    u"related. The correlation was not significant, <i>r</i>(38) = .12, <i>p</i> = .46."_s;

const Fields AnovaNotSignificantTyped = {{u"txtFactorName"_s, u"  teaching method "_s},
                                         {u"txtFstatistic"_s, u" 1.12"_s},
                                         {u"txtpvalue"_s, u".33 "_s}};
const QString AnovaNotSignificant =
    u"<u>Option 1</u><br>A one-way analysis of variance (ANOVA) was used to compare the mean exam "
    u"score across the three levels of teaching method: Lecture (<i>n</i> = 20), Seminar (<i>n</i> "
    u"= 20), and Online (<i>n</i> = 20). The Type I error rate was set at &#945; = .05. The "
    u"results "
    u"suggest that teaching method had no significant effect on exam score, <i>F</i>(2, 57) = "
    u"1.12, <i>p</i> = .33."
    u"<br><br><u>Option 2</u><br>The mean exam score for Lecture (<i>n</i> = 20, <i>M</i> = 70.2, "
    u"<i>SD</i> = 8.1), Seminar (<i>n</i> = 20, <i>M</i> = 75.6, <i>SD</i> = 7.4), and Online "
    u"(<i>n</i> = 20, <i>M</i> = 68.9, <i>SD</i> = 9.0) was compared using a one-way ANOVA with "
    u"teaching method as the between-subjects factor and &#945; = .05. The groups did not differ "
    u"significantly in exam score, <i>F</i>(2, 57) = 1.12, <i>p</i> = .33."
    u"<br><br><u>Option 3</u><br>The total sample of <i>N</i> = 60 comprised three groups defined "
    u"by teaching method: Lecture (<i>n</i> = 20), Seminar (<i>n</i> = 20), and Online (<i>n</i> = "
    u"20). The interest was in determining whether the groups differed in their mean exam score. "
    u"As such, a one-way ANOVA (&#945; = .05) was used to compare the means. The results were not "
    u"significant. There is not enough evidence to conclude that the groups differ in their mean "
    u"exam score, <i>F</i>(2, 57) = 1.12, <i>p</i> = .33."_s;

// Group 3 emptied; a fourth group's name of blanks only does not bring it into use.
const Fields AnovaTwoGroupsTyped = {{u"txtg3Name"_s, QString()},
                                    {u"txtg3Mean"_s, QString()},
                                    {u"txtg3StdDev"_s, QString()},
                                    {u"txtg3SamSize"_s, QString()},
                                    {u"txtg4Name"_s, u"   "_s}};
const QString AnovaTwoGroups =
    u"<u>Option 1</u><br>A one-way analysis of variance (ANOVA) was used to compare the mean exam "
    u"score across the two levels of teaching method: Lecture (<i>n</i> = 20) and Seminar "
    u"(<i>n</i> "
    u"= 20). The Type I error rate was set at &#945; = .05. The results suggest that teaching "
    u"method had a significant effect on exam score, which was higher for Seminar (<i>M</i> = "
    u"75.6, "
    u"<i>SD</i> = 7.4) and lower for Lecture (<i>M</i> = 70.2, <i>SD</i> = 8.1), <i>F</i>(1, 38) = "
    u"3.76, <i>p</i> = .029."
    u"<br><br><u>Option 2</u><br>The mean exam score for Lecture (<i>n</i> = 20, <i>M</i> = 70.2, "
    u"<i>SD</i> = 8.1) and Seminar (<i>n</i> = 20, <i>M</i> = 75.6, <i>SD</i> = 7.4) was compared "
    u"using a one-way ANOVA with teaching method as the between-subjects factor and &#945; = .05. "
    u"The groups differed significantly in exam score, with the higher mean for Seminar and the "
    u"lower for Lecture, <i>F</i>(1, 38) = 3.76, <i>p</i> = .029."
    u"<br><br><u>Option 3</u><br>The total sample of <i>N</i> = 40 comprised two groups defined by "
    u"teaching method: Lecture (<i>n</i> = 20) and Seminar (<i>n</i> = 20). The interest was in "
    u"determining whether the groups differed in their mean exam score. As such, a one-way ANOVA "
    u"(&#945; = .05) was used to compare the means. The results were significant: Seminar had the "
    u"higher mean exam score (<i>M</i> = 75.6, <i>SD</i> = 7.4) and Lecture the lower (<i>M</i> = "
    u"70.2, <i>SD</i> = 8.1), <i>F</i>(1, 38) = 3.76, <i>p</i> = .029."_s;

// The worked example with a fourth group, Workshop: its n in every list, its figures in Option 2.
QString AnovaFourGroups()
{
    return QString(ExampleWindows().at(Anova).report)
        .replace(u"three"_s, u"four"_s)
        .replace(u"and Online (<i>n</i> = 20)"_s,
                 u"Online (<i>n</i> = 20), and Workshop (<i>n</i> = 20)"_s)
        .replace(u"and Online (<i>n</i> = 20, <i>M</i> = 68.9, <i>SD</i> = 9.0)"_s,
                 u"Online (<i>n</i> = 20, <i>M</i> = 68.9, <i>SD</i> = 9.0), and Workshop "
                 u"(<i>n</i> = 20, <i>M</i> = 72.4, <i>SD</i> = 8.6)"_s)
        .replace(u"<i>N</i> = 60"_s, u"<i>N</i> = 80"_s)
        .replace(u"(2, 57)"_s, u"(3, 76)"_s);
}
} // namespace

// The test windows, driven through their real boxes. Leaving by Main Menu is for
// tst_mainfrm.
class TestTestWindows : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Every table's first column is the window, opened here.
    void init()
    {
        QLocale::setDefault(QLocale(u"en_US"_s));
        QFile::remove(ResultFilePath());
        QFETCH(int, window);
        under = &ExampleWindows().at(window);
        form = under->create();
        QVERIFY(ShowAndActivate(form.get()));
    }

    void cleanup() { form.reset(); }

    // The click writes the report, or shows the first failing field's message and writes nothing.
    void clickWritesTheReportOrTheFirstMessage_data()
    {
        QTest::addColumn<int>("window");
        QTest::addColumn<Fields>("changes");
        QTest::addColumn<QString>("report");
        QTest::addColumn<QString>("message");
        const auto refused = [](int window, const char *what, const Fields &changes,
                                const QString &message) {
            WindowRow(window, what) << changes << QString() << message;
        };
        for (const int window : {ChiSquare, Dependent, Independent, Correlation, Anova})
            WindowRow(window, "significant")
                << Fields() << ExampleWindows().at(window).report << QString();
        WindowRow(ChiSquare, "p equal to alpha")
            << ChiSquareAtAlphaTyped << ChiSquareAtAlpha << QString();
        WindowRow(Independent, "not significant")
            << IndependentNotSignificantTyped << IndependentNotSignificant << QString();
        const QString correlation = ExampleWindows().at(Correlation).report;
        WindowRow(Correlation, "negative") << Fields{{u"txtrcoef"_s, u" -.45"_s}}
                                           << QString(correlation)
                                                  .replace(u" positive"_s, u" negative"_s)
                                                  .replace(u"with higher"_s, u"with lower"_s)
                                                  .replace(u"= .45"_s, u"= -.45"_s)
                                           << QString();
        WindowRow(Correlation, "not significant")
            << CorrelationNotSignificantTyped << CorrelationNotSignificant << QString();
        WindowRow(Correlation, "one-tailed")
            << Fields{{u"CboTail"_s, u"1"_s}}
            << QString(correlation).replace(u"two-tailed"_s, u"one-tailed"_s) << QString();
        WindowRow(Anova, "not significant")
            << AnovaNotSignificantTyped << AnovaNotSignificant << QString();
        WindowRow(Anova, "two groups") << AnovaTwoGroupsTyped << AnovaTwoGroups << QString();
        WindowRow(Anova, "four groups") << Fields{{u"txtg4Name"_s, u"Workshop"_s},
                                                  {u"txtg4Mean"_s, u"72.4"_s},
                                                  {u"txtg4StdDev"_s, u"8.6"_s},
                                                  {u"txtg4SamSize"_s, u"20"_s}}
                                        << AnovaFourGroups() << QString();
        refused(ChiSquare, "empty first name", {{u"txtC1Name"_s, QString()}},
                u"Invalid Category 1 Name"_s);
        refused(ChiSquare, "count message has two blanks", {{u"txtC2L1Cnt"_s, u"x"_s}},
                u"Invalid  Category 2 / Level 1 Count"_s);
        refused(ChiSquare, "chi-square before p",
                {{u"txtChiSq"_s, u"x"_s}, {u"txtpvalue"_s, u"y"_s}}, u"Invalid Chi-Square"_s);
        refused(Dependent, "total before the deviations",
                {{u"txtg1StdDev"_s, u"x"_s}, {u"txtotSamSize"_s, QString()}},
                u"Invalid Total Sample Size"_s);
        refused(Dependent, "abc in alpha", {{u"txtierrorrate"_s, u"abc"_s}},
                u"Invalid i error rate"_s);
        refused(Independent, "blanks-only name", {{u"txtg2Name"_s, u"   "_s}},
                u"Invalid Group 2 Name"_s);
        refused(Correlation, "empty first name", {{u"txtv1Name"_s, QString()}},
                u"Invalid Variable 1 Name"_s);
        refused(Correlation, "names before alpha",
                {{u"txtv2Name"_s, u"  "_s}, {u"txtierrorrate"_s, u"x"_s}},
                u"Invalid Variable 2 Name"_s);
        refused(Correlation, "total before r",
                {{u"txtotSamSize"_s, u"abc"_s}, {u"txtrcoef"_s, u"x"_s}},
                u"Invalid Total Sample Size"_s);
        refused(Correlation, "alpha before p",
                {{u"txtierrorrate"_s, u"5%"_s}, {u"txtpvalue"_s, u"x"_s}},
                u"Invalid i error rate"_s);
        refused(Correlation, "r before p", {{u"txtrcoef"_s, u"r=.45"_s}, {u"txtpvalue"_s, u"x"_s}},
                u"Invalid Correlation Coefficient"_s);
        refused(Correlation, "empty p", {{u"txtpvalue"_s, QString()}}, u"Invalid p-value"_s);
        // Sizes whose sum leaves the range of a double leave the total empty.
        refused(Independent, "total before the deviations",
                {{u"txtg1StdDev"_s, u"x"_s},
                 {u"txtg1SamSize"_s, u"1e308"_s},
                 {u"txtg2SamSize"_s, u"1e308"_s}},
                u"Invalid Total Sample Size"_s);
        refused(Anova, "factor name first",
                {{u"txtFactorName"_s, u"  "_s}, {u"txtg1Name"_s, QString()}},
                u"Invalid Factor Name"_s);
        refused(Anova, "group 3 with only a name",
                {{u"txtg3Mean"_s, QString()},
                 {u"txtg3StdDev"_s, QString()},
                 {u"txtg3SamSize"_s, QString()}},
                u"Invalid Group 3 Mean"_s);
        refused(Anova, "F before p", {{u"txtFstatistic"_s, u"x"_s}, {u"txtpvalue"_s, u"y"_s}},
                u"Invalid F-Statistic"_s);
    }

    // The derived boxes fill themselves as the typing moves from box to box.
    void clickWritesTheReportOrTheFirstMessage()
    {
        QFETCH(Fields, changes);
        QFETCH(QString, report);
        TypeFields(form.get(), With(under->example(), changes));
        MessageBoxCatcher boxes;
        ClickShowResult(form.get());
        QTEST(boxes.texts().join(u'|'), "message");
        if (!boxes.texts().isEmpty()) {
            QCOMPARE(boxes.boxes().first().title, u"Error"_s);
            QCOMPARE(boxes.boxes().first().icon, int(QMessageBox::Critical));
        }
        // Beside the program, found by a path of the test's own; none after a message.
        QCOMPARE(FileBytes(QCoreApplication::applicationDirPath() + u"/result.html"_s),
                 report.isNull() ? QByteArray() : Utf16LeWithBom(report));
    }

    void boxesKeepTheirLengthLimits_data()
    {
        QTest::addColumn<int>("window");
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("typed");
        QTest::addColumn<int>("kept");
        WindowRow(ChiSquare, "alpha refuses a 16th character") << u"txtalpha"_s << 16 << 15;
        WindowRow(Dependent, "dependent variable refuses a 31st") << u"txtDepVarName"_s << 31 << 30;
        WindowRow(Independent, "degrees of freedom locked") << u"txtdegoffreedom"_s << 1 << 0;
        WindowRow(Correlation, "r refuses a 16th character") << u"txtrcoef"_s << 16 << 15;
        WindowRow(Anova, "F refuses a 16th character") << u"txtFstatistic"_s << 16 << 15;
    }

    void boxesKeepTheirLengthLimits()
    {
        QFETCH(QString, box);
        QFETCH(int, typed);
        TypeInto(Box(form.get(), box), QString(typed, u'7'));
        QTEST(int(Box(form.get(), box)->text().size()), "kept");
    }

    void tabOrder_data() { EachWindow(); }

    // Tab goes through the boxes to the button.
    void tabOrder()
    {
        Box(form.get(), under->tabOrder.first())->setFocus();
        QStringList order{under->tabOrder.first()};
        while (order.size() <= under->tabOrder.size()) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget *focused = QApplication::focusWidget();
            auto *tails = qobject_cast<QComboBox *>(focused->parentWidget());
            order << (tails ? tails : focused)->objectName();
        }
        QCOMPARE(order, under->tabOrder + QStringList{u"CmdShowResultText"_s});
    }

    void windowCollapsesGrowsAndCentres_data() { EachWindow(); }

    void windowCollapsesGrowsAndCentres()
    {
        QCOMPARE(WindowHeightTwips(form.get()), under->collapsedHeight);
        QVERIFY(IsCentred(form.get()));
        const double width = WindowWidthTwips(form.get());

        TypeFields(form.get(), under->example());
        for (int click = 0; click < 2; ++click) {
            ClickShowResult(form.get());
            QVERIFY(qAbs(WindowHeightTwips(form.get()) - under->grownHeight) <= TwipsPerPixel());
            QVERIFY(IsCentred(form.get()));
            QCOMPARE(WindowWidthTwips(form.get()), width);
        }

        // A failed check leaves the grown window as it was.
        const QRect before = form->frameGeometry();
        TypeInto(Box(form.get(), u"txtpvalue"_s), u"abc"_s);
        MessageBoxCatcher boxes;
        ClickShowResult(form.get());
        QCOMPARE(boxes.texts(), QStringList{u"Invalid p-value"_s});
        QCOMPARE(form->frameGeometry(), before);
    }

    void selectAllAndCopyPastesWhole_data() { EachWindow(); }

    // What a word processor reads (<sup>, <i>, <u>), ending where the text ends; a figure's word
    // joiner in no form; the Markdown renders to the lines and paragraphs the pane shows.
    void selectAllAndCopyPastesWhole()
    {
        TypeFields(form.get(), With(under->example(), {{u"txtpvalue"_s, u".002"_s}}));
        ClickShowResult(form.get());
        Pane(form.get())->selectAll();
        Pane(form.get())->copy();
        const QMimeData *copied = QApplication::clipboard()->mimeData();
        // The page as shown: its references read, its blanks collapsed.
        static const QRegularExpression alpha(u"&#945;?"_s), blanks(u"  +"_s);
        const QString page = ResultText()
                                 .replace(alpha, u"α"_s)
                                 .replace(u"&#967;"_s, u"χ"_s)
                                 .replace(blanks, u" "_s);
        QCOMPARE(copied->html(), u"<html><head><meta charset=\"utf-8\"></head><body>"_s + page +
                                     u"</body></html>"_s);
        const QString shown = Pane(form.get())->toPlainText().remove(u'\u2060');
        QCOMPARE(copied->text(), shown);
        QTextDocument rendered;
        rendered.setMarkdown(QString::fromUtf8(copied->data(u"text/markdown"_s)));
        // Qt's reader makes each line a paragraph of its own.
        QCOMPARE(rendered.toPlainText(), QString(shown).replace(u"\n\n"_s, u"\n"_s));
        QCOMPARE(rendered.toHtml().count(u"font-style:italic"_s), page.count(u"<i>"_s));
        QCOMPARE(rendered.toHtml().count(u"vertical-align:super"_s), page.count(u"<sup>"_s));
    }

    // The t-test windows' decisions, each in all three options: the tails word from the exact
    // text of the tails box, significance from p against alpha, the direction from the means.
    void decisionsChooseTheWords_data()
    {
        QTest::addColumn<int>("window");
        QTest::addColumn<Fields>("changes");
        QTest::addColumn<QString>("tail");
        QTest::addColumn<QString>("direction"); // empty: not significant
        for (const int window : {Dependent, Independent}) {
            const auto row = [window](const char *what, const Fields &changes, const char *tail,
                                      const char *direction) {
                WindowRow(window, what)
                    << changes << QString::fromLatin1(tail) << QString::fromLatin1(direction);
            };
            row("p equal to alpha written otherwise", {{u"txtpvalue"_s, u"0.050"_s}}, "two", "");
            row("equal means", {{u"txtg1Mean"_s, u"10"_s}, {u"txtg2Mean"_s, u"10.0"_s}}, "two",
                "less");
            row("tails 1", {{u"CboTail"_s, u"1"_s}}, "one", "greater");
            row("tails 1 after a blank", {{u"CboTail"_s, u" 1"_s}}, "two", "greater");
        }
    }

    void decisionsChooseTheWords()
    {
        QFETCH(Fields, changes);
        QFETCH(QString, tail);
        QFETCH(QString, direction);
        TypeFields(form.get(), With(under->example(), changes));
        ClickShowResult(form.get());
        const QString report = ResultText();
        QCOMPARE(report.count(u" "_s + tail + u"-tailed "_s), 3);
        QCOMPARE(report.contains(u"The results were not significant."_s), direction.isEmpty());
        QCOMPARE(report.count(u" greater "_s) + report.count(u" less "_s),
                 direction.isEmpty() ? 0 : 3);
        if (!direction.isEmpty())
            QCOMPARE(report.count(u" "_s + direction + u" "_s), 3);
    }

    // The derived boxes follow when the focus leaves a size's box, in the user's regional format.
    void derivedBoxesFollowWhenTheFocusLeaves_data()
    {
        QTest::addColumn<int>("window");
        QTest::addColumn<QString>("region");
        QTest::addColumn<Fields>("typed");
        QTest::addColumn<Fields>("derived");
        const QString total = u"txtotSamSize"_s, freedom = u"txtdegoffreedom"_s;
        const QString size1 = u"txtg1SamSize"_s, size2 = u"txtg2SamSize"_s;
        WindowRow(Dependent, "decimal comma")
            << u"de_DE"_s << Fields{{total, u"1000,5"_s}} << Fields{{freedom, u"999,5"_s}};
        // Typed the other way round, so that leaving the first size adds them up.
        WindowRow(Independent, "10.5 and 1200")
            << u"en_US"_s << Fields{{size2, u"1200"_s}, {size1, u"10.5"_s}}
            << Fields{{total, u"1210.5"_s}, {freedom, u"1208.5"_s}};
        WindowRow(Correlation, "N - 2")
            << u"en_US"_s << Fields{{total, u"10.5"_s}} << Fields{{freedom, u"8.5"_s}};
        // Group 3 is in use once it holds a name; the last size typed completes the groups.
        WindowRow(Anova, "three groups, decimal comma")
            << u"de_DE"_s
            << Fields{{u"txtg3Name"_s, u"Online"_s},
                      {u"txtg3SamSize"_s, u"18"_s},
                      {size1, u"20"_s},
                      {size2, u"22,5"_s}}
            << Fields{
                   {total, u"60,5"_s}, {u"txtdfBetween"_s, u"2"_s}, {u"txtdfWithin"_s, u"57,5"_s}};
    }

    void derivedBoxesFollowWhenTheFocusLeaves()
    {
        QFETCH(QString, region);
        QFETCH(Fields, typed);
        QFETCH(Fields, derived);
        QLocale::setDefault(QLocale(region));
        for (const auto &[name, text] : typed)
            PasteInto(Box(form.get(), name), text);
        for (const auto &[name, text] : derived)
            QVERIFY2(Box(form.get(), name)->text().isEmpty(), "derived before the focus left");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        for (const auto &[name, text] : derived)
            QCOMPARE(Box(form.get(), name)->text(), text);
    }

    void clickFindsTheDerivedBoxesUpToDate_data()
    {
        QTest::addColumn<int>("window");
        WindowRow(Dependent, "total corrected after a message");
    }

    // The message box leaves the window inactive, so the click after the correction brings no
    // focus change; the degrees of freedom must follow all the same.
    void clickFindsTheDerivedBoxesUpToDate()
    {
        TypeFields(form.get(), under->example());
        TypeInto(Box(form.get(), u"txtotSamSize"_s), u"abc"_s);
        MessageBoxCatcher boxes;
        ClickShowResult(form.get());
        QCOMPARE(boxes.texts(), QStringList{u"Invalid Total Sample Size"_s});
        TypeInto(Box(form.get(), u"txtotSamSize"_s), u"31"_s);
        ClickShowResult(form.get());
        QVERIFY(ResultText().contains(u"<i>t</i>(30) = 3.12"_s));
    }

private:
    const ExampleWindow *under = nullptr;
    std::unique_ptr<ResultForm> form;
};

QTEST_MAIN(TestTestWindows)
#include "tst_testwindows.moc"
