// SPDX-License-Identifier: GPL-3.0-or-later
// Filling the captions of the printed result sheet.
#include "draw/TDrawObj.h"

#include "lang/TLang.h"
#include "model/Angles.h"
#include "model/ClockText.h"
#include "model/ReadingUncertainty.h"
#include "model/TLogic.h"
#include "report/ReportPage.h"
#include "store/TComm.h"
#include "session/TSession.h"

#include <optional>
#include <stdexcept>

namespace {

// Headings whose caption is the language text under the label's own name, in sheet order.
const char *const kHeadingKeys[] = {
    "PrintRow1",      "PrintRow2",      "PrintRow3",      "PrintRow3a",     "PrintRow4",
    "PrintRow5",      "PrintRow6",      "PrintResults1",  "PrintResults2",  "PrintResults3",
    "PrintResults3a", "PrintResults4",  "PrintResults5",  "PrintResults6",  "PrintResults7",
    "PrintResults8",  "PrintResults8a", "PrintResults9",  "PrintResults10", "PrintResults11",
    "PrintResults12", "PrintResults13", "PrintResults14", "PrintFooter1",   "PrintFooter2",
};

// The labels of one place's column in the results table.
struct PlaceLabels {
    const char *name, *time, *shadow, *stick, *elevation, *noonElevation;
};
const PlaceLabels kPlace1{"PrintYield2", "PrintYield3", "PrintYield3a", "PrintYield4", "PrintYield5", "PrintYield6"};
const PlaceLabels kPlace2{"PrintYield7", "PrintYield8", "PrintYield8a", "PrintYield9", "PrintYield10", "PrintYield11"};

QString key(const char *name) { return QString::fromLatin1(name); }

// A whole number and its unit in the sheet's language: "1000 mm", "40008 km".
QString withUnit(std::int32_t value, TLang &lang, const char *unitKey) {
    return QString::number(value) + u' ' + lang.GetText(key(unitKey));
}

// A length with one decimal: "812.4".
QString decimal(double value, QChar separator) { return QString::number(value, 'f', 1).replace(u'.', separator); }

void fillPlace(Report::ReportPage &page, const THeiObj &hei, const PlaceLabels &labels, TLang &lang,
               QChar separator) {
    // A reading loaded from the partner school's file says so under the place's name.
    page.setCaption(key(labels.name), hei.ReadingFrom.isEmpty()
                                          ? hei.PlaceName
                                          : hei.PlaceName + u'\n' + lang.GetText(key("PrintReadingFrom"), {hei.ReadingFrom}));
    page.setCaption(key(labels.time), ClockText(hei.TimH, hei.TimM));
    if (hei.VirtualPartner) {
        // No stick and no shadow: the sun stood overhead.
        page.setCaption(key(labels.shadow), lang.GetText(QStringLiteral("PrintVirtualPartner")));
        page.setCaption(key(labels.stick), QString());
    } else if (!hei.MoreShadows.empty()) {
        // The mean of the readings and its uncertainty: their spread and the ruler's millimetre.
        const ReadingUncertainty::ShadowSpread spread = ReadingUncertainty::spreadOf(hei.ShadowReadings());
        page.setCaption(key(labels.shadow), decimal(spread.meanMm, separator) + QStringLiteral(" \u00b1 ") +
                                                decimal(spread.uncertaintyMm, separator) + u' ' +
                                                lang.GetText(QStringLiteral("unitMm")));
        page.setCaption(key(labels.stick), withUnit(hei.Stick, lang, "unitMm"));
    } else {
        page.setCaption(key(labels.shadow), withUnit(hei.Shadow, lang, "unitMm"));
        page.setCaption(key(labels.stick), withUnit(hei.Stick, lang, "unitMm"));
    }
    page.setCaption(key(labels.elevation), AngleToText(hei.SunHeightAtCurrTime));
    page.setCaption(key(labels.noonElevation), AngleToText(hei.NoonHeightAngle));
}

}  // namespace

void TDrawObj::FillResultSheet(QChar separator) {
    Report::ReportPage *sheetPage = sheet_.page;
    if (!sheetPage || !sheet_.session)
        throw std::logic_error("FillResultSheet: this drawing object has no result sheet to fill");
    Report::ReportPage &page = *sheetPage;
    const TSession &session = *sheet_.session;

    for (const char *name : kHeadingKeys)
        page.setCaption(key(name), lang_.GetText(key(name)));
    // The lines that state the measurement give its date, and a class alone measured at its own
    // school only.
    const THeiObj *school = logic_.Hei1.VirtualPartner ? &logic_.Hei2 : &logic_.Hei1;
    const bool alone = logic_.Hei1.VirtualPartner || logic_.Hei2.VirtualPartner;
    const QString measured = logic_.MeasureDay().toString(logic_.ShortDateFormat());
    for (const QString &row : {QStringLiteral("PrintRow5"), QStringLiteral("PrintRow6")})
        page.setCaption(row, lang_.GetText(alone ? row + QStringLiteral("Alone") : row, {measured}));

    for (int place = 1; place <= 2; ++place)
        for (int person = 1; person <= 4; ++person)
            page.setCaption(QStringLiteral("PrintName%1").arg((place - 1) * 4 + person),
                            session.GetValue(QStringLiteral("Person%1%2").arg(place).arg(person)));

    fillPlace(page, logic_.Hei1, kPlace1, lang_, separator);
    fillPlace(page, logic_.Hei2, kPlace2, lang_, separator);

    page.setCaption(QStringLiteral("PrintYield12"), AngleToText(logic_.HeiDiff));
    page.setCaption(QStringLiteral("PrintYield13"), withUnit(logic_.EarthDistance, lang_, "unitKm"));
    const std::optional<std::int32_t> uncertainty = logic_.EarthUncertaintyKm();
    page.setCaption(QStringLiteral("PrintYield14"),
                    uncertainty ? lang_.GetText(QStringLiteral("labUncertaintyText"),
                                                {QString::number(logic_.EarthSize), QString::number(*uncertainty)})
                                : withUnit(logic_.EarthSize, lang_, "unitKm"));

    // Issued at the class's school on the day of printing.
    page.setCaption(QStringLiteral("PrintFooter3"), school->PlaceName);
    const Clock clock = sheet_.clock ? sheet_.clock : systemClock();
    page.setCaption(QStringLiteral("PrintFooter4"), clock().date().toString(logic_.ShortDateFormat()));
}
