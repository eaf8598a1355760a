// SPDX-License-Identifier: GPL-3.0-or-later
// The files a class exchanges and keeps: one place's reading for the partner school, and the
// results as a table for a spreadsheet.
#include "platform/FileIo.h"
#include "session/PartnerReading.h"
#include "session/ResultsTable.h"
#include "support/TempDir.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace {

PartnerReading krakow() {
    PartnerReading r;
    r.PlaceName = QStringLiteral("Kraków");
    r.MeasureDate = QDate(2013, 6, 20);
    r.TimH = 12;
    r.TimM = 5;
    r.Stick = 1000;
    r.Shadows = {800};
    r.NoonH = 11;
    r.NoonM = 40;
    r.Longitude = 19.94;
    r.Version = QStringLiteral("0.1.0");
    return r;
}

const QByteArray KrakowBytes = "GnomoraReading=1\r\nVersion=0.1.0\r\nPlace=Krak\xf3w\r\nDate=2013-06-20\r\n"
                               "TimeH=12\r\nTimeM=5\r\nStick=1000\r\nShadow1=800\r\nNoonH=11\r\nNoonM=40\r\n"
                               "Longitude=19.9400\r\n";

PartnerReadingFile::Parsed parse(const QByteArray &bytes) {
    TempWorkDir dir;
    dir.write("r.txt", bytes);
    return PartnerReadingFile::read("r.txt");
}

}  // namespace

TEST(PartnerReading, WrittenInTheHouseFormAndReadBack) {
    EXPECT_EQ(PartnerReadingFile::toBytes(krakow()), KrakowBytes);  // Windows-1250, CR LF
    const PartnerReadingFile::Parsed back = parse(KrakowBytes);
    ASSERT_TRUE(back.reading) << back.fault.toStdString();
    EXPECT_EQ(back.reading->PlaceName, krakow().PlaceName);
    EXPECT_EQ(back.reading->MeasureDate, krakow().MeasureDate);
    EXPECT_EQ(back.reading->Shadows, QList<int>{800});
    EXPECT_EQ(back.reading->NoonM, 40);
    EXPECT_DOUBLE_EQ(*back.reading->Longitude, 19.94);

    // A name that Windows-1250 lacks makes it UTF-8 with the mark; five readings come back in order.
    PartnerReading kyiv = krakow();
    kyiv.PlaceName = QStringLiteral("Київ");
    kyiv.Shadows = {800, 801, 799, 802, 800};
    kyiv.NoonH.reset();
    kyiv.NoonM.reset();
    kyiv.Longitude.reset();
    const QByteArray bytes = PartnerReadingFile::toBytes(kyiv);
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF" "GnomoraReading=1\r\n"));
    EXPECT_FALSE(bytes.contains("Noon") || bytes.contains("Longitude"));
    const PartnerReadingFile::Parsed kyivBack = parse(bytes);
    ASSERT_TRUE(kyivBack.reading) << kyivBack.fault.toStdString();
    EXPECT_EQ(kyivBack.reading->PlaceName, kyiv.PlaceName);
    EXPECT_EQ(kyivBack.reading->Shadows, kyiv.Shadows);
    EXPECT_FALSE(kyivBack.reading->NoonH);

    EXPECT_EQ(PartnerReadingFile::suggestedName(kyiv), QStringLiteral("Reading_Київ_2013-06-20.txt"));
    kyiv.PlaceName = QStringLiteral("St. Pölten: \"Nord\"/Süd");
    EXPECT_EQ(PartnerReadingFile::suggestedName(kyiv), QStringLiteral("Reading_St._Pölten___Nord__Süd_2013-06-20.txt"));
}

// A file that another program wrote, or that was damaged or changed on the way, is no reading;
// the line at fault (or the key missing) is named.
TEST(PartnerReading, AFileThatIsNoReadingIsRefusedNamingTheFault) {
    auto replaced = [](const char *from, const char *to) { return QByteArray(KrakowBytes).replace(from, to); };
    const struct {
        const char *why;
        QByteArray bytes;
        const char *fault;
    } rows[] = {
        {"empty", "", "GnomoraReading"},
        {"a blank line before the mark: the mark is named, not the blank", "\r\n" + KrakowBytes, "GnomoraReading"},
        {"another file of the storage form", "LessonRecord=1\r\nHeiState1=3\r\n", "LessonRecord=1"},
        {"another version of the mark", replaced("GnomoraReading=1", "GnomoraReading=2"), "GnomoraReading=2"},
        {"cut short", KrakowBytes.left(KrakowBytes.indexOf("Stick")), "Stick"},
        {"a foreign key", KrakowBytes + "Person11=Ala\r\n", "Person11=Ala"},
        {"a key twice", KrakowBytes + "Stick=900\r\n", "Stick=900"},
        {"a line without a value", KrakowBytes + "junk\r\n", "junk"},
        {"a place without a name", replaced("Place=Krak\xf3w", "Place= "), "Place= "},
        {"a control character in the name", replaced("Place=Krak\xf3w", "Place=Krak\x07"), "Place=Krak\x07"},
        {"a date of another form", replaced("2013-06-20", "20/06/2013"), "Date=20/06/2013"},
        {"a day that does not exist", replaced("2013-06-20", "2013-02-30"), "Date=2013-02-30"},
        {"hour 24", replaced("TimeH=12", "TimeH=24"), "TimeH=24"},
        {"minute 60", replaced("TimeM=5", "TimeM=60"), "TimeM=60"},
        {"a negative minute", replaced("TimeM=5", "TimeM=-5"), "TimeM=-5"},
        {"a stick of 0 mm", replaced("Stick=1000", "Stick=0"), "Stick=0"},
        {"a shadow past 100 km", replaced("Shadow1=800", "Shadow1=100000001"), "Shadow1=100000001"},
        {"a shadow with decimals", replaced("Shadow1=800", "Shadow1=800.5"), "Shadow1=800.5"},
        {"a blank inside a shadow", replaced("Shadow1=800", "Shadow1=8 00"), "Shadow1=8 00"},
        {"no first shadow", replaced("Shadow1=800", "Shadow2=800"), "Shadow1"},
        {"a sixth shadow", KrakowBytes + "Shadow6=800\r\n", "Shadow6=800"},
        {"a gap among the shadows", KrakowBytes + "Shadow3=800\r\n", "Shadow3=800"},
        {"noon hour 0", replaced("NoonH=11", "NoonH=0"), "NoonH=0"},
        {"a noon hour without its minute", replaced("NoonM=40\r\n", ""), "NoonM"},
        {"a longitude past 180", replaced("19.9400", "190"), "Longitude=190"},
        {"a name of nothing but a soft hyphen", replaced("Place=Krak\xf3w", "Place=\xAD"), "Place=\xAD"},
        {"a time zone nobody knows", KrakowBytes + "TimeZone=Mars/Olympus\r\n", "TimeZone=Mars/Olympus"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.why);
        const PartnerReadingFile::Parsed parsed = parse(row.bytes);
        EXPECT_FALSE(parsed.reading);
        EXPECT_EQ(parsed.fault, QString::fromLatin1(row.fault));
    }
    // Blank lines, as editors and mail programs leave them, and a lone LF are still the file.
    EXPECT_TRUE(parse(KrakowBytes + "\r\n\r\n").reading);
    EXPECT_TRUE(parse(QByteArray(KrakowBytes).replace("Stick=", "\r\nStick=")).reading);
    EXPECT_TRUE(parse(QByteArray(KrakowBytes).replace("\r\n", "\n")).reading);
}

// What a hand edit or another editor leaves is still the reading, the name as a person reads it.
TEST(PartnerReading, HandEditsAndOtherEditorsAreTheSameReading) {
    auto replaced = [](const char *from, const char *to) { return QByteArray(KrakowBytes).replace(from, to); };
    const std::pair<QByteArray, const char *> rows[] = {  // the file, the place's name
        {replaced("Shadow1=800\r\n", "Shadow1 = 800 \r\n\t\r\n").replace("GnomoraReading=1", "GnomoraReading = 1 "), "Kraków"},
        {replaced("19.9400", "19,94"), "Kraków"},
        {replaced("Place=Krak\xf3w", "Place=SP nr 12 w Gda\xC5\x84sku"), "SP nr 12 w Gdańsku"},  // Notepad's UTF-8
        {replaced("Place=Krak\xf3w", "Place=\xE2\x80\xAE SP  nr 4\xE2\x80\x8B\xC2\xAD \xE2\x81\xA6"), "SP nr 4"},
        {replaced("Place=Krak\xf3w", "Place=Krako\xCC\x81w"), "Kraków"},  // a combining accent
    };
    for (const auto &[bytes, place] : rows) {
        const PartnerReadingFile::Parsed parsed = parse(bytes);
        ASSERT_TRUE(parsed.reading) << parsed.fault.toStdString();
        EXPECT_EQ(parsed.reading->PlaceName, QString::fromUtf8(place));
        EXPECT_EQ(parsed.reading->Shadows, QList<int>{800});
        EXPECT_DOUBLE_EQ(*parsed.reading->Longitude, 19.94);
    }
}

// Without a noon the file's longitude gives it, by the clock of the file's zone, else this computer's.
TEST(PartnerReading, TrueNoonByTheClockOfTheFile) {
    PartnerReading r = krakow();
    r.NoonH.reset();
    r.NoonM.reset();
    r.Longitude = 30.523;  // Kyiv on 15 July 2026: 12:04 by Warsaw's clocks, 13:04 by Kyiv's
    r.MeasureDate = QDate(2026, 7, 15);
    EXPECT_EQ(r.TrueNoon(QTimeZone("Europe/Warsaw"))->hour, 12);
    r.TimeZone = "Europe/Kiev";
    EXPECT_EQ(r.TrueNoon(QTimeZone("Europe/Warsaw"))->hour, 13);
}

// What cannot be read whole is refused as the file it is, before a line is judged.
TEST(PartnerReading, WhatIsNoTextFileIsAFileError) {
    TempWorkDir dir;
    QDir(dir.path()).mkdir("folder.txt");
    QFile large(dir.file("large.txt"));
    ASSERT_TRUE(large.open(QIODevice::WriteOnly) && large.resize(FileIo::maxBytes(FileKind::Reading) + 1));
    large.close();
    dir.write("with-nul-byte.txt", KrakowBytes + QByteArray(1, '\0'));
    dir.write("utf16.txt", QByteArray("\xFF\xFE") + KrakowBytes);
    const std::pair<const char *, FileError::Kind> rows[] = {
        {"missing.txt", FileError::Kind::Missing}, {"folder.txt", FileError::Kind::Folder},
        {"large.txt", FileError::Kind::TooLarge},  {"with-nul-byte.txt", FileError::Kind::NulByte},
        {"utf16.txt", FileError::Kind::Utf16},
    };
    for (const auto &[name, kind] : rows) {
        SCOPED_TRACE(name);
        try {
            PartnerReadingFile::read(name);
            ADD_FAILURE() << "read";
        } catch (const FileError &e) {
            EXPECT_EQ(e.kind, kind);
        }
    }
}

namespace {

QString heading(const QString &key) { return key == "csvPlace" ? QStringLiteral("Miejsce, \"nazwa\"") : key; }

ResultsTable::PlaceRow row(const QString &place, int shadow, double elevationDeg) {
    ResultsTable::PlaceRow r;
    r.date = QDate(2013, 6, 20);
    r.place = place;
    r.hour = 12;
    r.minute = 5;
    r.stickMm = 1000;
    r.shadowsMm = {shadow};
    r.elevation = elevationDeg / 180 * M_PI;
    r.latitude = (90 - elevationDeg + 23.4333333) / 180 * M_PI;
    r.noonElevation = r.elevation;
    return r;
}

}  // namespace

TEST(ResultsTable, FieldsAreQuotedOnlyWhenTheyMustBe) {
    EXPECT_EQ(ResultsTable::field("Kraków"), QStringLiteral("Kraków"));
    EXPECT_EQ(ResultsTable::field("Nowy Sącz, Szkoła \"Jedynka\""),
              QStringLiteral("\"Nowy Sącz, Szkoła \"\"Jedynka\"\"\""));
    EXPECT_EQ(ResultsTable::field("Nowy Sącz, Szkoła", u';'), QStringLiteral("Nowy Sącz, Szkoła"));
    EXPECT_EQ(ResultsTable::field("A; B", u';'), QStringLiteral("\"A; B\""));
    EXPECT_EQ(ResultsTable::field("two\r\nlines"), QStringLiteral("\"two\r\nlines\""));
    // A name a spreadsheet would run as a formula stays a text.
    EXPECT_EQ(ResultsTable::field("=HYPERLINK(\"x\")"), QStringLiteral("\"'=HYPERLINK(\"\"x\"\")\""));
}

// The table as Python's csv module reads it: what a spreadsheet or a script gets.
TEST(ResultsTable, ReadBackByPythonsCsvModule) {
    const QString python = QStandardPaths::findExecutable("python3");
    if (python.isEmpty())
        GTEST_SKIP() << "no python3 on this computer";
    TempWorkDir dir;
    ResultsTable::Result result{800, 7.2 / 180 * M_PI, 40000, std::nullopt};
    const QByteArray bytes =
        ResultsTable::toBytes({row("Nowy Sącz, Szkoła \"Jedynka\"", 800, 51.34), row("Київ", 1000, 45)}, result, heading);
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    dir.write("results.csv", bytes);

    QProcess p;
    p.start(python, {"-c", "import csv, json, sys\n"
                           "with open(sys.argv[1], newline='', encoding='utf-8-sig') as f:\n"
                           "    print(json.dumps(list(csv.reader(f, strict=True))))\n",
                     dir.file("results.csv")});
    ASSERT_TRUE(p.waitForFinished(60000));
    ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    const QJsonArray rows = QJsonDocument::fromJson(p.readAllStandardOutput()).array();
    auto cells = [&rows](int i) {
        QStringList texts;
        for (const QJsonValue &v : rows[i].toArray())
            texts << v.toString();
        return texts;
    };
    ASSERT_EQ(rows.size(), 6);
    const QString reading = QStringLiteral("csvShadowReading");
    EXPECT_EQ(cells(0), QStringList({"csvDate", "Miejsce, \"nazwa\"", "csvTime", "csvStick", reading, reading, reading,
                                     reading, reading, "csvShadows", "csvShadowError", "csvElevation", "csvLatitude",
                                     "csvNoonElevation"}));
    EXPECT_EQ(cells(1), QStringList({"2013-06-20", "Nowy Sącz, Szkoła \"Jedynka\"", "12:05", "1000", "800", "", "", "",
                                     "", "800.00", "", "51.34", "62.09", "51.34"}));
    EXPECT_EQ(cells(2)[1], QStringLiteral("Київ"));
    EXPECT_EQ(cells(3), QStringList());  // the empty row between the places and the result
    EXPECT_EQ(cells(4), QStringList({"csvDistance", "csvDifference", "csvCircumference", "csvUncertainty",
                                     "csvDeviation"}));
    // 40 000 km lies 0.02 % below 40 008 km: one decimal gives 0.0, without a sign.
    EXPECT_EQ(cells(5), QStringList({"800", "7.20", "40000", "", "0.0"}));

    result.circumferenceKm = 41000;
    result.uncertaintyKm = 1300;
    const QString last = QString::fromUtf8(ResultsTable::toBytes({}, result, heading)).split("\r\n").at(3);
    EXPECT_EQ(last, QStringLiteral("800,7.20,41000,1300,2.5"));

    // With a decimal comma the fields are separated by semicolons; every reading has its column,
    // then their mean and its standard error (4 / sqrt(3)).
    ResultsTable::PlaceRow kyiv = row("Київ", 1000, 45);
    kyiv.shadowsMm = {1000, 1004, 996};
    const QStringList polish =
        QString::fromUtf8(ResultsTable::toBytes({kyiv}, result, heading, ResultsTable::NumberFormat{u','})).split("\r\n");
    EXPECT_EQ(polish[1], QString::fromUtf8("2013-06-20;Київ;12:05;1000;1000;1004;996;;;1000,00;2,31;45,00;68,43;45,00"));
    EXPECT_EQ(polish[4], QStringLiteral("800;7,20;41000;1300;2,5"));
}
