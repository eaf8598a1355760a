// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "platform/Prompter.h"

#include <exception>
#include <utility>

class TLang;

// The general error report: shows an error that an event handler raised in a message box, after
// which the program runs on. A file error or a lack of memory is worded in the language in use
// (lang, when one is loaded); anything else shows its own text.
void reportError(Prompter &prompter, const std::exception &error, TLang *lang);

// Runs an event handler under the general error report.
template <typename Handler>
void guarded(Prompter &prompter, Handler &&handler, TLang *lang = nullptr) {
    try {
        std::forward<Handler>(handler)();
    } catch (const std::exception &e) {
        reportError(prompter, e, lang);
    }
}
