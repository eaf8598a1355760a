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

// The one way both windows and the panels run an event handler: under the general error report,
// worded in the language loaded when the error is reported (a handler may load or free it).
// A guard for the shared objects runs a handler only while they exist: before the start window
// makes them and from the start of shut-down on, Comm is absent and nothing runs. The start
// window, which makes and frees them, runs its own handlers in any case.
class Guard {
public:
    enum class Runs { WhileObjectsExist, Always };

    Guard(AppObjects &objects, Prompter &prompter, Runs runs = Runs::WhileObjectsExist)
        : objects_(&objects), prompter_(&prompter), runs_(runs) {}

    template <typename Handler>
    void operator()(Handler &&handler) const {
        if (runs_ == Runs::WhileObjectsExist && !objects_->exist())
            return;
        try {
            std::forward<Handler>(handler)();
        } catch (const std::exception &e) {
            reportError(*prompter_, e, objects_->Lang.get());
        }
    }

    // Connects a signal to a handler that runs through this guard.
    template <typename Sender, typename Signal, typename Handler>
    void connect(Sender *sender, Signal signal, QObject *context, Handler handler) const {
        QObject::connect(sender, signal, context, [guard = *this, handler] { guard(handler); });
    }

private:
    AppObjects *objects_;
    Prompter *prompter_;
    Runs runs_;
};
