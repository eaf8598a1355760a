// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QWidget>
#include <memory>

namespace Ui { class PanelTech; }
class QLineEdit;
struct AppObjects;
class PlacesView;
class Prompter;

// The teacher's corner: the language page, the places editor and the solved latitudes.
class PanelTech : public QWidget {
    Q_OBJECT
public:
    PanelTech(AppObjects &objects, PlacesView &places, Prompter &prompter, QWidget *parent = nullptr);
    ~PanelTech() override;

    QLineEdit *placesField(const QString &controlName) const;
    void setLatitudeCaption(int placeNumber, const QString &caption);
    void setLanguageFileCaption(const QString &fileName);

private:
    void btnSavePlacesClick();

    std::unique_ptr<Ui::PanelTech> ui;
    AppObjects &objects_;
    PlacesView &places_;
    Prompter &prompter_;
};
