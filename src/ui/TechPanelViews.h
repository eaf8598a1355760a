// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QHash>
#include <QMap>
#include <QString>

class PanelTech;

// What the program tells the technical panel (the language file's name, the solved latitudes, the
// places editor's fields) whether or not the panel has been built yet: the panel is built on first
// use, and until then the values wait here and are handed over by adopt().
class TechPanelViews {
public:
    // The panel now exists: it gets every value told so far, and all later ones go straight to it.
    void adopt(PanelTech *panel);

    void setLanguageFileCaption(const QString &fileName);
    void setLatitudeCaption(int placeNumber, const QString &caption);
    int languageListIndex() const;  // -1 while the panel is not built
    QString field(const QString &controlName) const;
    void setField(const QString &controlName, const QString &text);

private:
    PanelTech *panel_ = nullptr;
    QHash<QString, QString> fields_;
    QString languageFileCaption_;
    QMap<int, QString> latitudeCaptions_;
};
