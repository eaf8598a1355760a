// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
class QWidget;

// The Enter key (Return, or Enter on the keypad) in a panel of the main window:
//  - in a box (edit field or drop-down list) whose dynamic property "acceptButton" names a push
//    button of the same panel, it presses that button: the typed values are accepted as a click
//    would accept them;
//  - on a push button that has the focus, it presses the button, as Space does.
// A button that is hidden or disabled is not pressed; the key then goes on as it would.
//
// Installs on the boxes and buttons inside panel; the forms name the buttons.
void installEnterKeys(QWidget *panel);
