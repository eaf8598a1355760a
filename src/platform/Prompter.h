// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

// Modal message boxes, as the model and the windows need them. The window implements it with
// real message boxes; tests answer from a script.
class Prompter {
public:
    enum class Buttons { YesNo, OkCancel };
    enum class Answer { Yes, No, Ok, Cancel, Closed };  // Closed: dismissed without a button

    virtual ~Prompter() = default;

    // A plain message with an OK button.
    virtual void showMessage(const QString &text) = 0;

    // A question; returns the button pressed, or Closed.
    virtual Answer confirm(const QString &text, Buttons buttons) = 0;
};
