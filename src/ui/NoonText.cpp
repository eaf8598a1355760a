// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/NoonText.h"

#include "lang/TLang.h"
#include "model/ClockText.h"

QString noonToGoOutText(TLang &lang, const TLogic &logic, const TLogic::PlaceNoon &noon) {
    const QString clock = ClockText(noon.hour, noon.minute);
    const QString key = !noon.fromLongitude ? QStringLiteral("labNoonSet")
                        : logic.MeasuresToday() ? QStringLiteral("labTrueNoonToday")
                                                : QStringLiteral("labTrueNoonOn");
    const QString text = lang.GetText(key);
    // A text edited without its place for the time still tells it, after the words.
    if (!text.contains(QLatin1String("%1")))
        return text + u' ' + clock;
    return FillPlaceholders(text, {clock, logic.MeasureDay().toString(logic.ShortDateFormat())});
}
