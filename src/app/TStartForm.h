// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "platform/Clock.h"
#include "platform/Locale.h"
#include "ui/AppObjects.h"

#include <QWidget>
#include <memory>

namespace Ui { class StartForm; }
class Prompter;
class TMainForm;
class QCheckBox;

// The small window that opens first and stays open for the whole run: a welcome text and the
// button that opens the main window. It owns the shared objects: it creates them on its first
// showing, in an order where each uses the ones before it, and frees them when it is closed,
// which ends the program.
class TStartForm : public QWidget {
    Q_OBJECT
public:
    TStartForm(Prompter &prompter, Locale locale = Locale::system(), Clock clock = systemClock());
    ~TStartForm() override;

    // The main window must exist before the first showing (the language object writes into it).
    void setMainForm(TMainForm *mainForm);
    AppObjects &objects() { return objects_; }

    // Creates the shared objects on the first call, then (every time) applies the texts.
    void FormShow();
    void btnStartEnterClick();
    // Saves the configuration if asked to, then frees the shared objects in their order.
    void FormCloseQuery();
    // The main window has been closed: the choice to save the settings is offered from now on.
    void offerSaveConfig();

    QCheckBox *saveConfigBox() const;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void createSharedObjects();

    std::unique_ptr<Ui::StartForm> ui;
    Prompter &prompter_;
    Locale locale_;
    Clock clock_;
    TMainForm *mainForm_ = nullptr;
    AppObjects objects_;
};
