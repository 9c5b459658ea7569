#include "app/mainfrm.h"
#include "app/platformopener.h"
#include "app/twips.h"
#include "support/kelvarontest.h"

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
    void initTestCase() { QLocale::setDefault(QLocale(u"en_US"_s)); }

    void init()
    {
        menu = std::make_unique<MainFrm>();
        QVERIFY(ShowAndActivate(menu.get()));
    }

    void cleanup() { menu.reset(); }

    void startsCentredAndAlone()
    {
        QCOMPARE(visibleWindows(), QStringList{u"MainFrm"_s});
        QCOMPARE(menu->windowTitle(), u"Kelvaron - Beta"_s);
        const double pixel = TwipsPerPixel();
        QVERIFY(qAbs(WindowLeftTwips(menu.get()) -
                     (ScreenWidthTwips() / 2 - WindowWidthTwips(menu.get()) / 2)) <= pixel);
        QVERIFY(qAbs(WindowTopTwips(menu.get()) -
                     (ScreenHeightTwips() / 2 - WindowHeightTwips(menu.get()) / 2)) <= pixel);
        QCOMPARE(menu->width(), TwipsToPixels(8715));
        QCOMPARE(menu->height(), TwipsToPixels(3915));
    }

    void everyPartOfAnEntryOpensItsTest_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("window");
        QTest::newRow("Independent Samples") << u"LblMainMenuLnk"_s << u"ttestindepfrm"_s;
        QTest::newRow("independent italic t") << u"Label9"_s << u"ttestindepfrm"_s;
        QTest::newRow("independent -test") << u"Label10"_s << u"ttestindepfrm"_s;
        QTest::newRow("Dependent Samples") << u"Label11"_s << u"ttestdepfrm"_s;
        QTest::newRow("dependent italic t") << u"Label12"_s << u"ttestdepfrm"_s;
        QTest::newRow("dependent -test") << u"Label13"_s << u"ttestdepfrm"_s;
        QTest::newRow("Two by Two Chi-Square") << u"Label18"_s << u"ChiSquareTestfrm"_s;
    }

    void everyPartOfAnEntryOpensItsTest()
    {
        QFETCH(QString, entry);
        QFETCH(QString, window);
        // The menu comes back where the user left it, not centred again.
        menu->move(menu->pos() + QPoint(37, -21));
        const QPoint menuPlace = menu->pos();

        QTest::mouseClick(label(entry), Qt::LeftButton);
        QCOMPARE(visibleWindows(), QStringList{window});
        QWidget *form = topLevel(window);
        QVERIFY(QTest::qWaitForWindowActive(form));

        QTest::mouseClick(form->findChild<QLabel *>(u"LblMainMenuLnk"_s), Qt::LeftButton);
        QCOMPARE(visibleWindows(), QStringList{u"MainFrm"_s});
        QCOMPARE(menu->pos(), menuPlace);
    }

    void testWindowComesBackEmptyCollapsedAndInPlace_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("window");
        QTest::addColumn<double>("collapsed");
        QTest::newRow("independent") << u"LblMainMenuLnk"_s << u"ttestindepfrm"_s << 5025.0;
        QTest::newRow("dependent") << u"Label11"_s << u"ttestdepfrm"_s << 4725.0;
        QTest::newRow("chi-square") << u"Label18"_s << u"ChiSquareTestfrm"_s << 4725.0;
    }

    void testWindowComesBackEmptyCollapsedAndInPlace()
    {
        QFETCH(QString, entry);
        QFETCH(QString, window);
        QFETCH(double, collapsed);

        QTest::mouseClick(label(entry), Qt::LeftButton);
        QWidget *form = topLevel(window);
        QVERIFY(QTest::qWaitForWindowActive(form));
        QCOMPARE(WindowHeightTwips(form), collapsed);
        QList<QLineEdit *> boxes = form->findChildren<QLineEdit *>();
        QComboBox *tails = form->findChild<QComboBox *>(u"CboTail"_s);
        for (QLineEdit *box : boxes) {
            if (!box->isReadOnly() && box->parent() == form)
                TypeInto(box, u"1"_s);
        }
        if (tails)
            tails->setCurrentText(u"2"_s);
        form->move(form->pos() + QPoint(-40, 25));
        const QPoint place = form->pos();

        QTest::keyClick(form, Qt::Key_M, Qt::AltModifier);
        QCOMPARE(visibleWindows(), QStringList{u"MainFrm"_s});
        QTest::mouseClick(label(entry), Qt::LeftButton);

        QCOMPARE(visibleWindows(), QStringList{window});
        QCOMPARE(topLevel(window), form);
        QCOMPARE(form->pos(), place);
        QCOMPARE(WindowHeightTwips(form), collapsed);
        for (QLineEdit *box : form->findChildren<QLineEdit *>()) {
            if (box->parent() == form)
                QVERIFY2(box->text().isEmpty(), qPrintable(box->objectName()));
        }
        if (tails)
            QCOMPARE(tails->currentText(), u"2"_s);
    }

    void shortcutsOpenTheRows_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("window");
        QTest::newRow("Alt+1 independent") << int(Qt::Key_1) << u"ttestindepfrm"_s;
        QTest::newRow("Alt+2 dependent") << int(Qt::Key_2) << u"ttestdepfrm"_s;
        QTest::newRow("Alt+3 chi-square") << int(Qt::Key_3) << u"ChiSquareTestfrm"_s;
    }

    void shortcutsOpenTheRows()
    {
        QFETCH(int, key);
        QFETCH(QString, window);
        QTest::keyClick(menu.get(), Qt::Key(key), Qt::AltModifier);
        QCOMPARE(visibleWindows(), QStringList{window});
    }

    void onlyTheFeedbackButtonTakesFocus()
    {
        for (QWidget *child : menu->findChildren<QWidget *>()) {
            const bool focusable = child->focusPolicy() != Qt::NoFocus;
            QCOMPARE(focusable, child->objectName() == u"CmdFeedbacks"_s);
        }
    }

    void feedbackOpensAMailToTheMaker()
    {
        QStringList targets;
        ShellExecuteOverride shell([&targets](qintptr, const QString &verb, const QString &target,
                                              const QString &, const QString &, int show) {
            targets << verb + u' ' + target + u' ' + QString::number(show);
            return 31;
        });
        MessageBoxCatcher boxes;
        QTest::mouseClick(menu->findChild<QPushButton *>(u"CmdFeedbacks"_s), Qt::LeftButton);

        QCOMPARE(targets, QStringList{u"open mailto:feedback@kelvaron.example 1"_s});
        QCOMPARE(boxes.boxes().size(), 1);
        QCOMPARE(boxes.boxes().first().title, u"  Error"_s);
        QVERIFY(boxes.texts().first().contains(u"Error Number = 31"_s));
        QCOMPARE(visibleWindows(), QStringList{u"MainFrm"_s});
    }

    void closingAHiddenMenusTestWindowEndsTheProgram_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("window");
        QTest::newRow("test window") << u"Label18"_s << u"ChiSquareTestfrm"_s;
        QTest::newRow("main menu with a hidden test window") << QString() << u"MainFrm"_s;
    }

    void closingAHiddenMenusTestWindowEndsTheProgram()
    {
        QFETCH(QString, entry);
        QFETCH(QString, window);
        if (!entry.isEmpty()) {
            QTest::mouseClick(label(entry), Qt::LeftButton);
            QTest::mouseClick(topLevel(window)->findChild<QLabel *>(u"LblMainMenuLnk"_s),
                              Qt::LeftButton);
            QTest::mouseClick(label(entry), Qt::LeftButton);
        } else {
            QTest::mouseClick(label(u"Label11"_s), Qt::LeftButton);
            QTest::keyClick(topLevel(u"ttestdepfrm"_s), Qt::Key_M, Qt::AltModifier);
        }
        QWidget *closing = topLevel(window);
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
