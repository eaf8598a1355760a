// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PanelTech.h"

#include "store/TComm.h"
#include "ui/AppObjects.h"
#include "ui/Guard.h"
#include "ui_PanelTech.h"

PanelTech::PanelTech(AppObjects &objects, PlacesView &places, Prompter &prompter, QWidget *parent)
    : QWidget(parent), ui(std::make_unique<Ui::PanelTech>()), objects_(objects), places_(places),
      prompter_(prompter) {
    ui->setupUi(this);
    connect(ui->btnSavePlaces, &QPushButton::clicked, this,
            [this] { guarded(prompter_, [this] { btnSavePlacesClick(); }); });
}

PanelTech::~PanelTech() = default;

QLineEdit *PanelTech::placesField(const QString &controlName) const {
    return ui->TechPagePlaces->findChild<QLineEdit *>(controlName);
}

void PanelTech::setLatitudeCaption(int placeNumber, const QString &caption) {
    QLabel *label = placeNumber == 1 ? ui->labTech1 : ui->LabTech2;
    label->setText(caption);
    label->adjustSize();
}

void PanelTech::setLanguageFileCaption(const QString &fileName) {
    ui->labApplyIniChangesFile->setText(fileName);
    ui->labApplyIniChangesFile->adjustSize();
}

void PanelTech::btnSavePlacesClick() {
    if (objects_.exist())
        objects_.Comm->SavePlaces(places_);
}
