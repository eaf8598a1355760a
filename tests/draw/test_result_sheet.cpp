// SPDX-License-Identifier: GPL-3.0-or-later
// The captions of the result sheet as the drawing object of kind 5 fills them from the language
// file, the session record and the model.
#include "DrawTestWorld.h"
#include "report/ReportPage.h"
#include "report/ResultSheetLayout.h"
#include "session/TSession.h"
#include "support/LanguageCatalogue.h"

#include <stdexcept>

namespace {

// Every heading of the sheet gets a text naming its key ("t:PrintRow3a"), so a caption under the
// wrong label shows which one it is; PrintResults13 is missing from the file.
QByteArray sheetLanguageFile() {
    QByteArray file;
    for (const QString &key : sheetHeadings())
        if (key != QLatin1String("PrintResults13"))
            file += key.toLatin1() + "=t:" + key.toLatin1() + "\r\n";
    return file + "unitMm=mm\r\nunitKm=km\r\n";
}

QString deg(const char *utf8) { return QString::fromUtf8(utf8); }

// The day the sheets are printed: 20 June 2013.
const QDateTime kPrintedAt(QDate(2013, 6, 20), QTime(9, 30));

// The model with a completed run, a session record with the pupils and the sheet to fill, dated
// by the clock; the locale's date separator is a parameter.
struct SheetWorld {
    explicit SheetWorld(QChar dateSeparator = u'/')
        : model(kPrintedAt, Locale{u'.', dateSeparator}, &session),
          draw(model.lang, model.logic, ResultSheetBinding{&page, &session, [] { return kPrintedAt; }}) {
        dir.write(QStringLiteral("Gnomo_Language_0.ini"), sheetLanguageFile());
        session.Init();
        model.comm.Init();
        model.lang.Init();
        model.logic.Init();
        draw.Init(5);

        TLogic &logic = model.logic;
        THeiObj &one = logic.Hei1;
        one.PlaceName = QString::fromUtf8("Łódź");
        one.TimH = 12, one.TimM = 5;
        one.Shadow = 1250, one.Stick = 1000;
        one.SunHeightAtCurrTime = degrees(45);
        one.NoonHeightAngle = degrees(52.5);
        THeiObj &two = logic.Hei2;
        two.PlaceName = QStringLiteral("Kraków");
        two.TimH = 9, two.TimM = 0;
        two.Shadow = 830, two.Stick = 900;
        two.SunHeightAtCurrTime = degrees(47 + 20.0 / 60);
        two.NoonHeightAngle = degrees(59.7);
        logic.HeiDiff = degrees(7.2);
        logic.EarthDistance = 800;
        logic.EarthSize = 40000;
    }

    QString caption(const QString &name) const { return page.caption(name); }

    TempWorkDir dir;
    TSession session;  // the record the model stores into and the sheet reads the pupils from
    ModelTestWorld model;
    Report::ReportPage page = Report::resultSheetPage();
    TDrawObj draw;
};

// A mean of repeated readings is written with the sheet's decimal mark, both of them; a single
// reading stays a whole number.
TEST(ResultSheetFill, RepeatedReadingsTakeTheSheetsDecimalMark) {
    SheetWorld w;
    w.model.logic.Hei1.MoreShadows = {1260, 1240};  // mean 1250, standard error 10 / sqrt(3)
    for (const QChar mark : {u'.', u','}) {
        SCOPED_TRACE(QString(mark).toStdString());
        w.draw.FillResultSheet(mark);
        EXPECT_TRUE(w.caption("PrintYield3a").startsWith(QString::fromUtf8("1250%1%2 ± 5%1%3").arg(mark).arg(0).arg(8)))
            << w.caption("PrintYield3a").toStdString();
        EXPECT_TRUE(w.caption("PrintYield8a").startsWith("830 ")) << w.caption("PrintYield8a").toStdString();
    }
}

TEST(ResultSheetFill, EveryHeadingGetsTheTextOfItsOwnName) {
    SheetWorld w;
    w.draw.FillResultSheet(u'.');
    const QStringList headings = sheetHeadings();
    ASSERT_TRUE(headings.contains("PrintRow1") && headings.contains("PrintFooter2")) << "the key catalogue is missing";
    for (const Report::PageLabel &label : w.page.labels) {
        SCOPED_TRACE(label.name.toStdString());
        if (!headings.contains(label.name))
            EXPECT_FALSE(label.caption.startsWith("t:")) << "a heading's text on a value's label";
        else if (label.name == QLatin1String("PrintResults13"))
            EXPECT_EQ(label.caption, QString());
        else
            EXPECT_EQ(label.caption, "t:" + label.name);
    }
    // the missing key is now in the language list with its placeholder
    EXPECT_EQ(w.model.lang.Texts.value(QStringLiteral("PrintResults13")), QString("."));
}

TEST(ResultSheetFill, PupilsStayOnTheirOwnLines) {
    SheetWorld w;
    // place 1: the second name is empty and the fourth absent; place 2: only the last name
    w.session.StorePlaces(PlacesChoice{0, QStringLiteral("A"), {"Anna Nowak", "", "Cezary Bąk", ""},
                                       1, QStringLiteral("B"), {"", "", "", "Zofia Wójcik"}});
    w.draw.FillResultSheet(u'.');
    const QStringList expected = {"Anna Nowak", "", deg("Cezary Bąk"), "", "", "", "", deg("Zofia Wójcik")};
    QStringList lines;
    for (int i = 1; i <= 8; ++i)
        lines << w.caption(QStringLiteral("PrintName%1").arg(i));
    EXPECT_EQ(lines, expected);

    // a later entry fills afresh: a name taken out leaves its line empty
    w.session.StorePlaces(PlacesChoice{0, QStringLiteral("A"), {"", "", "Cezary Bąk", ""}, 1, QStringLiteral("B"), {}});
    w.draw.FillResultSheet(u'.');
    EXPECT_EQ(w.caption("PrintName1"), QString());
    EXPECT_EQ(w.caption("PrintName3"), deg("Cezary Bąk"));
    EXPECT_EQ(w.caption("PrintName8"), QString());
}

TEST(ResultSheetFill, BothPlacesAndTheResult) {
    SheetWorld w;
    w.draw.FillResultSheet(u'.');
    const std::pair<const char *, QString> rows[] = {
        {"PrintYield2", deg("Łódź")},   {"PrintYield3", "12:05"},       {"PrintYield3a", "1250 mm"},
        {"PrintYield4", "1000 mm"},     {"PrintYield5", deg("45°")},   {"PrintYield6", deg("52°30'")},
        {"PrintYield7", "Kraków"},      {"PrintYield8", "9:00"},        {"PrintYield8a", "830 mm"},
        {"PrintYield9", "900 mm"},      {"PrintYield10", deg("47°20'")}, {"PrintYield11", deg("59°42'")},
        {"PrintYield12", deg("7°12'")}, {"PrintYield13", "800 km"},    {"PrintYield14", "40000 km"},
        {"PrintFooter3", deg("Łódź")},
    };
    for (const auto &[label, text] : rows)
        EXPECT_EQ(w.caption(label), text) << label;
}

TEST(ResultSheetFill, TheDateIsTodayWithTheLocalesSeparator) {
    const std::pair<QChar, const char *> rows[] = {{u'/', "20/06/2013"}, {u'.', "20.06.2013"},
                                                   {u'-', "20-06-2013"}, {u'd', "20d06d2013"}};
    for (const auto &[separator, text] : rows) {
        SheetWorld w(separator);
        w.draw.FillResultSheet(u'.');
        EXPECT_EQ(w.caption("PrintFooter4"), QString(text)) << text;
    }
}

TEST(ResultSheetFill, AnObjectWithoutASheetRefusesClearly) {
    DrawWorld w(5, QSize());
    try {
        w.draw.FillResultSheet(u'.');
        FAIL() << "no error";
    } catch (const std::logic_error &e) {
        EXPECT_NE(std::string(e.what()).find("no result sheet"), std::string::npos);
    }
}

}  // namespace
