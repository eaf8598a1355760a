// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TStartForm.h"

#include "draw/TDrawObj.h"
#include "lang/TLang.h"
#include "lang/WorkFolderUpdate.h"
#include "model/TLogic.h"
#include "session/LessonRecord.h"
#include "session/SavePermission.h"
#include "session/TSession.h"
#include "store/TComm.h"
#include "lang/FileErrorText.h"
#include "platform/BuiltInText.h"
#include "platform/FileIo.h"
#include "platform/FolderLock.h"
#include "platform/Prompter.h"
#include "ui/Anchors.h"
#include "ui/FocusRing.h"
#include "ui/Guard.h"
#include "ui/TMainForm.h"
#include "ui/WindowFont.h"
#include "ui_StartForm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QScreen>
#include <QPainter>
#include <QPixmap>
#include <utility>

namespace {

// The start button's glyph, drawn here: looking it up in the desktop's icon theme costs more
// start-up time than all of the start window.
QIcon checkMark() {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0, 128, 0), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(QPolygonF({QPointF(2.5, 8.5), QPointF(6.5, 12.5), QPointF(13.5, 3.5)}));
    return QIcon(pixmap);
}

}  // namespace

TStartForm::TStartForm(Prompter &prompter, Locale locale, Clock clock)
    : ui(std::make_unique<Ui::StartForm>()), prompter_(prompter), locale_(locale), clock_(std::move(clock)) {
    ui->setupUi(this);
    setFont(windowFont(13));
    resize(426, 209);
    ui->btnStartEnter->setIcon(checkMark());
    // The welcome text is disabled (nothing to edit or select) but must stay easy to read.
    QPalette readable = ui->edStartText->palette();
    for (auto role : {QPalette::Text, QPalette::Base})
        readable.setColor(QPalette::Disabled, role, readable.color(QPalette::Active, role));
    ui->edStartText->setPalette(readable);
    installAnchors(this);
    new FocusRing(this);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    guard_.connect(ui->btnStartEnter, &QPushButton::clicked, this, [this] { btnStartEnterClick(); });
}

TStartForm::~TStartForm() {
    FormCloseQuery();  // frees what is left if the window was never closed
}

void TStartForm::setMainForm(TMainForm *mainForm) {
    mainForm_ = mainForm;
    mainForm_->setClosedHandler([this] { offerSaveConfig(); });
    mainForm_->views().setTextsRefresh([this] { refreshWindowTexts(); });
}

void TStartForm::refreshWindowTexts() {
    FormShow();
    mainForm_->refreshTexts();
}

QCheckBox *TStartForm::saveConfigBox() const { return ui->cbSaveConfig; }

void TStartForm::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    if (!event->spontaneous())  // not when restored from the task bar
        guard_([this] { FormShow(); });
}

void TStartForm::keyPressEvent(QKeyEvent *event) {
    // The start button is the window's default button: Enter opens the main window from any
    // control (a plain window, unlike a dialog, has no default button of its own).
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && event->modifiers() == Qt::NoModifier) {
        guard_([this] { btnStartEnterClick(); });
        return;
    }
    QWidget::keyPressEvent(event);
}

void TStartForm::closeEvent(QCloseEvent *event) {
    bool keepRunning = false;
    guard_([&] { keepRunning = !mayEndRun(); });
    if (keepRunning) {
        event->ignore();
        return;
    }
    guard_([this] { FormCloseQuery(); });  // an error after it freed the language is not worded
    event->accept();
    if (mainForm_)
        mainForm_->hide();
    QCoreApplication::quit();
}

bool TStartForm::mayEndRun() {
    return !objects_.Logic || !objects_.Logic->HoldsUnprintedWork() || keepLesson() ||
           prompter_.confirm(objects_.Lang->GetText(QStringLiteral("msgAreYouSure")), Prompter::Buttons::OkCancel) ==
               Prompter::Answer::Ok;
}

bool TStartForm::keepLesson() {
    if (!objects_.Comm->SavesAllowed || !mainForm_)
        return false;
    bool settled = false;
    // A failure to write is shown as any other; the question then follows.
    guard_([&] {
        mainForm_->storeShownPanels();
        keepRunAsLesson(*objects_.Session, *objects_.Logic, *objects_.Lang, prompter_);
        settled = true;
    });
    return settled;
}

void TStartForm::offerKeptLesson() {
    if (!objects_.exist() || !objects_.Comm->SavesAllowed || !LessonRecord::exists())
        return;
    TLang &lang = *objects_.Lang;
    // Only a lesson that can be continued is offered; any other file is refused once and set
    // aside, so that the next start asks nothing.
    const std::optional<NameValueList> record = LessonRecord::read(*objects_.Comm);
    if (!record) {
        prompter_.showMessage(lang.GetText(QStringLiteral("msgLessonRefused")));
        LessonRecord::setAside();
        return;
    }
    QString question = lang.GetText(QStringLiteral("msgContinueLesson"));
    QStringList older;
    for (const QString &name : LessonRecord::olderLessons())
        older << QDir::toNativeSeparators(QFileInfo(name).absoluteFilePath());
    if (!older.isEmpty())
        question += QStringLiteral("\n\n") + lang.GetText(QStringLiteral("msgOtherLessonKept"), {older.join(QStringLiteral(", "))});
    switch (prompter_.confirm(question, Prompter::Buttons::YesNo)) {
    case Prompter::Answer::Yes:
        objects_.Session->RestoreLesson(*record, *objects_.Logic, *objects_.Comm);
        break;
    case Prompter::Answer::No:
        LessonRecord::discard();
        break;
    default:  // the question closed unanswered: this run starts fresh; the kept lesson is another's
        objects_.Session->OtherKeptLesson = *record;
        break;
    }
}

void TStartForm::FormShow() {
    if (!objects_.exist()) {
        if (!(createSharedObjects() && claimWorkingFolder()))
            return;
        if (const QString update = folderUpdateText(std::exchange(folderUpdate_, {}), *objects_.Lang);
            !update.isEmpty())
            prompter_.showMessage(update);
        offerKeptLesson();
    }
    TLang &lang = *objects_.Lang;
    toolkitLanguage_.use(lang.Texts.value(ToolkitLanguage::LocaleKey));
    setWindowTitle(lang.GetText(QStringLiteral("StartForm")));
    ui->edStartText->setPlainText(lang.GetLines(QStringLiteral("edStartText"), 7));
    ui->edStartText->setAccessibleName(lang.GetText(QStringLiteral("accStartText")));
    ui->btnStartEnter->setText(lang.GetText(QStringLiteral("btnStartEnter")));
    ui->cbSaveConfig->setText(lang.GetText(QStringLiteral("cbSaveConfig")));
}

bool TStartForm::createSharedObjects() {
    toolkitLanguage_.use(QString());  // until a language file is read: the system's language
    // All of them or none: a failure half-way (memory, a file the toolkit cannot read) would leave
    // the windows with some objects missing, and the first click would reach for one.
    try {
        objects_.Session = std::make_unique<TSession>();
        objects_.Session->Init();
        objects_.Comm = std::make_unique<TComm>(prompter_, locale_);
        objects_.Comm->Init();
        objects_.Lang = std::make_unique<TLang>(*objects_.Comm, prompter_, mainForm_->views());
        objects_.Lang->Init();
        // Questions from here on (the folder in use, a kept lesson) have buttons in its language.
        toolkitLanguage_.use(objects_.Lang->Texts.value(ToolkitLanguage::LocaleKey));
        if (objects_.Comm->CfgReadError)
            reportError(prompter_, *objects_.Comm->CfgReadError, objects_.Lang.get());
        objects_.Logic = std::make_unique<TLogic>(*objects_.Comm, *objects_.Lang, prompter_, mainForm_->views(),
                                                  *objects_.Session, clock_);
        objects_.Logic->Init();
        objects_.CurrHei = nullptr;
        // The measurement panels are built on first use; their pictures' controls stand in till then.
        objects_.DrawStep2 = std::make_unique<TDrawObj>(*objects_.Lang, *objects_.Logic, mainForm_->canvasStep2());
        objects_.DrawStep2->Init(2);
        objects_.DrawStep4 = std::make_unique<TDrawObj>(*objects_.Lang, *objects_.Logic, mainForm_->canvasStep4());
        objects_.DrawStep4->Init(4);
        // DrawStep5 fills the result sheet, issued on the day of printing.
        objects_.DrawStep5 = std::make_unique<TDrawObj>(
            *objects_.Lang, *objects_.Logic, ResultSheetBinding{&objects_.ResultSheet, objects_.Session.get(), clock_});
        objects_.DrawStep5->Init(5);
        return true;
    } catch (const std::exception &e) {
        objects_.release();
        const QString reason = dynamic_cast<const std::bad_alloc *>(&e) ? builtInText(BuiltInText::OutOfMemory)
                                                                         : QString::fromLocal8Bit(e.what());
        prompter_.showMessage(builtInText(BuiltInText::CannotStart).arg(reason));
        // The program cannot run without its objects: it ends as soon as its event loop runs.
        QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
        return false;
    }
}

bool TStartForm::claimWorkingFolder() {
    TLang &lang = *objects_.Lang;
    auto lock = std::make_unique<FolderLock>(LockFileName);
    FolderLock::Outcome outcome;
    try {
        outcome = lock->claim();
    } catch (const FileError &error) {
        prompter_.showMessage(folderLockRefusedText(error, lang));
        objects_.Comm->SavesAllowed = false;
        return true;
    }
    // A folder where no lock can be made at all fails at the first save instead.
    if (outcome == FolderLock::Outcome::Claimed || outcome == FolderLock::Outcome::Unlockable ||
        (outcome == FolderLock::Outcome::HeldUnjudged && askToTakeOverLock(*lock))) {
        folderLock_ = std::move(lock);
        return true;
    }
    if (prompter_.confirm(lang.GetText(QStringLiteral("msgFolderInUse")), Prompter::Buttons::YesNo) ==
        Prompter::Answer::Yes) {
        objects_.Comm->SavesAllowed = false;
        return true;
    }
    objects_.release();
    QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    return false;
}

bool TStartForm::askToTakeOverLock(FolderLock &lock) {
    const QString question = folderLockQuestion(lock.holder(), LockFileName, *objects_.Lang);
    if (prompter_.confirm(question, Prompter::Buttons::YesNo) != Prompter::Answer::Yes)
        return false;
    try {
        if (lock.takeOver())
            return true;
    } catch (const FileError &) {
        // replaced by something else in between: the usual question follows
    }
    return false;
}

void TStartForm::btnStartEnterClick() {
    mainForm_->show();
    mainForm_->raise();
    QCoreApplication::processEvents();  // let the main window paint before it takes the focus
    mainForm_->activateWindow();
}

void TStartForm::offerSaveConfig() {
    if (objects_.exist() && objects_.Comm->SavesAllowed)
        ui->cbSaveConfig->setVisible(true);
}

void TStartForm::FormCloseQuery() {
    if (!objects_.exist())
        return;
    // A failed save is reported; the program ends all the same (the old file stays as it was).
    if (ui->cbSaveConfig->isVisible() && ui->cbSaveConfig->isChecked())
        guard_([this] {
            if (mayWriteConfiguration(*objects_.Comm, *objects_.Lang, prompter_))
                objects_.Comm->SaveCfg();
        });
    objects_.release();
    folderLock_.reset();  // the folder is free for the next copy
}
