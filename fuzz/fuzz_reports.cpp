// The three report composers, the figure checks and the result file writer under arbitrary
// field texts.
// Input: one byte that picks the window (its value mod 3), the encoding (UTF-16LE when
// (value / 3) is odd, else UTF-8) and the regional format (German when (value / 6) is odd, else
// US English); then the window's field texts, separated by NUL, in the order of its fields
// struct. Inputs with a field that the window's checks would refuse are skipped.
#include "chisquare/chisquarechecks.h"
#include "chisquare/chisquarereport.h"
#include "common/fieldtext.h"
#include "fuzzcheck.h"
#include "report/unicodefile.h"
#include "ttestdep/ttestdepchecks.h"
#include "ttestdep/ttestdepreport.h"
#include "ttestindep/ttestindepchecks.h"
#include "ttestindep/ttestindepreport.h"

#include <QFile>
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

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    ++inputs.tried;
    if (size == 0)
        return 0;
    const int choice = data[0];
    const bool utf16 = (choice / 3) % 2;
    QLocale::setDefault(QLocale((choice / 6) % 2 ? u"de_DE"_s : u"en_US"_s));
    const QString input = utf16 ? FromUtf16Le(data + 1, size - 1) : FromUtf8(data + 1, size - 1);
    const QStringList texts = input.split(QChar(u'\0'));

    switch (choice % 3) {
    case 0:
        CheckReport(texts, ChiSquareLayout, ComposeChiSquareReport, CheckChiSquareFigures, 2);
        break;
    case 1:
        CheckReport(texts, TTestDepLayout, ComposeTTestDepReport, CheckTTestDepFigures, 3);
        break;
    default:
        CheckReport(texts, TTestIndepLayout, ComposeTTestIndepReport, CheckTTestIndepFigures, 3);
        break;
    }
    return 0;
}
