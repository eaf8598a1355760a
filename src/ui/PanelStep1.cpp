// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PanelStep1.h"

#include "lang/TLang.h"
#include "model/THeiObj.h"
#include "model/TLogic.h"
#include "platform/Prompter.h"
#include "store/TComm.h"
#include "session/SavePermission.h"
#include "ui/DateBox.h"
#include "ui/Guard.h"
#include "ui/NoonText.h"
#include "ui/PictureSlots.h"
#include "ui/RefuseTypedValue.h"
#include "ui/StepNavigator.h"
#include "ui/ToolkitLanguage.h"
#include "ui_PanelStep1.h"

#include <QCalendarWidget>
#include <QSignalBlocker>

PanelStep1::PanelStep1(TLang &lang, TLogic &logic, TSession &session, TComm &comm, StepNavigator &steps,
                       Prompter &prompter, Guard guard, const bool &closing, QWidget *parent)
    : QWidget(parent), ui(std::make_unique<Ui::PanelStep1>()), lang_(lang), logic_(logic), session_(session),
      comm_(comm), steps_(steps), prompter_(prompter), guard_(guard), closing_(closing) {
    ui->setupUi(this);
    places_.emplace_back(ui->edPersonSelect11, ui->edPersonSelect12, ui->imgPlace1, ui->imgPerson11, ui->imgPerson12);
    places_.emplace_back(ui->edPersonSelect21, ui->edPersonSelect22, ui->imgPlace2, ui->imgPerson21, ui->imgPerson22);
    // activated: only the user's choice, not the program refilling the lists.
    guard_.connect(ui->cbPlaceSelect1, &QComboBox::activated, this, [this] { cbPlaceSelect1Change(); });
    guard_.connect(ui->cbPlaceSelect2, &QComboBox::activated, this, [this] { cbPlaceSelect2Change(); });
    guard_.connect(ui->btnStep1Back, &QPushButton::clicked, this, [this] { btnStep1BackClick(); });
    guard_.connect(ui->btnStep1Next, &QPushButton::clicked, this, [this] { btnStep1NextClick(); });
    guard_.connect(ui->btnClearAll, &QPushButton::clicked, this, [this] { btnClearAllClick(); });
    // Not dateChanged: that fires for every digit typed, and each would ask its question.
    guard_.connect(ui->edMeasureDate, &QLineEdit::editingFinished, this, [this] { edMeasureDateChange(); });
    guard_.connect(ui->edMeasureDate->calendarWidget(), &QCalendarWidget::clicked, this, [this] { edMeasureDateChange(); });
}

void PanelStep1::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    guard_([this] { showMeasureDate(); });
}

void PanelStep1::showMeasureDate() {
    const TLogic &logic = logic_;
    const QSignalBlocker quiet(ui->edMeasureDate);
    ui->edMeasureDate->setDisplayFormat(logic.ShortDateFormat());
    ui->edMeasureDate->setDate(logic.MeasureDay());
    // Month and day names in the class's language, weeks as its country counts them.
    ui->edMeasureDate->setCalendarLocale(
        ToolkitLanguage::localeOf(lang_.Texts.value(ToolkitLanguage::LocaleKey)));
    TLang &lang = lang_;
    ui->edMeasureDate->setAccessibleNames(lang.GetText(QStringLiteral("accCalendarButton")),
                                          lang.GetText(QStringLiteral("accCalendar")));
    showNoonsToGoOut();  // true noon moves with the date
}

void PanelStep1::showNoonsToGoOut() {
    for (int place : {1, 2}) {
        QLabel *label = place == 1 ? ui->labTrueNoon1 : ui->labTrueNoon2;
        const std::optional<TLogic::PlaceNoon> noon = logic_.NoonOf(chosenPlaceIndex(place) + 1);
        label->setVisible(noon.has_value());
        if (noon)
            label->setText(noonToGoOutText(lang_, logic_, *noon));
    }
}

void PanelStep1::edMeasureDateChange() {
    if (changingDate_)
        return;
    // The message's or the question's box takes the focus, which would finish the editing once more.
    changingDate_ = true;
    const std::optional<QDate> day = ui->edMeasureDate->typedDate();
    if (day)
        logic_.ChangeMeasureDay(*day);
    // The date taken, written in the box's format; or the model's date again when it was refused.
    showMeasureDate();
    if (!day) {
        // Then selected to be typed over: left as typed, the text would be refused once more each
        // time the focus leaves the box.
        refuseTypedValue(ui->edMeasureDate, prompter_, lang_.GetText(QStringLiteral("msgBadDate")));
    }
    changingDate_ = false;
}

void PanelStep1::restorePersons(const TSession &session) {
    for (int place = 1; place <= 2; ++place)
        for (int person = 1; person <= 4; ++person)
            personField(place, person)
                ->setText(session.GetValue(QStringLiteral("Person%1%2").arg(place).arg(person)));
}

void PanelStep1::showChosenPlaces() {
    for (int place = 1; place <= 2; ++place)
        guard_([&] {
            comm_.ShowPlacePictures(chosenPlaceIndex(place), places_[place - 1].placeSlots,
                                             TComm::PersonNames::Keep);
        });
    showNoonsToGoOut();
}

PanelStep1::~PanelStep1() = default;

QComboBox *PanelStep1::placeList(int placeNumber) const {
    return placeNumber == 1 ? ui->cbPlaceSelect1 : ui->cbPlaceSelect2;
}

QLineEdit *PanelStep1::personField(int placeNumber, int person) const {
    QLineEdit *const fields[2][4] = {
        {ui->edPersonSelect11, ui->edPersonSelect12, ui->edPersonSelect13, ui->edPersonSelect14},
        {ui->edPersonSelect21, ui->edPersonSelect22, ui->edPersonSelect23, ui->edPersonSelect24}};
    return fields[placeNumber - 1][person - 1];
}

void PanelStep1::addVirtualPartner() {
    const QString name = lang_.GetText(QStringLiteral("VirtualPartnerPlace"));
    for (int place : {1, 2}) {
        QComboBox *list = placeList(place);
        const int chosen = list->currentIndex();  // adding an item chooses nothing
        list->addItem(name, THeiObj::VirtualPartnerPlaceNo);
        list->setCurrentIndex(chosen);
    }
}

int PanelStep1::chosenPlaceIndex(int placeNumber) const {
    const QComboBox *list = placeList(placeNumber);
    if (list->currentIndex() >= 0 && list->currentData().toInt() == THeiObj::VirtualPartnerPlaceNo)
        return THeiObj::VirtualPartnerPlaceNo - 1;
    return list->currentIndex();
}

void PanelStep1::forgetFilledPersons() {
    for (PlaceControls &place : places_)
        for (PlaceSlots::Person &person : place.placeSlots.persons)
            person.filled.clear();
}

PlacesChoice PanelStep1::choice() const {
    PlacesChoice c;
    c.PlaceIndex1 = chosenPlaceIndex(1);
    c.PlaceText1 = ui->cbPlaceSelect1->currentText();
    c.PlaceIndex2 = chosenPlaceIndex(2);
    c.PlaceText2 = ui->cbPlaceSelect2->currentText();
    for (int i = 0; i < 4; ++i) {
        c.Persons1[i] = personField(1, i + 1)->text();
        c.Persons2[i] = personField(2, i + 1)->text();
    }
    return c;
}

void PanelStep1::PanelStep1Exit() {
    if (!closing_)
        storeChoice();
}

void PanelStep1::storeChoice() { session_.StorePlaces(choice()); }

void PanelStep1::cbPlaceSelect1Change() { showPlace(1); }

void PanelStep1::cbPlaceSelect2Change() { showPlace(2); }

void PanelStep1::chooseSchool(int placeNumber, int index) {
    QComboBox *list = placeList(placeNumber);
    if (list->currentIndex() != index) {
        for (int person = 1; person <= 4; ++person)
            personField(placeNumber, person)->clear();
        for (PlaceSlots::Person &person : places_[placeNumber - 1].placeSlots.persons)
            person.filled.clear();
        list->setCurrentIndex(index);
    }
    guard_([&] { showPlace(placeNumber); });
    storeChoice();
}

void PanelStep1::showPlace(int placeNumber) {
    comm_.ShowPlacePictures(chosenPlaceIndex(placeNumber), places_[placeNumber - 1].placeSlots);
    showNoonsToGoOut();
}

PanelStep1::PlaceControls::PlaceControls(QLineEdit *person1, QLineEdit *person2, PictureBox *place,
                                         PictureBox *person1Image, PictureBox *person2Image)
    : name1(person1), name2(person2), image(place), image1(person1Image), image2(person2Image),
      placeSlots{&image, {{&name1, &image1, {}}, {&name2, &image2, {}}}} {}

void PanelStep1::btnStep1BackClick() { steps_.imgStep0Click(); }

void PanelStep1::btnStep1NextClick() {
    PanelStep1Exit();
    steps_.imgStep2Click();
}

void PanelStep1::btnClearAllClick() {
    if (logic_.HoldsUnprintedWork() &&
        prompter_.confirm(lang_.GetText(QStringLiteral("msgAreYouSure")), Prompter::Buttons::OkCancel) !=
            Prompter::Answer::Ok)
        return;
    ClearAll();
}

void PanelStep1::ClearAll() {
    ui->cbPlaceSelect1->setCurrentIndex(-1);
    ui->cbPlaceSelect2->setCurrentIndex(-1);
    for (int place = 1; place <= 2; ++place)
        for (int person = 1; person <= 4; ++person)
            personField(place, person)->clear();
    logic_.Clear();
    showNoonsToGoOut();
    session_.StorePlaces(choice());
    session_.StoreHei(logic_.Hei1);
    session_.StoreHei(logic_.Hei2);
    session_.StoreLogic(logic_);
    discardKeptLesson(comm_, session_);
}
