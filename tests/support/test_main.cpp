// SPDX-License-Identifier: GPL-3.0-or-later
// The main() of every layer's test program. The layers below the window are built into it with a
// QGuiApplication, so that their tests do not pull in the widget library; the window layers (and
// the print library, whose progress window and preview are widgets) define GNOMORA_TEST_WIDGETS
// and get a QApplication.
#include <gtest/gtest.h>
#ifdef GNOMORA_TEST_WIDGETS
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QGuiApplication>
using TestApplication = QGuiApplication;
#endif

int main(int argc, char **argv) {
    // Test binaries may be run without ctest's environment: never ask for a display. Windows'
    // offscreen platform knows no fonts; its minimal one draws with the system's (GDI) fonts.
    // Wine hands no QT_* variable on, so there the choice is always made here.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
#ifdef _WIN32
        qputenv("QT_QPA_PLATFORM", "minimal:enable_fonts");
#else
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    }
    TestApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
