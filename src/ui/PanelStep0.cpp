// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PanelStep0.h"

#include "ui/IntroPicture.h"
#include "ui_PanelStep0.h"

#include <QLabel>

PanelStep0::PanelStep0(QWidget *parent) : QWidget(parent), ui(std::make_unique<Ui::PanelStep0>()) {
    ui->setupUi(this);
    QFont big = font();
    big.setPixelSize(16);
    for (QLabel *label : findChildren<QLabel *>())
        label->setFont(big);
    ui->Image1->setPicture(introPicture());
}

PanelStep0::~PanelStep0() = default;
