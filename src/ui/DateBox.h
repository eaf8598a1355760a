// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QDate>
#include <QLineEdit>
#include <optional>

class QCalendarWidget;
class QLocale;

// A box for a calendar date: typed by hand in any form TypedInput::calendarDate reads (21.06.2026,
// 21/06/2026, 2026-06-21 ...), or picked in a calendar that drops down from the button at its
// right end (or with Alt+Down or F4). It shows a date in its display format; what the user typed
// stays as typed until the owner reads typedDate() and shows the date it settled on. A day picked
// in the calendar is shown at once, before the calendar's clicked signal reaches the owner.
//
// The calendar drops down inside the box's window, over the controls below the box (or above it
// where the window has no room below), not as a separate pop-up window: so a screen reader finds it
// among the window's controls. Escape or the focus moving elsewhere closes it.
class DateBox : public QLineEdit {
    Q_OBJECT
public:
    explicit DateBox(QWidget *parent = nullptr);

    // A format of QDate::toString; "dd/MM/yyyy" until set.
    void setDisplayFormat(const QString &format) { format_ = format; }
    QString displayFormat() const { return format_; }
    // Shows the date in the display format and selects it in the calendar.
    void setDate(QDate date);
    // The date last shown by setDate or picked in the calendar.
    QDate date() const { return date_; }
    // The date the text stands for now, or nothing when the box does not take it.
    std::optional<QDate> typedDate() const;

    QCalendarWidget *calendarWidget() const { return calendar_; }
    // The month and day names and the first day of the week of the calendar.
    void setCalendarLocale(const QLocale &locale);
    void showCalendar();
    // What a screen reader calls the drop button and the calendar (the language's words).
    void setAccessibleNames(const QString &dropButton, const QString &calendar);
    QWidget *dropButton() const { return dropButton_; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void pick(QDate date);
    void hideCalendar();
    void closeCalendar();

    QCalendarWidget *calendar_;
    QWidget *dropButton_ = nullptr;
    QString format_ = QStringLiteral("dd/MM/yyyy");
    QDate date_;
};
