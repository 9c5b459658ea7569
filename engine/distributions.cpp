#include "engine/distributions.h"

#include <algorithm>
// In double precision throughout: promoting to long double made each p many times slower (a
// text check computes thousands) and changes no figure at the digits shown.
#define BOOST_MATH_PROMOTE_DOUBLE_POLICY false
#include <boost/math/distributions/chi_squared.hpp>
#include <boost/math/distributions/fisher_f.hpp>
#include <boost/math/distributions/non_central_f.hpp>
#include <boost/math/distributions/non_central_t.hpp>
#include <boost/math/distributions/normal.hpp>
#include <boost/math/distributions/students_t.hpp>
#include <boost/math/tools/toms748_solve.hpp>
#include <cmath>
#include <stdexcept>

namespace engine {

double PFromT(double absT, double df, bool oneTailed)
{
    const double tail = boost::math::cdf(complement(boost::math::students_t(df), absT));
    return std::min(1.0, oneTailed ? tail : 2 * tail);
}

double PFromChiSquare(double chiSquare, double df)
{
    return boost::math::cdf(complement(boost::math::chi_squared(df), std::max(chiSquare, 0.0)));
}

double PFromZ(double absZ, bool oneTailed)
{
    const double tail = boost::math::cdf(complement(boost::math::normal(), absZ));
    return std::min(1.0, oneTailed ? tail : 2 * tail);
}

double PFromF(double f, double df1, double df2)
{
    return boost::math::cdf(complement(boost::math::fisher_f(df1, df2), std::max(f, 0.0)));
}

// A perfect correlation leaves no residual: t grows without bound and p reaches 0.
double TFromR(double absR, double df)
{
    return absR >= 1 ? INFINITY : absR * std::sqrt(df / (1 - absR * absR));
}

namespace {
// The noncentrality at which the typed t cuts off this lower-tail probability; none where the
// root cannot be bracketed (a t or df so large that the distribution cannot be evaluated).
std::optional<double> NoncentralityAt(double t, double df, double probability)
{
    const auto gap = [&](double delta) {
        return boost::math::cdf(boost::math::non_central_t(df, delta), t) - probability;
    };
    // The tail probability falls as the noncentrality grows. The search starts near the root,
    // t -/+ 1.96 standard errors of the noncentral t, and widens until it brackets the root.
    const double sign = probability > 0.5 ? -1 : 1;
    const double guess = t + sign * 1.96 * std::sqrt(1 + t * t / (2 * df));
    const double step = 0.1 * (1 + std::abs(guess));
    double lo = guess - step, hi = guess + step;
    double atLo = gap(lo), atHi = gap(hi);
    for (int widened = 0; atLo < 0 || atHi > 0; ++widened) {
        if (widened == 12)
            return std::nullopt;
        if (atLo < 0)
            atLo = gap(lo -= step * (2 << widened));
        if (atHi > 0)
            atHi = gap(hi += step * (2 << widened));
    }
    // The limits are shown to two decimals: a millionth (20 bits) is ample.
    std::uintmax_t iterations = 100;
    const auto root = boost::math::tools::toms748_solve(
        gap, lo, hi, atLo, atHi, boost::math::tools::eps_tolerance<double>(20), iterations);
    return (root.first + root.second) / 2;
}

// The noncentrality at which the typed F cuts off this lower-tail probability; 0 where F cuts off
// less even without noncentrality, none where the root cannot be bracketed.
std::optional<double> NoncentralityAtF(double f, double df1, double df2, double probability)
{
    const auto gap = [&](double lambda) {
        return boost::math::cdf(boost::math::non_central_f(df1, df2, lambda), f) - probability;
    };
    double atLo = gap(0);
    if (atLo <= 0)
        return 0.0;
    // The tail probability falls as the noncentrality grows; F * df1 estimates it, so the search
    // starts there and doubles until it brackets the root.
    double lo = 0, hi = std::max(1.0, 2 * f * df1), atHi = gap(hi);
    for (int widened = 0; atHi > 0; ++widened) {
        if (widened == 12)
            return std::nullopt;
        lo = hi;
        atLo = atHi;
        atHi = gap(hi *= 2);
    }
    std::uintmax_t iterations = 100;
    const auto root = boost::math::tools::toms748_solve(
        gap, lo, hi, atLo, atHi, boost::math::tools::eps_tolerance<double>(20), iterations);
    return (root.first + root.second) / 2;
}
} // namespace

double PFromR(double absR, double df, bool oneTailed)
{
    return PFromT(TFromR(absR, df), df, oneTailed);
}

std::optional<Interval> NoncentralityLimits(double t, double df)
{
    // Boost reports what it cannot evaluate by throwing; the effect size then goes without it.
    try {
        const auto lo = NoncentralityAt(t, df, 0.975), hi = NoncentralityAt(t, df, 0.025);
        if (lo && hi)
            return Interval{*lo, *hi};
    } catch (const std::exception &) {
    }
    return std::nullopt;
}

double EtaSquared(double f, double df1, double df2)
{
    return f * df1 / (f * df1 + df2);
}

std::optional<Interval> EtaSquaredLimits(double f, double df1, double df2)
{
    try {
        const auto lo = NoncentralityAtF(f, df1, df2, 0.95);
        const auto hi = NoncentralityAtF(f, df1, df2, 0.05);
        if (lo && hi)
            return Interval{*lo / (*lo + df2), *hi / (*hi + df2)};
    } catch (const std::exception &) {
    }
    return std::nullopt;
}

std::optional<Interval> Scaled(std::optional<Interval> limits, double factor)
{
    if (!limits)
        return std::nullopt;
    return Interval{limits->lo * factor, limits->hi * factor};
}

std::optional<Interval> FisherZLimits(double r, double n)
{
    if (!(std::abs(r) < 1 && n > 3))
        return std::nullopt;
    const double z = std::atanh(r);
    const double half = boost::math::quantile(boost::math::normal(), 0.975) / std::sqrt(n - 3);
    return Interval{std::tanh(z - half), std::tanh(z + half)};
}

} // namespace engine
