// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ModulePrintBackEnd.h"

#include "platform/ModuleLoader.h"

namespace {

printing::PrintBackEnd &printModule() { return ModuleLoader::plugin<printing::PrintBackEnd>(QStringLiteral("print")); }

}  // namespace

ModulePrintBackEnd &ModulePrintBackEnd::instance() {
    static ModulePrintBackEnd backEnd;
    return backEnd;
}

QString ModulePrintBackEnd::currentPrinterName() { return printModule().currentPrinterName(); }

printing::PrintResult ModulePrintBackEnd::printPage(const report::ReportPage &page, const QString &printerName,
                                                    const printing::PrintJob &job, QWidget *parent) {
    return printModule().printPage(page, printerName, job, parent);
}

void ModulePrintBackEnd::previewPage(const report::ReportPage &page, const printing::PrintJob &job, QWidget *parent) {
    printModule().previewPage(page, job, parent);
}
