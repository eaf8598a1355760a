// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

// What the language object shows in the windows: the technical panel's label naming the language
// file in use. The main window implements it; tests record it.
class LangView {
public:
    virtual ~LangView() = default;
    virtual void setLanguageFileCaption(const QString &fileName) = 0;
};
