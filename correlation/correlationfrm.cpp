#include "correlation/correlationfrm.h"

#include "common/fieldtext.h"
#include "correlation/correlationchecks.h"
#include "correlation/correlationreport.h"
#include "toolkit/textbox.h"
#include "toolkit/toolkit.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

namespace {
// Two columns of four rows, spaced as on the dependent-samples window; the tails box, taller,
// is centred on its row.
constexpr double LeftBoxes = 2520;
constexpr double LeftBoxWidth = 1335;
constexpr double RightBoxes = 6570;
constexpr double RightBoxWidth = 1365;
constexpr double RowTops[] = {645, 1005, 1365, 1725};
constexpr double TailsTop = 630;
constexpr double TailsHeight = 315;

// Captions are right-aligned and end a little before their boxes.
constexpr double LeftCaptionWidth = 2415;
constexpr double RightCaptions = 3930;
constexpr double RightCaptionWidth = 2535;
constexpr double CaptionHeight = 285;

constexpr int FigureLength = 15;
} // namespace

correlationfrm::correlationfrm(QWidget *parent)
    : ResultForm("correlationfrm", u"Kelvaron - Beta  Correlation"_s, parent)
{
    // Created in tab order: left column, then right column, then the button.
    txtv1Name = AddTextBox("txtv1Name", 0, LeftBoxes, RowTops[0], LeftBoxWidth);
    txtv2Name = AddTextBox("txtv2Name", 0, LeftBoxes, RowTops[1], LeftBoxWidth);
    txtotSamSize = AddTextBox("txtotSamSize", FigureLength, LeftBoxes, RowTops[2], LeftBoxWidth);
    txtierrorrate = AddTextBox("txtierrorrate", FigureLength, LeftBoxes, RowTops[3], LeftBoxWidth);
    CboTail = AddTailsBox("CboTail", RightBoxes, TailsTop, RightBoxWidth, TailsHeight);
    CboTail->setCurrentText(u"2"_s);
    // No length limit: only the program writes this box, and a limit would cut what it writes.
    txtdegoffreedom = AddTextBox("txtdegoffreedom", 0, RightBoxes, RowTops[1], RightBoxWidth);
    txtdegoffreedom->setLocked(true);
    txtrcoef = AddTextBox("txtrcoef", FigureLength, RightBoxes, RowTops[2], RightBoxWidth);
    txtpvalue = AddTextBox("txtpvalue", FigureLength, RightBoxes, RowTops[3], RightBoxWidth);
    AddShowResultButton(1935, 2160, 4245, 885);

    AddCaption("Label1", u"Name of Variable 1"_s, txtv1Name, 0, RowTops[0], LeftCaptionWidth,
               CaptionHeight);
    AddCaption("Label2", u"Name of Variable 2"_s, txtv2Name, 0, RowTops[1], LeftCaptionWidth,
               CaptionHeight);
    AddCaption("Label9", u"Total Sample Size"_s, txtotSamSize, 0, RowTops[2], LeftCaptionWidth,
               CaptionHeight);
    AddCaption("Label11", u"Type I error rate (alpha)"_s, txtierrorrate, 0, RowTops[3],
               LeftCaptionWidth, CaptionHeight);
    AddCaption("Label22", u"Tails"_s, CboTail, RightCaptions, TailsTop, RightCaptionWidth,
               TailsHeight);
    AddCaption("Label12", u"Degrees of freedom (N-2)"_s, txtdegoffreedom, RightCaptions, RowTops[1],
               RightCaptionWidth, CaptionHeight);
    AddCaption("Label13", u"Correlation coefficient (r)"_s, txtrcoef, RightCaptions, RowTops[2],
               RightCaptionWidth, CaptionHeight);
    AddCaption("Label14", u"p-value (enter an exact number)"_s, txtpvalue, 3690, RowTops[3],
               RightCaptionWidth + 240, CaptionHeight);

    AddMainMenuLink(7020, 60);
    KeepLabelsInLine(
        {AddLabel("Label17", u"Pearson Correlation"_s, TimesFont(12, true), 3050, 120, 2100, 285)});
    QLabel *Label21 = AddLabel("Label21", u"Your correlation results in publishable-format"_s,
                               TimesFont(9.75, true), 390, 3210, 4500, 240);
    KeepLabelsInLine({Label21});
    SetPaneCaption({Label21}, Label21->text());
    AddResultPane(150, 3510, 7875, 4815);

    connect(txtotSamSize, &TextBox::lostFocus, this, &correlationfrm::txtotSamSize_LostFocus);
    // A press that reaches the button before its window is active moves the focus without a
    // focus-out from the total's box; the checks must still see N - 2 of the total as typed.
    connect(CmdShowResultText, &QPushButton::pressed, this,
            &correlationfrm::UpdateDegreesOfFreedom);

    Form_Load();
}

void correlationfrm::ResetForm()
{
    for (TextBox *box :
         {txtdegoffreedom, txtv1Name, txtv2Name, txtierrorrate, txtotSamSize, txtrcoef, txtpvalue})
        box->setText(QString());
    CollapseForm();
}

void correlationfrm::UpdateDegreesOfFreedom()
{
    if (const std::optional<double> n = TextToNumber(txtotSamSize->text()))
        txtdegoffreedom->setText(NumberToText(*n - 2));
}

void correlationfrm::txtotSamSize_LostFocus()
{
    UpdateDegreesOfFreedom();
}

bool correlationfrm::ValidateInputs()
{
    return RunFieldChecks({
        {txtv1Name, FieldTest::Name, u"Invalid Variable 1 Name"_s},
        {txtv2Name, FieldTest::Name, u"Invalid Variable 2 Name"_s},
        {txtotSamSize, FieldTest::Number, u"Invalid Total Sample Size"_s},
        {txtierrorrate, FieldTest::Number, u"Invalid i error rate"_s},
        {txtdegoffreedom, FieldTest::Number, u"Invalid Degree of freedom"_s},
        {txtrcoef, FieldTest::Number, u"Invalid Correlation Coefficient"_s},
        {txtpvalue, FieldTest::Number, u"Invalid p-value"_s},
    });
}

bool correlationfrm::ComposeReport()
{
    CorrelationFields fields;
    fields.variable1Name = txtv1Name->text();
    fields.variable2Name = txtv2Name->text();
    fields.totalSampleSize = txtotSamSize->text();
    fields.alpha = txtierrorrate->text();
    fields.tails = CboTail->currentText();
    fields.degreesOfFreedom = txtdegoffreedom->text();
    fields.rCoefficient = txtrcoef->text();
    fields.pValue = txtpvalue->text();
    return PublishReport(ComposeCorrelationReport(fields), CheckCorrelationFigures(fields));
}
