#include "app/twips.h"
#include "report/resultviewer.h"
#include "report/unicodefile.h"
#include "support/kelvarontest.h"
#include "ttestindep/ttestindepfrm.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {
const QStringList InputsInTabOrder = {
    u"txtg1Name"_s,       u"txtg2Name"_s,      u"txtg1Mean"_s,     u"txtg2Mean"_s,
    u"txtg1StdDev"_s,     u"txtg2StdDev"_s,    u"txtg1SamSize"_s,  u"txtg2SamSize"_s,
    u"txtotSamSize"_s,    u"txtDepVarName"_s,  u"txtierrorrate"_s, u"CboTail"_s,
    u"txtdegoffreedom"_s, u"txttstatistics"_s, u"txtpvalue"_s,
};
// Example's positions, which are those of InputsInTabOrder.
enum Field { Name1, Name2, Mean1, Mean2, SD1, SD2, Size1, Size2, N, Dep, Alpha, Tails, DF, T, P };

// The worked example; the derived boxes are left to the window.
const QStringList Example = {u"Treatment"_s, u"Control"_s, u"12.5"_s, u"10.2"_s, u"2.1"_s,
                             u"2.3"_s,       u"20"_s,      u"22"_s,   QString(), u"anxiety"_s,
                             u"0.05"_s,      u"2"_s,       QString(), u"3.37"_s, u"0.002"_s};

const QString Opening1 =
    u"<u>Option 1</u><br>A two-tailed independent samples <i>t</i>-test was used to compare the "
    u"mean difference in anxiety between Treatment (<i>n</i> = 20) and Control (<i>n</i> = 22). "
    u"The Type I error rate was set at alpha = 0.05. The results suggest"_s;
const QString Opening2 =
    u"<br><br><u>Option 2</u><br>The mean anxiety for Treatment (<i>n</i> = 20) and Control "
    u"(<i>n</i> = 22) was statistically compared using a  two-tailed independent sample "
    u"<i>t</i>-test at &#945 = 0.05. The results suggest that average Treatment scores "
    u"(<i>M</i> = 12.5, <i>SD</i> = 2.1)"_s;
const QString Opening3 =
    u"<br><br><u>Option 3</u><br>The total sample of 42 consisted of 20 Treatment and 22 "
    u"Control. The interest was in determining a significant mean difference between these two "
    u"groups in terms of anxiety. As such, a two-tailed independent samples <i>t</i>-test "
    u"(&#945 = 0.05) was used to compare the means. The results were"_s;

const QString ExampleSignificant =
    Opening1 +
    u" that the average anxiety is greater for Treatment (<i>M</i> = 12.5, <i>SD</i> = 2.1) than "
    u"for Control (<i>M</i> = 10.2, <i>SD</i> = 2.3), <i>t</i>(40) = 3.37, <i>p</i> = 0.002."_s +
    Opening2 +
    u" are significantly greater than average Control scores (<i>M</i> = 10.2, <i>SD</i> = 2.3), "
    u"<i>t</i>(40) = 3.37, <i>p</i> = 0.002."_s +
    Opening3 +
    u" significant. <i>t</i>(40) = 3.37, <i>p</i> = 0.002. The conclusion is that Treatment "
    u"scores (<i>M</i> =12.5, <i>SD</i> =2.1) are  greater than Control scores (<i>M</i> = 10.2, "
    u"<i>SD</i> = 2.3), <i>t</i>(40) = 3.37, <i>p</i> = 0.002."_s;

const QString ExampleNotSignificant =
    Opening1 +
    u" no significant difference between Treatment (<i>M</i> = 12.5 , <i>SD</i> = 2.1) and "
    u"Control (<i>M</i> = 10.2 , <i>SD</i> = 2.3), <i>t</i>(40) = 1.05, <i>p</i> = 0.3."_s +
    Opening2 +
    u" and average Control scores (<i>M</i> = 10.2, <i>SD</i> = 2.3) are not significantly "
    u"different, <i>p</i> = 0.3."_s +
    Opening3 +
    u" not significant. There is not enough evidence to conclude that Treatment scores "
    u"(<i>M</i> = 12.5, <i>SD</i> = 2.1) are any different from Control scores (<i>M</i> = 10.2, "
    u"<i>SD</i> = 2.3), <i>t</i>(40) = 1.05, <i>p</i> = 0.3."_s;

QStringList with(QStringList fields, std::initializer_list<std::pair<Field, QString>> changes)
{
    for (const auto &[field, text] : changes)
        fields[field] = text;
    return fields;
}
} // namespace

class TestTTestIndepForm : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(u"en_US"_s)); }

    void init()
    {
        QFile::remove(ResultFilePath());
        form = std::make_unique<ttestindepfrm>();
        QVERIFY(ShowAndActivate(form.get()));
    }

    void cleanup() { form.reset(); }

    void workedExamplesAreWrittenByteForByte_data()
    {
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("report");
        QTest::newRow("significant") << Example << ExampleSignificant;
        QTest::newRow("not significant")
            << with(Example, {{T, u"1.05"_s}, {P, u"0.3"_s}}) << ExampleNotSignificant;
    }

    void workedExamplesAreWrittenByteForByte()
    {
        QFETCH(QStringList, fields);
        QFETCH(QString, report);
        typeFields(fields);
        QCOMPARE(box(u"txtotSamSize"_s)->text(), u"42"_s);
        QCOMPARE(box(u"txtdegoffreedom"_s)->text(), u"40"_s);

        MessageBoxCatcher boxes;
        clickShowResult();
        QCOMPARE(boxes.texts(), QStringList());
        QCOMPARE(FileBytes(ResultFilePath()), Utf16LeWithBom(report));
        QVERIFY(pane()->toPlainText().contains(u"(α = 0.05)"_s));
        QVERIFY(qAbs(WindowHeightTwips(form.get()) - 10195) <= TwipsPerPixel());
    }

    void totalsFollowTheGroupSizes_data()
    {
        QTest::addColumn<QString>("size1");
        QTest::addColumn<QString>("size2");
        QTest::addColumn<QString>("total");
        QTest::addColumn<QString>("freedom");
        QTest::newRow("whole") << u"20"_s << u"22"_s << u"42"_s << u"40"_s;
        QTest::newRow("fractions") << u"10.5"_s << u"12"_s << u"22.5"_s << u"20.5"_s;
        QTest::newRow("rounded to 15 digits") << u"0.1"_s << u"0.2"_s << u"0.3"_s << u"-1.7"_s;
        QTest::newRow("blanks around") << u" 20 "_s << u"22 "_s << u"42"_s << u"40"_s;
        QTest::newRow("only the first size") << u"20"_s << QString() << QString() << QString();
        QTest::newRow("second not a number") << u"20"_s << u"x"_s << QString() << QString();
        QTest::newRow("sum beyond a double") << u"1e308"_s << u"1e308"_s << QString() << QString();
    }

    void totalsFollowTheGroupSizes()
    {
        QFETCH(QString, size1);
        QFETCH(QString, size2);
        TypeInto(box(u"txtg1SamSize"_s), size1);
        TypeInto(box(u"txtg2SamSize"_s), size2);
        QTest::keyClick(box(u"txtg2SamSize"_s), Qt::Key_Tab);
        QTEST(box(u"txtotSamSize"_s)->text(), "total");
        QTEST(box(u"txtdegoffreedom"_s)->text(), "freedom");
    }

    void earlierTotalsStayWhenTheSizesDoNotAddUp_data()
    {
        QTest::addColumn<QString>("size1");
        QTest::addColumn<QString>("size2");
        QTest::addColumn<QStringList>("messages");
        const QStringList badSize2{u"Invalid Group 2 Sample Size"_s};
        QTest::newRow("20 and x") << u"20"_s << u"x"_s << badSize2;
        QTest::newRow("sum beyond a double") << u"1.7e308"_s << u"1.7e308"_s << QStringList();
    }

    // The report copies the derived boxes as they stand, even when they are stale.
    void earlierTotalsStayWhenTheSizesDoNotAddUp()
    {
        QFETCH(QString, size1);
        QFETCH(QString, size2);
        QFETCH(QStringList, messages);
        typeFields(Example);
        // Group 1 is emptied first, so that no pair on the way adds up.
        TypeInto(box(u"txtg1SamSize"_s), QString());
        TypeInto(box(u"txtg2SamSize"_s), size2);
        TypeInto(box(u"txtg1SamSize"_s), size1);
        MessageBoxCatcher boxes;
        clickShowResult();
        QCOMPARE(box(u"txtotSamSize"_s)->text(), u"42"_s);
        QCOMPARE(box(u"txtdegoffreedom"_s)->text(), u"40"_s);
        QCOMPARE(boxes.texts(), messages);
        if (messages.isEmpty())
            QVERIFY(report().contains(u"The total sample of 42 consisted of 1.7e308 Treatment"_s));
    }

    void clickStraightAfterASizeSeesFreshTotals()
    {
        typeFields(Example);
        TypeInto(box(u"txtg2SamSize"_s), u"30"_s);
        clickShowResult();
        QVERIFY(report().contains(u"The total sample of 50 consisted of 20 Treatment and 30"_s));
        QVERIFY(report().contains(u"<i>t</i>(48) = 3.37"_s));
    }

    void firstFailingFieldIsTheOnlyMessage_data()
    {
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("message");
        QTest::newRow("all empty") << QStringList(15, QString()) << u"Invalid Group 1 Name"_s;
        QTest::newRow("blank group 2 name")
            << with(Example, {{Name2, u"   "_s}}) << u"Invalid Group 2 Name"_s;
        QTest::newRow("only the first size")
            << with(Example, {{Size2, QString()}}) << u"Invalid Group 2 Sample Size"_s;
        // Sizes whose sum leaves the range of a double leave the total empty.
        QTest::newRow("total before standard deviations")
            << with(Example, {{SD1, u"x"_s}, {Size1, u"1e308"_s}, {Size2, u"1e308"_s}})
            << u"Invalid Total Sample Size"_s;
        QTest::newRow("standard deviations before dependent variable")
            << with(Example, {{SD2, u"x"_s}, {Dep, u" "_s}})
            << u"Invalid Group 2 Standard Deviation"_s;
        QTest::newRow("blank dependent variable")
            << with(Example, {{Dep, u" "_s}}) << u"Invalid Name for Dependent Variable"_s;
        QTest::newRow("abc alpha")
            << with(Example, {{Alpha, u"abc"_s}}) << u"Invalid i error rate"_s;
        QTest::newRow("t before p")
            << with(Example, {{T, u"x"_s}, {P, u"nan"_s}}) << u"Invalid t-Statistics"_s;
        QTest::newRow("p-value") << with(Example, {{P, u"1,5"_s}}) << u"Invalid p-value"_s;
    }

    void firstFailingFieldIsTheOnlyMessage()
    {
        QFETCH(QStringList, fields);
        QFETCH(QString, message);
        typeFields(fields);
        MessageBoxCatcher boxes;
        clickShowResult();
        QCOMPARE(boxes.texts(), QStringList{message});
        QCOMPARE(boxes.boxes().first().title, u"Error"_s);
        QCOMPARE(boxes.boxes().first().icon, int(QMessageBox::Critical));
        QVERIFY(!QFile::exists(ResultFilePath()));
        QCOMPARE(WindowHeightTwips(form.get()), 5025.0);
    }

    void significanceAndDirectionDecideTheEndings_data()
    {
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("direction"); // empty: not significant
        QTest::newRow("p equal to alpha") << with(Example, {{P, u"0.05"_s}}) << QString();
        QTest::newRow("p equal to alpha written otherwise")
            << with(Example, {{P, u"0.050"_s}}) << QString();
        QTest::newRow("p just below alpha, one tail")
            << with(Example, {{P, u"0.049"_s}, {Tails, u"1"_s}}) << u"greater"_s;
        QTest::newRow("alpha as exponent")
            << with(Example, {{Alpha, u"5E-2"_s}, {P, u"0.049"_s}}) << u"greater"_s;
        QTest::newRow("equal means")
            << with(Example, {{Mean1, u"10"_s}, {Mean2, u"10.0"_s}}) << u"less"_s;
        QTest::newRow("negative means")
            << with(Example, {{Mean1, u"-2"_s}, {Mean2, u"-3"_s}}) << u"greater"_s;
    }

    void significanceAndDirectionDecideTheEndings()
    {
        QFETCH(QStringList, fields);
        QFETCH(QString, direction);
        typeFields(fields);
        clickShowResult();
        const QString text = report();
        const QStringList pieces =
            direction.isEmpty()
                ? QStringList{u"The results suggest no significant difference between"_s,
                              u") are not significantly different, <i>p</i> = "_s,
                              u"The results were not significant. There is"_s}
                : QStringList{u"The results suggest that the average anxiety is "_s + direction,
                              u") are significantly "_s + direction + u" than average"_s,
                              u"The results were significant. <i>t</i>(40)"_s,
                              u") are  "_s + direction + u" than Control scores"_s};
        for (const QString &piece : pieces)
            QVERIFY2(text.contains(piece), qPrintable(piece));
        QVERIFY(!text.contains(direction == u"less" ? u"greater"_s : u"less"_s));
    }

    void onlyTheExactTextOneIsOneTailed_data()
    {
        QTest::addColumn<QString>("tails");
        QTest::addColumn<QString>("word");
        QTest::newRow("1") << u"1"_s << u"one-tailed"_s;
        QTest::newRow("2") << u"2"_s << u"two-tailed"_s;
        QTest::newRow("empty") << QString() << u"two-tailed"_s;
        QTest::newRow("blank before 1") << u" 1"_s << u"two-tailed"_s;
        QTest::newRow("1.0") << u"1.0"_s << u"two-tailed"_s;
        QTest::newRow("a word") << u"one"_s << u"two-tailed"_s;
    }

    // Changing only the tails changes exactly the three tails words.
    void onlyTheExactTextOneIsOneTailed()
    {
        QFETCH(QString, tails);
        QFETCH(QString, word);
        typeFields(with(Example, {{Tails, tails}}));
        MessageBoxCatcher boxes;
        clickShowResult();
        QCOMPARE(boxes.texts(), QStringList());
        QCOMPARE(report(), QString(ExampleSignificant).replace(u"two-tailed"_s, word));
    }

    void figuresAndNamesAreCopiedAsTypedAndTrimmed()
    {
        typeFields(with(Example, {{Name1, u"  a<b & c  "_s},
                                  {SD1, u"2.10"_s},
                                  {Alpha, u" .05 "_s},
                                  {P, u" .002"_s},
                                  {T, u"-1E+01"_s}}));
        clickShowResult();
        const QString text = report();
        for (const QString &piece :
             {u"between a<b & c (<i>n</i> = 20)"_s, u"alpha = .05. The"_s, u"&#945 = .05)"_s,
              u"(<i>M</i> =12.5, <i>SD</i> =2.10)"_s, u"<i>t</i>(40) = -1E+01, <i>p</i> = .002."_s})
            QVERIFY2(text.contains(piece), qPrintable(piece));
        QCOMPARE(text.count(u"<i>p</i> = .002."_s), 4);
    }

    void fieldsTakeTheirLimitsLocksAndTabOrder()
    {
        const QString sixteen = u"1234567890123456"_s;
        TypeInto(box(u"txtpvalue"_s), sixteen);
        QCOMPARE(box(u"txtpvalue"_s)->text(), sixteen.left(15));
        TypeInto(box(u"txtDepVarName"_s), sixteen + sixteen);
        QCOMPARE(box(u"txtDepVarName"_s)->text().size(), 30);
        for (const QString &name : {u"txtotSamSize"_s, u"txtdegoffreedom"_s}) {
            TypeInto(box(name), u"7"_s);
            QCOMPARE(box(name)->text(), QString());
            QCOMPARE(box(name)->palette().color(QPalette::Base), QColor(192, 192, 192));
        }

        input(InputsInTabOrder.first())->setFocus();
        QStringList order{InputsInTabOrder.first()};
        for (qsizetype i = 0; i < InputsInTabOrder.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget *focused = QApplication::focusWidget();
            if (auto *combo = qobject_cast<QComboBox *>(focused->parentWidget()))
                focused = combo;
            order << focused->objectName();
        }
        QCOMPARE(order, QStringList(InputsInTabOrder) << u"CmdShowResultText"_s);
    }

    void mainMenuLinkEmptiesAndCollapsesButKeepsTheTails()
    {
        QSignalSpy menu(form.get(), &ResultForm::mainMenuRequested);
        typeFields(with(Example, {{Tails, u"2"_s}}));
        clickShowResult();
        QVERIFY(qAbs(WindowHeightTwips(form.get()) - 10195) <= TwipsPerPixel());

        QTest::mouseClick(form->findChild<QLabel *>(u"LblMainMenuLnk"_s), Qt::LeftButton);
        QCOMPARE(menu.size(), 1);
        QVERIFY(!form->isVisible());
        for (const QString &name : InputsInTabOrder)
            QCOMPARE(input(name)->text(), name == u"CboTail" ? u"2"_s : QString());
        QCOMPARE(WindowHeightTwips(form.get()), 5025.0);
    }

private:
    QLineEdit *box(const QString &name) const { return form->findChild<QLineEdit *>(name); }
    // A text box, or the edit field of the tails box.
    QLineEdit *input(const QString &name) const
    {
        if (auto *combo = form->findChild<QComboBox *>(name))
            return combo->lineEdit();
        return box(name);
    }
    ResultViewer *pane() const { return form->findChild<ResultViewer *>(u"WebBrowser1"_s); }

    void typeFields(const QStringList &texts)
    {
        for (qsizetype i = 0; i < texts.size(); ++i) {
            if (!input(InputsInTabOrder.at(i))->isReadOnly())
                TypeInto(input(InputsInTabOrder.at(i)), texts.at(i));
        }
    }

    void clickShowResult()
    {
        QTest::mouseClick(form->findChild<QPushButton *>(u"CmdShowResultText"_s), Qt::LeftButton);
    }

    // The result file's text after its byte-order mark.
    QString report() const
    {
        const QByteArray bytes = FileBytes(ResultFilePath());
        if (!bytes.startsWith("\xFF\xFE"))
            return QString();
        return QString::fromUtf16(reinterpret_cast<const char16_t *>(bytes.constData() + 2),
                                  (bytes.size() - 2) / 2);
    }

    std::unique_ptr<ttestindepfrm> form;
};

QTEST_MAIN(TestTTestIndepForm)
#include "tst_ttestindepfrm.moc"
