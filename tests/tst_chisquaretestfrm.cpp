#include "app/twips.h"
#include "chisquare/chisquaretestfrm.h"
#include "report/resultviewer.h"
#include "report/unicodefile.h"
#include "support/kelvarontest.h"

#include <QFile>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {
const QStringList BoxesInTabOrder = {
    u"txtC1Name"_s,  u"txtC2Name"_s,    u"txtC1L1"_s,    u"txtC1L2"_s,    u"txtC2L1"_s,
    u"txtC2L2"_s,    u"txtotSamSize"_s, u"txtC1L1Cnt"_s, u"txtC1L2Cnt"_s, u"txtC2L1Cnt"_s,
    u"txtC2L2Cnt"_s, u"txtalpha"_s,     u"txtChiSq"_s,   u"txtpvalue"_s,
};

// The worked example: Gender and Smoking.
const QStringList Example = {u"Gender"_s,     u"Smoking"_s, u"male"_s, u"female"_s, u"smoker"_s,
                             u"non-smoker"_s, u"100"_s,     u"48"_s,   u"52"_s,     u"30"_s,
                             u"70"_s,         u".05"_s,     u"4.32"_s, u".038"_s};

const QString ExampleSignificant =
    u"<u>Option 1</u><br>A chi-square test was used to analyze the data (&#945; = .05). The "
    u"results suggest a significant association between Gender and Smoking, "
    u"&#967;<sup>2</sup>(1, <i>N</i> = 100) = 4.32, <i>p</i> = .038."
    u"<br><br><u>Option 2</u><br>This study included Gender(48 male and 52 female) and "
    u"Smoking(30 smoker and 70 non-smoker). A 2X2 chi-square test of independence was used to "
    u"determine if Gender is dependent on Smoking. Given &#945; = .05, the results suggest "
    u"dependency, &#967;<sup>2</sup>(1, <i>N</i> = 100) = 4.32, <i>p</i> = .038."_s;

const QString ExampleAtAlpha =
    u"<u>Option 1</u><br>A chi-square test was used to analyze the data (&#945; = .05). The "
    u"results suggest a lack of significant association between Gender and Smoking, "
    u"&#967;<sup>2</sup>(1, <i>N</i> = 100) = 4.32, <i>p</i> = .05."
    u"<br><br><u>Option 2</u><br>This study included Gender(48 male and 52 female) and "
    u"Smoking(30 smoker and 70 non-smoker). A 2X2 chi-square test of independence was used to "
    u"determine if Gender is dependent on Smoking. Given &#945; = .05, the results suggest "
    u"lack of dependency, &#967;<sup>2</sup>(1, <i>N</i> = 100) = 4.32, <i>p</i> = .05."_s;
} // namespace

class TestChiSquareForm : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(u"en_US"_s)); }

    void init()
    {
        QFile::remove(ResultFilePath());
        form = std::make_unique<ChiSquareTestfrm>();
        QVERIFY(ShowAndActivate(form.get()));
    }

    void cleanup() { form.reset(); }

    void workedExamplesAreWrittenByteForByte_data()
    {
        QTest::addColumn<QString>("pValue");
        QTest::addColumn<QString>("report");
        QTest::newRow("significant") << u".038"_s << ExampleSignificant;
        QTest::newRow("p equal to alpha") << u".05"_s << ExampleAtAlpha;
        QTest::newRow("p equal to alpha in another form")
            << u"0.050"_s
            << QString(ExampleAtAlpha).replace(u"<i>p</i> = .05."_s, u"<i>p</i> = 0.050."_s);
    }

    void workedExamplesAreWrittenByteForByte()
    {
        QFETCH(QString, pValue);
        QFETCH(QString, report);
        QStringList fields = Example;
        fields.last() = pValue;
        typeFields(fields);

        MessageBoxCatcher boxes;
        clickShowResult();
        QCOMPARE(boxes.texts(), QStringList());
        QCOMPARE(FileBytes(ResultFilePath()), Utf16LeWithBom(report));
        QVERIFY(pane()->toPlainText().contains(u"(α = .05)"_s));
        QVERIFY(pane()->toPlainText().contains(u"χ2(1, N = 100)"_s));
    }

    void figuresAreCopiedAsTypedAndTrimmed()
    {
        QStringList fields = Example;
        fields[0] = u"  Gender  "_s;
        fields[5] = u" non smoker "_s;
        fields[7] = u"2.5"_s;
        fields[11] = u"0.0500"_s;
        fields[13] = u"1E-05"_s;
        fields[3] = u"a<b&c"_s;
        typeFields(fields);
        clickShowResult();
        const QByteArray bytes = FileBytes(ResultFilePath());
        for (const QString &piece :
             {u"(&#945; = 0.0500)"_s, u"included Gender(2.5 male and 52 a<b&c)"_s,
              u"70 non smoker)"_s, u"<i>p</i> = 1E-05."_s, u"suggest a significant"_s})
            QVERIFY2(bytes.contains(Utf16LeWithBom(piece).mid(2)), qPrintable(piece));
    }

    void firstFailingFieldIsTheOnlyMessage_data()
    {
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("message");

        QTest::newRow("all empty") << QStringList(14, QString()) << u"Invalid Category 1 Name"_s;
        QStringList blanks = Example;
        blanks[1] = u"   "_s;
        QTest::newRow("blank category 2") << blanks << u"Invalid Category 2 Name"_s;
        QStringList count = Example;
        count[9] = u"x"_s;
        QTest::newRow("count message has two blanks")
            << count << u"Invalid  Category 2 / Level 1 Count"_s;
        QStringList alpha = Example;
        alpha[11] = u"abc"_s;
        QTest::newRow("abc in alpha") << alpha << u"Invalid Alpha"_s;
        QStringList both = Example;
        both[12] = u"x"_s;
        both[13] = u"y"_s;
        QTest::newRow("chi-square before p") << both << u"Invalid Chi-Square"_s;
        QStringList nanP = Example;
        nanP[13] = u"nan"_s;
        QTest::newRow("nan p-value") << nanP << u"Invalid p-value"_s;
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
        QCOMPARE(WindowHeightTwips(form.get()), 4725.0);
    }

    void oddButLegalFiguresPass()
    {
        QStringList fields = Example;
        fields[2] = u"0"_s;  // a level may be named by a number
        fields[4] = u"0"_s;  // and two levels may share a name
        fields[11] = u"5"_s; // no range checks
        fields[13] = u"-1"_s;
        fields[8] = u"-3"_s;
        fields[6] = u"1"_s; // the total is not compared with the counts
        typeFields(fields);
        MessageBoxCatcher boxes;
        clickShowResult();
        QCOMPARE(boxes.texts(), QStringList());
        QVERIFY(QFile::exists(ResultFilePath()));
    }

    void limitedBoxesRefuseTheSixteenthCharacter()
    {
        const QString sixteen = u"1234567890123456"_s;
        for (const QString &name : {u"txtalpha"_s, u"txtC1L1"_s, u"txtpvalue"_s}) {
            TypeInto(box(name), sixteen);
            QCOMPARE(box(name)->text(), sixteen.left(15));
        }
        const QString longName(200, u'n');
        TypeInto(box(u"txtC1Name"_s), longName);
        QCOMPARE(box(u"txtC1Name"_s)->text(), longName);
        box(u"txtC2Name"_s)->setText(QString(100000, u'n'));
        QCOMPARE(box(u"txtC2Name"_s)->text().size(), 100000);
    }

    void tabOrderFollowsTheFields()
    {
        box(BoxesInTabOrder.first())->setFocus();
        for (qsizetype i = 1; i < BoxesInTabOrder.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), BoxesInTabOrder.at(i));
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), u"CmdShowResultText"_s);
    }

    void windowCollapsesGrowsAndCentres()
    {
        const double pixel = TwipsPerPixel();
        QCOMPARE(WindowHeightTwips(form.get()), 4725.0);
        QVERIFY(qAbs(WindowLeftTwips(form.get()) -
                     (ScreenWidthTwips() / 2 - WindowWidthTwips(form.get()) / 2)) <= pixel);
        const double width = WindowWidthTwips(form.get());

        typeFields(Example);
        for (int click = 0; click < 2; ++click) {
            clickShowResult();
            QVERIFY(qAbs(WindowHeightTwips(form.get()) - 8605) <= pixel);
            QVERIFY(qAbs(WindowTopTwips(form.get()) -
                         (ScreenHeightTwips() / 2 - WindowHeightTwips(form.get()) / 2)) <= pixel);
            QCOMPARE(WindowWidthTwips(form.get()), width);
        }

        // A failed check on the grown window changes nothing: size, place and page stay.
        const QRect before = form->frameGeometry();
        const QString page = pane()->toHtml();
        TypeInto(box(u"txtChiSq"_s), u"abc"_s);
        MessageBoxCatcher boxes;
        clickShowResult();
        QCOMPARE(boxes.texts(), QStringList{u"Invalid Chi-Square"_s});
        QCOMPARE(form->frameGeometry(), before);
        QCOMPARE(pane()->toHtml(), page);
        QCOMPARE(FileBytes(ResultFilePath()), Utf16LeWithBom(ExampleSignificant));

        // After a correction the checks start again from the first field.
        TypeInto(box(u"txtChiSq"_s), u"4.32"_s);
        TypeInto(box(u"txtC1Name"_s), u" "_s);
        clickShowResult();
        QCOMPARE(boxes.texts().last(), u"Invalid Category 1 Name"_s);
    }

    void resetEmptiesAndCollapses()
    {
        typeFields(Example);
        clickShowResult();
        form->ResetForm();
        for (const QString &name : BoxesInTabOrder)
            QVERIFY2(box(name)->text().isEmpty(), qPrintable(name));
        QCOMPARE(WindowHeightTwips(form.get()), 4725.0);
    }

private:
    QLineEdit *box(const QString &name) const { return form->findChild<QLineEdit *>(name); }
    ResultViewer *pane() const { return form->findChild<ResultViewer *>(u"WebBrowser1"_s); }

    void typeFields(const QStringList &texts)
    {
        for (qsizetype i = 0; i < texts.size(); ++i)
            TypeInto(box(BoxesInTabOrder.at(i)), texts.at(i));
    }

    void clickShowResult()
    {
        QTest::mouseClick(form->findChild<QPushButton *>(u"CmdShowResultText"_s), Qt::LeftButton);
    }

    std::unique_ptr<ChiSquareTestfrm> form;
};

QTEST_MAIN(TestChiSquareForm)
#include "tst_chisquaretestfrm.moc"
