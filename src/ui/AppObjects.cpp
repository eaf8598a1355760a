// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/AppObjects.h"

#include "draw/TDrawObj.h"
#include "lang/TLang.h"
#include "model/TLogic.h"
#include "session/TSession.h"
#include "store/TComm.h"

AppObjects::AppObjects() = default;
AppObjects::~AppObjects() = default;
