// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/DateBox.h"

#include "model/TypedInput.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QKeyEvent>
#include <QStyle>
#include <algorithm>

DateBox::DateBox(QWidget *parent) : QLineEdit(parent), calendar_(new QCalendarWidget(this)) {
    calendar_->setMinimumDate(QDate(TypedInput::MeasureYear.min, 1, 1));
    calendar_->setMaximumDate(QDate(TypedInput::MeasureYear.max, 12, 31));
    calendar_->setAutoFillBackground(true);
    calendar_->hide();
    for (QWidget *part : calendar_->findChildren<QWidget *>())
        part->installEventFilter(this);  // the calendar's parts have the focus: Escape reaches them
    calendar_->installEventFilter(this);
    // Connected first, so that the box shows the picked day before anyone else hears of it.
    connect(calendar_, &QCalendarWidget::clicked, this, &DateBox::pick);
    connect(calendar_, &QCalendarWidget::activated, this, &DateBox::pick);
    QAction *drop = addAction(style()->standardIcon(QStyle::SP_ArrowDown), QLineEdit::TrailingPosition);
    connect(drop, &QAction::triggered, this, &DateBox::showCalendar);
    for (QObject *shown : drop->associatedObjects())
        if (auto *button = qobject_cast<QAbstractButton *>(shown))
            dropButton_ = button;
    // The calendar closes when the focus goes to a control outside it.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        if (calendar_->isVisible() && now && now != calendar_ && !calendar_->isAncestorOf(now))
            hideCalendar();
    });
}

void DateBox::setDate(QDate date) {
    date_ = date;
    setText(date.toString(format_));
    if (date.isValid())
        calendar_->setSelectedDate(date);
}

std::optional<QDate> DateBox::typedDate() const {
    // The date as the box shows it counts whatever separator the display format uses.
    if (date_.isValid() && text() == date_.toString(format_))
        return date_;
    return TypedInput::calendarDate(text());
}

void DateBox::setCalendarLocale(const QLocale &locale) {
    calendar_->setLocale(locale);
    calendar_->setFirstDayOfWeek(locale.firstDayOfWeek());
}

void DateBox::setAccessibleNames(const QString &dropButton, const QString &calendar) {
    if (dropButton_) {
        dropButton_->setAccessibleName(dropButton);
        dropButton_->setToolTip(dropButton);
    }
    calendar_->setAccessibleName(calendar);
}

void DateBox::showCalendar() {
    if (const std::optional<QDate> typed = typedDate())
        calendar_->setSelectedDate(*typed);
    QWidget *host = window();
    calendar_->setParent(host);  // over the window's controls, as a control of the window
    calendar_->adjustSize();
    const QSize size = calendar_->sizeHint();
    QPoint at = mapTo(host, QPoint(0, height()));
    if (at.y() + size.height() > host->height())
        at.setY(std::max(0, mapTo(host, QPoint()).y() - size.height()));
    at.setX(std::clamp(at.x(), 0, std::max(0, host->width() - size.width())));
    calendar_->setGeometry(QRect(at, size));
    calendar_->raise();
    calendar_->show();
    calendar_->setFocus(Qt::PopupFocusReason);
}

void DateBox::hideCalendar() {
    calendar_->hide();
    calendar_->setParent(this);  // the box's own again, going with it
}

void DateBox::closeCalendar() {
    hideCalendar();
    setFocus(Qt::PopupFocusReason);
}

void DateBox::pick(QDate date) {
    closeCalendar();
    setDate(date);
}

bool DateBox::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::KeyPress && watched->isWidgetType() &&
        (watched == calendar_ || calendar_->isAncestorOf(static_cast<QWidget *>(watched))) &&
        static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        closeCalendar();
        return true;
    }
    return QLineEdit::eventFilter(watched, event);
}

void DateBox::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_F4 || (event->key() == Qt::Key_Down && (event->modifiers() & Qt::AltModifier))) {
        showCalendar();
        return;
    }
    QLineEdit::keyPressEvent(event);
}
