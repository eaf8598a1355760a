// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/PagePrinting.h"

#include "print/PreviewIcons.h"
#include "report/PageLayout.h"

#include <QAbstractScrollArea>
#include <QComboBox>
#include <QEvent>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPointer>
#include <QProgressDialog>
#include <algorithm>

namespace Printing {

namespace {

PrintResult noPrinter() { return {PrintStatus::NoPrinter, QString()}; }

// Sets a printer up for the page: paper size, portrait, full page (no margins of the printer's
// own, the page brings them), document name and copy count.
void preparePrinter(QPrinter &printer, const Report::ReportPage &page, const PrintJob &job) {
    printer.setPageLayout(QPageLayout(QPageSize(page.setup.paperMm, QPageSize::Millimeter),
                                      QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    printer.setFullPage(true);
    printer.setDocName(job.documentName);
    printer.setCopyCount(std::max(1, job.copies));
}

// Paints every copy the printer does not make itself. Returns false when the printer gave up.
bool paintCopies(QPrinter &printer, const Report::ReportPage &page, int copies) {
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    for (int i = 0; i < copies; ++i) {
        if (i > 0 && !printer.newPage())
            return false;
        Report::paintPage(painter, page);
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
    PagePreviewDialog(const Report::ReportPage &page, const PrintJob &job, QWidget *parent)
        : QPrintPreviewDialog(&ownPrinter, parent), page_(page), output_(ownPrinter) {
        preparePrinter(ownPrinter, page_, job);
        nameForScreenReaders(job);
        connect(this, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter *target) {
            QPainter painter;
            if (painter.begin(target))
                Report::paintPage(painter, page_);
        });
    }

    // Shows `page` for `job` next time, with the printer the dialog started with: what the user
    // chose in its print dialog last time (another printer, a PDF file) is not kept.
    void reuseFor(const Report::ReportPage &page, const PrintJob &job) {
        page_ = page;
        output_.restore(ownPrinter);
        preparePrinter(ownPrinter, page_, job);
        nameForScreenReaders(job);
        if (auto *view = findChild<QPrintPreviewWidget *>())
            view->updatePreview();
    }

    // The toolkit's texts of the dialog are those of the language it was built in.
    bool builtInAnotherLanguage() const { return languageChanged_; }

protected:
    void changeEvent(QEvent *event) override {
        if (event->type() == QEvent::LanguageChange)
            languageChanged_ = true;
        QPrintPreviewDialog::changeEvent(event);
    }

private:
    // Where a printer sends its pages.
    struct Output {
        explicit Output(const QPrinter &printer)
            : format(printer.outputFormat()), printerName(printer.printerName()), fileName(printer.outputFileName()) {}
        void restore(QPrinter &printer) const {
            printer.setOutputFileName(fileName);
            printer.setOutputFormat(format);
            if (format == QPrinter::NativeFormat && printer.printerName() != printerName)
                printer.setPrinterName(printerName);
        }
        QPrinter::OutputFormat format;
        QString printerName;
        QString fileName;
    };

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

    Report::ReportPage page_;
    const Output output_;
    bool languageChanged_ = false;
};

// A new preview dialog, its tool bar showing what the toolkit would give it without the toolkit
// searching the icon theme's folders (print/PreviewIcons.h).
std::unique_ptr<PagePreviewDialog> buildPreviewDialog(const Report::ReportPage &page, const PrintJob &job,
                                                      QWidget *parent) {
    const QSet<QString> themed = PreviewIcons::namesInIconTheme(PreviewIcons::toolBarIconNames());
    std::unique_ptr<PagePreviewDialog> dialog;
    {
        const PreviewIcons::ThemeLookUpPaused paused;
        dialog = std::make_unique<PagePreviewDialog>(page, job, parent);
    }
    PreviewIcons::setToolBarIcons(*dialog, themed);
    if (parent)
        dialog->resize(parent->window()->size());
    return dialog;
}

// The dialog keptPreviewDialog() hands out; its parent owns it.
QPointer<PagePreviewDialog> keptDialog;

}  // namespace

QString currentPrinterName() {
    if (QPrinterInfo::availablePrinters().isEmpty())
        return QString();
    return QPrinterInfo::defaultPrinter().printerName();
}

PrintResult printPage(const Report::ReportPage &page, const QString &printerName, const PrintJob &job,
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

std::unique_ptr<QDialog> makePreviewDialog(const Report::ReportPage &page, const PrintJob &job, QWidget *parent) {
    return buildPreviewDialog(page, job, parent);
}

QDialog &keptPreviewDialog(const Report::ReportPage &page, const PrintJob &job, QWidget &parent) {
    if (keptDialog && keptDialog->parentWidget() == &parent && !keptDialog->builtInAnotherLanguage()) {
        keptDialog->reuseFor(page, job);
        keptDialog->resize(parent.window()->size());
    } else {
        delete keptDialog.data();
        keptDialog = buildPreviewDialog(page, job, &parent).release();  // parent owns it now
    }
    return *keptDialog;
}

void previewPage(const Report::ReportPage &page, const PrintJob &job, QWidget *parent) {
    if (parent)
        keptPreviewDialog(page, job, *parent).exec();
    else
        makePreviewDialog(page, job)->exec();
}

}  // namespace Printing
