// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/PagePrinting.h"

#include "report/PageLayout.h"

#include <QCoreApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <algorithm>

namespace report {

namespace {

PrintResult noPrinter() { return {PrintStatus::NoPrinter, QString()}; }

// Paints every copy the printer does not make itself. Returns false when the printer gave up.
bool paintCopies(QPrinter &printer, const ReportPage &page, int copies) {
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    for (int i = 0; i < copies; ++i) {
        if (i > 0 && !printer.newPage())
            return false;
        paintPage(painter, page);
    }
    return painter.end() && printer.printerState() != QPrinter::Error;
}

}  // namespace

QPrinterInfo currentPrinter() {
    if (QPrinterInfo::availablePrinters().isEmpty())
        return QPrinterInfo();
    return QPrinterInfo::defaultPrinter();
}

void preparePrinter(QPrinter &printer, const ReportPage &page, const PrintJob &job) {
    printer.setPageLayout(QPageLayout(QPageSize(page.setup.paperMm, QPageSize::Millimeter),
                                      QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    printer.setFullPage(true);
    printer.setDocName(job.documentName);
    printer.setCopyCount(std::max(1, job.copies));
}

PrintResult printPage(const ReportPage &page, const QPrinterInfo &info, const PrintJob &job, QWidget *parent) {
    if (info.isNull() || QPrinterInfo::printerInfo(info.printerName()).isNull())
        return noPrinter();
    QPrinter printer(info, QPrinter::HighResolution);
    // Qt quietly turns a printer it cannot use into PDF output with no file: that is no printer.
    if (printer.outputFormat() != QPrinter::NativeFormat || printer.printerName().isEmpty())
        return noPrinter();
    preparePrinter(printer, page, job);

    const int copies = std::max(1, job.copies);
    // A queue that makes its copies itself takes one page and the count; otherwise each copy is a page.
    const int pagesToPaint = printer.supportsMultipleCopies() ? 1 : copies;
    if (!printer.supportsMultipleCopies())
        printer.setCopyCount(1);

    QProgressDialog progress(job.progressText, QString(), 0, 1, parent);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.setValue(0);
    progress.show();
    QCoreApplication::processEvents();

    const bool ok = paintCopies(printer, page, pagesToPaint);
    progress.setValue(1);
    if (!ok)
        return {PrintStatus::Failed, info.printerName()};
    return {PrintStatus::Sent, QString()};
}

PrintResult printPage(const ReportPage &page, const PrintJob &job, QWidget *parent) {
    return printPage(page, currentPrinter(), job, parent);
}

std::unique_ptr<QPrintPreviewDialog> makePreviewDialog(const ReportPage &page, QPrinter &printer,
                                                       QWidget *parent) {
    auto dialog = std::make_unique<QPrintPreviewDialog>(&printer, parent);
    QObject::connect(dialog.get(), &QPrintPreviewDialog::paintRequested, dialog.get(),
                     [&page](QPrinter *target) {
                         QPainter painter;
                         if (painter.begin(target))
                             paintPage(painter, page);
                     });
    return dialog;
}

void previewPage(const ReportPage &page, const PrintJob &job, QWidget *parent) {
    QPrinter printer(QPrinter::HighResolution);
    preparePrinter(printer, page, job);
    const auto dialog = makePreviewDialog(page, printer, parent);
    dialog->exec();
}

}  // namespace report
