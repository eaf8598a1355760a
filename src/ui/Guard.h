// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "platform/Prompter.h"

#include <exception>
#include <utility>

// The general error report: runs an event handler and shows any error it raises in a message box,
// after which the program runs on.
template <typename Handler>
void guarded(Prompter &prompter, Handler &&handler) {
    try {
        std::forward<Handler>(handler)();
    } catch (const std::exception &e) {
        prompter.showMessage(QString::fromUtf8(e.what()));
    }
}
