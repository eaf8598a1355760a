// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QImage>
#include <QSize>

// The image control a picture is painted on, as the drawing object sees it. The window's image
// control implements it; tests and benchmarks use a plain image of a chosen size.
//
// The drawing object sizes the bitmap to clientSize() at every paint, paints it through a
// QPainter (QImage::Format_RGB32, no antialiasing) and then calls bitmapChanged() once so that
// the control shows the new picture.
class DrawCanvas {
public:
    virtual ~DrawCanvas() = default;

    // The control's client area in pixels; the bitmap gets this size.
    virtual QSize clientSize() const = 0;
    // The bitmap the control shows.
    virtual QImage &bitmap() = 0;
    // The bitmap has been repainted.
    virtual void bitmapChanged() = 0;
};
