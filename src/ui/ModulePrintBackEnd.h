// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "print/PrintBackEnd.h"

// The program's print back-end: the print module's, loaded at the first call and kept, so that
// print support costs nothing until the teacher previews or prints. Each call throws FileError
// (NotLoadable, ModuleOtherVersion, ...) while the module cannot be loaded; the window's guard
// words it and the run goes on.
class ModulePrintBackEnd : public printing::PrintBackEnd {
public:
    // The one the program uses.
    static ModulePrintBackEnd &instance();

    QString currentPrinterName() override;
    printing::PrintResult printPage(const report::ReportPage &page, const QString &printerName,
                                    const printing::PrintJob &job, QWidget *parent) override;
    void previewPage(const report::ReportPage &page, const printing::PrintJob &job, QWidget *parent) override;
};
