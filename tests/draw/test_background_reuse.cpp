// SPDX-License-Identifier: GPL-3.0-or-later
// A drawing object keeps what it painted before only to save time: every picture must be, pixel
// for pixel, the one that a new object paints from the same state, whatever was painted before
// it, at whatever size, pixel ratio and language.
#include "DrawTestWorld.h"

#include <limits>
#include <random>
#include <tuple>

namespace {

class RandomScenes {
public:
    PlaceAngles place() {
        PlaceAngles a{uniform(0, 180), uniform(-23.44, 23.44), uniform(-180, 180), uniform(-90, 90),
                      static_cast<std::uint8_t>(random_() % 4)};
        if (random_() % 20 == 0)  // now and then a value no measurement gives
            a.noonHeight = std::numeric_limits<double>::quiet_NaN();
        return a;
    }
    QSize size(QSize design) {
        switch (random_() % 4) {
        case 0: return QSize(int(uniform(200, 1200)), int(uniform(150, 900)));
        case 1: return design + QSize(1, 0);
        default: return design;  // mostly the same size, as a class sees it
        }
    }
    qreal ratio() {
        const qreal ratios[] = {1, 1, 1, 1.25, 2};
        return ratios[random_() % 5];
    }
    bool oneIn(unsigned n) { return random_() % n == 0; }
    double uniform(double from, double to) { return std::uniform_real_distribution<double>(from, to)(random_); }

private:
    std::mt19937 random_{20130320};
};

// The compass words of one of three languages.
void useWords(TLang &lang, int language) {
    const char *const words[3][4] = {{"Polnoc", "Poludnie", "Wschod", "Zach"},
                                     {"North", "South", "East", "West"},
                                     {"Norden", "Sueden", "Osten", "Westen"}};
    const char *const keys[4] = {"North", "South", "East", "West"};
    for (int i = 0; i < 4; ++i)
        lang.Texts.setValue(QLatin1String(keys[i]), QLatin1String(words[language][i]));
}

// The object that has painted before, and a new one set up at the same size and in the same
// language, both about to paint the same.
struct Pair {
    Pair(DrawWorld &kept, int kind, QSize initSize) : kept(kept), fresh(kind, initSize) {}
    void match(int language) {
        fresh.canvas.size = kept.canvas.size;
        fresh.canvas.ratio = kept.canvas.ratio;
        useWords(fresh.model.lang, language);
    }
    ::testing::AssertionResult samePictures() const {
        const QImage &a = kept.image(), &b = fresh.image();
        if (a.size() != b.size() || a.devicePixelRatio() != b.devicePixelRatio())
            return ::testing::AssertionFailure() << "the bitmaps differ in size or pixel ratio";
        if (const QRect d = differenceBounds(a, b); !d.isNull())
            return ::testing::AssertionFailure() << "pixels differ in " << d.x() << ", " << d.y() << " "
                                                 << d.width() << " x " << d.height();
        return ::testing::AssertionSuccess();
    }
    DrawWorld &kept;
    DrawWorld fresh;
};

TEST(BackgroundReuse, RepaintsAreThePicturesANewObjectPaints) {
    RandomScenes random;
    DrawWorld scene(2, kImageStep2), earth(4, kImageStep4);
    QSize sceneInit = kImageStep2, earthInit = kImageStep4;
    int language = 0;
    for (int round = 0; round < 150; ++round) {
        SCOPED_TRACE(round);
        if (random.oneIn(10))
            language = (language + 1) % 3;
        useWords(scene.model.lang, language);
        useWords(earth.model.lang, language);
        for (DrawWorld *w : {&scene, &earth}) {
            w->canvas.size = random.size(w == &scene ? kImageStep2 : kImageStep4);
            w->canvas.ratio = random.ratio();
        }
        // Now and then an object is set up again at another size (a new origin) and then paints
        // at the size it had.
        for (auto [w, kind, init] : {std::tuple{&scene, 2, &sceneInit}, std::tuple{&earth, 4, &earthInit}}) {
            if (!random.oneIn(8))
                continue;
            const QSize paintSize = w->canvas.size;
            w->canvas.size = random.size(paintSize);
            w->draw.Init(kind);
            *init = w->canvas.size;
            w->canvas.size = paintSize;
        }

        const PlaceAngles place1 = random.place(), place2 = random.place();
        Pair shadow(scene, 2, sceneInit);
        shadow.match(language);
        for (DrawWorld *w : {&scene, &shadow.fresh}) {
            setPlace(w->model.logic.Hei1, place1);
            w->draw.DrawHei(w->model.logic.Hei1);
        }
        EXPECT_TRUE(shadow.samePictures()) << "shadow scene";

        Pair section(earth, 4, earthInit);
        section.match(language);
        for (DrawWorld *w : {&earth, &section.fresh}) {
            setPlace(w->model.logic.Hei1, place1);
            setPlace(w->model.logic.Hei2, place2);
            w->draw.DrawEarth();
        }
        EXPECT_TRUE(section.samePictures()) << "Earth picture";
    }
}

// An object that paints the other kind of picture on the same canvas paints that picture.
TEST(BackgroundReuse, AnotherKindOnTheSameCanvas) {
    DrawWorld w(2, kImageStep2);
    DrawWorld earth(4, kImageStep2), scene(2, kImageStep2);
    setPlace(w.model.logic.Hei1, {40, 10, 15, 50, 3});
    setPlace(w.model.logic.Hei2, {37, 10, 0, 53, 3});
    setPlace(earth.model.logic.Hei1, {40, 10, 15, 50, 3});
    setPlace(earth.model.logic.Hei2, {37, 10, 0, 53, 3});
    setPlace(scene.model.logic.Hei1, {40, 10, 15, 50, 3});
    w.draw.DrawHei(w.model.logic.Hei1);
    w.draw.Init(4);
    w.draw.DrawEarth();
    earth.draw.DrawEarth();
    EXPECT_EQ(w.image(), earth.image());
    w.draw.Init(2);
    w.draw.DrawHei(w.model.logic.Hei1);
    scene.draw.DrawHei(scene.model.logic.Hei1);
    EXPECT_EQ(w.image(), scene.image());
}

}  // namespace
