// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PanelStep0.h"

#include "platform/Picture.h"
#include "ui_PanelStep0.h"

#include <QLabel>

// The window's resources live in a static library, whose initialiser the linker would drop.
static void initWindowResources() { Q_INIT_RESOURCE(resources); }

PanelStep0::PanelStep0(QWidget *parent) : QWidget(parent), ui(std::make_unique<Ui::PanelStep0>()) {
    initWindowResources();
    ui->setupUi(this);
    QFont big = font();
    big.setPixelSize(16);
    for (QLabel *label : findChildren<QLabel *>())
        label->setFont(big);
    // The illustration is part of the program: a failure here is a broken build, not bad input.
    ui->Image1->setPicture(Picture::load(QStringLiteral(":/intro.jpg")));
}

PanelStep0::~PanelStep0() = default;
