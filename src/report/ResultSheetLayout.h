// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "report/ReportPage.h"

// The printed result sheet of a run: an A4 page with 10 mm margins and one white band that holds
// the frame of the sheet, the title with the pupils' names, the table of both places'
// measurements, the result block and the footer. Every caption starts empty; the program fills
// them by label name (PrintRow1..PrintRow6, PrintRow3a, PrintName1..PrintName8,
// PrintResults1..PrintResults14 with 3a and 8a, PrintYield2..PrintYield14 with 3a and 8a,
// PrintFooter1..PrintFooter4) before a preview or a print.
namespace Report {

ReportPage resultSheetPage();

}  // namespace Report
