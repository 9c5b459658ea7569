// Typing in a 1 MB manuscript in the Check a Results Section window (offscreen): how long a
// paste and each key hold the window up, how long the check takes on its thread, and the longest
// the window stands still while a check runs and its marks are shown. Not a test.
//   QT_QPA_PLATFORM=offscreen bench_typing
#include "sectioncheck/textcheckfrm.h"
#include "textcheck/textcheck.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QTest>
#include <algorithm>
#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace {
// Paragraphs of a results section, each with three results, to about `bytes` of UTF-8.
QString Manuscript(qsizetype bytes)
{
    const QString paragraph =
        u"Participants who trained scored higher than controls, t(38) = 2.10, p = .02, and their "
        u"anxiety fell from pretest to posttest, t(29) = 3.12, p = .004. Exam scores differed "
        u"across the three teaching methods, F(2, 57) = 3.76, p = .029, which the discussion "
        u"takes up in the light of earlier work on practice and feedback.\n\n"_s;
    QString text;
    while (text.toUtf8().size() < bytes)
        text += paragraph.repeated(50);
    return text;
}

// The longest stretch, in ms, in which the event loop did not turn while `until` was false.
double LongestStall(const std::function<bool()> &until)
{
    QElapsedTimer clock;
    clock.start();
    qint64 last = 0, longest = 0;
    while (!until()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        const qint64 now = clock.nsecsElapsed();
        longest = std::max(longest, now - last);
        last = now;
    }
    return longest / 1e6;
}
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    TextCheckfrm form;
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        return 1;
    auto *edit = form.findChild<QPlainTextEdit *>(u"txtText"_s);
    const QString text = Manuscript(1 << 20);

    QElapsedTimer clock;
    clock.start();
    const qsizetype results = CheckText(text).results.size();
    const double checkMs = clock.nsecsElapsed() / 1e6;

    QGuiApplication::clipboard()->setText(text);
    edit->setFocus();
    clock.restart();
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    const double pasteMs = clock.nsecsElapsed() / 1e6;
    const double pasteStall = LongestStall([&form] { return !form.checkPending(); });

    // Keys in the middle of the text at 20 a second, then the pause that lets the check run.
    QTextCursor middle(edit->document());
    middle.setPosition(int(text.size() / 2));
    edit->setTextCursor(middle);
    std::vector<double> keys;
    double typingStall = 0;
    for (int key = 0; key < 40; ++key) {
        clock.restart();
        QTest::keyClick(edit, key % 8 == 7 ? Qt::Key_Space : Qt::Key_X);
        keys.push_back(clock.nsecsElapsed() / 1e6);
        QElapsedTimer gap;
        gap.start();
        typingStall = std::max(typingStall, LongestStall([&gap] { return gap.elapsed() >= 50; }));
    }
    const double checkStall = LongestStall([&form] { return !form.checkPending(); });
    std::sort(keys.begin(), keys.end());

    std::printf("1 MB text, %lld results\n", static_cast<long long>(results));
    std::printf("check on one thread:          %7.1f ms (the window does it on another)\n",
                checkMs);
    std::printf("paste (Ctrl+V):               %7.1f ms, then longest stall %.1f ms until marked\n",
                pasteMs, pasteStall);
    std::printf("a key, median / longest:      %7.2f / %.2f ms\n", keys[keys.size() / 2],
                keys.back());
    std::printf("longest stall while typing:   %7.1f ms\n", typingStall);
    std::printf("longest stall, check to marks:%7.1f ms\n", checkStall);
    return 0;
}
