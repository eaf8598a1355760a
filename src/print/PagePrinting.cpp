// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/PagePrinting.h"

#include "report/PageLayout.h"

#include <QAbstractScrollArea>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>
#include <algorithm>

namespace printing {

namespace {

PrintResult noPrinter() { return {PrintStatus::NoPrinter, QString()}; }

// Sets a printer up for the page: paper size, portrait, full page (no margins of the printer's
// own, the page brings them), document name and copy count.
void preparePrinter(QPrinter &printer, const report::ReportPage &page, const PrintJob &job) {
    printer.setPageLayout(QPageLayout(QPageSize(page.setup.paperMm, QPageSize::Millimeter),
                                      QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    printer.setFullPage(true);
    printer.setDocName(job.documentName);
    printer.setCopyCount(std::max(1, job.copies));
}

// Paints every copy the printer does not make itself. Returns false when the printer gave up.
bool paintCopies(QPrinter &printer, const report::ReportPage &page, int copies) {
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    for (int i = 0; i < copies; ++i) {
        if (i > 0 && !printer.newPage())
            return false;
        report::paintPage(painter, page);
    }
    return painter.end() && printer.printerState() != QPrinter::Error;
}

// The preview's printer is a base class so that it exists before the dialog that paints on it
// and outlives it.
struct PreviewPrinter {
    QPrinter ownPrinter{QPrinter::HighResolution};
};

class PagePreviewDialog : private PreviewPrinter, public QPrintPreviewDialog {
public:
    PagePreviewDialog(const report::ReportPage &page, const PrintJob &job, QWidget *parent)
        : QPrintPreviewDialog(&ownPrinter, parent), page_(page) {
        preparePrinter(ownPrinter, page_, job);
        nameForScreenReaders(job);
        connect(this, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter *target) {
            QPainter painter;
            if (painter.begin(target))
                report::paintPage(painter, page_);
        });
    }

private:
    // The page view and its scrolling area take the page's name; the page-number box is the one
    // line box of the tool bar outside the zoom list.
    void nameForScreenReaders(const PrintJob &job) {
        if (auto *view = findChild<QPrintPreviewWidget *>()) {
            view->setAccessibleName(job.pageViewName);
            for (QAbstractScrollArea *area : view->findChildren<QAbstractScrollArea *>())
                area->setAccessibleName(job.pageViewName);
        }
        for (QLineEdit *box : findChildren<QLineEdit *>())
            if (!qobject_cast<QComboBox *>(box->parentWidget()))
                box->setAccessibleName(job.pageNumberName);
    }

    report::ReportPage page_;
};

}  // namespace

QString currentPrinterName() {
    if (QPrinterInfo::availablePrinters().isEmpty())
        return QString();
    return QPrinterInfo::defaultPrinter().printerName();
}

PrintResult printPage(const report::ReportPage &page, const QString &printerName, const PrintJob &job,
                      QWidget *parent) {
    if (printerName.isEmpty())
        return noPrinter();
    const QPrinterInfo info = QPrinterInfo::printerInfo(printerName);
    if (info.isNull())
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
        return {PrintStatus::Failed, printerName};
    return {PrintStatus::Sent, QString()};
}

PrintResult printPage(const report::ReportPage &page, const PrintJob &job, QWidget *parent) {
    return printPage(page, currentPrinterName(), job, parent);
}

std::unique_ptr<QDialog> makePreviewDialog(const report::ReportPage &page, const PrintJob &job, QWidget *parent) {
    auto dialog = std::make_unique<PagePreviewDialog>(page, job, parent);
    if (parent)
        dialog->resize(parent->window()->size());
    return dialog;
}

void previewPage(const report::ReportPage &page, const PrintJob &job, QWidget *parent) {
    makePreviewDialog(page, job, parent)->exec();
}

}  // namespace printing
