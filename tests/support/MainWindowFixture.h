// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "lang/TLang.h"
#include "support/AppFixture.h"
#include "ui/PanelStep1.h"
#include "ui/StepButton.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

inline const QByteArray SchoolsCfg =
    "; test schools\r\n"
    "Place1=Krak\xf3w\r\nPerson11=Ala\r\nPerson12=Olek\r\nPlace1Jpg=school1.png\r\nPerson11Jpg=ala.png\r\n"
    "NoonH1=11\r\nNoonM1=40\r\n"
    "Place2=Gda\xf1sk\r\nPerson21=Ewa\r\nPlace2Jpg=school2.png\r\n"
    "Place3=Bad picture\r\nPlace3Jpg=bad.jpg\r\nPerson31=Zenon\r\n"
    "Place4=\r\nPerson41=Only a person\r\n";

// A working folder with the shipped language, five places and their pictures, main window open.
struct MainWindowFixture : AppFixture {
    explicit MainWindowFixture(const std::optional<Locale> &locale = Locale{u'.', u'/'}) {
        seedShippedLanguage();
        dir.write("Gnomora_Cfg.ini", SchoolsCfg);
        QImage picture(400, 300, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        picture.save(dir.file("school1.png"));
        picture.save(dir.file("school2.png"));
        picture.save(dir.file("ala.png"));
        dir.write("bad.jpg", "\xff\xd8\xff\xe0 this is no JPEG at all");
        startProgram(locale);
        openMainWindow();
    }

    QString text(const char *key) { return objects().Lang->GetText(key); }
    void choose(int place, int index) {
        QComboBox *list = main->panelStep1()->placeList(place);
        list->setCurrentIndex(index);
        emit list->activated(index);  // as the user's choice does
    }
    QLineEdit *person(int place, int n) { return main->panelStep1()->personField(place, n); }
    void click(const char *button) { QTest::mouseClick(find<QPushButton>(button), Qt::LeftButton); }
    void clickStep(int index) { QTest::mouseClick(main->stepButton(index), Qt::LeftButton); }
    // Runs a whole measurement at the current place: noon reading with stick 1000 and this shadow.
    void measure(const char *shadow) {
        ClassRun run = classRun();
        EXPECT_TRUE(run.measure(noonReading(shadow))) << run.unreached.join(' ').toStdString();
    }
    static Reading noonReading(const char *shadow) { return {"12", "0", shadow}; }
    QColor buttonColour(int index) { return main->stepButton(index)->picture().pixelColor(3, 3); }
};

