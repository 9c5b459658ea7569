#include "engine/figurecheck.h"

#include "engine/figurecontext.h"
#include "engine/verdicts.h"

#include <algorithm>
#include <cmath>

namespace engine {

using namespace textreading;
using namespace figurereading;

void FigureContext::Add(const Figure &figure, FigureKind kind, FigureVerdict verdict,
                        const Text &message)
{
    Text quote(Mid(text, figure.begin, figure.end - figure.begin));
    for (char16_t &ch : quote)
        if (IsLineEnd(ch))
            ch = u' ';
    findings.push_back({place(figure.begin, figure.end), quote, kind, verdict, message});
}

Interval FigureContext::Range(const ScannedFigure &figure) const
{
    return *Rounded(figure.plain, PointNotation());
}

double FigureContext::Value(const ScannedFigure &figure) const
{
    return ReadPlain(figure);
}

double FigureContext::Df1() const
{
    return r.dfFromN ? Value(r.n) - 2 : Value(r.df1);
}

Text FigureContext::Statistic() const
{
    return ResultStatistic(text, r, decimalComma);
}

Text FigureContext::Echo(const Figure &figure) const
{
    Text name;
    switch (figure.name) {
    case Name::D:
        name = u"d";
        break;
    case Name::Dz:
        name = u"d_z";
        break;
    case Name::Dav:
        name = u"d_av";
        break;
    case Name::G:
        name = u"g";
        break;
    case Name::EtaPartial:
        name = u"\u03b7\u00b2p";
        break;
    case Name::Eta:
        name = u"\u03b7\u00b2";
        break;
    case Name::OmegaPartial:
        name = u"\u03c9\u00b2p";
        break;
    case Name::RSquared:
        name = u"R\u00b2";
        break;
    case Name::SmallRSquared:
        name = u"r\u00b2";
        break;
    case Name::Phi:
        name = u"\u03c6";
        break;
    case Name::V:
        name = u"V";
        break;
    default:
        // b, β, SE, OR, N, M as written.
        name = Text(Mid(text, figure.begin, figure.value.begin - figure.begin));
        while (!name.empty() &&
               (IsUnicodeSpace(name.back()) || name.back() == u'=' || name.back() == 0x00BC))
            name.pop_back();
    }
    const Text written =
        Replaced(Replaced(Mid(text, figure.value.begin, figure.value.end - figure.value.begin),
                          0x2212, u'-'),
                 0x2013, u'-');
    return name + Text(u" = ") + EchoFigure(written, TextNotation(decimalComma));
}

Text FigureContext::Number(double value, int decimals, bool leadingZero) const
{
    const Notation &notation = TextNotation(decimalComma);
    const Text shown = FormatFixed(value, decimals, notation);
    return EchoFigure(leadingZero ? shown : WithoutLeadingZero(shown, notation), notation);
}

Text FigureContext::Like(Interval value, const ScannedFigure &written) const
{
    const Text plain = written.plain;
    const size_t point = plain.find(u'.');
    const int decimals = point == Text::npos ? 2 : std::max<int>(2, int(plain.size() - point - 1));
    const bool leadingZero = !(plain.starts_with(u'.') || plain.starts_with(Text(u"-.")));
    const double unit = std::pow(10.0, -decimals);
    if (value.hi - value.lo > unit)
        return Number(value.lo, decimals, leadingZero) + Text(u" to ") +
               Number(value.hi, decimals, leadingZero);
    return Number((value.lo + value.hi) / 2, decimals, leadingZero);
}

Text FigureContext::GroupsText() const
{
    const auto whole = [](double n) { return engine::Number(std::llround(n)); };
    return Text(u"n\u2081 = ") + whole(groups->first) + Text(u" and n\u2082 = ") +
           whole(groups->second);
}

namespace {
bool Is(const Figure &figure, std::initializer_list<Name> names)
{
    return std::find(names.begin(), names.end(), figure.name) != names.end();
}

// Whether only blanks and punctuation of a list stand between two places.
bool Adjacent(const Reader &reader, Index from, Index to)
{
    if (to < from || to - from > 12)
        return false;
    for (Index i = from; i < to; ++i) {
        const char16_t ch = reader.at(i);
        if (!IsBlank(ch) && ch != u',' && ch != u';' && ch != u'(' && ch != u':')
            return false;
    }
    return true;
}

// Where the parenthesis that holds `at` opens, within `from`; -1 where none does.
Index OpeningBracket(const Reader &reader, Index from, Index at)
{
    for (Index i = at - 1; i >= from; --i) {
        if (reader.at(i) == u')')
            return -1;
        if (reader.at(i) == u'(')
            return i;
    }
    return -1;
}
} // namespace

std::vector<FigureFinding> CheckFigures(TextView text, const ScannedResult &r,
                                        const FoundResult &found, const Stretch &stretch,
                                        const CheckSettings &settings, bool decimalComma,
                                        const PlaceOf &place)
{
    // A statistic that cannot be read lends nothing to check against.
    const double statistic = ReadPlain(r.statistic);
    if (!std::isfinite(statistic) || (r.test == TestKind::R && std::abs(statistic) > 1) ||
        (r.test != TestKind::T && r.test != TestKind::R && r.test != TestKind::Z &&
         statistic < 0) ||
        (r.df1.present() && !(ReadPlain(r.df1) > 0)) ||
        (r.df2.present() && !(ReadPlain(r.df2) > 0)))
        return {};
    const Reader reader(text, decimalComma);
    // The sentence, but no further than a bounded reach around the result: a text without
    // sentence ends (a table, a run of lowercase) must not be read once for each of its results.
    constexpr Index Reach = 600;
    const Index from = std::max(stretch.sentenceBegin, r.begin - Reach);
    const Index to = std::min(stretch.sentenceEnd, r.end + Reach);
    const std::vector<Figure> figures = ReadFigures(reader, from, to);
    FigureContext c{text, reader, r, found, stretch, place, decimalComma, false, false, {}, {}, {}};
    c.paired = NamesPairedDesign(reader, from, to);
    c.oneWay = NamesOneWayDesign(reader, from, to);

    // A figure is this result's where it follows the statistic within the stretch, or precedes
    // it with no other result before it in the sentence.
    const bool afterAnother = stretch.begin > stretch.sentenceBegin;
    const Index statisticEnd = r.statistic.end;
    const auto after = [&](const Figure &f) {
        return f.begin >= statisticEnd && f.end <= stretch.end;
    };
    const auto before = [&](const Figure &f) {
        return f.begin >= stretch.begin && f.end <= r.begin;
    };
    const auto own = [&](const Figure &f) { return after(f) || (before(f) && !afterAnother); };
    // Figures chained to a p by commas alone ("p = .031, b = 0.12, 95% CI = [0.02, 0.22]") are
    // that result's; after words ("but down for the second (b = −0.18, SE = 0.10), t(60) = −1.80")
    // an estimate is the next result's.
    const auto chained = [&](Index from) {
        std::vector<const Figure *> chain;
        Index end = from;
        for (const Figure &f : figures) {
            if (f.begin < from)
                continue;
            if (!Adjacent(reader, end, f.begin))
                break;
            chain.push_back(&f);
            end = f.end;
        }
        return chain;
    };
    const std::vector<const Figure *> afterP = chained(r.end);
    const std::vector<const Figure *> afterPrevious =
        afterAnother ? chained(stretch.begin) : std::vector<const Figure *>{};
    const auto ownEstimate = [&](const Figure &f) {
        return (before(f) &&
                std::find(afterPrevious.begin(), afterPrevious.end(), &f) == afterPrevious.end()) ||
               (f.begin >= statisticEnd && f.end <= r.end) ||
               std::find(afterP.begin(), afterP.end(), &f) != afterP.end();
    };
    const auto owns = [&](const Figure &f) {
        return f.name == Name::Estimate || f.name == Name::Ratio || f.name == Name::StandardError
                   ? ownEstimate(f)
                   : own(f);
    };
    const Index bracket = OpeningBracket(reader, stretch.begin, r.begin);

    // The sample: an N of the result's own (after its statistic, or in the parenthesis that holds
    // it), "n = 40 per group", n₁ and n₂, or two n's in the sentence before the statistic.
    const Figure *group1 = nullptr, *group2 = nullptr, *lastN = nullptr;
    std::vector<const Figure *> smallNs;
    for (const Figure &f : figures) {
        if (f.name == Name::TotalN &&
            (after(f) || (bracket >= 0 && f.begin > bracket && f.end <= r.begin)))
            c.totalN = f;
        if (f.name == Name::SmallN && f.perGroup &&
            (own(f) || (bracket >= 0 && f.begin > bracket))) {
            c.groups = std::pair{c.Value(f.value), c.Value(f.value)};
            lastN = &f;
        }
        if (f.name == Name::GroupN1 && f.begin < statisticEnd)
            group1 = &f;
        if (f.name == Name::GroupN2 && f.begin < statisticEnd)
            group2 = &f;
        if (f.name == Name::SmallN && !f.perGroup && f.end <= r.begin)
            smallNs.push_back(&f);
    }
    if (group1 && group2) {
        c.groups = std::pair{c.Value(group1->value), c.Value(group2->value)};
        lastN = group2->begin > group1->begin ? group2 : group1;
    } else if (!c.groups && smallNs.size() == 2) {
        c.groups = std::pair{c.Value(smallNs[0]->value), c.Value(smallNs[1]->value)};
        lastN = smallNs[1];
    }

    // An effect size before the statistic is its only where none follows it: a sentence cut by a
    // converter may begin with the previous result's.
    const bool effectAfter = std::any_of(figures.begin(), figures.end(), [&](const Figure &f) {
        return after(f) &&
               !Is(f, {Name::Estimate, Name::Ratio, Name::StandardError, Name::Mean, Name::Sd,
                       Name::TotalN, Name::SmallN, Name::GroupN1, Name::GroupN2, Name::Interval});
    });
    for (Index i = 0; i < Index(figures.size()); ++i) {
        const Figure &f = figures.at(i);
        if (!owns(f) && f.name != Name::Interval)
            continue;
        const bool effect =
            !Is(f, {Name::Estimate, Name::Ratio, Name::StandardError, Name::Interval});
        if (effect && effectAfter && before(f))
            continue;
        if (Is(f, {Name::D, Name::Dz, Name::Dav, Name::G}))
            CheckD(c, f);
        else if (Is(f, {Name::EtaPartial, Name::Eta, Name::OmegaPartial, Name::RSquared,
                        Name::SmallRSquared, Name::Phi, Name::V}))
            CheckProportion(c, f);
        else if (f.name == Name::Interval) {
            // The interval of the figure right before it; else, right after the statistic or its
            // p, of the test's own effect.
            const Figure *before = i > 0 && Adjacent(reader, figures.at(i - 1).end, f.begin)
                                       ? &figures.at(i - 1)
                                       : nullptr;
            // After a mean, an SD, an SE or a sample size the interval is a mean's or another
            // quantity's: not the test's.
            if (before && Is(*before, {Name::Mean, Name::Sd, Name::StandardError, Name::TotalN,
                                       Name::SmallN, Name::GroupN1, Name::GroupN2, Name::Interval}))
                continue;
            const Figure *estimate = before && owns(*before) ? before : nullptr;
            if (estimate || (!before && own(f) &&
                             (Adjacent(reader, statisticEnd, f.begin) ||
                              (r.p.present() && Adjacent(reader, r.p.end, f.begin)))))
                CheckInterval(c, f, estimate);
        } else if (f.name == Name::StandardError && i > 0 &&
                   Is(figures.at(i - 1), {Name::Estimate, Name::Ratio}) &&
                   Adjacent(reader, figures.at(i - 1).end, f.begin) && owns(figures.at(i - 1))) {
            CheckRatio(c, figures.at(i - 1), f);
        }
    }
    if (c.totalN)
        CheckDegrees(c, *c.totalN);
    else if (c.groups && lastN)
        CheckGroupDegrees(c, *lastN);

    if (settings.wholeNumberScores) {
        // Each mean with the n and SD of its own parenthesis or list.
        for (Index i = 0; i < Index(figures.size()); ++i) {
            const Figure &mean = figures.at(i);
            if (mean.name != Name::Mean || mean.begin < stretch.begin || mean.end > stretch.end)
                continue;
            const Figure *n = nullptr, *sd = nullptr;
            for (Index k = i + 1; k < Index(figures.size()) && figures.at(k).begin - mean.end < 80;
                 ++k) {
                const Figure &next = figures.at(k);
                if (next.name == Name::Mean ||
                    Contains(Mid(text, mean.end, next.begin - mean.end), u')'))
                    break;
                if (next.name == Name::Sd && !sd)
                    sd = &next;
                if ((next.name == Name::SmallN || next.name == Name::TotalN) && !n)
                    n = &next;
            }
            if (n)
                CheckWholeNumbers(c, mean, *n, sd, std::max(1, settings.items));
        }
    }
    std::sort(c.findings.begin(), c.findings.end(),
              [](const FigureFinding &a, const FigureFinding &b) {
                  return a.place.offset < b.place.offset;
              });
    return c.findings;
}

} // namespace engine
