// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
class QWidget;
class TLang;

// The text pass over a window's controls: every label, button and tab sheet under root takes its
// text from the language under its own name (or under its "textKey", a key shared by the units
// and marks beside several boxes), except those whose tag has bit 0 set (they keep their own or
// program-set text); controls that show no text of their own get their accessible
// name from their "accessibleKey". A label marked "autoSize" fits itself to its text (fitLabelToText);
// on a panel not shown that waits for fitPendingLabels when the panel is shown.
void applyTexts(QWidget *root, TLang &lang);

// Fits the labels of a panel that is now shown and whose texts changed while it was hidden.
void fitPendingLabels(QWidget *panel);
