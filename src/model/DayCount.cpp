// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/DayCount.h"

#include <cmath>

namespace DayCount {

double fromDateTime(const QDateTime &moment) {
    const double day = static_cast<double>(Epoch.daysTo(moment.date()));
    const double fraction = moment.time().isValid() ? moment.time().msecsSinceStartOfDay() / 86400000.0 : 0.0;
    return day < 0 ? day - fraction : day + fraction;
}

QDate toDate(double days) {
    // QDate holds about +-2^40 days; anything beyond has no calendar day here.
    if (!std::isfinite(days) || std::fabs(days) > 1e11)
        return QDate();
    return Epoch.addDays(static_cast<qint64>(std::trunc(days)));
}

}  // namespace DayCount
