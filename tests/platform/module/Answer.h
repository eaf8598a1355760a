// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>

// The interface of the module loader's test modules, in this version and the next.
class Answer {
public:
    virtual ~Answer() = default;
    virtual int answer() const = 0;
};
class AnswerNext : public Answer {};

#define GnomoraTestAnswer_iid "org.gnomora.test.Answer/1"
#define GnomoraTestAnswerNext_iid "org.gnomora.test.Answer/2"
Q_DECLARE_INTERFACE(Answer, GnomoraTestAnswer_iid)
Q_DECLARE_INTERFACE(AnswerNext, GnomoraTestAnswerNext_iid)
