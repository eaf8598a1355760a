// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class TLogic;
class THeiObj;

// The results of a run as a table that the class's spreadsheet opens as it is, holding what the
// school projects' online forms ask for: a CSV file (RFC 4180: a field holding the separator, a
// quote or a line break in quotes with its quotes doubled, CR LF after every row) in UTF-8 with
// the byte-order mark, by which spreadsheets tell UTF-8 from their 8-bit code page.
//
// The table is for people, so it follows the class's language, not the computer: numbers carry
// the language's decimal mark, and where that mark is a comma the fields are separated by ";"
// (as spreadsheets in those languages expect), otherwise by ",". Every number stands alone in its
// cell, with no thousands separator, so that a spreadsheet reads it as a number.
//
// Rows: the headings of the places' columns, one row per place (date, place, clock time, stick,
// each shadow reading in a column of its own, their mean and the standard error of that mean,
// elevation at the reading, latitude, noon elevation), an empty row, the headings of the result,
// and the result (distance, difference of the noon elevations, circumference, its uncertainty,
// the deviation from 40 008 km). Angles are decimal degrees to 0.01 deg, lengths millimetres (the
// mean and its standard error to 0.01 mm), distances km, the deviation per cent to 0.1; the date
// ISO yyyy-MM-dd, the clock time H:MM.
namespace ResultsTable {

// The language keys of the headings, in column order; the shadow readings' columns take the text
// of ShadowReadingKey with the reading's number for %1.
extern const char *const ResultHeadingKeys[5];
inline constexpr const char *ShadowReadingKey = "csvShadowReading";

// A spreadsheet's way of writing numbers: the decimal mark, and the field separator that goes
// with it.
struct NumberFormat {
    QChar decimalMark = u'.';
    QChar separator() const { return decimalMark == u',' ? u';' : u','; }
};

struct PlaceRow {
    QDate date;
    QString place;
    int hour = 0, minute = 0;
    int stickMm = 0;
    QList<int> shadowsMm;  // one per reading, in the order taken
    double elevation = 0, latitude = 0, noonElevation = 0;  // radians
};
struct Result {
    int distanceKm = 0;
    double difference = 0;                // radians
    int circumferenceKm = 0;
    std::optional<int> uncertaintyKm;     // empty when none follows from the readings
};

PlaceRow rowOf(const THeiObj &place, QDate date);
Result resultOf(const TLogic &logic);

// One text field as RFC 4180 writes it with the given separator. A text that a spreadsheet would
// take for a formula (starting with =, +, - or @; a place name comes from a partner's file) is
// written with an apostrophe in front, as spreadsheets mark a text.
QString field(const QString &text, QChar separator = u',');

// The whole file; text(key) gives the headings in the language in use.
QByteArray toBytes(const QList<PlaceRow> &places, const Result &result,
                   const std::function<QString(const QString &key)> &text, NumberFormat format = {});

// The table of the run's two places and its result, written atomically (FileError on failure).
void write(const TLogic &logic, const std::function<QString(const QString &key)> &text, NumberFormat format,
           const QString &fileName);

// "Gnomora_Results_<yyyy-MM-dd>.csv", the name the save dialog proposes.
QString suggestedName(QDate date);

}  // namespace ResultsTable
