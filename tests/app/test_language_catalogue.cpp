// SPDX-License-Identifier: GPL-3.0-or-later
// A whole class run through every window, step, message, picture and the result sheet, once per
// shipped language file and once with an empty one: the shipped files hold every key the program
// looks up, and the program looks up exactly the keys of tests/lang/catalogue_keys.txt.
#include "app/StartText.h"
#include "draw/ShadowDayPlot.h"
#include "draw/TDrawObj.h"
#include "lang/FileErrorText.h"
#include "lang/TLang.h"
#include "lang/WorkFolderUpdate.h"
#include "model/Angles.h"
#include "model/SolarNoon.h"
#include "model/TLogic.h"
#include "print/PagePrinting.h"
#include "store/TComm.h"
#include "store/NameValueList.h"
#include "ui/Guard.h"
#include "report/ResultSheetLayout.h"
#include "session/LessonRecord.h"
#include "session/SavePermission.h"
#include "support/AppFixture.h"
#include "support/LanguageCatalogue.h"
#include "ui/DateBox.h"
#include "ui/PanelStep1.h"
#include "ui/PanelStep5.h"
#include "ui/PanelTech.h"
#include "ui/PictureBox.h"
#include "ui/StepButton.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QLockFile>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimeZone>
#include <gtest/gtest.h>

namespace {

// Two schools with true noon at 12:00, so that the readings below give the model's known answers
// on the fixture's date (20 June 2013, the sun 23°26' north).
// Polish, English, German and Ukrainian (the last one in UTF-8).
constexpr int ShippedLanguages[] = {0, 1, 2, 3};

// A third school has a longitude whose true noon lies hours from the noon configured for it.
const QByteArray TwoSchools = "Place1=Krak\xf3w\r\nPerson11=Ala\r\nPerson12=Olek\r\nNoonH1=12\r\nNoonM1=00\r\n"
                              "Place2=Gda\xf1sk\r\nPerson21=Ewa\r\nNoonH2=12\r\nNoonM2=00\r\n"
                              "Place3=Zakopane\r\nNoonH3=23\r\nNoonM3=00\r\nLongitude3=19.95\r\n";

// A lesson kept beside the newest one by an earlier end of the program.
const QString OlderLesson = QStringLiteral("Gnomora_Lesson-2012-12-21.ini");

// A name that the Windows-1250 configuration cannot hold.
const char *const UkrainianPupil = "Олена Шевченко";

struct CatalogueRun : AppFixture {
    // The working folder holds the shipped languages, the configuration naming the one in use.
    explicit CatalogueRun(const QString &languageFile, const QByteArray &languageBytes) {
        for (int n : ShippedLanguages)
            dir.write(TLang::LanguageFileName(n), shippedFile(TLang::LanguageFileName(n)));
        dir.write(languageFile, languageBytes);
        dir.write("Gnomora_Cfg.ini", cfg = "LangFileName=" + languageFile.toLatin1() + "\r\n" + TwoSchools);
    }
    QByteArray cfg;  // as written at start

    // The steps of the run; each control must be shown when the class uses it.
    void click(const char *button) { ASSERT_TRUE(classRun().click(button)) << button; }
    void clickStep(int index) { classRun().clickStep(index); }
    void type(const char *field, const char *text) { ASSERT_TRUE(classRun().type(field, QString::fromUtf8(text))) << field; }
    void choosePlace(int place, int index) { ASSERT_TRUE(classRun().choose(place, index)) << place; }
    // The reading accepted, noon not computed.
    void measure(const char *hour, const char *minute, const char *shadow, const char *stick = "1000") {
        ClassRun run = classRun();
        ASSERT_TRUE(run.read({hour, minute, shadow, stick})) << run.unreached.join(' ').toStdString();
    }
    QString panel() const { return main->currentPanel()->objectName(); }
    QStringList jobTexts;  // the progress texts of the print jobs

    // Every step of a class run, with each refusal and question the program has on the way.
    void runWholeClass() {
        // Another copy of the program already works in this folder: this one runs without saving.
        QLockFile otherCopy(TStartForm::LockFileName);
        ASSERT_TRUE(otherCopy.tryLock(0));
        prompter.answers.push_back(Prompter::Answer::Yes);
        startProgram();
        openMainWindow();
        ASSERT_EQ(panel(), QString("PanelStep0"));
        clickStep(6);  // printing before anything was chosen: msgNoPlaces
        ASSERT_EQ(panel(), QString("PanelStep1"));
        choosePlace(1, 0);
        choosePlace(2, 1);
        click("btnStep1Next");
        ASSERT_EQ(panel(), QString("PanelStep2"));

        type("edTimeH", "12:30");
        click("btnAcceptTime");  // msgBadTimeH
        type("edTimeH", "16");
        type("edTimeM", "70");
        click("btnAcceptTime");  // msgBadTimeM
        measure("16", "30", "0");  // msgBadShadow
        measure("16", "30", "1000", "12.5");  // msgBadStick
        measure("16", "30", "1000");  // msgSunTooHigh: at 16:30 the sun stands at most 32° high
        measure("16", "30", "2000");  // msgSunTooHigh2080: latitudes 81°6' and 16°1'
        prompter.answers.push_back(Prompter::Answer::No);
        measure("16", "36", "1800");  // latitudes 70°10' and 30°40': the question; No takes 30°40'
        click("btnCalcNoon");
        ASSERT_EQ(objects().Logic->Hei1.State, 3);
        prompter.fileNames.push_back("reading.txt");
        click("btnSaveReading");
        clickStep(2);  // another date with place 1 measured: msgChangeMeasureDate, answered Cancel
        prompter.answers.push_back(Prompter::Answer::Cancel);
        auto *date = main->panelStep1()->findChild<DateBox *>(QStringLiteral("edMeasureDate"));
        date->setDate(date->date().addDays(1));
        emit date->editingFinished();

        clickStep(5);  // msgNoAngleCalculated: place 2 is opened
        ASSERT_EQ(objects().CurrHei, &objects().Logic->Hei2);
        prompter.answers.push_back(Prompter::Answer::No);
        measure("16", "36", "1800");  // the same noon elevation as place 1
        click("btnCalcNoon");
        click("btnSetp2Next");
        ASSERT_EQ(panel(), QString("PanelStep4"));

        clickStep(6);  // msgNoEarthCalculated: the comparison is opened
        ASSERT_EQ(panel(), QString("PanelStep4"));
        type("edDistance", "");
        click("btnAcceptDistance");  // msgNoDistance
        type("edDistance", "0");
        click("btnAcceptDistance");  // msgBadDistance
        type("edDistance", "1000");
        click("btnAcceptDistance");
        click("btnCalcEarth");  // msgNoAngleDiff: both noon elevations are equal

        clickStep(4);  // place 2 again, with a noon elevation a hundred-millionth of a degree apart
        prompter.answers.push_back(Prompter::Answer::No);
        measure("16", "36", "90000001", "50000000");
        click("btnCalcNoon");
        click("btnSetp2Next");
        click("btnCalcEarth");  // msgEarthTooLarge

        clickStep(4);  // place 2 again, from the partner's files: a damaged one, then one of another day
        dir.write("damaged.txt", "GnomoraReading=1\r\nStick=0\r\n");
        prompter.fileNames.push_back("damaged.txt");
        click("btnLoadReading");  // msgReadingRefused
        dir.write("own.txt", "GnomoraReading=1\r\nVersion=1\r\nPlace=Krak\xf3w\r\nDate=2013-06-20\r\n"
                             "TimeH=12\r\nTimeM=0\r\nStick=1000\r\nShadow1=1000\r\n");
        prompter.fileNames.push_back("own.txt");
        click("btnLoadReading");  // msgReadingForOtherPlace: place 1's own file
        prompter.answers.push_back(Prompter::Answer::Yes);
        dir.write("partner.txt", "GnomoraReading=1\r\nVersion=1\r\nPlace=Partner\r\nDate=2013-06-21\r\n"
                                 "TimeH=12\r\nTimeM=0\r\nStick=1000\r\nShadow1=1000\r\n");
        prompter.fileNames.push_back("partner.txt");
        click("btnLoadReading");  // msgReadingReplaces, then msgReadingOtherDate; measured at noon this time
        ASSERT_EQ(objects().Logic->Hei2.State, 3);
        click("btnSetp2Next");
        click("btnCalcEarth");
        ASSERT_EQ(objects().Logic->EarthState, 2);
        click("btnStep4Next");  // the print page with the result sheet
        ASSERT_EQ(panel(), QString("PanelStep5"));  // naming the partner's file
        prompter.fileNames.push_back("results.csv");
        click("btnExportResults");
        type("edPrintCopies", "0");
        click("btnPrint");  // msgBadCopies
        type("edPrintCopies", "2");
        // The printer is played by the scripted print back-end: none, then one that refuses the job.
        for (auto status : {Printing::PrintStatus::NoPrinter, Printing::PrintStatus::Failed}) {
            printer.print = [&, status](const Report::ReportPage &, const QString &, const Printing::PrintJob &job,
                                        QWidget *) {
                jobTexts.append(job.progressText);  // msgPrinting
                return Printing::PrintResult{status, QStringLiteral("Room 12")};
            };
            click("btnPrint");  // msgNoPrinter, then msgPrintFailed
        }

        prompter.answers.push_back(Prompter::Answer::Ok);
        click("btnReset");  // msgAreYouSure, as nothing was printed
        ASSERT_EQ(panel(), QString("PanelStep1"));
        type("edMeasureDate", "31/02/2013");
        emit find<QLineEdit>("edMeasureDate")->editingFinished();  // msgBadDate
        choosePlace(1, 2);
        choosePlace(2, 1);
        click("btnStep1Next");  // the time to go outside under the shadow scene
        ASSERT_TRUE(find<QLabel>("labTrueNoon")->isVisible());

        clickStep(7);
        auto *pages = find<QTabWidget>("TechPageControl");
        for (int i = 0; i < pages->count(); ++i)
            pages->setCurrentIndex(i);
        pages->setCurrentWidget(find<QWidget>("TechPagePlaces"));
        click("btnSavePlaces");  // msgFolderInUseNotSaved
        // As after a configuration that could not be read at start, once the other copy has ended.
        objects().Comm->SavesAllowed = true;
        objects().Comm->CfgUnread = true;
        prompter.answers.push_back(Prompter::Answer::No);
        click("btnSavePlaces");  // msgReplaceUnreadCfg, answered No: nothing is written
        objects().Comm->CfgUnread = false;
        type("edPerson11", UkrainianPupil);
        prompter.answers.push_back(Prompter::Answer::No);
        click("btnSavePlaces");  // msgSaveCfgAsUtf8, answered No: nothing is written
        type("edNoonH1", "0");
        click("btnSavePlaces");  // msgBadNoonH
        type("edNoonH1", "12");
        type("edNoonM1", "60");
        click("btnSavePlaces");  // msgBadNoonM
        type("edNoonM1", "00");
        type("edLongitude1", "21 E");
        click("btnSolarNoon1");  // msgBadLongitude
        main->panelTech()->setTimeZone(QTimeZone::utc());
        type("edLongitude1", "180");
        click("btnSolarNoon1");  // msgNoonOutsideHours: noon in the hour after midnight
        // A lesson kept by an earlier run with an older one beside it (msgContinueLesson,
        // msgOtherLessonKept), left for later: ending this run asks before replacing it
        // (msgReplaceLesson, answered No); and one damaged since (msgLessonRefused).
        LessonRecord::keep(objects().Session->Values);
        dir.write(OlderLesson, "LessonRecord=1\r\n");
        prompter.answers.push_back(Prompter::Answer::Closed);
        start->offerKeptLesson();
        prompter.answers.push_back(Prompter::Answer::No);
        ASSERT_EQ(keepRunAsLesson(*objects().Session, *objects().Logic, *objects().Lang, prompter), LessonEnd::Dropped);
        dir.write("Gnomora_Lesson.ini", "LessonRecord=1\r\nHeiState1=3\r\n");
        start->offerKeptLesson();
        main->close();  // and shown once more, as a class comes back to it
        openMainWindow();
        ASSERT_EQ(panel(), QString("PanelTech"));
        ASSERT_TRUE(prompter.answers.empty());
    }

    // Each text shown in either window: captions, titles, tab texts and the welcome text.
    QStringList textsShown() const {
        QStringList texts{start->windowTitle(), main->windowTitle(),
                          start->findChild<StartText *>("edStartText")->toPlainText()};
        for (const QWidget *window : {static_cast<QWidget *>(start.get()), static_cast<QWidget *>(main.get())}) {
            for (const QLabel *label : window->findChildren<QLabel *>())
                texts.append(label->text());
            for (const QAbstractButton *button : window->findChildren<QAbstractButton *>())
                texts.append(button->text());
            for (const QTabWidget *tabs : window->findChildren<QTabWidget *>())
                for (int i = 0; i < tabs->count(); ++i)
                    texts.append(tabs->tabText(i));
        }
        return texts;
    }
};

}  // namespace

TEST(LanguageCatalogue, EveryShippedLanguageHoldsEveryKeyOfAWholeRun) {
    for (int n : ShippedLanguages) {
        SCOPED_TRACE(n);
        const QString name = TLang::LanguageFileName(n);
        const QByteArray bytes = AppFixture::shippedFile(name);
        const NameValueList file = NameValueList::fromBytes(bytes);
        CatalogueRun run(name, bytes);
        run.runWholeClass();
        if (testing::Test::HasFatalFailure())
            return;

        const TLang &lang = *run.objects().Lang;
        EXPECT_FALSE(lang.Changed) << "added: " << lang.Texts.lines().mid(file.size()).join(", ").toStdString();
        EXPECT_FALSE(run.textsShown().contains(".")) << run.textsShown().join(" | ").toStdString();
        const QStringList messages = {"msgNoPlaces",      "msgBadTimeH",          "msgBadTimeM",
                                      "msgBadShadow",     "msgBadStick",          "msgSunTooHigh",
                                      "msgSunTooHigh2080", "msgNoAngleCalculated", "msgNoEarthCalculated",
                                      "msgNoDistance",    "msgBadDistance",       "msgNoAngleDiff",
                                      "msgEarthTooLarge", "msgBadCopies",     "msgNoPrinter"};
        QStringList expected;
        for (const QString &key : messages) {
            if (key == "msgBadCopies") {
                expected.append(file.value("msgReadingRefused").arg("damaged.txt", "Version"));
                expected.append(file.value("msgReadingForOtherPlace").arg("own.txt", QString::fromUtf8("Kraków"), "1", "2"));
                const QString format = run.objects().Logic->ShortDateFormat();
                expected.append(file.value("msgReadingOtherDate")
                                    .arg("partner.txt", QDate(2013, 6, 21).toString(format),
                                         run.objects().Logic->MeasureDay().toString(format)));
                expected.append(file.value("msgFileSaved").arg(QDir::toNativeSeparators(run.dir.file("results.csv"))));
            }
            expected.append(file.value(key));
            if (key == "msgSunTooHigh2080")
                expected.append(file.value("msgFileSaved").arg(QDir::toNativeSeparators(run.dir.file("reading.txt"))));
        }
        expected.append(file.value("msgPrintFailed").arg("Room 12"));
        expected.append(file.value("msgBadDate"));
        expected.append(file.value("msgFolderInUseNotSaved"));
        EXPECT_EQ(run.jobTexts, QStringList(2, file.value("msgPrinting")));
        for (const char *key : {"msgBadNoonH", "msgBadNoonM", "msgBadLongitude"})
            expected.append(file.value("labPlace1") + " " + file.value(key));
        const SolarNoon::ClockTime noon = *SolarNoon::noonClockTime(QDate(2013, 6, 20), 180, QTimeZone::utc());
        ASSERT_EQ(noon.hour, 0);
        expected.append(file.value("labPlace1") + " " +
                        file.value("msgNoonOutsideHours").arg(QString("0:%1").arg(noon.minute, 2, 10, QChar('0'))));
        expected.append(file.value("msgLessonRefused"));
        EXPECT_EQ(run.prompter.messages, expected);
        ASSERT_EQ(run.prompter.questions.size(), 11);
        EXPECT_EQ(run.prompter.questions.takeFirst(), file.value("msgFolderInUse"));
        const QString format = run.objects().Logic->ShortDateFormat();
        const QDate today = run.objects().Logic->MeasureDay();
        EXPECT_EQ(run.prompter.questions.takeLast(),
                  file.value("msgReplaceLesson")
                      .arg(today.toString(format), "Zakopane", "Gda\u0144sk",
                           "Gnomora_Lesson-" + today.toString(Qt::ISODate) + ".ini"));
        EXPECT_EQ(run.prompter.questions.takeLast(),
                  file.value("msgContinueLesson") + "\n\n" +
                      file.value("msgOtherLessonKept").arg(QDir::toNativeSeparators(run.dir.file(OlderLesson))));
        EXPECT_EQ(run.prompter.questions.takeLast(), file.value("msgSaveCfgAsUtf8").arg(QString::fromUtf8(UkrainianPupil)));
        EXPECT_EQ(run.prompter.questions.takeLast(), file.value("msgReplaceUnreadCfg"));
        const QString latitudes = file.value("msgTwoLattitudes") + "\r\n" + file.value("msgLattitudeYes") +
                                  QString::fromUtf8(" 70°10'\r\n") + file.value("msgLattitudeNo") +
                                  QString::fromUtf8(" 30°40'");
        EXPECT_EQ(run.prompter.questions[0], latitudes);
        EXPECT_EQ(run.prompter.questions[1], file.value("msgChangeMeasureDate"));
        EXPECT_EQ(run.prompter.questions[2], latitudes);
        EXPECT_EQ(run.prompter.questions[3], latitudes);
        EXPECT_EQ(run.prompter.questions[4], file.value("msgReadingReplaces")
                                                 .arg("2", QString::fromUtf8("Gdańsk"), "16:36", "50000000", "90000001",
                                                      "Partner", "partner.txt"));
        EXPECT_EQ(run.prompter.questions[5], file.value("msgAreYouSure"));
        for (const QString &text : run.prompter.messages + run.prompter.questions)
            EXPECT_FALSE(text.isEmpty() || text == ".");
        EXPECT_EQ(run.dir.read(name), bytes);  // nothing was written into the file
        EXPECT_EQ(run.dir.read("Gnomora_Cfg.ini"), run.cfg);  // nor into the configuration
    }
}

TEST(LanguageCatalogue, TheProgramLooksUpExactlyTheCatalogueKeys) {
    CatalogueRun run(TLang::DefaultFileName, QByteArray());
    run.runWholeClass();
    if (testing::Test::HasFatalFailure())
        return;
    // The general error report, for every kind of file failure and for a lack of memory, and a
    // language file the list passes over.
    TLang &lang = *run.objects().Lang;
    for (int kind = 0; kind <= int(FileError::Kind::OutOfMemory); ++kind)
        reportError(run.prompter, FileError(FileError::Kind(kind), "x.jpg", "detail", 1), &lang);
    reportError(run.prompter, std::bad_alloc(), &lang);
    // The questions and the message about the folder's lock.
    folderLockQuestion({QStringLiteral("sala-23"), 4242, {}, {}}, TStartForm::LockFileName, lang);
    folderLockQuestion({}, TStartForm::LockFileName, lang);
    folderLockRefusedText(FileError(FileError::Kind::NotRegularFile, TStartForm::LockFileName), lang);
    // What an upgrade did to the working folder's copies.
    folderUpdateText({{"place1.jpg"}, {"Gnomo_Language_0.ini"}, {"Gnomo_Language_1.ini"}}, lang);
    QFile oversized(TLang::LanguageFileName(9));
    ASSERT_TRUE(oversized.open(QIODevice::WriteOnly) && oversized.resize(FileIo::maxBytes(FileKind::Language) + 1));
    lang.FillLangList();
    // The day's shadow where the sun does not set: 70 deg north at midsummer.
    THeiObj &north = run.objects().Logic->Hei1;
    north.State = 2;
    north.Stick = 1000;
    north.SunPlaneAngle = DegToRad(20);
    north.EquinoxDispl = std::sin(DegToRad(23.4));
    north.EquinoxRadius = std::cos(DegToRad(23.4));
    PictureBox plot;
    plot.resize(200, 120);
    ASSERT_TRUE(run.objects().DrawStep2->DrawShadowDay(north, {}, plot));
    // The texts of repeated readings and of the virtual partner, which the class's run never meets.
    // The print page's status line names a printer, or none, as the computer has; a job sent.
    for (const char *key : {"labShadowReadingsText", "msgBadShadowReadings", "labUncertaintyText", "labMeridianInside",
                            "labMeridianOutside", "picShadowSceneVirtual", "PrintVirtualPartner", "PrintRow5Alone",
                            "PrintRow6Alone", "labVirtualDistanceNorth", "labVirtualDistanceSouth", "labPrintTarget",
                            "labPrintSent", "labPrintNoPrinter", "labTrueNoonOn",
                            "labNoonSet", "labTrueNoonToday"})
        lang.GetText(QLatin1String(key));
    QStringList added;  // every key was missing, so every lookup added a line "key=."
    for (const QString &line : run.objects().Lang->Texts.lines()) {
        EXPECT_TRUE(line.endsWith("=.")) << line.toStdString();
        added.append(NameValueList::keyOf(line));
    }
    QStringList catalogue = catalogueKeys();
    ASSERT_EQ(catalogue.size(), 325);
    EXPECT_EQ(added.size(), QSet<QString>(added.begin(), added.end()).size());  // each key once
    added.sort();
    catalogue.sort();
    EXPECT_EQ(added, catalogue);
    EXPECT_FALSE(added.contains("Language"));  // the display name is never looked up
}

namespace {

// What the toolkit itself shows in a run: the buttons of a question, the print preview's title,
// buttons and tool tips, and an edit box's context menu.
QStringList toolkitTexts(const Report::ReportPage &sheet) {
    QStringList texts;
    QMessageBox box(QMessageBox::Question, QString(), QString(), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    for (QAbstractButton *button : box.buttons())
        texts << button->text().remove(u'&');
    const auto preview = Printing::makePreviewDialog(sheet, Printing::PrintJob{});
    texts << preview->windowTitle();
    for (const QAction *action : preview->findChildren<QAction *>())
        texts << action->text().remove(u'&') << action->toolTip();
    QLineEdit edit;
    const std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    for (const QAction *action : menu->actions())
        texts << action->text().remove(u'&').section(u'\t', 0, 0);
    texts.removeAll(QString());
    return texts;
}

}  // namespace

// A whole class run in another language shows no English: no text of the English language file
// that the run's own file words differently, and none of the toolkit's own English words.
TEST(LanguageCatalogue, ARunInAnotherLanguageShowsNoEnglish) {
    const NameValueList english = NameValueList::fromBytes(AppFixture::shippedFile(TLang::LanguageFileName(1)));
    // The toolkit's own words before any translation is installed.
    const QStringList englishToolkit = toolkitTexts(Report::resultSheetPage());
    for (int n : {0, 2, 3}) {
        SCOPED_TRACE(n);
        const QString name = TLang::LanguageFileName(n);
        const NameValueList file = NameValueList::fromBytes(AppFixture::shippedFile(name));
        CatalogueRun run(name, AppFixture::shippedFile(name));
        run.runWholeClass();
        if (testing::Test::HasFatalFailure())
            return;
        QStringList englishOnly;
        for (const QString &line : english.lines()) {
            const QString key = NameValueList::keyOf(line), text = NameValueList::valueOf(line);
            if (text.size() > 3 && text != file.value(key) && !text.contains(u'%'))
                englishOnly << text;
        }
        const QStringList toolkit = toolkitTexts(run.objects().ResultSheet);
        const QStringList shown = run.textsShown() + run.prompter.messages + run.prompter.questions + toolkit;
        for (const QString &text : shown)
            for (const QString &englishText : englishOnly)
                EXPECT_FALSE(text == englishText || (englishText.size() > 12 && text.contains(englishText)))
                    << "English \"" << englishText.toStdString() << "\" in: " << text.toStdString();
        // The toolkit's words that every language has its own for.
        for (const char *word : {"Yes", "No", "Cancel", "Print Preview", "Next page", "Zoom in", "Copy", "Paste"}) {
            EXPECT_TRUE(englishToolkit.contains(QLatin1String(word))) << word;
            EXPECT_FALSE(toolkit.contains(QLatin1String(word))) << word << " in " << toolkit.join(", ").toStdString();
        }
    }
}
