// SPDX-License-Identifier: GPL-3.0-or-later
// The enlarged inset of the Earth picture for schools too close for their elevation texts,
// checked on its pixels at the design size against the same picture painted without it.
#include "DrawTestWorld.h"

#include "draw/EarthInset.h"

namespace {

struct ClosePlaces : DrawWorld {
    // Latitudes and the declination of the date in degrees; the noon elevations follow.
    ClosePlaces(double latitude1, double latitude2, double declination, const char *name1 = "Warszawa",
                const char *name2 = "Kraków")
        : DrawWorld(4, kImageStep4) {
        setPlace(model.logic.Hei1, {90 - latitude1, declination, 0, 90 - latitude1 + declination, 3});
        setPlace(model.logic.Hei2, {90 - latitude2, declination, 0, 90 - latitude2 + declination, 3});
        model.logic.Hei1.PlaceName = QString::fromUtf8(name1);
        model.logic.Hei2.PlaceName = QString::fromUtf8(name2);
    }
    QImage paint(bool inset) {
        draw.ShowInset = inset;
        draw.DrawEarth();
        return image().copy();
    }
    // Where the picture with the inset differs from the one without it.
    QRect insetArea() { return differenceBounds(paint(true), paint(false)); }
};

TEST(EarthInset, CloseSchoolsGetAnInsetThatHidesNothing) {
    // Warsaw and Kraków on 7 December (declination -22°36'): the rays go down to the right.
    // And 2 degrees apart in June, the rays rising.
    const struct {
        double lat1, lat2, declination;
    } rows[] = {{52.23, 50.06, -22.6}, {50, 52, 23.4}, {47, 51, 0}, {21, 20, -23.4}, {79, 80, 10}};
    for (const auto &row : rows) {
        SCOPED_TRACE(row.lat1);
        ClosePlaces w(row.lat1, row.lat2, row.declination);
        const QImage with = w.paint(true);
        const QImage without = w.paint(false);
        const QRect area = differenceBounds(with, without);
        ASSERT_FALSE(area.isNull());
        EXPECT_EQ(area.size(), EarthInset::BoxSize);
        // In the bottom right corner, where the picture without it shows only background.
        EXPECT_EQ(area.bottomRight(), QPoint(kImageStep4.width() - 5, kImageStep4.height() - 5));
        EXPECT_EQ(countColour(without, Px::Black, area), area.width() * area.height());
        // Radii, rays and the angle, outline, places and names: each colour of the picture.
        EXPECT_GT(countColour(with, Px::Red, area), 100);
        EXPECT_GT(countColour(with, Px::Yellow, area), 100);
        EXPECT_GT(countColour(with, Px::Green, area), 300);
        EXPECT_EQ(countColour(with, Px::Blue) + countColour(with, Px::Grey) + countColour(with, Px::Olive), 0);
    }
}

TEST(EarthInset, NamesAndTheAngleAreWrittenInIt) {
    ClosePlaces named(52, 50, 0);
    ClosePlaces unnamed(52, 50, 0, "", "");
    const QImage a = named.paint(true);
    const QImage b = unnamed.paint(true);
    const QRect names = differenceBounds(a, b);
    const QRect area = named.insetArea();
    ASSERT_FALSE(names.isNull());
    EXPECT_TRUE(area.contains(names));
    // The names stand left of the places, in the upper half of the box, drawn in green.
    EXPECT_LT(names.bottom(), area.center().y() + 10);
    EXPECT_GT(countColour(a, Px::Green, names), countColour(b, Px::Green, names));

    // The angle's value: a wider difference writes another text in the same place.
    // The box's drawing is the same for both (same mean latitude and date, same names).
    ClosePlaces wider(53, 49, 0);
    const QRect value = differenceBounds(wider.paint(true).copy(area), named.paint(true).copy(area));
    ASSERT_FALSE(value.isNull());
    EXPECT_GT(value.top(), area.height() / 2);  // below the lower radius, near the vertex
    EXPECT_LT(value.left(), area.width() / 2);
    EXPECT_GT(countColour(wider.image(), Px::Yellow, value.translated(area.topLeft())), 0);
}

TEST(EarthInset, NoneWhereTheTextsStandApart) {
    // 10 degrees apart the texts no longer touch; places on one latitude have no arc to show.
    for (auto lats : {std::pair{50.0, 60.0}, std::pair{40.0, 30.0}, std::pair{50.0, 50.0}}) {
        ClosePlaces w(lats.first, lats.second, 10);
        EXPECT_TRUE(w.insetArea().isNull()) << lats.first << " " << lats.second;
    }
}

TEST(EarthInset, PlacementAvoidsEveryDrawnElement) {
    EarthInsetScene scene;
    scene.bitmap = kImageStep4;
    scene.centre = {212, 247};
    scene.radius = 158.7;
    scene.place = {QPointF(314, 125), QPointF(307, 120)};
    scene.rayEnd = {QPointF(783, 43), QPointF(776, 38)};
    scene.elevationCell = {QRect(324, 121, 30, 13), QRect(317, 116, 30, 13)};
    scene.differenceCell = QRect(232, 223, 30, 13);
    scene.sunPlane = {degrees(40), degrees(37)};
    EXPECT_TRUE(EarthInset::needed(scene));
    // The worked example's picture: the bottom right corner is the one place free.
    EXPECT_EQ(EarthInset::placement(scene), QRect(QPoint(529 - 4 - 160, 449 - 4 - 136), EarthInset::BoxSize));
    // A ray running down through it leaves none: there is no inset at all.
    scene.rayEnd[1] = QPointF(600, 600);
    EXPECT_FALSE(EarthInset::placement(scene));

    // A small Earth in a wide picture: the corners are tried in their order.
    scene.bitmap = QSize(800, 500);
    scene.centre = {400, 250};
    scene.radius = 60;
    scene.place = {QPointF(440, 205), QPointF(436, 202)};
    scene.rayEnd = {QPointF(800, 0), QPointF(800, 0)};
    EXPECT_EQ(EarthInset::placement(scene), QRect(QPoint(800 - 4 - 160, 500 - 4 - 136), EarthInset::BoxSize));
    scene.rayEnd[1] = QPointF(800, 500);  // through the bottom right corner
    EXPECT_EQ(EarthInset::placement(scene), QRect(QPoint(4, 4), EarthInset::BoxSize));
    scene.differenceCell = QRect(0, 0, 20, 20);  // a text in the top left corner
    EXPECT_EQ(EarthInset::placement(scene), QRect(QPoint(4, 500 - 4 - 136), EarthInset::BoxSize));
    scene.place[0] = QPointF(std::nan(""), 0);
    EXPECT_FALSE(EarthInset::placement(scene));
    // Texts apart: not needed.
    scene.elevationCell[1].moveTop(150);
    EXPECT_FALSE(EarthInset::needed(scene));
}

}  // namespace
