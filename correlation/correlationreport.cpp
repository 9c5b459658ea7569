#include "correlation/correlationreport.h"

#include "common/fieldtext.h"
#include "common/wording.h"

using namespace Qt::Literals::StringLiterals;

QString ComposeCorrelationReport(const CorrelationFields &fields)
{
    const QString Name1 = TrimSpaces(fields.variable1Name);
    const QString Name2 = TrimSpaces(fields.variable2Name);
    const QString Total = TrimSpaces(fields.totalSampleSize);
    const QString Alpha = TrimSpaces(fields.alpha);
    const QString DF = TrimSpaces(fields.degreesOfFreedom);
    const QString R = TrimSpaces(fields.rCoefficient);
    const QString P = TrimSpaces(fields.pValue);
    const QString Tail = TailWord(fields.tails);
    // Every wording ends on the statistic.
    const QString statistic = JoinPieces({
        u", <i>r</i>("_s,
        DF,
        u") = "_s,
        R,
        u", <i>p</i> = "_s,
        P,
        u"."_s,
    });

    // Formal.
    QString option1 = JoinPieces({
        u"<u>Option 1</u><br>"_s,
        u"A"_s,
        Tail,
        u" Pearson product-moment correlation was computed to assess the relationship between "_s,
        Name1,
        u" and "_s,
        Name2,
        u" (<i>N</i> = "_s,
        Total,
        u")."_s,
        u" The Type I error rate was set at alpha = "_s,
        Alpha,
        u". The results indicate"_s,
    });
    // Plain.
    QString option2 = JoinPieces({
        u"<br><br><u>Option 2</u><br>"_s,
        u"The relationship between "_s,
        Name1,
        u" and "_s,
        Name2,
        u" (<i>N</i> = "_s,
        Total,
        u") was tested with a"_s,
        Tail,
        u" Pearson correlation at &#945; = "_s,
        Alpha,
        u". The two variables were"_s,
    });
    // The sample first.
    QString option3 = JoinPieces({
        u"<br><br><u>Option 3</u><br>"_s,
        u"The total sample size was <i>N</i> = "_s,
        Total,
        u". A"_s,
        Tail,
        u" Pearson correlation (&#945; = "_s,
        Alpha,
        u") was used to examine whether "_s,
        Name1,
        u" and "_s,
        Name2,
        u" were related. The correlation was"_s,
    });

    if (IsSignificant(fields.pValue, fields.alpha)) {
        const QString Direction = CorrelationDirectionWord(R);
        const QString Trend = CorrelationTrendWord(R);
        option1 += JoinPieces({
            u" a significant"_s,
            Direction,
            u" correlation between "_s,
            Name1,
            u" and "_s,
            Name2,
            statistic,
        });
        option2 += JoinPieces({
            u" significantly related: higher "_s,
            Name1,
            u" went with"_s,
            Trend,
            u" "_s,
            Name2,
            statistic,
        });
        option3 += JoinPieces({
            u" significant and"_s,
            Direction,
            statistic,
        });
    } else {
        option1 += JoinPieces({
            u" no significant correlation between "_s,
            Name1,
            u" and "_s,
            Name2,
            statistic,
        });
        option2 += JoinPieces({
            u" not significantly related"_s,
            statistic,
        });
        option3 += JoinPieces({
            u" not significant"_s,
            statistic,
        });
    }

    return option1 + option2 + option3;
}
