// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/QtPrompter.h"

#include <QApplication>
#include <QMessageBox>

namespace {
QString title() { return QApplication::applicationDisplayName(); }
}  // namespace

void QtPrompter::showMessage(const QString &text) {
    QMessageBox box(QMessageBox::NoIcon, title(), text, QMessageBox::Ok, parent_);
    box.exec();
}

Prompter::Answer QtPrompter::confirm(const QString &text, Buttons buttons) {
    const bool yesNo = buttons == Buttons::YesNo;
    QMessageBox box(QMessageBox::Question, title(), text,
                    yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok | QMessageBox::Cancel,
                    parent_);
    // Closing the box (Escape, the title bar) is no answer; without an escape button Qt would
    // report the last button instead.
    box.setEscapeButton(static_cast<QAbstractButton *>(nullptr));
    const int result = box.exec();
    switch (result) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    case QMessageBox::Ok: return Answer::Ok;
    case QMessageBox::Cancel: return Answer::Cancel;
    default: return Answer::Closed;
    }
}
