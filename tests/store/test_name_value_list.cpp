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

TEST(NameValueList, FileRoundTripIsByteForByte) {
    TempWorkDir dir;
    const QByteArray bytes = "; Miejsca \xb0\r\nPlace1=Szko\xb3\x61 w \xa3odzi\r\nNoonH1=12\r\n[section]\r\n";
    dir.write("cfg.ini", bytes);
    NameValueList list;
    list.load("cfg.ini", FileKind::Configuration);
    EXPECT_EQ(list.value("place1"), QString::fromUtf8("Szkoła w Łodzi"));
    list.save("copy.ini");
    EXPECT_EQ(dir.read("copy.ini"), bytes);
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
