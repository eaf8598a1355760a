// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/ReadableName.h"

namespace {

bool isUnseen(char16_t c) {
    return c == 0x00AD || c == 0x034F || c == 0x061C || c == 0x180E || (c >= 0x200B && c <= 0x200F) ||
           (c >= 0x202A && c <= 0x202E) || (c >= 0x2060 && c <= 0x2064) || (c >= 0x2066 && c <= 0x2069) ||
           c == 0xFEFF;
}

}  // namespace

namespace ReadableName {

QString of(const QString &name) {
    QString seen;
    seen.reserve(name.size());
    for (QChar c : name)
        if (!isUnseen(c.unicode()))
            seen.append(c);
    return seen.normalized(QString::NormalizationForm_C).simplified();
}

bool same(const QString &a, const QString &b) { return of(a) == of(b); }

}  // namespace ReadableName
