// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Guard.h"

#include "lang/FileErrorText.h"
#include "lang/TLang.h"
#include "platform/BuiltInText.h"

#include <new>

void reportError(Prompter &prompter, const std::exception &error, TLang *lang) {
    const bool worded = lang && lang->Texts.size() > 0;
    if (const auto *fileError = dynamic_cast<const FileError *>(&error); fileError && worded) {
        prompter.showMessage(fileErrorText(*fileError, *lang));
    } else if (dynamic_cast<const std::bad_alloc *>(&error)) {
        const QString text = worded ? lang->GetText(QStringLiteral("msgOutOfMemory")) : QString();
        prompter.showMessage(text.isEmpty() || text == QStringLiteral(".")
                                 ? builtInText(BuiltInText::CannotContinue).arg(builtInText(BuiltInText::OutOfMemory))
                                 : text);
    } else {
        prompter.showMessage(QString::fromUtf8(error.what()));
    }
}
