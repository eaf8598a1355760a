// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <QStringList>

// What the language object reaches in the windows: the technical panel's label naming the
// language file in use, its language list, and the windows' texts as a whole. The main window's
// panel views implement it (the refresh of the texts runs the program's step for both windows);
// tests record it. A view without a language list or windows (the model's and the
// pictures' test fakes) needs only the caption: the rest does nothing there by default.
class LangView {
public:
    virtual ~LangView() = default;
    virtual void setLanguageFileCaption(const QString &fileName) = 0;

    // Replaces the language list's items (display names) and chooses position index, -1 for none.
    virtual void setLanguageList(const QStringList &items, int index) {
        Q_UNUSED(items);
        Q_UNUSED(index);
    }
    // The chosen position of the language list, -1 when nothing is chosen.
    virtual int languageListIndex() const { return -1; }

    // Both windows fetch all their texts again, exactly as when they are shown: the start
    // window first, then the main window (which reopens the step it showed).
    virtual void refreshTexts() {}
};
