#pragma once

#include <QString>

// The chi-square window's fields, as their boxes hold them (untrimmed).
struct ChiSquareFields {
    QString c1Name, c2Name;
    QString c1L1, c1L2, c2L1, c2L2;
    QString totalSampleSize;
    QString c1L1Count, c1L2Count, c2L1Count, c2L2Count;
    QString alpha, chiSquare, pValue;
};

// The two wordings of a 2 x 2 chi-square result as one HTML fragment. Figures are copied as
// typed (trimmed); only p against alpha decides the wording. Expects fields that passed the
// window's checks.
QString ComposeChiSquareReport(const ChiSquareFields &fields);
