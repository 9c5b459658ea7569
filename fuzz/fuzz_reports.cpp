// The report composers, the figure checks and the result file writer under arbitrary field
// texts.
// Input: one byte that picks the encoding (bit 0: UTF-16LE, else UTF-8), the regional format
// (bit 1: German, else US English), the window (bits 2 to 4, modulo the number of windows, so
// that an input keeps its window as windows are added) and, for the ANOVA, its optional groups
// (bit 5: group 3, bit 6: group 4); then the window's field texts, separated by NUL, in the
// order of its fields struct (of its boxes for the ANOVA). Inputs with a field that the window's
// checks would refuse are skipped.
#include "anova/anovachecks.h"
#include "anova/anovareport.h"
#include "chisquare/chisquarechecks.h"
#include "chisquare/chisquarereport.h"
#include "common/fieldtext.h"
#include "correlation/correlationchecks.h"
#include "correlation/correlationreport.h"
#include "fuzzcheck.h"
#include "report/unicodefile.h"
#include "ttestdep/ttestdepchecks.h"
#include "ttestdep/ttestdepreport.h"
#include "ttestindep/ttestindepchecks.h"
#include "ttestindep/ttestindepreport.h"

#include <QFile>
#include <QGuiApplication>
#include <QLocale>
#include <QTemporaryDir>
#include <algorithm>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace {
enum class Kind {
    Name,   // must pass the name test
    Figure, // must pass the number test
    Choice, // the tails box: unchecked, it only chooses a word
};

template <typename Fields> struct Field {
    QString Fields::*member;
    Kind kind;
};

const std::vector<Field<ChiSquareFields>> ChiSquareLayout = {
    {&ChiSquareFields::c1Name, Kind::Name},
    {&ChiSquareFields::c2Name, Kind::Name},
    {&ChiSquareFields::c1L1, Kind::Name},
    {&ChiSquareFields::c1L2, Kind::Name},
    {&ChiSquareFields::c2L1, Kind::Name},
    {&ChiSquareFields::c2L2, Kind::Name},
    {&ChiSquareFields::totalSampleSize, Kind::Figure},
    {&ChiSquareFields::c1L1Count, Kind::Figure},
    {&ChiSquareFields::c1L2Count, Kind::Figure},
    {&ChiSquareFields::c2L1Count, Kind::Figure},
    {&ChiSquareFields::c2L2Count, Kind::Figure},
    {&ChiSquareFields::alpha, Kind::Figure},
    {&ChiSquareFields::chiSquare, Kind::Figure},
    {&ChiSquareFields::pValue, Kind::Figure},
};

const std::vector<Field<TTestDepFields>> TTestDepLayout = {
    {&TTestDepFields::level1Name, Kind::Name},
    {&TTestDepFields::level2Name, Kind::Name},
    {&TTestDepFields::level1Mean, Kind::Figure},
    {&TTestDepFields::level2Mean, Kind::Figure},
    {&TTestDepFields::level1StdDev, Kind::Figure},
    {&TTestDepFields::level2StdDev, Kind::Figure},
    {&TTestDepFields::totalSampleSize, Kind::Figure},
    {&TTestDepFields::depVarName, Kind::Name},
    {&TTestDepFields::alpha, Kind::Figure},
    {&TTestDepFields::degreesOfFreedom, Kind::Figure},
    {&TTestDepFields::tStatistic, Kind::Figure},
    {&TTestDepFields::pValue, Kind::Figure},
    {&TTestDepFields::tails, Kind::Choice},
};

const std::vector<Field<TTestIndepFields>> TTestIndepLayout = {
    {&TTestIndepFields::g1Name, Kind::Name},
    {&TTestIndepFields::g2Name, Kind::Name},
    {&TTestIndepFields::g1Mean, Kind::Figure},
    {&TTestIndepFields::g2Mean, Kind::Figure},
    {&TTestIndepFields::g1StdDev, Kind::Figure},
    {&TTestIndepFields::g2StdDev, Kind::Figure},
    {&TTestIndepFields::g1SampleSize, Kind::Figure},
    {&TTestIndepFields::g2SampleSize, Kind::Figure},
    {&TTestIndepFields::totalSampleSize, Kind::Figure},
    {&TTestIndepFields::depVarName, Kind::Name},
    {&TTestIndepFields::alpha, Kind::Figure},
    {&TTestIndepFields::tails, Kind::Choice},
    {&TTestIndepFields::degreesOfFreedom, Kind::Figure},
    {&TTestIndepFields::tStatistic, Kind::Figure},
    {&TTestIndepFields::pValue, Kind::Figure},
};

const std::vector<Field<CorrelationFields>> CorrelationLayout = {
    {&CorrelationFields::variable1Name, Kind::Name},
    {&CorrelationFields::variable2Name, Kind::Name},
    {&CorrelationFields::totalSampleSize, Kind::Figure},
    {&CorrelationFields::alpha, Kind::Figure},
    {&CorrelationFields::tails, Kind::Choice},
    {&CorrelationFields::degreesOfFreedom, Kind::Figure},
    {&CorrelationFields::rCoefficient, Kind::Figure},
    {&CorrelationFields::pValue, Kind::Figure},
};

// The ANOVA window's boxes one by one; the boxes of a group the input leaves out stay empty.
struct AnovaBoxes {
    QString factorName, depVarName;
    QString g1Name, g1Mean, g1StdDev, g1SampleSize;
    QString g2Name, g2Mean, g2StdDev, g2SampleSize;
    QString g3Name, g3Mean, g3StdDev, g3SampleSize;
    QString g4Name, g4Mean, g4StdDev, g4SampleSize;
    QString totalSampleSize, dfBetween, dfWithin, alpha, fStatistic, pValue;
};

// The groups in use, as the window takes them.
AnovaFields InUse(const AnovaBoxes &b)
{
    AnovaFields fields{b.factorName,
                       b.depVarName,
                       {{b.g1Name, b.g1Mean, b.g1StdDev, b.g1SampleSize, 1},
                        {b.g2Name, b.g2Mean, b.g2StdDev, b.g2SampleSize, 2}},
                       b.totalSampleSize,
                       b.dfBetween,
                       b.dfWithin,
                       b.alpha,
                       b.fStatistic,
                       b.pValue};
    for (const AnovaGroup &optional :
         {AnovaGroup{b.g3Name, b.g3Mean, b.g3StdDev, b.g3SampleSize, 3},
          AnovaGroup{b.g4Name, b.g4Mean, b.g4StdDev, b.g4SampleSize, 4}})
        if (GroupInUse(optional))
            fields.groups << optional;
    return fields;
}

QString ComposeAnova(const AnovaBoxes &boxes)
{
    return ComposeAnovaReport(InUse(boxes));
}

Findings CheckAnova(const AnovaBoxes &boxes)
{
    return CheckAnovaFigures(InUse(boxes));
}

// The boxes in tab order, with or without groups 3 and 4.
std::vector<Field<AnovaBoxes>> AnovaLayout(bool group3, bool group4)
{
    using B = AnovaBoxes;
    std::vector<Field<B>> layout = {{&B::factorName, Kind::Name}, {&B::depVarName, Kind::Name},
                                    {&B::g1Name, Kind::Name},     {&B::g1Mean, Kind::Figure},
                                    {&B::g1StdDev, Kind::Figure}, {&B::g1SampleSize, Kind::Figure},
                                    {&B::g2Name, Kind::Name},     {&B::g2Mean, Kind::Figure},
                                    {&B::g2StdDev, Kind::Figure}, {&B::g2SampleSize, Kind::Figure}};
    if (group3)
        layout.insert(layout.end(), {{&B::g3Name, Kind::Name},
                                     {&B::g3Mean, Kind::Figure},
                                     {&B::g3StdDev, Kind::Figure},
                                     {&B::g3SampleSize, Kind::Figure}});
    if (group4)
        layout.insert(layout.end(), {{&B::g4Name, Kind::Name},
                                     {&B::g4Mean, Kind::Figure},
                                     {&B::g4StdDev, Kind::Figure},
                                     {&B::g4SampleSize, Kind::Figure}});
    for (QString B::*figure :
         {&B::totalSampleSize, &B::dfBetween, &B::dfWithin, &B::alpha, &B::fStatistic, &B::pValue})
        layout.push_back({figure, Kind::Figure});
    return layout;
}

const QString Heading = u"<u>Option "_s;

// Names stand in for themselves in the report; placeholders from the private use area take
// their places in a second composition, which then shows what the composer wrote of its own.
QChar Placeholder(size_t field)
{
    return QChar(char16_t(0xE000 + field));
}
bool IsPlaceholder(QChar unit)
{
    return unit.unicode() >= 0xE000 && unit.unicode() < 0xE100;
}

void CheckWrittenFile(const QString &report)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(u"result.html"_s);
    QString reason;
    FUZZ_CHECK(WriteUnicodeFile(path, report, true, &reason), reason);
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::ReadOnly), path);
    const QByteArray bytes = file.readAll();
    FUZZ_CHECK(bytes.size() == 2 + 2 * report.size(), report);
    FUZZ_CHECK(bytes.startsWith("\xFF\xFE"), report);
    for (qsizetype i = 0; i < report.size(); ++i) {
        const char16_t unit = char16_t(uint8_t(bytes[2 + 2 * i]) | uint8_t(bytes[3 + 2 * i]) << 8);
        FUZZ_CHECK(unit == report.at(i).unicode(), report);
    }
}

Tally inputs{"inputs"};

// The figure checks end, and say only what a line may say (agreement, a warning, style or the
// effect), in the strip's order, in at most five lines.
void CheckFindings(const Findings &findings)
{
    FUZZ_CHECK(findings.size() <= 5, QString::number(findings.size()));
    for (qsizetype i = 0; i < findings.size(); ++i) {
        const Finding &finding = findings.at(i);
        FUZZ_CHECK(finding.text.startsWith(u"Figures agree: "_s) ||
                       finding.text.startsWith(u"Check "_s) ||
                       finding.text.startsWith(u"Style: "_s) ||
                       finding.text.startsWith(u"Effect size: "_s),
                   finding.text);
        FUZZ_CHECK(i == 0 || findings.at(i - 1).topic <= finding.topic, finding.text);
    }
}

template <typename Fields>
void CheckReport(const QStringList &texts, const std::vector<Field<Fields>> &layout,
                 QString (*compose)(const Fields &), Findings (*check)(const Fields &),
                 qsizetype options)
{
    if (size_t(texts.size()) < layout.size())
        return;
    Fields fields;
    Fields neutral;
    bool placeholdersUsable = true;
    bool bringsHeading = false;
    bool bringsLineBreak = false;
    QStringList placed(qsizetype(layout.size())); // the trimmed name behind each placeholder
    for (size_t i = 0; i < layout.size(); ++i) {
        const QString &text = texts.at(qsizetype(i));
        const Field<Fields> &field = layout[i];
        if ((field.kind == Kind::Name && !PassesNameTest(text)) ||
            (field.kind == Kind::Figure && !PassesNumberTest(text)))
            return;
        fields.*field.member = text;
        neutral.*field.member = text;
        if (field.kind == Kind::Choice)
            continue;
        placeholdersUsable =
            placeholdersUsable && std::none_of(text.begin(), text.end(), IsPlaceholder);
        // With the text around it, any '<' may become part of a heading.
        bringsHeading = bringsHeading || text.contains(u'<');
        bringsLineBreak = bringsLineBreak || text.contains(u'\r') || text.contains(u'\n');
        if (field.kind == Kind::Name) {
            neutral.*field.member = Placeholder(i);
            placed[qsizetype(i)] = TrimSpaces(text);
        }
    }

    ++inputs.passed;
    const QString report = compose(fields);
    FUZZ_CHECK(report.startsWith(u"<u>Option 1</u><br>"_s), report);
    for (size_t i = 0; i < layout.size(); ++i) {
        if (layout[i].kind != Kind::Choice)
            FUZZ_CHECK(report.contains(TrimSpaces(fields.*layout[i].member)), report);
    }
    if (!bringsHeading)
        FUZZ_CHECK(report.count(Heading) == options, report);
    if (!bringsLineBreak)
        FUZZ_CHECK(!report.contains(u'\r') && !report.contains(u'\n'), report);

    // What the composer wrote of its own holds the headings and no line break, and the names
    // appear only where it put them.
    if (placeholdersUsable) {
        const QString skeleton = compose(neutral);
        FUZZ_CHECK(skeleton.count(Heading) == options, skeleton);
        FUZZ_CHECK(!skeleton.contains(u'\r') && !skeleton.contains(u'\n'), skeleton);
        QString expanded;
        for (const QChar unit : skeleton)
            expanded += IsPlaceholder(unit) ? placed.at(unit.unicode() - 0xE000) : QString(unit);
        FUZZ_CHECK(expanded == report, report);
    }

    CheckWrittenFile(report);
    CheckFindings(check(fields));
}
} // namespace

// The windows read names as their page shows them, through Qt's HTML reader, always with an
// application: "<pre>" asks it for the fixed-pitch font, which without one is a null pointer.
extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    ++inputs.tried;
    if (size == 0)
        return 0;
    const int choice = data[0];
    const bool utf16 = choice & 1;
    QLocale::setDefault(QLocale(choice & 2 ? u"de_DE"_s : u"en_US"_s));
    const QString input = utf16 ? FromUtf16Le(data + 1, size - 1) : FromUtf8(data + 1, size - 1);
    const QStringList texts = input.split(QChar(u'\0'));

    constexpr int Windows = 5;
    switch (((choice >> 2) & 7) % Windows) {
    case 0:
        CheckReport(texts, ChiSquareLayout, ComposeChiSquareReport, CheckChiSquareFigures, 2);
        break;
    case 1:
        CheckReport(texts, TTestDepLayout, ComposeTTestDepReport, CheckTTestDepFigures, 3);
        break;
    case 2:
        CheckReport(texts, TTestIndepLayout, ComposeTTestIndepReport, CheckTTestIndepFigures, 3);
        break;
    case 3:
        CheckReport(texts, CorrelationLayout, ComposeCorrelationReport, CheckCorrelationFigures, 3);
        break;
    default:
        CheckReport(texts, AnovaLayout(choice & 32, choice & 64), ComposeAnova, CheckAnova, 3);
        break;
    }
    return 0;
}
