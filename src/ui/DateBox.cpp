// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/DateBox.h"

#include "model/TypedInput.h"

#include <QAction>
#include <QCalendarWidget>
#include <QKeyEvent>
#include <QStyle>

DateBox::DateBox(QWidget *parent) : QLineEdit(parent), calendar_(new QCalendarWidget(this)) {
    calendar_->setWindowFlags(Qt::Popup);
    calendar_->setMinimumDate(QDate(TypedInput::MeasureYear.min, 1, 1));
    calendar_->setMaximumDate(QDate(TypedInput::MeasureYear.max, 12, 31));
    calendar_->hide();
    // Connected first, so that the box shows the picked day before anyone else hears of it.
    connect(calendar_, &QCalendarWidget::clicked, this, &DateBox::pick);
    connect(calendar_, &QCalendarWidget::activated, this, &DateBox::pick);
    QAction *drop = addAction(style()->standardIcon(QStyle::SP_ArrowDown), QLineEdit::TrailingPosition);
    connect(drop, &QAction::triggered, this, &DateBox::showCalendar);
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

void DateBox::showCalendar() {
    if (const std::optional<QDate> typed = typedDate())
        calendar_->setSelectedDate(*typed);
    calendar_->adjustSize();
    calendar_->move(mapToGlobal(QPoint(0, height())));
    calendar_->show();
    calendar_->setFocus();
}

void DateBox::pick(QDate date) {
    calendar_->hide();
    setDate(date);
    setFocus();
}

void DateBox::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_F4 || (event->key() == Qt::Key_Down && (event->modifiers() & Qt::AltModifier))) {
        showCalendar();
        return;
    }
    QLineEdit::keyPressEvent(event);
}
