#include "ttestindep/ttestindepfrm.h"

#include "common/fieldtext.h"
#include "toolkit/accessibility.h"
#include "toolkit/textbox.h"
#include "toolkit/toolkit.h"
#include "ttestindep/ttestindepchecks.h"
#include "ttestindep/ttestindepreport.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

namespace {
constexpr double LeftBoxes = 2520;
constexpr double RightBoxes = 6630;
constexpr double NarrowBox = 1335;
constexpr double WideBox = 1365;
constexpr int DepVarLength = 30;
constexpr int FigureLength = 15;
} // namespace

ttestindepfrm::ttestindepfrm(QWidget *parent)
    : ResultForm("ttestindepfrm", u"Kelvaron - Beta  t-test Independent"_s, parent)
{
    // Created in tab order: the group pairs on the left, then the right column, then the button.
    txtg1Name = AddTextBox("txtg1Name", 0, LeftBoxes, 645, NarrowBox);
    txtg2Name = AddTextBox("txtg2Name", 0, LeftBoxes, 1005, NarrowBox);
    txtg1Mean = AddTextBox("txtg1Mean", FigureLength, LeftBoxes, 1365, NarrowBox);
    txtg2Mean = AddTextBox("txtg2Mean", FigureLength, LeftBoxes, 1725, NarrowBox);
    txtg1StdDev = AddTextBox("txtg1StdDev", FigureLength, LeftBoxes, 2085, NarrowBox);
    txtg2StdDev = AddTextBox("txtg2StdDev", FigureLength, LeftBoxes, 2445, NarrowBox);
    txtg1SamSize = AddTextBox("txtg1SamSize", FigureLength, LeftBoxes, 2805, NarrowBox);
    txtg2SamSize = AddTextBox("txtg2SamSize", FigureLength, LeftBoxes, 3150, NarrowBox);
    txtotSamSize = AddTextBox("txtotSamSize", FigureLength, RightBoxes, 645, NarrowBox);
    txtDepVarName = AddTextBox("txtDepVarName", DepVarLength, RightBoxes, 999, NarrowBox);
    txtierrorrate = AddTextBox("txtierrorrate", FigureLength, RightBoxes, 1353, WideBox);
    CboTail = AddTailsBox("CboTail", 6660, 1707, WideBox, 315);
    txtdegoffreedom = AddTextBox("txtdegoffreedom", FigureLength, RightBoxes, 2091, WideBox);
    txttstatistics = AddTextBox("txttstatistics", FigureLength, RightBoxes, 2445, WideBox);
    txtpvalue = AddTextBox("txtpvalue", FigureLength, RightBoxes, 2805, WideBox);
    AddShowResultButton(1935, 3540, 4245, 885);

    txtotSamSize->setLocked(true);
    txtdegoffreedom->setLocked(true);
    connect(txtg1SamSize, &TextBox::lostFocus, this, &ttestindepfrm::txtg1SamSize_LostFocus);
    connect(txtg2SamSize, &TextBox::lostFocus, this, &ttestindepfrm::txtg2SamSize_LostFocus);
    // A press that reaches the button without a focus change (the window was inactive) must
    // still see the sizes typed just before it.
    connect(CmdShowResultText, &QPushButton::pressed, this, &ttestindepfrm::UpdateTotals);

    AddCaption("Label1", u"Name of Group 1"_s, txtg1Name, 0, 630, 2415, 375);
    AddCaption("Label2", u"Name of Group 2"_s, txtg2Name, 0, 990, 2415, 375);
    AddCaption("Label3", u"Mean of Group 1"_s, txtg1Mean, 0, 1350, 2415, 375);
    AddCaption("Label4", u"Mean of Group 2"_s, txtg2Mean, 0, 1710, 2415, 375);
    AddCaption("Label5", u"Standard Deviation of Group 1"_s, txtg1StdDev, 0, 2070, 2415, 375);
    AddCaption("Label6", u"Standard Deviation of Group 2"_s, txtg2StdDev, 0, 2430, 2415, 375);
    AddCaption("Label7", u"Sample Size of Group 1"_s, txtg1SamSize, 0, 2790, 2415, 375);
    AddCaption("Label8", u"Sample Size of Group 2"_s, txtg2SamSize, 0, 3150, 2415, 375);
    AddCaption("Label9", u"Total Sample Size"_s, txtotSamSize, 4470, 660, 2085, 255);
    AddCaption("Label10", u"Name for Dependent Variable"_s, txtDepVarName, 3990, 990, 2565, 375);
    AddCaption("Label11", u"Type I error rate (alpha)"_s, txtierrorrate, 3990, 1350, 2565, 375);
    AddCaption("Label22", u"Tails"_s, CboTail, 3990, 1740, 2565, 315);
    AddCaption("Label12", u"Degrees of freedom (N-2)"_s, txtdegoffreedom, 3990, 2070, 2565, 375);
    AddCaption("Label13", u"t-statistic"_s, txttstatistics, 3990, 2430, 2565, 255);
    AddCaption("Label14", u"p-value (enter an exact number)"_s, txtpvalue, 3750, 2775, 2805, 285);

    AddMainMenuLink(7020, 60);
    buildTitles();
    AddResultPane(150, 4800, 7875, 4815);

    Form_Load();
}

void ttestindepfrm::buildTitles()
{
    // The title line and the heading above the pane set the t of "t-test" in italics.
    QLabel *Label17 =
        AddLabel("Label17", u"Independent Samples"_s, TimesFont(12, true), 2970, 120, 2145, 285);
    QLabel *Label18 = AddLabel("Label18", u"t"_s, TimesFont(12, true, true), 5190, 120, 75, 285);
    QLabel *Label19 = AddLabel("Label19", u"-test"_s, TimesFont(12, true), 5310, 120, 450, 285);
    KeepLabelsInLine({Label17, Label18, Label19});
    ReadAsOne({Label17, Label18, Label19}, u"Independent Samples t-test"_s);

    QLabel *Label21 = AddLabel("Label21", u"Your independent-samples"_s, TimesFont(9.75, true), 390,
                               4500, 2145, 225);
    QLabel *Label20 = AddLabel("Label20", u"t"_s, TimesFont(9.75, true, true), 2610, 4500, 60, 240);
    QLabel *Label16 = AddLabel("Label16", u"-test results in publishable-format"_s,
                               TimesFont(9.75, true), 2700, 4500, 2775, 225);
    KeepLabelsInLine({Label21, Label20, Label16});
    SetPaneCaption({Label21, Label20, Label16},
                   u"Your independent-samples t-test results in publishable-format"_s);
}

void ttestindepfrm::ResetForm()
{
    // The tails box keeps the user's last choice.
    for (TextBox *box : {txtdegoffreedom, txtDepVarName, txtg1Mean, txtg1Name, txtg1SamSize,
                         txtg1StdDev, txtg2Mean, txtg2Name, txtg2SamSize, txtg2StdDev,
                         txtierrorrate, txttstatistics, txtotSamSize, txtpvalue})
        box->setText(QString());
    CollapseForm();
}

void ttestindepfrm::txtg1SamSize_LostFocus()
{
    UpdateTotals();
}

void ttestindepfrm::txtg2SamSize_LostFocus()
{
    UpdateTotals();
}

void ttestindepfrm::UpdateTotals()
{
    // Until both sizes are figures the boxes keep what they held; the checks of the click report
    // the bad size.
    const auto size1 = TextToNumber(txtg1SamSize->text());
    const auto size2 = TextToNumber(txtg2SamSize->text());
    if (!size1 || !size2)
        return;
    const double total = *size1 + *size2;
    const QString totalText = NumberToText(total);
    const QString freedomText = NumberToText(total - 2);
    // A sum beyond the range of a double, or one that rounds beyond it when written with 15
    // digits, would leave a figure in the boxes that their own check refuses.
    if (!PassesNumberTest(totalText) || !PassesNumberTest(freedomText))
        return;
    txtotSamSize->setText(totalText);
    txtdegoffreedom->setText(freedomText);
}

bool ttestindepfrm::ValidateInputs()
{
    // Not the tab order: the sizes and the total come before the standard deviations.
    return RunFieldChecks({
        {txtg1Name, FieldTest::Name, u"Invalid Group 1 Name"_s},
        {txtg2Name, FieldTest::Name, u"Invalid Group 2 Name"_s},
        {txtg1Mean, FieldTest::Number, u"Invalid Group 1 Mean"_s},
        {txtg2Mean, FieldTest::Number, u"Invalid Group 2 Mean"_s},
        {txtg1SamSize, FieldTest::Number, u"Invalid Group 1 Sample Size"_s},
        {txtg2SamSize, FieldTest::Number, u"Invalid Group 2 Sample Size"_s},
        {txtotSamSize, FieldTest::Number, u"Invalid Total Sample Size"_s},
        {txtg1StdDev, FieldTest::Number, u"Invalid Group 1 Standard Deviation"_s},
        {txtg2StdDev, FieldTest::Number, u"Invalid Group 2 Standard Deviation"_s},
        {txtDepVarName, FieldTest::Name, u"Invalid Name for Dependent Variable"_s},
        {txtierrorrate, FieldTest::Number, u"Invalid i error rate"_s},
        {txtdegoffreedom, FieldTest::Number, u"Invalid Degree of freedom"_s},
        {txttstatistics, FieldTest::Number, u"Invalid t-Statistics"_s},
        {txtpvalue, FieldTest::Number, u"Invalid p-value"_s},
    });
}

bool ttestindepfrm::ComposeReport()
{
    TTestIndepFields fields;
    fields.g1Name = txtg1Name->text();
    fields.g2Name = txtg2Name->text();
    fields.g1Mean = txtg1Mean->text();
    fields.g2Mean = txtg2Mean->text();
    fields.g1StdDev = txtg1StdDev->text();
    fields.g2StdDev = txtg2StdDev->text();
    fields.g1SampleSize = txtg1SamSize->text();
    fields.g2SampleSize = txtg2SamSize->text();
    fields.totalSampleSize = txtotSamSize->text();
    fields.depVarName = txtDepVarName->text();
    fields.alpha = txtierrorrate->text();
    fields.tails = CboTail->currentText();
    fields.degreesOfFreedom = txtdegoffreedom->text();
    fields.tStatistic = txttstatistics->text();
    fields.pValue = txtpvalue->text();
    return PublishReport(ComposeTTestIndepReport(fields), CheckTTestIndepFigures(fields));
}
