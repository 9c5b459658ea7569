#include "engine/designs.h"

#include <algorithm>
#include <cmath>

namespace engine {

Interval Increasing(Interval x, double (*f)(double))
{
    return {f(x.lo), f(x.hi)};
}

Interval DzFromT(Interval absT, double df)
{
    const double root = std::sqrt(df + 1);
    return {absT.lo / root, absT.hi / root};
}

Interval DFromT(Interval absT, double n1, double n2)
{
    const double factor = std::sqrt(1 / n1 + 1 / n2);
    return {absT.lo * factor, absT.hi * factor};
}

Interval DEqualGroupsFromT(Interval absT, double df)
{
    const double root = std::sqrt(df + 2);
    return {2 * absT.lo / root, 2 * absT.hi / root};
}

double HedgesJ(double df)
{
    return 1 - 3 / (4 * df - 1);
}

Interval EtaSquaredFromF(Interval f, double df1, double df2)
{
    const auto eta = [&](double x) { return x * df1 / (x * df1 + df2); };
    return {eta(std::max(0.0, f.lo)), eta(std::max(0.0, f.hi))};
}

Interval OmegaSquaredFromF(Interval f, double df1, double df2)
{
    // Below F = 1 the estimate is negative, and authors report it so.
    const auto omega = [&](double x) { return (x - 1) * df1 / (x * df1 + df2 + 1); };
    return {omega(std::max(0.0, f.lo)), omega(std::max(0.0, f.hi))};
}

Interval PhiFromChiSquare(Interval chiSquare, double n, double m)
{
    return {std::sqrt(std::max(0.0, chiSquare.lo) / (n * m)),
            std::sqrt(std::max(0.0, chiSquare.hi) / (n * m))};
}

std::optional<Interval> Ratio(Interval b, Interval se)
{
    if (!(se.lo > 0))
        return std::nullopt;
    const double candidates[] = {b.lo / se.lo, b.lo / se.hi, b.hi / se.lo, b.hi / se.hi};
    return Interval{*std::min_element(std::begin(candidates), std::end(candidates)),
                    *std::max_element(std::begin(candidates), std::end(candidates))};
}

GrimResult Grim(Interval mean, int n, int items)
{
    const double units = double(n) * items;
    const double lowest = std::ceil(mean.lo * units - 1e-9),
                 highest = std::floor(mean.hi * units + 1e-9);
    if (lowest <= highest)
        return {true, lowest / units, highest / units};
    return {false, highest / units, lowest / units};
}

bool Grimmer(Interval mean, Interval sd, int n, int items)
{
    if (n < 2)
        return true;
    const double units = double(n) * items;
    // Each person's score as a whole number of item points: sums and squares on that scale.
    for (double sum = std::ceil(mean.lo * units - 1e-9); sum <= std::floor(mean.hi * units + 1e-9);
         ++sum) {
        const double lowSquares =
            (n - 1) * std::pow(std::max(0.0, sd.lo) * items, 2) + sum * sum / n;
        const double highSquares = (n - 1) * std::pow(sd.hi * items, 2) + sum * sum / n;
        const double first = std::ceil(lowSquares - 1e-9), last = std::floor(highSquares + 1e-9);
        // Two whole numbers in reach: one of them has the parity.
        if (last > first || (last == first && std::fmod(first - sum, 2) == 0))
            return true;
    }
    return false;
}

} // namespace engine
