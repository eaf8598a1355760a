// SPDX-License-Identifier: GPL-3.0-or-later
// The program's two text-to-number conversions on arbitrary text, each against a reference
// reading, and the session record's number text read back.
//
// Input: the text, then (FuzzedDataProvider reads them from the end) a byte choosing the decimal
// separator and how the text is decoded (UTF-8 as typed into a field, or Windows-1250 as read
// from a file), a double and an int.
// Invariants:
//  - TextToInt is the value of [+-]digits when it fits in 32 bits, else 0;
//  - TextToFloat is the value of [+-](digits[sep digits] | sep digits)[(e|E)[+-]digits], read by
//    the C library, when finite, else 0;
//  - a whole number written by QString::number reads back unchanged;
//  - a finite double written as the session record writes it reads back to 15 digits.
#include "FuzzSupport.h"
#include "platform/AnsiCodec.h"
#include "platform/ScriptedPrompter.h"
#include "session/TSession.h"
#include "store/TComm.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

bool isAsciiDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// The number as text of plain ASCII with '.' as separator, or empty when the text has not the
// form above.
std::string decimalForm(const QString &t, QChar separator, bool allowFraction) {
    std::string out;
    qsizetype i = 0;
    const qsizetype n = t.size();
    if (i < n && (t[i] == u'+' || t[i] == u'-'))
        out += char(t[i++].unicode());
    qsizetype digits = 0;
    for (; i < n && isAsciiDigit(t[i]); ++i, ++digits)
        out += char(t[i].unicode());
    if (allowFraction && i < n && t[i] == separator) {
        out += '.';
        for (++i; i < n && isAsciiDigit(t[i]); ++i, ++digits)
            out += char(t[i].unicode());
    }
    if (digits == 0)
        return {};
    if (allowFraction && i < n && (t[i] == u'e' || t[i] == u'E')) {
        out += 'e';
        ++i;
        if (i < n && (t[i] == u'+' || t[i] == u'-'))
            out += char(t[i++].unicode());
        qsizetype expDigits = 0;
        for (; i < n && isAsciiDigit(t[i]); ++i, ++expDigits)
            out += char(t[i].unicode());
        if (expDigits == 0)
            return {};
    }
    return i == n ? out : std::string();
}

int referenceInt(const QString &text) {
    const std::string s = decimalForm(text, u'.', false);
    if (s.empty())
        return 0;
    errno = 0;
    char *end = nullptr;
    const long long v = std::strtoll(s.c_str(), &end, 10);
    if (errno == ERANGE || v < INT32_MIN || v > INT32_MAX)
        return 0;
    return int(v);
}

double referenceFloat(const QString &text, QChar separator) {
    const std::string s = decimalForm(text, separator, true);
    if (s.empty())
        return 0;
    const double v = std::strtod(s.c_str(), nullptr);
    return std::isfinite(v) ? v : 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const std::uint8_t mode = in.ConsumeIntegral<std::uint8_t>();
    const QChar separator = (mode & 1) ? u',' : u'.';
    const double number = in.ConsumeFloatingPoint<double>();
    const std::int32_t whole = in.ConsumeIntegral<std::int32_t>();
    const std::string rest = in.ConsumeRemainingBytesAsString();
    const QByteArray bytes(rest.data(), qsizetype(rest.size()));
    const QString text = (mode & 2) ? AnsiCodec::decode(bytes) : QString::fromUtf8(bytes);

    ScriptedPrompter prompter;
    const TComm comm(prompter, Locale{separator, u'/'});

    const int asInt = TComm::TextToInt(text);
    FUZZ_CHECK(asInt == referenceInt(text), "\"%s\" gave %d", qPrintable(text), asInt);
    const double asFloat = comm.TextToFloat(text);
    const double expected = referenceFloat(text, separator);
    FUZZ_CHECK(asFloat == expected, "\"%s\" gave %.17g, expected %.17g", qPrintable(text), asFloat, expected);

    FUZZ_CHECK(TComm::TextToInt(QString::number(whole)) == whole, "%d", whole);
    if (std::isfinite(number)) {
        const QString stored = TSession::FloatToText(number, separator);
        const double back = comm.TextToFloat(stored);
        FUZZ_CHECK(std::isfinite(back));
        if (number == 0)
            FUZZ_CHECK(back == 0);
        else if (std::fabs(number) <= 1.79769313486231e308)  // larger ones are stored as that number
            FUZZ_CHECK(QString::number(back, 'e', 14) == QString::number(number, 'e', 14),
                       "%.17g stored as \"%s\" read back as %.17g", number, qPrintable(stored), back);
    }
    return 0;
}
