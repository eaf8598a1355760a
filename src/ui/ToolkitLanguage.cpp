// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ToolkitLanguage.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

QLocale ToolkitLanguage::localeOf(const QString &localeName) {
    return localeName.trimmed().isEmpty() ? QLocale::system() : QLocale(localeName.trimmed());
}

Locale ToolkitLanguage::conventionsOf(const QString &localeName, const Locale &system) {
    return localeName.trimmed().isEmpty() ? system : Locale::of(localeOf(localeName));
}

ToolkitLanguage::ToolkitLanguage() = default;

ToolkitLanguage::~ToolkitLanguage() {
    if (translator_)
        QCoreApplication::removeTranslator(translator_.get());
}

void ToolkitLanguage::use(const QString &localeName) {
    const QLocale locale = localeOf(localeName);
    const QString language = QLocale::languageToCode(locale.language());
    if (language == language_)
        return;
    if (translator_) {
        QCoreApplication::removeTranslator(translator_.get());
        translator_.reset();
    }
    language_ = QStringLiteral("en");
    auto translator = std::make_unique<QTranslator>();
    if (translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        QCoreApplication::installTranslator(translator.get())) {
        translator_ = std::move(translator);
        language_ = language;
    }
}
