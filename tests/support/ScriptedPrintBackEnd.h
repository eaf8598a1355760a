// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "print/PrintBackEnd.h"
#include "ui/ModulePrintBackEnd.h"

#include <functional>

// The print back-end of the window tests: each function a test sets stands in for the print
// module's (the printer looked up, the job printed, the preview shown); the others are the module's.
struct ScriptedPrintBackEnd : printing::PrintBackEnd {
    std::function<QString()> printerName;
    std::function<printing::PrintResult(const report::ReportPage &sheet, const QString &printerName,
                                        const printing::PrintJob &job, QWidget *parent)>
        print;
    std::function<void(const report::ReportPage &sheet, const printing::PrintJob &job, QWidget *parent)> preview;

    QString currentPrinterName() override {
        return printerName ? printerName() : ModulePrintBackEnd::instance().currentPrinterName();
    }
    printing::PrintResult printPage(const report::ReportPage &page, const QString &printer,
                                    const printing::PrintJob &job, QWidget *parent) override {
        return print ? print(page, printer, job, parent)
                     : ModulePrintBackEnd::instance().printPage(page, printer, job, parent);
    }
    void previewPage(const report::ReportPage &page, const printing::PrintJob &job, QWidget *parent) override {
        preview ? preview(page, job, parent) : ModulePrintBackEnd::instance().previewPage(page, job, parent);
    }
};
