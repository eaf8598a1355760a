// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/NameValueList.h"
#include "ui/LabelFit.h"
#include "ui/WindowFont.h"

#include <QDir>
#include <QFontInfo>
#include <QLabel>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

struct LabelCase {
    const char *text;
    Qt::Alignment alignment;
    int margin;
    QMargins contents;
    QSize minimum;
};

// Two labels set up alike: one fitted by fitLabelToText, one by QLabel itself. They sit in a
// window, as in the program: a label that is a window of its own is kept within the screen.
struct LabelPair {
    explicit LabelPair(const QString &text, const QFont &font) : fitted(&window), reference(&window) {
        for (QLabel *label : {&fitted, &reference}) {
            label->setFont(font);
            label->setGeometry(10, 10, 460, 20);
            label->setText(text);
        }
    }
    template <typename Setup> void both(Setup setup) {
        setup(fitted);
        setup(reference);
    }
    void fit() {
        fitLabelToText(&fitted);
        reference.adjustSize();
    }
    QWidget window;
    QLabel fitted;
    QLabel reference;
};

}  // namespace

TEST(LabelFit, PlainLinesGetTheSizeQLabelWouldGiveThem) {
    const QString polish =
        QString::fromUtf8("Promienie Słońca padają na Ziemię równolegle. Zażółć gęślą jaźń");
    const LabelCase cases[] = {
        {"", Qt::AlignLeft | Qt::AlignVCenter, 0, {}, {}},
        {"x", Qt::AlignLeft | Qt::AlignVCenter, 0, {}, {}},
        {"Krok 1: wybierzcie dwie szkoły", Qt::AlignRight | Qt::AlignTop, 0, {}, {}},
        {"centred 12°34'", Qt::AlignCenter, 0, {}, {}},
        {"with a margin & an ampersand", Qt::AlignLeft, 3, {}, {}},
        {"with contents margins", Qt::AlignLeft, 0, {1, 2, 3, 4}, {}},
        {"short", Qt::AlignLeft, 0, {}, {200, 30}},
        {"tab\tin the middle", Qt::AlignLeft, 0, {}, {}},
    };
    for (const QFont &font : {windowFont(13), windowFont(16), windowFont(14, true), QFont()}) {
        for (const LabelCase &c : cases) {
            LabelPair pair(QString::fromUtf8(c.text), font);
            pair.both([&](QLabel &label) {
                label.setAlignment(c.alignment);
                label.setMargin(c.margin);
                label.setContentsMargins(c.contents);
                if (c.minimum.isValid())
                    label.setMinimumSize(c.minimum);
            });
            pair.fit();
            EXPECT_EQ(pair.fitted.size(), pair.reference.size()) << c.text << " at " << font.pixelSize() << " px";
            EXPECT_EQ(pair.fitted.pos(), QPoint(10, 10));
        }
        LabelPair longLine(polish, font);
        longLine.fit();
        EXPECT_EQ(longLine.fitted.size(), longLine.reference.size());
        EXPECT_GT(longLine.fitted.width(), 300) << "a long line grows beyond a short design width";
    }
}

TEST(LabelFit, EveryShippedLabelTextGetsTheSizeQLabelWouldGiveIt) {
    const QDir data(QStringLiteral(GNOMORA_SOURCE_DIR "/data"));
    const QStringList files = data.entryList({QStringLiteral("Gnomo_Language_*.ini")});
    ASSERT_GE(files.size(), 4);
    int compared = 0;
    for (const QString &file : files) {
        NameValueList texts;
        texts.load(data.filePath(file), FileKind::Language);
        for (const QString &line : texts.lines()) {
            if (!line.startsWith(QStringLiteral("lab")) || !NameValueList::hasKey(line))
                continue;
            for (const QFont &font : {windowFont(13), windowFont(16)}) {
                LabelPair pair(NameValueList::valueOf(line), font);
                pair.fit();
                EXPECT_EQ(pair.fitted.size(), pair.reference.size()) << file.toStdString() << ": " << line.toStdString();
                ++compared;
            }
        }
    }
    EXPECT_GT(compared, 400);
}

TEST(LabelFit, WrappedRichFramedAndPictureLabelsAreLeftToQLabel) {
    const QFont font = windowFont(13);
    {
        LabelPair pair(QStringLiteral("a wrapped line that is long enough to need more than one row of text"), font);
        pair.both([](QLabel &label) { label.setWordWrap(true); });
        pair.fit();
        EXPECT_EQ(pair.fitted.size(), pair.reference.size());
    }
    {
        LabelPair pair(QStringLiteral("<b>rich</b> text"), font);
        pair.fit();
        EXPECT_EQ(pair.fitted.size(), pair.reference.size());
    }
    {
        LabelPair pair(QStringLiteral("framed and indented"), font);
        pair.both([](QLabel &label) {
            label.setFrameStyle(QFrame::Box);
            label.setIndent(7);
        });
        pair.fit();
        EXPECT_EQ(pair.fitted.size(), pair.reference.size());
    }
    {
        LabelPair pair(QString(), font);
        QPixmap picture(37, 23);
        picture.fill(Qt::red);
        pair.both([&](QLabel &label) { label.setPixmap(picture); });
        pair.fit();
        EXPECT_EQ(pair.fitted.size(), QSize(37, 23));
        EXPECT_EQ(pair.fitted.size(), pair.reference.size());
    }
}

TEST(WindowFont, NamesAnInstalledFaceAtTheAskedSize) {
    const QFont font = windowFont(14, true);
    EXPECT_EQ(font.pixelSize(), 14);
    EXPECT_TRUE(font.bold());
    EXPECT_EQ(QFontInfo(font).family(), windowFamily()) << "the face asked for is the face shown";
    EXPECT_EQ(QFontInfo(windowFont(13)).pixelSize(), 13);
}
