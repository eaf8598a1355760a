// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A drawing object on a plain image of a chosen size, over the shared model world (scripted
// prompter, fixed clock, recording latitude labels and session record) and a language file
// holding the compass words.
#include "draw/DrawCanvas.h"
#include "draw/TDrawObj.h"
#include "support/ModelWorld.h"
#include "support/TempDir.h"

#include <QFontMetrics>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <initializer_list>
#include <vector>

// The image control's stand-in: a bitmap and a client size that a test can change.
class ImageCanvas : public DrawCanvas {
public:
    explicit ImageCanvas(QSize size) : size(size) {}
    QSize clientSize() const override { return size; }
    qreal pixelRatio() const override { return ratio; }
    QImage &bitmap() override { return image; }
    void bitmapChanged() override { ++changes; }
    void setDescription(const QString &text) override { description = text; }

    QSize size;
    qreal ratio = 1;
    QImage image;
    int changes = 0;
    QString description;
};

// Design sizes of the two step images.
inline const QSize kImageStep2{529, 415};
inline const QSize kImageStep4{529, 449};

// Words of different lengths, so that a text's width tells which word stands where.
inline const QByteArray kLanguageFile = "North=Polnoc\r\nSouth=Poludnie\r\nEast=Wschod\r\nWest=Zach\r\n";

struct DrawWorld {
    // kind 2, 4 or 5; kind 5 gets no canvas.
    DrawWorld(int kind, QSize size) : canvas(size), draw(model.lang, model.logic, kind == 5 ? nullptr : &canvas) {
        dir.write(QStringLiteral("Gnomo_Language_0.ini"), kLanguageFile);
        model.comm.Init();
        model.lang.Init();
        model.logic.Init();
        draw.Init(kind);
    }

    const QImage &image() const { return canvas.image; }

    TempWorkDir dir;
    ModelTestWorld model;  // on the March equinox of 2013 at 10:00
    ImageCanvas canvas;
    TDrawObj draw;
};

// Puts a measured place's angles (in degrees) straight into the model's fields.
struct PlaceAngles {
    double sunPlane;     // 90 deg - latitude
    double declination;
    double hourAngle;    // of the measurement, from true noon
    double noonHeight;
    std::uint8_t state;
};

inline void setPlace(THeiObj &hei, const PlaceAngles &a) {
    hei.SunPlaneAngle = degrees(a.sunPlane);
    hei.EquinoxDispl = std::sin(degrees(a.declination));
    hei.EquinoxRadius = std::cos(degrees(a.declination));
    hei.SunOnCurrTimeAngle = degrees(a.hourAngle);
    hei.NoonHeightAngle = degrees(a.noonHeight);
    hei.State = a.state;
}

// Colours as they come out of a Format_RGB32 bitmap.
namespace Px {
inline constexpr QRgb Black = 0xFF000000;
inline constexpr QRgb Green = 0xFF008000;
inline constexpr QRgb Yellow = 0xFFFFFF00;
inline constexpr QRgb Red = 0xFFFF0000;
inline constexpr QRgb Blue = 0xFF0000FF;
inline constexpr QRgb Grey = 0xFF808080;
inline constexpr QRgb Olive = 0xFF808000;
}  // namespace Px

inline QRgb pixel(const QImage &image, QPoint p) { return image.pixel(p) | 0xFF000000; }

inline int countColour(const QImage &image, QRgb colour, QRect area = QRect()) {
    if (area.isNull())
        area = image.rect();
    area &= image.rect();
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += pixel(image, QPoint(x, y)) == colour;
    return n;
}

// The smallest rectangle around the pixels in which two images differ (null when none).
inline QRect differenceBounds(const QImage &a, const QImage &b) {
    QRect bounds;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (pixel(a, QPoint(x, y)) != pixel(b, QPoint(x, y)))
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

// True when the pixel nearest to p, or one of its eight neighbours, has the colour: the place of
// a 2-pixel line, without depending on which side of it the pen's second pixel falls.
inline bool colourNear(const QImage &image, QPointF p, QRgb colour) {
    const QPoint c = p.toPoint();
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const QPoint q = c + QPoint(dx, dy);
            if (image.rect().contains(q) && pixel(image, q) == colour)
                return true;
        }
    return false;
}

// Checks a line of the given colour at the fractions ts of the way from a to b.
inline ::testing::AssertionResult lineAt(const QImage &image, QPointF a, QPointF b, QRgb colour,
                                         std::initializer_list<double> ts) {
    for (double t : ts) {
        const QPointF p = a + t * (b - a);
        if (!colourNear(image, p, colour))
            return ::testing::AssertionFailure()
                   << "no " << std::hex << colour << std::dec << " near (" << p.x() << ", " << p.y() << ")";
    }
    return ::testing::AssertionSuccess();
}

// A text cell: its top-left corner, its text and colour.
struct TextCell {
    QPoint corner;
    QString text;
    QRgb colour;
    QRect rect() const {
        const QFontMetrics metrics(TDrawObj::TextFont());
        return QRect(corner, QSize(metrics.horizontalAdvance(text), metrics.height()));
    }
};

// Compares a picture painted with its texts to the same picture without them: every changed
// pixel lies in one of the cells, and each cell holds ink of its text's colour.
inline ::testing::AssertionResult textsInCells(const QImage &withTexts, const QImage &without,
                                               const std::vector<TextCell> &cells) {
    for (int y = 0; y < withTexts.height(); ++y)
        for (int x = 0; x < withTexts.width(); ++x) {
            const QPoint p(x, y);
            if (pixel(withTexts, p) == pixel(without, p))
                continue;
            bool inCell = false;
            for (const TextCell &cell : cells)
                inCell = inCell || cell.rect().contains(p);
            if (!inCell)
                return ::testing::AssertionFailure() << "text pixel outside the cells at (" << x << ", " << y << ")";
        }
    for (const TextCell &cell : cells)
        if (countColour(withTexts, cell.colour, cell.rect()) == 0)
            return ::testing::AssertionFailure() << "no ink in the cell of " << cell.text.toStdString();
    return ::testing::AssertionSuccess();
}
