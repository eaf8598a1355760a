// SPDX-License-Identifier: GPL-3.0-or-later
// File errors in the class's language: every kind of failure has its words in every shipped
// language file, with what the error carries filled in.
#include "lang/FileErrorText.h"
#include "lang/LangView.h"
#include "lang/TLang.h"
#include "platform/ScriptedPrompter.h"
#include "store/TComm.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

class NoView : public LangView {
public:
    void setLanguageFileCaption(const QString &) override {}
};

struct ShippedLanguage {
    explicit ShippedLanguage(int number) : comm(prompter), lang(comm, prompter, view) {
        QFile file(QStringLiteral(GNOMORA_SOURCE_DIR "/data/") + TLang::LanguageFileName(number));
        if (file.open(QIODevice::ReadOnly))
            lang.Texts = NameValueList::fromBytes(file.readAll());
    }
    ScriptedPrompter prompter;
    NoView view;
    TComm comm;
    TLang lang;
};

constexpr int EnglishFile = 1;

}  // namespace

TEST(FileErrorText, EveryKindIsWordedInEveryShippedLanguage) {
    for (int number : {0, 1, 2, 3}) {
        SCOPED_TRACE(number);
        ShippedLanguage shipped(number);
        ASSERT_GT(shipped.lang.Texts.size(), 100);
        for (int k = 0; k <= int(FileError::Kind::OutOfMemory); ++k) {
            const FileError error(FileError::Kind(k), QStringLiteral("school.jpeg"), QStringLiteral("4000 x 3000"),
                                  12 * 1024 * 1024);
            SCOPED_TRACE(fileErrorReasonKey(error.kind).toStdString());
            const QString text = fileErrorText(error, shipped.lang);
            EXPECT_TRUE(text.contains(QLatin1String("school.jpeg"))) << text.toStdString();
            EXPECT_FALSE(text.contains(u'%')) << "a placeholder left unfilled: " << text.toStdString();
            // In another language than English, not the English words.
            if (number != EnglishFile) {
                EXPECT_FALSE(text.contains(error.reason)) << text.toStdString();
            }
        }
        EXPECT_FALSE(shipped.lang.Changed) << "a key was missing";
    }
}

TEST(FileErrorText, WhatTheErrorCarriesIsFilledIn) {
    ShippedLanguage english(EnglishFile);
    const auto words = [&](FileError::Kind kind, const QString &detail, std::int64_t limit) {
        return fileErrorText(FileError(kind, QStringLiteral("Gnomora_Cfg.ini"), detail, limit), english.lang);
    };
    EXPECT_TRUE(words(FileError::Kind::TooLarge, {}, 4 * 1024 * 1024).contains(QLatin1String(" 4 MB")));
    EXPECT_TRUE(words(FileError::Kind::NotUtf8, {}, 17).contains(QLatin1String("line 17")));
    EXPECT_TRUE(words(FileError::Kind::SizeLimit, QStringLiteral("File too large"), 1024)
                    .contains(QLatin1String("larger than the 1024 bytes")));
    EXPECT_TRUE(words(FileError::Kind::ReadFailed, QStringLiteral("Permission denied"), 0)
                    .contains(QLatin1String("(Permission denied)")));
    const QString pixels = words(FileError::Kind::TooManyPixels, QStringLiteral("65535 x 65535"), 100'000'000);
    EXPECT_TRUE(pixels.contains(QLatin1String("65535 x 65535")) && pixels.contains(QLatin1String("100 megapixels")))
        << pixels.toStdString();
}

TEST(FileErrorText, WithoutItsKeyTheReasonStaysEnglishAndTheKeyIsAdded) {
    ShippedLanguage english(EnglishFile);
    english.lang.Texts = NameValueList();
    const FileError error(FileError::Kind::Missing, QStringLiteral("a.ini"));
    EXPECT_EQ(fileErrorText(error, english.lang), QStringLiteral("File a.ini: ") + error.reason);
    EXPECT_EQ(english.lang.Texts.value(QStringLiteral("errMissing")), QStringLiteral("."));
}
