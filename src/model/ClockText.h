// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <cstdint>

// A clock time as the program shows and prints it everywhere: the hour as it is, a colon and
// two-digit minutes, "13:02", "9:05", "12:00". Minutes without their leading zero ("13:2") would
// read as 13:20.
QString ClockText(std::int64_t hour, std::int64_t minute);
