// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "print/PrintBackEnd.h"

// The program's print back-end: the print module's, loaded at the first call and kept, so that
// print support costs nothing until the teacher previews or prints. Each call throws FileError
// (NotLoadable, ModuleOtherVersion, ...) while the module cannot be loaded; the window's guard
// words it and the run goes on.
class ModulePrintBackEnd : public Printing::PrintBackEnd {
public:
    // The one the program uses.
    static ModulePrintBackEnd &instance();

    QString currentPrinterName() override;
    Printing::PrintResult printPage(const Report::ReportPage &page, const QString &printerName,
                                    const Printing::PrintJob &job, QWidget *parent) override;
    void previewPage(const Report::ReportPage &page, const Printing::PrintJob &job, QWidget *parent) override;
};
