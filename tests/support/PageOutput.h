// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "report/ReportPage.h"

#include <QImage>
#include <QString>

// A page rendered to a file or an image, through the same painting routine as printing: what the
// tests and benchmarks read a page's pixels and text from. The program itself only prints.
namespace Report {

// Writes the page as a one-page A4 PDF file at the given resolution, atomically: a failed write
// leaves no half-written file. Throws FileError naming the file and the reason.
void writePagePdf(const ReportPage &page, const QString &fileName, int dotsPerInch = 1200,
                  const QString &title = QString());

// The whole sheet of paper as an image at the given resolution (white paper, the page painted on
// it). At 254 dpi one millimetre is exactly ten pixels. Throws std::invalid_argument for a
// resolution outside 10 to 1200 dpi.
QImage renderPageImage(const ReportPage &page, int dotsPerInch);

}  // namespace Report
