#pragma once

#include <QString>

// The correlation window's fields, as their boxes hold them (untrimmed), in tab order.
struct CorrelationFields {
    QString variable1Name, variable2Name;
    QString totalSampleSize;
    QString alpha;
    QString tails; // the tails box's text
    QString degreesOfFreedom, rCoefficient, pValue;
};

// The three wordings of a Pearson correlation as one HTML fragment. Figures are copied as typed
// (trimmed); the tails text, p against alpha and the sign of r decide the wording. Expects
// fields that passed the window's checks.
QString ComposeCorrelationReport(const CorrelationFields &fields);
