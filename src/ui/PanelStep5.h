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
namespace Printing { class PrintBackEnd; }
class StepNavigator;
class Prompter;
class TComm;
class TDrawObj;
class TLang;
class TLogic;
class TSession;

// Step 5: the result sheet, previewed or printed with one copy per participant of place 1, and
// the button that ends the run and starts a new one.
//
// The panel shows the sheet's page, which is kept with the shared objects (its hidden Panel2 stands
// for it); the drawing object DrawStep5 fills the captions each time the step is entered, so a
// preview or a print shows the sheet of the last entry. Printing goes straight to the default
// printer without a print dialog; Logic's Printed is set only once a printer has taken the job,
// so a run that was not printed still asks before it is cleared.
class PanelStep5 : public QWidget {
    Q_OBJECT
public:
    // `drawing` fills the result sheet (DrawStep5); `printer` looks up the printer, prints and previews (the
    // program's is the print module, loaded on first use); `sheet` is the result sheet's page. All must
    // outlive the panel.
    PanelStep5(TLang &lang, TLogic &logic, TSession &session, TComm &comm, TDrawObj &drawing,
               StepNavigator &steps, Prompter &prompter, Printing::PrintBackEnd &printer, Report::ReportPage &sheet,
               Guard guard, QWidget *parent = nullptr);
    ~PanelStep5() override;

    // The work of entering the step: edPrintCopies := the number of place 1's participants
    // (TSession::CountPersons1), then DrawStep5 fills the sheet's captions. The status line
    // names the printer that btnPrint will use and the copies it will send; the copies box has the
    // focus, the first thing to settle before printing.
    void EnterStep();

    // Prints the sheet at once on the back-end's current printer with the copies of edPrintCopies,
    // a whole number from 1 to 999 (a slip such as 4444 would keep a school's printer busy for
    // hours); another count is refused with msgBadCopies before any printer is looked for.
    // Logic's Printed becomes true when the printer took the job, and the status line says what
    // was sent where; without a printer, or when the printer refuses, the user is told why and
    // nothing changes.
    void btnPrintClick();
    // The preview of the sheet; changes nothing, even when the user prints from inside it. Its
    // print dialog starts with the copies of edPrintCopies, or one copy when btnPrint would refuse
    // the count: looking at the sheet needs no count, and the dialog shows the one it takes.
    void btnPreviewClick();
    // Back to the comparison step.
    void btnPanel5BackClick();
    // Writes the results as a table (ResultsTable) to the file named in the save dialog.
    void btnExportResultsClick();

    // The main window's reset (btnReset) runs this.
    void setResetHandler(std::function<void()> handler) { reset_ = std::move(handler); }

private:
    // The copies typed in edPrintCopies when they are a count btnPrint takes (1 to 999).
    std::optional<int> typedCopies() const;
    Printing::PrintJob printJob(int copies) const;
    // The decimal mark of the class's language (its file's Locale), or the user's own when the
    // file names no locale: the sheet and the results table are read by the class.
    QChar decimalMark() const;
    // The status line before printing: the printer and the copies typed (nothing about copies
    // that btnPrint would refuse), or that there is no printer.
    void showPrintTarget();

    std::unique_ptr<Ui::PanelStep5> ui;
    TLang &lang_;
    TLogic &logic_;
    TSession &session_;
    TComm &comm_;
    TDrawObj &drawing_;
    StepNavigator &steps_;
    Prompter &prompter_;
    Printing::PrintBackEnd &printer_;
    Report::ReportPage &sheet_;
    Guard guard_;
    std::function<void()> reset_;
    QString printerName_;  // the printer looked up when the step was entered or last printed to
};
