// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
class QLineEdit;
class Prompter;
class QString;

// Answers a value that a check of model/TypedInput.h refused: the message, then the box gets the
// focus with its text selected, ready to be typed over. The box keeps what was typed; the caller
// changes nothing else.
void refuseTypedValue(QLineEdit *box, Prompter &prompter, const QString &message);
