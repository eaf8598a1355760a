// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/EnterKeys.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace {

const char *const AcceptButton = "acceptButton";

class EnterKeys : public QObject {
public:
    explicit EnterKeys(QWidget *panel) : QObject(panel), panel_(panel) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) ||
            (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return false;
        QPushButton *button = buttonFor(watched);
        if (!button || !button->isVisible() || !button->isEnabled())
            return false;
        if (!key->isAutoRepeat())  // holding the key down presses once
            button->click();
        return true;
    }

private:
    QPushButton *buttonFor(QObject *watched) const {
        if (auto *button = qobject_cast<QPushButton *>(watched))
            return button;
        const QString name = watched->property(AcceptButton).toString();
        return name.isEmpty() ? nullptr : panel_->findChild<QPushButton *>(name);
    }

    QWidget *panel_;
};

}  // namespace

void installEnterKeys(QWidget *panel) {
    auto *keys = new EnterKeys(panel);
    for (QWidget *w : panel->findChildren<QWidget *>()) {
        const bool box = qobject_cast<QLineEdit *>(w) || qobject_cast<QComboBox *>(w);
        if (qobject_cast<QPushButton *>(w) || (box && w->property(AcceptButton).isValid()))
            w->installEventFilter(keys);
    }
}
