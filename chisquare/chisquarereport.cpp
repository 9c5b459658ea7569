#include "chisquare/chisquarereport.h"

#include "common/fieldtext.h"
#include "common/wording.h"

using namespace Qt::Literals::StringLiterals;

QString ComposeChiSquareReport(const ChiSquareFields &fields)
{
    const QString C1 = TrimSpaces(fields.c1Name);
    const QString C2 = TrimSpaces(fields.c2Name);
    const QString C1L1 = TrimSpaces(fields.c1L1);
    const QString C1L2 = TrimSpaces(fields.c1L2);
    const QString C2L1 = TrimSpaces(fields.c2L1);
    const QString C2L2 = TrimSpaces(fields.c2L2);
    const QString N = TrimSpaces(fields.totalSampleSize);
    const QString C1L1Cnt = TrimSpaces(fields.c1L1Count);
    const QString C1L2Cnt = TrimSpaces(fields.c1L2Count);
    const QString C2L1Cnt = TrimSpaces(fields.c2L1Count);
    const QString C2L2Cnt = TrimSpaces(fields.c2L2Count);
    const QString A = TrimSpaces(fields.alpha);
    const QString X = TrimSpaces(fields.chiSquare);
    const QString P = TrimSpaces(fields.pValue);

    QString option1 = JoinPieces({
        u"<u>Option 1</u><br>"_s,
        u"A chi-square test was used to analyze the data (&#945; = "_s,
        A,
        u"). The results suggest a"_s,
    });
    QString option2 = JoinPieces({
        u"<br><br><u>Option 2</u><br>"_s,
        u"This study included "_s,
        C1,
        u"("_s,
        C1L1Cnt,
        u" "_s,
        C1L1,
        u" and "_s,
        C1L2Cnt,
        u" "_s,
        C1L2,
        u") and "_s,
        C2,
        u"("_s,
        C2L1Cnt,
        u" "_s,
        C2L1,
        u" and "_s,
        C2L2Cnt,
        u" "_s,
        C2L2,
        u")."_s,
        u" A 2X2 chi-square test of independence was used to determine if "_s,
        C1,
        u" is dependent on "_s,
        C2,
        u". Given &#945; = "_s,
        A,
        u", the results suggest"_s,
    });

    if (!IsSignificant(fields.pValue, fields.alpha)) {
        option1 += u" lack of"_s;
        option2 += u" lack of"_s;
    }

    option1 += JoinPieces({
        u" significant association between "_s,
        C1,
        u" and "_s,
        C2,
        u", &#967;<sup>2</sup>(1, <i>N</i> = "_s,
        N,
        u") = "_s,
        X,
        u", <i>p</i> = "_s,
        P,
        u"."_s,
    });
    option2 += JoinPieces({
        u" dependency"_s,
        u", &#967;<sup>2</sup>(1, <i>N</i> = "_s,
        N,
        u") = "_s,
        X,
        u", <i>p</i> = "_s,
        P,
        u"."_s,
    });

    return option1 + option2;
}
