// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "model/SolarNoon.h"

#include <QDate>
#include <QList>
#include <QStringList>
#include <QString>
#include <optional>

class THeiObj;

// One place's reading as the class sends it to the partner school, which measures on the same day
// far away at its own computer: the place's name, the date and clock time of the reading, stick and
// shadow, the clock time of the place's true noon and its longitude where known, and the version of
// the program that wrote it. Never the pupils' names.
//
// The file is in the program's storage form (name=value lines, CR LF), in Windows-1250, or UTF-8
// with the byte-order mark when the place's name needs it; its first line GnomoraReading=1 tells it
// from any other such file:
//     GnomoraReading=1
//     Version=0.1.0
//     Place=Kraków
//     Date=2026-03-20            (ISO form, whatever the computer's date format)
//     TimeH=12  TimeM=5          (clock time of the reading, one key a line)
//     Stick=1000                 (millimetres)
//     Shadow1=800                (millimetres; a repeated reading adds Shadow2 .. Shadow5)
//     NoonH=12  NoonM=40         (true noon, both or neither)
//     Longitude=19.94            (degrees east, "." before the decimals; may be absent)
// Lengths and times are taken only within the ranges the measurement panel's boxes take.
// Written with "." whatever the computer's settings, a longitude is read with "." or ",". Blanks
// around "=" and at either end of a value are harmless, as a hand edit leaves them; the place's
// name is taken as a person reads it (ReadableName). A hand-written file may name the IANA time
// zone of its clock (TimeZone=Europe/Kyiv), which counts only where it gives no noon; the program
// writes none, so that every version reads its files.
struct PartnerReading {
    static constexpr int MaxShadows = 5;

    QString PlaceName;
    QDate MeasureDate;
    int TimH = 12;
    int TimM = 0;
    int Stick = 0;             // millimetres
    QList<int> Shadows;        // millimetres, 1 to MaxShadows readings at the same clock time
    std::optional<int> NoonH;  // the place's true noon, when known
    std::optional<int> NoonM;
    std::optional<double> Longitude;  // degrees east
    QByteArray TimeZone;       // IANA id of the file's clock, when the file names one
    QString Version;           // of the program that wrote the file

    // The clock time of true noon by the clock the reading was taken by: the file's noon, or else
    // the true noon at its longitude on its date in its time zone (ownZone when it names none).
    // Nothing when the file gives neither.
    std::optional<SolarNoon::ClockTime> TrueNoon(const QTimeZone &ownZone) const;

    // The accepted values of a place measured on the given day, at the given longitude if known.
    static PartnerReading of(const THeiObj &place, QDate measureDate, std::optional<double> longitude);
};

namespace PartnerReadingFile {

inline const QString MarkKey = QStringLiteral("GnomoraReading");
// The name the save dialog proposes: "Reading_<place>_<yyyy-MM-dd>.txt", characters that file
// names on Windows cannot hold replaced by "_".
QString suggestedName(const PartnerReading &reading);

// The file's bytes: the encoding follows the place's name.
QByteArray toBytes(const PartnerReading &reading);
// Writes the file atomically (FileError on failure, an older file left as it was).
void write(const PartnerReading &reading, const QString &fileName);

// What reading a file gave: the reading, or the first line (or missing key) at fault.
struct Parsed {
    std::optional<PartnerReading> reading;
    QString fault;
};
// Judges the file's lines: the mark first, each known key once, no other line but blank ones, every value of its form and range. A file that is no such reading gives no reading.
Parsed fromLines(QStringList lines);
// Reads and judges the file. A file that cannot be read whole (missing, a folder, a device or pipe,
// too large, NUL bytes, UTF-16, broken UTF-8) throws FileError before anything is judged.
Parsed read(const QString &fileName);

}  // namespace PartnerReadingFile
