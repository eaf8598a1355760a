// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>
#include <optional>

// The main() of every benchmark program (BenchMain.cpp): it starts the application the program
// asks for on Qt's offscreen platform (unless QT_QPA_PLATFORM says otherwise), lets the program
// prepare, runs the benchmarks registered and lets the program clean up while the application
// still exists.
struct BenchProgram {
    // The application the benchmarks need: none with a display (pictures decoded from files),
    // the painting library alone, or the widgets of the program's windows.
    enum class Application { Core, Gui, Widgets };
    explicit BenchProgram(Application kind) : application(kind) {}

    Application application;
    // Run once the application exists, before the benchmarks; a value ends the program with it
    // at once (nothing could be prepared, or the arguments asked for another kind of run).
    std::function<std::optional<int>(int argc, char **argv)> prepare;
    // Run after the benchmarks, before the application ends.
    std::function<void()> finish;
};

// Each benchmark program defines what it needs.
BenchProgram benchProgram();
