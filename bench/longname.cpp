// Time from a click on "Show Result Text" to the shown page when a name holds 100,000
// characters, on each test window: once as one unbroken word, once as ordinary words.
// Prints the median and the slowest of several clicks, each on a new window.
#include "chisquare/chisquaretestfrm.h"
#include "report/resultviewer.h"
#include "ttestdep/ttestdepfrm.h"
#include "ttestindep/ttestindepfrm.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace {
struct Window {
    const char *name;
    std::function<std::unique_ptr<ResultForm>()> create;
    QList<std::pair<QString, QString>> fields; // box, text; the first box takes the long name
};

const std::vector<Window> Windows = {
    {"chi-square",
     [] { return std::make_unique<ChiSquareTestfrm>(); },
     {{u"txtC1Name"_s, {}},
      {u"txtC2Name"_s, u"Smoking"_s},
      {u"txtC1L1"_s, u"male"_s},
      {u"txtC1L2"_s, u"female"_s},
      {u"txtC2L1"_s, u"smoker"_s},
      {u"txtC2L2"_s, u"non-smoker"_s},
      {u"txtotSamSize"_s, u"100"_s},
      {u"txtC1L1Cnt"_s, u"48"_s},
      {u"txtC1L2Cnt"_s, u"52"_s},
      {u"txtC2L1Cnt"_s, u"30"_s},
      {u"txtC2L2Cnt"_s, u"70"_s},
      {u"txtalpha"_s, u".05"_s},
      {u"txtChiSq"_s, u"4.32"_s},
      {u"txtpvalue"_s, u".038"_s}}},
    {"dependent t-test",
     [] { return std::make_unique<ttestdepfrm>(); },
     {{u"txtg1Name"_s, {}},
      {u"txtg2Name"_s, u"After"_s},
      {u"txtg1Mean"_s, u"12.5"_s},
      {u"txtg2Mean"_s, u"10.2"_s},
      {u"txtg1StdDev"_s, u"2.1"_s},
      {u"txtg2StdDev"_s, u"2.3"_s},
      {u"txtotSamSize"_s, u"30"_s},
      {u"txtDepVarName"_s, u"anxiety"_s},
      {u"txtierrorrate"_s, u"0.05"_s},
      {u"txtdegoffreedom"_s, u"29"_s},
      {u"txttstatistics"_s, u"3.37"_s},
      {u"txtpvalue"_s, u"0.002"_s}}},
    {"independent t-test",
     [] { return std::make_unique<ttestindepfrm>(); },
     {{u"txtg1Name"_s, {}},
      {u"txtg2Name"_s, u"Control"_s},
      {u"txtg1Mean"_s, u"12.5"_s},
      {u"txtg2Mean"_s, u"10.2"_s},
      {u"txtg1StdDev"_s, u"2.1"_s},
      {u"txtg2StdDev"_s, u"2.3"_s},
      {u"txtg1SamSize"_s, u"20"_s},
      {u"txtg2SamSize"_s, u"22"_s},
      {u"txtotSamSize"_s, u"42"_s},
      {u"txtDepVarName"_s, u"anxiety"_s},
      {u"txtierrorrate"_s, u"0.05"_s},
      {u"txtdegoffreedom"_s, u"40"_s},
      {u"txttstatistics"_s, u"3.37"_s},
      {u"txtpvalue"_s, u"0.002"_s}}},
};

// Notes the first paint of the pane after the click.
class PaintProbe : public QObject {
public:
    bool painted = false;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return QObject::eventFilter(watched, event);
    }
};

// Milliseconds from the click until the pane has painted the page.
double TimeOneClick(const Window &window, const QString &longName)
{
    std::unique_ptr<ResultForm> form = window.create();
    form->show();
    if (!QTest::qWaitForWindowExposed(form.get()))
        qFatal("the window was not shown");
    for (const auto &[box, text] : window.fields)
        form->findChild<QLineEdit *>(box)->setText(text.isNull() ? longName : text);
    auto *pane = form->findChild<ResultViewer *>(u"WebBrowser1"_s);
    QCoreApplication::processEvents();

    PaintProbe probe;
    pane->viewport()->installEventFilter(&probe);
    QElapsedTimer clock;
    clock.start();
    QTest::mouseClick(form->findChild<QPushButton *>(u"CmdShowResultText"_s), Qt::LeftButton);
    while (!probe.painted && clock.elapsed() < 60000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    const double ms = clock.nsecsElapsed() / 1e6;
    if (!pane->toPlainText().contains(longName))
        qFatal("the page does not show the name");
    return ms;
}
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(u"en_US"_s));
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 5;

    QString words;
    while (words.size() < 100000)
        words += u"anxiety "_s;
    const std::pair<const char *, QString> names[] = {
        {"one word", QString(100000, u'x')},
        {"words", words.left(99999) + u'x'},
    };

    std::printf("click to shown page, 100,000-character name, %d clicks each (ms)\n", runs);
    for (const Window &window : Windows) {
        for (const auto &[kind, name] : names) {
            std::vector<double> times;
            for (int i = 0; i < runs; ++i)
                times.push_back(TimeOneClick(window, name));
            std::sort(times.begin(), times.end());
            std::printf("  %-19s %-9s median %7.1f  slowest %7.1f\n", window.name, kind,
                        times[times.size() / 2], times.back());
        }
    }
    return 0;
}
