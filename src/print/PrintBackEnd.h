// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "print/PagePrinting.h"

#include <QObject>

// Printing as the print panel uses it. The program's back-end is a module (libgnomora-print.so,
// built from this library) that the program loads the first time it prints or previews, so that
// the toolkit's print support is neither loaded nor bound at start; the module's root object
// implements this interface with the functions of print/PagePrinting.h.
namespace Printing {

class PrintBackEnd {
public:
    virtual ~PrintBackEnd() = default;
    // The printer that "print" means, or an empty name: currentPrinterName().
    virtual QString currentPrinterName() = 0;
    // printPage() on the named printer.
    virtual PrintResult printPage(const Report::ReportPage &page, const QString &printerName, const PrintJob &job,
                                  QWidget *parent) = 0;
    // The preview, modal over parent, returning when it is closed: previewPage().
    virtual void previewPage(const Report::ReportPage &page, const PrintJob &job, QWidget *parent) = 0;
};

}  // namespace Printing

// The interface's id names its version: a change of its functions takes the next one.
#define GnomoraPrintBackEnd_iid "org.gnomora.printing.PrintBackEnd/1"
Q_DECLARE_INTERFACE(Printing::PrintBackEnd, GnomoraPrintBackEnd_iid)
