// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "model/TLogic.h"

#include <QString>

class TLang;

// What a panel says about the time the class goes outside to read its shadow: true noon on the
// measurement day, from the place's longitude ("True noon today: 12:42", or with the date when
// the measurement is not today's); for a place without a longitude the noon configured for it,
// which the program then counts from but cannot check against the sun.
QString noonToGoOutText(TLang &lang, const TLogic &logic, const TLogic::PlaceNoon &noon);
