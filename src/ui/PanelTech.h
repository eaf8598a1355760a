// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QStringList>
#include <QWidget>
#include <memory>

namespace Ui { class PanelTech; }
class QLineEdit;
class QPushButton;
struct AppObjects;
class PlacesView;
class Prompter;

// The teacher's corner: the language page (switch the language of both windows, or load the file
// in use again after it was edited), the places editor and the solved latitudes.
class PanelTech : public QWidget {
    Q_OBJECT
public:
    PanelTech(AppObjects &objects, PlacesView &places, Prompter &prompter, QWidget *parent = nullptr);
    ~PanelTech() override;

    QLineEdit *placesField(const QString &controlName) const;
    void setLatitudeCaption(int placeNumber, const QString &caption);
    void setLanguageFileCaption(const QString &fileName);
    void setLanguageList(const QStringList &items, int index);
    int languageListIndex() const;

private:
    void bOKChooseLangClick();
    void bOKLangIniChangesClick();
    void btnSavePlacesClick();
    // Runs a button's handler while the shared objects exist; errors go to the general report.
    template <typename Handler> void onClick(QPushButton *button, Handler handler);

    std::unique_ptr<Ui::PanelTech> ui;
    AppObjects &objects_;
    PlacesView &places_;
    Prompter &prompter_;
};
