// SPDX-License-Identifier: GPL-3.0-or-later
// The real message boxes and file dialogs: how each way of answering or dismissing a question is
// reported, and where the focus goes afterwards.
#include "ui/QtPrompter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

using Answer = Prompter::Answer;
using Buttons = Prompter::Buttons;

// Asks a real question and, once the box is up, acts on it as the user would.
Answer askAndAct(Buttons buttons, const std::function<void(QMessageBox &)> &act) {
    bool acted = false;
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        acted = true;
        act(*box);
    });
    QtPrompter prompter;
    const Answer answer = prompter.confirm(QStringLiteral("Which one?"), buttons);
    EXPECT_TRUE(acted) << "the question did not open a modal box";
    return answer;
}

void clickStandard(QMessageBox &box, QMessageBox::StandardButton which) {
    QAbstractButton *button = box.button(which);
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
}

void pressEscape(QMessageBox &box) { QTest::keyClick(&box, Qt::Key_Escape); }

void closeFromTitleBar(QMessageBox &box) {
    QCloseEvent event;  // what the window manager's close button sends
    QApplication::sendEvent(&box, &event);
}

TEST(QtPrompter, YesNoQuestionReportsTheButtonPressed) {
    EXPECT_EQ(askAndAct(Buttons::YesNo, [](QMessageBox &b) { clickStandard(b, QMessageBox::Yes); }), Answer::Yes);
    EXPECT_EQ(askAndAct(Buttons::YesNo, [](QMessageBox &b) { clickStandard(b, QMessageBox::No); }), Answer::No);
}

TEST(QtPrompter, OkCancelQuestionReportsTheButtonPressed) {
    EXPECT_EQ(askAndAct(Buttons::OkCancel, [](QMessageBox &b) { clickStandard(b, QMessageBox::Ok); }), Answer::Ok);
    EXPECT_EQ(askAndAct(Buttons::OkCancel, [](QMessageBox &b) { clickStandard(b, QMessageBox::Cancel); }),
              Answer::Cancel);
}

TEST(QtPrompter, DismissingAQuestionIsNoAnswer) {
    for (Buttons buttons : {Buttons::YesNo, Buttons::OkCancel}) {
        EXPECT_EQ(askAndAct(buttons, pressEscape), Answer::Closed);
        EXPECT_EQ(askAndAct(buttons, closeFromTitleBar), Answer::Closed);
    }
}

TEST(QtPrompter, QuestionShowsOnlyItsTwoButtonsAndEnterTakesTheFirst) {
    int visibleButtons = 0;
    const Answer answer = askAndAct(Buttons::YesNo, [&](QMessageBox &box) {
        for (QAbstractButton *button : box.buttons())
            visibleButtons += button->isVisibleTo(&box) ? 1 : 0;
        QTest::keyClick(&box, Qt::Key_Return);
    });
    EXPECT_EQ(visibleButtons, 2);
    EXPECT_EQ(answer, Answer::Yes);
}

// Each dialog (a message, a question, a file dialog to save or to open) belongs to a window of the
// program: the one in front while the program is active, else the window it was given, and is
// modal. Once it is answered the window in front is active again with the focus on the control
// that had it, so that its shortcuts (Alt+1 ...) work on.
TEST(QtPrompter, EveryDialogBelongsToTheWindowInFrontAndGivesTheFocusBack) {
#ifdef Q_OS_WIN
    // Under Wine the modal loops of this test never return to the scripted answer; which window
    // owns a dialog is decided by the same code on every platform and is checked here on Linux.
    GTEST_SKIP() << "modal dialogs cannot be answered from a timer under Wine";
#endif
    // The toolkit's own file dialog, which a test can answer; a native one waits for a person.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs, true);
    QWidget given, front;
    new QLineEdit(&front);  // the focus would fall to this first control
    auto *typing = new QLineEdit(&front);
    typing->move(0, 40);
    const QShortcut step(QKeySequence(Qt::ALT | Qt::Key_1), &front);  // as Alt+1 opens the first step
    int stepped = 0;
    QObject::connect(&step, &QShortcut::activated, [&] { ++stepped; });
    // A file to open, and a name never written to save under.
    const QString existing = QCoreApplication::applicationFilePath();
    const QString unwritten = QDir::temp().filePath(QStringLiteral("gnomora-dialog-test-never-written.txt"));
    QtPrompter prompter(&given);
    const auto parentOfDialog = [&](const std::function<void()> &ask) {
        QWidget *parent = nullptr;
        bool modal = false;
        QTimer::singleShot(0, [&] {
            QWidget *dialog = QApplication::activeModalWidget();
            if (!dialog)
                return;
            parent = dialog->parentWidget();
            modal = dialog->isModal();
            if (auto *files = qobject_cast<QFileDialog *>(dialog)) {
                files->selectFile(files->acceptMode() == QFileDialog::AcceptOpen ? existing : unwritten);
                static_cast<QDialog *>(files)->accept();  // as its Open or Save button does
            } else {
                pressEscape(*qobject_cast<QMessageBox *>(dialog));
            }
        });
        ask();
        EXPECT_TRUE(modal);
        return parent;
    };
    using Access = Prompter::FileAccess;
    const std::function<void()> dialogs[] = {
        [&] { prompter.showMessage(QStringLiteral("Saved.")); },
        [&] { prompter.confirm(QStringLiteral("Which one?"), Buttons::OkCancel); },
        [&] { EXPECT_EQ(prompter.chooseFile(Access::Open, QStringLiteral("Load"), QString(), QString()), existing); },
        [&] { EXPECT_EQ(prompter.chooseFile(Access::Save, QStringLiteral("Save"), QString(), QString()), unwritten); },
    };

    QApplication::setActiveWindow(nullptr);
    for (const auto &ask : dialogs)
        EXPECT_EQ(parentOfDialog(ask), &given);
    front.show();
    for (const auto &ask : dialogs) {
        QApplication::setActiveWindow(&front);
        typing->setFocus();
        EXPECT_EQ(parentOfDialog(ask), &front);
        QApplication::processEvents();
        EXPECT_EQ(QApplication::activeWindow(), &front);
        EXPECT_EQ(QApplication::focusWidget(), typing);
        const int before = stepped;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_1, Qt::AltModifier);
        EXPECT_EQ(stepped, before + 1);
    }
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs, false);
}

}  // namespace
