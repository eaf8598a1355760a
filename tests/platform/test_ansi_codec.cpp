// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/AnsiCodec.h"

#include <gtest/gtest.h>

TEST(AnsiCodec, EveryByteRoundTrips) {
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    const QString text = AnsiCodec::decode(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(AnsiCodec::encode(text), all);
}

TEST(AnsiCodec, PolishLettersAndDegreeSign) {
    struct Row { unsigned char byte; char16_t unicode; };
    const Row rows[] = {
        {0xA5, u'Ą'}, {0xB9, u'ą'}, {0xC6, u'Ć'}, {0xE6, u'ć'}, {0xCA, u'Ę'}, {0xEA, u'ę'},
        {0xA3, u'Ł'}, {0xB3, u'ł'}, {0xD1, u'Ń'}, {0xF1, u'ń'}, {0xD3, u'Ó'}, {0xF3, u'ó'},
        {0x8C, u'Ś'}, {0x9C, u'ś'}, {0x8F, u'Ź'}, {0x9F, u'ź'}, {0xAF, u'Ż'}, {0xBF, u'ż'},
        {0xB0, u'°'}, {0x80, u'€'}, {0x96, u'–'}, {0x84, u'„'}, {0x94, u'”'},
        {0x81, u'\u0081'},  // undefined in the code page: kept as the C1 control of that number
    };
    for (const Row &r : rows) {
        const QByteArray byte(1, static_cast<char>(r.byte));
        EXPECT_EQ(AnsiCodec::decode(byte), QString(QChar(r.unicode))) << int(r.byte);
        EXPECT_EQ(AnsiCodec::encode(QString(QChar(r.unicode))), byte) << int(r.byte);
    }
}

TEST(AnsiCodec, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    EXPECT_EQ(AnsiCodec::encode(QStringLiteral("Київ ☀ ñ")), QByteArray("???? ? ?"));
    EXPECT_FALSE(AnsiCodec::canEncode(QStringLiteral("Łódź Київ")));
    EXPECT_FALSE(AnsiCodec::canEncode(QStringLiteral("ñ")));
    EXPECT_TRUE(AnsiCodec::canEncode(QStringLiteral("Łódź 52°30' – €")));
}
