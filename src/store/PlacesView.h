// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

// The controls the configuration object fills and reads: the places editor of the technical panel
// and the two place lists of step 1. Fields are addressed by their control names (edPlace1,
// edNoonH3, edPerson52jpg ...). The main window's panel views implement it; tests record it.
class PlacesView {
public:
    virtual ~PlacesView() = default;
    virtual QString field(const QString &controlName) const = 0;
    virtual void setField(const QString &controlName, const QString &text) = 0;
    // Both place lists (cbPlaceSelect1, cbPlaceSelect2) at once; clearing leaves no choice.
    virtual void clearPlaceLists() = 0;
    virtual void addPlaceListItem(const QString &text) = 0;
    // Both lists hold every place again: the view may choose again what was chosen before.
    virtual void placeListsFilled() {}
};

// One edit box of step 1 holding a person's name.
class TextSlot {
public:
    virtual ~TextSlot() = default;
    virtual QString text() const = 0;
    virtual void setText(const QString &text) = 0;
};

// One image of step 1. showPictureFile loads the file and shows the image; it throws an error naming
// the file when the picture cannot be read.
class PictureSlot {
public:
    virtual ~PictureSlot() = default;
    virtual void showPictureFile(const QString &fileName) = 0;
    virtual void hidePicture() = 0;
};

// One place's controls in step 1, as choosing the place fills them: its photograph, and for each
// of its first two persons the name box, the photograph and the name last filled in from the
// configuration (a name the class typed over it is left alone).
struct PlaceSlots {
    struct Person {
        TextSlot *name;
        PictureSlot *image;
        QString filled;
    };
    PictureSlot *image;
    Person persons[2];
};
