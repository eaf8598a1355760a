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

    // The name of a file to write (Save) or to read (Open), asked in the toolkit's file dialog
    // that starts at suggestedName; filter names the files offered ("Readings (*.txt)"). Empty
    // when the dialog was closed without a file. A prompter that cannot ask gives empty.
    enum class FileAccess { Save, Open };
    virtual QString chooseFile(FileAccess access, const QString &title, const QString &suggestedName,
                               const QString &filter) {
        (void)access, (void)title, (void)suggestedName, (void)filter;
        return {};
    }
};
