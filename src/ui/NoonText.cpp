// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/NoonText.h"

#include "lang/TLang.h"

QString noonToGoOutText(TLang &lang, const TLogic &logic, const TLogic::PlaceNoon &noon) {
    const QString clock = QStringLiteral("%1:%2").arg(noon.hour).arg(noon.minute, 2, 10, QLatin1Char('0'));
    const QString key = !noon.fromLongitude ? QStringLiteral("labNoonSet")
                        : logic.MeasuresToday() ? QStringLiteral("labTrueNoonToday")
                                                : QStringLiteral("labTrueNoonOn");
    const QString text = lang.GetText(key);
    // A text edited without its place for the time still tells it, after the words.
    if (!text.contains(QLatin1String("%1")))
        return text + u' ' + clock;
    return text.contains(QLatin1String("%2")) ? text.arg(clock, logic.MeasureDay().toString(logic.ShortDateFormat()))
                                              : text.arg(clock);
}
