#include "checkcli/checkcommand.h"

#include "checkcli/checkreport.h"
#include "textcheck/documentreader.h"
#include "textcheck/textcheck.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QMutex>
#include <QThreadPool>
#include <QWaitCondition>
#include <algorithm>
#include <optional>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString programName = u"kelvaron-check"_s;

const char helpText[] =
    "Usage: kelvaron-check [--alpha A] [--whole-number-scores] [--items K] [--json] FILE...\n"
    "       kelvaron-check --text FILE\n"
    "Check every t, F, r, chi-square, z and Q test reported in the text of each FILE: is the p\n"
    "written beside it the p its statistic gives? The figures reported with a result (effect\n"
    "sizes, confidence intervals, b and SE, degrees of freedom against N) are checked against its\n"
    "statistic too. FILE is plain text, Markdown, HTML, .docx, .odt or .pdf; - reads standard\n"
    "input as plain text.\n"
    "\n"
    "  --alpha A              significance level that decides each result's conclusion\n"
    "                         (default .05)\n"
    "  --whole-number-scores  check means and SDs against their n (GRIM, GRIMMER), assuming\n"
    "                         every score is a whole number (a count or a single-item scale)\n"
    "  --items K              the scores are means of K whole-number items (1 to 100); implies\n"
    "                         --whole-number-scores\n"
    "  --json                 print one JSON document instead of lines\n"
    "  --text                 print the text read from FILE, as it is checked, and exit\n"
    "  -h, --help             print this help and exit\n"
    "  --version              print the version and exit\n"
    "\n"
    "Each result is printed as FILE:LINE:COLUMN: VERDICT: QUOTE: explanation, and under it, set\n"
    "in by two blanks, each inconsistent figure of it as\n"
    "FILE:LINE:COLUMN: inconsistent KIND: QUOTE: explanation; each file ends with a summary\n"
    "line. Exit status: 0 when nothing is inconsistent, 1 when a result (a changed conclusion\n"
    "included) or a figure is, 2 when a file could not be read or the usage is wrong.\n";

void Write(QIODevice *device, const QString &text)
{
    if (device)
        device->write(text.toUtf8());
}

int UsageError(const CheckCommandStreams &streams, const QString &message)
{
    Write(streams.errors,
          u"%1: %2\nTry '%1 --help' for more information.\n"_s.arg(programName, message));
    return 2;
}

// --text: what the readers make of one file, as the check reads it. The window reads its files
// this way, in a process of its own, so that a hostile file can take down no more than that.
int PrintText(const QStringList &files, const CheckCommandStreams &streams)
{
    if (files.size() != 1)
        return UsageError(streams, u"--text reads exactly one file"_s);
    const QString &file = files.first();
    const DocumentText read =
        file == u"-"_s
            ? ReadDocumentBytes(streams.input ? streams.input->readAll() : QByteArray(), file)
            : ReadDocument(file);
    if (!read.error.isEmpty()) {
        Write(streams.errors, read.error + u"\n"_s);
        return 2;
    }
    Write(streams.output, read.text);
    return 0;
}

// A scale's number of items as written, or 0 when it is not a whole number from 1 to 100.
int ItemCount(const QString &written)
{
    const bool digits =
        !written.isEmpty() &&
        std::all_of(written.begin(), written.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    const int items = digits && written.size() <= 3 ? written.toInt() : 0;
    return items >= 1 && items <= 100 ? items : 0;
}

FileCheck CheckFile(const QString &file, const QByteArray *standardInput,
                    const CheckSettings &settings)
{
    const DocumentText document =
        file == u"-"_s ? ReadDocumentBytes(*standardInput, file) : ReadDocument(file);
    FileCheck result{file, document.error, {}};
    if (document.error.isEmpty())
        result.check = CheckText(document.text, settings);
    return result;
}

// Checks the files on every core and hands each to `report` in the order given, as soon as it
// and every file before it are done, so that a long list prints as it goes.
class ParallelCheck {
public:
    ParallelCheck(const QStringList &files, const QByteArray &standardInput,
                  const CheckSettings &settings)
        : m_done(files.size())
    {
        for (qsizetype i = 0; i < files.size(); ++i) {
            m_pool.start([this, i, file = files[i], &standardInput, settings] {
                FileCheck check = CheckFile(file, &standardInput, settings);
                const QMutexLocker lock(&m_mutex);
                m_done[i] = std::move(check);
                ++m_finished;
                m_changed.wakeAll();
            });
        }
    }
    ~ParallelCheck() { m_pool.waitForDone(); }

    template <typename Report, typename Progress>
    QList<FileCheck> collect(Report report, Progress progress)
    {
        QList<FileCheck> files;
        files.reserve(m_done.size());
        progress(0);
        QMutexLocker lock(&m_mutex);
        int shownFinished = 0;
        while (files.size() < m_done.size()) {
            std::optional<FileCheck> &next = m_done[files.size()];
            if (next) {
                files.append(std::move(*next));
                next.reset();
                lock.unlock();
                report(files.constLast());
                lock.relock();
                // The report wiped the progress line: draw it again before waiting.
                shownFinished = -1;
            } else if (shownFinished != m_finished) {
                shownFinished = m_finished;
                lock.unlock();
                progress(shownFinished);
                lock.relock();
            } else {
                m_changed.wait(&m_mutex);
            }
        }
        return files;
    }

private:
    QMutex m_mutex;
    QWaitCondition m_changed;
    QList<std::optional<FileCheck>> m_done;
    int m_finished = 0;
    // Last, so that it is the first to go and waits for the workers that use the rest.
    QThreadPool m_pool;
};

} // namespace

int RunCheckCommand(const QStringList &arguments, const CheckCommandStreams &streams)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption alphaOption(u"alpha"_s, QString(), u"A"_s);
    const QCommandLineOption jsonOption(u"json"_s);
    const QCommandLineOption helpOption(QStringList{u"h"_s, u"help"_s});
    const QCommandLineOption versionOption(u"version"_s);
    const QCommandLineOption textOption(u"text"_s);
    const QCommandLineOption wholeNumbersOption(u"whole-number-scores"_s);
    const QCommandLineOption itemsOption(u"items"_s, QString(), u"K"_s);
    parser.addOptions({alphaOption, jsonOption, helpOption, versionOption, textOption,
                       wholeNumbersOption, itemsOption});
    if (!parser.parse(QStringList{programName} + arguments))
        return UsageError(streams, parser.errorText());
    if (parser.isSet(helpOption)) {
        Write(streams.output, QString::fromUtf8(helpText));
        return 0;
    }
    if (parser.isSet(versionOption)) {
        Write(streams.output, u"%1 %2\n"_s.arg(programName, QStringLiteral(KELVARON_VERSION)));
        return 0;
    }
    const QString alpha =
        parser.isSet(alphaOption) ? parser.value(alphaOption).trimmed() : u".05"_s;
    // A level of 0 or 1 decides nothing, and a typo must not silently become .05.
    if (!IsAlphaLevel(alpha)) {
        return UsageError(streams, u"--alpha takes a significance level between 0 and 1 with a "
                                   u"decimal point, such as .05 or 0.01, not '%1'"_s.arg(alpha));
    }
    CheckSettings settings{alpha, parser.isSet(wholeNumbersOption), 1};
    if (parser.isSet(itemsOption)) {
        const QString items = parser.value(itemsOption).trimmed();
        settings.items = ItemCount(items);
        if (settings.items == 0) {
            return UsageError(streams, u"--items takes the number of items each score averages, "
                                       u"a whole number from 1 to 100, not '%1'"_s.arg(items));
        }
        // A number of items says that the scores are means of whole-number items.
        settings.wholeNumberScores = true;
    }
    const QStringList files = parser.positionalArguments();
    if (files.isEmpty())
        return UsageError(streams, u"no file named (give - to read standard input)"_s);
    if (parser.isSet(textOption))
        return PrintText(files, streams);

    // Read once, before the workers start: "-" may be named more than once.
    QByteArray standardInput;
    if (files.contains(u"-"_s) && streams.input)
        standardInput = streams.input->readAll();

    const bool json = parser.isSet(jsonOption);
    bool progressShown = false;
    const auto clearProgress = [&] {
        if (progressShown)
            Write(streams.errors, u"\r\x1b[K"_s);
        progressShown = false;
    };
    const auto report = [&](const FileCheck &file) {
        if (json)
            return;
        clearProgress();
        if (file.error.isEmpty())
            Write(streams.output, FileLines(file));
        else
            Write(streams.errors, u"%1: %2\n"_s.arg(programName, file.error));
    };
    const auto progress = [&](int finished) {
        if (!streams.showProgress)
            return;
        Write(streams.errors, u"\r%1: %2 of %3 files checked\x1b[K"_s.arg(programName)
                                  .arg(finished)
                                  .arg(files.size()));
        progressShown = true;
    };
    ParallelCheck check(files, standardInput, settings);
    const QList<FileCheck> checked = check.collect(report, progress);
    clearProgress();
    if (json && streams.output)
        streams.output->write(JsonReport(checked));
    return ExitStatus(checked);
}

int CheckCommandMain(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(programName);
    QFile input, output, errors;
    input.open(STDIN_FILENO, QIODevice::ReadOnly);
    // Unbuffered: each write is already a whole block of lines, and results on standard output
    // must not fall behind the progress line on standard error.
    output.open(STDOUT_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered);
    errors.open(STDERR_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered);
    return RunCheckCommand(QCoreApplication::arguments().mid(1),
                           {&input, &output, &errors, isatty(STDERR_FILENO) == 1});
}
