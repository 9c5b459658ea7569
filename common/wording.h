#pragma once

#include <QString>
#include <initializer_list>

// The wording decisions the reports share. The texts are those of the boxes as typed; the
// numbers are read with TextToNumber, so they agree with the field checks.

// True when p is strictly below alpha, compared as numbers (".05" equals "0.050").
bool IsSignificant(const QString &pValueText, const QString &alphaText);

// " one-tailed" only for the exact text "1" (untrimmed); any other text is " two-tailed".
QString TailWord(const QString &tailsText);

// " greater" when the first mean is strictly greater than the second, otherwise " less".
QString DirectionWord(const QString &mean1Text, const QString &mean2Text);

// " positive" when r is strictly above 0, otherwise " negative".
QString CorrelationDirectionWord(const QString &rText);
// The same decision said plainly: " higher" when r is strictly above 0, otherwise " lower".
QString CorrelationTrendWord(const QString &rText);

// Joins a report's pieces in order, with nothing between them.
QString JoinPieces(std::initializer_list<QString> pieces);
