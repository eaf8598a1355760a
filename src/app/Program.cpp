// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Program.h"

#include "app/TStartForm.h"
#include "lang/WorkFolderUpdate.h"
#include "platform/BuiltInText.h"
#include "platform/FileIo.h"
#include "platform/WorkFolder.h"
#include "ui/QtPrompter.h"
#include "ui/TMainForm.h"
#include "ui/WindowFont.h"

#include <QApplication>
#include <QCommandLineParser>
#include <cstdio>
#include <cstdlib>
#include <optional>
#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

// Without a display the toolkit would abort with a cryptic message; say what is missing instead.
bool displayAvailable() {
#ifdef Q_OS_WIN
    return true;  // Windows always has its desktop
#endif
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

#ifdef Q_OS_WIN
// A window program has no console of its own: its output goes to the console of the command line
// it was started from, if any. Output already sent elsewhere (a file, a pipe) stays there.
void writeToStartingConsole() {
    const auto unconnected = [](DWORD which) {
        const HANDLE handle = GetStdHandle(which);
        return !handle || handle == INVALID_HANDLE_VALUE || GetFileType(handle) == FILE_TYPE_UNKNOWN;
    };
    const bool output = unconnected(STD_OUTPUT_HANDLE), errors = unconnected(STD_ERROR_HANDLE);
    if ((!output && !errors) || !AttachConsole(ATTACH_PARENT_PROCESS))
        return;
    if (output)
        std::freopen("CONOUT$", "w", stdout);
    if (errors)
        std::freopen("CONOUT$", "w", stderr);
}
#endif

}  // namespace

std::optional<int> answerCommandLine(int argc, char **argv) {
    if (argc <= 1)
        return std::nullopt;
#ifdef Q_OS_WIN
    writeToStartingConsole();
#endif
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Measures the Earth's circumference with a shadow stick at two schools.\n"
                       "Works in the current folder; gnomora-launcher starts it in the user's own one."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Prints this help and exits."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Prints the version and exits."));
    parser.addOptions({help, version});
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const bool parsed = parser.parse(arguments);
    if (!parsed || !parser.positionalArguments().isEmpty()) {
        const QString problem =
            parsed ? QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().constFirst())
                   : parser.errorText();
        std::fprintf(stderr, "gnomora: %s\nTry 'gnomora --help' for the options.\n", qPrintable(problem));
        return EXIT_FAILURE;
    }
    if (parser.isSet(help)) {
        // Without an application object the parser does not know the program's name.
        const QString text = parser.helpText().replace(QStringLiteral("<executable_name>"), QStringLiteral("gnomora"));
        std::fputs(qPrintable(text), stdout);
        return EXIT_SUCCESS;
    }
    if (parser.isSet(version)) {
        std::puts("gnomora " GNOMORA_VERSION);
        return EXIT_SUCCESS;
    }
    return std::nullopt;
}

void nameApplication() { QApplication::setApplicationName(QStringLiteral("gnomora")); }

int runProgram(int argc, char **argv, const std::function<void(TStartForm &, TMainForm &)> &shown) {
#ifdef Q_OS_WIN
    // Libraries loaded later (the toolkit's plugins, the modules and what they need) are looked for
    // beside the program and in the system's folders, never in the working folder or along PATH,
    // where anyone may put a library of the same name.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
#endif
    if (const std::optional<int> exitCode = answerCommandLine(argc, argv))
        return *exitCode;
    if (!displayAvailable()) {
        std::fputs("Gnomora needs a graphical desktop: no display was found (DISPLAY is not set).\n"
                   "Start it from a desktop session, or under Xvfb for testing.\n",
                   stderr);
        return 2;
    }
    FileIo::failWritesPastTheSizeLimit();
    // The user's working folder, filled from the installed files; the copies an older release
    // made are brought up to this one before any of them is read.
    const WorkFolder::Preparation folder = WorkFolder::enter(shippedFileRules());
    chooseWholeGlyphFontEngine(argc, argv);
    QApplication app(argc, argv);
    nameApplication();
    // Windows and message boxes share one face; nothing then needs the desktop's default face,
    // whose loading would only slow the start.
    QApplication::setFont(windowFont(13));

    QtPrompter prompter;
    // The working folder could not be made or filled (by the launcher or here): say so where the
    // user looks.
    QString unprepared = qEnvironmentVariable("GNOMORA_UNPREPARED_FOLDER");
    if (unprepared.isEmpty() && !folder.complete)
        unprepared = folder.folder;
    if (!unprepared.isEmpty()) {
        std::fprintf(stderr, "gnomora: cannot prepare the working folder %s\n", qPrintable(unprepared));
        prompter.showMessage(builtInText(BuiltInText::CannotPrepareFolder).arg(unprepared));
        return EXIT_FAILURE;
    }
    TStartForm startForm(prompter);
    startForm.setFolderUpdate(folder.update);
    prompter.setParent(&startForm);
    TMainForm mainForm(startForm.objects(), prompter);
    startForm.setMainForm(&mainForm);
    startForm.show();
    if (shown)
        shown(startForm, mainForm);
    return QApplication::exec();
}
