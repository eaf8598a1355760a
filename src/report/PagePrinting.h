// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "report/ReportPage.h"

#include <QPrinterInfo>
#include <QString>
#include <memory>

class QPrinter;
class QPrintPreviewDialog;
class QWidget;

// Preview and printing of a page. Both paint through paintPage(), so the preview shows exactly
// what the printer receives. Printing never falls back to a PDF file: without a printer the
// caller is told so and can say it to the user.
namespace report {

enum class PrintStatus {
    Sent,       // the job was handed to the printer's queue
    NoPrinter,  // no printer is installed or none is the default printer; nothing was printed
    Failed,     // a printer exists but the job could not be produced or handed over
};

struct PrintResult {
    PrintStatus status = PrintStatus::Failed;
    QString printerName;  // the printer that refused the job (Failed); the caller words the message
    bool sent() const { return status == PrintStatus::Sent; }
};

struct PrintJob {
    int copies = 1;  // a count below 1 prints one copy
    QString documentName = QStringLiteral("Gnomora");  // the job's title in the printer queue
    QString progressText;  // text of the progress window, in the user's language
};

// The printer that "print" means: the system's default printer, or a null QPrinterInfo when no
// printer is installed or none is the default.
QPrinterInfo currentPrinter();

// Prints the page at once on the given printer, A4 at the printer's resolution, with the job's
// copy count and no print dialog; a small progress window (over parent) shows while the job is
// sent. A null printer, or one the system no longer knows, gives NoPrinter.
PrintResult printPage(const ReportPage &page, const QPrinterInfo &printer, const PrintJob &job,
                      QWidget *parent = nullptr);

// printPage() on currentPrinter().
PrintResult printPage(const ReportPage &page, const PrintJob &job, QWidget *parent = nullptr);

// Opens Qt's print preview of the page, modal over parent, and returns when it is closed. Printing
// from inside the preview uses the job's copy count and document name.
void previewPage(const ReportPage &page, const PrintJob &job, QWidget *parent = nullptr);

// The preview dialog of previewPage(), not yet shown, painting on the given printer. The page and
// the printer must outlive the dialog.
std::unique_ptr<QPrintPreviewDialog> makePreviewDialog(const ReportPage &page, QPrinter &printer,
                                                       QWidget *parent = nullptr);

// Sets a printer up for the page: paper size, portrait, full page (no margins of the printer's
// own, the page brings them), document name and copy count.
void preparePrinter(QPrinter &printer, const ReportPage &page, const PrintJob &job);

}  // namespace report
