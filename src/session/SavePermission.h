// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class TComm;
class TLang;
class TLogic;
class TSession;
class Prompter;

// What this copy of the program may write or remove in the working folder. Nothing while another
// copy works there (TComm::SavesAllowed false): the files are that copy's.

// Whether the configuration file may be written now. Never while another copy of the program works
// in the folder (the user is told so with msgFolderInUseNotSaved); a file that could not be read at
// start only when the user agrees to replace it (msgReplaceUnreadCfg, Yes), which is asked once.
bool mayWriteConfiguration(TComm &comm, TLang &lang, Prompter &prompter);

// This run's lesson is finished (printed) or given up (reset, clear-all): the kept lesson's file
// goes when it is this run's (continued), unless another copy works in the folder. Another
// lesson, which this run did not continue, stays.
void discardKeptLesson(const TComm &comm, const TSession &session);

// How a run that holds unprinted measurements ends.
enum class LessonEnd {
    Kept,     // its record is the kept lesson now
    Dropped,  // the teacher chose to keep another lesson instead; this run is not kept
};
// Writes the run's record as the kept lesson (FileError on failure). Over another lesson that
// this run did not continue (TSession::OtherKeptLesson), asks first with msgReplaceLesson (%1 its
// date, %2 and %3 its places, %4 the name it would take beside this one): Yes replaces it; No
// keeps it and drops this run; the question closed keeps both, the other one renamed for its
// date (LessonRecord::datedFileName) and this run's as the newest.
LessonEnd keepRunAsLesson(const TSession &session, const TLogic &logic, TLang &lang, Prompter &prompter);
