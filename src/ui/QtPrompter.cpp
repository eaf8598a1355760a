// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/QtPrompter.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

namespace {
// Every box is headed by the program's name; the windows' own titles come from the language.
QString title() { return QStringLiteral("Gnomora"); }

// A dialog takes the keyboard focus while it is open. When it closes, the window that was in front
// is active again with the focus on the control that had it, so that its keys (Alt+1 ... Alt+7,
// Tab) go on working where the user left off, instead of the focus falling to another window.
class FocusReturn {
public:
    FocusReturn() : window_(QApplication::activeWindow()), control_(QApplication::focusWidget()) {}
    ~FocusReturn() {
        if (!window_ || !window_->isVisible())
            return;
        if (control_ && control_->window() == window_ && control_->isVisible())
            control_->setFocus(Qt::ActiveWindowFocusReason);
        window_->activateWindow();
        QApplication::setActiveWindow(window_);
    }
    FocusReturn(const FocusReturn &) = delete;
    FocusReturn &operator=(const FocusReturn &) = delete;

private:
    QPointer<QWidget> window_;
    QPointer<QWidget> control_;
};
}  // namespace

QWidget *QtPrompter::boxParent() const {
    if (QWidget *active = QApplication::activeWindow())
        return active;
    return parent_;
}

void QtPrompter::showMessage(const QString &text) {
    const FocusReturn focusReturn;
    QMessageBox box(QMessageBox::NoIcon, title(), text, QMessageBox::Ok, boxParent());
    box.exec();
}

Prompter::Answer QtPrompter::confirm(const QString &text, Buttons buttons) {
    const FocusReturn focusReturn;
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
    const FocusReturn focusReturn;
    return access == FileAccess::Save ? QFileDialog::getSaveFileName(boxParent(), title, suggestedName, filter)
                                      : QFileDialog::getOpenFileName(boxParent(), title, suggestedName, filter);
}
