// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/QtPrompter.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {
QString title() { return QApplication::applicationDisplayName(); }
}  // namespace

QWidget *QtPrompter::boxParent() const {
    if (QWidget *active = QApplication::activeWindow())
        return active;
    return parent_;
}

void QtPrompter::showMessage(const QString &text) {
    QMessageBox box(QMessageBox::NoIcon, title(), text, QMessageBox::Ok, boxParent());
    box.exec();
}

Prompter::Answer QtPrompter::confirm(const QString &text, Buttons buttons) {
    const bool yesNo = buttons == Buttons::YesNo;
    QMessageBox box(QMessageBox::Question, title(), text,
                    yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok | QMessageBox::Cancel,
                    boxParent());
    // Closing the box (Escape, the title bar) is no answer. Without an escape button of its own the
    // toolkit picks one of the visible buttons (No, Cancel) and reports that instead, so an
    // invisible button takes the escape.
    QPushButton *dismissed = box.addButton(QString(), QMessageBox::RejectRole);
    dismissed->hide();
    box.setEscapeButton(dismissed);
    box.setDefaultButton(yesNo ? QMessageBox::Yes : QMessageBox::Ok);
    box.exec();
    switch (box.standardButton(box.clickedButton())) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    case QMessageBox::Ok: return Answer::Ok;
    case QMessageBox::Cancel: return Answer::Cancel;
    default: return Answer::Closed;
    }
}

QString QtPrompter::chooseFile(FileAccess access, const QString &title, const QString &suggestedName,
                               const QString &filter) {
    return access == FileAccess::Save ? QFileDialog::getSaveFileName(parent_, title, suggestedName, filter)
                                      : QFileDialog::getOpenFileName(parent_, title, suggestedName, filter);
}
