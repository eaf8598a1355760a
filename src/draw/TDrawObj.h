// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "draw/DrawSlots.h"
#include "platform/Clock.h"

#include <QFont>
#include <QList>
#include <QPoint>
#include <QRectF>
#include <QSize>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

class DrawCanvas;
class QPainter;
class TLang;
class TLogic;
class THeiObj;
class TSession;
struct ShadowReading;
namespace Report { class ReportPage; }

// What the result sheet is filled from and into (the kind 5 object only): the sheet's page, the
// session record holding the pupils' names, and the clock whose date is the sheet's date of
// issue, the day of printing (the same clock as the model's, so a run has one "today").
struct ResultSheetBinding {
    Report::ReportPage *page = nullptr;
    const TSession *session = nullptr;
    Clock clock = systemClock();
};

// Painter of the step pictures: three-dimensional line pictures projected onto the bitmap of an
// image control.
//
// A picture is a fixed set of slots in scene coordinates: ten lines, two circles and a sun disc.
// Every paint (Redraw) sizes the bitmap to the control, fills it black and draws the visible
// slots with a 2-pixel solid pen, in a fixed order, later items over earlier ones; only the slots
// survive from one paint to the next. (The first items, which stay the same from one place to
// the next, are kept as painted and copied, which gives the same pixels faster.)
//
// Three objects exist, one per kind (the argument of Init):
//   2  the shadow scene of the measurement step (DrawHei). Scene: the place's horizon frame,
//      x toward south, y toward west, z up; one unit is the radius of the horizon circle.
//   4  the Earth cross-section of the comparison step (DrawEarth). Scene: the y-z plane through
//      the Earth's axis, z toward the north pole, y toward the sun; the Earth has radius 6000.
//   5  no image; carries the filling of the result sheet's captions.
//
// Projection: a parallel projection seen from the view direction (ViewX, ViewY, ViewZ), with
//   Norm = View / |View|,  H = sqrt(NormX^2 + NormY^2),
//   KX = NormX / H,  KY = NormY / H,  KZ = NormZ / H,  KH = NormX * KX + NormY * KY,
//   Scale = design width * f / Zoom   (pixels per scene unit; see below for f),
//   column = OriginX + round((X * KY - Y * KX) * Scale),
//   row    = OriginY - round((Z * KH - Y * KY * KZ - X * KX * KZ) * Scale),
// round() going to the nearest integer, halves to even. For a view with a vertical part the row's
// vector is not perpendicular to the view: the picture is slightly oblique, as intended.
//
// Init takes the control's size of that moment as the picture's design size and places the origin
// in it. The bitmap follows the control's size at every paint, and the picture is fitted into it
// as a photograph is: scaled by f = min(client width / design width, client height / design
// height) and centred, the origin moving with it. At the design size f is 1: Scale is client
// width / Zoom and the origin is Init's.
//
// Values from the model may be anything: a point that has no finite projection is not drawn, and
// lines reaching far outside the bitmap are cut at its edge before they are painted.
class TDrawObj {
public:
    // lang gives the compass words, logic the two places of the Earth picture; image is the
    // control to paint on (none for kind 5). All must outlive the object.
    TDrawObj(TLang &lang, const TLogic &logic, DrawCanvas *image);
    // The object of kind 5: no image; fills the result sheet that sheet names (its page and
    // session record must outlive the object).
    TDrawObj(TLang &lang, const TLogic &logic, ResultSheetBinding sheet) : TDrawObj(lang, logic, nullptr) {
        sheet_ = std::move(sheet);
    }
    ~TDrawObj();
    TDrawObj(const TDrawObj &) = delete;
    TDrawObj &operator=(const TDrawObj &) = delete;

    // Sets the object up for one picture: kind 2 (shadow scene), 4 (Earth picture) or 5 (no
    // image); any other kind changes nothing.
    //   kind 2: Zoom 2.2, view (-8, 10, 3), origin (width div 2, height - height div 4) of the
    //           control, the north-south line Line1 from (-1, 0, 0) to (1, 0, 0) and the east-west
    //           line Line2 from (0, -1, 0) to (0, 1, 0) with their compass words, and the horizon
    //           circle Circle1, all green.
    //   kind 4: Zoom 20000, view (-1, 0, 0), origin (round(0.4 width), round(0.55 height)), all
    //           slots hidden, the angle texts on.
    //   kind 5: as kind 4, without an image and with the origin (0, 0).
    void Init(int kind);

    // The shadow scene of a place, by its State (and a sentence for the canvas saying what it
    // shows: the place, the clock time and, once the lengths are accepted, the sun's elevation and
    // the shadow's length; language keys picShadowScene, picShadowSceneMeasured, picShadowSceneNoon):
    //   0, 1  horizon circle, compass lines and words (green), the sun's daily path above the
    //         horizon (yellow), the sun disc at the measurement time when above the horizon;
    //   2     also the sun ray and the sun's bearing to the horizon circle (red), a stick (olive)
    //         standing a third of the way toward the sun's bearing, and its shadow (grey), which
    //         ends at the origin;
    //   3     also the noon ray and the south line (blue), the sun disc moved to its noon place.
    // A sun overhead (no horizontal direction) has a ray but no stick and no shadow.
    void DrawHei(const THeiObj &hei);

    // The Earth cross-section: the Earth's outline (green), for each place the radius to the
    // centre (red) and a sun ray three Earth radii long (yellow), each place's noon elevation
    // written beside it (green) and their difference near the centre (yellow). The canvas is
    // told both places' latitudes and their difference (language key picEarthSection).
    void DrawEarth();

    // The plot of the shadow's length through the day at a place whose latitude is solved, with
    // the class's readings marked (draw/ShadowDayPlot.h), painted on the given control as the
    // pictures are, and a sentence for it (language keys plotNoonShadow, unitMm, picShadowDay or
    // picShadowDayAllDay, picShadowDayNoon, picShadowDayReadings). False, and nothing painted,
    // when there is no plot: the latitude is not solved or the sun does not rise that day.
    bool DrawShadowDay(const THeiObj &hei, const QList<ShadowReading> &readings, DrawCanvas &plot);

    // CalcProjection, then (with an image) ClearPicture and the visible slots in the order:
    // Circle1; Line1 with its compass words; Line2 with its words; Line3, Line6, Line4, Line7,
    // Line5, Line8, Line9, Line10; Circle2; the sun disc (a yellow ring 10 pixels across, filled
    // black) when SunZ > 0.
    void Redraw();

    // Norm, K*, Scale from the view, zoom and the control's client width. A view direction with
    // no usable length or no horizontal part (including non-finite ones) counts as (1, 0, 0).
    // Scale: design width * f / Zoom with the origin fitted as above (client width / Zoom for an
    // image that Init did not size); 300 / Zoom without an image; 0.006 when Zoom is not positive.
    void CalcProjection();

    // Sizes the bitmap to the control's client area (in device pixels at the canvas's pixel
    // ratio) and fills it black.
    void ClearPicture();

    // Sets every caption of the result sheet, in this order:
    //   the headings (PrintRow*, PrintResults*, PrintFooter1/2): the language text of their own name;
    //     the two lines that state the measurement (PrintRow5/6) carry its date for %1, and with
    //     the virtual partner the texts of a class alone (PrintRow5Alone/PrintRow6Alone);
    //   PrintName1..4 := session values Person11..14, PrintName5..8 := Person21..24 (an empty name
    //     leaves its line empty; the others do not move up);
    //   per place (Hei1 into PrintYield2..6 with 3a, Hei2 into PrintYield7..11 with 8a): the place
    //     name, the clock time (ClockText, 9:05), shadow and stick with a blank and the language's
    //     unitMm, the elevation at the measurement and at noon by AngleToText;
    //   PrintYield12 := AngleToText(HeiDiff), PrintYield13/14 := EarthDistance/EarthSize, a blank
    //     and unitKm, the circumference with its uncertainty (labUncertaintyText);
    //   PrintFooter3 := the class's school (place 1, or place 2 beside a virtual partner),
    //     PrintFooter4 := the day of printing in TLogic::ShortDateFormat.
    // Values are printed as the model holds them; the print step is only entered once both places
    // and the Earth's size are computed. Throws std::logic_error when the object was made without
    // a result sheet (a fault of the program). A mean of repeated readings is written with
    // `decimalSeparator`, the mark of the sheet's language, as the panels show it.
    void FillResultSheet(QChar decimalSeparator);

    // One line between two scene points; with no image, nothing.
    void DrawLine3D(std::uint32_t color, double X1, double Y1, double Z1, double X2, double Y2,
                    double Z2);

    // A circle as 360 straight segments between the points at 0, 1, ..., 360 degrees. The point at
    // angle t is (CX + r sin t cos Tilt, CY + r cos t, CZ + r sin t sin Tilt). With UpperOnly a
    // segment is drawn only when both its ends have z >= 0.
    void DrawCircle3D(bool UpperOnly, double CX, double CY, double CZ, double Radius, double Tilt,
                      std::uint32_t color);

    // Pixel column and row of a scene point. Results beyond the int range are held at its ends;
    // a point with no defined projection (NaN) gives INT_MIN, far outside any bitmap.
    int ProjectX(double X, double Y, double Z) const;
    int ProjectY(double X, double Y, double Z) const;

    // The font of all texts in the pictures (MS Sans Serif, 8 points at 96 dpi: 11 pixels), not
    // antialiased.
    static QFont TextFont();

    std::int32_t OriginX = 0;  // pixel column of the scene origin
    std::int32_t OriginY = 0;  // pixel row of the scene origin
    double ViewX = 0, ViewY = 0, ViewZ = 0;  // from the scene origin toward the viewer, any length
    double Zoom = 0;                         // scene units across the control's client width
    double NormX = 0, NormY = 0, NormZ = 0;  // the view direction of length 1
    double KX = 0, KY = 0, KZ = 0, KH = 0;   // projection coefficients
    double Scale = 0;                        // pixels per scene unit
    DrawCanvas *Image = nullptr;             // the control painted on; none for kind 5
    TLineSlot Line1, Line2, Line3, Line4, Line5, Line6, Line7, Line8, Line9, Line10;
    TCircleSlot Circle1, Circle2;
    double SunX = 0, SunY = 0, SunZ = 0;  // the sun disc, drawn when SunZ > 0
    bool ShowCompass = false;  // the compass words beside Line1 and Line2
    bool ShowAngles = false;   // the angle texts of the Earth picture
    // The Earth picture's enlarged inset of places too close for their texts (draw/EarthInset.h).
    bool ShowInset = true;

private:
    class PaintScope;
    // The picture's first items, which stay the same from one place to the next, as painted.
    struct Background;

    // The projection before it is held to the int range: rounded, NaN when undefined.
    double projectedColumn(double X, double Y, double Z) const;
    double projectedRow(double X, double Y, double Z) const;

    // Redraw, with more painting before the canvas is told.
    void redrawThen(const std::function<void()> &finish);
    // ClearPicture without telling the canvas.
    void clearBitmap();
    // Sizes the bitmap to the control (its content undefined); false when there is none to paint.
    bool sizeBitmap();
    // The same for any control.
    static bool sizeBitmapOf(DrawCanvas &canvas);
    // Sets a painter up as every picture's: aliased, copying its colours, in the pictures' font.
    static void preparePicturePainter(QPainter &painter, qreal pixelRatio);
    // Puts the picture's background into the sized bitmap: black with Circle1, Line1 and Line2
    // (with their words) on it, the items painted first. It is painted once and then copied as
    // long as nothing it is painted from changes: those items are the scene's horizon and compass
    // and the Earth's outline, the costliest part of a repaint, and a copy holds exactly the
    // pixels that painting them again would give. False for a bitmap too large to be worth it
    // and when there was no memory to keep it: the bitmap is then black and the background still
    // to be painted.
    bool putBackground();
    Background backgroundWanted();
    void paintBackground();
    // The bitmap and a margin beyond the pen's reach; lines are cut at its edge.
    QRectF clipRect() const;
    void drawLineSlot(const TLineSlot &line);
    void drawCircleSlot(const TCircleSlot &circle);
    // A line between two pixel positions (rounded projections, possibly far off or NaN).
    void drawPixelLine(std::uint32_t color, double x1, double y1, double x2, double y2);
    void drawCompassWords(const TLineSlot &line, const char *firstKey, const char *secondKey,
                          bool northSouth);
    void drawSunDisc();
    // The Earth picture's inset of close places, when they need it (draw/EarthInset.cpp).
    void drawEarthInset();
    // How far (pixels, down positive) a text cell beside one place must move up or down so that
    // the other place's sun ray passes at least kRayClearance pixels clear of it; 0 when it does.
    int clearOfRay(const QRect &cell, const TLineSlot &ray) const;
    static constexpr int kRayClearance = 2;
    void describe(const QString &text);
    // The fitting factor f of the picture into the control's client area (1 at the design size),
    // and the origin moved with it when the client area changed since the last fitting.
    double fitToClient();
    // Text in an opaque black cell; (x, y) is the cell's corner named by `corner`.
    void writeText(const QString &text, std::int64_t x, std::int64_t y, std::uint32_t color,
                   Qt::Alignment corner = Qt::AlignLeft | Qt::AlignTop);

    TLang &lang_;
    const TLogic &logic_;
    DrawCanvas *canvas_;
    ResultSheetBinding sheet_;
    QSize designSize_;      // the control's client size when Init placed the origin
    QPoint designOrigin_;   // that origin
    QSize fittedFor_;       // the client size OriginX/OriginY were last fitted to
    QPainter *painter_ = nullptr;  // while a paint is under way
    std::unique_ptr<Background> background_;
};

// Distance between two scene points.
double Dist3D(double X1, double Y1, double Z1, double X2, double Y2, double Z2);
