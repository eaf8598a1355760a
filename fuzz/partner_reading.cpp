// SPDX-License-Identifier: GPL-3.0-or-later
// The partner school's reading file from arbitrary bytes, read as "Load the partner's reading"
// reads it.
//
// Input: the bytes of the file.
// Invariants:
//  - a file that cannot be read whole is refused with a FileError, and nothing else escapes;
//  - an accepted reading holds only what the measurement panel's boxes take: a clock time,
//    stick and one to five shadows within the box's range, true noon both or neither, a finite
//    longitude within the globe's range, a valid date;
//  - a refused file names its fault;
//  - an accepted reading, saved again, reads back as the same reading;
//  - nothing of it is undefined behaviour or a crash.
#include "FuzzSupport.h"
#include "model/TypedInput.h"
#include "platform/FileIo.h"
#include "session/PartnerReading.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <cstdint>

namespace {

bool sameReading(const PartnerReading &a, const PartnerReading &b) {
    return a.PlaceName == b.PlaceName && a.MeasureDate == b.MeasureDate && a.TimH == b.TimH && a.TimM == b.TimM &&
           a.Stick == b.Stick && a.Shadows == b.Shadows && a.NoonH == b.NoonH && a.NoonM == b.NoonM &&
           a.Longitude.has_value() == b.Longitude.has_value() && a.Version == b.Version;
}

void checkAccepted(const PartnerReading &r) {
    using namespace TypedInput;
    const auto inRange = [](int value, WholeRange range) { return value >= range.min && value <= range.max; };
    FUZZ_CHECK(r.MeasureDate.isValid());
    FUZZ_CHECK(inRange(r.TimH, ClockHour) && inRange(r.TimM, ClockMinute), "%d:%d", r.TimH, r.TimM);
    FUZZ_CHECK(inRange(r.Stick, LengthMm), "stick %d", r.Stick);
    FUZZ_CHECK(!r.Shadows.isEmpty() && r.Shadows.size() <= PartnerReading::MaxShadows);
    for (int shadow : r.Shadows)
        FUZZ_CHECK(inRange(shadow, LengthMm), "shadow %d", shadow);
    FUZZ_CHECK(r.NoonH.has_value() == r.NoonM.has_value());
    if (r.NoonH)
        FUZZ_CHECK(inRange(*r.NoonH, ClockHour) && inRange(*r.NoonM, ClockMinute));
    if (r.Longitude)
        FUZZ_CHECK(std::isfinite(*r.Longitude) && std::fabs(*r.Longitude) <= 180, "%g", *r.Longitude);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    static int argc = 1;
    static char name[] = "fuzz_partner_reading";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    static QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("reading.txt"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char *>(data), static_cast<qint64>(size));
    }
    PartnerReadingFile::Parsed parsed;
    try {
        parsed = PartnerReadingFile::read(path);
    } catch (const FileError &) {
        return 0;  // refused as a file: too large, NUL bytes, UTF-16, broken UTF-8
    }
    if (!parsed.reading) {
        FUZZ_CHECK(!parsed.fault.isEmpty(), "a refusal without its fault");
        return 0;
    }
    checkAccepted(*parsed.reading);
    const QString again = folder.filePath(QStringLiteral("again.txt"));
    PartnerReadingFile::write(*parsed.reading, again);
    const PartnerReadingFile::Parsed reread = PartnerReadingFile::read(again);
    FUZZ_CHECK(reread.reading && sameReading(*reread.reading, *parsed.reading), "%s",
               qPrintable(reread.fault));
    return 0;
}
