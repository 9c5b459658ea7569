#include "anova/anovareport.h"

#include "common/fieldtext.h"
#include "common/wording.h"

#include <functional>

using namespace Qt::Literals::StringLiterals;

namespace {
struct Group {
    QString Name, Mean, SD, Size;
};

// "A and B" for two items; "A, B, and C" (with the serial comma) for more.
QString Series(const QList<Group> &groups, const std::function<QString(const Group &)> &item)
{
    QString joined;
    for (qsizetype i = 0; i < groups.size(); ++i) {
        if (i > 0)
            joined +=
                groups.size() == 2 ? u" and "_s : (i == groups.size() - 1 ? u", and "_s : u", "_s);
        joined += item(groups.at(i));
    }
    return joined;
}

QString CountWord(qsizetype count)
{
    static const QStringList words = {u"two"_s, u"three"_s, u"four"_s};
    return count >= 2 && count <= 4 ? words.at(count - 2) : QString::number(count);
}

double MeanOf(const Group &group)
{
    return TextToNumber(group.Mean).value_or(0);
}

// The highest mean is the first of the largest; the lowest the first of the smallest among the
// others, so that two different groups are named even when means are tied.
std::pair<qsizetype, qsizetype> HighestAndLowest(const QList<Group> &groups)
{
    qsizetype high = 0;
    for (qsizetype i = 1; i < groups.size(); ++i)
        if (MeanOf(groups.at(i)) > MeanOf(groups.at(high)))
            high = i;
    qsizetype low = high == 0 ? 1 : 0;
    for (qsizetype i = 0; i < groups.size(); ++i)
        if (i != high && MeanOf(groups.at(i)) < MeanOf(groups.at(low)))
            low = i;
    return {high, low};
}
} // namespace

bool GroupInUse(const AnovaGroup &group)
{
    return PassesNameTest(group.name) || PassesNameTest(group.mean) ||
           PassesNameTest(group.stdDev) || PassesNameTest(group.sampleSize);
}

QString ComposeAnovaReport(const AnovaFields &fields)
{
    const QString Factor = TrimSpaces(fields.factorName);
    const QString DepVar = TrimSpaces(fields.depVarName);
    QList<Group> groups;
    for (const AnovaGroup &group : fields.groups)
        groups.append({TrimSpaces(group.name), TrimSpaces(group.mean), TrimSpaces(group.stdDev),
                       TrimSpaces(group.sampleSize)});
    const QString Total = TrimSpaces(fields.totalSampleSize);
    const QString DF1 = TrimSpaces(fields.dfBetween);
    const QString DF2 = TrimSpaces(fields.dfWithin);
    const QString Alpha = TrimSpaces(fields.alpha);
    const QString F = TrimSpaces(fields.fStatistic);
    const QString P = TrimSpaces(fields.pValue);
    const QString Count = CountWord(groups.size());
    const QString GroupsWithN = Series(groups, [](const Group &g) {
        return JoinPieces({g.Name, u" (<i>n</i> = "_s, g.Size, u")"_s});
    });
    const QString GroupsWithFigures = Series(groups, [](const Group &g) {
        return JoinPieces({g.Name, u" (<i>n</i> = "_s, g.Size, u", <i>M</i> = "_s, g.Mean,
                           u", <i>SD</i> = "_s, g.SD, u")"_s});
    });
    const QString FTest = JoinPieces(
        {u", <i>F</i>("_s, DF1, u", "_s, DF2, u") = "_s, F, u", <i>p</i> = "_s, P, u"."_s});

    QString option1 = JoinPieces({
        u"<u>Option 1</u><br>"_s,
        u"A one-way analysis of variance (ANOVA) was used to compare the mean "_s,
        DepVar,
        u" across the "_s,
        Count,
        u" levels of "_s,
        Factor,
        u": "_s,
        GroupsWithN,
        u"."_s,
        u" The Type I error rate was set at &#945; = "_s,
        Alpha,
        u"."_s,
        u" The results suggest that "_s,
        Factor,
        u" had"_s,
    });
    QString option2 = JoinPieces({
        u"<br><br><u>Option 2</u><br>"_s,
        u"The mean "_s,
        DepVar,
        u" for "_s,
        GroupsWithFigures,
        u" was compared using a one-way ANOVA with "_s,
        Factor,
        u" as the between-subjects factor and &#945; = "_s,
        Alpha,
        u"."_s,
    });
    QString option3 = JoinPieces({
        u"<br><br><u>Option 3</u><br>"_s,
        u"The total sample of <i>N</i> = "_s,
        Total,
        u" comprised "_s,
        Count,
        u" groups defined by "_s,
        Factor,
        u": "_s,
        GroupsWithN,
        u"."_s,
        u" The interest was in determining whether the groups differed in their mean "_s,
        DepVar,
        u"."_s,
        u" As such, a one-way ANOVA (&#945; = "_s,
        Alpha,
        u") was used to compare the means."_s,
        u" The results were"_s,
    });

    if (IsSignificant(fields.pValue, fields.alpha)) {
        const auto [high, low] = HighestAndLowest(groups);
        const Group &Highest = groups.at(high), &Lowest = groups.at(low);
        // Of two groups one mean is the higher, not the highest.
        const QString Most = groups.size() == 2 ? u"higher"_s : u"highest"_s;
        const QString Least = groups.size() == 2 ? u"lower"_s : u"lowest"_s;
        option1 += JoinPieces({
            u" a significant effect on "_s,
            DepVar,
            u", which was "_s,
            Most,
            u" for "_s,
            Highest.Name,
            u" (<i>M</i> = "_s,
            Highest.Mean,
            u", <i>SD</i> = "_s,
            Highest.SD,
            u") and "_s,
            Least,
            u" for "_s,
            Lowest.Name,
            u" (<i>M</i> = "_s,
            Lowest.Mean,
            u", <i>SD</i> = "_s,
            Lowest.SD,
            u")"_s,
            FTest,
        });
        option2 += JoinPieces({
            u" The groups differed significantly in "_s,
            DepVar,
            u", with the "_s,
            Most,
            u" mean for "_s,
            Highest.Name,
            u" and the "_s,
            Least,
            u" for "_s,
            Lowest.Name,
            FTest,
        });
        option3 += JoinPieces({
            u" significant: "_s,
            Highest.Name,
            u" had the "_s,
            Most,
            u" mean "_s,
            DepVar,
            u" (<i>M</i> = "_s,
            Highest.Mean,
            u", <i>SD</i> = "_s,
            Highest.SD,
            u") and "_s,
            Lowest.Name,
            u" the "_s,
            Least,
            u" (<i>M</i> = "_s,
            Lowest.Mean,
            u", <i>SD</i> = "_s,
            Lowest.SD,
            u")"_s,
            FTest,
        });
    } else {
        option1 += JoinPieces({
            u" no significant effect on "_s,
            DepVar,
            FTest,
        });
        option2 += JoinPieces({
            u" The groups did not differ significantly in "_s,
            DepVar,
            FTest,
        });
        option3 += JoinPieces({
            u" not significant."_s,
            u" There is not enough evidence to conclude that the groups differ in their mean "_s,
            DepVar,
            FTest,
        });
    }

    return option1 + option2 + option3;
}
