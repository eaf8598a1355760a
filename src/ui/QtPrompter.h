// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "platform/Prompter.h"

class QWidget;

// Message boxes and file dialogs of the windowing toolkit, modal to the program's window: the one in
// front (the main window, a preview) while one of the program's windows is active, else the window
// given (the start window, which lives for the whole run), so that a dialog never hides behind a
// window. When a dialog closes, the window in front gets the keyboard focus back on the control
// that had it.
class QtPrompter : public Prompter {
public:
    explicit QtPrompter(QWidget *parent = nullptr) : parent_(parent) {}
    void setParent(QWidget *parent) { parent_ = parent; }

    void showMessage(const QString &text) override;
    Answer confirm(const QString &text, Buttons buttons) override;
    QString chooseFile(FileAccess access, const QString &title, const QString &suggestedName,
                       const QString &filter) override;

private:
    QWidget *boxParent() const;

    QWidget *parent_;
};
