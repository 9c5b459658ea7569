#pragma once

#include <QString>

// The dependent-samples window's fields, as their boxes hold them (untrimmed).
struct TTestDepFields {
    QString level1Name, level2Name;
    QString level1Mean, level2Mean;
    QString level1StdDev, level2StdDev;
    QString totalSampleSize;
    QString depVarName;
    QString alpha, degreesOfFreedom, tStatistic, pValue;
    QString tails; // the tails box's text
};

// The three wordings of a dependent-samples t-test result as one HTML fragment. Figures are
// copied as typed (trimmed); the tails text, p against alpha and the two means decide the
// wording. Expects fields that passed the window's checks.
QString ComposeTTestDepReport(const TTestDepFields &fields);
