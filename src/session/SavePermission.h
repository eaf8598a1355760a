// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class TComm;
class TLang;
class Prompter;

// What this copy of the program may write or remove in the working folder. Nothing while another
// copy works there (TComm::SavesAllowed false): the files are that copy's.

// Whether the configuration file may be written now. Never while another copy of the program works
// in the folder (the user is told so with msgFolderInUseNotSaved); a file that could not be read at
// start only when the user agrees to replace it (msgReplaceUnreadCfg, Yes), which is asked once.
bool mayWriteConfiguration(TComm &comm, TLang &lang, Prompter &prompter);

// The lesson kept from an earlier run is finished (printed) or given up (reset, clear-all): its file
// goes, unless another copy works in the folder.
void discardKeptLesson(const TComm &comm);
