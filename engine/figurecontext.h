#pragma once

#include "engine/designs.h"
#include "engine/figurecheck.h"
#include "engine/figurereader.h"
#include "engine/pformat.h"

#include <optional>
#include <utility>
#include <vector>

namespace engine {

// What the checks of a result's figures share: the result, the words of its sentence that fix
// its design, and the figures' findings as they are made.

struct FigureContext {
    TextView text;
    const textreading::Reader &reader;
    const ScannedResult &r;
    const FoundResult &found;
    const Stretch &stretch;
    const PlaceOf &place;
    bool decimalComma = false;
    // The design as the sentence gives it.
    bool paired = false, oneWay = false;
    std::optional<std::pair<double, double>> groups; // n₁ and n₂
    std::optional<figurereading::Figure> totalN;     // an N of this result's own
    std::vector<FigureFinding> findings;

    void Add(const figurereading::Figure &figure, FigureKind kind, FigureVerdict verdict,
             const Text &message);
    Interval Range(const ScannedFigure &figure) const;
    double Value(const ScannedFigure &figure) const;
    // The first degrees of freedom (N − 2 for an r given with its N).
    double Df1() const;

    // "t(38) = 2.10", as the verdicts write it.
    Text Statistic() const;
    // The figure as written, its name in one form: "d_z = 0.90", "η²p = .21".
    Text Echo(const figurereading::Figure &figure) const;
    // A computed figure written as the written one is (its decimals, its leading zero); an
    // interval as its middle, or "0.31 to 0.33" where it spans more than a unit of them.
    Text Like(Interval value, const ScannedFigure &written) const;
    Text Number(double value, int decimals, bool leadingZero) const;
    // "n₁ = 40 and n₂ = 42", "n = 40 per group".
    Text GroupsText() const;
};

FigureVerdict Fits(Interval written, Interval computed);

void CheckD(FigureContext &c, const figurereading::Figure &figure);
void CheckProportion(FigureContext &c, const figurereading::Figure &figure);
void CheckInterval(FigureContext &c, const figurereading::Figure &interval,
                   const figurereading::Figure *estimate);
void CheckRatio(FigureContext &c, const figurereading::Figure &estimate,
                const figurereading::Figure &se);
void CheckDegrees(FigureContext &c, const figurereading::Figure &n);
void CheckGroupDegrees(FigureContext &c, const figurereading::Figure &last);
void CheckWholeNumbers(FigureContext &c, const figurereading::Figure &mean,
                       const figurereading::Figure &n, const figurereading::Figure *sd, int items);

} // namespace engine
