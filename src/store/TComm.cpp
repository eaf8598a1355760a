// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/TComm.h"

#include "platform/FileIo.h"
#include "platform/Prompter.h"

#include <QFileInfo>
#include <cmath>
#include <limits>

TComm::TComm(Prompter &prompter, Locale locale) : prompter_(prompter), locale_(locale) {}

void TComm::Init() {
    HoverStep = 0;
    ActiveStep = 1;
    Cfg.clear();
    CfgUnread = false;
    CfgReadError.reset();
    if (!QFileInfo::exists(CfgFileName))  // no file: an empty configuration, no message
        return;
    try {
        Cfg.load(CfgFileName, FileKind::Configuration);
    } catch (const FileError &e) {
        Cfg.clear();
        CfgUnread = true;
        CfgReadError = e;
    }
}

void TComm::Done() { Cfg.clear(); }

void TComm::SaveCfg() const {
    if (!SavesAllowed)
        throw FileError(FileError::Kind::InUse, CfgFileName);
    if (CfgUnread)
        throw FileError(FileError::Kind::NotReadAtStart, CfgFileName);
    Cfg.save(CfgFileName);
}

int TComm::TextToInt(const QString &text) {
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    if (i == text.size())
        return 0;
    // Accumulate in 64 bits and stop as soon as the 32-bit range is left.
    constexpr std::int64_t limit = std::int64_t{std::numeric_limits<int>::max()} + 1;
    std::int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return 0;
        magnitude = magnitude * 10 + (c - u'0');
        if (magnitude > limit)
            return 0;
    }
    if (!negative && magnitude == limit)
        return 0;
    return static_cast<int>(negative ? -magnitude : magnitude);
}

double TComm::TextToFloat(const QString &text) const {
    // [sign] digits [separator digits] [(e|E) [sign] digits], with at least one mantissa digit.
    QByteArray ascii;
    ascii.reserve(text.size());
    qsizetype i = 0;
    const qsizetype n = text.size();
    auto isDigit = [&](qsizetype k) { return k < n && text[k] >= u'0' && text[k] <= u'9'; };
    if (i < n && (text[i] == u'-' || text[i] == u'+'))
        ascii.append(static_cast<char>(text[i++].unicode()));
    int mantissaDigits = 0;
    while (isDigit(i)) {
        ascii.append(static_cast<char>(text[i++].unicode()));
        ++mantissaDigits;
    }
    if (i < n && text[i] == locale_.decimalSeparator) {
        ascii.append('.');
        ++i;
        while (isDigit(i)) {
            ascii.append(static_cast<char>(text[i++].unicode()));
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0)
        return 0;
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        ascii.append('e');
        ++i;
        if (i < n && (text[i] == u'-' || text[i] == u'+'))
            ascii.append(static_cast<char>(text[i++].unicode()));
        if (!isDigit(i))
            return 0;
        while (isDigit(i))
            ascii.append(static_cast<char>(text[i++].unicode()));
    }
    if (i != n)
        return 0;
    bool ok = false;
    const double value = ascii.toDouble(&ok);  // C locale, independent of the process locale
    return ok && std::isfinite(value) ? value : 0;
}
