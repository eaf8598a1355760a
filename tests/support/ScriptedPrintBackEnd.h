// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "print/PrintBackEnd.h"
#include "ui/ModulePrintBackEnd.h"

#include <functional>

// The print back-end of the window tests: each function a test sets stands in for the print
// module's (the printer looked up, the job printed, the preview shown); the others are the module's.
struct ScriptedPrintBackEnd : Printing::PrintBackEnd {
    std::function<QString()> printerName;
    std::function<Printing::PrintResult(const Report::ReportPage &sheet, const QString &printerName,
                                        const Printing::PrintJob &job, QWidget *parent)>
        print;
    std::function<void(const Report::ReportPage &sheet, const Printing::PrintJob &job, QWidget *parent)> preview;

    QString currentPrinterName() override {
        return printerName ? printerName() : ModulePrintBackEnd::instance().currentPrinterName();
    }
    Printing::PrintResult printPage(const Report::ReportPage &page, const QString &printer,
                                    const Printing::PrintJob &job, QWidget *parent) override {
        return print ? print(page, printer, job, parent)
                     : ModulePrintBackEnd::instance().printPage(page, printer, job, parent);
    }
    void previewPage(const Report::ReportPage &page, const Printing::PrintJob &job, QWidget *parent) override {
        preview ? preview(page, job, parent) : ModulePrintBackEnd::instance().previewPage(page, job, parent);
    }
};
