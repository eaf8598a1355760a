// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Anchors.h"

#include <QEvent>
#include <QHash>
#include <QPointer>
#include <QWidget>

namespace {

struct Anchored {
    QPointer<QWidget> widget;
    QRect design;
    bool left, top, right, bottom;
};

// Watches one parent and re-places its anchored children when it is resized.
class AnchorKeeper : public QObject {
public:
    AnchorKeeper(QWidget *parent, QSize designSize)
        : QObject(parent), parent_(parent), designSize_(designSize), placedFor_(parent->size()) {
        parent->installEventFilter(this);
    }

    void add(QWidget *child) {
        const QStringList edges = child->property("anchors").toString().split(u',', Qt::SkipEmptyParts);
        auto has = [&](const char *e) { return edges.contains(QLatin1String(e)); };
        children_.append({child, child->geometry(), has("left") || !has("right"), has("top") || !has("bottom"),
                          has("right"), has("bottom")});
        place(children_.last(), designSize_);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (watched == parent_ && event->type() == QEvent::Resize) {
            for (const Anchored &a : children_)
                place(a, placedFor_);
            placedFor_ = parent_->size();
        }
        return false;
    }

private:
    // A control that stretches takes its design size plus the parent's growth. One that only
    // moves keeps the size and place the program gave it (a label fitted to its text, a value
    // moved next to its caption) and moves by as much as the parent grew since it was placed for
    // the size "before".
    void place(const Anchored &a, QSize before) const {
        if (!a.widget)
            return;
        const int dx = parent_->width() - designSize_.width();
        const int dy = parent_->height() - designSize_.height();
        QRect r = a.widget->geometry();
        if (a.right && a.left) {
            r.setLeft(a.design.left());
            r.setWidth(qMax(0, a.design.width() + dx));
        } else if (a.right) {
            r.moveLeft(r.left() + parent_->width() - before.width());
        }
        if (a.bottom && a.top) {
            r.setTop(a.design.top());
            r.setHeight(qMax(0, a.design.height() + dy));
        } else if (a.bottom) {
            r.moveTop(r.top() + parent_->height() - before.height());
        }
        a.widget->setGeometry(r);
    }

    QWidget *parent_;
    QSize designSize_;
    QSize placedFor_;  // the parent's size the controls were last placed for
    QList<Anchored> children_;
};

}  // namespace

void installAnchors(QWidget *root) {
    QHash<QWidget *, AnchorKeeper *> keepers;
    const QList<QWidget *> widgets = root->findChildren<QWidget *>();
    for (QWidget *w : widgets) {
        if (!w->property("anchors").isValid() || !w->parentWidget())
            continue;
        QWidget *parent = w->parentWidget();
        AnchorKeeper *&keeper = keepers[parent];
        if (!keeper) {
            // Tab pages and stacked pages get their size later: take the root's design size then.
            const QSize design = parent->size().isValid() && parent->width() > 1 ? parent->size() : root->size();
            keeper = new AnchorKeeper(parent, design);
        }
        keeper->add(w);
    }
}
