// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/AppObjects.h"

#include "draw/TDrawObj.h"
#include "lang/TLang.h"
#include "model/TLogic.h"
#include "platform/Prompter.h"
#include "report/ResultSheetLayout.h"
#include "session/LessonRecord.h"
#include "session/TSession.h"
#include "store/TComm.h"

AppObjects::AppObjects() : ResultSheet(report::resultSheetPage()) {}
AppObjects::~AppObjects() = default;

void AppObjects::release() {
    if (std::unique_ptr<TComm> comm = std::move(Comm))
        comm->Done();
    if (Lang)
        Lang->Done();
    Lang.reset();
    CurrHei = nullptr;
    if (Logic)
        Logic->Done();
    Logic.reset();
    DrawStep2.reset();
    DrawStep4.reset();
    DrawStep5.reset();
    if (Session)
        Session->Done();
    Session.reset();
}

bool holdsUnprintedWork(const AppObjects &objects) {
    if (!objects.Logic)
        return false;
    const TLogic &logic = *objects.Logic;
    return !logic.Printed && (logic.Hei1.State > 0 || logic.Hei2.State > 0 || logic.EarthState > 0);
}

void discardKeptLesson(const AppObjects &objects) {
    if (objects.Comm && objects.Comm->SavesAllowed)
        LessonRecord::discard();
}

bool mayWriteConfiguration(const AppObjects &objects, Prompter &prompter) {
    TComm &comm = *objects.Comm;
    if (!comm.SavesAllowed) {
        prompter.showMessage(objects.Lang->GetText(QStringLiteral("msgFolderInUseNotSaved")));
        return false;
    }
    if (comm.CfgUnread) {
        if (prompter.confirm(objects.Lang->GetText(QStringLiteral("msgReplaceUnreadCfg")), Prompter::Buttons::YesNo) !=
            Prompter::Answer::Yes)
            return false;
        comm.CfgUnread = false;
    }
    return true;
}
