// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "lang/LangView.h"
#include "model/LatitudeView.h"
#include "store/PlacesView.h"

#include <QHash>
#include <QMap>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>

class PanelStep1;
class PanelTech;
class QComboBox;
class TSession;

// What the language, the model and the configuration objects tell the panels, whether or not the
// panels have been built yet: step 1's place lists, and the technical panel's language file name,
// language list, solved latitudes and places editor. Both panels are built on first use; until
// then the values wait here and are handed over when the panel is adopted, and from then on go
// straight to it.
class PanelViews : public LangView, public LatitudeView, public PlacesView {
public:
    // Step 1's panel now exists: its lists get the places listed so far, with the choice that
    // the session record holds (none without a record).
    void adopt(PanelStep1 &panel, const TSession *record);
    // The technical panel now exists: it gets every value told so far.
    void adopt(PanelTech &panel);

    // What the language's refresh of both windows runs (the program sets it up).
    void setTextsRefresh(std::function<void()> refresh) { refreshTexts_ = std::move(refresh); }

    void setLanguageFileCaption(const QString &fileName) override;
    void setLanguageList(const QStringList &items, int index) override;
    int languageListIndex() const override;
    void refreshTexts() override;

    void setLatitudeCaption(int placeNumber, const QString &caption) override;

    QString field(const QString &controlName) const override;
    void setField(const QString &controlName, const QString &text) override;
    void clearPlaceLists() override;
    void addPlaceListItem(const QString &text) override;
    void placeListsFilled() override;

private:
    struct ListedPlace {
        int index = -1;
        QString name;
    };
    // Chooses in a refilled list the place that was item `index` named `name`.
    static void chooseAgain(QComboBox &list, int index, const QString &name);

    PanelStep1 *places_ = nullptr;
    QStringList placeItems_;                    // the place lists' items
    std::array<ListedPlace, 2> listedChoice_;   // both lists' choice before they were refilled
    bool haveListedChoice_ = false;

    PanelTech *tech_ = nullptr;
    QHash<QString, QString> fields_;
    QString languageFileCaption_;
    QStringList languageItems_;
    int languageIndex_ = -1;
    QMap<int, QString> latitudeCaptions_;

    std::function<void()> refreshTexts_;
};
