#pragma once

#include "textcheck/scanner.h"
#include "textcheck/textcheck.h"

#include <QList>
#include <QStringView>
#include <functional>

// A result's other figures, read from its own stretch of text and checked against its
// statistic: effect sizes, confidence intervals, b with its SE, the sample size against the
// degrees of freedom and, where the user says the scores are whole numbers, GRIM and GRIMMER.

// From the end of the result before (or the sentence's start) to the start of the next result
// (or the sentence's end), and the sentence itself.
struct Stretch {
    qsizetype begin, end, sentenceBegin, sentenceEnd;
};

using PlaceOf = std::function<TextPlace(qsizetype begin, qsizetype end)>;

QList<FigureFinding> CheckFigures(QStringView text, const ScannedResult &result,
                                  const FoundResult &found, const Stretch &stretch,
                                  const CheckSettings &settings, bool decimalComma,
                                  const PlaceOf &place);
