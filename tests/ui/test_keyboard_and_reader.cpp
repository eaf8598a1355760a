// SPDX-License-Identifier: GPL-3.0-or-later
// The step buttons, the Enter key and the window's place on the screen, as the keyboard, a
// screen reader and a small screen meet them.
#include "ui/EnterKeys.h"
#include "ui/ScreenFit.h"
#include "ui/StepButton.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QHash>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>

namespace {

// WCAG 2 relative luminance and contrast ratio.
double luminance(QColor c) {
    auto channel = [](double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}
double contrast(QColor a, QColor b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

const QColor Idle(0, 0, 0), Hover(0, 0, 238), Active(34, 238, 34);
const QColor Letters(255, 255, 0);
const QStringList Lines{"Krok 2", QString::fromUtf8("Pomiar w miejscu 1"), QString::fromUtf8("patyk i jego cień")};

// A step button on a window of its own, 233 x 98 like one seventh of the column.
struct Button {
    Button() {
        window.resize(233, 98);
        button = new StepButton(&window);
        button->setGeometry(0, 0, 233, 98);
        button->setFace(Idle, Lines);
        window.show();
        QApplication::setActiveWindow(&window);
    }
    QWidget window;
    StepButton *button;
};

// The letters against what surrounds them, from the pixels: the core is the fully inked letter
// pixels (pure yellow), the edge every other pixel touching one. The outline is the edge's most
// common colour (without an outline: the fill).
struct LetterEdge {
    int core = 0;
    QColor outline;
};

LetterEdge letterEdge(const QImage &picture) {
    const QImage img = picture.convertToFormat(QImage::Format_RGB32);
    QHash<QRgb, int> colours;
    LetterEdge e;
    for (int y = 1; y + 1 < img.height(); ++y)
        for (int x = 1; x + 1 < img.width(); ++x) {
            const QColor c = img.pixelColor(x, y);
            if (c == Letters) {
                ++e.core;
                continue;
            }
            bool touches = false;
            for (int dy = -1; dy <= 1 && !touches; ++dy)
                for (int dx = -1; dx <= 1 && !touches; ++dx)
                    touches = img.pixelColor(x + dx, y + dy) == Letters;
            if (!touches)
                continue;
            ++colours[c.rgb()];
        }
    int most = 0;
    for (auto it = colours.cbegin(); it != colours.cend(); ++it)
        if (it.value() > most) {
            most = it.value();
            e.outline = QColor::fromRgb(it.key());
        }
    return e;
}

TEST(StepButtonLook, LettersReachFourAndAHalfToOneOnEveryFillWhichStays) {
    Button b;
    for (const QColor &fill : {Idle, Hover, Active}) {
        b.button->setFace(fill, Lines);
        const QImage &picture = b.button->picture();
        EXPECT_EQ(picture.pixelColor(3, 3), fill);
        EXPECT_EQ(picture.pixelColor(230, 90), fill);
        const LetterEdge edge = letterEdge(picture);
        ASSERT_GT(edge.core, 200) << "no letters";
        EXPECT_GE(contrast(Letters, edge.outline), 4.5) << fill.name().toStdString() << " " << edge.outline.name().toStdString();
    }
}

TEST(StepButtonLook, FocusShowsARingOfAtLeastTwoPixelsThatStandsOutOnEveryFill) {
    Button b;
    for (const QColor &fill : {Idle, Hover, Active}) {
        SCOPED_TRACE(fill.name().toStdString());
        b.button->setFace(fill, Lines);
        b.button->clearFocus();
        const QImage plain = b.button->grab().toImage();
        b.button->setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(b.button->hasFocus());
        const QImage focused = b.button->grab().toImage();
        // Along each edge, the pixels in from the edge that contrast with the fill at 3:1.
        auto strong = [&](const QImage &img, QPoint from, QPoint step) {
            int n = 0;
            for (int i = 0; i < 8; ++i)
                n += contrast(img.pixelColor(from + i * step), fill) >= 3;
            return n;
        };
        const int w = focused.width(), h = focused.height();
        for (const auto &[from, step] : {std::pair{QPoint(0, h / 2), QPoint(1, 0)}, std::pair{QPoint(w - 1, h / 2), QPoint(-1, 0)},
                                         std::pair{QPoint(w - 5, 0), QPoint(0, 1)}, std::pair{QPoint(w - 5, h - 1), QPoint(0, -1)}}) {
            EXPECT_GE(strong(focused, from, step), 2) << from.x() << "," << from.y();
            EXPECT_EQ(strong(plain, from, step), 0) << from.x() << "," << from.y();
        }
    }
}

TEST(StepButtonKeys, TabReachesItAndSpaceOrEnterEntersTheStep) {
    Button b;
    EXPECT_TRUE(b.button->focusPolicy() & Qt::TabFocus);
    EXPECT_FALSE(b.button->focusPolicy() & Qt::ClickFocus);  // a click leaves the focus in the panel
    QSignalSpy clicked(b.button, &StepButton::clicked);
    QTest::keyClick(b.button, Qt::Key_Space);
    QTest::keyClick(b.button, Qt::Key_Return);
    QTest::keyClick(b.button, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(clicked.size(), 3);
    QTest::keyClick(b.button, Qt::Key_Return, Qt::ControlModifier);
    QTest::keyClick(b.button, Qt::Key_A);
    QKeyEvent held(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), true);
    QApplication::sendEvent(b.button, &held);
    EXPECT_EQ(clicked.size(), 3);
}

TEST(StepButtonReader, APushButtonNamedByItsLinesCheckedWhileCurrent) {
    Button b;
    b.button->setShortcut(QKeySequence(Qt::ALT | Qt::Key_3));
    QAccessibleInterface *a = QAccessible::queryAccessibleInterface(b.button);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->role(), QAccessible::Button);
    EXPECT_EQ(a->text(QAccessible::Name), QString::fromUtf8("Krok 2, Pomiar w miejscu 1, patyk i jego cień"));
    EXPECT_TRUE(a->state().checkable);
    EXPECT_FALSE(a->state().checked);
    b.button->setCurrent(true);
    EXPECT_TRUE(a->state().checked);
    b.button->setFace(Active, {"Step 2", "", "stick"});  // an empty line is not read
    EXPECT_EQ(a->text(QAccessible::Name), QString("Step 2, stick"));

    QAccessibleActionInterface *actions = a->actionInterface();
    ASSERT_NE(actions, nullptr);
    ASSERT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    EXPECT_EQ(actions->keyBindingsForAction(QAccessibleActionInterface::pressAction()),
              QStringList{QKeySequence(Qt::ALT | Qt::Key_3).toString(QKeySequence::NativeText)});
    QSignalSpy clicked(b.button, &StepButton::clicked);
    actions->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(clicked.size(), 1);
}

TEST(StepButtonLook, ThePictureHasTheScreensPixelRatio) {
    Button b;
    const QImage &picture = b.button->picture();
    EXPECT_EQ(picture.devicePixelRatio(), b.button->devicePixelRatioF());
    EXPECT_EQ(picture.deviceIndependentSize(), QSizeF(233, 98));
}

// A panel with two boxes that belong to the accept button, a box of its own and other buttons.
struct EnterPanel {
    EnterPanel() {
        for (QLineEdit *edit : {hour, minute}) {
            edit->setParent(&panel);
            edit->setProperty("acceptButton", "btnAccept");
        }
        free->setParent(&panel);
        list->setParent(&panel);
        list->addItems({"a", "b"});
        list->setProperty("acceptButton", "btnAccept");
        accept->setObjectName("btnAccept");
        accept->setParent(&panel);
        other->setParent(&panel);
        installEnterKeys(&panel);
        panel.show();
    }
    QWidget panel;
    QLineEdit *hour = new QLineEdit, *minute = new QLineEdit, *free = new QLineEdit;
    QComboBox *list = new QComboBox;
    QPushButton *accept = new QPushButton("accept"), *other = new QPushButton("other");
    QSignalSpy accepted{accept, &QPushButton::clicked};
    QSignalSpy otherClicked{other, &QPushButton::clicked};
};

TEST(EnterKey, PressesTheAcceptButtonOfTheBoxOrTheFocusedButton) {
    EnterPanel p;
    QTest::keyClick(p.hour, Qt::Key_Return);
    QTest::keyClick(p.minute, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(p.list, Qt::Key_Return);
    EXPECT_EQ(p.accepted.size(), 3);
    QTest::keyClick(p.free, Qt::Key_Return);        // a box without a button of its own
    QTest::keyClick(p.hour, Qt::Key_Return, Qt::ShiftModifier);
    QKeyEvent held(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"), true);
    QApplication::sendEvent(p.hour, &held);
    EXPECT_EQ(p.accepted.size(), 3);
    QTest::keyClick(p.other, Qt::Key_Return);       // not an auto-default button: Qt alone ignores it
    EXPECT_EQ(p.otherClicked.size(), 1);
    EXPECT_EQ(p.accepted.size(), 3);
    p.hour->setText("12");
    QTest::keyClick(p.hour, Qt::Key_5);             // other keys still type
    EXPECT_EQ(p.hour->text(), QString("125"));
}

TEST(EnterKey, AHiddenOrDisabledButtonIsNotPressed) {
    EnterPanel p;
    p.accept->hide();
    QTest::keyClick(p.hour, Qt::Key_Return);
    p.accept->show();
    p.accept->setEnabled(false);
    QTest::keyClick(p.minute, Qt::Key_Return);
    EXPECT_EQ(p.accepted.size(), 0);
}

TEST(ScreenFit, TheFramedWindowLiesWithinTheAvailableAreaCentredAndNeverLarger) {
    const QSize design(985, 692);
    const QMargins frame(4, 32, 4, 4);
    // Room for the design size: exactly centred.
    EXPECT_EQ(fittedGeometry(design, frame, QRect(0, 0, 1920, 1040)), QRect(467, 188, 985, 692));
    struct Row {
        QRect available;
        QMargins frame;
    };
    const Row rows[] = {
        {{0, 0, 1366, 728}, frame},        // a laptop with a task bar
        {{0, 27, 960, 513}, frame},        // 1920 x 1080 at 200 %, a panel at the top
        {{1920, 0, 800, 600}, {}},         // a second screen, no frame
        {{0, 0, 985 + 8, 692 + 36}, frame},  // just the design size with its frame
        {{-1280, 100, 1280, 700}, {2, 20, 2, 2}},
    };
    for (const Row &row : rows) {
        const QRect client = fittedGeometry(design, row.frame, row.available);
        const QRect outer = client.marginsAdded(row.frame);
        EXPECT_TRUE(row.available.contains(outer)) << row.available.x() << "," << row.available.y();
        EXPECT_LE(client.width(), design.width());
        EXPECT_LE(client.height(), design.height());
        EXPECT_LE(std::abs((outer.left() - row.available.left()) - (row.available.right() - outer.right())), 1);
        EXPECT_LE(std::abs((outer.top() - row.available.top()) - (row.available.bottom() - outer.bottom())), 1);
        // as large as the area allows
        EXPECT_TRUE(client.width() == design.width() || outer.width() == row.available.width());
        EXPECT_TRUE(client.height() == design.height() || outer.height() == row.available.height());
    }
    // An area smaller than the frame alone still gives a window.
    EXPECT_EQ(fittedGeometry(design, frame, QRect(0, 0, 5, 5)).size(), QSize(1, 1));
}

}  // namespace
