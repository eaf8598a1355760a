// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ClockText.h"

QString ClockText(std::int64_t hour, std::int64_t minute) {
    return QString::number(hour) + u':' + QStringLiteral("%1").arg(minute, 2, 10, QLatin1Char('0'));
}
