#include "anova/anovafrm.h"

#include "anova/anovachecks.h"
#include "common/fieldtext.h"
#include "toolkit/textbox.h"
#include "toolkit/toolkit.h"

#include <QLabel>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

namespace {
// Two columns read row by row in tab order: the two names, two rows for each group (name and
// mean, SD and size), then the derived figures and the test's own.
constexpr double LeftBoxes = 2520;
constexpr double LeftBoxWidth = 1335;
constexpr double RightBoxes = 6630;
constexpr double RightBoxWidth = 1365;
constexpr double FirstRow = 645;
constexpr double RowPitch = 360;

// Captions are right-aligned and end a little before their boxes.
constexpr double LeftCaptionWidth = 2415;
constexpr double RightCaptions = 3750;
constexpr double RightCaptionWidth = 2805;
constexpr double CaptionHeight = 285;

// Below the last row as on the other windows: the button, the heading and the pane.
constexpr double ButtonTop = 4995;
constexpr double HeadingTop = 5955;
constexpr double PaneTop = 6255;
// The chi-square window's pane height: with the taller pane of the t windows the grown window
// would be taller than a 768-pixel laptop screen.
constexpr double PaneHeight = 3315;

constexpr int DepVarLength = 30;
constexpr int FigureLength = 15;

constexpr double RowTop(int row)
{
    return FirstRow + row * RowPitch;
}
} // namespace

anovafrm::anovafrm(QWidget *parent)
    : ResultForm("anovafrm", u"Kelvaron - Beta  One-Way ANOVA"_s, parent)
{
    // A box and its caption; the left column on even places of the tab order, the right on odd.
    int place = 0;
    const auto addBox = [this, &place](const char *name, int maxLength, const QString &caption) {
        const int row = place / 2;
        const bool left = place++ % 2 == 0;
        TextBox *box = AddTextBox(name, maxLength, left ? LeftBoxes : RightBoxes, RowTop(row),
                                  left ? LeftBoxWidth : RightBoxWidth);
        AddCaption(qPrintable(u"Label%1"_s.arg(place)), caption, box, left ? 0 : RightCaptions,
                   RowTop(row), left ? LeftCaptionWidth : RightCaptionWidth, CaptionHeight);
        return box;
    };

    // Created in tab order.
    txtFactorName = addBox("txtFactorName", 0, u"Name of Factor"_s);
    txtDepVarName = addBox("txtDepVarName", DepVarLength, u"Name for Dependent Variable"_s);
    for (int k = 1; k <= 4; ++k) {
        const auto name = [k](const char *what) {
            return u"txtg%1%2"_s.arg(k).arg(QLatin1StringView(what)).toLatin1();
        };
        const QString group = u" of Group %1"_s.arg(k);
        GroupBoxes &boxes = Groups[k - 1];
        boxes.Name = addBox(name("Name").constData(), 0, u"Name"_s + group);
        boxes.Mean = addBox(name("Mean").constData(), FigureLength, u"Mean"_s + group);
        boxes.StdDev =
            addBox(name("StdDev").constData(), FigureLength, u"Standard Deviation"_s + group);
        boxes.SamSize = addBox(name("SamSize").constData(), FigureLength, u"Sample Size"_s + group);
    }
    // Only the program writes the derived boxes: no length limit to cut what it writes.
    txtotSamSize = addBox("txtotSamSize", 0, u"Total Sample Size"_s);
    txtdfBetween = addBox("txtdfBetween", 0, u"Degrees of freedom between (k-1)"_s);
    txtdfWithin = addBox("txtdfWithin", 0, u"Degrees of freedom within (N-k)"_s);
    txtierrorrate = addBox("txtierrorrate", FigureLength, u"Type I error rate (alpha)"_s);
    txtFstatistic = addBox("txtFstatistic", FigureLength, u"F-statistic"_s);
    txtpvalue = addBox("txtpvalue", FigureLength, u"p-value (enter an exact number)"_s);
    AddShowResultButton(1935, ButtonTop, 4245, 885);

    for (TextBox *derived : {txtotSamSize, txtdfBetween, txtdfWithin})
        derived->setLocked(true);
    connect(Groups[0].SamSize, &TextBox::lostFocus, this, &anovafrm::txtg1SamSize_LostFocus);
    connect(Groups[1].SamSize, &TextBox::lostFocus, this, &anovafrm::txtg2SamSize_LostFocus);
    connect(Groups[2].SamSize, &TextBox::lostFocus, this, &anovafrm::txtg3SamSize_LostFocus);
    connect(Groups[3].SamSize, &TextBox::lostFocus, this, &anovafrm::txtg4SamSize_LostFocus);
    // A press that reaches the button without a focus change (the window was inactive) must
    // still see the groups as they are now, a row just emptied included.
    connect(CmdShowResultText, &QPushButton::pressed, this, &anovafrm::UpdateTotals);

    AddMainMenuLink(7020, 60);
    buildTitles();
    AddResultPane(150, PaneTop, 7875, PaneHeight);

    Form_Load();
}

void anovafrm::buildTitles()
{
    KeepLabelsInLine(
        {AddLabel("Label25", u"One-Way ANOVA"_s, TimesFont(12, true), 3135, 120, 1905, 285)});
    QLabel *Label26 = AddLabel("Label26", u"Your one-way ANOVA results in publishable-format"_s,
                               TimesFont(9.75, true), 390, HeadingTop, 4500, 240);
    KeepLabelsInLine({Label26});
    SetPaneCaption({Label26}, Label26->text());
}

void anovafrm::ResetForm()
{
    for (TextBox *box : {txtFactorName, txtDepVarName})
        box->setText(QString());
    for (const GroupBoxes &group : Groups)
        for (TextBox *box : {group.Name, group.Mean, group.StdDev, group.SamSize})
            box->setText(QString());
    for (TextBox *box :
         {txtotSamSize, txtdfBetween, txtdfWithin, txtierrorrate, txtFstatistic, txtpvalue})
        box->setText(QString());
    CollapseForm();
}

void anovafrm::txtg1SamSize_LostFocus()
{
    UpdateTotals();
}

void anovafrm::txtg2SamSize_LostFocus()
{
    UpdateTotals();
}

void anovafrm::txtg3SamSize_LostFocus()
{
    UpdateTotals();
}

void anovafrm::txtg4SamSize_LostFocus()
{
    UpdateTotals();
}

AnovaGroup anovafrm::GroupTexts(const GroupBoxes &group) const
{
    return {group.Name->text(), group.Mean->text(), group.StdDev->text(), group.SamSize->text(),
            int(&group - Groups.data()) + 1};
}

QList<const anovafrm::GroupBoxes *> anovafrm::GroupsInUse() const
{
    QList<const GroupBoxes *> inUse;
    for (qsizetype k = 0; k < qsizetype(Groups.size()); ++k)
        if (k < 2 || GroupInUse(GroupTexts(Groups[k])))
            inUse << &Groups[k];
    return inUse;
}

void anovafrm::UpdateTotals()
{
    // Until every size in use is a figure the boxes keep what they held; the checks of the
    // click report the bad size.
    double total = 0;
    const QList<const GroupBoxes *> groups = GroupsInUse();
    for (const GroupBoxes *group : groups) {
        const std::optional<double> size = TextToNumber(group->SamSize->text());
        if (!size)
            return;
        total += *size;
    }
    const double k = double(groups.size());
    const QString totalText = NumberToText(total);
    const QString withinText = NumberToText(total - k);
    // A sum beyond the range of a double would leave a figure its own check refuses.
    if (!PassesNumberTest(totalText) || !PassesNumberTest(withinText))
        return;
    txtotSamSize->setText(totalText);
    txtdfBetween->setText(NumberToText(k - 1));
    txtdfWithin->setText(withinText);
}

bool anovafrm::ValidateGroup(const GroupBoxes &group, int number)
{
    const QString k = QString::number(number);
    return RunFieldChecks({
        {group.Name, FieldTest::Name, u"Invalid Group %1 Name"_s.arg(k)},
        {group.Mean, FieldTest::Number, u"Invalid Group %1 Mean"_s.arg(k)},
        {group.StdDev, FieldTest::Number, u"Invalid Group %1 Standard Deviation"_s.arg(k)},
        {group.SamSize, FieldTest::Number, u"Invalid Group %1 Sample Size"_s.arg(k)},
    });
}

bool anovafrm::ValidateInputs()
{
    // In tab order; a row of groups 3 and 4 only when it is in use.
    if (!RunFieldChecks({
            {txtFactorName, FieldTest::Name, u"Invalid Factor Name"_s},
            {txtDepVarName, FieldTest::Name, u"Invalid Name for Dependent Variable"_s},
        }))
        return false;
    for (const GroupBoxes *group : GroupsInUse())
        if (!ValidateGroup(*group, int(group - Groups.data()) + 1))
            return false;
    return RunFieldChecks({
        {txtotSamSize, FieldTest::Number, u"Invalid Total Sample Size"_s},
        {txtdfBetween, FieldTest::Number, u"Invalid Degree of freedom"_s},
        {txtdfWithin, FieldTest::Number, u"Invalid Degree of freedom"_s},
        {txtierrorrate, FieldTest::Number, u"Invalid i error rate"_s},
        {txtFstatistic, FieldTest::Number, u"Invalid F-Statistic"_s},
        {txtpvalue, FieldTest::Number, u"Invalid p-value"_s},
    });
}

bool anovafrm::ComposeReport()
{
    AnovaFields fields;
    fields.factorName = txtFactorName->text();
    fields.depVarName = txtDepVarName->text();
    for (const GroupBoxes *group : GroupsInUse())
        fields.groups << GroupTexts(*group);
    fields.totalSampleSize = txtotSamSize->text();
    fields.dfBetween = txtdfBetween->text();
    fields.dfWithin = txtdfWithin->text();
    fields.alpha = txtierrorrate->text();
    fields.fStatistic = txtFstatistic->text();
    fields.pValue = txtpvalue->text();
    return PublishReport(ComposeAnovaReport(fields), CheckAnovaFigures(fields));
}
