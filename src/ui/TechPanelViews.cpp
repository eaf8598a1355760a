// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TechPanelViews.h"

#include "ui/PanelTech.h"

#include <QLineEdit>

namespace {
const int EditBoxMaxLength = 32767;  // QLineEdit's default limit
}  // namespace

void TechPanelViews::adopt(PanelTech *panel) {
    panel_ = panel;
    for (auto field = fields_.cbegin(); field != fields_.cend(); ++field)
        if (QLineEdit *edit = panel_->placesField(field.key()))
            edit->setText(field.value());
    fields_.clear();
    if (!languageFileCaption_.isNull())
        panel_->setLanguageFileCaption(languageFileCaption_);
    for (auto caption = latitudeCaptions_.cbegin(); caption != latitudeCaptions_.cend(); ++caption)
        panel_->setLatitudeCaption(caption.key(), caption.value());
}

void TechPanelViews::setLanguageFileCaption(const QString &fileName) {
    if (panel_)
        panel_->setLanguageFileCaption(fileName);
    else
        languageFileCaption_ = fileName;
}

void TechPanelViews::setLatitudeCaption(int placeNumber, const QString &caption) {
    if (panel_)
        panel_->setLatitudeCaption(placeNumber, caption);
    else
        latitudeCaptions_[placeNumber] = caption;
}

int TechPanelViews::languageListIndex() const { return panel_ ? panel_->languageListIndex() : -1; }

QString TechPanelViews::field(const QString &controlName) const {
    if (!panel_)
        return fields_.value(controlName);
    const QLineEdit *edit = panel_->placesField(controlName);
    return edit ? edit->text() : QString();
}

void TechPanelViews::setField(const QString &controlName, const QString &text) {
    if (!panel_)
        fields_.insert(controlName, text.left(EditBoxMaxLength));  // what the edit box would keep
    else if (QLineEdit *edit = panel_->placesField(controlName))
        edit->setText(text);
}
