// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "platform/Clock.h"
#include "platform/Locale.h"
#include "platform/WorkFolder.h"
#include "store/NameValueList.h"
#include "ui/AppObjects.h"
#include "ui/Guard.h"
#include "ui/ToolkitLanguage.h"

#include <QWidget>
#include <memory>

namespace Ui { class StartForm; }
class Prompter;
class TMainForm;
class QCheckBox;
class FolderLock;

// The small window that opens first and stays open for the whole run: a welcome text and the
// button that opens the main window. It owns the shared objects: it creates them on its first
// showing, in an order where each uses the ones before it, and frees them when it is closed,
// which ends the program.
class TStartForm : public QWidget {
    Q_OBJECT
public:
    // Held in the working folder while a copy of the program runs there.
    static inline const QString LockFileName = QStringLiteral(".gnomora.lock");

    TStartForm(Prompter &prompter, Locale locale = Locale::system(), Clock clock = systemClock());
    ~TStartForm() override;

    // The main window must exist before the first showing (the language object writes into its
    // panel views).
    void setMainForm(TMainForm *mainForm);
    // The language changed: both windows fetch all their texts again, exactly as when they are
    // shown, this one first, then the main window (which reopens the step it showed).
    void refreshWindowTexts();
    AppObjects &objects() { return objects_; }

    // Creates the shared objects on the first call, then (every time) applies the texts.
    void FormShow();
    void btnStartEnterClick();
    // Saves the configuration if asked to, then frees the shared objects in their order.
    void FormCloseQuery();
    // The main window has been closed: the choice to save the settings is offered from now on.
    void offerSaveConfig();

    QCheckBox *saveConfigBox() const;
    const ToolkitLanguage &toolkitLanguage() const { return toolkitLanguage_; }

    // What preparing the working folder did to the copies of an older release: said once, after
    // the language is loaded, before a kept lesson is offered.
    void setFolderUpdate(const WorkFolder::Update &update) { folderUpdate_ = update; }

    // Run at the first start: a lesson kept by the last run (LessonRecord) is offered with
    // msgContinueLesson (Yes/No), followed by msgOtherLessonKept (%1 where) when older lessons are
    // kept beside it. Yes continues it (TSession::RestoreLesson); No removes it; the question
    // closed without an answer starts this run fresh and leaves the file as another lesson
    // (TSession::OtherKeptLesson), which the end of this run asks about before replacing it. A file
    // that is no kept lesson (damaged, foreign) is not offered: it is refused with msgLessonRefused
    // and set aside (LessonRecord::setAside); the run starts fresh. Nothing is offered while
    // another copy works in the folder.
    void offerKeptLesson();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // Creates the shared objects in their order; false (all freed, the reason shown and the
    // program ending) when any of them cannot be made.
    bool createSharedObjects();
    // Locks the working folder for this copy of the program. A lock this computer cannot judge
    // (from another computer, or naming no process) may be taken over after a question. When
    // another copy holds the folder, asks whether to run without saving anything; false (objects
    // freed, program ending) if not. A lock that is not a small regular file is reported, and this
    // copy saves nothing.
    bool claimWorkingFolder();
    bool askToTakeOverLock(FolderLock &lock);
    // Ending the program: a run holding unprinted measured values is kept as a lesson for the
    // next start (LessonRecord), which makes the question msgAreYouSure needless. Only where it
    // cannot be kept (another copy works in the folder, the file cannot be written) is it asked.
    bool mayEndRun();
    // Stores the panels' values into the session record and keeps it (keepRunAsLesson, which
    // asks before replacing another lesson); false when the run's end is not settled: it could
    // not be kept.
    bool keepLesson();

    std::unique_ptr<Ui::StartForm> ui;
    Prompter &prompter_;
    Locale locale_;
    Clock clock_;
    TMainForm *mainForm_ = nullptr;
    AppObjects objects_;
    Guard guard_{objects_, prompter_, Guard::Runs::Always};  // this window makes and frees the objects
    std::unique_ptr<FolderLock> folderLock_;
    WorkFolder::Update folderUpdate_;
    ToolkitLanguage toolkitLanguage_;
};
