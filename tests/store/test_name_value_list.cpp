// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FileIo.h"
#include "store/NameValueList.h"
#include "support/TempDir.h"

#include <QDir>
#include <gtest/gtest.h>

TEST(NameValueList, LineEndsOnReading) {
    struct Row { QByteArray bytes; QStringList lines; };
    const Row rows[] = {
        {"a=1\r\nb=2\r\n", {"a=1", "b=2"}},
        {"a=1\rb=2", {"a=1", "b=2"}},
        {"a=1\nb=2\n", {"a=1", "b=2"}},
        {"a=1\n\r\nb=2", {"a=1", "", "b=2"}},   // LF then CR LF: an empty line between
        {"a=1\r\rb=2", {"a=1", "", "b=2"}},
        {"a=1\r\n\r\n", {"a=1", ""}},
        {"", {}},
        {"a=1\r\nb=2\0c=3\r\n", {"a=1", "b=2"}},  // a NUL byte ends the text
        {QByteArray("x=\0y", 4), {"x="}},
    };
    for (const Row &r : rows)
        EXPECT_EQ(NameValueList::fromBytes(r.bytes).lines(), r.lines) << r.bytes.toStdString();
}

TEST(NameValueList, WritesCrLfAfterEveryLine) {
    NameValueList list(QStringList{"a=1", "; comment", ""});
    EXPECT_EQ(list.toBytes(), QByteArray("a=1\r\n; comment\r\n\r\n"));
    EXPECT_EQ(NameValueList().toBytes(), QByteArray());
}

TEST(NameValueList, KeysAreUntrimmedAndEndAtTheFirstEquals) {
    const auto list = NameValueList::fromBytes("key =blank before\r\n a=blank in key\r\nx=y=z\r\n=empty key\r\n");
    EXPECT_EQ(list.value("key"), QString());
    EXPECT_EQ(list.value("key "), QString("blank before"));
    EXPECT_EQ(list.value(" a"), QString("blank in key"));
    EXPECT_EQ(list.value("x"), QString("y=z"));
    EXPECT_EQ(list.value("x=y"), QString());
    EXPECT_EQ(list.value(""), QString("empty key"));
}

TEST(NameValueList, LookupIgnoresCaseAndTakesTheFirstLine) {
    const auto list = NameValueList::fromBytes("place1=Krak\xf3w\r\nPLACE1=Gda\xf1sk\r\n\xa3\xf3\x64\x9f=city\r\n");
    EXPECT_EQ(list.value("Place1"), QString::fromUtf8("Kraków"));
    EXPECT_EQ(list.value("łÓDŹ"), QString("city"));
    // A key whose letters leave ASCII half way through.
    const auto mixed = NameValueList::fromBytes("Miasto \xa3\xf3\x64\x9f=city\r\n");
    EXPECT_EQ(mixed.value("MIASTO ŁÓDŹ"), QString("city"));
    EXPECT_EQ(list.value("Place2"), QString());
    EXPECT_EQ(list.indexOfExactKey("PLACE1"), 1);
    EXPECT_EQ(list.indexOfExactKey("Place1"), -1);
}

TEST(NameValueList, SetReplacesInPlaceAppendsAndDeletes) {
    auto list = NameValueList::fromBytes("; schools\r\nplace1=Old\r\nno equals here\r\nplace1=Second\r\n");
    list.setValue("Place1", "New");
    list.setValue("Place2", "Added");
    EXPECT_EQ(list.lines(), (QStringList{"; schools", "Place1=New", "no equals here", "place1=Second", "Place2=Added"}));
    list.setValue("PLACE1", "");  // deletes the first line only
    EXPECT_EQ(list.value("place1"), QString("Second"));
    list.setValue("place1", "");
    list.setValue("absent", "");
    EXPECT_EQ(list.lines(), (QStringList{"; schools", "no equals here", "Place2=Added"}));
    // the lookup index follows deletions and appends
    list.setValue("Place1", "Back");
    EXPECT_EQ(list.value("place1"), QString("Back"));
    EXPECT_EQ(list.indexOfKey("place1"), 3);
}

TEST(NameValueList, BothEncodingsRoundTripByteForByte) {
    TempWorkDir dir;
    struct Row { QByteArray bytes; TextEncoding encoding; const char *place; };
    const Row rows[] = {
        {"; Miejsca \xb0\r\nPlace1=Szko\xb3\x61 w \xa3odzi\r\nNoonH1=12\r\n[section]\r\n", TextEncoding::Windows1250,
         "Szkoła w Łodzi"},
        // Any script after the mark, a character beyond 16 bits, and a mark inside the text that stays text.
        {"\xEF\xBB\xBF; Місця\r\nPlace1=Київ – Łódź ☀ 𝄞\r\n\r\nx=\xEF\xBB\xBF\r\n", TextEncoding::Utf8WithMark,
         "Київ – Łódź ☀ 𝄞"},
        {"\xEF\xBB\xBF\xEF\xBB\xBFPlace1=a second mark belongs to the first key\r\n", TextEncoding::Utf8WithMark, ""},
        // UTF-8 without the mark, as Notepad saves it; plain ASCII stays Windows-1250.
        {"Place1=SP nr 12 w Gda\xC5\x84sku \xC2\xB0\r\n", TextEncoding::Utf8, "SP nr 12 w Gdańsku °"},
        {"Place1=SP nr 12\r\n", TextEncoding::Windows1250, "SP nr 12"},
    };
    for (const Row &r : rows) {
        dir.write("cfg.ini", r.bytes);
        NameValueList list;
        list.load("cfg.ini", FileKind::Configuration);
        EXPECT_EQ(list.encoding(), r.encoding) << r.bytes.toStdString();
        EXPECT_EQ(list.value("place1"), QString::fromUtf8(r.place));
        EXPECT_TRUE(list.linesItCannotHold().isEmpty());
        list.save("copy.ini");
        EXPECT_EQ(dir.read("copy.ini"), r.bytes);
    }
}

TEST(NameValueList, TheMarkIsNeverAddedToAFileWithoutIt) {
    auto list = NameValueList::fromBytes("Place1=Krak\xf3w\r\n");
    list.setValue("Person11", QString::fromUtf8("Олена"));
    EXPECT_EQ(list.linesItCannotHold(), QStringList{QString::fromUtf8("Person11=Олена")});
    EXPECT_EQ(list.toBytes(), QByteArray("Place1=Krak\xf3w\r\nPerson11=?????\r\n"));
    // Only the whole mark counts.
    EXPECT_EQ(NameValueList::fromBytes("\xEF\xBB=1").toBytes(), QByteArray("\xEF\xBB=1\r\n"));
    // Switched on purpose, the list is written as UTF-8 with the mark from then on.
    list.setEncoding(TextEncoding::Utf8WithMark);
    EXPECT_TRUE(list.linesItCannotHold().isEmpty());
    EXPECT_EQ(list.toBytes(), QByteArray("\xEF\xBB\xBFPlace1=Kraków\r\nPerson11=Олена\r\n"));
    // A UTF-8 list keeps its mark with no lines left; cleared, it is a new Windows-1250 list.
    auto utf8 = NameValueList::fromBytes("\xEF\xBB\xBF" "a=Ж\r\n");
    utf8.setValue("a", "");
    EXPECT_EQ(utf8.toBytes(), QByteArray("\xEF\xBB\xBF"));
    utf8.clear();
    utf8.setValue("a", "1");
    EXPECT_EQ(utf8.toBytes(), QByteArray("a=1\r\n"));
    // UTF-8 without the mark takes any script and stays without the mark.
    auto notepad = NameValueList::fromBytes("Place1=Gda\xC5\x84sk\r\n");
    notepad.setValue("Person11", QString::fromUtf8("Олена"));
    EXPECT_TRUE(notepad.linesItCannotHold().isEmpty());
    EXPECT_EQ(notepad.toBytes(), QByteArray("Place1=Gdańsk\r\nPerson11=Олена\r\n"));
}

// Written back, the bytes that could not be read would be lost: such a file is refused, naming the line.
TEST(NameValueList, FileThatCannotBeReadWholeIsRefusedNamingTheLine) {
    using Kind = FileError::Kind;
    struct Row {
        const char *what;
        QByteArray bytes;
        Kind kind;
        int line;
    };
    const QByteArray nul(1, '\0');
    const Row rows[] = {
        // Windows-1250 letters after a mark, as an editor may leave them.
        {"not UTF-8 after the mark", "\xEF\xBB\xBFLanguage=Polski\r\n; note\r\nStartForm=Mierzymy Ziemi\xea\r\n",
         Kind::NotUtf8, 3},
        {"a NUL byte", "Language=Polski\r\nMainForm=Gno" + nul + "mora\r\nx=1\r\n", Kind::NulByte, 2},
        {"a NUL byte after the UTF-8 mark", "\xEF\xBB\xBF" + nul, Kind::NulByte, 1},
        {"the UTF-16 mark", "\xFF\xFEL\0=\0x\0", Kind::Utf16, 1},
        {"the big-endian UTF-16 mark", "\xFE\xFF\0L\0=\0x", Kind::Utf16, 1},
        {"the UTF-16 mark and no NUL", "\xFF\xFE=1\r\n", Kind::Utf16, 1},
    };
    TempWorkDir dir;
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        dir.write("lang.ini", row.bytes);
        auto list = NameValueList::fromBytes("kept=1\r\n");
        try {
            list.load("lang.ini", FileKind::Language);
            ADD_FAILURE() << "no error";
        } catch (const FileError &e) {
            EXPECT_EQ(e.fileName, QString("lang.ini"));
            EXPECT_EQ(e.kind, row.kind);
            EXPECT_EQ(e.limit, row.line);
            EXPECT_TRUE(e.reason.contains(QStringLiteral("line %1").arg(row.line))) << e.reason.toStdString();
        }
        EXPECT_EQ(list.lines(), QStringList{"kept=1"});
    }
    // The same letters elsewhere are Windows-1250 text: "ţ˙" inside a line, "ţ" first.
    for (const QByteArray &bytes : {QByteArray("Place1=\xFE\xFF\xFF\xFE\r\n"), QByteArray("\xFE=1\r\n")}) {
        dir.write("lang.ini", bytes);
        NameValueList list;
        ASSERT_NO_THROW(list.load("lang.ini", FileKind::Language));
        EXPECT_EQ(list.toBytes(), bytes);
    }
}

TEST(NameValueList, LargeFilesStayUsable) {
    QByteArray bytes;
    for (int i = 0; i < 100000; ++i)
        bytes += "key" + QByteArray::number(i) + "=value" + QByteArray::number(i) + "\r\n";
    auto list = NameValueList::fromBytes(bytes);
    EXPECT_EQ(list.size(), 100000);
    EXPECT_EQ(list.value("KEY99999"), QString("value99999"));
    list.setValue("key5", "");
    EXPECT_EQ(list.value("key6"), QString("value6"));
    EXPECT_EQ(list.indexOfKey("key6"), 5);
}
