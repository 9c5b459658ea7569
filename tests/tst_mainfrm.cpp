#include "app/mainfrm.h"
#include "app/platformopener.h"
#include "support/kelvarontest.h"
#include "toolkit/twips.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <memory>

using namespace Qt::Literals::StringLiterals;

class TestMainMenu : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        menu = std::make_unique<MainFrm>();
        QVERIFY(ShowAndActivate(menu.get()));
    }

    void cleanup() { menu.reset(); }

    // Each part of an entry opens its window; Main Menu brings the menu back where the user left
    // it, and the window reopens (here by the entry's key) empty (derived boxes too), collapsed
    // and where the user left it, with the tails the user chose.
    void everyPartOfAnEntryOpensItsTest_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("window");
        QTest::addColumn<int>("key"); // with Alt, opens the same window again
        QTest::newRow("Independent Samples") << u"LblMainMenuLnk"_s << u"ttestindepfrm"_s << 1;
        QTest::newRow("independent italic t") << u"Label9"_s << u"ttestindepfrm"_s << 1;
        QTest::newRow("dependent -test") << u"Label13"_s << u"ttestdepfrm"_s << 2;
        QTest::newRow("Two by Two Chi-Square") << u"Label18"_s << u"ChiSquareTestfrm"_s << 3;
        QTest::newRow("Pearson Correlation") << u"Label19"_s << u"correlationfrm"_s << 4;
        QTest::newRow("One-Way ANOVA") << u"Label20"_s << u"anovafrm"_s << 5;
    }

    void everyPartOfAnEntryOpensItsTest()
    {
        QFETCH(QString, entry);
        QFETCH(QString, window);
        menu->move(menu->pos() + QPoint(37, -21));
        const QPoint menuPlace = menu->pos();

        QTest::mouseClick(label(entry), Qt::LeftButton);
        QCOMPARE(visibleWindows(), QStringList{window});
        QWidget *form = topLevel(window);
        QVERIFY(QTest::qWaitForWindowActive(form));
        const double collapsed = WindowHeightTwips(form);
        const QList<QLineEdit *> boxes = form->findChildren<QLineEdit *>();
        for (QLineEdit *box : boxes) {
            if (!box->isReadOnly())
                TypeInto(box, u"2"_s);
        }
        MessageBoxCatcher messages;
        ClickShowResult(form); // grown, to see that leaving collapses it
        QVERIFY(WindowHeightTwips(form) > collapsed);
        form->move(form->pos() + QPoint(-40, 25));
        const QPoint place = form->pos();
        // As a user's move would, the move reaches the platform before the next click.
        QTest::qWait(50);

        QTest::mouseClick(form->findChild<QLabel *>(u"LblMainMenuLnk"_s), Qt::LeftButton);
        QCOMPARE(visibleWindows(), QStringList{u"MainFrm"_s});
        QCOMPARE(menu->pos(), menuPlace);

        QFETCH(int, key);
        QVERIFY(QTest::qWaitForWindowActive(menu.get()));
        QTest::keyClick(menu.get(), char('0' + key), Qt::AltModifier);
        QCOMPARE(visibleWindows(), QStringList{window});
        QCOMPARE(topLevel(window), form);
        QCOMPARE(form->pos(), place);
        QCOMPARE(WindowHeightTwips(form), collapsed);
        for (QLineEdit *box : boxes) {
            const bool tails = qobject_cast<QComboBox *>(box->parentWidget());
            QCOMPARE(box->text(), tails ? u"2"_s : QString());
        }
    }

    // The desktop's answer (a failure number, or above 32 success) becomes one box or none.
    void feedbackOpensAMailToTheMaker_data()
    {
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("description");
        QTest::newRow("33 succeeds") << 33 << QString();
        QTest::newRow("32 is still a failure")
            << 32 << u"The specified dynamic-link library was not found."_s;
    }

    void feedbackOpensAMailToTheMaker()
    {
        QFETCH(int, result);
        QFETCH(QString, description);
        QStringList calls;
        ShellExecuteOverride shell([&calls, result](qintptr owner, const QString &verb,
                                                    const QString &target, const QString &,
                                                    const QString &, int show) {
            calls << u"%1 %2 %3 %4"_s.arg(owner).arg(verb, target).arg(show);
            return result;
        });
        MessageBoxCatcher boxes;
        QTest::mouseClick(menu->findChild<QPushButton *>(u"CmdFeedbacks"_s), Qt::LeftButton);

        QCOMPARE(calls, QStringList{u"0 open mailto:feedback@kelvaron.example 1"_s});
        QCOMPARE(visibleWindows(), QStringList{u"MainFrm"_s});
        QCOMPARE(boxes.boxes().size(), description.isEmpty() ? 0 : 1);
        if (description.isEmpty())
            return;
        QCOMPARE(boxes.boxes().first().title, u"  Error"_s);
        // Shown on separate lines although the text breaks them with carriage returns.
        QCOMPARE(boxes.texts().first(),
                 u"The following error occured while trying to open the specified file, folder, "
                 u"URL, Email, or document:\n\nError Number = %1\nError Source = ShellExecute()\n"
                 u"Error Description = %2"_s.arg(QString::number(result), description));
    }

    // Closing the test window ends the program although the menu, hidden, still exists.
    void closingAnyWindowEndsTheProgram()
    {
        QTest::mouseClick(label(u"Label18"_s), Qt::LeftButton);
        QWidget *closing = topLevel(u"ChiSquareTestfrm"_s);
        QTimer::singleShot(0, closing, [closing] { closing->close(); });
        QTimer guard;
        guard.setSingleShot(true);
        connect(&guard, &QTimer::timeout, qApp, [] { QCoreApplication::exit(1); });
        guard.start(5000);
        QCOMPARE(QCoreApplication::exec(), 0);
        QCOMPARE(visibleWindows(), QStringList());
    }

private:
    QLabel *label(const QString &name) const { return menu->findChild<QLabel *>(name); }

    static QWidget *topLevel(const QString &name)
    {
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (window->objectName() == name)
                return window;
        }
        return nullptr;
    }

    static QStringList visibleWindows()
    {
        QStringList names;
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (window->isVisible())
                names << window->objectName();
        }
        return names;
    }

    std::unique_ptr<MainFrm> menu;
};

QTEST_MAIN(TestMainMenu)
#include "tst_mainfrm.moc"
