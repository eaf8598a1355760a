// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "platform/Locale.h"

#include <QLocale>
#include <QString>
#include <memory>

class QTranslator;

// The toolkit's own texts (the buttons of message boxes, the print preview and print dialog, the
// context menus of edit boxes) in the class's language: the toolkit's translation for the locale
// that the language file names in its key "Locale" (pl, en, de ...), or for the system's locale
// when the file names none.
class ToolkitLanguage {
public:
    static inline const QString LocaleKey = QStringLiteral("Locale");

    // The locale a language file names in its key "Locale", or the system's for an empty name.
    static QLocale localeOf(const QString &localeName);
    // The decimal and date separators for the class's language: those of the locale the language
    // file names, or the user's own (system) conventions when it names none.
    static Locale conventionsOf(const QString &localeName, const Locale &system);

    ToolkitLanguage();
    ~ToolkitLanguage();
    ToolkitLanguage(const ToolkitLanguage &) = delete;
    ToolkitLanguage &operator=(const ToolkitLanguage &) = delete;

    // Switches the toolkit to the locale's language (an empty name: the system's locale). A
    // language the toolkit has no translation for leaves its built-in English.
    void use(const QString &localeName);
    // The language in use, as a locale name such as "pl"; English when no translation is installed.
    QString language() const { return language_; }

private:
    std::unique_ptr<QTranslator> translator_;
    QString language_;
};
