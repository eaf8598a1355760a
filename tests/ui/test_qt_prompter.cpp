// SPDX-License-Identifier: GPL-3.0-or-later
// The real message boxes: how each way of answering or dismissing a question is reported.
#include "ui/QtPrompter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QMessageBox>
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

// Each box, message or question, belongs to a window of the program: the one in front while the
// program is active, else the window it was given, and is modal.
TEST(QtPrompter, EveryBoxIsModalToTheProgramsWindow) {
    QWidget given, front;
    QtPrompter prompter(&given);
    const auto parentOfBox = [&](const std::function<void()> &ask) {
        QWidget *parent = nullptr;
        bool modal = false;
        QTimer::singleShot(0, [&] {
            QWidget *box = QApplication::activeModalWidget();
            if (!box)
                return;
            parent = box->parentWidget();
            modal = box->isModal();
            pressEscape(*qobject_cast<QMessageBox *>(box));
        });
        ask();
        EXPECT_TRUE(modal);
        return parent;
    };
    const std::function<void()> message = [&] { prompter.showMessage(QStringLiteral("Saved.")); };
    const std::function<void()> question = [&] { prompter.confirm(QStringLiteral("Which one?"), Buttons::OkCancel); };

    QApplication::setActiveWindow(nullptr);
    EXPECT_EQ(parentOfBox(message), &given);
    EXPECT_EQ(parentOfBox(question), &given);
    front.show();
    for (const auto &ask : {message, question}) {
        QApplication::setActiveWindow(&front);  // as the window manager gives it back after a box
        EXPECT_EQ(parentOfBox(ask), &front);
    }
}

}  // namespace
