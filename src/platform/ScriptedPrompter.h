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

    void showMessage(const QString &text) override { messages.append(text); }

    Answer confirm(const QString &text, Buttons) override {
        questions.append(text);
        if (answers.empty())
            throw std::logic_error("ScriptedPrompter: unexpected question: " + text.toStdString());
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }

    void clear() {
        messages.clear();
        questions.clear();
        answers.clear();
    }
};
