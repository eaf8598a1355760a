// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "platform/ModuleTable.h"
#include "print/PagePrinting.h"

// Print support as the program uses it: a module (libgnomora-print.so, built from this library)
// that the program loads the first time it prints or previews, so that the toolkit's print
// support is neither loaded nor bound at start. The module hands over these functions.
namespace printing {

struct Functions {
    static constexpr std::uint32_t Version = 1;
    ModuleTable table{Version, sizeof(Functions)};
    QString (*currentPrinterName)();
    PrintResult (*printPage)(const report::ReportPage &page, const QString &printerName, const PrintJob &job,
                             QWidget *parent);
    void (*previewPage)(const report::ReportPage &page, const PrintJob &job, QWidget *parent);
};

// The module's entry point, which ModuleLoader resolves: returns the module's functions.
inline constexpr const char *FunctionsEntry = "gnomora_print_functions";

}  // namespace printing
