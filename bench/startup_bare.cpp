// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick of bench/startup.sh: a bare Qt Widgets program that shows one window (a label and
// a button) and ends after its first paint. Gnomora's start-up to both windows painted is
// measured against it, as whole processes.
//   --standard-icon   also gives the button the style's "apply" icon (as Gnomora's start button
//                     has), to show what that icon costs on its own.
//   --families A,B    sets the window's font families, as Gnomora's windows ask for Tahoma and
//                     MS Sans Serif before DejaVu Sans, to show what matching absent fonts costs.
#include <QApplication>
#include <QEvent>
#include <QFont>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>
#include <cstdlib>

namespace {

class QuitAfterPaint : public QObject {
protected:
    bool eventFilter(QObject *receiver, QEvent *event) override {
        if (event->type() == QEvent::Paint && !done_ && receiver->isWidgetType()) {
            done_ = true;
            QTimer::singleShot(0, qApp, [] { std::_Exit(0); });  // as Gnomora ends when measured
        }
        return false;
    }

private:
    bool done_ = false;
};

}  // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("bare"));
    const QStringList arguments = QCoreApplication::arguments();
    const qsizetype families = arguments.indexOf(QStringLiteral("--families"));
    if (families > 0 && families + 1 < arguments.size()) {
        QFont font = window.font();
        font.setFamilies(arguments[families + 1].split(u','));
        font.setPointSize(8);
        window.setFont(font);
    }
    auto *layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel(QStringLiteral("A bare Qt window")));
    auto *button = new QPushButton(QStringLiteral("Start"));
    if (arguments.contains(QStringLiteral("--standard-icon")))
        button->setIcon(window.style()->standardIcon(QStyle::SP_DialogApplyButton));
    layout->addWidget(button);
    window.resize(426, 209);
    QuitAfterPaint quit;
    if (qEnvironmentVariableIsSet("GNOMORA_QUIT_AFTER_PAINT"))
        app.installEventFilter(&quit);
    window.show();
    return QApplication::exec();
}
