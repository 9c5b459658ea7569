#include "ttestdep/ttestdepreport.h"

#include "common/fieldtext.h"
#include "common/wording.h"

using namespace Qt::Literals::StringLiterals;

QString ComposeTTestDepReport(const TTestDepFields &fields)
{
    const QString Name1 = TrimSpaces(fields.level1Name);
    const QString Name2 = TrimSpaces(fields.level2Name);
    const QString Mean1 = TrimSpaces(fields.level1Mean);
    const QString Mean2 = TrimSpaces(fields.level2Mean);
    const QString SD1 = TrimSpaces(fields.level1StdDev);
    const QString SD2 = TrimSpaces(fields.level2StdDev);
    const QString Total = TrimSpaces(fields.totalSampleSize);
    const QString DepVar = TrimSpaces(fields.depVarName);
    const QString Alpha = TrimSpaces(fields.alpha);
    const QString DF = TrimSpaces(fields.degreesOfFreedom);
    const QString T = TrimSpaces(fields.tStatistic);
    const QString P = TrimSpaces(fields.pValue);
    const QString Tail = TailWord(fields.tails);

    QString option1 = JoinPieces({
        u"<u>Option 1</u><br>"_s,
        u"A"_s,
        Tail,
        u" dependent samples <i>t</i>-test was used to compare"_s,
        u" the mean difference in "_s,
        DepVar,
        u" between "_s,
        Name1,
        u" and "_s,
        Name2,
        u", (<i>N</i> = "_s,
        Total,
        u")."_s,
        u" The Type I error rate was set at alpha = "_s,
        Alpha,
        u". The results suggest"_s,
    });
    QString option2 = JoinPieces({
        u"<br><br><u>Option 2</u><br>"_s,
        u"The mean "_s,
        DepVar,
        u" for "_s,
        Name1,
        u" and "_s,
        Name2,
        u" (<i>N</i> = "_s,
        Total,
        u") was statistically compared using a "_s,
        Tail,
        u" dependent sample <i>t</i>-test at &#945"_s,
        u" = "_s,
        Alpha,
        u". The results suggest that average "_s,
        Name1,
        u" scores (<i>M</i> = "_s,
        Mean1,
        u", <i>SD</i> = "_s,
        SD1,
        u")"_s,
    });
    QString option3 = JoinPieces({
        u"<br><br><u>Option 3</u><br>"_s,
        u"The total sample size was <i>N</i> = "_s,
        Total,
        u". The interest was in determining a significant mean difference between "_s,
        Name1,
        u" and "_s,
        Name2,
        u" in terms of "_s,
        DepVar,
        u". As such, a"_s,
        Tail,
        u" dependent samples <i>t</i>-test (&#945"_s,
        u" = "_s,
        Alpha,
        u") was used to compare the means. The results were"_s,
    });

    if (IsSignificant(fields.pValue, fields.alpha)) {
        const QString Direction = DirectionWord(Mean1, Mean2);
        option1 += JoinPieces({
            u" that the average "_s,
            DepVar,
            u" is"_s,
            Direction,
            u" for "_s,
            Name1,
            u" (<i>M</i> = "_s,
            Mean1,
            u", <i>SD</i> = "_s,
            SD1,
            u")"_s,
            u" than for "_s,
            Name2,
            u" (<i>M</i> = "_s,
            Mean2,
            u", <i>SD</i> = "_s,
            SD2,
            u"),"_s,
            u" <i>t</i>("_s,
            DF,
            u") = "_s,
            T,
            u", <i>p</i> = "_s,
            P,
            u"."_s,
        });
        option2 += JoinPieces({
            u" are significantly"_s,
            Direction,
            u" than average "_s,
            Name2,
            u" scores (<i>M</i> = "_s,
            Mean2,
            u", <i>SD</i> = "_s,
            SD2,
            u"),"_s,
            u" <i>t</i>("_s,
            DF,
            u") = "_s,
            T,
            u", <i>p</i> = "_s,
            P,
            u"."_s,
        });
        option3 += JoinPieces({
            u" significant."_s,
            u" <i>t</i>("_s,
            DF,
            u") = "_s,
            T,
            u", <i>p</i> = "_s,
            P,
            u". The conclusion is that "_s,
            Name1,
            u" scores (<i>M</i> = "_s,
            Mean1,
            u", <i>SD</i> = "_s,
            SD1,
            u") are "_s,
            Direction,
            u" than "_s,
            Name2,
            u" scores (<i>M</i> = "_s,
            Mean2,
            u", <i>SD</i> = "_s,
            SD2,
            u"),"_s,
            u" <i>t</i>("_s,
            DF,
            u") = "_s,
            T,
            u", <i>p</i> = "_s,
            P,
            u"."_s,
        });
    } else {
        option1 += JoinPieces({
            u" no significant difference between "_s,
            Name1,
            u" (<i>M</i> = "_s,
            Mean1,
            u", <i>SD</i> = "_s,
            SD1,
            u")"_s,
            u" and "_s,
            Name2,
            u" (<i>M</i> = "_s,
            Mean2,
            u", <i>SD</i> = "_s,
            SD2,
            u"),"_s,
            u" <i>t</i>("_s,
            DF,
            u") = "_s,
            T,
            u", <i>p</i> = "_s,
            P,
            u"."_s,
        });
        option2 += JoinPieces({
            u" and average "_s,
            Name2,
            u" scores (<i>M</i> = "_s,
            Mean2,
            u", <i>SD</i> = "_s,
            SD2,
            u") are not significantly different, "_s,
            u"<i>p</i> = "_s,
            P,
            u"."_s,
        });
        option3 += JoinPieces({
            u" not significant."_s,
            u" There is not enough evidence to conclude that "_s,
            Name1,
            u" scores (<i>M</i> = "_s,
            Mean1,
            u", <i>SD</i> = "_s,
            SD1,
            u") are any different from "_s,
            Name2,
            u" scores (<i>M</i> = "_s,
            Mean2,
            u", <i>SD</i> = "_s,
            SD2,
            u")"_s,
            u", <i>t</i>("_s,
            DF,
            u") = "_s,
            T,
            u", <i>p</i> = "_s,
            P,
            u"."_s,
        });
    }

    return option1 + option2 + option3;
}
