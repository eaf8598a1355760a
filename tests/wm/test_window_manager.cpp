// SPDX-License-Identifier: GPL-3.0-or-later
// The main window under a real window manager (openbox on a private Xvfb display, at twice the
// scale): what the offscreen platform never does, such as framing, minimising and restoring a
// window from outside.
#include "app/Program.h"
#include "store/TComm.h"
#include "support/MainWindowFixture.h"
#include "ui/PanelStep1.h"
#include "ui/PanelStep2.h"
#include "ui/PictureBox.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

// A private X display with openbox running on it, for the life of the test program.
class DisplayWithWindowManager {
public:
    DisplayWithWindowManager() {
        const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        const QString openbox = QStandardPaths::findExecutable(QStringLiteral("openbox"));
        if (xvfb.isEmpty() || openbox.isEmpty() || QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty()) {
            reason_ = "Xvfb, openbox or xdotool is not installed (scripts/setup.sh installs them)";
            return;
        }
        int fds[2];
        if (pipe(fds) != 0) {
            reason_ = "no pipe for Xvfb";
            return;
        }
        const std::string fd = std::to_string(fds[1]);
        xvfb_ = spawn({xvfb.toStdString(), "-displayfd", fd, "-screen", "0", "1600x1000x24", "-nolisten", "tcp"});
        close(fds[1]);
        std::string number;
        char c;
        while (read(fds[0], &c, 1) == 1 && c != '\n')
            number += c;
        close(fds[0]);
        if (xvfb_ <= 0 || number.empty()) {
            reason_ = "Xvfb did not start";
            return;
        }
        display_ = ":" + number;
        setenv("DISPLAY", display_.c_str(), 1);
        // openbox runs the startup command once it manages the screen.
        const std::string ready = dir_.filePath(QStringLiteral("ready")).toStdString();
        wm_ = spawn({openbox.toStdString(), "--sm-disable", "--startup", "touch " + ready});
        for (int i = 0; i < 200 && !QFile::exists(QString::fromStdString(ready)); ++i)
            usleep(50'000);
        if (!QFile::exists(QString::fromStdString(ready)))
            reason_ = "openbox did not start on the Xvfb display";
    }
    ~DisplayWithWindowManager() {
        for (pid_t pid : {wm_, xvfb_})
            if (pid > 0) {
                kill(pid, SIGTERM);
                waitpid(pid, nullptr, 0);
            }
    }
    bool ok() const { return reason_.empty(); }
    const std::string &reason() const { return reason_; }

private:
    static pid_t spawn(const std::vector<std::string> &args) {
        std::vector<char *> argv;
        for (const std::string &a : args)
            argv.push_back(const_cast<char *>(a.c_str()));
        argv.push_back(nullptr);
        pid_t pid = 0;
        return posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) == 0 ? pid : -1;
    }

    QTemporaryDir dir_;
    pid_t xvfb_ = -1;
    pid_t wm_ = -1;
    std::string display_;
    std::string reason_;
};

std::string skipReason;

bool xdotool(const QStringList &args) { return QProcess::execute(QStringLiteral("xdotool"), args) == 0; }

// Minimises the window and restores it as a user does from the task bar: through the window
// manager, not through the program.
void minimiseAndRestore(QWidget *window) {
    const QString id = QString::number(window->winId());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    ASSERT_TRUE(xdotool({"windowminimize", id}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->isMinimized(); }, 5000)) << "the window was not minimised";
    ASSERT_TRUE(xdotool({"windowactivate", "--sync", id}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->isMinimized() && window->isActiveWindow(); }, 5000))
        << "the window was not restored";
    QTest::qWait(200);  // let every event of the restore arrive
}

TEST(WindowManager, RestoringAMinimisedMainWindowKeepsTheWorkInProgress) {
    if (!skipReason.empty())
        GTEST_SKIP() << skipReason;
    MainWindowFixture f;
    f.choose(1, 0);
    f.choose(2, 1);
    f.click("btnStep1Next");
    f.find<QLineEdit>("edTimeH")->setText("17");  // typed, not accepted yet

    minimiseAndRestore(f.main.get());
    EXPECT_TRUE(f.prompter.messages.isEmpty()) << f.prompter.messages.join('|').toStdString();
    EXPECT_EQ(f.objects().Comm->ActiveStep, 3);
    EXPECT_EQ(f.find<QLineEdit>("edTimeH")->text(), QString("17"));

    // On step 1 the choice made but not yet stored stays too.
    f.clickStep(2);
    f.choose(1, 1);
    minimiseAndRestore(f.main.get());
    EXPECT_EQ(f.main->panelStep1()->placeList(1)->currentIndex(), 1);
    EXPECT_TRUE(f.prompter.messages.isEmpty()) << f.prompter.messages.join('|').toStdString();
}

// The display runs at twice the scale (QT_SCALE_FACTOR=2): 1600 x 1000 pixels are 800 x 500
// logical ones, less than the window's design size.
TEST(WindowManager, AtTwiceTheScaleTheFramedWindowFitsTheScreenAndPaintsSharply) {
    if (!skipReason.empty())
        GTEST_SKIP() << skipReason;
    MainWindowFixture f;
    QWidget *window = f.main.get();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    // The frame is known once the window manager has framed the window.
    QTest::qWaitFor([&] { return window->frameGeometry() != window->geometry(); }, 3000);
    const QRect available = window->screen()->availableGeometry();
    ASSERT_LT(available.height(), 692);
    EXPECT_TRUE(available.contains(window->frameGeometry()))
        << window->frameGeometry().x() << "," << window->frameGeometry().y() << " "
        << window->frameGeometry().width() << "x" << window->frameGeometry().height();
    EXPECT_EQ(window->devicePixelRatioF(), 2.0);
    f.choose(1, 0);
    f.choose(2, 1);
    f.click("btnStep1Next");
    const QImage &picture = f.main->panelStep2()->image()->picture();
    EXPECT_EQ(picture.devicePixelRatio(), 2.0);
    EXPECT_EQ(picture.size(), 2 * f.main->panelStep2()->image()->size());
}

// The title bars read the language's titles, which begin with the program's name, once: the window
// system adds no second name ("Gnomora – ... — Gnomora").
TEST(WindowManager, TheTitleBarsNameTheProgramOnce) {
    if (!skipReason.empty())
        GTEST_SKIP() << skipReason;
    MainWindowFixture f;
    for (const auto &[window, key] : {std::pair<QWidget *, const char *>{f.start.get(), "StartForm"},
                                      std::pair<QWidget *, const char *>{f.main.get(), "MainForm"}}) {
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        QProcess xprop;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
        xprop.setProcessEnvironment(environment);
        xprop.start(QStringLiteral("xprop"), {"-id", QString::number(window->winId()), "_NET_WM_NAME"});
        ASSERT_TRUE(xprop.waitForFinished(5000));
        const QString line = QString::fromUtf8(xprop.readAllStandardOutput()).trimmed();
        const QString shown = line.section(u'"', 1, -2);  // _NET_WM_NAME(UTF8_STRING) = "..."
        EXPECT_EQ(shown, f.text(key)) << line.toStdString();
        EXPECT_EQ(shown.count(QStringLiteral("Gnomora")), 1);
    }
}

}  // namespace

int main(int argc, char **argv) {
    ::testing::InitGoogleTest(&argc, argv);
    DisplayWithWindowManager display;
    if (display.ok()) {
        qputenv("QT_QPA_PLATFORM", "xcb");
        qputenv("QT_SCALE_FACTOR", "2");
    } else {
        skipReason = display.reason();
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    nameApplication();  // as the program names itself
    return RUN_ALL_TESTS();
}
