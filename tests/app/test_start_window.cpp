// SPDX-License-Identifier: GPL-3.0-or-later
#include "lang/TLang.h"
#include "model/TLogic.h"
#include "session/TSession.h"
#include "store/TComm.h"
#include "support/AppFixture.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>
#include <gtest/gtest.h>

TEST(StartWindow, FirstShowCreatesTheObjectsOnceAndAppliesTexts) {
    AppFixture f;
    f.dir.write("Gnomo_Language_0.ini", "StartForm=Witaj\r\nedStartText_00=one\r\nedStartText_02=three\r\n"
                                        "btnStartEnter=Start\r\ncbSaveConfig=Zapisz\r\n");
    f.startProgram();
    AppObjects &o = f.objects();
    ASSERT_TRUE(o.exist());
    EXPECT_EQ(f.start->windowTitle(), QString("Witaj"));
    EXPECT_EQ(f.start->findChild<QTextEdit *>("edStartText")->toPlainText(), QString("one\nthree"));
    EXPECT_EQ(f.start->findChild<QPushButton *>("btnStartEnter")->text(), QString("Start"));
    EXPECT_FALSE(f.start->saveConfigBox()->isVisible());
    // the language file is named on the technical panel; the latitudes are already shown
    EXPECT_EQ(f.find<QLabel>("labApplyIniChangesFile")->text(), QString("Gnomo_Language_0.ini"));
    EXPECT_TRUE(f.find<QLabel>("labTech1")->text().startsWith("Lattitude location 1="));
    EXPECT_TRUE(f.find<QLabel>("LabTech2")->text().startsWith("Lattitude location 2="));

    const TComm *comm = o.Comm.get();
    const TLogic *logic = o.Logic.get();
    f.start->FormShow();  // as a language refresh does
    EXPECT_EQ(o.Comm.get(), comm);
    EXPECT_EQ(o.Logic.get(), logic);
    // the missing lines of the start text were added and now read "."
    EXPECT_EQ(f.start->findChild<QTextEdit *>("edStartText")->toPlainText(), QString("one\n.\nthree\n.\n.\n.\n."));
}

TEST(StartWindow, ClosingWithoutTheMainWindowWritesNoConfiguration) {
    AppFixture f;
    f.seedShippedLanguage();
    f.startProgram();
    f.start->close();
    EXPECT_FALSE(f.objects().exist());
    EXPECT_FALSE(QFileInfo::exists("Gnomora_Cfg.ini"));
}

TEST(StartWindow, ClosingTheMainWindowOffersToSaveTheConfiguration) {
    AppFixture f;
    f.seedShippedLanguage();
    f.startProgram();
    f.openMainWindow();
    EXPECT_TRUE(f.main->isVisible());
    f.main->close();
    EXPECT_FALSE(f.main->isVisible());
    EXPECT_TRUE(f.objects().exist());  // closing the main window only hides it
    QCheckBox *save = f.start->saveConfigBox();
    ASSERT_TRUE(save->isVisible());
    f.objects().Comm->SetValue("LangFileName", "Gnomo_Language_1.ini");  // as a language switch does
    save->setChecked(true);
    f.start->close();
    const QByteArray cfg = f.dir.read("Gnomora_Cfg.ini");
    EXPECT_TRUE(cfg.startsWith("LangFileName=Gnomo_Language_1.ini\r\nNoonH1=12\r\nNoonM1=00\r\n")) << cfg.toStdString();
}

TEST(StartWindow, ClosingTheStartWindowWithTheMainWindowOpenEndsTheRun) {
    AppFixture f;
    f.seedShippedLanguage();
    f.startProgram();
    f.openMainWindow();
    f.start->close();
    EXPECT_FALSE(f.objects().exist());
    EXPECT_FALSE(f.main->isVisible());
    EXPECT_FALSE(QFileInfo::exists("Gnomora_Cfg.ini"));  // the box was never offered
}

TEST(StartWindow, MissingLanguageFileIsReportedAndTheRunGoesOn) {
    AppFixture f;
    f.startProgram();
    ASSERT_EQ(f.prompter.messages, QStringList{"File Gnomo_Language_0.ini cannot be loaded"});
    EXPECT_TRUE(f.objects().exist());
    EXPECT_EQ(f.start->windowTitle(), QString("."));  // empty at first, "." at the second lookup
}
