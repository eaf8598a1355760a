// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PanelViews.h"

#include "model/THeiObj.h"
#include "session/TSession.h"
#include "store/TComm.h"
#include "ui/PanelStep1.h"
#include "ui/PanelTech.h"

#include <QComboBox>
#include <QLineEdit>

namespace {
const int EditBoxMaxLength = 32767;  // QLineEdit's default limit
}  // namespace

// --- Step 1's place lists --------------------------------------------------------------------

void PanelViews::adopt(PanelStep1 &panel, const TSession *record) {
    places_ = &panel;
    for (int place : {1, 2}) {
        QComboBox *list = panel.placeList(place);
        list->addItems(placeItems_);
        list->setCurrentIndex(-1);  // filling a list chooses nothing
    }
    panel.addVirtualPartner();
    for (int place : {1, 2}) {
        if (!record)
            continue;
        QComboBox *list = panel.placeList(place);
        // The lists were never shown: the session record knows what was chosen.
        const QString n = QString::number(place);
        const QString index = record->GetValue(QStringLiteral("PlaceSelect") + n);
        chooseAgain(*list, index.isEmpty() ? -1 : TComm::TextToInt(index),
                    record->GetValue(QStringLiteral("PlaceName") + n));
    }
    haveListedChoice_ = false;
}

void PanelViews::clearPlaceLists() {
    placeItems_.clear();
    if (!places_)
        return;
    // What the class sees chosen is chosen again after the refill, stored or not.
    for (int place : {1, 2}) {
        QComboBox *list = places_->placeList(place);
        listedChoice_[place - 1] = {places_->chosenPlaceIndex(place), list->currentText()};
        list->clear();
    }
    haveListedChoice_ = true;
}

void PanelViews::addPlaceListItem(const QString &text) {
    placeItems_.append(text);
    if (!places_)
        return;
    // Filling a list chooses nothing (the toolkit would select the first item).
    for (int place : {1, 2}) {
        QComboBox *list = places_->placeList(place);
        const int chosen = list->currentIndex();
        list->addItem(text);
        list->setCurrentIndex(chosen);
    }
}

void PanelViews::placeListsFilled() {
    if (!places_)
        return;
    places_->addVirtualPartner();
    if (!haveListedChoice_)
        return;
    for (int place : {1, 2})
        chooseAgain(*places_->placeList(place), listedChoice_[place - 1].index, listedChoice_[place - 1].name);
    haveListedChoice_ = false;
}

void PanelViews::chooseAgain(QComboBox &list, int index, const QString &name) {
    if (index == THeiObj::VirtualPartnerPlaceNo - 1) {  // wherever it stands, in any language
        list.setCurrentIndex(list.findData(THeiObj::VirtualPartnerPlaceNo));
        return;
    }
    const bool inRange = index >= 0 && index < list.count();
    if (inRange && list.itemText(index) == name) {
        list.setCurrentIndex(index);
        return;
    }
    // The places editor may have moved the place to another row: it is found by its name.
    const int moved = name.isEmpty() ? -1 : list.findText(name, Qt::MatchExactly);
    if (moved >= 0)
        list.setCurrentIndex(moved);
    else  // or renamed it in its row (a typo fixed); a row emptied holds no place any more
        list.setCurrentIndex(inRange && !list.itemText(index).isEmpty() ? index : -1);
}

// --- The technical panel ---------------------------------------------------------------------

void PanelViews::adopt(PanelTech &panel) {
    tech_ = &panel;
    for (auto field = fields_.cbegin(); field != fields_.cend(); ++field)
        if (QLineEdit *edit = panel.placesField(field.key()))
            edit->setText(field.value());
    fields_.clear();
    if (!languageFileCaption_.isNull())
        panel.setLanguageFileCaption(languageFileCaption_);
    if (!languageItems_.isEmpty())
        panel.setLanguageList(languageItems_, languageIndex_);
    for (auto caption = latitudeCaptions_.cbegin(); caption != latitudeCaptions_.cend(); ++caption)
        panel.setLatitudeCaption(caption.key(), caption.value());
}

void PanelViews::setLanguageFileCaption(const QString &fileName) {
    if (tech_)
        tech_->setLanguageFileCaption(fileName);
    else
        languageFileCaption_ = fileName;
}

void PanelViews::setLanguageList(const QStringList &items, int index) {
    if (tech_) {
        tech_->setLanguageList(items, index);
        return;
    }
    languageItems_ = items;
    languageIndex_ = index >= 0 && index < items.size() ? index : -1;  // as the list would choose
}

int PanelViews::languageListIndex() const { return tech_ ? tech_->languageListIndex() : languageIndex_; }

void PanelViews::refreshTexts() {
    if (refreshTexts_)
        refreshTexts_();
}

void PanelViews::setLatitudeCaption(int placeNumber, const QString &caption) {
    if (tech_)
        tech_->setLatitudeCaption(placeNumber, caption);
    else
        latitudeCaptions_[placeNumber] = caption;
}

QString PanelViews::field(const QString &controlName) const {
    if (!tech_)
        return fields_.value(controlName);
    const QLineEdit *edit = tech_->placesField(controlName);
    return edit ? edit->text() : QString();
}

void PanelViews::setField(const QString &controlName, const QString &text) {
    if (!tech_)
        fields_.insert(controlName, text.left(EditBoxMaxLength));  // what the edit box would keep
    else if (QLineEdit *edit = tech_->placesField(controlName))
        edit->setText(text);
}
