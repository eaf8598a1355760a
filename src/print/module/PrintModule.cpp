// SPDX-License-Identifier: GPL-3.0-or-later
// The print module's one entry point (see print/PrintModule.h).
#include "print/PrintModule.h"

namespace {

printing::PrintResult printOn(const report::ReportPage &page, const QString &printerName,
                              const printing::PrintJob &job, QWidget *parent) {
    return printing::printPage(page, printerName, job, parent);
}

const printing::Functions functions{
    .currentPrinterName = printing::currentPrinterName, .printPage = printOn, .previewPage = printing::previewPage};

}  // namespace

extern "C" __attribute__((visibility("default"))) const printing::Functions *gnomora_print_functions() {
    return &functions;
}
