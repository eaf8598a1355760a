// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "ui/Guard.h"
#include "print/PagePrinting.h"
#include "report/ReportPage.h"

#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

namespace Ui { class PanelStep5; }
struct AppObjects;
class StepNavigator;
class Prompter;

// Step 5: the result sheet, previewed or printed with one copy per participant of place 1, and
// the button that ends the run and starts a new one.
//
// The panel keeps the sheet's page (its hidden Panel2 stands for it); the drawing object DrawStep5
// fills the captions each time the step is entered, so a preview or a print shows the sheet of the
// last entry. Printing goes straight to the default printer without a print dialog; Logic's Printed
// is set only once a printer has taken the job, so a run that was not printed still asks before
// it is cleared.
class PanelStep5 : public QWidget {
    Q_OBJECT
public:
    // The name of the printer that btnPrint prints on, or an empty name when there is none:
    // printing::currentPrinterName. The defaults of the three run in the print module, loaded on
    // first use (print/PrintModule.h).
    using PrinterLookup = std::function<QString()>;
    // Shows the sheet's preview, modal over parent, and returns when it is closed: by default Qt's
    // print preview at the size of the main window (printing::previewPage).
    using PreviewRunner =
        std::function<void(const report::ReportPage &sheet, const printing::PrintJob &job, QWidget *parent)>;
    // Prints the sheet on the named printer with the job's copies and tells how it went: by
    // default printing::printPage.
    using PrintRunner = std::function<printing::PrintResult(const report::ReportPage &sheet, const QString &printerName,
                                                            const printing::PrintJob &job, QWidget *parent)>;

    PanelStep5(AppObjects &objects, StepNavigator &steps, Prompter &prompter, QWidget *parent = nullptr);
    ~PanelStep5() override;

    // The work of entering the step: edPrintCopies := the number of place 1's participants
    // (TSession::CountPersons1), then DrawStep5 fills the sheet's captions.
    void EnterStep();

    // Prints the sheet at once on the printer of the lookup with the copies of edPrintCopies, a
    // whole number from 1 to 999 (a slip such as 4444 would keep a school's printer busy for
    // hours); another count is refused with msgBadCopies before any printer is looked for.
    // Logic's Printed becomes true when the printer took the job; without a printer, or when the
    // printer refuses, the user is told why and nothing changes.
    void btnPrintClick();
    // The preview of the sheet; changes nothing, even when the user prints from inside it. Its
    // print dialog starts with the copies of edPrintCopies, or one copy when btnPrint would refuse
    // the count: looking at the sheet needs no count, and the dialog shows the one it takes.
    void btnPreviewClick();
    // Back to the comparison step.
    void btnPanel5BackClick();
    // Writes the results as a table (ResultsTable) to the file named in the save dialog.
    void btnExportResultsClick();

    // The result sheet's page, which DrawStep5 fills.
    report::ReportPage &sheet() { return sheet_; }
    const report::ReportPage &sheet() const { return sheet_; }

    // The main window's reset (btnReset) runs this.
    void setResetHandler(std::function<void()> handler) { reset_ = std::move(handler); }
    void setPrinterLookup(PrinterLookup lookup) { printerLookup_ = std::move(lookup); }
    void setPreviewRunner(PreviewRunner runner) { previewRunner_ = std::move(runner); }
    void setPrintRunner(PrintRunner runner) { printRunner_ = std::move(runner); }

private:
    // The copies typed in edPrintCopies when they are a count btnPrint takes (1 to 999).
    std::optional<int> typedCopies() const;
    printing::PrintJob printJob(int copies) const;

    std::unique_ptr<Ui::PanelStep5> ui;
    AppObjects &objects_;
    StepNavigator &steps_;
    Prompter &prompter_;
    Guard guard_;
    report::ReportPage sheet_;
    std::function<void()> reset_;
    PrinterLookup printerLookup_;
    PreviewRunner previewRunner_;
    PrintRunner printRunner_;
};
