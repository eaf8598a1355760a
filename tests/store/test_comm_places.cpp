// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ScriptedPrompter.h"
#include "store/PlacesView.h"
#include "store/TComm.h"
#include "support/TempDir.h"

#include <QDir>
#include <QHash>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

struct FakePlacesView : PlacesView {
    QHash<QString, QString> fields;
    QStringList items;
    int clears = 0;
    QString field(const QString &name) const override { return fields.value(name); }
    void setField(const QString &name, const QString &text) override { fields[name] = text; }
    void clearPlaceLists() override { items.clear(); ++clears; }
    void addPlaceListItem(const QString &text) override { items.append(text); }
};

struct FakeText : TextSlot {
    QString value;
    QString text() const override { return value; }
    void setText(const QString &t) override { value = t; }
};

struct FakePicture : PictureSlot {
    QString shown;  // file shown, empty when hidden
    bool visible = false;
    void showPictureFile(const QString &file) override {
        if (file.endsWith("broken.jpg"))
            throw std::runtime_error("File broken.jpg: not a JPEG file");
        shown = file;
        visible = true;
    }
    void hidePicture() override { visible = false; }
};

struct PlacesFixture {
    TempWorkDir dir;
    ScriptedPrompter prompter;
    TComm comm{prompter, Locale{u'.', u'/'}};
    FakePlacesView view;
    explicit PlacesFixture(const QByteArray &cfg) {
        dir.write("Gnomora_Cfg.ini", cfg);
        comm.Init();
    }
};

}  // namespace

TEST(TCommPlaces, NoonCorrectionsWhenShown) {
    struct Row { const char *stored; const char *shown; };
    const Row hours[] = {{"0", "12"}, {"25", "12"}, {"x", "12"}, {nullptr, "12"}, {"-1", "12"},
                         {"24", "24"}, {"1", "1"}, {"07", "07"}};
    for (const Row &r : hours) {
        PlacesFixture f(r.stored ? QByteArray("NoonH1=") + r.stored + "\r\n" : QByteArray());
        f.comm.ShowPlaces(f.view);
        EXPECT_EQ(f.view.field("edNoonH1"), QString(r.shown)) << (r.stored ? r.stored : "absent");
        EXPECT_EQ(f.comm.GetValue("NoonH1"), QString(r.shown));
    }
    const Row minutes[] = {{"0", "00"}, {"00", "00"}, {"60", "00"}, {"-5", "00"}, {nullptr, "00"},
                           {"59", "59"}, {"1", "1"}, {"7", "7"}, {"05", "05"}};
    for (const Row &r : minutes) {
        PlacesFixture f(r.stored ? QByteArray("NoonM1=") + r.stored + "\r\n" : QByteArray());
        f.comm.ShowPlaces(f.view);
        EXPECT_EQ(f.view.field("edNoonM1"), QString(r.shown)) << (r.stored ? r.stored : "absent");
        EXPECT_EQ(f.comm.GetValue("NoonM1"), QString(r.shown));
    }
}

TEST(TCommPlaces, ShowPlacesFillsFiveItemsAndEveryField) {
    PlacesFixture f("Place1=Krak\xf3w\r\nPlace2=Gda\xf1sk\r\nPerson21=Ala\r\nPlace2Jpg=p2.jpg\r\n"
                    "Person52Jpg=x.jpg\r\nPlace5=Zakopane\r\n");
    f.comm.ShowPlaces(f.view);
    EXPECT_EQ(f.view.items, (QStringList{QString::fromUtf8("Kraków"), QString::fromUtf8("Gdańsk"), "", "", "Zakopane"}));
    EXPECT_EQ(f.view.clears, 1);
    EXPECT_EQ(f.view.field("edPerson21"), QString("Ala"));
    EXPECT_EQ(f.view.field("edPlace2jpg"), QString("p2.jpg"));
    EXPECT_EQ(f.view.field("edPerson52jpg"), QString("x.jpg"));
    // with no file, the configuration now holds the ten noon corrections
    PlacesFixture empty{QByteArray()};
    empty.comm.ShowPlaces(empty.view);
    EXPECT_EQ(empty.comm.Cfg.lines(), (QStringList{"NoonH1=12", "NoonM1=00", "NoonH2=12", "NoonM2=00", "NoonH3=12",
                                                   "NoonM3=00", "NoonH4=12", "NoonM4=00", "NoonH5=12", "NoonM5=00"}));
}

TEST(TCommPlaces, SavePlacesWritesTheFileAndRefills) {
    PlacesFixture f("; our schools\r\nPlace1=Old\r\nPerson21=Ala\r\n");
    f.comm.ShowPlaces(f.view);
    f.view.fields["edPlace1"] = "New";
    f.view.fields["edPerson21"] = "";
    f.view.fields["edNoonH1"] = "0";
    f.view.fields["edNoonM1"] = "75";
    f.view.fields["edNoonH2"] = "11";
    f.view.fields["edNoonM2"] = "05";
    f.view.fields["edPlace1Jpg"] = "pictures/a.jpg";
    f.comm.SavePlaces(f.view, [] { return QStringLiteral("as UTF-8? %1"); });
    EXPECT_EQ(f.view.field("edNoonH1"), QString("12"));
    EXPECT_EQ(f.view.field("edNoonM1"), QString("00"));
    EXPECT_EQ(f.view.clears, 2);  // refilled: the place choices are gone
    const QByteArray file = f.dir.read("Gnomora_Cfg.ini");
    EXPECT_TRUE(file.startsWith("; our schools\r\nPlace1=New\r\n"));
    EXPECT_FALSE(file.contains("Person21"));
    EXPECT_TRUE(file.contains("\r\nNoonH1=12\r\nNoonM1=00\r\n"));
    EXPECT_TRUE(file.contains("\r\nNoonH2=11\r\nNoonM2=05\r\n"));
    EXPECT_TRUE(file.contains("\r\nPlace1Jpg=pictures/a.jpg\r\n"));
}

TEST(TCommPlaces, ChosenPlaceFillsPersonsUnlessTypedOver) {
    PlacesFixture f("Person11=Ala\r\nPerson12=Olek\r\nPerson11Jpg=ala.jpg\r\nPerson12Jpg=missing.jpg\r\n"
                    "Place1Jpg=school.jpg\r\nPerson21=Ewa\r\n");
    f.dir.write("ala.jpg", "x");
    f.dir.write("school.jpg", "x");
    FakeText p1, p2;
    FakePicture place, img1, img2;
    PlaceSlots placeSlots{&place, {{&p1, &img1, {}}, {&p2, &img2, {}}}};
    const QString &filled1 = placeSlots.persons[0].filled;
    auto choose = [&](int index) { f.comm.ShowPlacePictures(index, placeSlots); };

    choose(-1);
    EXPECT_TRUE(p1.value.isEmpty());
    EXPECT_FALSE(place.visible);

    choose(0);
    EXPECT_EQ(p1.value, QString("Ala"));
    EXPECT_EQ(p2.value, QString("Olek"));
    EXPECT_TRUE(place.visible);
    EXPECT_TRUE(img1.visible);
    EXPECT_FALSE(img2.visible);  // a missing picture file hides the image, the name is still filled
    EXPECT_EQ(filled1, QString("Ala"));

    p2.value = "Typed";  // the user's own name survives a place switch
    choose(1);
    EXPECT_EQ(p1.value, QString("Ewa"));
    EXPECT_EQ(p2.value, QString("Typed"));
    EXPECT_FALSE(place.visible);

    choose(2);  // no persons: a filled name is cleared with its picture, a typed one stays
    EXPECT_EQ(p1.value, QString());
    EXPECT_EQ(filled1, QString());
    EXPECT_FALSE(img1.visible);
    EXPECT_EQ(p2.value, QString("Typed"));
}

TEST(TCommPlaces, AFolderNamedLikeAPictureIsAMissingPicture) {
    PlacesFixture f("Place1Jpg=school.jpg\r\nPerson11=Ala\r\nPerson11Jpg=ala.jpg\r\nPerson12=Olek\r\n"
                    "Person12Jpg=olek.jpg\r\n");
    QDir().mkdir("school.jpg");
    QDir().mkdir("ala.jpg");
    f.dir.write("olek.jpg", "x");
    FakeText p1, p2;
    FakePicture place, img1, img2;
    place.visible = img1.visible = true;  // shown before, for another place
    PlaceSlots placeSlots{&place, {{&p1, &img1, {}}, {&p2, &img2, {}}}};
    f.comm.ShowPlacePictures(0, placeSlots);
    EXPECT_FALSE(place.visible);
    EXPECT_FALSE(img1.visible);
    EXPECT_TRUE(place.shown.isEmpty());  // never handed to the picture loader
    EXPECT_EQ(p1.value, QString("Ala"));
    EXPECT_EQ(p2.value, QString("Olek"));
    EXPECT_TRUE(img2.visible);
}

TEST(TCommPlaces, PicturePathsTakeEitherSlashAsAFolderSeparator) {
    PlacesFixture f("Place1Jpg=pictures\\place1.jpg\r\nPerson11=Ala\r\nPerson11Jpg=pictures/ala.jpg\r\n"
                    "Person12=Olek\r\nPerson12Jpg=pictures\\olek.jpg\r\n");
    QDir().mkdir("pictures");
    f.dir.write("pictures/place1.jpg", "x");
    f.dir.write("pictures/ala.jpg", "x");
    FakeText p1, p2;
    FakePicture place, img1, img2;
    PlaceSlots placeSlots{&place, {{&p1, &img1, {}}, {&p2, &img2, {}}}};
    f.comm.ShowPlacePictures(0, placeSlots);
    EXPECT_TRUE(place.visible);
    EXPECT_EQ(place.shown, QString("pictures/place1.jpg"));
    EXPECT_TRUE(img1.visible);
    EXPECT_FALSE(img2.visible);  // no such file, whichever the separator
    EXPECT_EQ(f.comm.GetValue("Place1Jpg"), QString("pictures\\place1.jpg"));  // kept as written
}

// A picture that cannot be read is hidden, so that no photograph of the place shown before stays,
// and the rest of the place is still shown; the first error comes afterwards, to be reported.
TEST(TCommPlaces, ABrokenPictureIsHiddenAndTheRestOfThePlaceShown) {
    PlacesFixture f("Place1Jpg=good.jpg\r\nPerson11=Ala\r\nPerson11Jpg=good.jpg\r\nPerson12=Olek\r\n"
                    "Person12Jpg=good.jpg\r\n"
                    "Place2Jpg=broken.jpg\r\nPerson21=Ewa\r\nPerson21Jpg=broken.jpg\r\nPerson22=Jan\r\n"
                    "Person22Jpg=good.jpg\r\n");
    f.dir.write("good.jpg", "shown by the fake");
    f.dir.write("broken.jpg", "not a picture");
    FakeText p1, p2;
    FakePicture place, img1, img2;
    PlaceSlots placeSlots{&place, {{&p1, &img1, {}}, {&p2, &img2, {}}}};
    f.comm.ShowPlacePictures(0, placeSlots);
    ASSERT_TRUE(place.visible && img1.visible && img2.visible);
    EXPECT_THROW(f.comm.ShowPlacePictures(1, placeSlots), std::runtime_error);
    EXPECT_FALSE(place.visible);
    EXPECT_FALSE(img1.visible);
    EXPECT_EQ(p1.value, "Ewa");
    EXPECT_EQ(p2.value, "Jan");
    EXPECT_TRUE(img2.visible);
    // Back to the first place: everything of it shows again, and nothing is reported.
    f.comm.ShowPlacePictures(0, placeSlots);
    EXPECT_TRUE(place.visible && img1.visible && img2.visible);
    EXPECT_EQ(p1.value, "Ala");
}

// A kept lesson continued: the photographs show, the names stay as kept; a person's photograph
// only where the kept name is the configured one.
TEST(TCommPlaces, AContinuedLessonKeepsItsNames) {
    PlacesFixture f("Place1Jpg=good.jpg\r\nPerson11=Ala\r\nPerson11Jpg=good.jpg\r\nPerson12=Olek\r\n"
                    "Person12Jpg=good.jpg\r\n");
    f.dir.write("good.jpg", "shown by the fake");
    FakeText p1, p2;
    FakePicture place, img1, img2;
    img2.visible = true;
    PlaceSlots placeSlots{&place, {{&p1, &img1, {}}, {&p2, &img2, {}}}};
    p1.value = "Ala";  // p2 left empty by the class
    f.comm.ShowPlacePictures(0, placeSlots, TComm::PersonNames::Keep);
    EXPECT_TRUE(place.visible);
    EXPECT_TRUE(img1.visible);
    EXPECT_EQ(p1.value, "Ala");
    EXPECT_EQ(p2.value, "");
    EXPECT_FALSE(img2.visible);
    // Counted as filled in: choosing another place replaces it.
    EXPECT_EQ(placeSlots.persons[0].filled, "Ala");
    EXPECT_TRUE(placeSlots.persons[1].filled.isEmpty());
}

TEST(TCommPlaces, LettersWindows1250LacksAreSavedOnlyWhenTheTeacherAgreesToUtf8) {
    const QByteArray cfg = "Place1=Krak\xf3w\r\n";
    PlacesFixture f(cfg);
    f.comm.ShowPlaces(f.view);
    const QStringList before = f.comm.Cfg.lines();
    f.view.fields["edPerson11"] = QString::fromUtf8("Олена");
    f.view.fields["edPerson12"] = QString::fromUtf8("Богдан");
    f.view.fields["edPerson21"] = QString::fromUtf8("Ярина");
    f.view.fields["edPlace3"] = QString::fromUtf8("Львів");
    const auto question = [] { return QStringLiteral("As UTF-8? %1"); };

    // No, or the box closed: nothing is saved, and nothing the teacher typed is lost.
    for (const Prompter::Answer answer : {Prompter::Answer::No, Prompter::Answer::Closed}) {
        f.prompter.answers.push_back(answer);
        f.comm.SavePlaces(f.view, question);
        EXPECT_EQ(f.prompter.questions.takeFirst(), QString::fromUtf8("As UTF-8? Олена, Богдан, Ярина, …"));
        EXPECT_EQ(f.dir.read("Gnomora_Cfg.ini"), cfg);
        EXPECT_EQ(f.comm.Cfg.lines(), before);
        EXPECT_EQ(f.view.field("edPerson11"), QString::fromUtf8("Олена"));
        EXPECT_EQ(f.view.clears, 1);  // not refilled
    }

    f.prompter.answers.push_back(Prompter::Answer::Yes);
    f.comm.SavePlaces(f.view, question);
    EXPECT_EQ(f.prompter.questions.size(), 1);
    f.prompter.questions.clear();
    const QByteArray saved = f.dir.read("Gnomora_Cfg.ini");
    EXPECT_TRUE(saved.startsWith("\xEF\xBB\xBFPlace1=Kraków\r\n"));
    EXPECT_TRUE(saved.contains("\r\nPerson11=Олена\r\nPerson12=Богдан\r\n"));
    EXPECT_EQ(f.view.clears, 2);
    TComm reread(f.prompter);
    reread.Init();
    EXPECT_EQ(reread.GetValue("Place3"), QString::fromUtf8("Львів"));
    EXPECT_EQ(reread.Cfg.encoding(), TextEncoding::Utf8WithMark);

    // From now on the file is UTF-8: no more questions (an unexpected one would throw).
    f.view.fields["edPerson22"] = QString::fromUtf8("Тарас");
    f.comm.SavePlaces(f.view, question);
    EXPECT_TRUE(f.dir.read("Gnomora_Cfg.ini").contains("Person22=Тарас\r\n"));
    EXPECT_TRUE(f.prompter.questions.isEmpty());
}

// A place's longitude travels with its other fields; its key exists only while it is filled.
TEST(TCommPlaces, LongitudesShownAndSavedOnlyWhenFilled) {
    const QByteArray cfg = "Place1=Warszawa\r\nNoonH1=11\r\nNoonM1=27\r\nLongitude1=21,0122\r\n"
                           "Place2=Krak\xf3w\r\nNoonH2=11\r\nNoonM2=32\r\n";
    PlacesFixture f(cfg);
    f.comm.ShowPlaces(f.view);
    EXPECT_EQ(f.view.field("edLongitude1"), "21,0122");
    EXPECT_EQ(f.view.field("edLongitude2"), "");
    f.comm.SavePlaces(f.view, [] { return QStringLiteral("as UTF-8? %1"); });
    EXPECT_EQ(f.dir.read("Gnomora_Cfg.ini").left(cfg.size()), cfg);  // as it was, longitude kept in place
    EXPECT_FALSE(f.dir.read("Gnomora_Cfg.ini").contains("Longitude2"));

    f.view.setField("edLongitude1", "");
    f.view.setField("edLongitude2", "19.945");
    f.comm.SavePlaces(f.view, [] { return QStringLiteral("as UTF-8? %1"); });
    const QByteArray saved = f.dir.read("Gnomora_Cfg.ini");
    EXPECT_FALSE(saved.contains("Longitude1"));
    EXPECT_TRUE(saved.contains("Longitude2=19.945\r\n"));
}

// A name from a file finds the listed place that reads the same; other letters or case do not.
TEST(TCommPlaces, AListedPlaceIsFoundByTheNameAPersonReads) {
    PlacesFixture f("Place1=Krak\xf3w\r\nPlace2=Nowy S\xb9\x63z\r\n");
    const std::pair<const char16_t *, int> rows[] = {
        {u"Kraków", 1},        {u"Krako\u0301w", 1},  {u"\u202EKraków\u202C", 1}, {u"Kra\u200Bk\u00ADów\uFEFF", 1},
        {u" Nowy \u00A0 Sącz\u200E ", 2}, {u"kraków", 0}, {u"Krakow", 0}, {u"\u200B", 0},
    };
    for (const auto &[name, number] : rows)
        EXPECT_EQ(f.comm.PlaceNumberOf(QString::fromUtf16(name)), number) << QString::fromUtf16(name).toStdString();
}
