// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "report/ReportPage.h"

#include <memory>

class TSession;
class TComm;
class TLang;
class TLogic;
class THeiObj;
class TDrawObj;

// The objects shared by both windows for the whole run. The start window creates them on its
// first showing and frees them when it closes; until then (and from the start of shut-down on)
// Comm is absent, which the windows' guards test before running any handler. Each panel is
// handed the ones it uses when it is built.
struct AppObjects {
    AppObjects();
    ~AppObjects();
    AppObjects(const AppObjects &) = delete;
    AppObjects &operator=(const AppObjects &) = delete;

    bool exist() const { return Comm != nullptr; }
    // Frees whatever exists, in the order of shut-down: Comm, Lang, Logic (with the places), the
    // drawing objects, Session. Comm goes first, so that no handler touches the others meanwhile.
    void release();

    std::unique_ptr<TSession> Session;
    std::unique_ptr<TComm> Comm;
    std::unique_ptr<TLang> Lang;
    std::unique_ptr<TLogic> Logic;
    THeiObj *CurrHei = nullptr;  // the place the measurement panel shows; borrowed
    std::unique_ptr<TDrawObj> DrawStep2;
    std::unique_ptr<TDrawObj> DrawStep4;
    std::unique_ptr<TDrawObj> DrawStep5;
    // The result sheet's page: DrawStep5 fills it, the print panel prints and previews it.
    Report::ReportPage ResultSheet;
};
