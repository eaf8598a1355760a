// SPDX-License-Identifier: GPL-3.0-or-later
// The kept lesson (Gnomora_Lesson.ini) from arbitrary bytes: read as the next start reads it, and
// when accepted, continued as the start window continues it (the places of that run listed again)
// and shown as the measurement and comparison panels show it, each place's picture and day's
// shadow drawn; then kept again as the end of that run keeps it.
//
// Input: a mode byte (bit 0: "," as the decimal separator), the configuration's text (up to a lone
// backslash), then the bytes of the lesson file.
// Invariants, for a lesson the reader accepts:
//  - progress values stay in their ranges (State 0..3, EarthState 0..2);
//  - every angle a panel shows at the place's state reads as degrees and minutes, short: at most a
//    full turn (a latitude of 302 digits is no angle);
//  - the values a panel shows at its state are values the boxes would take when typed: the time
//    from State 1, stick and shadow from State 2, the distance once accepted;
//  - the circumference's deviation, when shown, is a short finite percentage;
//  - a place listed for that run only has its noon at a clock time;
//  - drawing the measurement panel's pictures ends (a hang is the fuzzer's timeout);
//  - the same lesson, kept again at the end of the run, is accepted by the next start;
//  - nothing of it is undefined behaviour or a crash.
#include "FuzzSupport.h"
#include "draw/DrawCanvas.h"
#include "draw/ShadowDayPlot.h"
#include "draw/TDrawObj.h"
#include "lang/TLang.h"
#include "model/Angles.h"
#include "model/THeiObj.h"
#include "model/TLogic.h"
#include "model/TypedInput.h"
#include "session/LessonRecord.h"
#include "session/TSession.h"
#include "store/TComm.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace {

// The latitude captions that a continued lesson writes.
class CaptionRecorder : public LatitudeView {
public:
    void setLatitudeCaption(int, const QString &caption) override { captions << caption; }
    QStringList captions;
};

struct World {
    explicit World(QChar separator)
        : comm(prompter, Locale{separator, u'/'}),
          lang(comm, prompter, langView),
          logic(comm, lang, prompter, latitudes, session, [] { return QDateTime(QDate(2013, 6, 20), QTime(10, 0)); }) {}

    FuzzPrompter prompter;
    TComm comm;
    NullLangView langView;
    TLang lang;
    CaptionRecorder latitudes;
    TSession session;
    TLogic logic;
};

// A picture control of the design size, painted into an image.
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

QTemporaryDir *folder = nullptr;

QString writeFile(const QString &name, const std::uint8_t *data, std::size_t size) {
    const QString path = folder->filePath(name);
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    FUZZ_CHECK(file.write(reinterpret_cast<const char *>(data), qint64(size)) == qint64(size));
    return path;
}

// An angle as the panels show it: whole degrees, the degree sign, then minutes below 60 and an
// apostrophe when they are not 0; at most a full turn either way.
void checkShownAngle(double radians, const char *what) {
    static const QRegularExpression form(QStringLiteral("^-?([0-9]{1,3})\u00B0(?:([1-5]?[0-9])')?$"));
    const QString text = AngleToText(radians);
    const QRegularExpressionMatch m = form.match(text);
    FUZZ_CHECK(m.hasMatch() && m.captured(1).toInt() <= 360, "%s %.17g reads \"%s\"", what, radians, qPrintable(text));
}

void checkWhole(std::int64_t value, TypedInput::WholeRange range, const char *what) {
    FUZZ_CHECK(value >= range.min && value <= range.max, "%s %lld", what, static_cast<long long>(value));
}

// What the measurement panel shows of a place at its state.
void checkPlaceShown(const THeiObj &h) {
    FUZZ_CHECK(h.State <= 3, "State %d", h.State);
    if (h.State >= 1) {
        checkWhole(h.TimH, TypedInput::ClockHour, "hour");
        checkWhole(h.TimM, TypedInput::ClockMinute, "minute");
        checkShownAngle(h.SunHeightAtCurrTime, "elevation");
    }
    if (h.State >= 2) {
        checkWhole(h.Stick, TypedInput::LengthMm, "stick");
        checkWhole(h.Shadow, TypedInput::LengthMm, "shadow");
        checkShownAngle(M_PI / 2 - h.SunPlaneAngle, "latitude");
    }
    if (h.State >= 3)
        checkShownAngle(h.NoonHeightAngle, "noon elevation");
}

// What the comparison panel shows; it opens only when both places are measured to the end.
void checkComparisonShown(const TLogic &logic) {
    FUZZ_CHECK(logic.EarthState <= 2, "EarthState %d", logic.EarthState);
    if (logic.Hei1.State == 3 && logic.Hei2.State == 3) {
        checkShownAngle(logic.NoonHeightAngle1, "noon elevation 1");
        checkShownAngle(logic.NoonHeightAngle2, "noon elevation 2");
        checkShownAngle(logic.HeiDiff, "difference");
    }
    if (logic.EarthState >= 1)
        FUZZ_CHECK(logic.EarthDistance >= 1 && logic.EarthDistance <= TypedInput::MaxDistanceKm, "distance %d",
                   logic.EarthDistance);
    if (logic.EarthSizeFits(logic.HeiDiff)) {
        static const QRegularExpression percent(QStringLiteral("^[+-]?[0-9]{1,12}[.,][0-9] %$"));
        const QString deviation = TLogic::DeviationText(logic.EarthSize, u'.');
        FUZZ_CHECK(percent.match(deviation).hasMatch(), "deviation \"%s\"", qPrintable(deviation));
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QGuiApplication(*argc, *argv);  // lives as long as the process
    folder = new QTemporaryDir(QDir::tempPath() + QStringLiteral("/gnomora-lesson-fuzz.XXXXXX"));
    return folder->isValid() ? 0 : 1;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const std::uint8_t mode = in.ConsumeIntegral<std::uint8_t>();
    const std::string cfg = in.ConsumeRandomLengthString(size);
    const std::vector<std::uint8_t> lesson = in.ConsumeRemainingBytes<std::uint8_t>();

    World w((mode & 1) ? u',' : u'.');
    w.session.Init();
    w.comm.Cfg = NameValueList::fromBytes(QByteArray(cfg.data(), qsizetype(cfg.size())));
    w.logic.Init();

    const QString file = writeFile(QStringLiteral("lesson.ini"), lesson.data(), lesson.size());
    const std::optional<NameValueList> record = LessonRecord::read(w.comm, file);
    if (!record)
        return 0;

    // Continued as the start window continues it.
    TLogic &logic = w.logic;
    w.session.RestoreLesson(*record, logic, w.comm);

    checkPlaceShown(logic.Hei1);
    checkPlaceShown(logic.Hei2);
    for (const THeiObj *hei : {&logic.Hei1, &logic.Hei2}) {
        const int placeNo = TComm::TextToInt(record->value(QStringLiteral("PlaceSelect") + QString::number(hei->Number()))) + 1;
        // (A configuration's own key of that number comes first: the configuration is not the lesson.)
        const QString noonKey = QStringLiteral("NoonH") + QString::number(placeNo);
        if (placeNo > TComm::PlaceCount && !hei->VirtualPartner && w.comm.Cfg.indexOfKey(noonKey) < 0)
            checkWhole(hei->NoonH, TypedInput::NoonHour, "noon hour of the run's place");
    }
    // The measurement panel of each place: its picture and the day's shadow with its readings.
    ImageCanvas scene(QSize(120, 96)), dayPlot(QSize(260, 150));
    TDrawObj drawStep2(w.lang, logic, &scene);
    drawStep2.Init(2);
    for (const THeiObj *hei : {&logic.Hei1, &logic.Hei2}) {
        drawStep2.DrawHei(*hei);
        QList<ShadowReading> readings;
        for (const std::int32_t shadow : hei->ShadowReadings())
            readings.append({hei->TimH, hei->TimM, shadow});
        drawStep2.DrawShadowDay(*hei, readings, dayPlot);
    }
    checkComparisonShown(logic);
    for (const QString &caption : w.latitudes.captions)
        FUZZ_CHECK(caption.size() <= 12, "latitude caption \"%s\"", qPrintable(caption));  // the texts are "" here

    // Kept again when the run ends: the next start continues it.
    w.session.StoreHei(logic.Hei1);
    w.session.StoreHei(logic.Hei2);
    w.session.StoreLogic(logic);
    const QString again = folder->filePath(QStringLiteral("again.ini"));
    LessonRecord::keep(w.session.Values, again);
    FUZZ_CHECK(LessonRecord::read(w.comm, again).has_value(), "the lesson kept again is refused");
    return 0;
}
