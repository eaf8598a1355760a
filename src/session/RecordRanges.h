// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "store/NameValueList.h"

class TComm;

// The values a session record can hold when the program wrote it: each within the range its
// source allows (a typed value the range its box takes, a computed angle its physical range, a
// text the length its box or file takes), the places of the run (Run...) as a partner's reading
// file gives them, and the parts agreeing: each place's State and the comparison's EarthState
// with the values stored, a solved place's elevation with its stick and the mean of its shadow
// readings, a chosen list entry with a place the list holds, each key once. A kept lesson that
// breaks one was changed outside the program and is not continued: the panels and the result
// sheet would show what no measurement gives, and no loop may take its count from it unchecked.
//
// Only records that TSession::IsComplete accepts are judged; numbers are read with comm's
// conventions. Angles are radians, lengths millimetres, distances kilometres.
namespace RecordRanges {

bool hold(const NameValueList &values, const TComm &comm);

}  // namespace RecordRanges
