// The checks of effect sizes against their statistic.
#include "engine/designs.h"
#include "engine/figurecontext.h"

#include <cmath>

namespace engine {

using namespace textreading;
using namespace figurereading;

FigureVerdict Fits(Interval written, Interval computed)
{
    return Overlap(written, computed) ? FigureVerdict::Consistent : FigureVerdict::Inconsistent;
}

namespace {
// An effect size is often rounded twice, or computed with a small correction of its own: one
// unit of its last decimal more either way is let pass.
Interval WithSlack(Interval written)
{
    const double half = (written.hi - written.lo) / 2;
    return {written.lo - 2 * half, written.hi + 2 * half};
}

Text Joined(const std::vector<Text> &parts, TextView separator)
{
    Text joined;
    for (size_t i = 0; i < parts.size(); ++i)
        joined += (i > 0 ? Text(separator) : Text()) + parts[i];
    return joined;
}
} // namespace

// d with t(df), or with F(1, df2) as t² = F.
void CheckD(FigureContext &c, const Figure &figure)
{
    const TestKind test = c.r.test;
    const bool fromF = test == TestKind::F && c.r.df1.present() && c.Value(c.r.df1) == 1;
    if (test != TestKind::T && !fromF)
        return;
    const Interval statistic = c.Range(c.r.statistic);
    const Interval absT = fromF ? Interval{std::sqrt(std::max(0.0, statistic.lo)),
                                           std::sqrt(std::max(0.0, statistic.hi))}
                                : Magnitude(statistic);
    const double df = fromF ? c.Value(c.r.df2) : c.Df1();
    if (!(df > 0))
        return;
    const Interval written = Magnitude(WithSlack(c.Range(figure.value)));
    const Text said = c.Echo(figure), test_ = c.Statistic();
    const auto report = [&](Interval computed, const Text &gives) {
        const FigureVerdict verdict = Fits(written, computed);
        c.Add(figure, FigureKind::EffectSize, verdict,
              verdict == FigureVerdict::Consistent
                  ? said + Text(u" fits ") + test_ + Text(u": ") + gives
                  : said + Text(u" does not fit ") + test_ + Text(u": ") + gives);
    };
    const Interval dz = DzFromT(absT, df);
    // Welch's degrees of freedom belong to independent groups, where no d_z is computed.
    const bool welch = !fromF && Contains(c.r.df1.plain, u'.');
    if (figure.name == Name::Dz && welch) {
        c.Add(figure, FigureKind::EffectSize, FigureVerdict::Unchecked,
              said + Text(u" stands with Welch's ") + test_ +
                  Text(u", which compares independent groups"));
        return;
    }
    if (figure.name == Name::Dz) {
        report(dz, Text(u"a paired design gives d_z = ") + c.Like(dz, figure.value));
        return;
    }
    const bool paired = figure.name == Name::Dav || c.paired;
    if (paired) {
        const Interval dav{0, 2 * dz.hi};
        report(dav, Text(u"a paired design gives d_av up to ") +
                        c.Like(Interval{dav.hi, dav.hi}, figure.value));
        return;
    }
    if (c.groups) {
        Interval d = DFromT(absT, c.groups->first, c.groups->second);
        Text name = Text(u"d");
        if (figure.name == Name::G) {
            const double j = HedgesJ(df);
            d = {d.lo * j, d.hi * j};
            name = Text(u"g");
        }
        report(d, c.GroupsText() + Text(u" give ") + name + Text(u" = ") + c.Like(d, figure.value));
        return;
    }
    // The design is open: with unequal groups, or an unknown correlation, nearly any d fits.
    const Interval equal = DEqualGroupsFromT(absT, df);
    c.Add(figure, FigureKind::EffectSize, FigureVerdict::Unchecked,
          Text(u"equal groups give d = ") + c.Like(equal, figure.value) +
              Text(u"; paired, d_z = ") + c.Like(dz, figure.value));
}

// η²p, ω²p and R² with F; η² with F where the design is one-way; r² with r; φ and V with χ².
void CheckProportion(FigureContext &c, const Figure &figure)
{
    const TestKind test = c.r.test;
    const Interval written = WithSlack(c.Range(figure.value));
    const Text said = c.Echo(figure), statistic = c.Statistic();
    const auto report = [&](Interval computed, const Text &name) {
        const FigureVerdict verdict = Fits(written, computed);
        c.Add(
            figure, FigureKind::EffectSize, verdict,
            said +
                (verdict == FigureVerdict::Consistent ? Text(u" fits ") : Text(u" does not fit ")) +
                statistic + Text(u": it gives ") + name + Text(u" = ") +
                c.Like(computed, figure.value));
    };
    switch (figure.name) {
    case Name::EtaPartial:
    case Name::Eta:
    case Name::OmegaPartial:
    case Name::RSquared: {
        if (test != TestKind::F || !c.r.df2.present())
            return;
        const Interval f = c.Range(c.r.statistic);
        const double df1 = c.Value(c.r.df1), df2 = c.Value(c.r.df2);
        // Degrees of freedom written with decimals are rounded too: η² over their ends.
        const auto overDegrees = [&](Interval (*of)(Interval, double, double)) {
            Interval all = of(f, df1, df2);
            for (const ScannedFigure *df : {&c.r.df1, &c.r.df2})
                if (Contains(df->plain, u'.'))
                    for (const double end : {c.Range(*df).lo, c.Range(*df).hi}) {
                        const Interval at = df == &c.r.df1 ? of(f, end, df2) : of(f, df1, end);
                        all = {std::min(all.lo, at.lo), std::max(all.hi, at.hi)};
                    }
            return all;
        };
        if (figure.name == Name::OmegaPartial) {
            // Its formula depends on the design (within people it is far smaller than between
            // groups), which one F does not tell: what a one-way design between groups gives is
            // said, not held against it.
            const Interval omega = overDegrees(&OmegaSquaredFromF);
            c.Add(figure, FigureKind::EffectSize, FigureVerdict::Unchecked,
                  Text(u"\u03c9\u00b2p depends on the design; a one-way design between groups "
                       u"gives ") +
                      c.Like(omega, figure.value));
            return;
        }
        const Interval eta = overDegrees(&EtaSquaredFromF);
        if (figure.name == Name::Eta && !c.oneWay) {
            c.Add(figure, FigureKind::EffectSize, FigureVerdict::Unchecked,
                  Text(u"\u03b7\u00b2 cannot be checked from one F where the design may hold "
                       u"several effects; as \u03b7\u00b2p it would be ") +
                      c.Like(eta, figure.value));
            return;
        }
        report(eta, figure.name == Name::RSquared ? Text(u"R\u00b2")
                    : figure.name == Name::Eta    ? Text(u"\u03b7\u00b2")
                                                  : Text(u"\u03b7\u00b2p"));
        return;
    }
    case Name::SmallRSquared: {
        if (test != TestKind::R)
            return;
        const Interval r = Magnitude(c.Range(c.r.statistic));
        report({r.lo * r.lo, std::min(1.0, r.hi * r.hi)}, Text(u"r\u00b2"));
        return;
    }
    case Name::Phi:
    case Name::V: {
        if (test != TestKind::ChiSquare)
            return;
        const std::optional<double> n = c.r.n.present() ? std::optional(c.Value(c.r.n))
                                        : c.totalN      ? std::optional(c.Value(c.totalN->value))
                                                        : std::nullopt;
        if (!n || !(*n > 0)) {
            c.Add(figure, FigureKind::EffectSize, FigureVerdict::Unchecked,
                  said + Text(u" needs the sample size N, which the result does not give"));
            return;
        }
        const Interval chi = c.Range(c.r.statistic);
        if (figure.name == Name::Phi) {
            report(PhiFromChiSquare(chi, *n), Text(u"\u03c6"));
            return;
        }
        // V for every table the degrees of freedom allow: m = min(rows, columns) − 1.
        const double df = c.Df1();
        std::vector<Text> gives;
        FigureVerdict verdict = FigureVerdict::Inconsistent;
        for (int m = 1; m * m <= df; ++m) {
            if (std::fmod(df, m) != 0)
                continue;
            const Interval v = PhiFromChiSquare(chi, *n, m);
            if (Overlap(written, v))
                verdict = FigureVerdict::Consistent;
            gives.push_back(c.Like(v, figure.value) + Text(u" (") + Number(m + 1) +
                            Text(u" \u00d7 ") + Number(int(df / m) + 1) + Text(u")"));
        }
        c.Add(
            figure, FigureKind::EffectSize, verdict,
            said +
                (verdict == FigureVerdict::Consistent ? Text(u" fits ") : Text(u" does not fit ")) +
                statistic + Text(u": it gives V = ") + Joined(gives, u" or "));
        return;
    }
    default:
        return;
    }
}

} // namespace engine
