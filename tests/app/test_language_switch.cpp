// SPDX-License-Identifier: GPL-3.0-or-later
// The language page of the technical panel, driven as a teacher would: choosing a language,
// re-applying an edited file, and what the switch writes into the language files.
#include "app/StartText.h"
#include "lang/TLang.h"
#include "model/Angles.h"
#include "model/TLogic.h"
#include "print/PagePrinting.h"
#include "store/NameValueList.h"
#include "store/TComm.h"
#include "support/AppFixture.h"
#include "ui/PanelStep1.h"
#include "ui/StepButton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QByteArray shippedBytes(int number) { return AppFixture::shippedFile(TLang::LanguageFileName(number)); }
NameValueList shipped(int number) { return NameValueList::fromBytes(shippedBytes(number)); }

// A shipped file without the lines of the given keys, in the file's own encoding.
QByteArray shippedWithout(int number, const QStringList &keys) {
    const NameValueList file = shipped(number);
    QStringList lines = file.lines();
    lines.removeIf([&](const QString &line) { return keys.contains(NameValueList::keyOf(line)); });
    NameValueList without(lines);
    without.setEncoding(file.encoding());
    return without.toBytes();
}

// The three shipped languages (Polish in use) in the working folder, the main window open.
struct LanguageFixture : AppFixture {
    explicit LanguageFixture(const QByteArray &polish = shippedBytes(0)) {
        dir.write(TLang::LanguageFileName(0), polish);
        dir.write(TLang::LanguageFileName(1), shippedBytes(1));
        dir.write(TLang::LanguageFileName(2), shippedBytes(2));
    }

    void startAndOpen() {
        startProgram();
        openMainWindow();
    }
    QComboBox *languageList() { return find<QComboBox>("cbSelectLang"); }
    void openLanguagePage() {
        QTest::mouseClick(main->stepButton(7), Qt::LeftButton);
        find<QTabWidget>("TechPageControl")->setCurrentWidget(find<QWidget>("LanguagePage"));
    }
    void press(const char *button) { QTest::mouseClick(find<QPushButton>(button), Qt::LeftButton); }
    void chooseLanguage(int index) {
        languageList()->setCurrentIndex(index);
        press("bOKChooseLang");
    }
    QString shown(const char *control) { return find<QLabel>(control) ? find<QLabel>(control)->text()
                                                                      : find<QPushButton>(control)->text(); }

    // Every caption of both windows that the file has a text for shows that text.
    void expectTextsOf(const NameValueList &file) {
        main->panelStep1();  // panels not opened yet get the texts too, when they are built
        main->panelStep2();
        main->panelStep4();
        main->panelStep5();
        main->panelTech();
        int captions = 0;
        for (QWidget *w : main->findChildren<QWidget *>()) {
            // A unit or mark shows the text of the key it shares with the others of its kind.
            const QString key = w->property("textKey").isValid() ? w->property("textKey").toString() : w->objectName();
            if (key.isEmpty() || file.indexOfKey(key) < 0 || (w->property("tag").toInt() & 1))
                continue;
            if (auto *label = qobject_cast<QLabel *>(w))
                EXPECT_EQ(label->text(), file.value(key)) << key.toStdString();
            else if (auto *button = qobject_cast<QPushButton *>(w))
                EXPECT_EQ(button->text(), file.value(key)) << key.toStdString();
            else
                continue;
            ++captions;
        }
        EXPECT_GE(captions, 80);
        auto *tabs = find<QTabWidget>("TechPageControl");
        for (int i = 0; i < tabs->count(); ++i)
            EXPECT_EQ(tabs->tabText(i), file.value(tabs->widget(i)->objectName()));
        EXPECT_EQ(main->windowTitle(), file.value("MainForm"));
        EXPECT_EQ(start->windowTitle(), file.value("StartForm"));
        EXPECT_EQ(start->findChild<QPushButton *>("btnStartEnter")->text(), file.value("btnStartEnter"));
        EXPECT_EQ(start->saveConfigBox()->text(), file.value("cbSaveConfig"));
        QStringList startText;
        for (int i = 0; i < 7; ++i)
            startText.append(file.value(QStringLiteral("edStartText_0%1").arg(i)));
        EXPECT_EQ(start->findChild<StartText *>("edStartText")->toPlainText(), startText.join(u'\n'));
    }
};

}  // namespace

TEST(LanguagePage, ChoosingALanguageChangesBothWindowsAtOnceAndKeepsThePanelOpen) {
    LanguageFixture f;
    f.startAndOpen();
    auto *kept = f.find<QLabel>("labPlacesDescr1");  // a label that keeps its own text
    kept->setProperty("tag", 1);
    kept->setText("kept");
    f.openLanguagePage();
    EXPECT_EQ(f.languageList()->currentIndex(), -1);  // nothing chosen at first
    ASSERT_EQ(f.languageList()->count(), 3);
    EXPECT_EQ(f.languageList()->itemText(1), QString("English"));
    f.expectTextsOf(shipped(0));
    // Place 1's latitude is solved (place 2 measured nothing): its caption follows the language.
    THeiObj &place1 = f.objects().Logic->Hei1;
    place1.AcceptTime();
    place1.AcceptHeight();
    ASSERT_EQ(place1.State, 2);

    for (int n : {2, 1}) {
        const QImage stepButtonBefore = f.main->stepButton(1)->picture();
        f.chooseLanguage(n);
        EXPECT_EQ(f.main->currentPanel()->objectName(), QString("PanelTech"));
        EXPECT_EQ(f.objects().Comm->ActiveStep, 7);
        EXPECT_EQ(f.languageList()->currentIndex(), n);
        EXPECT_EQ(f.languageList()->count(), 3);
        EXPECT_EQ(f.shown("labApplyIniChangesFile"), TLang::LanguageFileName(n));
        EXPECT_EQ(f.objects().Comm->GetValue("LangFileName"), TLang::LanguageFileName(n));
        f.expectTextsOf(shipped(n));
        EXPECT_NE(f.main->stepButton(1)->picture(), stepButtonBefore);
        EXPECT_EQ(kept->text(), QString("kept"));
        EXPECT_EQ(f.shown("labTech1"), shipped(n).value("LatitudeCaption1").arg(AngleToText(place1.Latitude())));
        EXPECT_EQ(f.shown("LabTech2"), QString());
    }
    EXPECT_TRUE(f.prompter.messages.isEmpty()) << f.prompter.messages.join(" | ").toStdString();
    for (int n : {0, 1, 2})  // complete files are not rewritten
        EXPECT_EQ(f.dir.read(TLang::LanguageFileName(n)), shippedBytes(n)) << n;

    // The choice reaches the configuration file when the teacher asks for it at the end.
    f.main->close();
    f.start->saveConfigBox()->setChecked(true);
    f.start->close();
    EXPECT_TRUE(f.dir.read("Gnomora_Cfg.ini").contains("LangFileName=Gnomo_Language_1.ini\r\n"));
}

TEST(LanguagePage, PressingWithNoLanguageChosenDoesNothing) {
    LanguageFixture f;
    f.startAndOpen();
    f.openLanguagePage();
    ASSERT_EQ(f.languageList()->currentIndex(), -1);
    f.find<QLabel>("labSelectLang")->setText("marker");  // any refresh would overwrite it
    f.press("bOKChooseLang");
    EXPECT_EQ(f.shown("labSelectLang"), QString("marker"));
    EXPECT_EQ(f.objects().Comm->GetValue("LangFileName"), QString("Gnomo_Language_0.ini"));
    EXPECT_TRUE(f.prompter.messages.isEmpty());
}

TEST(LanguagePage, MissingCaptionKeyIsWrittenIntoTheFileAndShowsADotAfterTheNextRefresh) {
    LanguageFixture f;
    const QByteArray withoutKey = shippedWithout(1, {"btnSavePlaces"});
    f.dir.write(TLang::LanguageFileName(1), withoutKey);
    f.startAndOpen();
    f.openLanguagePage();
    f.chooseLanguage(1);
    EXPECT_EQ(f.dir.read("Gnomo_Language_1.ini"), withoutKey + "btnSavePlaces=.\r\n");
    EXPECT_EQ(f.shown("btnSavePlaces"), QString());
    EXPECT_EQ(f.shown("btnClearAll"), shipped(1).value("btnClearAll"));
    f.press("bOKLangIniChanges");
    EXPECT_EQ(f.shown("btnSavePlaces"), QString("."));
    EXPECT_EQ(f.dir.read("Gnomo_Language_1.ini"), withoutKey + "btnSavePlaces=.\r\n");
    EXPECT_TRUE(f.prompter.messages.isEmpty());
}

TEST(LanguagePage, UkrainianFileInUtf8ShowsItsLettersAndKeepsItsMarkWhenCompleted) {
    LanguageFixture f;
    const QByteArray withoutKey = shippedWithout(3, {"btnSavePlaces"});
    ASSERT_TRUE(withoutKey.startsWith("\xEF\xBB\xBF"));
    f.dir.write(TLang::LanguageFileName(3), withoutKey);
    f.startAndOpen();
    f.openLanguagePage();
    ASSERT_EQ(f.languageList()->count(), 4);
    EXPECT_EQ(f.languageList()->itemText(3), QString::fromUtf8("Українська"));
    f.chooseLanguage(3);
    EXPECT_EQ(f.shown("btnClearAll"), QString::fromUtf8("Очистити все"));
    EXPECT_EQ(f.find<QTabWidget>("TechPageControl")->tabText(1), QString::fromUtf8("Місця"));
    f.expectTextsOf(NameValueList::fromBytes(withoutKey));
    // Units and the marks beside the time boxes, on the measurement, comparison and places panels.
    for (const auto &[control, text] : {std::pair{"labShadowmm", "мм"}, std::pair{"labStickmm", "мм"},
                                        std::pair{"Label11", "км"}, std::pair{"Label14", "год"},
                                        std::pair{"Label15", "хв"}, std::pair{"Label1", "год"},
                                        std::pair{"Label10", "хв"}})
        EXPECT_EQ(f.shown(control), QString::fromUtf8(text)) << control;
    // The missing key was added as UTF-8, the mark and every letter as they were.
    EXPECT_EQ(f.dir.read("Gnomo_Language_3.ini"), withoutKey + "btnSavePlaces=.\r\n");
    EXPECT_TRUE(f.prompter.messages.isEmpty()) << f.prompter.messages.join(" | ").toStdString();
}

TEST(LanguagePage, ReloadWritesThePlaceholdersOfTheLinesTheWindowsMissed) {
    const QStringList missing{"edStartText_03", "edStartText_04", "edStartText_05", "edStartText_06", "labDescr5"};
    const QByteArray polish = shippedWithout(0, missing);
    LanguageFixture f(polish);
    f.startAndOpen();
    auto *startText = f.start->findChild<StartText *>("edStartText");
    EXPECT_EQ(startText->toPlainText().count(u'\n'), 2);  // three lines
    EXPECT_EQ(f.shown("labDescr5"), QString());
    f.main->close();
    f.openMainWindow();
    EXPECT_EQ(f.shown("labDescr5"), QString("."));  // every later showing in this run
    EXPECT_EQ(f.dir.read("Gnomo_Language_0.ini"), polish);  // showing never writes the file

    f.openLanguagePage();
    f.press("bOKLangIniChanges");
    EXPECT_EQ(f.shown("labDescr5"), QString());  // the file was loaded again
    EXPECT_EQ(startText->toPlainText().count(u'\n'), 2);
    EXPECT_EQ(f.dir.read("Gnomo_Language_0.ini"),
              polish + "edStartText_03=.\r\nedStartText_04=.\r\nedStartText_05=.\r\nedStartText_06=.\r\n"
                       "labDescr5=.\r\n");
    EXPECT_EQ(f.shown("labApplyIniChangesFile"), QString("Gnomo_Language_0.ini"));

    f.press("bOKLangIniChanges");
    const QStringList lines = startText->toPlainText().split(u'\n');
    ASSERT_EQ(lines.size(), 7);
    EXPECT_EQ(lines.mid(3), (QStringList{".", ".", ".", "."}));
    EXPECT_EQ(lines[0], shipped(0).value("edStartText_00"));
    EXPECT_EQ(f.shown("labDescr5"), QString("."));
    EXPECT_EQ(f.main->currentPanel()->objectName(), QString("PanelTech"));
    EXPECT_TRUE(f.prompter.messages.isEmpty());
}

TEST(LanguagePage, FolderInPlaceOfALanguageFileIsLeftOutSilently) {
    LanguageFixture f;
    QDir().mkdir("Gnomo_Language_3.ini");
    f.dir.write("Gnomo_Language_4.ini", "Language=Test\r\n");
    f.startAndOpen();
    f.openLanguagePage();
    EXPECT_TRUE(f.prompter.messages.isEmpty());
    ASSERT_EQ(f.languageList()->count(), 4);
    EXPECT_EQ(f.languageList()->itemText(3), QString("Test"));
    f.prompter.clear();
    f.chooseLanguage(3);  // file 4, which holds no texts: every caption is empty, then "."
    EXPECT_EQ(f.objects().Comm->GetValue("LangFileName"), QString("Gnomo_Language_4.ini"));
    EXPECT_EQ(f.shown("bOKChooseLang"), QString());
    EXPECT_TRUE(f.dir.read("Gnomo_Language_4.ini").startsWith("Language=Test\r\nStartForm=.\r\n"));
}

TEST(LanguagePage, LanguageThatCannotBeReadIsReportedAndChangesNothing) {
    LanguageFixture f;
    f.startAndOpen();
    f.openLanguagePage();
    QFile::remove("Gnomo_Language_1.ini");
    QDir().mkdir("Gnomo_Language_1.ini");  // gone since the list was filled
    f.chooseLanguage(1);
    ASSERT_EQ(f.prompter.messages.size(), 1);
    EXPECT_TRUE(f.prompter.messages[0].contains("Gnomo_Language_1.ini")) << f.prompter.messages[0].toStdString();
    EXPECT_EQ(f.objects().Comm->GetValue("LangFileName"), QString("Gnomo_Language_0.ini"));
    EXPECT_EQ(f.shown("labApplyIniChangesFile"), QString("Gnomo_Language_0.ini"));
    f.expectTextsOf(shipped(0));
}

TEST(LanguagePage, KeysOfThePlacesPanelNotOpenedYetAreWrittenBack) {
    LanguageFixture f;
    const QByteArray withoutKeys = shippedWithout(1, {"btnClearAll", "labPlaceSelect1"});
    f.dir.write(TLang::LanguageFileName(1), withoutKeys);
    f.startAndOpen();
    ASSERT_EQ(f.built<PanelStep1>(), nullptr);  // the class went straight to the teacher's panel
    f.openLanguagePage();
    f.chooseLanguage(1);
    const NameValueList written = NameValueList::fromBytes(f.dir.read(TLang::LanguageFileName(1)));
    EXPECT_EQ(written.value("btnClearAll"), QString("."));
    EXPECT_EQ(written.value("labPlaceSelect1"), QString("."));
    EXPECT_EQ(written.size(), shipped(1).size());
}

TEST(LanguagePage, SwitchingKeepsTheClassChoiceOfPlaces) {
    LanguageFixture f;
    f.dir.write("Gnomora_Cfg.ini", "Place1=Warszawa\r\nPlace2=Krak\xf3w\r\nPlace3=Gda\xf1sk\r\n");
    f.startAndOpen();
    for (int place : {1, 2}) {
        QComboBox *list = f.main->panelStep1()->placeList(place);
        list->setCurrentIndex(place == 1 ? 2 : 0);
        emit list->activated(list->currentIndex());
    }
    f.openLanguagePage();  // leaving step 1 stores the choice
    f.chooseLanguage(2);
    EXPECT_EQ(f.main->panelStep1()->placeList(1)->currentIndex(), 2);
    EXPECT_EQ(f.main->panelStep1()->placeList(2)->currentIndex(), 0);
    QTest::mouseClick(f.main->stepButton(3), Qt::LeftButton);
    EXPECT_TRUE(f.prompter.messages.isEmpty()) << f.prompter.messages.join('|').toStdString();
    EXPECT_EQ(f.main->currentPanel()->objectName(), QString("PanelStep2"));
}

// The toolkit's own texts follow the language file's Locale: message-box buttons and the print
// preview's title, in the run's language and after each switch.
TEST(LanguagePage, TheToolkitSpeaksTheLanguageOfTheFile) {
    LanguageFixture f;
    f.startAndOpen();
    auto buttonTexts = [] {
        QMessageBox box(QMessageBox::Question, QString(), QString(), QMessageBox::Yes | QMessageBox::No);
        return QStringList{box.button(QMessageBox::Yes)->text().remove(u'&'),
                           box.button(QMessageBox::No)->text().remove(u'&')};
    };
    auto previewTitle = [] {
        return Printing::makePreviewDialog(Report::ReportPage(), Printing::PrintJob())->windowTitle();
    };
    EXPECT_EQ(f.start->toolkitLanguage().language(), QString("pl"));
    EXPECT_EQ(buttonTexts(), (QStringList{"Tak", "Nie"}));
    EXPECT_EQ(previewTitle(), QString::fromUtf8("Podgląd wydruku"));
    f.openLanguagePage();
    f.chooseLanguage(2);
    EXPECT_EQ(buttonTexts(), (QStringList{"Ja", "Nein"}));
    f.chooseLanguage(1);
    EXPECT_EQ(buttonTexts(), (QStringList{"Yes", "No"}));
    EXPECT_EQ(previewTitle(), QString("Print Preview"));
}
