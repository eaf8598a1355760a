// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/FittedGeometry.h"

QRect fittedGeometry(QSize design, QMargins frame, QRect available, int scrollBarWidth) {
    const QSize frameSize(frame.left() + frame.right(), frame.top() + frame.bottom());
    const QSize room = available.size() - frameSize;
    if (design.height() > room.height())
        design.rwidth() += scrollBarWidth;
    const QSize client = design.boundedTo(room).expandedTo(QSize(1, 1));
    const QSize outer = client + frameSize;
    const QPoint frameTopLeft(available.left() + (available.width() - outer.width()) / 2,
                              available.top() + (available.height() - outer.height()) / 2);
    return QRect(frameTopLeft + QPoint(frame.left(), frame.top()), client);
}
