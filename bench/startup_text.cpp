// SPDX-License-Identifier: GPL-3.0-or-later
// The second yardstick of bench/startup.sh: a Qt program that paints only the texts of Gnomora's
// two first windows, in the same face and hinting, and ends when both are painted and idle: the start
// window's welcome lines and button, the introduction's 25 lines at 16 pixels, the seven step
// buttons' three bold lines each (yellow with a black outline, drawn the cheapest way we know: the
// black text once, placed eight times), and a grey rectangle where the introduction's picture is.
// The texts are those of the Polish language file. What Gnomora costs
// beyond this is the cost of its own work, not of showing text.
#include "startup_idle.h"
#include "startup_texts.h"
#include "ui/WindowFont.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTextEdit>
#include <QWidget>
#include <memory>

namespace {

// Three bold lines on a black cell, as a step button shows them.
class TextCell : public QWidget {
public:
    TextCell(const QStringList &lines, QWidget *parent) : QWidget(parent), lines_(lines) {}

protected:
    void paintEvent(QPaintEvent *) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::black);
        static const QFont font = windowFont(14, true);
        painter.setFont(font);
        for (int i = 0; i < lines_.size(); ++i) {
            const QRect box(10, 10 + 15 * i, width(), 17);
            const QRect area = box.adjusted(-2, -2, 2, 2);
            QImage outline(area.size(), QImage::Format_ARGB32_Premultiplied);
            outline.fill(Qt::transparent);
            QPainter outlinePainter(&outline);
            outlinePainter.setFont(font);
            outlinePainter.setPen(Qt::black);
            outlinePainter.drawText(box.translated(-area.topLeft()), Qt::AlignLeft | Qt::AlignTop, lines_[i]);
            outlinePainter.end();
            for (int dx = -1; dx <= 1; ++dx)
                for (int dy = -1; dy <= 1; ++dy)
                    if (dx || dy)
                        painter.drawImage(area.topLeft() + QPoint(dx, dy), outline);
            painter.setPen(QColor(255, 255, 0));
            painter.drawText(box, Qt::AlignLeft | Qt::AlignTop, lines_[i]);
        }
    }

private:
    QStringList lines_;
};

}  // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QApplication::setFont(windowFont(13));

    auto text = [](const QString &key) { return polishTexts().value(key); };

    QWidget start;
    start.setWindowTitle(text(QStringLiteral("StartForm")));
    start.resize(426, 209);
    auto *welcome = new QTextEdit(&start);
    welcome->setGeometry(8, 8, 410, 160);
    QStringList welcomeLines;
    for (int i = 0; i < 7; ++i)
        welcomeLines << text(QStringLiteral("edStartText_0%1").arg(i));
    welcome->setPlainText(welcomeLines.join(u'\n'));
    (new QPushButton(text(QStringLiteral("btnStartEnter")), &start))->setGeometry(312, 180, 99, 25);

    QWidget main;
    main.setWindowTitle(text(QStringLiteral("MainForm")));
    main.resize(985, 692);
    const QFont introFont = windowFont(16);
    for (int i = 0; i < 25; ++i) {
        const int number = i < 19 ? i + 1 : i + 2;  // the introduction has no line 20
        auto *label = new QLabel(text(QStringLiteral("labDescr%1").arg(number)), &main);
        label->setFont(introFont);
        label->setGeometry(32, 16 + 24 * i, i < 12 ? 470 : 680, 22);
    }
    auto *picture = new QWidget(&main);
    picture->setGeometry(504, 16, 240, 280);
    picture->setAutoFillBackground(true);
    picture->setPalette(QPalette(Qt::gray));
    int row = 0;
    for (const char *button : {"imgStep0", "imgStep1", "imgStep2", "imgStep3", "imgStep4", "imgStep5", "imgTech"}) {
        QStringList lines;
        for (int line = 0; line < 3; ++line)
            lines << text(QStringLiteral("%1_0%2").arg(QLatin1String(button)).arg(line));
        (new TextCell(lines, &main))->setGeometry(752, 98 * row++, 233, 98);
    }

    std::unique_ptr<QuitWhenIdle> quit;
    if (qEnvironmentVariableIsSet("GNOMORA_QUIT_WHEN_IDLE"))
        quit = std::make_unique<QuitWhenIdle>(QList<QWidget *>{&start, &main});
    start.show();
    main.show();
    return QApplication::exec();
}
