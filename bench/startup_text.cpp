// SPDX-License-Identifier: GPL-3.0-or-later
// The second yardstick of bench/startup.sh: a Qt Widgets program that paints only the texts that
// Gnomora's two windows show at start, in the same face, sizes and hinting, and ends once both
// windows have been painted (when GNOMORA_QUIT_AFTER_PAINT is set). Whatever Gnomora needs beyond
// this program is its own overhead; what this program needs (the toolkit, the font database, the
// glyphs of these texts) no program showing these windows can avoid.
//
// Painted, with the texts of the Polish language file read from the working folder:
//   the start window (426 x 209): its seven lines of welcome at 13 px and the Start button;
//   the main window (985 x 692): the introduction's 25 lines at 16 px, a grey rectangle where its
//   picture is, and the seven step buttons' three bold lines each, outlined as the program draws
//   them, on their fills (the introduction's button is the current step).
#include "platform/AnsiCodec.h"
#include "ui/WindowFont.h"

#include <QApplication>
#include <QFile>
#include <QHash>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <cstdlib>

namespace {

// The language file's key=value lines (Windows-1250, CR LF).
QHash<QString, QString> readTexts(const QString &fileName) {
    QFile file(fileName);
    QHash<QString, QString> texts;
    if (!file.open(QIODevice::ReadOnly))
        return texts;
    for (const QString &line : AnsiCodec::decode(file.readAll()).split(QStringLiteral("\r\n"))) {
        const qsizetype equals = line.indexOf(u'=');
        if (equals > 0)
            texts.insert(line.left(equals), line.mid(equals + 1));
    }
    return texts;
}

class StartWindow : public QWidget {
public:
    explicit StartWindow(const QHash<QString, QString> &texts) {
        setWindowTitle(texts.value(QStringLiteral("StartForm")));
        setFont(windowFont(13));
        for (int i = 0; i < 7; ++i)
            lines_ << texts.value(QStringLiteral("edStartText_0%1").arg(i));
        auto *start = new QPushButton(texts.value(QStringLiteral("btnStartEnter")), this);
        start->setGeometry(312, 185, 99, 25);
        resize(426, 209);
    }

protected:
    void paintEvent(QPaintEvent *) override {
        QPainter painter(this);
        painter.fillRect(QRect(24, 16, 381, 121), Qt::white);
        const int spacing = fontMetrics().lineSpacing();
        for (int i = 0; i < lines_.size(); ++i)
            painter.drawText(QRect(28, 20 + i * spacing, 373, spacing), Qt::AlignLeft | Qt::AlignTop, lines_[i]);
    }

private:
    QStringList lines_;
};

class MainWindow : public QWidget {
public:
    explicit MainWindow(const QHash<QString, QString> &texts) {
        setWindowTitle(texts.value(QStringLiteral("MainForm")));
        setFont(windowFont(13));
        for (int n = 1; n <= 26; ++n)
            if (n != 20)  // the introduction has no line 20
                introduction_ << texts.value(QStringLiteral("labDescr%1").arg(n));
        for (const char *button : {"imgStep0", "imgStep1", "imgStep2", "imgStep3", "imgStep4", "imgStep5", "imgTech"})
            for (int line = 0; line < 3; ++line)
                stepLines_ << texts.value(QStringLiteral("%1_0%2").arg(QLatin1String(button)).arg(line));
        resize(985, 692);
    }

protected:
    void paintEvent(QPaintEvent *) override {
        QPainter painter(this);
        painter.setFont(windowFont(16));
        for (int i = 0; i < introduction_.size(); ++i)
            painter.drawText(QRect(32, 40 + 24 * i, 460, 20), Qt::AlignLeft | Qt::AlignVCenter, introduction_[i]);
        painter.fillRect(QRect(504, 40, 225, 314), QColor(128, 128, 128));

        painter.setFont(windowFont(14, true));
        const int left = 752, width = 233, height = 692 / 7;
        for (int button = 0; button < 7; ++button) {
            const QRect face(left, button * height, width, height);
            painter.fillRect(face, button == 0 ? QColor(34, 238, 34) : QColor(Qt::black));
            for (int line = 0; line < 3; ++line) {
                const QRect box(face.left() + 10, face.top() + 10 + 15 * line, width, 17);
                const QString &text = stepLines_[button * 3 + line];
                painter.setPen(Qt::black);
                for (int dx = -1; dx <= 1; ++dx)
                    for (int dy = -1; dy <= 1; ++dy)
                        if (dx || dy)
                            painter.drawText(box.translated(dx, dy), Qt::AlignLeft | Qt::AlignTop, text);
                painter.setPen(QColor(255, 255, 0));
                painter.drawText(box, Qt::AlignLeft | Qt::AlignTop, text);
            }
        }
    }

private:
    QStringList introduction_;
    QStringList stepLines_;
};

// Ends the process once both windows have had their first paint.
class QuitAfterPaint : public QObject {
public:
    QuitAfterPaint(QWidget *first, QWidget *second) : pending_{first, second} {}

protected:
    bool eventFilter(QObject *receiver, QEvent *event) override {
        if (event->type() == QEvent::Paint && receiver->isWidgetType() &&
            pending_.removeOne(static_cast<QWidget *>(receiver)->window()) && pending_.isEmpty())
            QTimer::singleShot(0, qApp, [] { std::_Exit(0); });  // as Gnomora ends when measured
        return false;
    }

private:
    QList<QWidget *> pending_;
};

}  // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QApplication::setFont(windowFont(13));
    const QHash<QString, QString> texts = readTexts(QStringLiteral("Gnomo_Language_0.ini"));
    StartWindow start(texts);
    MainWindow main(texts);
    QuitAfterPaint quit(&start, &main);
    if (qEnvironmentVariableIsSet("GNOMORA_QUIT_AFTER_PAINT"))
        app.installEventFilter(&quit);
    start.show();
    // The main window opens once the start window is shown, as the Start button opens it.
    QTimer::singleShot(0, &main, [&main] { main.show(); });
    return QApplication::exec();
}
