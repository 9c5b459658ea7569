#include "checkcli/checkreport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <cmath>
#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace {

// JSON has no NaN or infinity; a figure that is not finite is as good as absent.
QJsonValue NumberOrNull(const std::optional<double> &value)
{
    if (!value || !std::isfinite(*value))
        return QJsonValue::Null;
    return *value;
}

QJsonValue TextOrNull(const QString &text)
{
    return text.isEmpty() ? QJsonValue(QJsonValue::Null) : QJsonValue(text);
}

// Where a result or a finding stands, and its quote.
QJsonObject PlaceJson(const TextPlace &place, const QString &quote)
{
    return {
        {u"line"_s, place.line},
        {u"column"_s, place.column},
        {u"offset"_s, qint64(place.offset)},
        {u"length"_s, qint64(place.length)},
        {u"quote"_s, quote},
    };
}

QJsonObject FindingJson(const FigureFinding &finding)
{
    QJsonObject json = PlaceJson(finding.place, finding.quote);
    json.insert(u"kind"_s, FigureKindName(finding.kind));
    json.insert(u"verdict"_s, FigureVerdictName(finding.verdict));
    json.insert(u"message"_s, TextOrNull(finding.message));
    return json;
}

QJsonObject ResultJson(const FoundResult &result)
{
    QJsonValue range = QJsonValue::Null;
    const QJsonValue low = NumberOrNull(result.computedPLow);
    const QJsonValue high = NumberOrNull(result.computedPHigh);
    if (!low.isNull() && !high.isNull())
        range = QJsonArray{low, high};
    QJsonArray findings;
    for (const FigureFinding &finding : result.findings)
        findings.append(FindingJson(finding));
    QJsonObject json = PlaceJson(result.place, result.quote);
    const QJsonObject figures = {
        {u"test"_s, TestName(result.test)},
        {u"df1"_s, NumberOrNull(result.df1)},
        {u"df2"_s, NumberOrNull(result.df2)},
        {u"n"_s, NumberOrNull(result.n)},
        {u"statisticComparison"_s, TextOrNull(result.statisticComparison)},
        {u"statistic"_s, TextOrNull(result.statistic)},
        {u"pComparison"_s, TextOrNull(result.pComparison)},
        {u"p"_s, TextOrNull(result.p)},
        {u"computedP"_s, NumberOrNull(result.computedP)},
        {u"computedPRange"_s, range},
        {u"tails"_s, result.tails},
        {u"verdict"_s, VerdictName(result.verdict)},
        {u"message"_s, TextOrNull(result.message)},
        {u"findings"_s, findings},
    };
    for (auto it = figures.begin(); it != figures.end(); ++it)
        json.insert(it.key(), it.value());
    return json;
}

QJsonObject FileJson(const FileCheck &file)
{
    QJsonArray results;
    for (const FoundResult &result : file.check.results)
        results.append(ResultJson(result));
    const bool read = file.error.isEmpty();
    // An unread file counted nothing: its count is unknown, not zero.
    const QJsonValue withoutStatistic =
        read ? QJsonValue(qint64(file.check.pValuesWithoutStatistic.size()))
             : QJsonValue(QJsonValue::Null);
    return {
        {u"file"_s, file.file},
        {u"error"_s, read ? QJsonValue(QJsonValue::Null) : QJsonValue(file.error)},
        {u"pValuesWithoutStatistic"_s, withoutStatistic},
        {u"results"_s, results},
    };
}

} // namespace

QString ResultLine(const QString &file, const FoundResult &result)
{
    QString line = u"%1:%2:%3: %4: %5"_s.arg(file)
                       .arg(result.place.line)
                       .arg(result.place.column)
                       .arg(VerdictName(result.verdict), result.quote);
    if (!result.message.isEmpty())
        line += u": "_s + result.message;
    return line;
}

QString FindingLine(const QString &file, const FigureFinding &finding)
{
    QString line =
        u"  %1:%2:%3: %4 %5: %6"_s.arg(file)
            .arg(finding.place.line)
            .arg(finding.place.column)
            .arg(FigureVerdictName(finding.verdict), FigureKindName(finding.kind), finding.quote);
    if (!finding.message.isEmpty())
        line += u": "_s + finding.message;
    return line;
}

QString SummaryLine(const FileCheck &file)
{
    return file.file + u": "_s + TotalsLine(CountVerdicts(file.check));
}

QString FileLines(const FileCheck &file)
{
    if (!file.error.isEmpty())
        return {};
    QString lines;
    for (const FoundResult &result : file.check.results) {
        lines += ResultLine(file.file, result) + u'\n';
        for (const FigureFinding &finding : result.findings) {
            if (finding.verdict == FigureVerdict::Inconsistent)
                lines += FindingLine(file.file, finding) + u'\n';
        }
    }
    return lines + SummaryLine(file) + u'\n';
}

QByteArray JsonReport(const QList<FileCheck> &files)
{
    QJsonArray list;
    for (const FileCheck &file : files)
        list.append(FileJson(file));
    return QJsonDocument(QJsonObject{{u"files"_s, list}}).toJson(QJsonDocument::Indented);
}

int ExitStatus(const QList<FileCheck> &files)
{
    int status = 0;
    for (const FileCheck &file : files) {
        if (!file.error.isEmpty())
            return 2;
        for (const FoundResult &result : file.check.results) {
            if (NeedsMending(result))
                status = 1;
        }
    }
    return status;
}
