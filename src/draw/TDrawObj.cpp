// SPDX-License-Identifier: GPL-3.0-or-later
#include "draw/TDrawObj.h"

#include "draw/DrawCanvas.h"
#include "draw/SegmentClip.h"
#include "model/Angles.h"
#include "lang/TLang.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStringList>
#include <QVarLengthArray>
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace {

constexpr int kIntMin = std::numeric_limits<int>::min();
constexpr int kIntMax = std::numeric_limits<int>::max();

// Lines are cut this far outside the bitmap, beyond the reach of the 2-pixel pen.
constexpr double kClipMargin = 8;

// The largest bitmap (in device pixels) whose background is kept. Copying a kept background
// reads and writes the whole bitmap; beyond about a full-HD screen's pixels that costs more than
// painting the background again (at 3840 x 2160 twice as much).
constexpr std::int64_t kMaxKeptBackground = 1920 * 1080;

int heldToInt(double v) {
    if (std::isnan(v) || v <= kIntMin)
        return kIntMin;
    if (v >= kIntMax)
        return kIntMax;
    return static_cast<int>(v);
}

double heldToIntRange(double v) { return std::fmin(std::fmax(v, double(kIntMin)), double(kIntMax)); }

// The canvas's ratio of device to logical pixels, held to what a screen can have.
qreal pixelRatioOf(const DrawCanvas &canvas) {
    const qreal ratio = canvas.pixelRatio();
    return std::isfinite(ratio) && ratio >= 1 && ratio <= 8 ? ratio : 1;
}

QPen linePen(std::uint32_t color) {
    // Round ends and joins: a circle drawn as one polyline covers exactly what its segments
    // drawn one by one would.
    return QPen(DrawColor::toQColor(color), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// Every painter of a picture draws aliased, copies its colours over what is there and writes
// with the pictures' font.
void preparePainter(QPainter &painter, qreal pixelRatio) {
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setCompositionMode(QPainter::CompositionMode_Source);  // copy mode
    painter.setBrush(QBrush(Qt::black, Qt::SolidPattern));
    QFont font = TDrawObj::TextFont();
    // On a scaled bitmap, letters spaced by the hinted advances of the small face would
    // stand in uneven gaps: the face's own proportions are used there.
    if (pixelRatio != 1)
        font.setHintingPreference(QFont::PreferNoHinting);
    painter.setFont(font);
}

}  // namespace

// A QPainter on the canvas's bitmap for the duration of one paint. Nested scopes share the
// outermost painter; the outermost one tells the canvas when the paint is done. No painter is
// opened without an image or on an empty bitmap.
class TDrawObj::PaintScope {
public:
    explicit PaintScope(TDrawObj &owner) : owner_(owner) {
        if (owner_.painter_ || !owner_.Image || owner_.Image->bitmap().isNull())
            return;
        painter_.emplace(&owner_.Image->bitmap());
        if (!painter_->isActive()) {
            painter_.reset();
            return;
        }
        preparePainter(*painter_, owner_.Image->bitmap().devicePixelRatio());
        owner_.painter_ = &*painter_;
    }
    ~PaintScope() {
        if (!painter_)
            return;
        painter_->end();
        owner_.painter_ = nullptr;
        owner_.Image->bitmapChanged();
    }
    PaintScope(const PaintScope &) = delete;
    PaintScope &operator=(const PaintScope &) = delete;

private:
    TDrawObj &owner_;
    std::optional<QPainter> painter_;
};

// Everything the background is painted from, and the bitmap it gave.
struct TDrawObj::Background {
    QSize pixels;
    qreal ratio = 1;
    std::int32_t originX = 0, originY = 0;
    double kx = 0, ky = 0, kz = 0, kh = 0, scale = 0;
    TCircleSlot circle;
    TLineSlot line1, line2;
    QStringList words;  // the compass words, when shown
    QImage image;

    // Not-a-number values never compare equal: a background painted from them is not reused.
    bool paintsLike(const Background &other) const {
        return pixels == other.pixels && ratio == other.ratio && originX == other.originX &&
               originY == other.originY && kx == other.kx && ky == other.ky && kz == other.kz && kh == other.kh &&
               scale == other.scale && circle == other.circle && line1 == other.line1 && line2 == other.line2 &&
               words == other.words;
    }
};

TDrawObj::TDrawObj(TLang &lang, const TLogic &logic, DrawCanvas *image)
    : lang_(lang), logic_(logic), canvas_(image) {}

TDrawObj::~TDrawObj() = default;

void TDrawObj::Init(int kind) {
    if (kind != 2 && kind != 4 && kind != 5)
        return;
    for (TLineSlot *line : {&Line1, &Line2, &Line3, &Line4, &Line5, &Line6, &Line7, &Line8, &Line9, &Line10})
        *line = TLineSlot{};
    Circle1 = TCircleSlot{};
    Circle2 = TCircleSlot{};
    SunX = SunY = SunZ = 0;

    if (kind == 2) {
        Image = canvas_;
        Zoom = 2.2;
        const QSize size = Image ? Image->clientSize() : QSize(0, 0);
        OriginX = size.width() / 2;
        OriginY = size.height() - size.height() / 4;
        designSize_ = fittedFor_ = size;
        designOrigin_ = QPoint(OriginX, OriginY);
        ViewX = -8;
        ViewY = 10;
        ViewZ = 3;
        ShowCompass = true;
        ShowAngles = false;
        Line1 = TLineSlot{-1, 0, 0, 1, 0, 0, true, DrawColor::Green};  // north end first
        Line2 = TLineSlot{0, -1, 0, 0, 1, 0, true, DrawColor::Green};  // east end first
        Circle1 = TCircleSlot{0, 0, 0, 1, 0, true, false, DrawColor::Green};
        return;
    }

    Image = kind == 4 ? canvas_ : nullptr;
    Zoom = 20000;
    if (Image) {
        const QSize size = Image->clientSize();
        OriginX = static_cast<std::int32_t>(std::nearbyint(size.width() * 0.4));
        OriginY = static_cast<std::int32_t>(std::nearbyint(size.height() * 0.55));
        designSize_ = fittedFor_ = size;
        designOrigin_ = QPoint(OriginX, OriginY);
    } else {
        designSize_ = fittedFor_ = QSize();
    }
    ViewX = -1;
    ViewY = 0;
    ViewZ = 0;
    ShowCompass = false;
    ShowAngles = true;
}

void TDrawObj::CalcProjection() {
    double nx = 1, ny = 0, nz = 0;
    if (ViewX != 0 || ViewY != 0 || ViewZ != 0) {
        const double length = Dist3D(ViewX, ViewY, ViewZ, 0, 0, 0);
        const double x = ViewX / length, y = ViewY / length, z = ViewZ / length;
        const double h = std::sqrt(x * x + y * y);
        // A view straight up or down has no horizontal part to build the picture's axes on.
        if (std::isfinite(x) && std::isfinite(y) && std::isfinite(z) && h > 0 && std::isfinite(z / h)) {
            nx = x;
            ny = y;
            nz = z;
        }
    }
    NormX = nx;
    NormY = ny;
    NormZ = nz;
    const double h = std::sqrt(NormX * NormX + NormY * NormY);
    KX = NormX / h;
    KY = NormY / h;
    KZ = NormZ / h;
    KH = NormX * KX + NormY * KY;
    if (Zoom > 0 && Image && !designSize_.isEmpty())
        Scale = designSize_.width() * fitToClient() / Zoom;
    else if (Zoom > 0)
        Scale = (Image ? Image->clientSize().width() : 300) / Zoom;
    else
        Scale = 0.006;
}

double TDrawObj::fitToClient() {
    const QSize size = Image->clientSize();
    if (size.isEmpty())
        return 1;
    const double f = std::min(double(size.width()) / designSize_.width(), double(size.height()) / designSize_.height());
    if (size != fittedFor_) {
        // The design area scaled by f, centred in the client area, carries the origin along.
        OriginX = static_cast<std::int32_t>(std::nearbyint((size.width() - designSize_.width() * f) / 2 + designOrigin_.x() * f));
        OriginY = static_cast<std::int32_t>(std::nearbyint((size.height() - designSize_.height() * f) / 2 + designOrigin_.y() * f));
        fittedFor_ = size;
    }
    return f;
}

double TDrawObj::projectedColumn(double X, double Y, double Z) const {
    (void)Z;  // a parallel projection: depth does not move a point sideways
    return OriginX + std::nearbyint((X * KY - Y * KX) * Scale);
}

double TDrawObj::projectedRow(double X, double Y, double Z) const {
    return OriginY - std::nearbyint((Z * KH - Y * KY * KZ - X * KX * KZ) * Scale);
}

int TDrawObj::ProjectX(double X, double Y, double Z) const { return heldToInt(projectedColumn(X, Y, Z)); }

int TDrawObj::ProjectY(double X, double Y, double Z) const { return heldToInt(projectedRow(X, Y, Z)); }

QFont TDrawObj::TextFont() {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

void TDrawObj::ClearPicture() {
    if (!Image)
        return;
    clearBitmap();
    Image->bitmapChanged();
}

void TDrawObj::clearBitmap() {
    if (sizeBitmap())
        Image->bitmap().fill(Qt::black);
}

bool TDrawObj::sizeBitmap() { return sizeBitmapOf(*Image); }

void TDrawObj::preparePicturePainter(QPainter &painter, qreal pixelRatio) { preparePainter(painter, pixelRatio); }

bool TDrawObj::sizeBitmapOf(DrawCanvas &canvas) {
    QImage &bitmap = canvas.bitmap();
    const QSize size = canvas.clientSize();
    if (size.isEmpty()) {
        bitmap = QImage();
        return false;
    }
    // Whole device pixels covering the logical area; the painter then works in logical pixels.
    const qreal ratio = pixelRatioOf(canvas);
    const QSize pixels(int(std::ceil(size.width() * ratio)), int(std::ceil(size.height() * ratio)));
    if (bitmap.size() != pixels || bitmap.format() != QImage::Format_RGB32 || bitmap.devicePixelRatio() != ratio) {
        bitmap = QImage(pixels, QImage::Format_RGB32);  // null when it cannot be had
        bitmap.setDevicePixelRatio(ratio);
    }
    return !bitmap.isNull();
}

void TDrawObj::Redraw() { redrawThen({}); }

TDrawObj::Background TDrawObj::backgroundWanted() {
    const QImage &bitmap = Image->bitmap();
    Background wanted{bitmap.size(), bitmap.devicePixelRatio(), OriginX, OriginY, KX, KY, KZ, KH, Scale,
                      Circle1.Visible ? Circle1 : TCircleSlot{}, Line1.Visible ? Line1 : TLineSlot{},
                      Line2.Visible ? Line2 : TLineSlot{}, {}, {}};
    if (ShowCompass) {  // the words of the lines drawn, looked up as drawing them does
        if (Line1.Visible)
            wanted.words << lang_.GetText(QStringLiteral("North")) << lang_.GetText(QStringLiteral("South"));
        if (Line2.Visible)
            wanted.words << lang_.GetText(QStringLiteral("East")) << lang_.GetText(QStringLiteral("West"));
    }
    return wanted;
}

bool TDrawObj::putBackground() {
    QImage &bitmap = Image->bitmap();
    if (std::int64_t(bitmap.width()) * bitmap.height() > kMaxKeptBackground) {
        background_.reset();
        bitmap.fill(Qt::black);
        return false;
    }
    Background wanted = backgroundWanted();
    if (!background_ || !background_->paintsLike(wanted)) {
        background_.reset();
        wanted.image = QImage(wanted.pixels, QImage::Format_RGB32);
        if (wanted.image.isNull()) {  // no memory for it: painted straight onto the bitmap
            bitmap.fill(Qt::black);
            return false;
        }
        wanted.image.setDevicePixelRatio(wanted.ratio);
        wanted.image.fill(Qt::black);
        QPainter painter(&wanted.image);
        preparePainter(painter, wanted.ratio);
        painter_ = &painter;
        struct Done {
            QPainter *&painter;
            ~Done() { painter = nullptr; }
        } done{painter_};
        paintBackground();
        painter.end();
        background_ = std::make_unique<Background>(std::move(wanted));
    }
    std::copy_n(background_->image.constBits(), bitmap.sizeInBytes(), bitmap.bits());
    return true;
}

void TDrawObj::paintBackground() {
    if (Circle1.Visible)
        drawCircleSlot(Circle1);
    if (Line1.Visible) {
        drawLineSlot(Line1);
        if (ShowCompass)
            drawCompassWords(Line1, "North", "South", true);
    }
    if (Line2.Visible) {
        drawLineSlot(Line2);
        if (ShowCompass)
            drawCompassWords(Line2, "East", "West", false);
    }
}

void TDrawObj::redrawThen(const std::function<void()> &finish) {
    CalcProjection();
    if (!Image)
        return;
    if (!sizeBitmap())
        return;
    const bool backgroundPut = putBackground();
    PaintScope scope(*this);
    if (!painter_)
        return;
    if (!backgroundPut)
        paintBackground();
    for (const TLineSlot *line : {&Line3, &Line6, &Line4, &Line7, &Line5, &Line8, &Line9, &Line10})
        if (line->Visible)
            drawLineSlot(*line);
    if (Circle2.Visible)
        drawCircleSlot(Circle2);
    if (SunZ > 0)
        drawSunDisc();
    if (finish)
        finish();
}

void TDrawObj::DrawLine3D(std::uint32_t color, double X1, double Y1, double Z1, double X2, double Y2,
                          double Z2) {
    PaintScope scope(*this);
    if (!painter_)
        return;
    drawPixelLine(color, projectedColumn(X1, Y1, Z1), projectedRow(X1, Y1, Z1), projectedColumn(X2, Y2, Z2),
                  projectedRow(X2, Y2, Z2));
}

void TDrawObj::drawLineSlot(const TLineSlot &line) {
    DrawLine3D(line.Color, line.P1X, line.P1Y, line.P1Z, line.P2X, line.P2Y, line.P2Z);
}

QRectF TDrawObj::clipRect() const {
    const QSizeF size = Image->bitmap().deviceIndependentSize();
    return QRectF(-kClipMargin, -kClipMargin, size.width() + 2 * kClipMargin, size.height() + 2 * kClipMargin);
}

void TDrawObj::drawPixelLine(std::uint32_t color, double x1, double y1, double x2, double y2) {
    if (std::isnan(x1) || std::isnan(y1) || std::isnan(x2) || std::isnan(y2))
        return;
    QPointF a(heldToIntRange(x1), heldToIntRange(y1));
    QPointF b(heldToIntRange(x2), heldToIntRange(y2));
    const QRectF inside = clipRect();
    if ((!inside.contains(a) || !inside.contains(b)) && !clipToRect(a, b, inside))
        return;
    painter_->setPen(linePen(color));
    painter_->drawLine(QLineF(a, b));
}

void TDrawObj::DrawCircle3D(bool UpperOnly, double CX, double CY, double CZ, double Radius, double Tilt,
                            std::uint32_t color) {
    PaintScope scope(*this);
    if (!painter_)
        return;
    constexpr int kSteps = 360;
    constexpr double kStep = DegToRad(1);
    static_assert(kStep == 0.017453292519943295);
    struct Point {
        double column, row, z;
    };
    Point points[kSteps + 1];
    const double sinTilt = std::sin(Tilt), cosTilt = std::cos(Tilt);
    for (int i = 0; i <= kSteps; ++i) {
        const double t = i * kStep;
        double x = Radius * std::sin(t);
        const double y = Radius * std::cos(t);
        double z = 0;
        if (Tilt != 0) {
            z = x * sinTilt;
            x = x * cosTilt;
        }
        points[i] = {projectedColumn(CX + x, CY + y, CZ + z), projectedRow(CX + x, CY + y, CZ + z), CZ + z};
    }

    // Runs of drawable segments inside the bitmap go out as one polyline each; segments reaching
    // far outside are cut one by one.
    const QRectF inside = clipRect();
    auto within = [&inside](const Point &p) { return inside.contains(QPointF(p.column, p.row)); };
    QVarLengthArray<QPoint, kSteps + 1> run;
    auto flush = [this, &run, color] {
        if (run.size() >= 2) {
            painter_->setPen(linePen(color));
            painter_->drawPolyline(run.constData(), int(run.size()));
        }
        run.clear();
    };
    for (int i = 0; i < kSteps; ++i) {
        const Point &a = points[i];
        const Point &b = points[i + 1];
        if (UpperOnly && !(a.z >= 0 && b.z >= 0)) {
            flush();
            continue;
        }
        if (within(a) && within(b)) {  // false for NaN
            if (run.isEmpty())
                run.append(QPoint(int(a.column), int(a.row)));
            run.append(QPoint(int(b.column), int(b.row)));
        } else {
            flush();
            drawPixelLine(color, a.column, a.row, b.column, b.row);
        }
    }
    flush();
}

void TDrawObj::drawCircleSlot(const TCircleSlot &circle) {
    DrawCircle3D(circle.UpperOnly, circle.CX, circle.CY, circle.CZ, circle.Radius, circle.Tilt, circle.Color);
}

void TDrawObj::drawCompassWords(const TLineSlot &line, const char *firstKey, const char *secondKey,
                                bool northSouth) {
    // North: the end at the text's top-right corner; South: bottom-left;
    // East: bottom-right; West: top-left.
    const Qt::Alignment firstCorner = northSouth ? (Qt::AlignRight | Qt::AlignTop) : (Qt::AlignRight | Qt::AlignBottom);
    const Qt::Alignment secondCorner = northSouth ? (Qt::AlignLeft | Qt::AlignBottom) : (Qt::AlignLeft | Qt::AlignTop);
    writeText(lang_.GetText(QLatin1String(firstKey)), ProjectX(line.P1X, line.P1Y, line.P1Z),
              ProjectY(line.P1X, line.P1Y, line.P1Z), DrawColor::Green, firstCorner);
    writeText(lang_.GetText(QLatin1String(secondKey)), ProjectX(line.P2X, line.P2Y, line.P2Z),
              ProjectY(line.P2X, line.P2Y, line.P2Z), DrawColor::Green, secondCorner);
}

void TDrawObj::drawSunDisc() {
    const double column = projectedColumn(SunX, SunY, SunZ);
    const double row = projectedRow(SunX, SunY, SunZ);
    const QRectF inside = clipRect();
    if (!inside.contains(QPointF(column, row)))  // also NaN
        return;
    const int x = int(column), y = int(row);
    painter_->setPen(linePen(DrawColor::Yellow));
    painter_->setBrush(QBrush(Qt::black, Qt::SolidPattern));
    painter_->drawEllipse(QRect(x - 5, y - 5, 10, 10));
}

void TDrawObj::writeText(const QString &text, std::int64_t x, std::int64_t y, std::uint32_t color,
                         Qt::Alignment corner) {
    const QFontMetrics metrics = painter_->fontMetrics();
    const std::int64_t w = metrics.horizontalAdvance(text);
    const std::int64_t h = metrics.height();
    if (corner & Qt::AlignRight)
        x -= w;
    if (corner & Qt::AlignBottom)
        y -= h;
    const QSizeF bitmap = Image->bitmap().deviceIndependentSize();
    if (w <= 0 || x >= bitmap.width() || y >= bitmap.height() || x + w <= 0 || y + h <= 0)
        return;  // nothing of the cell on the bitmap
    const QRect cell{int(x), int(y), int(w), int(h)};
    painter_->fillRect(cell, Qt::black);
    painter_->setPen(DrawColor::toQColor(color));
    painter_->drawText(QPoint(cell.x(), cell.y() + metrics.ascent()), text);
}

double Dist3D(double X1, double Y1, double Z1, double X2, double Y2, double Z2) {
    const double dx = X1 - X2, dy = Y1 - Y2, dz = Z1 - Z2;
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}
