#include "app/textbox.h"
#include "app/twips.h"
#include "report/unicodefile.h"
#include "support/kelvarontest.h"
#include "ttestdep/ttestdepfrm.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {
// The boxes a user can type into, in tab order; the degrees of freedom are derived.
const QStringList TypedFields = {
    u"txtg1Name"_s,     u"txtg2Name"_s,   u"txtg1Mean"_s,      u"txtg2Mean"_s,
    u"txtg1StdDev"_s,   u"txtg2StdDev"_s, u"txtotSamSize"_s,   u"txtDepVarName"_s,
    u"txtierrorrate"_s, u"CboTail"_s,     u"txttstatistics"_s, u"txtpvalue"_s,
};

// The worked example: anxiety before and after, significant and two-tailed.
const QStringList Example = {
    u"pretest"_s, u"posttest"_s,      u"24.5"_s, u"20.1"_s, u"5.2"_s,  u"4.8"_s,
    u"30"_s,      u"anxiety score"_s, u".05"_s,  u"2"_s,    u"3.12"_s, u".004"_s,
};

const QString ExampleSignificant =
    u"<u>Option 1</u><br>A two-tailed dependent samples <i>t</i>-test was used to compare the "
    u"mean difference in anxiety score between pretest and posttest, (<i>N</i> = 30). The Type I "
    u"error rate was set at alpha = .05. The results suggest that the average anxiety score is "
    u"greater for pretest (<i>M</i> = 24.5, <i>SD</i> = 5.2) than for posttest (<i>M</i> = 20.1, "
    u"<i>SD</i> = 4.8), <i>t</i>(29) = 3.12, <i>p</i> = .004."
    u"<br><br><u>Option 2</u><br>The mean anxiety score for pretest and posttest (<i>N</i> = 30) "
    u"was statistically compared using a  two-tailed dependent sample <i>t</i>-test at &#945 = "
    u".05. The results suggest that average pretest scores (<i>M</i> = 24.5, <i>SD</i> = 5.2) are "
    u"significantly greater than average posttest scores (<i>M</i> = 20.1, <i>SD</i> = 4.8), "
    u"<i>t</i>(29) = 3.12, <i>p</i> = .004."
    u"<br><br><u>Option 3</u><br>The total sample size was <i>N</i> = 30. The interest was in "
    u"determining a significant mean difference between pretest and posttest in terms of anxiety "
    u"score. As such, a two-tailed dependent samples <i>t</i>-test (&#945 = .05) was used to "
    u"compare the means. The results were significant. <i>t</i>(29) = 3.12, <i>p</i> = .004. The "
    u"conclusion is that pretest scores (<i>M</i> = 24.5, <i>SD</i> = 5.2) are  greater than "
    u"posttest scores (<i>M</i> = 20.1, <i>SD</i> = 4.8), <i>t</i>(29) = 3.12, <i>p</i> = .004."_s;

const QString ExampleNotSignificant =
    u"<u>Option 1</u><br>A one-tailed dependent samples <i>t</i>-test was used to compare the "
    u"mean difference in anxiety score between pretest and posttest, (<i>N</i> = 30). The Type I "
    u"error rate was set at alpha = .05. The results suggest no significant difference between "
    u"pretest (<i>M</i> = 24.5, <i>SD</i> = 5.2) and posttest (<i>M</i> = 20.1, <i>SD</i> = 4.8), "
    u"<i>t</i>(29) = 1.12, <i>p</i> = .27."
    u"<br><br><u>Option 2</u><br>The mean anxiety score for pretest and posttest (<i>N</i> = 30) "
    u"was statistically compared using a  one-tailed dependent sample <i>t</i>-test at &#945 = "
    u".05. The results suggest that average pretest scores (<i>M</i> = 24.5, <i>SD</i> = 5.2) and "
    u"average posttest scores (<i>M</i> = 20.1, <i>SD</i> = 4.8) are not significantly different, "
    u"<i>p</i> = .27."
    u"<br><br><u>Option 3</u><br>The total sample size was <i>N</i> = 30. The interest was in "
    u"determining a significant mean difference between pretest and posttest in terms of anxiety "
    u"score. As such, a one-tailed dependent samples <i>t</i>-test (&#945 = .05) was used to "
    u"compare the means. The results were not significant. There is not enough evidence to "
    u"conclude that pretest scores (<i>M</i> = 24.5, <i>SD</i> = 5.2) are any different from "
    u"posttest scores (<i>M</i> = 20.1, <i>SD</i> = 4.8), <i>t</i>(29) = 1.12, <i>p</i> = .27."_s;

QStringList exampleWith(std::initializer_list<std::pair<QString, QString>> changes)
{
    QStringList fields = Example;
    for (const auto &[name, text] : changes)
        fields[TypedFields.indexOf(name)] = text;
    return fields;
}
} // namespace

class TestTTestDepForm : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(u"en_US"_s)); }

    void init()
    {
        QFile::remove(ResultFilePath());
        form = std::make_unique<ttestdepfrm>();
        QVERIFY(ShowAndActivate(form.get()));
    }

    void cleanup()
    {
        form.reset();
        QLocale::setDefault(QLocale(u"en_US"_s));
    }

    void workedExamplesAreWrittenByteForByte_data()
    {
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("report");
        QTest::newRow("significant, two-tailed") << Example << ExampleSignificant;
        // Blanks around the figures are typed but never written.
        QTest::newRow("not significant, one-tailed, blanks around")
            << exampleWith({{u"txtg1Name"_s, u"  pretest "_s},
                            {u"txtotSamSize"_s, u" 30 "_s},
                            {u"txtierrorrate"_s, u" .05"_s},
                            {u"CboTail"_s, u"1"_s},
                            {u"txttstatistics"_s, u"1.12 "_s},
                            {u"txtpvalue"_s, u".27"_s}})
            << ExampleNotSignificant;
    }

    void workedExamplesAreWrittenByteForByte()
    {
        QFETCH(QStringList, fields);
        QFETCH(QString, report);
        typeFields(fields);
        MessageBoxCatcher boxes;
        clickShowResult();
        QCOMPARE(boxes.texts(), QStringList());
        QCOMPARE(FileBytes(ResultFilePath()), Utf16LeWithBom(report));
        QVERIFY(qAbs(WindowHeightTwips(form.get()) - 9985) <= TwipsPerPixel());
    }

    void decisionsChooseTheWords_data()
    {
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("tail");
        QTest::addColumn<QString>("direction"); // empty: not significant

        const auto row = [](const char *name, std::initializer_list<std::pair<QString, QString>> c,
                            const QString &tail, const QString &direction) {
            QTest::newRow(name) << exampleWith(c) << tail << direction;
        };
        row("p equals alpha in another form", {{u"txtpvalue"_s, u"0.050"_s}}, u"two"_s, {});
        row("p in exponent form", {{u"txtpvalue"_s, u"1E-4"_s}}, u"two"_s, u"greater"_s);
        row("equal means", {{u"txtg1Mean"_s, u"10"_s}, {u"txtg2Mean"_s, u"10.0"_s}}, u"two"_s,
            u"less"_s);
        row("negative means", {{u"txtg1Mean"_s, u"-2"_s}, {u"txtg2Mean"_s, u"-3"_s}}, u"two"_s,
            u"greater"_s);
        row("tails 1", {{u"CboTail"_s, u"1"_s}}, u"one"_s, u"greater"_s);
        row("tails empty", {{u"CboTail"_s, u""_s}}, u"two"_s, u"greater"_s);
        row("tails 1 after a blank", {{u"CboTail"_s, u" 1"_s}}, u"two"_s, u"greater"_s);
        row("tails one as a word", {{u"CboTail"_s, u"one"_s}}, u"two"_s, u"greater"_s);
    }

    void decisionsChooseTheWords()
    {
        QFETCH(QStringList, fields);
        QFETCH(QString, tail);
        QFETCH(QString, direction);
        typeFields(fields);
        MessageBoxCatcher boxes;
        clickShowResult();
        QCOMPARE(boxes.texts(), QStringList());
        const QString report = pageText();

        QCOMPARE(report.count(u" "_s + tail + u"-tailed "_s), 3);
        QCOMPARE(report.count(u"-tailed "_s), 3);
        QCOMPARE(report.contains(u"The results were not significant."_s), direction.isEmpty());
        QCOMPARE(report.count(u" greater "_s) + report.count(u" less "_s),
                 direction.isEmpty() ? 0 : 3);
        if (!direction.isEmpty())
            QCOMPARE(report.count(u" "_s + direction + u" "_s), 3);
        QVERIFY(report.contains(u"<i>p</i> = "_s + fields.last() + u'.'));
    }

    void degreesOfFreedomFollowTheTotal_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("total");
        QTest::addColumn<QString>("degrees");
        QTest::newRow("30") << u"en_US"_s << u"30"_s << u"29"_s;
        QTest::newRow("30 with blanks") << u"en_US"_s << u" 30 "_s << u"29"_s;
        QTest::newRow("fraction") << u"en_US"_s << u"10.5"_s << u"9.5"_s;
        QTest::newRow("1") << u"en_US"_s << u"1"_s << u"0"_s;
        QTest::newRow("0") << u"en_US"_s << u"0"_s << u"-1"_s;
        QTest::newRow("longer than the total's 15 characters")
            << u"en_US"_s << u"-99999999999999"_s << u"-100000000000000"_s;
        QTest::newRow("decimal comma") << u"de_DE"_s << u"10,5"_s << u"9,5"_s;
    }

    void degreesOfFreedomFollowTheTotal()
    {
        QFETCH(QString, locale);
        QFETCH(QString, total);
        QFETCH(QString, degrees);
        QLocale::setDefault(QLocale(locale));
        TypeInto(field(u"txtotSamSize"_s), total);
        QVERIFY(field(u"txtdegoffreedom"_s)->text().isEmpty());
        TypeInto(field(u"txtDepVarName"_s), u"x"_s);
        QCOMPARE(field(u"txtdegoffreedom"_s)->text(), degrees);
    }

    void invalidTotalKeepsTheOldDegreesAndIsReported()
    {
        typeFields(Example);
        QCOMPARE(field(u"txtdegoffreedom"_s)->text(), u"29"_s);
        TypeInto(field(u"txtotSamSize"_s), u"abc"_s);
        TypeInto(field(u"txtDepVarName"_s), u"x"_s);
        QCOMPARE(field(u"txtdegoffreedom"_s)->text(), u"29"_s);
        TypeInto(field(u"txtdegoffreedom"_s), u"5"_s); // locked: only the program writes it
        QCOMPARE(field(u"txtdegoffreedom"_s)->text(), u"29"_s);

        MessageBoxCatcher boxes;
        clickShowResult();
        QCOMPARE(boxes.texts(), QStringList{u"Invalid Total Sample Size"_s});
        QVERIFY(!QFile::exists(ResultFilePath()));

        // The message box leaves the window inactive, so the box sees no focus change of its own
        // (as when the user comes back from another program straight onto the button): the
        // press on the button must still derive the total typed just before it.
        TypeInto(field(u"txtotSamSize"_s), u"31"_s);
        clickShowResult();
        QCOMPARE(boxes.texts().size(), 1);
        QVERIFY(pageText().contains(u"<i>t</i>(30) = 3.12"_s));
    }

    void firstFailingFieldIsTheOnlyMessage_data()
    {
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("message");
        QTest::newRow("all empty") << QStringList(12, QString()) << u"Invalid Level 1 Name"_s;
        QTest::newRow("12,5x as a mean")
            << exampleWith({{u"txtg1Mean"_s, u"12,5x"_s}}) << u"Invalid Level 1 Mean"_s;
        QTest::newRow("total before the deviations")
            << exampleWith({{u"txtg1StdDev"_s, u"x"_s}, {u"txtotSamSize"_s, u""_s}})
            << u"Invalid Total Sample Size"_s;
        QTest::newRow("alpha") << exampleWith({{u"txtierrorrate"_s, u"abc"_s}})
                               << u"Invalid i error rate"_s;
        QTest::newRow("nan p-value")
            << exampleWith({{u"txtpvalue"_s, u"nan"_s}}) << u"Invalid p-value"_s;
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
        QVERIFY(!QFile::exists(ResultFilePath()));
        QCOMPARE(WindowHeightTwips(form.get()), 4725.0);
    }

    void captionAndTabOrder()
    {
        QCOMPARE(form->windowTitle(), u"Kelvaron - Beta  t-test Dependent"_s);
        QStringList expected = TypedFields;
        expected.insert(expected.indexOf(u"txttstatistics"_s), u"txtdegoffreedom"_s);
        expected << u"CmdShowResultText"_s;
        field(expected.first())->setFocus();
        for (qsizetype i = 1; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget *focused = QApplication::focusWidget();
            if (qobject_cast<QComboBox *>(focused->parentWidget()))
                focused = focused->parentWidget();
            QCOMPARE(focused->objectName(), expected.at(i));
        }
    }

    void mainMenuLinkEmptiesTheBoxesButKeepsTheTails()
    {
        typeFields(exampleWith({{u"CboTail"_s, u"one"_s}}));
        clickShowResult();
        QSignalSpy back(form.get(), &ResultForm::mainMenuRequested);
        QTest::mouseClick(form->findChild<QWidget *>(u"LblMainMenuLnk"_s), Qt::LeftButton);
        QCOMPARE(back.count(), 1);
        QVERIFY(!form->isVisible());
        const QList<TextBox *> boxes = form->findChildren<TextBox *>();
        QCOMPARE(boxes.size(), 12);
        for (const TextBox *box : boxes)
            QVERIFY2(box->text().isEmpty(), qPrintable(box->objectName()));
        QCOMPARE(tails()->currentText(), u"one"_s);
        QCOMPARE(WindowHeightTwips(form.get()), 4725.0);
    }

private:
    QComboBox *tails() const { return form->findChild<QComboBox *>(u"CboTail"_s); }
    QLineEdit *field(const QString &name) const
    {
        return name == u"CboTail" ? tails()->lineEdit() : form->findChild<QLineEdit *>(name);
    }
    QString pageText() const
    {
        const QByteArray bytes = FileBytes(ResultFilePath()).mid(2);
        return QString::fromUtf16(reinterpret_cast<const char16_t *>(bytes.constData()),
                                  bytes.size() / 2);
    }

    void typeFields(const QStringList &texts)
    {
        for (qsizetype i = 0; i < texts.size(); ++i)
            TypeInto(field(TypedFields.at(i)), texts.at(i));
    }

    void clickShowResult()
    {
        QTest::mouseClick(form->findChild<QPushButton *>(u"CmdShowResultText"_s), Qt::LeftButton);
    }

    std::unique_ptr<ttestdepfrm> form;
};

QTEST_MAIN(TestTTestDepForm)
#include "tst_ttestdepfrm.moc"
