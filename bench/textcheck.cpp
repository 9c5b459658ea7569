// Time of the text check: a generated manuscript of 10 MB of prose read from its file and checked
// (the bar is 100 MB/s), a generated results section of 10,000 words with 200 results (the bar
// is 5 ms), and 1 MB texts built to be slow, one line without a break (the bar is 100 ms), each
// also at twice the size, which should take about twice the time.
#include "textcheck/textcheck.h"
#include "textcheck/documentreader.h"

#include <QByteArrayView>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QStringList>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace {
// A results section in the forms authors write, every fiftieth word a result.
QString ResultsSection(int words, int results)
{
    const QStringList filler =
        u"the participants in both conditions showed a reliable pattern of "
        u"responses that was consistent with the hypothesis and prior work"_s.split(u' ');
    const QStringList forms = {u"t(38) = 2.10, p = .042"_s,
                               u"F(2, 57) = 3.76, MSE = 2.30, p = .029"_s,
                               u"r(38) = .45, p = .004"_s,
                               u"\u03c7\u00b2(1, N = 100) = 4.32, p = .038"_s,
                               u"z = 1.96, p = .05"_s,
                               u"t(40) = 5.37, p < .001"_s,
                               u"F(1, 1,024) = 1,224.08, p < .001"_s,
                               u"Q(9) = 25.3, p = .003"_s};
    QRandomGenerator random(7);
    QStringList text;
    const int every = words / results;
    for (int i = 0; i < words; ++i) {
        if (i % every == every - 1)
            text << u"("_s + forms.at(random.bounded(int(forms.size()))) + u")."_s;
        else
            text << filler.at(random.bounded(int(filler.size())));
    }
    return text.join(u' ');
}

// A manuscript of ordinary prose: sentences of 12 to 30 words from a wide vocabulary, with
// figures, brackets and commas, paragraphs of 4 to 9 sentences on lines of their own, and a
// result in one sentence of 20.
QByteArray Manuscript(qsizetype bytes)
{
    const QStringList words =
        u"the participants in both conditions showed a reliable pattern of responses that was "
        u"consistent with our hypothesis and with prior work on memory attention and learning "
        u"children adults were asked to rate each photograph after a short delay while their "
        u"reaction times were recorded by software we excluded trials faster than 200 ms "
        u"(about 3% of all) as preregistered because these reflect anticipatory responding "
        u"scores on the questionnaire ranged from 1 to 7 and were averaged across items "
        u"participants' accuracy increased over blocks, and this increase was larger in the "
        u"experimental group than among controls; however, the difference was small"_s.split(u' ');
    const QStringList results = {u"t(38) = 2.10, p = .042"_s, u"F(2, 57) = 3.76, p = .029"_s,
                                 u"r(98) = .32, p = .001"_s,
                                 u"\u03c7\u00b2(1, N = 100) = 4.32, p = .038"_s};
    QRandomGenerator random(11);
    QString text;
    int sentence = 0;
    while (text.size() < bytes) {
        const int sentences = 4 + random.bounded(6);
        for (int s = 0; s < sentences; ++s, ++sentence) {
            const int length = 12 + random.bounded(19);
            for (int w = 0; w < length; ++w) {
                QString word = words.at(random.bounded(int(words.size())));
                if (w == 0)
                    word[0] = word[0].toUpper();
                text += word + (w + 1 < length ? u" "_s : QString());
            }
            if (sentence % 20 == 19)
                text += u", "_s + results.at(random.bounded(int(results.size())));
            text += u". "_s;
        }
        text += u'\n';
    }
    return text.toUtf8();
}

// The best of several runs, in milliseconds, and how many results were found.
std::pair<double, qsizetype> Timed(const QString &text, int runs,
                                   const CheckSettings &settings = {})
{
    double best = 1e300;
    qsizetype found = 0;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer clock;
        clock.start();
        found = CheckText(text, settings).results.size();
        best = std::min(best, clock.nsecsElapsed() / 1e6);
    }
    return {best, found};
}
} // namespace

int main(int argc, char *argv[])
{
    // "file F" times the check of F's text with whole-number scores, as the page's benchmark
    // has its worker check it, for the figures side by side.
    if (argc > 2 && QByteArrayView(argv[1]) == "file") {
        CheckSettings settings;
        settings.wholeNumberScores = true;
        const auto [ms, found] =
            Timed(ReadDocument(QString::fromLocal8Bit(argv[2])).text, 20, settings);
        std::printf("native check: best %.2f ms of 20 runs, %lld results\n", ms,
                    static_cast<long long>(found));
        return 0;
    }
    // "section" times only the results section (for a profiler).
    const bool sectionOnly = argc > 1 && QByteArrayView(argv[1]) == "section";
    const QString section = ResultsSection(10'000, 200);
    const auto [sectionMs, sectionResults] = Timed(section, 20);
    std::printf("results section, 10,000 words: %.2f ms, %lld results (bar 5 ms)\n", sectionMs,
                static_cast<long long>(sectionResults));
    if (sectionOnly)
        return 0;
    // Reading a plain-text manuscript from its file and checking it, as the command line does.
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(u"manuscript.txt"_s);
        const QByteArray bytes = Manuscript(10 * 1000 * 1000);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return 1;
        file.close();
        double best = 1e300;
        qsizetype found = 0;
        for (int run = 0; run < 5; ++run) {
            QElapsedTimer clock;
            clock.start();
            found = CheckText(ReadDocument(path).text).results.size();
            best = std::min(best, clock.nsecsElapsed() / 1e9);
        }
        std::printf("manuscript, 10 MB of prose read and checked: %.0f ms, %.0f MB/s, %lld "
                    "results (bar 100 MB/s)\n",
                    best * 1e3, bytes.size() / 1e6 / best, static_cast<long long>(found));
    }
    const std::pair<const char *, QString> slow[] = {
        {"t( repeated", u"t("_s},
        {"p = . repeated", u"p = ."_s},
        {"t(1) = 2, repeated", u"t(1) = 2, "_s},
        {"F(1, [2( repeated", u"F(1, [2("_s},
        {"digits", u"1234567890"_s},
    };
    constexpr qsizetype Megabyte = 1 << 20;
    for (const auto &[name, unit] : slow) {
        const qsizetype units = Megabyte / (unit.size() * 2); // UTF-16: two bytes a character
        const auto [once, ignored] = Timed(unit.repeated(units), 3);
        const auto [twice, ignored2] = Timed(unit.repeated(2 * units), 3);
        std::printf("%-20s 1 MB: %6.2f ms, 2 MB: %6.2f ms (x%.2f; bar 100 ms)\n", name, once, twice,
                    twice / once);
    }
}
