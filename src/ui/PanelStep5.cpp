// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PanelStep5.h"

#include "session/TSession.h"
#include "ui/AppObjects.h"
#include "ui/Guard.h"
#include "ui/StepNavigator.h"
#include "ui_PanelStep5.h"

PanelStep5::PanelStep5(AppObjects &objects, StepNavigator &steps, Prompter &prompter, QWidget *parent)
    : QWidget(parent), ui(std::make_unique<Ui::PanelStep5>()), objects_(objects), steps_(steps),
      prompter_(prompter) {
    ui->setupUi(this);
    connect(ui->btnPanel5Back, &QPushButton::clicked, this,
            [this] { guarded(prompter_, [this] { if (objects_.exist()) steps_.imgStep4Click(); }); });
    connect(ui->btnReset, &QPushButton::clicked, this,
            [this] { guarded(prompter_, [this] { if (objects_.exist() && reset_) reset_(); }); });
}

PanelStep5::~PanelStep5() = default;

void PanelStep5::EnterStep() {
    ui->edPrintCopies->setText(QString::number(objects_.Session->CountPersons1()));
}
