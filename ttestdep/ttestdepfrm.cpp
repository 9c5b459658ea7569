#include "ttestdep/ttestdepfrm.h"

#include "common/fieldtext.h"
#include "toolkit/accessibility.h"
#include "toolkit/textbox.h"
#include "toolkit/toolkit.h"
#include "ttestdep/ttestdepchecks.h"
#include "ttestdep/ttestdepreport.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

namespace {
constexpr double LeftBoxes = 2520;
constexpr double LeftBoxWidth = 1335;
constexpr double LeftTops[] = {645, 1005, 1365, 1725, 2085, 2445, 2805};
constexpr double RightBoxes = 6570;
constexpr double RightBoxWidth = 1365;
constexpr double RightTops[] = {675, 1029, 1383, 1767, 2121, 2475};
constexpr double TailsHeight = 315;

// Captions are right-aligned and end a little before their boxes.
constexpr double LeftCaptionWidth = 2415;
constexpr double RightCaptions = 3930;
constexpr double RightCaptionWidth = 2535;
constexpr double CaptionHeight = 285;

constexpr int FigureLength = 15;
constexpr int DepVarLength = 30;
} // namespace

ttestdepfrm::ttestdepfrm(QWidget *parent)
    : ResultForm("ttestdepfrm", u"Kelvaron - Beta  t-test Dependent"_s, parent)
{
    // Created in tab order: left column, then right column, then the button.
    txtg1Name = AddTextBox("txtg1Name", 0, LeftBoxes, LeftTops[0], LeftBoxWidth);
    txtg2Name = AddTextBox("txtg2Name", 0, LeftBoxes, LeftTops[1], LeftBoxWidth);
    txtg1Mean = AddTextBox("txtg1Mean", FigureLength, LeftBoxes, LeftTops[2], LeftBoxWidth);
    txtg2Mean = AddTextBox("txtg2Mean", FigureLength, LeftBoxes, LeftTops[3], LeftBoxWidth);
    txtg1StdDev = AddTextBox("txtg1StdDev", FigureLength, LeftBoxes, LeftTops[4], LeftBoxWidth);
    txtg2StdDev = AddTextBox("txtg2StdDev", FigureLength, LeftBoxes, LeftTops[5], LeftBoxWidth);
    txtotSamSize = AddTextBox("txtotSamSize", FigureLength, LeftBoxes, LeftTops[6], LeftBoxWidth);
    txtDepVarName =
        AddTextBox("txtDepVarName", DepVarLength, RightBoxes, RightTops[0], RightBoxWidth);
    txtierrorrate =
        AddTextBox("txtierrorrate", FigureLength, RightBoxes, RightTops[1], RightBoxWidth);
    CboTail = AddTailsBox("CboTail", RightBoxes, RightTops[2], RightBoxWidth, TailsHeight);
    // No length limit: only the program writes this box, and a limit would cut what it writes
    // (a 15-character total such as -99999999999999 gives a 16-character N - 1).
    txtdegoffreedom = AddTextBox("txtdegoffreedom", 0, RightBoxes, RightTops[3], RightBoxWidth);
    txtdegoffreedom->setLocked(true);
    txttstatistics =
        AddTextBox("txttstatistics", FigureLength, RightBoxes, RightTops[4], RightBoxWidth);
    txtpvalue = AddTextBox("txtpvalue", FigureLength, RightBoxes, RightTops[5], RightBoxWidth);
    AddShowResultButton(1935, 3240, 4245, 885);

    AddCaption("Label1", u"Name of Level 1"_s, txtg1Name, 0, LeftTops[0], LeftCaptionWidth,
               CaptionHeight);
    AddCaption("Label2", u"Name of Level 2"_s, txtg2Name, 0, LeftTops[1], LeftCaptionWidth,
               CaptionHeight);
    AddCaption("Label3", u"Mean of Level 1"_s, txtg1Mean, 0, LeftTops[2], LeftCaptionWidth,
               CaptionHeight);
    AddCaption("Label4", u"Mean of Level 2"_s, txtg2Mean, 0, LeftTops[3], LeftCaptionWidth,
               CaptionHeight);
    AddCaption("Label5", u"Standard Deviation of Level 1"_s, txtg1StdDev, 0, LeftTops[4],
               LeftCaptionWidth, CaptionHeight);
    AddCaption("Label6", u"Standard Deviation of Level 2"_s, txtg2StdDev, 0, LeftTops[5],
               LeftCaptionWidth, CaptionHeight);
    AddCaption("Label9", u"Total Sample Size"_s, txtotSamSize, 360, LeftTops[6],
               LeftCaptionWidth - 360, CaptionHeight);
    AddCaption("Label10", u"Name for Dependent Variable"_s, txtDepVarName, RightCaptions,
               RightTops[0], RightCaptionWidth, CaptionHeight);
    AddCaption("Label11", u"Type I error rate (alpha)"_s, txtierrorrate, RightCaptions,
               RightTops[1], RightCaptionWidth, CaptionHeight);
    AddCaption("Label22", u"Tails"_s, CboTail, RightCaptions, RightTops[2], RightCaptionWidth,
               TailsHeight);
    AddCaption("Label12", u"Degrees of freedom (N-1)"_s, txtdegoffreedom, RightCaptions,
               RightTops[3], RightCaptionWidth, CaptionHeight);
    AddCaption("Label13", u"t-statistic"_s, txttstatistics, RightCaptions, RightTops[4],
               RightCaptionWidth, CaptionHeight);
    AddCaption("Label14", u"p-value (enter an exact number)"_s, txtpvalue, 3690, RightTops[5],
               RightCaptionWidth + 240, CaptionHeight);

    AddMainMenuLink(7020, 60);
    buildTitles();
    AddResultPane(150, 4590, 7875, 4815);

    connect(txtotSamSize, &TextBox::lostFocus, this, &ttestdepfrm::txtotSamSize_LostFocus);
    // A press that reaches the button before its window is active moves the focus without a
    // focus-out from the total's box; the checks must still see N - 1 of the total as typed.
    connect(CmdShowResultText, &QPushButton::pressed, this, &ttestdepfrm::UpdateDegreesOfFreedom);

    Form_Load();
}

void ttestdepfrm::buildTitles()
{
    // Both headings read "... t-test" with the t in italics.
    QLabel *Label17 =
        AddLabel("Label17", u"Dependent Samples"_s, TimesFont(12, true), 2745, 120, 2085, 285);
    QLabel *Label18 = AddLabel("Label18", u"t"_s, TimesFont(12, true, true), 4830, 120, 120, 285);
    QLabel *Label19 = AddLabel("Label19", u"-test"_s, TimesFont(12, true), 4950, 120, 450, 285);
    KeepLabelsInLine({Label17, Label18, Label19});
    ReadAsOne({Label17, Label18, Label19}, u"Dependent Samples t-test"_s);

    QLabel *Label21 = AddLabel("Label21", u"Your dependent-samples"_s, TimesFont(9.75, true), 390,
                               4290, 2100, 240);
    QLabel *Label20 = AddLabel("Label20", u"t"_s, TimesFont(9.75, true, true), 2430, 4290, 90, 240);
    QLabel *Label16 = AddLabel("Label16", u"-test results in publishable-format"_s,
                               TimesFont(9.75, true), 2520, 4290, 3990, 240);
    KeepLabelsInLine({Label21, Label20, Label16});
    SetPaneCaption({Label21, Label20, Label16},
                   u"Your dependent-samples t-test results in publishable-format"_s);
}

void ttestdepfrm::ResetForm()
{
    for (TextBox *box :
         {txtdegoffreedom, txtDepVarName, txtg1Mean, txtg1Name, txtg1StdDev, txtg2Mean, txtg2Name,
          txtg2StdDev, txtierrorrate, txtotSamSize, txttstatistics, txtpvalue})
        box->setText(QString());
    CollapseForm();
}

void ttestdepfrm::UpdateDegreesOfFreedom()
{
    if (const std::optional<double> n = TextToNumber(txtotSamSize->text()))
        txtdegoffreedom->setText(NumberToText(*n - 1));
}

void ttestdepfrm::txtotSamSize_LostFocus()
{
    UpdateDegreesOfFreedom();
}

bool ttestdepfrm::ValidateInputs()
{
    // Deliberately not the tab order: the total sample size comes before the standard deviations.
    return RunFieldChecks({
        {txtg1Name, FieldTest::Name, u"Invalid Level 1 Name"_s},
        {txtg2Name, FieldTest::Name, u"Invalid Level 2 Name"_s},
        {txtg1Mean, FieldTest::Number, u"Invalid Level 1 Mean"_s},
        {txtg2Mean, FieldTest::Number, u"Invalid Level 2 Mean"_s},
        {txtotSamSize, FieldTest::Number, u"Invalid Total Sample Size"_s},
        {txtg1StdDev, FieldTest::Number, u"Invalid Level 1 Standard Deviation"_s},
        {txtg2StdDev, FieldTest::Number, u"Invalid Level 2 Standard Deviation"_s},
        {txtDepVarName, FieldTest::Name, u"Invalid Name for Dependent Variable"_s},
        {txtierrorrate, FieldTest::Number, u"Invalid i error rate"_s},
        {txtdegoffreedom, FieldTest::Number, u"Invalid Degree of freedom"_s},
        {txttstatistics, FieldTest::Number, u"Invalid t-Statistics"_s},
        {txtpvalue, FieldTest::Number, u"Invalid p-value"_s},
    });
}

bool ttestdepfrm::ComposeReport()
{
    TTestDepFields fields;
    fields.level1Name = txtg1Name->text();
    fields.level2Name = txtg2Name->text();
    fields.level1Mean = txtg1Mean->text();
    fields.level2Mean = txtg2Mean->text();
    fields.level1StdDev = txtg1StdDev->text();
    fields.level2StdDev = txtg2StdDev->text();
    fields.totalSampleSize = txtotSamSize->text();
    fields.depVarName = txtDepVarName->text();
    fields.alpha = txtierrorrate->text();
    fields.degreesOfFreedom = txtdegoffreedom->text();
    fields.tStatistic = txttstatistics->text();
    fields.pValue = txtpvalue->text();
    fields.tails = CboTail->currentText();
    return PublishReport(ComposeTTestDepReport(fields), CheckTTestDepFigures(fields));
}
