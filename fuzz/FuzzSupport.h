// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Shared pieces of the libFuzzer harnesses: a failed invariant stops the run like a sanitizer
// report, and fakes of the windows that the model and language objects talk to.
#include "lang/LangView.h"
#include "model/LatitudeView.h"
#include "platform/Prompter.h"

#include <QString>
#include <cstdio>
#include <cstdlib>
#include <deque>

// Stops the fuzzer with a message when an invariant does not hold; libFuzzer keeps the input.
#define FUZZ_CHECK(condition, ...)                                                        \
    do {                                                                                  \
        if (!(condition)) {                                                               \
            std::fprintf(stderr, "%s:%d: invariant failed: %s\n", __FILE__, __LINE__, #condition); \
            std::fprintf(stderr, "" __VA_ARGS__);                                         \
            std::fputc('\n', stderr);                                                     \
            std::abort();                                                                 \
        }                                                                                 \
    } while (0)

// Answers questions from bytes of the input; with none left the question is closed unanswered.
class FuzzPrompter : public Prompter {
public:
    std::deque<unsigned char> answers;
    int shown = 0;

    void showMessage(const QString &) override { ++shown; }
    Answer confirm(const QString &, Buttons) override {
        if (answers.empty())
            return Answer::Closed;
        const unsigned char a = answers.front();
        answers.pop_front();
        return static_cast<Answer>(a % 5);
    }
};

class NullLatitudeView : public LatitudeView {
public:
    void setLatitudeCaption(int, const QString &) override {}
};

class NullLangView : public LangView {
public:
    void setLanguageFileCaption(const QString &) override {}
};
