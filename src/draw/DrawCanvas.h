// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QImage>
#include <QSize>
#include <QString>

// The image control a picture is painted on, as the drawing object sees it. The window's image
// control implements it; tests and benchmarks use a plain image of a chosen size.
//
// The drawing object sizes the bitmap to clientSize() at every paint, paints it through a
// QPainter (QImage::Format_RGB32, no antialiasing) and then calls bitmapChanged() once so that
// the control shows the new picture.
//
// Sizes and every position of a picture are logical pixels. On a screen scaled by the desktop
// (125 %, 150 %, 200 %) the bitmap has pixelRatio() device pixels per logical pixel, so that its
// lines and texts are as sharp as the screen allows; at a ratio of 1 it is the plain bitmap.
class DrawCanvas {
public:
    virtual ~DrawCanvas() = default;

    // The control's client area in logical pixels; the bitmap covers this area.
    virtual QSize clientSize() const = 0;
    // Device pixels per logical pixel of the screen the control is shown on.
    virtual qreal pixelRatio() const { return 1; }
    // The bitmap the control shows.
    virtual QImage &bitmap() = 0;
    // The bitmap has been repainted.
    virtual void bitmapChanged() = 0;
    // A short sentence saying what the picture shows, for those who cannot see it (a screen
    // reader reads it out), in the language of the windows.
    virtual void setDescription(const QString &text) { (void)text; }
};
