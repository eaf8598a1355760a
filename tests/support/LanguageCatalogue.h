// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "report/ResultSheetLayout.h"

#include <QFile>
#include <QStringList>

// Every key the program looks up in a language file (tests/lang/catalogue_keys.txt, which the
// language tests hold to the program's lookups); empty when the file cannot be read.
inline QStringList catalogueKeys() {
    QFile file(QStringLiteral(GNOMORA_SOURCE_DIR "/tests/lang/catalogue_keys.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLatin1(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
}

// The result sheet's headings: the labels named after a language key, which show that key's text.
// The other labels show the run's values.
inline QStringList sheetHeadings() {
    const QStringList keys = catalogueKeys();
    QStringList headings;
    for (const Report::PageLabel &label : Report::resultSheetPage().labels)
        if (keys.contains(label.name))
            headings.append(label.name);
    return headings;
}
