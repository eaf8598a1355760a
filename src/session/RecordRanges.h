// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "store/NameValueList.h"

class TComm;

// The values a session record can hold when the program wrote it: each within the range its
// source allows (a typed value the range its box takes, a computed angle its physical range),
// and each place's State and the comparison's EarthState agreeing with the values stored. A kept
// lesson that breaks one was changed outside the program and is not continued: the panels and the
// result sheet would show what no measurement gives.
//
// Only records that TSession::IsComplete accepts are judged; numbers are read with comm's
// conventions. Angles are radians, lengths millimetres, distances kilometres.
namespace RecordRanges {

bool hold(const NameValueList &values, const TComm &comm);

}  // namespace RecordRanges
