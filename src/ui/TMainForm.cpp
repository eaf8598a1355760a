// SPDX-License-Identifier: GPL-3.0-or-later
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
#include "ui/TextPass.h"
#include "ui/PanelStep0.h"
#include "ui/PanelStep1.h"
#include "ui/PanelStep2.h"
#include "ui/PanelStep4.h"
#include "ui/PanelStep5.h"
#include "ui/PanelTech.h"
#include "ui/PictureBox.h"
#include "ui/ScreenFit.h"
#include "ui/StepButton.h"
#include "ui/WindowFont.h"
#include "ui_MainForm.h"

#include <QPushButton>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <cmath>

namespace {

const QColor ActiveColor(34, 238, 34);
const QColor HoverColor(0, 0, 238);
const QColor IdleColor(0, 0, 0);
const QSize DesignSize(985, 692);   // the client area the layouts are made for
const QSize MinimumSize(600, 400);



}  // namespace

TMainForm::TMainForm(AppObjects &objects, Prompter &prompter, QWidget *parent)
    : QWidget(parent), ui(std::make_unique<Ui::MainForm>()), objects_(objects), prompter_(prompter),
      guard_(objects, prompter),
      canvasStep2_(PanelStep2::ImageDesignSize, [this]() -> DrawCanvas & { return *step2().image(); }),
      canvasStep4_(PanelStep4::ImageDesignSize, [this]() -> DrawCanvas & { return *step4().image(); }) {
    ui->setupUi(this);
    setFont(windowFont(13));
    placeOnScreen(AssumedWindowFrame);
    // The first photograph would otherwise wait for the JPEG decoder to load; starting must not.
    new IdleAfterFirstPaint(this, [] { Picture::loadJpegDecoder(); });

    step0_ = new PanelStep0(ui->Panel3);
    adoptPanel(step0_);

    ui->Splitter1->setSizes({985 - 233 - 5, 233});
    ui->Splitter1->setStretchFactor(0, 1);
    ui->Splitter1->setStretchFactor(1, 0);
    ui->Panel1->setMinimumWidth(40);
    ui->Panel1->installEventFilter(this);
    stepButtons_ = {ui->imgStep0, ui->imgStep1, ui->imgStep2, ui->imgStep3, ui->imgStep4, ui->imgStep5, ui->imgTech};
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
        connect(button, &StepButton::clicked, this, [this, click = clicks[i]] { guard_([&] { (this->*click)(); }); });
        connect(button, &StepButton::mouseMoved, this, [this, index = i + 1] {
            guard_([&] {
                objects_.Comm->HoverStep = static_cast<std::uint8_t>(index);
                RedrawStepButtons();
            });
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
}

void TMainForm::placeOnScreen(QMargins frame) {
    const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen) {
        resize(DesignSize);
        return;
    }
    const QRect fitted = fittedGeometry(DesignSize, frame, screen->availableGeometry());
    setMinimumSize(MinimumSize.boundedTo(fitted.size()));
    resize(fitted.size());
    // The frame's corner: window managers place that corner where a program asks, whatever they
    // do with a position asked for the client area.
    move(fitted.topLeft() - QPoint(frame.left(), frame.top()));
}

PanelStep1 &TMainForm::step1() {
    if (!step1_) {
        step1_ = new PanelStep1(objects_, *this, prompter_, Closing, ui->Panel3);
        adoptPanel(step1_);
        applyTexts(step1_);
        for (int place : {1, 2}) {
            QComboBox *list = step1_->placeList(place);
            list->addItems(placeItems_);
            list->setCurrentIndex(-1);  // filling a list chooses nothing
        }
        restorePlaceChoice();
        if (objects_.Session) {  // the names and photographs of a kept lesson; none in a new run
            step1_->restorePersons(*objects_.Session);
            step1_->showChosenPlaces();
        }
    }
    return *step1_;
}

PanelStep2 &TMainForm::step2() {
    if (!step2_) {
        step2_ = new PanelStep2(objects_, *this, prompter_, ui->Panel3);
        step2_->setPlaceChooser([this](int place, const QString &name, std::optional<int> noonH,
                                       std::optional<int> noonM) { choosePlace(place, name, noonH, noonM); });
        canvasStep2_.attach(*step2_->image());
        adoptPanel(step2_);
        applyTexts(step2_);
        namePanels();
        // A picture is painted again whenever its control changes size or pixel ratio.
        connect(step2_->image(), &PictureBox::needsRepaint, this, [this] { guard_([this] { step2_->DrawPicture(); }); });
    }
    return *step2_;
}

PanelStep4 &TMainForm::step4() {
    if (!step4_) {
        step4_ = new PanelStep4(objects_, *this, prompter_, ui->Panel3);
        canvasStep4_.attach(*step4_->image());
        adoptPanel(step4_);
        applyTexts(step4_);
        namePanels();
        connect(step4_->image(), &PictureBox::needsRepaint, this, [this] { guard_([this] { step4_->DrawPicture(); }); });
    }
    return *step4_;
}

PanelStep5 &TMainForm::step5() {
    if (!step5_) {
        step5_ = new PanelStep5(objects_, *this, prompter_, ui->Panel3);
        adoptPanel(step5_);
        applyTexts(step5_);
        namePanels();
        step5_->setResetHandler([this] { btnResetClick(); });
    }
    return *step5_;
}

PanelTech &TMainForm::tech() {
    if (!tech_) {
        tech_ = new PanelTech(objects_, *this, prompter_, ui->Panel3);
        adoptPanel(tech_);
        applyTexts(tech_);
        techViews_.adopt(tech_);
    }
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
    ApplyTexts();
    objects_.Comm->ShowPlaces(*this);
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

void TMainForm::ApplyTexts() {
    applyTexts(this);
    setWindowTitle(objects_.Lang->GetText(QStringLiteral("MainForm")));
}

void TMainForm::applyTexts(QWidget *root) {
    if (objects_.Lang)  // a panel built before the shared objects gets its texts when the window shows
        ::applyTexts(root, *objects_.Lang);
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

// --- Views -----------------------------------------------------------------------------------

void TMainForm::setLanguageFileCaption(const QString &fileName) { techViews_.setLanguageFileCaption(fileName); }

void TMainForm::setLanguageList(const QStringList &items, int index) { tech().setLanguageList(items, index); }

int TMainForm::languageListIndex() const { return techViews_.languageListIndex(); }

void TMainForm::refreshTexts() {
    if (startShow_)
        startShow_();
    // Every text is looked up, so that the language file gets all its missing keys, also those of
    // the panels not opened yet.
    step1();
    step2();
    step4();
    step5();
    tech();
    FormShow();
}

void TMainForm::setLatitudeCaption(int placeNumber, const QString &caption) {
    techViews_.setLatitudeCaption(placeNumber, caption);
}

QString TMainForm::field(const QString &controlName) const { return techViews_.field(controlName); }

void TMainForm::setField(const QString &controlName, const QString &text) { techViews_.setField(controlName, text); }

void TMainForm::clearPlaceLists() {
    placeItems_.clear();
    if (step1_) {
        // What the class sees chosen is chosen again after the refill, stored or not.
        for (int place : {1, 2}) {
            const QComboBox *list = step1_->placeList(place);
            listedChoice_[place - 1] = {list->currentIndex(), list->currentText()};
        }
        haveListedChoice_ = true;
        step1_->placeList(1)->clear();
        step1_->placeList(2)->clear();
    }
}

void TMainForm::addPlaceListItem(const QString &text) {
    placeItems_.append(text);
    if (!step1_)
        return;
    // Filling a list chooses nothing (the toolkit would select the first item).
    for (int place : {1, 2}) {
        QComboBox *list = step1_->placeList(place);
        const int chosen = list->currentIndex();
        list->addItem(text);
        list->setCurrentIndex(chosen);
    }
}

void TMainForm::placeListsFilled() { restorePlaceChoice(); }

void TMainForm::chooseAgain(QComboBox &list, int index, const QString &name) {
    const bool inRange = index >= 0 && index < list.count();
    if (inRange && list.itemText(index) == name) {
        list.setCurrentIndex(index);
        return;
    }
    // The places editor may have moved the place to another row: it is found by its name.
    const int moved = name.isEmpty() ? -1 : list.findText(name, Qt::MatchExactly);
    if (moved >= 0)
        list.setCurrentIndex(moved);
    else  // or renamed it in its row (a typo fixed); a row emptied holds no place any more
        list.setCurrentIndex(inRange && !list.itemText(index).isEmpty() ? index : -1);
}

void TMainForm::restorePlaceChoice() {
    if (!step1_ || !objects_.Session)
        return;
    for (int place : {1, 2}) {
        ListedPlace choice = listedChoice_[place - 1];
        if (!haveListedChoice_) {  // the lists were never shown: the session record knows
            const QString n = QString::number(place);
            const QString index = objects_.Session->GetValue(QStringLiteral("PlaceSelect") + n);
            choice = {index.isEmpty() ? -1 : TComm::TextToInt(index),
                      objects_.Session->GetValue(QStringLiteral("PlaceName") + n)};
        }
        chooseAgain(*step1_->placeList(place), choice.index, choice.name);
    }
    haveListedChoice_ = false;
}

void TMainForm::choosePlace(int placeNumber, const QString &name, std::optional<int> noonH, std::optional<int> noonM) {
    TComm &comm = *objects_.Comm;
    int number = comm.PlaceNumberOf(name);
    if (number == 0) {
        number = comm.AddRunPlace(name, noonH, noonM);
        objects_.Session->StoreRunPlaces(comm.RunPlaces);
        comm.ShowPlaces(*this);
    }
    PanelStep1 &places = step1();
    places.placeList(placeNumber)->setCurrentIndex(number - 1);
    places.storeChoice();
    places.showChosenPlaces();
}
