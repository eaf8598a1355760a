// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/AppObjects.h"

#include "draw/TDrawObj.h"
#include "lang/TLang.h"
#include "model/TLogic.h"
#include "report/ResultSheetLayout.h"
#include "session/TSession.h"
#include "store/TComm.h"

AppObjects::AppObjects() : ResultSheet(Report::resultSheetPage()) {}
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
