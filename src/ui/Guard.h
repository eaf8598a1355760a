// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "platform/Prompter.h"
#include "ui/AppObjects.h"

#include <QObject>
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

// The one way the main window and its panels run a handler: only while the shared objects exist
// (before the start window makes them and from the start of shut-down on, Comm is absent and
// nothing runs), under the general error report, worded in the language in use.
class Guard {
public:
    Guard(AppObjects &objects, Prompter &prompter) : objects_(&objects), prompter_(&prompter) {}

    template <typename Handler>
    void operator()(Handler &&handler) const {
        guarded(
            *prompter_,
            [&] {
                if (objects_->exist())
                    handler();
            },
            objects_->Lang.get());
    }

    // Connects a signal to a handler that runs through this guard.
    template <typename Sender, typename Signal, typename Handler>
    void connect(Sender *sender, Signal signal, QObject *context, Handler handler) const {
        QObject::connect(sender, signal, context, [guard = *this, handler] { guard(handler); });
    }

private:
    AppObjects *objects_;
    Prompter *prompter_;
};
