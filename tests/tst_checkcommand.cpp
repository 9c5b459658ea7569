#include "checkcli/checkcommand.h"

#include <QBuffer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString inconsistent = u"The groups differed.\nThe effect held, t(38) = 2.10, p = .02."_s;
const QString consistent = u"As expected, t(38) = 2.10, p = .04, and p < .001 elsewhere."_s;
const QString chiSquare = u"Here χ²(1, N = 90) =\n4.50, p = .034."_s;
// A result whose p fits but whose effect size does not, and a mean that no 25 whole numbers give.
const QString pairedD = u"The groups differed, t(38) = 2.10, p = .042, d_z = 0.90."_s;
const QString grimMean =
    u"Scores were higher (M = 3.47, SD = 1.20, n = 25) than before, t(24) = 2.10, p = .046."_s;

struct Run {
    int status;
    QString out, err;
    const QJsonArray files() const
    {
        return QJsonDocument::fromJson(out.toUtf8())["files"].toArray();
    }
};

Run Check(const QStringList &arguments, QByteArray input = {}, bool progress = false)
{
    QBuffer in(&input), out, err;
    in.open(QIODevice::ReadOnly);
    out.open(QIODevice::WriteOnly);
    err.open(QIODevice::WriteOnly);
    const int status = RunCheckCommand(arguments, {&in, &out, &err, progress});
    return {status, QString::fromUtf8(out.data()), QString::fromUtf8(err.data())};
}

} // namespace

class TestCheckCommand : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    int written = 0;

    // Each text in a new file; a null text names a file that does not exist.
    QStringList Files(const QStringList &texts)
    {
        QStringList paths;
        for (const QString &text : texts) {
            QFile file(paths.emplace_back(dir.filePath(u"%1.txt"_s.arg(++written))));
            if (!text.isNull() && file.open(QIODevice::WriteOnly))
                file.write(text.toUtf8());
        }
        return paths;
    }

private Q_SLOTS:
    // One text checked both ways: how the output starts (%1 the file), and parts of its first
    // result in JSON, as written or as numbers, null where the result has none.
    void formats_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("alpha");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("parts");
        QTest::addColumn<QByteArray>("json");
        const QString gives = u"= .02: t(38) = 2.10 gives p = .042 (two-tailed), not .02"_s;
        QTest::newRow("second line; place")
            << inconsistent << u".05"_s
            << u"%1:2:18: inconsistent: t(38) = 2.10, p "_s + gives +
                   u"\n%1: 1 result: 0 consistent, 1 inconsistent, 0 decision errors; 0 p values "
                   "without a statistic\n"_s
            << u"line column offset length"_s << "[2,18,38,21]"_ba;
        QTest::newRow("alpha flips it; as written")
            << inconsistent << u"0.03"_s << u"%1:2:18: decision: t(38) = 2.10, p "_s + gives
            << u"test statistic statisticComparison p tails"_s << R"(["t","2.10","=",".02",2])"_ba;
        QTest::newRow("ns above alpha; no p, one df")
            << u"t(38) = 2.10, ns"_s << u".01"_s << u"%1:1:1: consistent: t(38) = 2.10, ns"_s
            << u"pComparison p df1 df2 n"_s << R"(["ns",null,38,null,null])"_ba;
        QTest::newRow("χ² over a line end; df and N")
            << chiSquare << u".05"_s << u"%1:1:6: consistent: χ²(1, N = 90) = 4.50, p = .034"_s
            << u"test df1 df2 n"_s << R"(["chi2",1,null,90])"_ba;
        QTest::newRow("z; no df") << u"z = 2.50, p = .012"_s << u".05"_s
                                  << u"%1:1:1: consistent: z = 2.50, p = .012"_s
                                  << u"test df1 verdict"_s << R"(["z",null,"consistent"])"_ba;
        QTest::newRow("unchecked; nothing computed")
            << u"r(40) = 1.20, p = .01"_s << u".05"_s
            << u"%1:1:1: unchecked: r(40) = 1.20, p = .01: "_s << u"computedP computedPRange"_s
            << "[null,null]"_ba;
    }
    void formats()
    {
        QFETCH(QString, text);
        QFETCH(QString, alpha);
        QFETCH(QString, line);
        QFETCH(QString, parts);
        QFETCH(QByteArray, json);
        const QString file = Files({text}).first();
        const Run run = Check({u"--alpha"_s, alpha, file});
        QVERIFY2(run.out.startsWith(line.arg(file)), qPrintable(run.out));
        const QJsonObject result =
            Check({u"--json"_s, u"--alpha="_s + alpha, file}).files()[0]["results"][0].toObject();
        QCOMPARE(result.size(), 19);
        QJsonArray found;
        for (const QString &name : parts.split(u' '))
            found.append(result[name]);
        QCOMPARE(found, QJsonDocument::fromJson(json).array());
    }

    // The figures reported with a result: each inconsistent one a line of its own right under
    // its result's, all of them in the result's JSON, counted in the summary and in the exit
    // status even where the result itself is consistent.
    void figures_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("lines");   // %1 the file
        QTest::addColumn<QByteArray>("json"); // [kind, verdict, quote] of each figure
        QTest::addColumn<int>("status");
        const QString one = u"%1: 1 result: 1 consistent, 0 inconsistent, 0 decision errors; 0 p "
                            "values without a statistic"_s;
        QTest::newRow("inconsistent effect size under a consistent result")
            << pairedD << QStringList()
            << u"%1:1:22: consistent: t(38) = 2.10, p = .042: t(38) = 2.10 gives p = .042 "
               "(two-tailed)\n  %1:1:46: inconsistent effect-size: d_z = 0.90: d_z = 0.90 does "
               "not fit t(38) = 2.10: a paired design gives d_z = 0.34\n"_s +
                   one + u"; 1 figure checked, 1 inconsistent\n"_s
            << R"([["effect-size","inconsistent","d_z = 0.90"]])"_ba << 1;
        QTest::newRow("consistent effect size: no line of its own")
            << u"The groups differed, t(38) = 2.10, p = .042, d_z = 0.34."_s << QStringList()
            << u"%1:1:22: consistent: t(38) = 2.10, p = .042: t(38) = 2.10 gives p = .042 "
               "(two-tailed)\n"_s +
                   one + u"; 1 figure checked, 0 inconsistent\n"_s
            << R"([["effect-size","consistent","d_z = 0.34"]])"_ba << 0;
        QTest::newRow("a mean left alone without whole-number scores")
            << grimMean << QStringList() << u"%1:1:63: consistent: "_s << "[]"_ba << 0;
        QTest::newRow("a mean no whole-number scores give")
            << grimMean << QStringList{u"--whole-number-scores"_s}
            << u"%1:1:63: consistent: t(24) = 2.10, p = .046: t(24) = 2.10 gives p = .046 "
               "(two-tailed)\n  %1:1:21: inconsistent grim: "_s
            << R"([["grim","inconsistent","M = 3.47"]])"_ba << 1;
        QTest::newRow("a mean GRIM cannot check: no line, no harm")
            << grimMean << QStringList{u"--items"_s, u"4"_s}
            << u"%1:1:63: consistent: t(24) = 2.10, p = .046: t(24) = 2.10 gives p = .046 "
               "(two-tailed)\n"_s +
                   one + u"\n"_s
            << R"([["grim","unchecked","M = 3.47"]])"_ba << 0;
        QTest::newRow("one item is whole-number scores")
            << grimMean << QStringList{u"--items"_s, u"1"_s}
            << u"%1:1:63: consistent: t(24) = 2.10, p = .046: t(24) = 2.10 gives p = .046 "
               "(two-tailed)\n  %1:1:21: inconsistent grim: "_s
            << R"([["grim","inconsistent","M = 3.47"]])"_ba << 1;
    }
    void figures()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, options);
        QFETCH(QString, lines);
        QFETCH(QByteArray, json);
        QFETCH(int, status);
        const QString file = Files({text}).first();
        const Run run = Check(options + QStringList{file});
        QVERIFY2(run.out.startsWith(lines.arg(file)), qPrintable(run.out));
        QCOMPARE(run.status, status);
        const Run jsonRun = Check(options + QStringList{u"--json"_s, file});
        QCOMPARE(jsonRun.status, status);
        QJsonArray found;
        for (const QJsonValue finding : jsonRun.files()[0]["results"][0]["findings"].toArray()) {
            QCOMPARE(finding.toObject().keys(),
                     QStringList({u"column"_s, u"kind"_s, u"length"_s, u"line"_s, u"message"_s,
                                  u"offset"_s, u"quote"_s, u"verdict"_s}));
            // The place is the quote's.
            QCOMPARE(text.mid(finding["offset"].toInt(), finding["length"].toInt()),
                     finding["quote"].toString());
            QVERIFY(finding["message"].isString());
            found.append(QJsonArray{finding["kind"], finding["verdict"], finding["quote"]});
        }
        QCOMPARE(found, QJsonDocument::fromJson(json).array());
    }

    // An unread file is named and wins; the others are still checked.
    void exitStatus_data()
    {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<int>("status");
        QTest::newRow("consistent and unchecked")
            << QStringList{consistent, u"r(9) = 2, p = .5"_s} << 0;
        QTest::newRow("one inconsistent") << QStringList{consistent, inconsistent} << 1;
        QTest::newRow("a decision error") << QStringList{u"t(38) = 2.10, p = .06"_s} << 1;
        QTest::newRow("missing among good") << QStringList{consistent, QString(), consistent} << 2;
        QTest::newRow("missing beats inconsistent") << QStringList{inconsistent, QString()} << 2;
    }
    void exitStatus()
    {
        QFETCH(QStringList, texts);
        QFETCH(int, status);
        const QStringList files = Files(texts);
        const Run lines = Check(files), json = Check(QStringList{u"--json"_s} + files);
        QCOMPARE(lines.status, status);
        QCOMPARE(json.status, status);
        QCOMPARE(json.err, QString());
        for (qsizetype i = 0; i < files.size(); ++i) {
            QCOMPARE(json.files()[i]["error"].isString(), texts[i].isNull());
            QCOMPARE(json.files()[i]["pValuesWithoutStatistic"].isDouble(), !texts[i].isNull());
            QCOMPARE(lines.err.contains(files[i]), texts[i].isNull());
            QCOMPARE(lines.out.contains(files[i] + u": "_s), !texts[i].isNull());
        }
    }

    void manyFilesKeepTheirOrderWithStandardInput()
    {
        QStringList texts;
        for (int i = 0; i < 40; ++i)
            texts << u"Filler. "_s.repeated(i % 7 * 3000) + u"t(%1) = 2.10, p = .04"_s.arg(i + 10);
        QStringList files = Files(texts);
        std::reverse(files.begin(), files.end());
        files.insert(20, u"-"_s);
        const Run run = Check(files, inconsistent.toUtf8(), true);
        QCOMPARE(run.status, 1);
        const QStringList summaries = run.out.split(u'\n').filter(u": 1 result:"_s);
        QCOMPARE(summaries.size(), files.size());
        for (qsizetype i = 0; i < files.size(); ++i)
            QVERIFY2(summaries[i].startsWith(files[i] + u": "_s), qPrintable(summaries[i]));
        QVERIFY(run.out.contains(u"\n-:2:18: inconsistent: "_s));
        // The progress line is drawn in place and wiped at the end, on standard error only.
        QVERIFY(run.err.startsWith(u"\rkelvaron-check: 0 of 41 files checked"_s));
        QVERIFY(run.err.endsWith(u"\r\x1b[K"_s));
        QVERIFY(!run.out.contains(u'\r'));
        QCOMPARE(Check(files).err, QString());
    }

    void usage_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("output"); // what it starts with; standard error's on status 2
        QTest::newRow("help") << u"--help"_s << 0 << u"Usage: kelvaron-check ["_s;
        QTest::newRow("version") << u"--version"_s << 0 << u"kelvaron-check 0."_s;
        QTest::newRow("no file") << u"--json"_s << 2 << u"kelvaron-check: no file"_s;
        QTest::newRow("unknown option") << u"--jsn -"_s << 2 << u"kelvaron-check: Unknown option"_s;
        QTest::newRow("text of one file") << u"--text -"_s << 0 << consistent;
        QTest::newRow("text of two files") << u"--text - -"_s << 2 << u"kelvaron-check: --text"_s;
        QTest::newRow("text of a missing file")
            << u"--text /nonexistent/a.txt"_s << 2 << u"/nonexistent/a.txt could not be read: "_s;
        QTest::newRow("whole-number scores")
            << u"--whole-number-scores -"_s << 0 << u"-:1:14: consistent"_s;
        QTest::newRow("items at most 100") << u"--items 100 -"_s << 0 << u"-:1:14: consistent"_s;
        for (const char *items : {"0", "101", "2.5", "x", "-3"})
            QTest::addRow("items %s", items) << u"--items %1 -"_s.arg(QLatin1StringView(items)) << 2
                                             << u"kelvaron-check: --items takes"_s;
        for (const char *alpha : {"0", "1.5", "0,05"})
            QTest::addRow("alpha %s", alpha) << u"--alpha %1 -"_s.arg(QLatin1StringView(alpha)) << 2
                                             << u"kelvaron-check: --alpha takes"_s;
    }
    void usage()
    {
        QFETCH(QString, arguments);
        QFETCH(int, status);
        QFETCH(QString, output);
        const Run run = Check(arguments.split(u' '), consistent.toUtf8());
        QCOMPARE(run.status, status);
        QVERIFY2((status == 2 ? run.err : run.out).startsWith(output), qPrintable(run.err));
        QVERIFY2(status == 2 ? run.out.isEmpty() : run.err.isEmpty(), qPrintable(run.err));
    }

    // As installed: a process of its own, no display, UTF-8 output though the locale is ASCII.
    void executable()
    {
        QProcess tool;
        tool.setEnvironment({u"LC_ALL=C"_s});
        tool.start(QStringLiteral(KELVARON_CHECK_PATH), {u"-"_s, dir.filePath(u"none.txt"_s)});
        tool.write(chiSquare.toUtf8());
        tool.closeWriteChannel();
        QVERIFY(tool.waitForFinished(30000));
        QCOMPARE(tool.exitCode(), 2);
        QVERIFY(
            tool.readAllStandardOutput().startsWith("-:1:6: consistent: \xCF\x87\xC2\xB2(1, N"));
        const QByteArray errors = tool.readAllStandardError();
        QVERIFY2(errors.startsWith("kelvaron-check: ") && errors.count('\n') == 1, errors);
    }
};

QTEST_GUILESS_MAIN(TestCheckCommand)
#include "tst_checkcommand.moc"
