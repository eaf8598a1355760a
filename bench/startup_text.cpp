// SPDX-License-Identifier: GPL-3.0-or-later
// The second yardstick of bench/startup.sh: a Qt program that paints only the texts of Gnomora's
// two first windows, in the same face and hinting, and ends after both are painted: the start
// window's welcome lines and button, the introduction's 25 lines at 16 pixels, the seven step
// buttons' three bold lines each (yellow with a black outline, drawn the cheapest way we know: the
// black text once, placed eight times), and a grey rectangle where the introduction's picture is.
// The texts are those of the Polish language file. What Gnomora costs
// beyond this is the cost of its own work, not of showing text.
#include "ui/WindowFont.h"

#include <QApplication>
#include <QEvent>
#include <QHash>
#include <QImage>
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

// The texts of the Polish language file (data/Gnomo_Language_0.ini), written in: reading and
// decoding a file is the program's work, not the floor's.
const QHash<QString, QString> &polishTexts() {
    static const QHash<QString, QString> texts = [] {
        static const struct {
            const char *key;
            const char16_t *text;
        } entries[] = {
            {"StartForm", u"Gnomora – mierzymy Ziemię"},
            {"MainForm", u"Gnomora – pomiar obwodu Ziemi metodą Eratostenesa"},
            {"btnStartEnter", u"Start"},
            {"edStartText_00", u"Witajcie w programie Gnomora!"},
            {"edStartText_01", u"Razem z inną szkołą zmierzycie obwód Ziemi"},
            {"edStartText_02", u"tak jak grecki uczony Eratostenes: pionowym"},
            {"edStartText_03", u"patykiem, jego cieniem i zegarkiem."},
            {"edStartText_04", u"Program poprowadzi was krok po kroku,"},
            {"edStartText_05", u"a na końcu wydrukuje dyplomy z wynikami."},
            {"edStartText_06", u"Kliknijcie „Start”, aby rozpocząć."},
            {"labDescr1", u"Jak zmierzyć obwód Ziemi patykiem i zegarkiem?"},
            {"labDescr2", u"Ponad 2200 lat temu zrobił to grecki uczony"},
            {"labDescr3", u"Eratostenes. Dziś powtórzycie jego pomiar!"},
            {"labDescr4", u"Na czym polega ten pomiar?"},
            {"labDescr5", u"Promienie Słońca padają na Ziemię równolegle."},
            {"labDescr6", u"Ziemia jest kulą, więc w południe Słońce stoi"},
            {"labDescr7", u"tym wyżej nad horyzontem, im bliżej równika"},
            {"labDescr8", u"leży szkoła. Różnica wysokości Słońca"},
            {"labDescr9", u"w południe w dwóch szkołach to kąt między"},
            {"labDescr10", u"nimi, mierzony w środku Ziemi. Odległość szkół"},
            {"labDescr11", u"jest taką częścią obwodu Ziemi, jaką częścią"},
            {"labDescr12", u"kąta pełnego (360°) jest ten kąt."},
            {"labDescr13", u"Jak pracujecie z programem?"},
            {"labDescr14", u"Krok 1: wybierzcie dwie szkoły i wpiszcie uczniów."},
            {"labDescr15", u"Kroki 2 i 3: w każdej szkole, tego samego dnia,"},
            {"labDescr16", u"ustawcie pionowo patyk na płaskim, poziomym"},
            {"labDescr17", u"i słonecznym miejscu. Zapiszcie godzinę pomiaru,"},
            {"labDescr18", u"zmierzcie w milimetrach wysokość patyka i długość"},
            {"labDescr19", u"jego cienia. Program obliczy wysokość Słońca,"},
            {"labDescr21", u"szerokość geograficzną i wysokość Słońca w południe."},
            {"labDescr22", u"Krok 4: wpiszcie odległość między szkołami liczoną"},
            {"labDescr23", u"z północy na południe i obliczcie obwód Ziemi."},
            {"labDescr24", u"Krok 5: wydrukujcie dyplomy dla uczestników."},
            {"labDescr25", u"Im większa odległość północ–południe, tym lepszy wynik."},
            {"labDescr26", u"Mierzcie koło południa, gdy cień jest najkrótszy."},
            {"imgStep0_00", u"Wstęp"},
            {"imgStep0_01", u"Jak zmierzyć Ziemię?"},
            {"imgStep0_02", u"opis doświadczenia"},
            {"imgStep1_00", u"Krok 1"},
            {"imgStep1_01", u"Miejsca i uczniowie"},
            {"imgStep1_02", u"wybór dwóch szkół"},
            {"imgStep2_00", u"Krok 2"},
            {"imgStep2_01", u"Pomiar w miejscu 1"},
            {"imgStep2_02", u"patyk i jego cień"},
            {"imgStep3_00", u"Krok 3"},
            {"imgStep3_01", u"Pomiar w miejscu 2"},
            {"imgStep3_02", u"patyk i jego cień"},
            {"imgStep4_00", u"Krok 4"},
            {"imgStep4_01", u"Porównanie"},
            {"imgStep4_02", u"obwód Ziemi"},
            {"imgStep5_00", u"Krok 5"},
            {"imgStep5_01", u"Wydruk"},
            {"imgStep5_02", u"dyplomy z wynikami"},
            {"imgTech_00", u"Ustawienia"},
            {"imgTech_01", u"język i miejsca"},
            {"imgTech_02", u"dla nauczyciela"},
        };
        QHash<QString, QString> hash;
        for (const auto &entry : entries)
            hash.insert(QLatin1String(entry.key), QString::fromUtf16(entry.text));
        return hash;
    }();
    return texts;
}

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

    QuitAfterBothPaint quit(&start, &main);
    if (qEnvironmentVariableIsSet("GNOMORA_QUIT_AFTER_PAINT"))
        app.installEventFilter(&quit);
    start.show();
    main.show();
    return QApplication::exec();
}
