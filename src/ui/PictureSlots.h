// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "store/PlacesView.h"
#include "ui/PictureBox.h"

#include <QLineEdit>

// The edit boxes and images of step 1 as the configuration object fills them.
class LineEditSlot : public TextSlot {
public:
    explicit LineEditSlot(QLineEdit *edit) : edit_(edit) {}
    QString text() const override { return edit_->text(); }
    void setText(const QString &text) override { edit_->setText(text); }

private:
    QLineEdit *edit_;
};

class PictureBoxSlot : public PictureSlot {
public:
    explicit PictureBoxSlot(PictureBox *box) : box_(box) {}
    // Shows the picture whole in the image: as it is when it fits, scaled down to fit otherwise.
    void showPictureFile(const QString &fileName) override;
    void hidePicture() override { box_->setVisible(false); }

private:
    PictureBox *box_;
};
