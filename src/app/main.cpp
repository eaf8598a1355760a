// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Program.h"
#ifdef _WIN32
#include "platform/WorkFolder.h"
#endif

int main(int argc, char **argv) {
    // Answered before any folder is made or entered.
    if (const std::optional<int> exitCode = answerCommandLine(argc, argv))
        return *exitCode;
#ifdef _WIN32
    // Windows has no launcher script: the program enters the user's working folder itself.
    WorkFolder::enterOnWindows();
#endif
    return runProgram(argc, argv);
}
