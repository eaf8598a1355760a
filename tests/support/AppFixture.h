// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "app/TStartForm.h"
#include "platform/ScriptedPrompter.h"
#include "support/ClassRun.h"
#include "support/ScriptedPrintBackEnd.h"
#include "support/TempDir.h"
#include "ui/TMainForm.h"

#include <QApplication>
#include <QFile>
#include <memory>
#include <optional>

// Both windows of the program on the offscreen platform, in a temporary working folder seeded
// with the shipped language file (unless a test writes its own), a fixed date and a pinned locale.
// Message boxes go to a scripted prompter, printing to a back-end that tests may script.
struct AppFixture {
    TempWorkDir dir;
    ScriptedPrompter prompter;
    ScriptedPrintBackEnd printer;
    std::unique_ptr<TStartForm> start;
    std::unique_ptr<TMainForm> main;

    // 20 June 2013: 92 days after the March equinox of the model, the sun 23°26' north.
    static QDateTime fixedNow() { return QDateTime(QDate(2013, 6, 20), QTime(10, 0)); }

    static QByteArray shippedFile(const QString &name) {
        QFile f(QStringLiteral(GNOMORA_SOURCE_DIR "/data/") + name);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    void seedShippedLanguage() { dir.write("Gnomo_Language_0.ini", shippedFile("Gnomo_Language_0.ini")); }

    // Creates the windows (the main one hidden) and shows the start window.
    // The locale is the user's conventions as the program reads them at its start; without one
    // the program reads them itself, and its clock is the system's.
    void startProgram(const std::optional<Locale> &locale = Locale{u'.', u'/'}) {
        start = locale ? std::make_unique<TStartForm>(prompter, *locale, [] { return fixedNow(); })
                       : std::make_unique<TStartForm>(prompter);
        main = std::make_unique<TMainForm>(start->objects(), prompter, printer);
        start->setMainForm(main.get());
        start->show();
    }

    void openMainWindow() {
        start->btnStartEnterClick();
        main->activateWindow();
        QApplication::setActiveWindow(main.get());
        QApplication::processEvents();
    }

    ~AppFixture() {
        main.reset();
        start.reset();
    }

    AppObjects &objects() { return start->objects(); }
    // The class run through the main window of this start.
    ClassRun classRun() const { return ClassRun(*main); }
    // A control (or panel) of the panels built so far, nullptr when there is none: unlike find,
    // this builds no panel, so tests of what is built when can look.
    template <typename T> T *built(const QString &name = QString()) const { return main->findChild<T *>(name); }
    // A control of a panel is looked up as a user reaches it: every panel but the introduction is
    // built on first use, so they are built first if need be.
    template <typename T> T *find(const QString &name) const {
        if (T *control = main->findChild<T *>(name))
            return control;
        main->panelStep1();
        main->panelStep2();
        main->panelStep4();
        main->panelStep5();
        main->panelTech();
        return main->findChild<T *>(name);
    }
};
