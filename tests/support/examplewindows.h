#pragma once

#include "chisquare/chisquarereport.h"
#include "chisquare/chisquaretestfrm.h"
#include "support/kelvarontest.h"
#include "ttestdep/ttestdepfrm.h"
#include "ttestdep/ttestdepreport.h"
#include "ttestindep/ttestindepfrm.h"
#include "ttestindep/ttestindepreport.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <memory>

using namespace Qt::Literals::StringLiterals;

// A test window filled with a worked example, in which the two name boxes without a length limit
// take the names under test, and the report the window must write for them.
struct ExampleWindow {
    QString title;
    std::function<std::unique_ptr<ResultForm>()> create;
    // Boxes the user types into, in tab order; the derived boxes fill themselves.
    QList<std::pair<QString, QString>> typed;
    QString nameBox1, nameBox2;
    std::function<QString(const QString &, const QString &)> report;
    double grownHeight;
};

inline const QList<ExampleWindow> &ExampleWindows()
{
    static const QList<ExampleWindow> windows = {
        {u"chi-square"_s,
         [] { return std::make_unique<ChiSquareTestfrm>(); },
         {{u"txtC1L1"_s, u"male"_s},
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
          {u"txtpvalue"_s, u".038"_s}},
         u"txtC1Name"_s,
         u"txtC2Name"_s,
         [](const QString &name1, const QString &name2) {
             return ComposeChiSquareReport({name1, name2, u"male"_s, u"female"_s, u"smoker"_s,
                                            u"non-smoker"_s, u"100"_s, u"48"_s, u"52"_s, u"30"_s,
                                            u"70"_s, u".05"_s, u"4.32"_s, u".038"_s});
         },
         8605},
        {u"dependent"_s,
         [] { return std::make_unique<ttestdepfrm>(); },
         {{u"txtg1Mean"_s, u"24.5"_s},
          {u"txtg2Mean"_s, u"20.1"_s},
          {u"txtg1StdDev"_s, u"5.2"_s},
          {u"txtg2StdDev"_s, u"4.8"_s},
          {u"txtotSamSize"_s, u"30"_s},
          {u"txtDepVarName"_s, u"anxiety score"_s},
          {u"txtierrorrate"_s, u".05"_s},
          {u"txttstatistics"_s, u"3.12"_s},
          {u"txtpvalue"_s, u".004"_s}},
         u"txtg1Name"_s,
         u"txtg2Name"_s,
         [](const QString &name1, const QString &name2) {
             TTestDepFields fields{name1,    name2,    u"24.5"_s, u"20.1"_s,
                                   u"5.2"_s, u"4.8"_s, u"30"_s,   u"anxiety score"_s,
                                   u".05"_s, u"29"_s,  u"3.12"_s, u".004"_s,
                                   u"1"_s};
             return ComposeTTestDepReport(fields);
         },
         9985},
        {u"independent"_s,
         [] { return std::make_unique<ttestindepfrm>(); },
         {{u"txtg1Mean"_s, u"12.5"_s},
          {u"txtg2Mean"_s, u"10.2"_s},
          {u"txtg1StdDev"_s, u"2.1"_s},
          {u"txtg2StdDev"_s, u"2.3"_s},
          {u"txtg1SamSize"_s, u"20"_s},
          {u"txtg2SamSize"_s, u"22"_s},
          {u"txtDepVarName"_s, u"anxiety"_s},
          {u"txtierrorrate"_s, u"0.05"_s},
          {u"txttstatistics"_s, u"3.37"_s},
          {u"txtpvalue"_s, u"0.002"_s}},
         u"txtg1Name"_s,
         u"txtg2Name"_s,
         [](const QString &name1, const QString &name2) {
             TTestIndepFields fields{name1,     name2,   u"12.5"_s, u"10.2"_s, u"2.1"_s,
                                     u"2.3"_s,  u"20"_s, u"22"_s,   u"42"_s,   u"anxiety"_s,
                                     u"0.05"_s, u"1"_s,  u"40"_s,   u"3.37"_s, u"0.002"_s};
             return ComposeTTestIndepReport(fields);
         },
         10195},
    };
    return windows;
}

// A real click into the box, then the text as a paste puts it there: typing 100,000 characters
// key by key takes minutes, and QTest types only ASCII.
inline void PasteInto(QLineEdit *box, const QString &text)
{
    QTest::mouseClick(box, Qt::LeftButton);
    box->selectAll();
    box->insert(text);
}

// Gives the window its two names and types the rest of the example.
inline void FillExample(QWidget *form, const ExampleWindow &window, const QString &name1,
                        const QString &name2)
{
    PasteInto(form->findChild<QLineEdit *>(window.nameBox1), name1);
    PasteInto(form->findChild<QLineEdit *>(window.nameBox2), name2);
    for (const auto &[name, text] : window.typed)
        TypeInto(form->findChild<QLineEdit *>(name), text);
}

inline void ClickShowResult(QWidget *form)
{
    QTest::mouseClick(form->findChild<QPushButton *>(QStringLiteral("CmdShowResultText")),
                      Qt::LeftButton);
}
