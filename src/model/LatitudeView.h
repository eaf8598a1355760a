// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

// Where a place shows its solved latitude: the two latitude labels of the technical panel.
// The main window's panel views implement it; tests record the captions.
class LatitudeView {
public:
    virtual ~LatitudeView() = default;

    // placeNumber: 1 for the first place (label labTech1), 2 for the second (label LabTech2).
    virtual void setLatitudeCaption(int placeNumber, const QString &caption) = 0;
};
