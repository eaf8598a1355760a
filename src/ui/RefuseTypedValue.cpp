// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/RefuseTypedValue.h"

#include "platform/Prompter.h"

#include <QLineEdit>

void refuseTypedValue(QLineEdit *box, Prompter &prompter, const QString &message) {
    prompter.showMessage(message);
    box->setFocus(Qt::OtherFocusReason);
    box->selectAll();
}
