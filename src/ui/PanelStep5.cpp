// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PanelStep5.h"

#include "draw/TDrawObj.h"
#include "lang/TLang.h"
#include "model/TLogic.h"
#include "model/TypedInput.h"
#include "platform/ModuleLoader.h"
#include "platform/Prompter.h"
#include "print/PrintModule.h"
#include "report/ResultSheetLayout.h"
#include "session/ResultsTable.h"
#include "session/TSession.h"
#include "ui/AppObjects.h"
#include "ui/Guard.h"
#include "ui/StepNavigator.h"
#include "ui/TypedField.h"
#include "ui_PanelStep5.h"

namespace {

// The print module's functions, loaded the first time the panel prints or previews. Throws
// FileError (NotLoadable) when the module is missing or damaged; the guard words it.
const printing::Functions &printModule() {
    return ModuleLoader::functions<printing::Functions>(QStringLiteral("print"), printing::FunctionsEntry);
}

}  // namespace

PanelStep5::PanelStep5(AppObjects &objects, StepNavigator &steps, Prompter &prompter, QWidget *parent)
    : QWidget(parent), ui(std::make_unique<Ui::PanelStep5>()), objects_(objects), steps_(steps),
      prompter_(prompter), guard_(objects, prompter), sheet_(report::resultSheetPage()),
      printerLookup_([] { return printModule().currentPrinterName(); }),
      previewRunner_([](const report::ReportPage &sheet, const printing::PrintJob &job, QWidget *parent) {
          printModule().previewPage(sheet, job, parent);
      }),
      printRunner_([](const report::ReportPage &sheet, const QString &printerName, const printing::PrintJob &job,
                      QWidget *parent) { return printModule().printPage(sheet, printerName, job, parent); }) {
    ui->setupUi(this);
    const auto clicked = &QPushButton::clicked;
    guard_.connect(ui->btnPrint, clicked, this, [this] { btnPrintClick(); });
    guard_.connect(ui->btnPreview, clicked, this, [this] { btnPreviewClick(); });
    guard_.connect(ui->btnPanel5Back, clicked, this, [this] { btnPanel5BackClick(); });
    guard_.connect(ui->btnExportResults, clicked, this, [this] { btnExportResultsClick(); });
    guard_.connect(ui->btnReset, clicked, this, [this] {
        if (reset_)
            reset_();
    });
}

PanelStep5::~PanelStep5() = default;

void PanelStep5::EnterStep() {
    ui->edPrintCopies->setText(QString::number(objects_.Session->CountPersons1()));
    objects_.DrawStep5->FillResultSheet();
}

std::optional<int> PanelStep5::typedCopies() const {
    return typedinput::wholeNumber(ui->edPrintCopies->text(), typedinput::Copies);
}

printing::PrintJob PanelStep5::printJob(int copies) const {
    printing::PrintJob job;
    job.copies = copies;
    job.documentName = QStringLiteral("Gnomora");
    job.progressText = objects_.Lang->GetText(QStringLiteral("msgPrinting"));
    job.pageViewName = objects_.Lang->GetText(QStringLiteral("accPreviewPage"));
    job.pageNumberName = objects_.Lang->GetText(QStringLiteral("accPreviewPageNumber"));
    return job;
}

void PanelStep5::btnPrintClick() {
    const std::optional<int> copies = typedCopies();
    if (!copies)
        return refuseTypedValue(ui->edPrintCopies, prompter_, objects_.Lang->GetText(QStringLiteral("msgBadCopies")));
    const printing::PrintResult result = printRunner_(sheet_, printerLookup_(), printJob(*copies), this);
    switch (result.status) {
    case printing::PrintStatus::Sent:
        objects_.Logic->Printed = true;
        discardKeptLesson(objects_);  // the sheet keeps the lesson now
        return;
    case printing::PrintStatus::NoPrinter:
        prompter_.showMessage(objects_.Lang->GetText(QStringLiteral("msgNoPrinter")));
        return;
    case printing::PrintStatus::Failed:
        prompter_.showMessage(objects_.Lang->GetText(QStringLiteral("msgPrintFailed")).arg(result.printerName));
        return;
    }
}

void PanelStep5::btnPreviewClick() { previewRunner_(sheet_, printJob(typedCopies().value_or(1)), window()); }

void PanelStep5::btnPanel5BackClick() { steps_.imgStep4Click(); }

void PanelStep5::btnExportResultsClick() {
    TLang &lang = *objects_.Lang;
    const QString fileName = prompter_.chooseFile(
        Prompter::FileAccess::Save, lang.GetText(QStringLiteral("btnExportResults")),
        ResultsTable::suggestedName(objects_.Logic->MeasureDay()), lang.GetText(QStringLiteral("dlgResultFiles")));
    if (!fileName.isEmpty())
        ResultsTable::write(*objects_.Logic, [&lang](const QString &key) { return lang.GetText(key); }, fileName);
}
