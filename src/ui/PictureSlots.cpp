// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PictureSlots.h"

#include "platform/Picture.h"

void PictureBoxSlot::showPictureFile(const QString &fileName) {
    box_->setPicture(Picture::load(fileName, box_->size()));
    box_->setVisible(true);
}
