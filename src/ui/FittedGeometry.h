// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QMargins>
#include <QRect>
#include <QSize>

// Where a top-level window goes on a screen: its client area of the design size or, on a
// smaller screen, as large as the available area allows once the window frame (title bar and
// borders, `frame`) is added; the frame centred on the available area. A window cut in height
// scrolls its panels up and down: it is widened by the vertical scroll bar (`scrollBarWidth`),
// as far as the screen has room, so that the bar takes nothing of the design width and nothing
// scrolls sideways. The result is the client area's geometry; its size is never larger than
// that nor below 1 x 1.
QRect fittedGeometry(QSize design, QMargins frame, QRect available, int scrollBarWidth = 0);

// The frame a window manager is expected to add before the window has been shown and the real
// frame is known (a title bar and thin borders).
inline constexpr QMargins AssumedWindowFrame{4, 32, 4, 4};
