// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/SavePermission.h"

#include "lang/TLang.h"
#include "platform/Prompter.h"
#include "model/TLogic.h"
#include "session/LessonRecord.h"
#include "session/TSession.h"
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

void discardKeptLesson(const TComm &comm, const TSession &session) {
    if (comm.SavesAllowed && session.OtherKeptLesson.size() == 0)
        LessonRecord::discard();
}

LessonEnd keepRunAsLesson(const TSession &session, const TLogic &logic, TLang &lang, Prompter &prompter) {
    if (session.OtherKeptLesson.size() > 0 && LessonRecord::exists()) {
        const LessonRecord::About other = LessonRecord::aboutOf(session.OtherKeptLesson);
        const QString datedName = LessonRecord::datedFileName(other.measureDate);
        auto named = [](const QString &place) { return place.isEmpty() ? QStringLiteral("\u2013") : place; };
        const QString question =
            lang.GetText(QStringLiteral("msgReplaceLesson"), {other.measureDate.toString(logic.ShortDateFormat()),
                                                              named(other.place1), named(other.place2), datedName});
        switch (prompter.confirm(question, Prompter::Buttons::YesNo)) {
        case Prompter::Answer::Yes:
            break;
        case Prompter::Answer::No:
            return LessonEnd::Dropped;
        default:  // closed unanswered: both are kept
            LessonRecord::renameTo(datedName);
            break;
        }
    }
    LessonRecord::keep(session.Values);
    return LessonEnd::Kept;
}
