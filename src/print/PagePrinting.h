// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "report/ReportPage.h"

#include <QString>
#include <memory>

class QDialog;
class QWidget;

// Preview and printing of a page. Both paint through Report::paintPage(), so the preview shows
// exactly what the printer receives. Printing never falls back to a PDF file: without a printer
// the caller is told so and can say it to the user.
//
// Printers are named by their queue name; an empty name means "no printer". The toolkit's print
// support stays inside this library, so its users need neither it nor its headers.
namespace Printing {

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
    // What a screen reader calls the preview's page view and its page-number box, in the user's
    // language (the toolkit gives them no name).
    QString pageViewName;
    QString pageNumberName;
};

// The name of the printer that "print" means: the system's default printer, or an empty name
// when no printer is installed or none is the default.
QString currentPrinterName();

// Prints the page at once on the named printer, A4 at the printer's resolution, with the job's
// copy count and no print dialog; a small progress window (over parent) shows while the job is
// sent. An empty name, or one the system does not know, gives NoPrinter.
PrintResult printPage(const Report::ReportPage &page, const QString &printerName, const PrintJob &job,
                      QWidget *parent = nullptr);

// Qt's print preview of the page, not yet shown: modal over parent and as large as parent's
// window, so that the sheet can be read. Its own print button offers every printer and printing
// to a PDF file, starting with the job's copy count and document name. The dialog keeps its own
// copy of the page and its own printer.
std::unique_ptr<QDialog> makePreviewDialog(const Report::ReportPage &page, const PrintJob &job,
                                           QWidget *parent = nullptr);

// The preview over parent that previewPage() shows: built as makePreviewDialog() builds it the
// first time, then kept (it belongs to parent) and set to this page and job at each later call,
// its printer back to the one it started with; built anew over another parent or after the
// toolkit's language changed. Building the preview costs many times more than
// showing it again.
QDialog &keptPreviewDialog(const Report::ReportPage &page, const PrintJob &job, QWidget &parent);

// Shows the preview and returns when it is closed: the kept one over parent, a new one without.
void previewPage(const Report::ReportPage &page, const PrintJob &job, QWidget *parent = nullptr);

}  // namespace Printing
