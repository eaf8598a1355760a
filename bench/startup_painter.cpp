// SPDX-License-Identifier: GPL-3.0-or-later
// The third yardstick of bench/startup.sh, the floor: Gnomora's two first windows painted with a
// QPainter alone, no widget inside either window. The start window: its background, the welcome
// text's sunken frame and white field with its seven lines, the start button's face with its check
// mark and word. The main window: the introduction's 25 lines at 16 pixels, a grey rectangle where
// its picture is, and the seven step buttons' three bold yellow lines with their black outline
// (the black text once, placed eight times). Same face and hinting, the texts of the Polish
// language file. What a program showing these pixels must spend, with no control of any kind.
#include "startup_idle.h"
#include "startup_texts.h"
#include "ui/WindowFont.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QWidget>
#include <memory>
#include <functional>

namespace {

QString text(const char *key) { return polishTexts().value(QLatin1String(key)); }

// A window whose whole content is what `paint` draws.
class PaintedWindow : public QWidget {
public:
    explicit PaintedWindow(std::function<void(QPainter &, const QWidget &)> paint) : paint_(std::move(paint)) {}

protected:
    void paintEvent(QPaintEvent *) override {
        QPainter painter(this);
        paint_(painter, *this);
    }

private:
    std::function<void(QPainter &, const QWidget &)> paint_;
};

void paintStartWindow(QPainter &painter, const QWidget &window) {
    const QPalette &palette = window.palette();
    painter.fillRect(window.rect(), palette.window());
    // The welcome text: a sunken frame around a white field, seven lines inside it.
    const QRect field(24, 16, 381, 121);
    painter.setPen(palette.dark().color());
    painter.drawRect(field.adjusted(0, 0, -1, -1));
    painter.fillRect(field.adjusted(1, 1, -1, -1), palette.base());
    painter.setPen(palette.text().color());
    painter.setFont(window.font());
    const int lineHeight = painter.fontMetrics().lineSpacing();
    for (int i = 0; i < 7; ++i)
        painter.drawText(QPoint(field.left() + 5, field.top() + 4 + painter.fontMetrics().ascent() + i * lineHeight),
                         text(QByteArray("edStartText_0").append(char('0' + i)).constData()));
    // The start button: a raised face, a check mark and its word.
    const QRect button(312, 176, 99, 25);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(palette.dark().color());
    painter.setBrush(palette.button());
    painter.drawRoundedRect(QRectF(button).adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
    painter.setPen(QPen(QColor(0, 128, 0), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const QPointF mark = button.topLeft() + QPointF(26, 5);
    painter.drawPolyline(QPolygonF({mark + QPointF(2.5, 8.5), mark + QPointF(6.5, 12.5), mark + QPointF(13.5, 3.5)}));
    painter.setPen(palette.buttonText().color());
    painter.drawText(button.adjusted(20, 0, 0, 0), Qt::AlignCenter, text("btnStartEnter"));
}

// Three bold lines on a black cell, as a step button shows them.
void paintStepButton(QPainter &painter, const QRect &cell, const QStringList &lines) {
    painter.fillRect(cell, Qt::black);
    static const QFont font = windowFont(14, true);
    painter.setFont(font);
    for (int i = 0; i < lines.size(); ++i) {
        const QRect box(cell.left() + 10, cell.top() + 10 + 15 * i, cell.width(), 17);
        const QRect area = box.adjusted(-2, -2, 2, 2);
        QImage outline(area.size(), QImage::Format_ARGB32_Premultiplied);
        outline.fill(Qt::transparent);
        QPainter outlinePainter(&outline);
        outlinePainter.setFont(font);
        outlinePainter.setPen(Qt::black);
        outlinePainter.drawText(box.translated(-area.topLeft()), Qt::AlignLeft | Qt::AlignTop, lines[i]);
        outlinePainter.end();
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy)
                if (dx || dy)
                    painter.drawImage(area.topLeft() + QPoint(dx, dy), outline);
        painter.setPen(QColor(255, 255, 0));
        painter.drawText(box, Qt::AlignLeft | Qt::AlignTop, lines[i]);
    }
}

void paintMainWindow(QPainter &painter, const QWidget &window) {
    painter.fillRect(window.rect(), window.palette().window());
    static const QFont introFont = windowFont(16);
    painter.setFont(introFont);
    painter.setPen(window.palette().windowText().color());
    for (int i = 0; i < 25; ++i) {
        const int number = i < 19 ? i + 1 : i + 2;  // the introduction has no line 20
        painter.drawText(QRect(32, 16 + 24 * i, i < 12 ? 470 : 680, 22), Qt::AlignLeft | Qt::AlignVCenter,
                         polishTexts().value(QStringLiteral("labDescr%1").arg(number)));
    }
    painter.fillRect(QRect(504, 16, 240, 280), Qt::gray);
    int row = 0;
    for (const char *button : {"imgStep0", "imgStep1", "imgStep2", "imgStep3", "imgStep4", "imgStep5", "imgTech"}) {
        QStringList lines;
        for (int line = 0; line < 3; ++line)
            lines << polishTexts().value(QStringLiteral("%1_0%2").arg(QLatin1String(button)).arg(line));
        paintStepButton(painter, QRect(752, 98 * row++, 233, 98), lines);
    }
}

}  // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QApplication::setFont(windowFont(13));

    PaintedWindow start(paintStartWindow);
    start.setWindowTitle(text("StartForm"));
    start.resize(426, 209);
    PaintedWindow main(paintMainWindow);
    main.setWindowTitle(text("MainForm"));
    main.resize(985, 692);

    std::unique_ptr<QuitWhenIdle> quit;
    if (qEnvironmentVariableIsSet("GNOMORA_QUIT_WHEN_IDLE"))
        quit = std::make_unique<QuitWhenIdle>(QList<QWidget *>{&start, &main});
    start.show();
    main.show();
    return QApplication::exec();
}
