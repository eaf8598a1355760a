// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/FittedGeometry.h"
#include "ui/TMainForm.h"

#include "lang/TLang.h"
#include "model/TLogic.h"
#include "platform/Picture.h"
#include "platform/Prompter.h"
#include "session/TSession.h"
#include "store/TComm.h"
#include "ui/Anchors.h"
#include "ui/AppObjects.h"
#include "ui/EnterKeys.h"
#include "ui/FocusRing.h"
#include "ui/Guard.h"
#include "ui/IdleAfterFirstPaint.h"
#include "ui/LabelFit.h"
#include "ui/PanelStep0.h"
#include "ui/PanelStep1.h"
#include "ui/PanelStep2.h"
#include "ui/PanelStep4.h"
#include "ui/PanelStep5.h"
#include "ui/PanelTech.h"
#include "ui/PictureBox.h"
#include "ui/StepButton.h"
#include "ui/TextPass.h"
#include "ui/WindowFont.h"
#include "ui_MainForm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QScreen>
#include <QStyle>
#include <cmath>

namespace {

const QColor ActiveColor(34, 238, 34);
const QColor HoverColor(0, 0, 238);
const QColor IdleColor(0, 0, 0);
const QSize DesignSize(985, 692);   // the client area the layouts are made for
const QSize MinimumSize(600, 400);



}  // namespace

TMainForm::TMainForm(AppObjects &objects, Prompter &prompter, Printing::PrintBackEnd &printer, QWidget *parent)
    : QWidget(parent), ui(std::make_unique<Ui::MainForm>()), objects_(objects), prompter_(prompter), printer_(printer),
      guard_(objects, prompter),
      canvasStep2_(PanelStep2::ImageDesignSize, [this]() -> DrawCanvas & { return *step2().image(); }),
      canvasStep4_(PanelStep4::ImageDesignSize, [this]() -> DrawCanvas & { return *step4().image(); }) {
    ui->setupUi(this);
    setFont(windowFont(13));
    placeOnScreen(AssumedWindowFrame);
    // The first photograph would otherwise wait for the JPEG decoder to load; starting must not.
    new IdleAfterFirstPaint(this, [] { Picture::loadJpegDecoder(); });

    ui->Splitter1->setSizes({985 - 233 - 5, 233});
    ui->Splitter1->setStretchFactor(0, 1);
    ui->Splitter1->setStretchFactor(1, 0);
    ui->Panel1->setMinimumWidth(40);
    ui->Panel1->installEventFilter(this);
    stepButtons_ = {ui->imgStep0, ui->imgStep1, ui->imgStep2, ui->imgStep3, ui->imgStep4, ui->imgStep5, ui->imgTech};
    step0_ = new PanelStep0(ui->Panel3);
    adoptPanel(step0_);
    void (TMainForm::*const clicks[7])() = {&TMainForm::imgStep0Click, &TMainForm::imgStep1Click,
                                            &TMainForm::imgStep2Click, &TMainForm::imgStep3Click,
                                            &TMainForm::imgStep4Click, &TMainForm::imgStep5Click,
                                            &TMainForm::imgTechClick};
    for (int i = 0; i < 7; ++i) {
        StepButton *button = stepButtons_[i];
        // Alt+1 ... Alt+7 enter the steps from anywhere in the window; Tab reaches the buttons in
        // their column order.
        button->setShortcut(QKeySequence(Qt::ALT | Qt::Key(Qt::Key_1 + i)));
        if (i > 0)
            setTabOrder(stepButtons_[i - 1], button);
        guard_.connect(button, &StepButton::clicked, this, [this, click = clicks[i]] { (this->*click)(); });
        guard_.connect(button, &StepButton::mouseMoved, this, [this, index = i + 1] {
            objects_.Comm->HoverStep = static_cast<std::uint8_t>(index);
            RedrawStepButtons();
        });
    }
    connect(qApp, &QApplication::focusChanged, this, &TMainForm::onFocusChanged);
    new FocusRing(this);
}

TMainForm::~TMainForm() {
    // Hiding the dying window moves the focus: no focus handler may run on a half-destroyed form.
    disconnect(qApp, nullptr, this, nullptr);
}


QWidget *TMainForm::currentPanel() const { return ui->Panel3->currentWidget(); }

void TMainForm::adoptPanel(QWidget *panel) {
    panel->setFocusPolicy(Qt::StrongFocus);
    panel->setProperty("focusRing", false);  // a ring goes around the controls, not the page
    ui->Panel3->addWidget(panel);
    installAnchors(panel);
    installEnterKeys(panel);
    applyPanelTexts(panel);
    namePanels();
}

void TMainForm::placeOnScreen(QMargins frame) {
    const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen) {
        resize(DesignSize);
        return;
    }
    const QRect fitted = fittedGeometry(DesignSize, frame, screen->availableGeometry(),
                                        ui->Panel3Scroll->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 2);
    setMinimumSize(MinimumSize.boundedTo(fitted.size()));
    resize(fitted.size());
    // The frame's corner: window managers place that corner where a program asks, whatever they
    // do with a position asked for the client area.
    move(fitted.topLeft() - QPoint(frame.left(), frame.top()));
}

template <typename Panel, typename Make>
bool TMainForm::buildOnce(Panel *&slot, Make make) {
    if (slot)
        return false;
    slot = make(ui->Panel3);
    adoptPanel(slot);
    return true;
}

template <typename Panel>
void TMainForm::connectPicture(Panel &panel, DeferredCanvas &canvas) {
    canvas.attach(*panel.image());
    guard_.connect(panel.image(), &PictureBox::needsRepaint, this, [&panel] { panel.DrawPicture(); });
}

PanelStep1 &TMainForm::step1() {
    AppObjects &o = objects_;
    if (buildOnce(step1_, [&](QWidget *page) {
            return new PanelStep1(*o.Lang, *o.Logic, *o.Session, *o.Comm, *this, prompter_, guard_, Closing, page);
        })) {
        views_.adopt(*step1_, o.Session.get());
        // The names and photographs of a kept lesson; none in a new run.
        step1_->restorePersons(*o.Session);
        step1_->showChosenPlaces();
    }
    return *step1_;
}

PanelStep2 &TMainForm::step2() {
    AppObjects &o = objects_;
    if (buildOnce(step2_, [&](QWidget *page) {
            return new PanelStep2(*o.Lang, *o.Logic, *o.Session, *o.Comm, *o.DrawStep2, o.CurrHei, *this, prompter_, guard_, page);
        }))
    {
        connectPicture(*step2_, canvasStep2_);
        step2_->setPlaceChooser([this](int place, const QString &name, std::optional<int> noonH,
                                       std::optional<int> noonM) { choosePlace(place, name, noonH, noonM); });
    }
    return *step2_;
}

PanelStep4 &TMainForm::step4() {
    AppObjects &o = objects_;
    if (buildOnce(step4_, [&](QWidget *page) {
            return new PanelStep4(*o.Lang, *o.Logic, *o.Session, *o.Comm, *o.DrawStep4, *this, prompter_, guard_, page);
        }))
        connectPicture(*step4_, canvasStep4_);
    return *step4_;
}

PanelStep5 &TMainForm::step5() {
    AppObjects &o = objects_;
    if (buildOnce(step5_, [&](QWidget *page) {
            return new PanelStep5(*o.Lang, *o.Logic, *o.Session, *o.Comm, *o.DrawStep5, *this, prompter_, printer_,
                                  o.ResultSheet, guard_, page);
        }))
        step5_->setResetHandler([this] { btnResetClick(); });
    return *step5_;
}

PanelTech &TMainForm::tech() {
    AppObjects &o = objects_;
    if (buildOnce(tech_, [&](QWidget *page) {
            return new PanelTech(*o.Lang, *o.Logic, *o.Comm, views_, prompter_, guard_, page);
        }))
        views_.adopt(*tech_);
    return *tech_;
}

void TMainForm::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    // A spontaneous show is the window system restoring a minimised window: nothing was hidden
    // by the program, so nothing is refilled or reopened.
    if (!event->spontaneous())
        guard_([this] { FormShow(); });
}

void TMainForm::closeEvent(QCloseEvent *event) {
    Closing = true;  // FormCloseQuery: the close is never refused
    event->accept();
    if (closed_)
        closed_();  // FormClose
}

bool TMainForm::eventFilter(QObject *watched, QEvent *event) {
    if (watched == ui->Panel1 && event->type() == QEvent::Resize)
        guard_([this] { Panel1Resize(); });
    return QWidget::eventFilter(watched, event);
}

void TMainForm::FormShow() {
    Closing = false;
    RedrawStepButtons();
    if (step1_)
        step1_->forgetFilledPersons();
    applyWindowTexts();
    objects_.Comm->ShowPlaces(views_);
    switch (objects_.Comm->ActiveStep) {
    case 1: imgStep0Click(); break;
    case 2: imgStep1Click(); break;
    case 3: imgStep2Click(); break;
    case 4: imgStep3Click(); break;
    case 5: imgStep4Click(); break;
    case 6: imgStep5Click(); break;
    case 7: imgTechClick(); break;
    default: break;
    }
}

void TMainForm::applyWindowTexts() {
    applyPanelTexts(this);
    setWindowTitle(objects_.Lang->GetText(QStringLiteral("MainForm")));
}

void TMainForm::applyPanelTexts(QWidget *panel) {
    if (objects_.Lang)  // the introduction, built before the shared objects, gets its texts when the window shows
        applyTexts(panel, *objects_.Lang);
}

// --- Step buttons ----------------------------------------------------------------------------

void TMainForm::RedrawStepButtons() {
    for (int i = 0; i < 7; ++i)
        DrawStepButton(stepButtons_[i], i + 1);
    namePanels();
}

void TMainForm::namePanels() {
    // Each panel is named as its step button (the measurement panel as the place it shows).
    const bool place2 = objects_.Comm && objects_.Comm->ActiveStep == 4;
    const std::pair<QWidget *, int> panels[] = {{step0_, 1}, {step1_, 2}, {step2_, place2 ? 4 : 3},
                                                {step4_, 5}, {step5_, 6}, {tech_, 7}};
    for (const auto &[panel, step] : panels)
        if (panel)
            panel->setAccessibleName(stepButtons_[step - 1]->accessibleText());
}

void TMainForm::DrawStepButton(StepButton *image, int index) {
    const TComm &comm = *objects_.Comm;
    const QColor fill = index == comm.ActiveStep ? ActiveColor : index == comm.HoverStep ? HoverColor : IdleColor;
    const QString name = image->objectName();
    QStringList lines;
    for (int line = 0; line < 3; ++line)
        lines.append(objects_.Lang->GetText(name + QStringLiteral("_0") + QString::number(line)));
    image->setFace(fill, lines);
    image->setCurrent(index == comm.ActiveStep);
}

void TMainForm::Panel1Resize() {
    const int h = ui->Panel1->height() / 7;
    const int w = ui->Panel1->width();
    for (int i = 0; i < 7; ++i)
        stepButtons_[i]->setGeometry(0, i * h, w, h);
    RedrawStepButtons();
}

// --- Step entries ----------------------------------------------------------------------------

void TMainForm::showPanel(QWidget *panel) {
    panel->setVisible(true);
    ui->Panel3->setCurrentWidget(panel);
    fitPendingLabels(panel);
}

void TMainForm::focusPanel(QWidget *panel) {
    // The first control of the panel's tab order, or the panel itself.
    QWidget *first = panel->nextInFocusChain();
    while (first != panel && (!panel->isAncestorOf(first) || !first->isVisibleTo(panel) ||
                              !first->isEnabled() || !(first->focusPolicy() & Qt::TabFocus)))
        first = first->nextInFocusChain();
    first->setFocus(Qt::OtherFocusReason);
}

void TMainForm::onFocusChanged(QWidget *old, QWidget *now) {
    // A control reached by the keyboard is scrolled into view when the panel is larger than the
    // window (8 pixels of its surroundings with it, for its focus ring).
    if (now && now->window() == this && ui->Panel3->isAncestorOf(now) && now->parentWidget() != ui->Panel3)
        ui->Panel3Scroll->ensureWidgetVisible(now, 8, 8);
    // Only moves inside this window count as leaving a panel; a message box does not.
    if (!old || !now || now->window() != this || old->window() != this)
        return;
    auto leaves = [&](QWidget *panel) { return panel && panel->isAncestorOf(old) && !panel->isAncestorOf(now); };
    guard_([&] {
        if (leaves(step1_))
            step1_->PanelStep1Exit();
        if (leaves(step2_))
            step2_->PanelStep2Exit();
        if (leaves(step4_))
            step4_->PanelStep4Exit();
    });
}

bool TMainForm::checkPlaces() {
    if (TComm::TextToInt(objects_.Session->GetValue(QStringLiteral("PlaceState"))) != 0)
        return true;
    prompter_.showMessage(objects_.Lang->GetText(QStringLiteral("msgNoPlaces")));
    imgStep1Click();
    return false;
}

bool TMainForm::checkAngles() {
    if (objects_.Logic->Hei1.State < 3) {
        prompter_.showMessage(objects_.Lang->GetText(QStringLiteral("msgNoAngleCalculated")));
        imgStep2Click();
        return false;
    }
    if (objects_.Logic->Hei2.State < 3) {
        prompter_.showMessage(objects_.Lang->GetText(QStringLiteral("msgNoAngleCalculated")));
        imgStep3Click();
        return false;
    }
    return true;
}

bool TMainForm::checkEarth() {
    // A place measured again after the circumference was computed would print a sheet that mixes
    // the new elevation with the old result: that counts as not computed.
    const TLogic &logic = *objects_.Logic;
    if (logic.EarthSizeFits(std::abs(logic.Hei1.NoonHeightAngle - logic.Hei2.NoonHeightAngle)))
        return true;
    prompter_.showMessage(objects_.Lang->GetText(QStringLiteral("msgNoEarthCalculated")));
    imgStep4Click();
    return false;
}

void TMainForm::storeShownPanels() {
    if (step1_)
        step1_->storeChoice();
    if (step2_)
        step2_->PanelStep2Exit();
    if (step4_)
        step4_->PanelStep4Exit();
}

void TMainForm::imgStep0Click() {
    storeShownPanels();
    objects_.Comm->ActiveStep = 1;
    showPanel(step0_);
    focusPanel(step0_);
    RedrawStepButtons();
}

void TMainForm::imgStep1Click() {
    storeShownPanels();
    objects_.Comm->ActiveStep = 2;
    showPanel(&step1());
    focusPanel(step1_);
    RedrawStepButtons();
}

void TMainForm::imgStep2Click() { enterMeasurement(3, objects_.Logic->Hei1); }

void TMainForm::imgStep3Click() { enterMeasurement(4, objects_.Logic->Hei2); }

void TMainForm::enterMeasurement(std::uint8_t step, THeiObj &place) {
    storeShownPanels();
    if (!checkPlaces())
        return;
    objects_.Comm->ActiveStep = step;
    objects_.CurrHei = &place;
    showPanel(&step2());
    objects_.Session->RestoreHei(place);
    step2_->ShowMeasurement();
    focusPanel(step2_);
    RedrawStepButtons();
    step2_->DrawPicture();
}

void TMainForm::imgStep4Click() {
    // Re-entering the step shown restores what was just stored, so nothing shown is lost.
    storeShownPanels();
    if (!checkPlaces() || !checkAngles())
        return;
    objects_.Comm->ActiveStep = 5;
    showPanel(&step4());
    focusPanel(step4_);
    RedrawStepButtons();
    objects_.Session->RestoreLogic(*objects_.Logic);
    step4_->ShowComparison();
    step4_->DrawPicture();
}

void TMainForm::imgStep5Click() {
    storeShownPanels();
    if (!checkPlaces() || !checkAngles() || !checkEarth())
        return;
    objects_.Comm->ActiveStep = 6;
    showPanel(&step5());
    focusPanel(step5_);
    RedrawStepButtons();
    step5_->EnterStep();
}

void TMainForm::imgTechClick() {
    storeShownPanels();
    objects_.Comm->ActiveStep = 7;
    showPanel(&tech());
    objects_.Lang->FillLangList();
    focusPanel(tech_);
    RedrawStepButtons();
}

void TMainForm::btnResetClick() {
    if (!objects_.Logic->Printed &&
        prompter_.confirm(objects_.Lang->GetText(QStringLiteral("msgAreYouSure")), Prompter::Buttons::OkCancel) !=
            Prompter::Answer::Ok)
        return;
    step1().ClearAll();
    imgStep1Click();
}

// --- Texts ---------------------------------------------------------------------------------

void TMainForm::refreshTexts() {
    step1();
    step2();
    step4();
    step5();
    tech();
    // The latitude captions are written by the places: in the new language now.
    if (objects_.Logic)
        for (THeiObj *place : {&objects_.Logic->Hei1, &objects_.Logic->Hei2})
            place->ShowLatitude();
    FormShow();
}

void TMainForm::choosePlace(int placeNumber, const QString &name, std::optional<int> noonH, std::optional<int> noonM) {
    TComm &comm = *objects_.Comm;
    int number = comm.PlaceNumberOf(name);
    if (number == 0) {
        number = comm.AddRunPlace(name, noonH, noonM);
        objects_.Session->StoreRunPlaces(comm.RunPlaces);
        comm.ShowPlaces(views_);
    }
    step1().chooseSchool(placeNumber, number - 1);
}
