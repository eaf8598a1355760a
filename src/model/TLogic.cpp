// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/TLogic.h"

#include "lang/TLang.h"
#include "model/SessionStore.h"
#include "platform/Prompter.h"
#include "store/TComm.h"

#include <cmath>
#include <limits>

TLogic::TLogic(TComm &comm, TLang &lang, Prompter &prompter, LatitudeView &latitudes,
               SessionStore &session, Clock clock)
    : Hei1(1, comm, lang, prompter, latitudes, clock),
      Hei2(2, comm, lang, prompter, latitudes, clock),
      comm_(comm), lang_(lang), prompter_(prompter), session_(session) {}

void TLogic::Init() {
    Hei1.Init();
    Hei2.Init();
    EarthState = 0;
    session_.StoreHei(Hei1);
    session_.StoreHei(Hei2);
    session_.StoreLogic(*this);
}

void TLogic::AcceptDistance() {
    EarthDistance = EditedEarthDistance;
    EarthState = 1;
}

void TLogic::CalcEarth() {
    if (EarthDistance <= 0) {
        prompter_.showMessage(lang_.GetText(QStringLiteral("msgNoDistance")));
        return;
    }
    if (!(HeiDiff > 0 && std::isfinite(HeiDiff))) {
        prompter_.showMessage(lang_.GetText(QStringLiteral("msgNoAngleDiff")));
        return;
    }
    const long double size = std::nearbyint(exactEarthSize(HeiDiff, EarthDistance));
    if (size > std::numeric_limits<std::int32_t>::max()) {
        prompter_.showMessage(lang_.GetText(QStringLiteral("msgEarthTooLarge")));
        return;
    }
    EarthSize = static_cast<std::int32_t>(size);
    EarthState = 2;
}

long double TLogic::exactEarthSize(double heiDiff, std::int32_t distanceKm) {
    return 2 * PiL / heiDiff * distanceKm;
}

bool TLogic::EarthSizeFits(double heiDiff) const {
    if (EarthState < 2 || EarthDistance <= 0 || !(heiDiff > 0 && std::isfinite(heiDiff)))
        return false;
    // The difference may have come back through the session record with 15 significant digits,
    // and the two noon elevations may lie close together, so allow a relative 1e-9 beyond the
    // half kilometre of the rounding.
    const long double exact = exactEarthSize(heiDiff, EarthDistance);
    return std::abs(EarthSize - exact) <= 0.5L + 1e-9L * exact;
}

QString TLogic::AngleToText(double radians) {
    double deg = static_cast<double>(radians / (2 * PiL) * 360);
    if (!std::isfinite(deg))
        return QStringLiteral("0\u00B0");
    // Angles come back from the session record with 15 significant digits, which can put an
    // exact 45° a few 1e-14 degrees below 45 (it would read 44°60'). Such noise is snapped to the
    // nearest millionth of a minute; a real shortfall such as 49.9999° still reads 49°60'.
    if (std::abs(deg) < 1e6)
        deg = std::nearbyint(deg * 60e6) / 60e6;
    const double whole = std::trunc(deg) + 0.0;  // + 0.0: -0.5 deg reads 0, not -0
    // In long double the product is exact, so a half minute is a true half.
    const long double minutes = std::nearbyint((static_cast<long double>(deg) - whole) * 60);
    QString text = QString::number(whole, 'f', 0) + QChar(0x00B0);
    if (minutes != 0)
        text += QString::number(static_cast<int>(minutes)) + u'\'';
    return text;
}

QString TLogic::ShortDateFormat() const {
    const QChar sep = comm_.locale().dateSeparator;
    // Letters would read as date fields and a quote starts literal text: quote them.
    QString sepText(sep);
    if (sep == u'\'')
        sepText = QStringLiteral("''");
    else if (sep.isLetter())
        sepText = u'\'' + sepText + u'\'';
    return QStringLiteral("dd") + sepText + QStringLiteral("MM") + sepText + QStringLiteral("yyyy");
}
