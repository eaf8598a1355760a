// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ModulePrintBackEnd.h"

#include "platform/ModuleLoader.h"

namespace {

Printing::PrintBackEnd &printModule() { return ModuleLoader::plugin<Printing::PrintBackEnd>(QStringLiteral("print")); }

}  // namespace

ModulePrintBackEnd &ModulePrintBackEnd::instance() {
    static ModulePrintBackEnd backEnd;
    return backEnd;
}

QString ModulePrintBackEnd::currentPrinterName() { return printModule().currentPrinterName(); }

Printing::PrintResult ModulePrintBackEnd::printPage(const Report::ReportPage &page, const QString &printerName,
                                                    const Printing::PrintJob &job, QWidget *parent) {
    return printModule().printPage(page, printerName, job, parent);
}

void ModulePrintBackEnd::previewPage(const Report::ReportPage &page, const Printing::PrintJob &job, QWidget *parent) {
    printModule().previewPage(page, job, parent);
}
