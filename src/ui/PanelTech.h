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
    // Saves the places editor, once every noon time in it is one the configuration keeps.
    void btnSavePlacesClick();
    // The noon boxes of the five places, place by place, hour then minute: a whole hour from 1 to
    // 23 and a whole minute from 0 to 59. The first box that holds anything else is refused with
    // the caption of its place and msgBadNoonH or msgBadNoonM, and false is returned.
    bool noonTimesTyped();
    // Runs a button's handler while the shared objects exist; errors go to the general report.
    template <typename Handler> void onClick(QPushButton *button, Handler handler);

    std::unique_ptr<Ui::PanelTech> ui;
    AppObjects &objects_;
    PlacesView &places_;
    Prompter &prompter_;
};
