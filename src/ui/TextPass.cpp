// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TextPass.h"

#include "lang/TLang.h"
#include "ui/LabelFit.h"

#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

namespace {

const char *const SizePending = "sizePending";

bool keepsOwnText(const QWidget *w) { return w->property("tag").toInt() & 1; }

// The key of a control's text: its own name, or the shared key of its dynamic property "textKey"
// (a unit or mark that stands beside several boxes).
QString textKeyOf(const QWidget *w) {
    const QString shared = w->property("textKey").toString();
    return shared.isEmpty() ? w->objectName() : shared;
}

// The accessible name of a control that shows no text of its own: the language text of its
// dynamic property "accessibleKey", its placeholders %1, %2 ... filled from "accessibleArgs"
// (comma-separated).
void applyAccessibleName(QWidget *w, TLang &lang) {
    const QString key = w->property("accessibleKey").toString();
    if (key.isEmpty())
        return;
    QStringList args;
    for (const QString &arg : w->property("accessibleArgs").toString().split(u',', Qt::SkipEmptyParts))
        args << arg.trimmed();
    w->setAccessibleName(lang.GetText(key, args));
}

}  // namespace

void applyTexts(QWidget *root, TLang &lang) {
    for (QWidget *w : root->findChildren<QWidget *>()) {
        applyAccessibleName(w, lang);
        if (w->objectName().isEmpty() || keepsOwnText(w))
            continue;
        if (auto *label = qobject_cast<QLabel *>(w)) {
            label->setText(lang.GetText(textKeyOf(label)));
            // A label fits itself to its text; on a panel not shown that waits until it is shown.
            if (label->property("autoSize").toBool()) {
                if (label->isVisible())
                    fitLabelToText(label);
                else
                    label->setProperty(SizePending, true);
            }
        } else if (auto *button = qobject_cast<QPushButton *>(w)) {
            button->setText(lang.GetText(textKeyOf(button)));
        } else if (auto *tabs = qobject_cast<QTabWidget *>(w)) {
            // The tab bar takes the keyboard focus; it is named as the page control.
            if (QTabBar *bar = tabs->findChild<QTabBar *>())
                bar->setAccessibleName(tabs->accessibleName());
        } else if (w->parentWidget() && w->parentWidget()->parentWidget()) {
            // A tab sheet: a page of a tab widget's page stack.
            auto *tabs = qobject_cast<QTabWidget *>(w->parentWidget()->parentWidget());
            if (tabs && tabs->indexOf(w) >= 0)
                tabs->setTabText(tabs->indexOf(w), lang.GetText(w->objectName()));
        }
    }
}

void fitPendingLabels(QWidget *panel) {
    for (QLabel *label : panel->findChildren<QLabel *>()) {
        if (label->property(SizePending).toBool()) {
            fitLabelToText(label);
            label->setProperty(SizePending, false);
        }
    }
}
