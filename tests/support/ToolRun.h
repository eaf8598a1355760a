// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QProcess>
#include <QString>
#include <QStringList>

// Runs a command-line tool (pdftotext, pdfinfo, lpstat) and keeps its standard output; when the
// tool is missing, times out or fails, ok is false and output explains why, for the calling
// test's assertion message.
struct ToolRun {
    bool ok = false;
    QString output;
};

// The tools are Linux programs. Under Wine a Windows program can start one, but its output goes
// to Wine's own terminal, never to the starting program: the tests that read it skip there.
#ifdef _WIN32
inline constexpr const char *toolsUnavailable =
    "Wine does not hand a Windows program the output of the Linux tools (pdfinfo, pdftotext, lpstat)";
#else
inline constexpr const char *toolsUnavailable = nullptr;
#endif

inline ToolRun runTool(const QString &program, const QStringList &arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000))
        return {false, program + QStringLiteral(" did not run: ") + process.errorString()};
    const QString out = QString::fromUtf8(process.readAllStandardOutput());
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return {false, program + QStringLiteral(" failed: ") + QString::fromUtf8(process.readAllStandardError())};
    return {true, out};
}
