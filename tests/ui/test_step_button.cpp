// SPDX-License-Identifier: GPL-3.0-or-later
// The step button's outlined letters, drawn the quick way (one black layer placed eight times),
// give exactly the pixels of drawing the black text eight times, and the window shows them.
#include "ui/StepButton.h"
#include "ui/WindowFont.h"

#include <QCoreApplication>
#include <QEnterEvent>
#include <QPainter>
#include <QWidget>
#include <cmath>
#include <gtest/gtest.h>

namespace {

// The plain way: the black text one pixel off in each of the eight directions, then the yellow.
QImage eightTimes(QSize size, qreal ratio, const QColor &fill, const QStringList &lines) {
    QImage picture(int(std::ceil(size.width() * ratio)), int(std::ceil(size.height() * ratio)), QImage::Format_RGB32);
    picture.setDevicePixelRatio(ratio);
    picture.fill(fill);
    QPainter painter(&picture);
    painter.setFont(windowFont(14, true));
    const int tops[3] = {10, 25, 40};
    for (int i = 0; i < 3; ++i) {
        const QRect box(10, tops[i], size.width(), 17);
        painter.setPen(Qt::black);
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy)
                if (dx || dy)
                    painter.drawText(box.translated(dx, dy), Qt::AlignLeft | Qt::AlignTop, lines[i]);
        painter.setPen(QColor(255, 255, 0));
        painter.drawText(box, Qt::AlignLeft | Qt::AlignTop, lines[i]);
    }
    return picture;
}

}  // namespace

TEST(StepButton, OutlinedLettersHaveThePixelsOfTheTextDrawnEightTimes) {
    const QStringList lines{QStringLiteral("Krok 1"), QString::fromUtf8("Miejsca i uczniowie"),
                            QString::fromUtf8("wybór dwóch szkół")};
    for (const QColor fill : {QColor(0, 0, 0), QColor(0, 0, 238), QColor(34, 238, 34)}) {
        StepButton button;
        button.resize(233, 98);
        button.setFace(fill, lines);
        EXPECT_EQ(button.picture(), eightTimes(QSize(233, 98), button.devicePixelRatioF(), fill, lines))
            << fill.name().toStdString();
    }
}

TEST(StepButton, TheWindowShowsThePixelsOfItsBitmap) {
    const QStringList lines{QStringLiteral("Krok 4"), QString::fromUtf8("Porównanie"), QString::fromUtf8("obwód Ziemi")};
    QWidget window;
    window.resize(300, 200);
    auto *button = new StepButton(&window);
    button->setGeometry(20, 30, 233, 98);
    for (const QColor fill : {QColor(0, 0, 0), QColor(34, 238, 34)}) {
        button->setFace(fill, lines);
        const QImage shown = button->grab().toImage().convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(shown, button->picture()) << fill.name().toStdString();
    }
}

namespace {

// The pointing hand comes with the pointer: none is set before it first enters the button, the
// hand from then on, and it stays after the pointer has left.
TEST(StepButton, ThePointerOverItIsAPointingHand) {
    StepButton button;
    EXPECT_FALSE(button.testAttribute(Qt::WA_SetCursor));
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QCoreApplication::sendEvent(&button, &enter);
    EXPECT_TRUE(button.testAttribute(Qt::WA_SetCursor));
    EXPECT_EQ(button.cursor().shape(), Qt::PointingHandCursor);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&button, &leave);
    EXPECT_EQ(button.cursor().shape(), Qt::PointingHandCursor);
}

}  // namespace
