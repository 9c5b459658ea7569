#pragma once

#include <QList>
#include <QString>

// One group's boxes, as they hold them (untrimmed).
struct AnovaGroup {
    QString name, mean, stdDev, sampleSize;
    int number = 0; // its row on the window, 1 to 4, which names its boxes
};

// The one-way ANOVA window's fields, as their boxes hold them (untrimmed); groups holds the
// groups in use, at least two, in the window's order.
struct AnovaFields {
    QString factorName;
    QString depVarName;
    QList<AnovaGroup> groups;
    QString totalSampleSize;
    QString dfBetween, dfWithin;
    QString alpha;
    QString fStatistic, pValue;
};

// A group of the window's optional rows is in use when any of its boxes holds more than blanks.
bool GroupInUse(const AnovaGroup &group);

// The three wordings of a one-way ANOVA result as one HTML fragment. Figures are copied as typed
// (trimmed), the total and degrees of freedom as their boxes hold them; only p against alpha and
// the groups' means decide the wording. Expects fields that passed the window's checks.
QString ComposeAnovaReport(const AnovaFields &fields);
