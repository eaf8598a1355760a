// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TStartForm.h"

#include "draw/TDrawObj.h"
#include "lang/TLang.h"
#include "model/TLogic.h"
#include "session/TSession.h"
#include "store/TComm.h"
#include "platform/BuiltInText.h"
#include "platform/Prompter.h"
#include "ui/Anchors.h"
#include "ui/FocusRing.h"
#include "ui/Guard.h"
#include "ui/PanelStep2.h"
#include "ui/PanelStep4.h"
#include "ui/PanelStep5.h"
#include "ui/PictureBox.h"
#include "ui/TMainForm.h"
#include "ui/WindowFont.h"
#include "ui_StartForm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLockFile>
#include <QScreen>
#include <QPainter>
#include <QPixmap>

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
    ui->edStartText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ui->edStartText->document()->setDocumentMargin(3);
    installAnchors(this);
    new FocusRing(this);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    connect(ui->btnStartEnter, &QPushButton::clicked, this,
            [this] { guarded(prompter_, [this] { btnStartEnterClick(); }); });
}

TStartForm::~TStartForm() {
    FormCloseQuery();  // frees what is left if the window was never closed
}

void TStartForm::setMainForm(TMainForm *mainForm) {
    mainForm_ = mainForm;
    mainForm_->setClosedHandler([this] { offerSaveConfig(); });
    mainForm_->setStartShowHandler([this] { FormShow(); });
}

QCheckBox *TStartForm::saveConfigBox() const { return ui->cbSaveConfig; }

void TStartForm::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    if (!event->spontaneous())  // not when restored from the task bar
        guarded(prompter_, [this] { FormShow(); });
}

void TStartForm::keyPressEvent(QKeyEvent *event) {
    // The start button is the window's default button: Enter opens the main window from any
    // control (a plain window, unlike a dialog, has no default button of its own).
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && event->modifiers() == Qt::NoModifier) {
        guarded(prompter_, [this] { btnStartEnterClick(); });
        return;
    }
    QWidget::keyPressEvent(event);
}

void TStartForm::closeEvent(QCloseEvent *event) {
    bool keepRunning = false;
    guarded(prompter_, [&] { keepRunning = !mayEndRun(); });
    if (keepRunning) {
        event->ignore();
        return;
    }
    guarded(prompter_, [this] { FormCloseQuery(); });
    event->accept();
    if (mainForm_)
        mainForm_->hide();
    QCoreApplication::quit();
}

bool TStartForm::mayEndRun() {
    return !holdsUnprintedWork(objects_) ||
           prompter_.confirm(objects_.Lang->GetText(QStringLiteral("msgAreYouSure")), Prompter::Buttons::OkCancel) ==
               Prompter::Answer::Ok;
}

void TStartForm::FormShow() {
    if (!objects_.exist() && !(createSharedObjects() && claimWorkingFolder()))
        return;
    TLang &lang = *objects_.Lang;
    setWindowTitle(lang.GetText(QStringLiteral("StartForm")));
    ui->edStartText->setPlainText(lang.GetLines(QStringLiteral("edStartText"), 7));
    ui->btnStartEnter->setText(lang.GetText(QStringLiteral("btnStartEnter")));
    ui->cbSaveConfig->setText(lang.GetText(QStringLiteral("cbSaveConfig")));
}

bool TStartForm::createSharedObjects() {
    // All of them or none: a failure half-way (memory, a file the toolkit cannot read) would leave
    // the windows with some objects missing, and the first click would reach for one.
    try {
        objects_.Session = std::make_unique<TSession>();
        objects_.Session->Init();
        objects_.Comm = std::make_unique<TComm>(prompter_, locale_);
        objects_.Comm->Init();
        objects_.Lang = std::make_unique<TLang>(*objects_.Comm, prompter_, *mainForm_);
        objects_.Lang->Init();
        objects_.Logic = std::make_unique<TLogic>(*objects_.Comm, *objects_.Lang, prompter_, *mainForm_,
                                                  *objects_.Session, clock_);
        objects_.Logic->Init();
        objects_.CurrHei = nullptr;
        objects_.DrawStep2 =
            std::make_unique<TDrawObj>(*objects_.Lang, *objects_.Logic, mainForm_->panelStep2()->image());
        objects_.DrawStep2->Init(2);
        objects_.DrawStep4 =
            std::make_unique<TDrawObj>(*objects_.Lang, *objects_.Logic, mainForm_->panelStep4()->image());
        objects_.DrawStep4->Init(4);
        // DrawStep5 fills the result sheet that the print panel keeps, dated by the model's clock.
        objects_.DrawStep5 = std::make_unique<TDrawObj>(
            *objects_.Lang, *objects_.Logic,
            ResultSheetBinding{&mainForm_->panelStep5()->sheet(), objects_.Session.get(), clock_});
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
    folderLock_ = std::make_unique<QLockFile>(LockFileName);
    // Held for the whole run, however long: only a copy that has died leaves a stale lock.
    folderLock_->setStaleLockTime(0);
    if (folderLock_->tryLock(0) || folderLock_->error() != QLockFile::LockFailedError)
        return true;  // a folder where no lock can be made at all fails at the first save instead
    folderLock_.reset();
    if (prompter_.confirm(objects_.Lang->GetText(QStringLiteral("msgFolderInUse")), Prompter::Buttons::YesNo) ==
        Prompter::Answer::Yes) {
        objects_.Comm->SavesAllowed = false;
        return true;
    }
    objects_.release();
    QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
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
        guarded(prompter_, [this] {
            if (mayWriteConfiguration(objects_, prompter_))
                objects_.Comm->SaveCfg();
        });
    objects_.release();
    folderLock_.reset();  // the folder is free for the next copy
}
