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
class Prompter;

// The objects shared by both windows for the whole run. The start window creates them on its
// first showing and frees them when it closes; until then (and from the start of shut-down on)
// Comm is absent, which the windows' handlers test before touching any of them.
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
    report::ReportPage ResultSheet;
};

// The run holds measured values (a time, lengths, a distance) that no printed sheet has kept yet:
// clearing them or ending the program asks first.
bool holdsUnprintedWork(const AppObjects &objects);

// The lesson kept from an earlier run is finished (printed) or given up (reset, clear-all): its file
// goes. Not while another copy works in the folder: that copy's file is not this one's to remove.
void discardKeptLesson(const AppObjects &objects);

// Whether the configuration file may be written now. Never while another copy of the program works
// in the folder (the user is told so); a file that could not be read at start only when the user
// agrees to replace it.
bool mayWriteConfiguration(const AppObjects &objects, Prompter &prompter);
