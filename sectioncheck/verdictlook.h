#pragma once

#include "engine/findingstable.h"
#include "textcheck/textcheck.h"

#include <QIcon>
#include <QString>
#include <QTextCharFormat>

// How the window shows a verdict: in words, as an icon and as a mark in the text. The marks and
// the icons differ in shape as well as colour, for users who do not tell red from green.

// "Consistent", "Consistent (one-tailed)", "Inconsistent", "Decision error", "Unchecked".
QString VerdictWord(Verdict verdict);

// A tick, a cross, a warning triangle and a question mark in a ring (consistent results, the
// one-tailed ones included, share the tick).
QIcon VerdictIcon(Verdict verdict);

// The mark under a result: a thin green line, a red wave, a red wave on a light red ground, a
// grey dotted line.
QTextCharFormat MarkFormat(Verdict verdict);

// Whether F8 stops at a result: every one but the consistent ones.
using engine::NeedsALook;

// A figure of a result (an effect size, an interval, ...) takes the look of a result's verdict:
// consistent, inconsistent or unchecked.
using engine::FigureLook;

// What a figure is, in the list's words: "effect size", "confidence interval", "b and its SE",
// "df against N", "GRIM", "GRIMMER".
QString FigureKindWord(FigureKind kind);

// "Inconsistent effect size": how a figure's row is read and copied, as a result's by its
// verdict.
QString FigureWords(const FigureFinding &figure);
