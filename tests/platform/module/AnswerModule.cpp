// SPDX-License-Identifier: GPL-3.0-or-later
// A module for the module loader's tests. ANSWER_<kind> chooses what it is: a plugin of the
// interface the tests ask for (current), of its next version (newer), of another interface
// (other), one whose plugin data names the interface that its root object does not implement
// (undeclared), one whose root object is of another class that claims the interface's id for an
// interface of its own (foreign), or a library without plugin data, as modules were before they
// were plugins (plain).
#include "Answer.h"

#include <QObject>
#include <QtPlugin>

// Says that the module's code ran, as soon as the module is loaded: a refused module's must not.
namespace {
const struct Ran {
    Ran() { qputenv("GNOMORA_TEST_MODULE_RAN", ANSWER_KIND); }
} ran;
}  // namespace

#if defined(ANSWER_plain)

extern "C" __attribute__((visibility("default"))) int gnomora_test_answer() { return 42; }

#elif defined(ANSWER_foreign)

// Another program's interface under the same id: it has no answer(), so calling that through it
// would jump past the end of its function table.
class Foreign {
public:
    virtual ~Foreign() = default;
};
Q_DECLARE_INTERFACE(Foreign, GnomoraTestAnswer_iid)

class ForeignModule : public QObject, public Foreign {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID GnomoraTestAnswer_iid)
    Q_INTERFACES(Foreign)
};

#include "AnswerModule.moc"

#else

#if defined(ANSWER_current)
#define ANSWER_IID GnomoraTestAnswer_iid
#define ANSWER_INTERFACES Q_INTERFACES(Answer)
#elif defined(ANSWER_newer)
#define ANSWER_IID GnomoraTestAnswerNext_iid
#define ANSWER_INTERFACES Q_INTERFACES(AnswerNext)
#elif defined(ANSWER_other)
#define ANSWER_IID "org.gnomora.test.Other/1"
#define ANSWER_INTERFACES
#elif defined(ANSWER_undeclared)
#define ANSWER_IID GnomoraTestAnswer_iid
#define ANSWER_INTERFACES
#endif

class AnswerModule : public QObject, public AnswerNext {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID ANSWER_IID)
    ANSWER_INTERFACES
public:
    int answer() const override { return 42; }
};

#include "AnswerModule.moc"

#endif
