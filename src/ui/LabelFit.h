// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
class QLabel;

// Sizes a label to its text exactly as QLabel::adjustSize() does. A plain single-line label is
// measured once here, where adjustSize() lays its text out three times; the introduction's two
// dozen lines are fitted before the first paint, so this shortens the start.
void fitLabelToText(QLabel *label);
