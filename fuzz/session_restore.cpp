// SPDX-License-Identifier: GPL-3.0-or-later
// The session record reloaded from arbitrary text, then used as the measurement and comparison
// steps use it: shown, accepted, computed and drawn.
//
// Input (FuzzedDataProvider): the configuration text and the record's text (each up to a lone
// backslash), then the answers to the model's questions; from the end a byte choosing the decimal
// separator and which steps run, and the measurement day as days from 20 March 2013.
// Invariants:
//  - progress values stay in their ranges (State 0..3, EarthState 0..2);
//  - every angle shown reads as degrees and at most 60 minutes;
//  - storing what was restored and restoring it again gives the same fields (numbers to
//    15 significant digits);
//  - nothing of it, nor what the steps do with the values, is undefined behaviour or a crash.
#include "FuzzSupport.h"
#include "draw/DrawCanvas.h"
#include "draw/TDrawObj.h"
#include "lang/TLang.h"
#include "model/Angles.h"
#include "model/THeiObj.h"
#include "model/TLogic.h"
#include "session/TSession.h"
#include "store/TComm.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <QDate>
#include <QDateTime>
#include <QGuiApplication>
#include <QImage>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

namespace {

class ImageCanvas : public DrawCanvas {
public:
    explicit ImageCanvas(QSize size) : size_(size) {}
    QSize clientSize() const override { return size_; }
    QImage &bitmap() override { return image_; }
    void bitmapChanged() override {}

private:
    QSize size_;
    QImage image_;
};

struct World {
    World(QChar separator, QDate day)
        : comm(prompter, Locale{separator, u'/'}),
          lang(comm, prompter, langView),
          logic(comm, lang, prompter, latitudes, session, [day] { return QDateTime(day, QTime(10, 0)); }) {}

    FuzzPrompter prompter;
    TComm comm;
    NullLangView langView;
    TLang lang;
    NullLatitudeView latitudes;
    TSession session;
    TLogic logic;
};

QByteArray bytesOf(const std::string &s) { return QByteArray(s.data(), qsizetype(s.size())); }

// The 15-digit text of a value; values beyond the largest 15-digit double are stored as that.
QString digits15(double v) {
    constexpr double kLargest15 = 1.79769313486231e308;
    return QString::number(std::clamp(v, -kLargest15, kLargest15), 'e', 14);
}

struct PlaceFields {
    explicit PlaceFields(const THeiObj &h)
        : ints{h.State, h.EditedTimH, h.EditedTimM, h.TimH, h.TimM, h.EditedStick, h.EditedShadow, h.Stick, h.Shadow},
          doubles{digits15(h.CurrTimeAngle), digits15(h.SunOnCurrTimeAngle), digits15(h.EquinoxAngle),
                  digits15(h.EquinoxDispl), digits15(h.EquinoxRadius), digits15(h.SunHeightAtCurrTime),
                  digits15(h.SunAzimuthHeightAtCurrTime), digits15(h.SunPlaneAngle), digits15(h.NoonHeightAngle)},
          name(h.PlaceName), noonH(h.NoonH), noonM(h.NoonM) {}
    bool operator==(const PlaceFields &) const = default;
    QString text() const {
        QStringList parts{name, QString::number(noonH), QString::number(noonM)};
        for (std::int64_t v : ints)
            parts << QString::number(v);
        for (const QString &v : doubles)
            parts << v;
        return parts.join(u' ');
    }

    std::int64_t ints[9];
    QString doubles[9];
    QString name;
    std::int32_t noonH, noonM;
};

// An angle as the panels show it: whole degrees, the degree sign, then minutes (at most 60 either
// way) and an apostrophe when they are not 0.
void checkAngleText(double radians) {
    static const QRegularExpression form(QStringLiteral("^(-?[0-9]+)\u00B0(?:(-?[0-9]+)')?$"));
    const QString text = AngleToText(radians);
    const QRegularExpressionMatch m = form.match(text);
    FUZZ_CHECK(m.hasMatch(), "%.17g reads \"%s\"", radians, qPrintable(text));
    const int minutes = m.captured(2).toInt();
    FUZZ_CHECK(minutes != 0 || m.captured(2).isEmpty());
    FUZZ_CHECK(minutes >= -60 && minutes <= 60, "%.17g reads \"%s\"", radians, qPrintable(text));
}

void showPlace(const THeiObj &h) {
    for (double angle : {h.SunHeightAtCurrTime, h.NoonHeightAngle, h.SunPlaneAngle, M_PI / 2 - h.SunPlaneAngle})
        checkAngleText(angle);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv) {
    // Drawing writes compass words and angles: the fonts need a GUI application.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QGuiApplication(*argc, *argv);  // lives as long as the process
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const std::uint8_t mode = in.ConsumeIntegral<std::uint8_t>();
    const int dayOffset = in.ConsumeIntegral<std::int16_t>();
    const QByteArray cfg = bytesOf(in.ConsumeRandomLengthString(size));
    const QByteArray record = bytesOf(in.ConsumeRandomLengthString(size));

    World w((mode & 1) ? u',' : u'.', QDate(2013, 3, 20).addDays(dayOffset));
    for (unsigned char a : in.ConsumeRemainingBytes<unsigned char>())
        w.prompter.answers.push_back(a);
    w.session.Init();
    w.comm.Cfg = NameValueList::fromBytes(cfg);
    // No language file (the configuration could name any file): every text is "", then ".".
    w.logic.Init();

    w.session.Values = NameValueList::fromBytes(record);
    TLogic &logic = w.logic;
    w.session.RestoreHei(logic.Hei1);
    w.session.RestoreHei(logic.Hei2);
    w.session.RestoreLogic(logic);
    for (const THeiObj *h : {&logic.Hei1, &logic.Hei2})
        FUZZ_CHECK(h->State <= 3, "State %d", h->State);
    FUZZ_CHECK(logic.EarthState <= 2, "EarthState %d", logic.EarthState);

    const PlaceFields place1(logic.Hei1), place2(logic.Hei2);
    const QString noon1 = digits15(logic.NoonHeightAngle1), noon2 = digits15(logic.NoonHeightAngle2);
    const auto earth = std::make_tuple(logic.EarthState, logic.EarthDistance, logic.EditedEarthDistance, logic.EarthSize);
    w.session.StoreHei(logic.Hei1);
    w.session.StoreHei(logic.Hei2);
    w.session.StoreLogic(logic);
    w.session.RestoreHei(logic.Hei1);
    w.session.RestoreHei(logic.Hei2);
    w.session.RestoreLogic(logic);
    FUZZ_CHECK(PlaceFields(logic.Hei1) == place1, "%s\nbecame\n%s", qPrintable(place1.text()),
               qPrintable(PlaceFields(logic.Hei1).text()));
    FUZZ_CHECK(PlaceFields(logic.Hei2) == place2, "%s\nbecame\n%s", qPrintable(place2.text()),
               qPrintable(PlaceFields(logic.Hei2).text()));
    FUZZ_CHECK(digits15(logic.NoonHeightAngle1) == noon1 && digits15(logic.NoonHeightAngle2) == noon2);
    FUZZ_CHECK(std::make_tuple(logic.EarthState, logic.EarthDistance, logic.EditedEarthDistance, logic.EarthSize) ==
               earth);

    // The measurement step of the place chosen by the mode, as the pupils would go on.
    THeiObj &hei = (mode & 2) ? logic.Hei2 : logic.Hei1;
    ImageCanvas image2(QSize(120, 96)), image4(QSize(120, 102));
    TDrawObj drawStep2(w.lang, logic, &image2), drawStep4(w.lang, logic, &image4);
    drawStep2.Init(2);
    drawStep4.Init(4);
    showPlace(hei);
    drawStep2.DrawHei(hei);
    if (mode & 4) {
        hei.AcceptTime();
        drawStep2.DrawHei(hei);
    }
    if (mode & 8) {
        hei.AcceptHeight();
        drawStep2.DrawHei(hei);
    }
    if (mode & 16) {
        hei.CalcNoon();
        showPlace(hei);
        drawStep2.DrawHei(hei);
    }
    FUZZ_CHECK(hei.State <= 3, "State %d", hei.State);

    // The comparison step.
    for (double angle : {logic.NoonHeightAngle1, logic.NoonHeightAngle2, logic.HeiDiff})
        checkAngleText(angle);
    drawStep4.DrawEarth();
    if (mode & 32) {
        logic.AcceptDistance();
        drawStep4.DrawEarth();
    }
    if (mode & 64) {
        logic.CalcEarth();
        drawStep4.DrawEarth();
    }
    FUZZ_CHECK(logic.EarthState <= 2, "EarthState %d", logic.EarthState);
    return 0;
}
