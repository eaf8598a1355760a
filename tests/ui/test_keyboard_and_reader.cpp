// SPDX-License-Identifier: GPL-3.0-or-later
// The step buttons, the Enter key and the window's place on the screen, as the keyboard, a
// screen reader and a small screen meet them.
#include "ui/EnterKeys.h"
#include "ui/FittedGeometry.h"
#include "ui/StepButton.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QHash>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>

namespace {

// WCAG 2 contrast ratio of two colours.
double contrast(QColor a, QColor b) {
    auto lum = [](QColor c) {
        auto ch = [](double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * ch(c.redF()) + 0.7152 * ch(c.greenF()) + 0.0722 * ch(c.blueF());
    };
    return (std::max(lum(a), lum(b)) + 0.05) / (std::min(lum(a), lum(b)) + 0.05);
}

const QColor Fills[] = {{0, 0, 0}, {0, 0, 238}, {34, 238, 34}};  // idle, hover, current
const QColor Letters(255, 255, 0);

// A step button 233 x 98 (a seventh of the column) in an active window of its own.
struct Button {
    Button() {
        button->setGeometry(0, 0, 233, 98);
        button->setFace(Fills[0], {"Krok 2", "Pomiar w miejscu 1", "patyk i cien"});
        window.show();
        QApplication::setActiveWindow(&window);
    }
    QWidget window;
    StepButton *button = new StepButton(&window);
};

// The most common colour among the pixels touching the letters' fully inked (pure yellow) core:
// the outline, or without one the fill.
QColor aroundTheLetters(const QImage &img) {
    QHash<QRgb, int> count;
    for (int y = 1; y + 1 < img.height(); ++y)
        for (int x = 1; x + 1 < img.width(); ++x) {
            bool touches = false;
            for (int d = 0; d < 9 && !touches; ++d)
                touches = img.pixelColor(x + d % 3 - 1, y + d / 3 - 1) == Letters;
            if (touches && img.pixelColor(x, y) != Letters)
                ++count[img.pixel(x, y)];
        }
    QRgb most = 0;
    for (auto it = count.cbegin(); it != count.cend(); ++it)
        if (it.value() > count.value(most))
            most = it.key();
    return QColor::fromRgb(most);
}

TEST(StepButtonLook, KeepsItsFillsWithLettersAtFourAndAHalfToOneAndAClearFocusRing) {
    Button b;
    for (const QColor &fill : Fills) {
        SCOPED_TRACE(fill.name().toStdString());
        b.button->setFace(fill, {"Krok 2", "Pomiar w miejscu 1", "patyk i cien"});
        const QImage picture = b.button->picture().convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(picture.pixelColor(3, 3), fill);
        EXPECT_GE(contrast(Letters, aroundTheLetters(picture)), 4.5);

        // Inward from the middle of each edge: at least two pixels contrasting with the fill at
        // 3:1 while the button has the focus, none without it.
        auto ring = [&](bool focused) {
            focused ? b.button->setFocus(Qt::TabFocusReason) : b.button->clearFocus();
            const QImage img = b.button->grab().toImage();
            int fewest = 8;
            for (const auto &[from, step] : {std::pair{QPoint(0, 49), QPoint(1, 0)}, std::pair{QPoint(232, 49), QPoint(-1, 0)},
                                             std::pair{QPoint(200, 0), QPoint(0, 1)}, std::pair{QPoint(200, 97), QPoint(0, -1)}}) {
                int n = 0;
                for (int i = 0; i < 8; ++i)
                    n += contrast(img.pixelColor(from + i * step), fill) >= 3;
                fewest = std::min(fewest, n);
            }
            return fewest;
        };
        EXPECT_GE(ring(true), 2);
        EXPECT_EQ(ring(false), 0);
    }
}

TEST(StepButtonKeysAndReader, TabSpaceEnterAndAPushButtonCheckedWhileCurrent) {
    Button b;
    EXPECT_EQ(b.button->focusPolicy(), Qt::TabFocus);  // a click leaves the focus in the panel
    QSignalSpy clicked(b.button, &StepButton::clicked);
    for (auto [key, modifiers] : {std::pair{Qt::Key_Space, Qt::NoModifier}, std::pair{Qt::Key_Return, Qt::NoModifier},
                                  std::pair{Qt::Key_Enter, Qt::KeypadModifier}, std::pair{Qt::Key_Return, Qt::ControlModifier},
                                  std::pair{Qt::Key_A, Qt::NoModifier}})
        QTest::keyClick(b.button, key, modifiers);
    EXPECT_EQ(clicked.size(), 3);

    b.button->setShortcut(QKeySequence(Qt::ALT | Qt::Key_3));
    QAccessibleInterface *a = QAccessible::queryAccessibleInterface(b.button);
    EXPECT_EQ(a->role(), QAccessible::Button);
    EXPECT_EQ(a->text(QAccessible::Name), QString("Krok 2, Pomiar w miejscu 1, patyk i cien"));
    EXPECT_TRUE(a->state().checkable && !a->state().checked);
    b.button->setCurrent(true);
    EXPECT_TRUE(a->state().checked);
    b.button->setFace(Fills[2], {"Step 2", "", "stick"});  // an empty line is not read
    EXPECT_EQ(a->text(QAccessible::Name), QString("Step 2, stick"));
    QAccessibleActionInterface *actions = a->actionInterface();
    EXPECT_EQ(actions->keyBindingsForAction(QAccessibleActionInterface::pressAction()),
              QStringList{QKeySequence(Qt::ALT | Qt::Key_3).toString(QKeySequence::NativeText)});
    actions->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(clicked.size(), 4);
}

// (Enter in edit boxes and on focused buttons is driven in the keyboard-only class run.)
TEST(EnterKey, PressesTheListsAcceptButtonButNoHiddenOrDisabledOne) {
    QWidget panel;
    auto *list = new QComboBox(&panel), *free = new QComboBox(&panel);
    auto *accept = new QPushButton("accept", &panel);
    accept->setObjectName("btnAccept");
    list->setProperty("acceptButton", "btnAccept");
    installEnterKeys(&panel);
    panel.show();
    QSignalSpy accepted(accept, &QPushButton::clicked);
    QTest::keyClick(list, Qt::Key_Return);
    QTest::keyClick(free, Qt::Key_Return);  // a box without a button of its own
    QTest::keyClick(list, Qt::Key_Return, Qt::ShiftModifier);
    accept->hide();
    QTest::keyClick(list, Qt::Key_Return);
    accept->show();
    accept->setEnabled(false);
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(accepted.size(), 1);
}

TEST(ScreenFit, TheFramedWindowLiesWithinTheAvailableAreaCentredAndNeverLarger) {
    const QSize design(985, 692);
    const QMargins frame(4, 32, 4, 4);
    EXPECT_EQ(fittedGeometry(design, frame, QRect(0, 0, 1920, 1040)), QRect(467, 188, 985, 692));
    for (const QRect available : {QRect(0, 27, 960, 513), QRect(-1280, 100, 990, 700)}) {
        const QRect outer = fittedGeometry(design, frame, available).marginsAdded(frame);
        EXPECT_TRUE(available.contains(outer) && outer.height() == available.height()) << available.y();
        EXPECT_LE(std::abs(outer.center().x() - available.center().x()), 1);
    }
    EXPECT_EQ(fittedGeometry(design, frame, QRect(0, 0, 5, 5)).size(), QSize(1, 1));
    // A screen too low for the design (1920 x 1080 at 150 %) but wide enough: the window is cut in
    // height only and widened by its scroll bar; one as high as the design is not widened.
    EXPECT_EQ(fittedGeometry(design, frame, QRect(0, 0, 1280, 720), 16).size(), QSize(985 + 16, 720 - 36));
    EXPECT_EQ(fittedGeometry(design, frame, QRect(0, 0, 1280, 692 + 36), 16).size(), design);
}

}  // namespace
