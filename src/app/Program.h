// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>
#include <optional>

class TStartForm;
class TMainForm;

// The whole program: answers --help and --version, checks for a display, creates the application,
// the start window and the main window, shows the start window and runs the event loop. shown, if
// given, runs once the start window is shown (the start-up benchmark ends the process from there).
// Returns the exit code.
// Names the application as the program does (the application object must exist). It sets no
// display name: the window system would append it to every window title, and the language's
// titles already begin with the program's name ("Gnomora – ...").
void nameApplication();

int runProgram(int argc, char **argv, const std::function<void(TStartForm &, TMainForm &)> &shown = {});

// Answers `gnomora --help` and `--version` and refuses any other argument, on the terminal the
// program was started from, before anything needs a display or a folder. Returns the exit code
// when the program should end here.
std::optional<int> answerCommandLine(int argc, char **argv);
