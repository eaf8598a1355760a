// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "platform/Prompter.h"

#include <QStringList>
#include <deque>
#include <stdexcept>

// A Prompter for tests: records every text shown and answers questions from a queue.
// A question with no scripted answer is a test fault and throws.
class ScriptedPrompter : public Prompter {
public:
    QStringList messages;   // texts of plain messages, in order
    QStringList questions;  // texts of questions, in order
    std::deque<Answer> answers;
    QStringList fileTitles;           // titles of the file dialogs, in order
    QStringList fileProposals;        // the folder or file each of them started at
    std::deque<QString> fileNames;    // the files chosen in them; "" closes a dialog

    void showMessage(const QString &text) override { messages.append(text); }

    Answer confirm(const QString &text, Buttons) override {
        questions.append(text);
        if (answers.empty())
            throw std::logic_error("ScriptedPrompter: unexpected question: " + text.toStdString());
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }

    QString chooseFile(FileAccess, const QString &title, const QString &suggestedName, const QString &) override {
        fileTitles.append(title);
        fileProposals.append(suggestedName);
        if (fileNames.empty())
            throw std::logic_error("ScriptedPrompter: unexpected file dialog: " + title.toStdString());
        const QString name = fileNames.front();
        fileNames.pop_front();
        return name;
    }

    void clear() {
        messages.clear();
        questions.clear();
        answers.clear();
        fileTitles.clear();
        fileProposals.clear();
        fileNames.clear();
    }
};
