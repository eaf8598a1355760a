// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QWidget>
#include <memory>

namespace Ui { class PanelStep0; }

// The introduction: 25 lines of text and a grey-scale illustration; nothing to operate.
class PanelStep0 : public QWidget {
    Q_OBJECT
public:
    explicit PanelStep0(QWidget *parent = nullptr);
    ~PanelStep0() override;

protected:
    // The page shows no mark of its focus (no ring, no frame, no caret): taking or losing the
    // focus, as it does when the window is activated, changes no pixel and repaints nothing.
    void focusInEvent(QFocusEvent *) override {}
    void focusOutEvent(QFocusEvent *) override {}

private:
    std::unique_ptr<Ui::PanelStep0> ui;
};
