#pragma once

#include <QString>

// The independent-samples window's fields, as their boxes hold them (untrimmed).
struct TTestIndepFields {
    QString g1Name, g2Name;
    QString g1Mean, g2Mean;
    QString g1StdDev, g2StdDev;
    QString g1SampleSize, g2SampleSize;
    QString totalSampleSize;
    QString depVarName;
    QString alpha;
    QString tails;
    QString degreesOfFreedom;
    QString tStatistic, pValue;
};

// The three wordings of an independent-samples t-test result as one HTML fragment. Figures are
// copied as typed (trimmed), the total and degrees of freedom as their boxes hold them; only the
// tails text, p against alpha and the two means decide the wording. Expects fields that passed
// the window's checks.
QString ComposeTTestIndepReport(const TTestIndepFields &fields);
