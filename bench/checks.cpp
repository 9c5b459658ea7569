// Time of the figure checks for each window's worked example; the bar is well under 10 ms.
#include "anova/anovachecks.h"
#include "chisquare/chisquarechecks.h"
#include "correlation/correlationchecks.h"
#include "ttestdep/ttestdepchecks.h"
#include "ttestindep/ttestindepchecks.h"

#include <QElapsedTimer>
#include <cstdio>
#include <functional>

using namespace Qt::Literals::StringLiterals;

int main()
{
    ChiSquareFields chi{u"Gender"_s,     u"Smoking"_s, u"male"_s, u"female"_s, u"smoker"_s,
                        u"non-smoker"_s, u"100"_s,     u"48"_s,   u"52"_s,     u"30"_s,
                        u"70"_s,         u".05"_s,     u"4.32"_s, u".038"_s};
    TTestDepFields dep{u"pretest"_s, u"posttest"_s,      u"24.5"_s, u"20.1"_s, u"5.2"_s,  u"4.8"_s,
                       u"30"_s,      u"anxiety score"_s, u".05"_s,  u"29"_s,   u"3.12"_s, u".004"_s,
                       u"2"_s};
    TTestIndepFields indep{u"Treatment"_s, u"Control"_s, u"12.5"_s, u"10.2"_s, u"2.1"_s,
                           u"2.3"_s,       u"20"_s,      u"22"_s,   u"42"_s,   u"anxiety"_s,
                           u"0.05"_s,      u"2"_s,       u"40"_s,   u"3.37"_s, u"0.002"_s};
    CorrelationFields correlation{u"study time"_s, u"exam score"_s, u"40"_s,  u".05"_s,
                                  u"2"_s,          u"38"_s,         u".45"_s, u".004"_s};
    AnovaFields anova{u"teaching method"_s,
                      u"exam score"_s,
                      {{u"Lecture"_s, u"70.2"_s, u"8.1"_s, u"20"_s},
                       {u"Seminar"_s, u"75.6"_s, u"7.4"_s, u"20"_s},
                       {u"Online"_s, u"68.9"_s, u"9.0"_s, u"20"_s}},
                      u"60"_s,
                      u"2"_s,
                      u"57"_s,
                      u".05"_s,
                      u"3.76"_s,
                      u".029"_s};
    const std::pair<const char *, std::function<Findings()>> windows[] = {
        {"chi-square", [&] { return CheckChiSquareFigures(chi); }},
        {"dependent", [&] { return CheckTTestDepFigures(dep); }},
        {"independent", [&] { return CheckTTestIndepFigures(indep); }},
        {"correlation", [&] { return CheckCorrelationFigures(correlation); }},
        {"anova", [&] { return CheckAnovaFigures(anova); }},
    };
    constexpr int Runs = 200;
    for (const auto &[name, check] : windows) {
        QElapsedTimer timer;
        timer.start();
        qsizetype lines = 0;
        for (int i = 0; i < Runs; ++i)
            lines += check().size();
        std::printf("%-12s %.3f ms per check (%lld lines)\n", name,
                    timer.nsecsElapsed() / 1e6 / Runs, static_cast<long long>(lines / Runs));
    }
}
