#include "chisquare/chisquaretestfrm.h"

#include "chisquare/chisquarechecks.h"
#include "chisquare/chisquarereport.h"
#include "toolkit/accessibility.h"
#include "toolkit/textbox.h"
#include "toolkit/toolkit.h"

#include <QLabel>

using namespace Qt::Literals::StringLiterals;

namespace {
constexpr double LeftBoxes = 2580;
constexpr double RightBoxes = 6720;
constexpr double BoxWidth = 1335;
constexpr double RowTops[] = {630, 995, 1360, 1725, 2090, 2455, 2820};
constexpr int NameLength = 15;
constexpr int FigureLength = 15;
} // namespace

ChiSquareTestfrm::ChiSquareTestfrm(QWidget *parent)
    : ResultForm("ChiSquareTestfrm",
                 u"Kelvaron - Beta  Independent Samples x square-test (2 Categories)"_s, parent)
{
    // Created in tab order: left column, then right column, then the button.
    txtC1Name = AddTextBox("txtC1Name", 0, LeftBoxes, RowTops[0], BoxWidth);
    txtC2Name = AddTextBox("txtC2Name", 0, LeftBoxes, RowTops[1], BoxWidth);
    txtC1L1 = AddTextBox("txtC1L1", NameLength, LeftBoxes, RowTops[2], BoxWidth);
    txtC1L2 = AddTextBox("txtC1L2", NameLength, LeftBoxes, RowTops[3], BoxWidth);
    txtC2L1 = AddTextBox("txtC2L1", NameLength, LeftBoxes, RowTops[4], BoxWidth);
    txtC2L2 = AddTextBox("txtC2L2", NameLength, LeftBoxes, RowTops[5], BoxWidth);
    txtotSamSize = AddTextBox("txtotSamSize", FigureLength, LeftBoxes, RowTops[6], BoxWidth);
    txtC1L1Cnt = AddTextBox("txtC1L1Cnt", FigureLength, RightBoxes, RowTops[0], BoxWidth);
    txtC1L2Cnt = AddTextBox("txtC1L2Cnt", FigureLength, RightBoxes, RowTops[1], BoxWidth);
    txtC2L1Cnt = AddTextBox("txtC2L1Cnt", FigureLength, RightBoxes, RowTops[2], BoxWidth);
    txtC2L2Cnt = AddTextBox("txtC2L2Cnt", FigureLength, RightBoxes, RowTops[3], BoxWidth);
    txtalpha = AddTextBox("txtalpha", FigureLength, RightBoxes, RowTops[4], BoxWidth);
    txtChiSq = AddTextBox("txtChiSq", FigureLength, RightBoxes, RowTops[5], BoxWidth);
    txtpvalue = AddTextBox("txtpvalue", FigureLength, RightBoxes, RowTops[6], BoxWidth);
    AddShowResultButton(1958, 3240, 4245, 885);

    AddCaption("Label1", u"Name of Category 1"_s, txtC1Name, 60, 630, 2415, 375);
    AddCaption("Label2", u"Name of Category 2"_s, txtC2Name, 60, 990, 2415, 375);
    AddCaption("Label3", u"Name for Category 1 / Level 1"_s, txtC1L1, 60, 1350, 2415, 375);
    AddCaption("Label4", u"Name for Category 1 / Level 2"_s, txtC1L2, 60, 1710, 2415, 375);
    AddCaption("Label5", u"Name for Category 2 / Level 1"_s, txtC2L1, 60, 2070, 2415, 375);
    AddCaption("Label6", u"Name for Category 2 / Level 2"_s, txtC2L2, 60, 2430, 2415, 375);
    AddCaption("Label9", u"Total Sample Size"_s, txtotSamSize, 60, 2790, 2415, 255);
    AddCaption("Label13", u"Counts in Category 1 / Level 1"_s, txtC1L1Cnt, 4200, 660, 2415, 375);
    AddCaption("Label12", u"Counts in Category 1 / Level 2"_s, txtC1L2Cnt, 4200, 1020, 2415, 375);
    AddCaption("Label8", u"Counts in Category 2 / Level 1"_s, txtC2L1Cnt, 4200, 1380, 2415, 375);
    AddCaption("Label7", u"Counts in Category 2 / Level 2"_s, txtC2L2Cnt, 4200, 1740, 2415, 375);
    AddCaption("Label11", u"alpha"_s, txtalpha, 3690, 2100, 2895, 375);
    AddCaption("Label10", u"Chi-Square"_s, txtChiSq, 3720, 2490, 2895, 375);
    AddCaption("Label14", u"p-value (enter an exact number)"_s, txtpvalue, 3720, 2820, 2895, 375);

    AddMainMenuLink(7050, 90);
    buildTitles();
    AddResultPane(120, 4710, 7935, 3315);

    Form_Load();
}

void ChiSquareTestfrm::buildTitles()
{
    // The title line and the heading above the pane read "Independent Samples X²-test", the
    // square set as a small raised italic 2.
    QLabel *Label25 =
        AddLabel("Label25", u"Independent Samples"_s, TimesFont(12, true), 2490, 120, 2145, 285);
    QLabel *Label24 = AddLabel("Label24", u"X"_s, TimesFont(12, true, true), 4710, 210, 135, 240);
    QLabel *Label22 = AddLabel("Label22", u"2"_s, TimesFont(8.25, true, true), 4890, 90, 90, 225);
    QLabel *Label23 = AddLabel("Label23", u"-test"_s, TimesFont(12, true), 5010, 120, 450, 285);
    KeepLabelsInLine({Label25, Label24, Label22, Label23});
    SetAsSquared(Label25, Label24, Label22, Label23);
    ReadAsOne({Label25, Label24, Label22, Label23}, u"Independent Samples chi-square-test"_s);

    QLabel *Label21 =
        AddLabel("Label21", u"Independent Samples"_s, TimesFont(9.75, true), 450, 4410, 1710, 225);
    QLabel *Label20 =
        AddLabel("Label20", u"X"_s, TimesFont(9.75, true, true), 2190, 4470, 135, 240);
    QLabel *Label15 = AddLabel("Label15", u"2"_s, TimesFont(6.75, true, true), 2370, 4350, 90, 210);
    QLabel *Label16 = AddLabel("Label16", u"-test (2 Categories) results in publishable-format"_s,
                               TimesFont(9.75, true), 2490, 4410, 3990, 225);
    KeepLabelsInLine({Label21, Label20, Label15, Label16});
    SetAsSquared(Label21, Label20, Label15, Label16);
    SetPaneCaption({Label21, Label20, Label15, Label16},
                   u"Independent Samples chi-square-test (2 Categories) results in "
                   u"publishable-format"_s);
}

void ChiSquareTestfrm::ResetForm()
{
    for (TextBox *box :
         {txtC1L1, txtC1L2, txtC1Name, txtC2Name, txtC2L1, txtC2L2, txtotSamSize, txtC1L1Cnt,
          txtC1L2Cnt, txtC2L1Cnt, txtC2L2Cnt, txtalpha, txtChiSq, txtpvalue})
        box->setText(QString());
    CollapseForm();
}

bool ChiSquareTestfrm::ValidateInputs()
{
    return RunFieldChecks({
        {txtC1Name, FieldTest::Name, u"Invalid Category 1 Name"_s},
        {txtC2Name, FieldTest::Name, u"Invalid Category 2 Name"_s},
        {txtC1L1, FieldTest::Name, u"Invalid Category 1 / Level 1 Name"_s},
        {txtC1L2, FieldTest::Name, u"Invalid Category 1 / Level 2 Name"_s},
        {txtC2L1, FieldTest::Name, u"Invalid Category 2 / Level 1 Name"_s},
        {txtC2L2, FieldTest::Name, u"Invalid Category 2 / Level 2 Name"_s},
        {txtotSamSize, FieldTest::Number, u"Invalid Total Sample Size"_s},
        {txtC1L1Cnt, FieldTest::Number, u"Invalid  Category 1 / Level 1 Count"_s},
        {txtC1L2Cnt, FieldTest::Number, u"Invalid  Category 1 / Level 2 Count"_s},
        {txtC2L1Cnt, FieldTest::Number, u"Invalid  Category 2 / Level 1 Count"_s},
        {txtC2L2Cnt, FieldTest::Number, u"Invalid  Category 2 / Level 2 Count"_s},
        {txtalpha, FieldTest::Number, u"Invalid Alpha"_s},
        {txtChiSq, FieldTest::Number, u"Invalid Chi-Square"_s},
        {txtpvalue, FieldTest::Number, u"Invalid p-value"_s},
    });
}

bool ChiSquareTestfrm::ComposeReport()
{
    ChiSquareFields fields;
    fields.c1Name = txtC1Name->text();
    fields.c2Name = txtC2Name->text();
    fields.c1L1 = txtC1L1->text();
    fields.c1L2 = txtC1L2->text();
    fields.c2L1 = txtC2L1->text();
    fields.c2L2 = txtC2L2->text();
    fields.totalSampleSize = txtotSamSize->text();
    fields.c1L1Count = txtC1L1Cnt->text();
    fields.c1L2Count = txtC1L2Cnt->text();
    fields.c2L1Count = txtC2L1Cnt->text();
    fields.c2L2Count = txtC2L2Cnt->text();
    fields.alpha = txtalpha->text();
    fields.chiSquare = txtChiSq->text();
    fields.pValue = txtpvalue->text();
    return PublishReport(ComposeChiSquareReport(fields), CheckChiSquareFigures(fields));
}
