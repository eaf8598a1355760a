// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QPointF>
#include <QRectF>
#include <cmath>

// Cuts the segment a-b to the rectangle r (Liang-Barsky); false when nothing of it lies inside.
inline bool clipToRect(QPointF &a, QPointF &b, const QRectF &r) {
    const double dx = b.x() - a.x();
    const double dy = b.y() - a.y();
    double t0 = 0, t1 = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x() - r.left(), r.right() - a.x(), a.y() - r.top(), r.bottom() - a.y()};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::fmax(t0, t);
        else
            t1 = std::fmin(t1, t);
        if (t0 > t1)
            return false;
    }
    const QPointF from = a;
    a = QPointF(from.x() + t0 * dx, from.y() + t0 * dy);
    b = QPointF(from.x() + t1 * dx, from.y() + t1 * dy);
    return true;
}
