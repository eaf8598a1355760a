// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "platform/WorkFolder.h"

#include <QString>

class TLang;

// The program's rules for bringing a working folder's copies up to a new release: the
// configuration is never replaced, even untouched, and a language file the teacher changed keeps
// every text and gains the keys it lacks with the new release's texts, appended at its end as a
// reload appends the keys it looks up (a key the program had marked "." as missing takes the new
// text in its place). No other changed file is touched.
WorkFolder::Rules shippedFileRules();

// The message that tells the teacher once what the upgrade did, in the language in use; empty
// when it did nothing.
QString folderUpdateText(const WorkFolder::Update &update, TLang &lang);
