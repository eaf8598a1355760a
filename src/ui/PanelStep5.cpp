// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PanelStep5.h"

#include "draw/TDrawObj.h"
#include "lang/TLang.h"
#include "model/TLogic.h"
#include "model/TypedInput.h"
#include "platform/Prompter.h"
#include "print/PrintBackEnd.h"
#include "session/ResultsTable.h"
#include "session/SavePermission.h"
#include "session/TSession.h"
#include "store/TComm.h"
#include "ui/DocumentFolder.h"
#include "ui/Guard.h"
#include "ui/RefuseTypedValue.h"
#include "ui/StepNavigator.h"
#include "ui/ToolkitLanguage.h"
#include "ui_PanelStep5.h"

PanelStep5::PanelStep5(TLang &lang, TLogic &logic, TSession &session, TComm &comm, TDrawObj &drawing,
                       StepNavigator &steps, Prompter &prompter, Printing::PrintBackEnd &printer,
                       Report::ReportPage &sheet, Guard guard, QWidget *parent)
    : QWidget(parent), ui(std::make_unique<Ui::PanelStep5>()), lang_(lang), logic_(logic), session_(session),
      comm_(comm), drawing_(drawing), steps_(steps), prompter_(prompter), printer_(printer), sheet_(sheet),
      guard_(guard) {
    ui->setupUi(this);
    const auto clicked = &QPushButton::clicked;
    guard_.connect(ui->btnPrint, clicked, this, [this] { btnPrintClick(); });
    guard_.connect(ui->btnPreview, clicked, this, [this] { btnPreviewClick(); });
    guard_.connect(ui->btnPanel5Back, clicked, this, [this] { btnPanel5BackClick(); });
    guard_.connect(ui->btnExportResults, clicked, this, [this] { btnExportResultsClick(); });
    guard_.connect(ui->edPrintCopies, &QLineEdit::textChanged, this, [this] { showPrintTarget(); });
    guard_.connect(ui->btnReset, clicked, this, [this] {
        if (reset_)
            reset_();
    });
}

PanelStep5::~PanelStep5() = default;

void PanelStep5::EnterStep() {
    ui->edPrintCopies->setText(QString::number(session_.CountPersons1()));
    // The sheet's decimal mark is the language's, as on the panels.
    drawing_.FillResultSheet(decimalMark());
    printerName_ = printer_.currentPrinterName();
    showPrintTarget();
    ui->edPrintCopies->setFocus(Qt::OtherFocusReason);
}

void PanelStep5::showPrintTarget() {
    TLang &lang = lang_;
    QString status;
    if (printerName_.isEmpty())
        status = lang.GetText(QStringLiteral("labPrintNoPrinter"));
    else if (const std::optional<int> copies = typedCopies())
        status = lang.GetText(QStringLiteral("labPrintTarget"), {printerName_, QString::number(*copies)});
    ui->labPrintStatus->setText(status);
}

std::optional<int> PanelStep5::typedCopies() const {
    return TypedInput::wholeNumber(ui->edPrintCopies->text(), TypedInput::Copies);
}

Printing::PrintJob PanelStep5::printJob(int copies) const {
    Printing::PrintJob job;
    job.copies = copies;
    job.documentName = QStringLiteral("Gnomora");
    job.progressText = lang_.GetText(QStringLiteral("msgPrinting"));
    job.pageViewName = lang_.GetText(QStringLiteral("accPreviewPage"));
    job.pageNumberName = lang_.GetText(QStringLiteral("accPreviewPageNumber"));
    return job;
}

void PanelStep5::btnPrintClick() {
    const std::optional<int> copies = typedCopies();
    if (!copies)
        return refuseTypedValue(ui->edPrintCopies, prompter_, lang_.GetText(QStringLiteral("msgBadCopies")));
    printerName_ = printer_.currentPrinterName();
    const Printing::PrintResult result = printer_.printPage(sheet_, printerName_, printJob(*copies), this);
    switch (result.status) {
    case Printing::PrintStatus::Sent:
        logic_.SheetPrinted();
        discardKeptLesson(comm_, session_);  // the sheet keeps the lesson now
        ui->labPrintStatus->setText(lang_.GetText(QStringLiteral("labPrintSent"), {printerName_, QString::number(*copies)}));
        return;
    case Printing::PrintStatus::NoPrinter:
        showPrintTarget();
        prompter_.showMessage(lang_.GetText(QStringLiteral("msgNoPrinter")));
        return;
    case Printing::PrintStatus::Failed:
        showPrintTarget();
        prompter_.showMessage(lang_.GetText(QStringLiteral("msgPrintFailed"), {result.printerName}));
        return;
    }
}

QChar PanelStep5::decimalMark() const {
    return ToolkitLanguage::conventionsOf(lang_.Texts.value(ToolkitLanguage::LocaleKey), comm_.locale()).decimalSeparator;
}

void PanelStep5::btnPreviewClick() { printer_.previewPage(sheet_, printJob(typedCopies().value_or(1)), window()); }

void PanelStep5::btnPanel5BackClick() { steps_.imgStep4Click(); }

void PanelStep5::btnExportResultsClick() {
    TLang &lang = lang_;
    const TLogic &logic = logic_;
    // Named in the class's language after both places and the day.
    const QString proposed = DocumentFolder::fileName(
        lang.GetText(QStringLiteral("fileResults")),
        {logic.Hei1.PlaceName, logic.Hei2.PlaceName, logic.MeasureDay().toString(Qt::ISODate)}, QStringLiteral(".csv"));
    const QString fileName = prompter_.chooseFile(
        Prompter::FileAccess::Save, lang.GetText(QStringLiteral("btnExportResults")),
        DocumentFolder::proposedPath(comm_, proposed), lang.GetText(QStringLiteral("dlgResultFiles")));
    if (fileName.isEmpty())
        return;
    DocumentFolder::remember(comm_, fileName);
    ResultsTable::write(logic_, [&lang](const QString &key) { return lang.GetText(key); },
                        ResultsTable::NumberFormat{decimalMark()}, fileName);
    prompter_.showMessage(DocumentFolder::savedText(lang.GetText(QStringLiteral("msgFileSaved")), fileName));
}
