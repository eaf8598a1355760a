// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "report/ReportPage.h"

#include <QImage>
#include <QRect>
#include <cstdlib>

// Helpers shared by the report engine's tests.
namespace ReportTest {

// At this resolution one millimetre is exactly ten pixels.
inline constexpr int kDpi = 254;
inline constexpr double kPxPerMm = 10.0;

// Page pixel of a millimetre position measured from the band's top-left corner (10 mm margins).
inline double bandMmToPx(double mm) { return (10.0 + mm) * kPxPerMm; }

inline bool isDark(QRgb pixel) { return qGray(pixel) < 128; }

// Bounding box of the pixels where two renderings of the page differ: the ink of the captions
// that one of them carries and the other does not. Empty when they are the same.
inline QRect inkBounds(const QImage &withText, const QImage &without, const QRect &area = QRect()) {
    const QRect scan = area.isNull() ? withText.rect() : area.intersected(withText.rect());
    QRect ink;
    for (int y = scan.top(); y <= scan.bottom(); ++y) {
        const auto *a = reinterpret_cast<const QRgb *>(withText.constScanLine(y));
        const auto *b = reinterpret_cast<const QRgb *>(without.constScanLine(y));
        for (int x = scan.left(); x <= scan.right(); ++x)
            if (std::abs(qGray(a[x]) - qGray(b[x])) > 96)
                ink |= QRect(x, y, 1, 1);
    }
    return ink;
}

}  // namespace ReportTest
