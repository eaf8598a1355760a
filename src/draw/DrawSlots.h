// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QColor>
#include <cstdint>

// Colours as the drawing object stores them: a 32-bit value with red in the low byte, then green,
// then blue (0x00BBGGRR).
namespace DrawColor {

inline constexpr std::uint32_t Black = 0x000000;
inline constexpr std::uint32_t Green = 0x008000;   // 0, 128, 0
inline constexpr std::uint32_t Yellow = 0x00FFFF;  // 255, 255, 0
inline constexpr std::uint32_t Red = 0x0000FF;     // 255, 0, 0
inline constexpr std::uint32_t Blue = 0xFF0000;    // 0, 0, 255
inline constexpr std::uint32_t Grey = 0x808080;    // 128, 128, 128
inline constexpr std::uint32_t Olive = 0x008080;   // 128, 128, 0

inline QColor toQColor(std::uint32_t color) {
    return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

}  // namespace DrawColor

// One straight line of a picture, between two points in scene units.
struct TLineSlot {
    double P1X = 0, P1Y = 0, P1Z = 0;
    double P2X = 0, P2Y = 0, P2Z = 0;
    bool Visible = false;
    std::uint32_t Color = DrawColor::Black;

    bool operator==(const TLineSlot &) const = default;
};

// One circle of a picture. Untilted it lies in the horizontal plane through its centre; Tilt
// (radians) turns its plane about the y axis, so that the plane is spanned by
// (cos Tilt, 0, sin Tilt) and (0, 1, 0). UpperOnly leaves out the part below z = 0.
struct TCircleSlot {
    double CX = 0, CY = 0, CZ = 0;
    double Radius = 0;
    double Tilt = 0;
    bool Visible = false;
    bool UpperOnly = false;
    std::uint32_t Color = DrawColor::Black;

    bool operator==(const TCircleSlot &) const = default;
};
