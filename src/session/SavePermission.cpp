// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/SavePermission.h"

#include "lang/TLang.h"
#include "platform/Prompter.h"
#include "session/LessonRecord.h"
#include "store/TComm.h"

bool mayWriteConfiguration(TComm &comm, TLang &lang, Prompter &prompter) {
    if (!comm.SavesAllowed) {
        prompter.showMessage(lang.GetText(QStringLiteral("msgFolderInUseNotSaved")));
        return false;
    }
    if (comm.CfgUnread) {
        if (prompter.confirm(lang.GetText(QStringLiteral("msgReplaceUnreadCfg")), Prompter::Buttons::YesNo) !=
            Prompter::Answer::Yes)
            return false;
        comm.CfgUnread = false;
    }
    return true;
}

void discardKeptLesson(const TComm &comm) {
    if (comm.SavesAllowed)
        LessonRecord::discard();
}
