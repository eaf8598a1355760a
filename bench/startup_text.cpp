// SPDX-License-Identifier: GPL-3.0-or-later
// The second yardstick of bench/startup.sh: a Qt program that paints only the texts of Gnomora's
// two first windows, in the same face and hinting, and ends after both are painted: the start
// window's welcome lines and button, the introduction's 25 lines at 16 pixels, the seven step
// buttons' three bold lines each (yellow on black), and a grey rectangle where the introduction's
// picture is. What Gnomora costs beyond this is the cost of its own work, not of showing text.
#include "ui/WindowFont.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>
#include <QWidget>
#include <cstdlib>

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
        painter.setPen(QColor(255, 255, 0));
        for (int i = 0; i < lines_.size(); ++i)
            painter.drawText(QRect(10, 10 + 15 * i, width(), 17), Qt::AlignLeft | Qt::AlignTop, lines_[i]);
    }

private:
    QStringList lines_;
};

class QuitAfterBothPaint : public QObject {
public:
    QuitAfterBothPaint(QWidget *first, QWidget *second) : pending_{first, second} {}

protected:
    bool eventFilter(QObject *receiver, QEvent *event) override {
        if (event->type() == QEvent::Paint && receiver->isWidgetType() &&
            pending_.removeOne(static_cast<QWidget *>(receiver)->window()) && pending_.isEmpty())
            QTimer::singleShot(0, qApp, [] { std::_Exit(0); });
        return false;
    }

private:
    QList<QWidget *> pending_;
};

// Texts of the length the shipped Polish file has.
QString line(const char *words, int number) { return QString::fromUtf8(words) + QString::number(number); }

}  // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QApplication::setFont(windowFont(13));

    QWidget start;
    start.setWindowTitle(QString::fromUtf8("Gnomora – mierzymy Ziemię"));
    start.resize(426, 209);
    auto *welcome = new QTextEdit(&start);
    welcome->setGeometry(8, 8, 410, 160);
    QStringList welcomeLines;
    for (int i = 0; i < 7; ++i)
        welcomeLines << line("Razem z inną szkołą zmierzycie obwód Ziemi, wiersz ", i);
    welcome->setPlainText(welcomeLines.join(u'\n'));
    (new QPushButton(QStringLiteral("Start"), &start))->setGeometry(312, 180, 99, 25);

    QWidget main;
    main.setWindowTitle(QString::fromUtf8("Gnomora – mierzymy obwód Ziemi jak Eratostenes"));
    main.resize(985, 692);
    const QFont introFont = windowFont(16);
    for (int i = 0; i < 25; ++i) {
        auto *label = new QLabel(line("Pomiar cienia patyka w południe, zdanie numer ", i), &main);
        label->setFont(introFont);
        label->setGeometry(32, 16 + 24 * i, i < 12 ? 470 : 680, 22);
    }
    auto *picture = new QWidget(&main);
    picture->setGeometry(504, 16, 240, 280);
    picture->setAutoFillBackground(true);
    picture->setPalette(QPalette(Qt::gray));
    for (int i = 0; i < 7; ++i)
        (new TextCell({line("Krok ", i), QString::fromUtf8("Pomiar w miejscu"), QString::fromUtf8("patyk i jego cień")},
                      &main))
            ->setGeometry(752, 98 * i, 233, 98);

    QuitAfterBothPaint quit(&start, &main);
    if (qEnvironmentVariableIsSet("GNOMORA_QUIT_AFTER_PAINT"))
        app.installEventFilter(&quit);
    start.show();
    main.show();
    return QApplication::exec();
}
