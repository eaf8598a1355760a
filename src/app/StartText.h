// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QFrame>
#include <QTextDocument>

// The start window's welcome text: plain lines in a sunken frame on the text background, wrapped
// at the frame's width, that nobody edits, selects or scrolls. It shows the pixels a disabled,
// read-only text box with a document margin of 3 and no scroll bar shows, without the box's
// editing machinery (its viewport, scroll bars and text control), which costs more start-up time
// than the rest of the start window. A screen reader sees read-only static text with these lines
// and reads them through its text interface.
class StartText : public QFrame {
    Q_OBJECT
public:
    explicit StartText(QWidget *parent = nullptr);

    void setPlainText(const QString &text);
    QString toPlainText() const { return document_.toPlainText(); }
    // The text laid out at the field's width, as it is painted.
    const QTextDocument &laidOutDocument() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    mutable QTextDocument document_;
};
