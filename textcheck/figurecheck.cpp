#include "textcheck/figurecheck.h"

QList<FigureFinding> CheckFigures(QStringView, const ScannedResult &, const FoundResult &,
                                  const Stretch &, const CheckSettings &, bool, const PlaceOf &)
{
    return {};
}
