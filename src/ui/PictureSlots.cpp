// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PictureSlots.h"

#include "platform/Picture.h"

void PictureBoxSlot::showPictureFile(const QString &fileName) {
    // Shared by every image of step 1: a place chosen again shows its photographs at once.
    static Picture::FittedCache cache;
    box_->setPicture(cache.load(fileName, box_->size(), box_->devicePixelRatioF()));
    box_->setVisible(true);
}
