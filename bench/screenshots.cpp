// Draws every window as the user sees it on the running X display, frame included: the main
// menu, each test window collapsed and grown after its worked example, and the check of a
// results section with a marked text. Run by bench/screenshots.sh.
// Usage: bench_screenshots <folder> light|dark
#include "app/mainfrm.h"
#include "sectioncheck/textcheckfrm.h"
#include "support/examplewindows.h"
#include "toolkit/toolkit.h"

#include <QApplication>
#include <QListView>
#include <QPlainTextEdit>
#include <QScreen>
#include <QWindow>

namespace {
void snap(const QWidget *window, const QString &file)
{
    QTest::qWait(300);
    const QRect frame = window->windowHandle()->frameGeometry();
    window->screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height()).save(file);
}
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() != 3)
        return 2;
    const QString folder = args[1] + u'/', look = args[2];
    if (look == u"dark") {
        // As a dark desktop theme would set it, before the windows are made.
        QPalette dark(QColor(53, 53, 53), QColor(42, 42, 42));
        for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            dark.setColor(role, QColor(238, 238, 238));
        QApplication::setPalette(dark);
    }
    MainFrm menu;
    menu.ShowCentred();
    snap(&menu, folder + u"menu-"_s + look + u".png"_s);
    const std::pair<Window, const char *> entries[] = {{Independent, "LblMainMenuLnk"},
                                                       {Dependent, "Label13"},
                                                       {ChiSquare, "Label18"},
                                                       {Correlation, "Label19"},
                                                       {Anova, "Label20"}};
    for (const auto &[window, entry] : entries) {
        const ExampleWindow &example = ExampleWindows().at(window);
        QTest::mouseClick(menu.findChild<QWidget *>(QLatin1String(entry)), Qt::LeftButton);
        QTest::qWait(300);
        QWidget *form = QApplication::activeWindow();
        snap(form, folder + example.title + u"-collapsed-"_s + look + u".png"_s);
        TypeFields(form, example.example());
        ClickShowResult(form);
        snap(form, folder + example.title + u"-grown-"_s + look + u".png"_s);
        if (window == ChiSquare) {
            // The most the strip holds: five lines, two of them long.
            TypeFields(form, With(example.example(), {{u"txtC2Name"_s, u"Smoking &amp; vaping"_s},
                                                      {u"txtC2L2"_s, u"<b>non-smoker"_s},
                                                      {u"txtC1L2Cnt"_s, u"50"_s},
                                                      {u"txtC2L1Cnt"_s, u"31"_s},
                                                      {u"txtChiSq"_s, u"20.00"_s},
                                                      {u"txtpvalue"_s, u".000"_s}}));
            ClickShowResult(form);
            snap(form, folder + example.title + u"-five-lines-"_s + look + u".png"_s);
        }
        QTest::mouseClick(form->findChild<QWidget *>(u"LblMainMenuLnk"_s), Qt::LeftButton);
    }

    // A results section with a result of every kind, the caret at its end.
    QTest::mouseClick(menu.findChild<QWidget *>(u"Label21"_s), Qt::LeftButton);
    QTest::qWait(300);
    auto *check = qobject_cast<TextCheckfrm *>(QApplication::activeWindow());
    if (!check)
        return 1;
    check->findChild<QPlainTextEdit *>(u"txtText"_s)
        ->setPlainText(
            u"Participants who trained scored higher than controls, t(38) = 2.10, p = .02, and "
            u"their anxiety fell from pretest to posttest, t(29) = 3.12, p = .004, d_z = 0.58.\n\n"
            u"Exam scores differed across the three teaching methods, F(2, 57) = 3.76, p = .029, "
            u"\u03b7p\u00b2 = .21, "
            u"and rose with study time, r(38) = .45, p = .004. Smoking was associated with "
            u"gender, χ²(1, N = 100) = 4.32, p = .038.\n\nFeedback improved recall, t(45) = 1.80, "
            u"p = .04, while the groups did not differ in age, z = 1.20, p = .23. A follow-up "
            u"comparison was also reported, t = 2.5, p = .01, as was a trend, p = .06, and a "
            u"correlation mistyped as r(38) = 1.45, p = .01."_s);
    if (!QTest::qWaitFor([check] { return !check->checkPending(); }, 5000))
        return 1;
    snap(check, folder + u"textcheck-"_s + look + u".png"_s);
    return 0;
}
