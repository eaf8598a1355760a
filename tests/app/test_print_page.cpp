// SPDX-License-Identifier: GPL-3.0-or-later
// The print page driven as a user would: a whole run, then the sheet as a printer receives it, the
// proposed copies, preview, print and reset. The print queue test needs the test print queue of
// support/CupsQueue.h, which writes each job as a PDF.
#include "lang/TLang.h"
#include "model/Angles.h"
#include "model/TLogic.h"
#include "print/PagePrinting.h"
#include "support/PageOutput.h"
#include "session/TSession.h"
#include "store/TComm.h"
#include "support/CupsQueue.h"
#include "support/LanguageCatalogue.h"
#include "support/MainWindowFixture.h"
#include "support/ToolRun.h"
#include "ui/PanelStep5.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <array>
#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <optional>

namespace {

using Pupils = std::array<const char *, 4>;

// A complete run: place 1 Gdańsk measured at 12:05, place 2 Kraków at 11:40, 1000 km apart,
// the Earth computed; the print page open.
struct PrintRun : MainWindowFixture {
    explicit PrintRun(Pupils place1 = {"Anna Nowak", "Bartek Lis", "Cezary Bąk", "Dorota Kos"},
                      Pupils place2 = {"", "Ewa Wróbel", "", "Filip Mak"}) {
        ClassRun run = classRun();
        EXPECT_TRUE(run.choosePlaces());
        typePupils(place1, place2);
        EXPECT_TRUE(run.measureAndCompare()) << run.unreached.join(' ').toStdString();
        clickStep(6);
    }

    void typePupils(Pupils place1, Pupils place2) {
        for (int i = 0; i < 4; ++i) {
            person(1, i + 1)->setText(QString::fromUtf8(place1[i]));
            person(2, i + 1)->setText(QString::fromUtf8(place2[i]));
        }
    }

    QLineEdit *edit(const char *name) { return find<QLineEdit>(name); }
    TLogic &logic() { return *objects().Logic; }
    PanelStep5 *panel() { return main->panelStep5(); }
    const Report::ReportPage &sheet() { return objects().ResultSheet; }
    QString panelShown() { return main->currentPanel()->objectName(); }
    QString copies() { return edit("edPrintCopies")->text(); }
    std::map<QString, QString> captions() {
        std::map<QString, QString> all;
        for (const Report::PageLabel &label : sheet().labels)
            all[label.name] = label.caption;
        return all;
    }
};

// A word of pdftotext's -bbox output: its text and top edge in millimetres from the paper's top.
struct PdfWord {
    QString text;
    double topMm;
};

QList<PdfWord> pdfWords(const QString &pdf) {
    const ToolRun run = runTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), QStringLiteral("-enc"),
                                                              QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
    QList<PdfWord> words;
    const QRegularExpression word(QStringLiteral("<word xMin=\"[-\\d.]+\" yMin=\"([-\\d.]+)\"[^>]*>([^<]*)</word>"));
    for (auto it = word.globalMatch(run.output); it.hasNext();) {
        const auto m = it.next();
        words.append({m.captured(2), m.captured(1).toDouble() * 25.4 / 72.0});
    }
    return words;
}

// The line of the pupils' block (1 to 8) that a word at this height stands on: the lines are
// 6.35 mm apart from 61.38 mm below the band's top, which is 10 mm below the paper's top.
int pupilLine(double topMm) { return static_cast<int>(std::lround((topMm - 10.0 - 61.38) / 6.35)) + 1; }

}  // namespace

TEST(PrintPage, TheSheetAsAPrinterReceivesIt) {
    if (toolsUnavailable)
        GTEST_SKIP() << toolsUnavailable;
    PrintRun run;
    ASSERT_TRUE(run.prompter.messages.isEmpty()) << run.prompter.messages.join('|').toStdString();
    ASSERT_EQ(run.panelShown(), QString("PanelStep5"));
    EXPECT_EQ(run.copies(), QString("4"));  // four pupils at place 1, two at place 2
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("sheet.pdf"));
    Report::writePagePdf(run.sheet(), pdf);
    const ToolRun text = runTool(QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf,
                                                               QStringLiteral("-")});
    ASSERT_TRUE(text.ok) << text.output.toStdString();
    const QString out = text.output.normalized(QString::NormalizationForm_KC);

    // every caption is printed, the headings in the program's language, the measurement's date in
    // the line that states it
    const QStringList headings = sheetHeadings();
    ASSERT_FALSE(headings.isEmpty());
    for (const Report::PageLabel &label : run.sheet().labels) {
        if (headings.contains(label.name)) {
            EXPECT_FALSE(label.caption.isEmpty()) << label.name.toStdString();
            EXPECT_EQ(label.caption, FillPlaceholders(run.text(label.name.toLatin1().constData()), {"20/06/2013"}));
        }
        EXPECT_TRUE(out.contains(label.caption)) << label.name.toStdString() << ": " << label.caption.toStdString();
    }
    EXPECT_EQ(run.sheet().caption("PrintYield3"), QString("12:05"));
    EXPECT_TRUE(out.contains(QStringLiteral("12:05\n")));
    EXPECT_GT(run.logic().EarthSize, 10000);
    EXPECT_TRUE(out.contains(QString::number(run.logic().EarthSize) + QStringLiteral(" km")));
    EXPECT_TRUE(out.contains(QStringLiteral("20/06/2013")));
    EXPECT_TRUE(out.contains(QString::fromUtf8("Gdańsk")));

    // each pupil on the line of their place in the list; the empty lines 5 and 7 stay empty
    const std::pair<const char *, int> pupils[] = {{"Anna", 1}, {"Bartek", 2}, {"Cezary", 3},
                                                   {"Dorota", 4}, {"Ewa", 6},    {"Filip", 8}};
    const QList<PdfWord> words = pdfWords(pdf);
    ASSERT_FALSE(words.isEmpty());
    for (const auto &[first, line] : pupils) {
        const auto it = std::find_if(words.begin(), words.end(),
                                     [&](const PdfWord &w) { return w.text == QLatin1String(first); });
        ASSERT_NE(it, words.end()) << first;
        EXPECT_EQ(pupilLine(it->topMm), line) << first << " at " << it->topMm << " mm";
    }
}

// Every result has its uncertainty, a single reading's too, and step 4 says what it includes.
TEST(PrintPage, TheUncertaintyWithEveryResult) {
    PrintRun run;  // one reading at each place
    EXPECT_EQ(run.sheet().caption("PrintYield3a"), QString("800 mm"));
    run.clickStep(5);
    EXPECT_EQ(run.sheet().caption("PrintYield14"), run.find<QLabel>("labUncertaintyRes")->text());
    EXPECT_GT(run.logic().EarthUncertaintyKm().value_or(0), 0);
    EXPECT_EQ(run.find<QLabel>("labUncertaintyIncludes")->text(), run.text("labUncertaintyIncludes"));
    EXPECT_FALSE(run.find<QWidget>("labUncertaintyIncludes")->isHidden());
    EXPECT_TRUE(run.find<QWidget>("labVirtualDistance")->isHidden());  // a partner school: no map to measure on

    for (int place : {1, 2, 3}) {  // 3: place 1 with five identical readings
        SCOPED_TRACE(place);
        PrintRun again;
        again.clickStep(place == 2 ? 4 : 3);
        const Reading repeated = place == 1   ? Reading{"12", "5", "800;805;795;802;798"}
                                 : place == 2 ? Reading{"11", "40", "1000;1010;990;1004;996"}
                                              : Reading{"12", "5", "800;800;800;800;800"};
        ASSERT_TRUE(again.classRun().measure(repeated));
        again.clickStep(5);
        again.click("btnCalcEarth");
        const TLogic &logic = again.logic();
        const std::optional<std::int32_t> uncertainty = logic.EarthUncertaintyKm();
        ASSERT_TRUE(uncertainty);
        EXPECT_GT(*uncertainty, 0);
        EXPECT_FALSE(again.find<QWidget>("labUncertaintyRes")->isHidden());
        EXPECT_EQ(again.find<QLabel>("labUncertaintyRes")->text(),
                  again.text("labUncertaintyText").arg(QString::number(logic.EarthSize), QString::number(*uncertainty)));
        const bool inside = std::abs(logic.EarthSize - TLogic::MeridionalCircumferenceKm) <= *uncertainty;
        EXPECT_EQ(again.find<QLabel>("labUncertaintyVerdict")->text(),
                  again.text(inside ? "labMeridianInside" : "labMeridianOutside"));
        again.clickStep(6);
        // The mean and its uncertainty where the place repeated its reading, with the language's
        // decimal mark (a comma in Polish, as on the panel): readings that agree still keep the
        // ruler's millimetre. The other place's single shadow as before.
        const char *means[] = {"800,0 ± 1,7 mm", "1000,0 ± 3,4 mm", "800,0 ± 0,3 mm"};
        EXPECT_EQ(again.sheet().caption(place == 2 ? "PrintYield8a" : "PrintYield3a"), QString::fromUtf8(means[place - 1]));
        EXPECT_EQ(again.sheet().caption(place == 2 ? "PrintYield3a" : "PrintYield8a"),
                  place == 2 ? QString("800 mm") : QString("1000 mm"));
        EXPECT_EQ(again.sheet().caption("PrintYield14"), again.find<QLabel>("labUncertaintyRes")->text());
    }
}

TEST(PrintPage, TheSheetSaysThePartnerWasVirtual) {
    PrintRun run;
    run.clickStep(2);
    QComboBox *list = run.main->panelStep1()->placeList(2);
    run.choose(2, list->findData(THeiObj::VirtualPartnerPlaceNo));
    run.clickStep(4);
    run.clickStep(5);
    run.click("btnCalcEarth");
    run.clickStep(6);
    ASSERT_EQ(run.panelShown(), QString("PanelStep5"));
    EXPECT_EQ(run.sheet().caption("PrintYield7"), run.text("VirtualPartnerPlace"));
    EXPECT_EQ(run.sheet().caption("PrintYield8a"), run.text("PrintVirtualPartner"));
    EXPECT_EQ(run.sheet().caption("PrintYield9"), QString());
    EXPECT_EQ(run.sheet().caption("PrintYield11"), QString::fromUtf8("90°"));
    EXPECT_EQ(run.sheet().caption("PrintYield3a"), QString("800 mm"));
    // Worded for a class alone, issued at its school.
    EXPECT_EQ(run.sheet().caption("PrintRow5"), FillPlaceholders(run.text("PrintRow5Alone"), {"20/06/2013"}));
    EXPECT_EQ(run.sheet().caption("PrintRow6"), FillPlaceholders(run.text("PrintRow6Alone"), {"20/06/2013"}));
    EXPECT_EQ(run.sheet().caption("PrintFooter3"), QString::fromUtf8("Gdańsk"));

    // Step 4 says which distance to type: from the school to the June declination, north.
    run.clickStep(5);
    EXPECT_FALSE(run.find<QWidget>("labVirtualDistance")->isHidden());
    EXPECT_EQ(run.find<QLabel>("labVirtualDistance")->text(),
              FillPlaceholders(run.text("labVirtualDistanceNorth"),
                               {QString::fromUtf8("Gdańsk"), AngleToText(run.logic().Hei2.Latitude())}));
    EXPECT_TRUE(run.find<QLabel>("labVirtualDistance")->text().contains(QString::fromUtf8("23°26'")));
}

// The results go to a table in the file named in the dialog; the sheet names a reading that came
// from the partner's file.
TEST(PrintPage, ExportsTheResultsAndNamesALoadedReading) {
    PrintRun r;
    r.prompter.fileNames.push_back("");  // the dialog closed: nothing written
    r.click("btnExportResults");
    r.prompter.fileNames.push_back(r.dir.file("results.csv"));
    r.click("btnExportResults");
    EXPECT_EQ(r.prompter.messages, QStringList{r.text("msgFileSaved").arg(QDir::toNativeSeparators(r.dir.file("results.csv")))});
    // Proposed in the documents folder, named in the class's language after both places and the day,
    // until a table was saved: then where it went.
    r.prompter.fileNames.push_back("");
    r.click("btnExportResults");
    const QString proposed = QString::fromUtf8("Wyniki_Gdańsk_Kraków_2013-06-20.csv");
    const QString documents = QFileInfo(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)).isDir()
                                  ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
                                  : QDir::homePath();  // an account without a documents folder
    EXPECT_EQ(r.prompter.fileProposals, QStringList({QDir(documents).filePath(proposed), QDir(documents).filePath(proposed),
                                                     QDir(r.dir.path()).filePath(proposed)}));
    const QByteArray bytes = r.dir.read("results.csv");
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));  // UTF-8, as spreadsheets recognise it
    const QStringList rows = QString::fromUtf8(bytes.mid(3)).split("\r\n");
    ASSERT_EQ(rows.size(), 7);  // CR LF after the last row too
    // In Polish: decimal commas, so fields are separated by semicolons.
    EXPECT_TRUE(rows[0].startsWith(r.text("csvDate") + ";" + r.text("csvPlace") + ";"));
    EXPECT_EQ(rows[0].count(';'), 13);
    EXPECT_TRUE(rows[1].startsWith(QString::fromUtf8("2013-06-20;Gdańsk;12:05;1000;800;;;;;800,00;;51,34;"))) << rows[1].toStdString();
    EXPECT_TRUE(rows[2].startsWith(QString::fromUtf8("2013-06-20;Kraków;11:40;1000;1000;;;;;1000,00;;45,00;"))) << rows[2].toStdString();
    EXPECT_EQ(rows[3], QString());
    const QString deviation = QString::number(TLogic::DeviationPercent(r.logic().EarthSize), 'f', 1).replace('.', ',');
    EXPECT_EQ(rows[5], QString("1000;%1;%2;%3;%4")
                           .arg(QString::number(r.logic().HeiDiff * 180 / M_PI, 'f', 2).replace('.', ','))
                           .arg(r.logic().EarthSize)
                           .arg(*r.logic().EarthUncertaintyKm())
                           .arg(deviation));
    EXPECT_EQ(QDir(r.dir.path()).entryList({"*.csv"}), QStringList{"results.csv"});
    EXPECT_EQ(r.captions()["PrintYield7"], QString::fromUtf8("Kraków"));

    // Place 2 again, from the partner's file with the same values: the same circumference.
    r.clickStep(4);
    r.dir.write("partner.txt", "GnomoraReading=1\r\nVersion=1\r\nPlace=Krak\xf3w\r\nDate=2013-06-20\r\n"
                               "TimeH=11\r\nTimeM=40\r\nStick=1000\r\nShadow1=1000\r\n");
    r.prompter.fileNames.push_back("partner.txt");
    r.prompter.answers.push_back(Prompter::Answer::Yes);  // place 2 is measured: replace it
    r.click("btnLoadReading");
    r.clickStep(6);
    ASSERT_EQ(r.panelShown(), QString("PanelStep5"));
    EXPECT_EQ(r.captions()["PrintYield7"], QString::fromUtf8("Kraków\n") + r.text("PrintReadingFrom").arg("partner.txt"));
    EXPECT_EQ(r.captions()["PrintYield2"], QString::fromUtf8("Gdańsk"));
}

TEST(PrintPage, ProposedCopiesFollowPlaceOnesPupilsOnEveryEntry) {
    struct Row {
        Pupils place1, place2;
        const char *copies;
        const char *why;
    };
    const Row rows[] = {
        {{"", "", "", ""}, {"Ewa", "Jan", "", ""}, "0", "only the pupils of place 1 are counted"},
        {{"", "Bartek", "", "Dorota"}, {"", "", "", ""}, "2", "empty lines between names count for nothing"},
        {{"Anna", "Bartek", "Cezary", "Dorota"}, {"Ewa", "Jan", "", ""}, "4", "every line of place 1 filled"},
    };
    PrintRun run;
    for (const Row &row : rows) {
        SCOPED_TRACE(row.why);
        run.clickStep(2);
        run.typePupils(row.place1, row.place2);
        run.edit("edPrintCopies")->setText("7");  // typed and not printed: lost on leaving
        run.clickStep(6);
        EXPECT_EQ(run.copies(), QString(row.copies));
        EXPECT_EQ(run.sheet().caption("PrintName1"), QString::fromUtf8(row.place1[0]));
        EXPECT_EQ(run.sheet().caption("PrintName6"), QString::fromUtf8(row.place2[1]));
    }
}

TEST(PrintPage, ResetAsksOnlyWhileTheSheetIsUnprinted) {
    struct Row {
        bool printed;
        std::optional<Prompter::Answer> answer;  // none: no question may come
        bool cleared;
        const char *why;
    };
    const Row rows[] = {{true, std::nullopt, true, "nothing unprinted to lose: nothing to ask"},
                        {false, Prompter::Answer::Ok, true, "the teacher agrees to lose the unprinted work"},
                        {false, Prompter::Answer::Cancel, false, "and changes their mind"}};
    for (const Row &row : rows) {
        SCOPED_TRACE(row.why);
        PrintRun run;
        run.logic().Printed = row.printed;
        if (row.answer)
            run.prompter.answers.push_back(*row.answer);
        run.click("btnReset");
        EXPECT_EQ(run.prompter.questions.size(), row.answer ? 1 : 0);
        if (row.answer) {
            EXPECT_EQ(run.prompter.questions.value(0), run.text("msgAreYouSure"));
        }
        EXPECT_TRUE(run.prompter.messages.isEmpty()) << run.prompter.messages.join('|').toStdString();
        EXPECT_EQ(run.panelShown(), QString(row.cleared ? "PanelStep1" : "PanelStep5"));
        EXPECT_EQ(run.logic().EarthState, row.cleared ? 0 : 2);
        EXPECT_EQ(run.person(1, 1)->text(), row.cleared ? QString() : QString("Anna Nowak"));
        if (row.cleared) {
            EXPECT_FALSE(run.logic().Printed);  // a new run starts unprinted
        }
    }
}

TEST(PrintPage, PreviewShowsTheSheetAndChangesNothingHoweverOftenOpened) {
    PrintRun run;
    struct Call {
        const Report::ReportPage *sheet;
        int copies;
        QWidget *parent;
        QString title;
    };
    QList<Call> calls;
    run.printer.preview = [&](const Report::ReportPage &sheet, const Printing::PrintJob &job, QWidget *parent) {
        calls.append({&sheet, job.copies, parent, sheet.caption("PrintRow1")});
    };
    const auto captions = run.captions();
    const QStringList session = run.objects().Session->Values.lines();
    run.edit("edPrintCopies")->setText("3");
    for (int i = 0; i < 3; ++i)
        run.click("btnPreview");

    ASSERT_EQ(calls.size(), 3);
    for (const Call &call : calls) {
        EXPECT_EQ(call.sheet, &run.sheet());
        EXPECT_EQ(call.copies, 3);  // printing from the preview takes the typed count
        EXPECT_EQ(call.parent, run.main.get());
        EXPECT_EQ(call.title, run.text("PrintRow1"));
    }
    EXPECT_EQ(run.captions(), captions);
    EXPECT_EQ(run.objects().Session->Values.lines(), session);
    EXPECT_EQ(run.copies(), QString("3"));
    EXPECT_EQ(run.panelShown(), QString("PanelStep5"));
    EXPECT_FALSE(run.logic().Printed);
    EXPECT_TRUE(run.prompter.messages.isEmpty());

    // looking at the sheet needs no count: one that printing refuses presets one copy
    run.edit("edPrintCopies")->setText("0");
    run.click("btnPreview");
    ASSERT_EQ(calls.size(), 4);
    EXPECT_EQ(calls[3].copies, 1);
    EXPECT_TRUE(run.prompter.messages.isEmpty());
}

TEST(PrintPage, WithoutAPrinterTheUserIsToldAndTheRunStillAsksBeforeClearing) {
    PrintRun run;
    int lookups = 0;
    run.printer.printerName = [&] {
        ++lookups;
        return QString();
    };
    run.click("btnPrint");
    EXPECT_EQ(lookups, 1);
    EXPECT_EQ(run.prompter.messages, QStringList{run.text("msgNoPrinter")});
    EXPECT_FALSE(run.logic().Printed);

    run.prompter.clear();
    run.prompter.answers.push_back(Prompter::Answer::Cancel);
    run.click("btnReset");
    EXPECT_EQ(run.prompter.questions, QStringList{run.text("msgAreYouSure")});
    EXPECT_EQ(run.logic().EarthState, 2);
}

// What reaches the printer through the print back-end, and what counts as printed.
struct RecordedJob {
    int copies;
    QWidget *parent;
};

TEST(PrintPage, OnlyCopiesFromOneTo999ReachThePrinter) {
    PrintRun run;
    QList<RecordedJob> jobs;
    run.printer.print = [&](const Report::ReportPage &sheet, const QString &, const Printing::PrintJob &job,
                            QWidget *parent) {
        EXPECT_EQ(&sheet, &run.sheet());
        jobs.append({job.copies, parent});
        return Printing::PrintResult{Printing::PrintStatus::Sent, QString()};
    };
    // Which numbers count is the model's matter; the box reads its own text and hands the count on.
    struct Row {
        const char *typed;
        int copies;  // 0: refused
        const char *why;
    };
    const Row rows[] = {{"1000", 0, "one copy past the most: refused, the box kept as typed"},
                        {" 7 ", 7, "the box's text as typed, spaces and all, gives the job's copies"},
                        {"999", 999, "the most copies go out in one job"}};
    for (const Row &r : rows) {
        SCOPED_TRACE(r.why);
        run.logic().Printed = false;
        run.prompter.clear();
        jobs.clear();
        run.edit("edPrintCopies")->setText(r.typed);
        run.click("btnPrint");
        if (r.copies == 0) {
            EXPECT_EQ(run.prompter.messages, QStringList{run.text("msgBadCopies")});
            EXPECT_TRUE(jobs.isEmpty());
            EXPECT_FALSE(run.logic().Printed);
            EXPECT_EQ(run.copies(), QString(r.typed));
            EXPECT_TRUE(run.edit("edPrintCopies")->hasFocus());
        } else {
            EXPECT_TRUE(run.prompter.messages.isEmpty());
            ASSERT_EQ(jobs.size(), 1);
            EXPECT_EQ(jobs[0].copies, r.copies);
            EXPECT_EQ(jobs[0].parent, run.panel());
            EXPECT_TRUE(run.logic().Printed);
        }
    }
}

TEST(PrintPage, PrintedOnlyWhenThePrinterTookTheJob) {
    struct Row {
        Printing::PrintStatus status;
        const char *printer;
        bool printed;
        const char *why;
    };
    const Row rows[] = {{Printing::PrintStatus::Sent, "Room 12", true, "the printer took the job"},
                        {Printing::PrintStatus::NoPrinter, "", false, "no printer to take it"},
                        {Printing::PrintStatus::Failed, "Staffroom laser", false, "a printer that refused it"}};
    for (const Row &r : rows) {
        PrintRun run;
        SCOPED_TRACE(r.why);
        // The page names the printer and the copies before anything is printed.
        run.printer.printerName = [&] { return QString::fromLatin1(r.printer); };
        run.clickStep(6);
        const QLabel *status = run.find<QLabel>("labPrintStatus");
        const QString target = run.text("labPrintTarget").arg(r.printer, "4");
        EXPECT_EQ(status->text(), *r.printer ? target : run.text("labPrintNoPrinter"));
        int jobs = 0;
        run.printer.print = [&](const Report::ReportPage &, const QString &, const Printing::PrintJob &job, QWidget *) {
            EXPECT_EQ(job.copies, 4);  // the proposed count: four pupils at place 1
            ++jobs;
            EXPECT_EQ(job.progressText, run.text("msgPrinting"));
            return Printing::PrintResult{r.status, QString::fromLatin1(r.printer)};
        };
        run.click("btnPrint");
        EXPECT_EQ(jobs, 1);
        EXPECT_EQ(run.logic().Printed, r.printed);
        // and afterwards what was sent, or still what would be
        EXPECT_EQ(status->text(), r.printed ? run.text("labPrintSent").arg(r.printer, "4")
                                  : *r.printer ? target : run.text("labPrintNoPrinter"));
        switch (r.status) {
        case Printing::PrintStatus::Sent: EXPECT_TRUE(run.prompter.messages.isEmpty()); break;
        case Printing::PrintStatus::NoPrinter:
            EXPECT_EQ(run.prompter.messages, QStringList{run.text("msgNoPrinter")});
            break;
        case Printing::PrintStatus::Failed:
            ASSERT_EQ(run.prompter.messages.size(), 1);
            EXPECT_TRUE(run.prompter.messages[0].startsWith(run.text("msgPrintFailed").section("%1", 0, 0)));
            EXPECT_TRUE(run.prompter.messages[0].contains(r.printer));
            break;
        }
        // an unprinted run still asks before it is cleared
        run.prompter.answers.push_back(Prompter::Answer::Cancel);
        run.click("btnReset");
        EXPECT_EQ(run.prompter.questions.size(), r.printed ? 0 : 1);
    }
}

TEST(PrintPage, EnteringAgainAfterALanguageSwitchFillsTheSheetInTheNewLanguage) {
    PrintRun run;
    EXPECT_EQ(run.sheet().caption("PrintResults14"), run.text("PrintResults14"));
    run.dir.write("Gnomo_Language_1.ini", AppFixture::shippedFile("Gnomo_Language_1.ini"));
    TLang &lang = *run.objects().Lang;
    lang.FillLangList();
    ASSERT_EQ(lang.LangFiles.value(1), QString("Gnomo_Language_1.ini"));
    lang.SelectLang(1);
    run.prompter.clear();
    // the switch refreshed the windows, which empties the place lists: choose again
    run.clickStep(2);
    run.choose(1, 1);
    run.choose(2, 0);
    run.clickStep(6);
    ASSERT_EQ(run.panelShown(), QString("PanelStep5"));
    EXPECT_EQ(run.sheet().caption("PrintRow1"), QString("Certificate"));
    EXPECT_EQ(run.sheet().caption("PrintResults14"), QString("Earth's circumference:"));
    EXPECT_EQ(run.sheet().caption("PrintFooter2"), QString("Date of issue:"));
    EXPECT_TRUE(run.sheet().caption("PrintYield14").startsWith(QString::number(run.logic().EarthSize) + " km ± "));

    // The units are the language's too: in Ukrainian on the sheet and on the comparison panel.
    run.dir.write("Gnomo_Language_3.ini", AppFixture::shippedFile("Gnomo_Language_3.ini"));
    lang.FillLangList();
    ASSERT_EQ(lang.LangFiles.value(2), QString("Gnomo_Language_3.ini"));
    lang.SelectLang(2);
    run.clickStep(2);
    run.choose(1, 1);
    run.choose(2, 0);
    run.clickStep(6);
    ASSERT_EQ(run.panelShown(), QString("PanelStep5"));
    EXPECT_TRUE(run.sheet().caption("PrintYield14").startsWith(QString::number(run.logic().EarthSize) + QString::fromUtf8(" км ± ")));
    EXPECT_EQ(run.sheet().caption("PrintYield13"), QString::number(run.logic().EarthDistance) + QString::fromUtf8(" км"));
    EXPECT_EQ(run.sheet().caption("PrintYield4"), QString::number(run.logic().Hei1.Stick) + QString::fromUtf8(" мм"));
    EXPECT_EQ(run.sheet().caption("PrintYield8a"), QString::number(run.logic().Hei2.Shadow) + QString::fromUtf8(" мм"));
    run.clickStep(5);
    EXPECT_EQ(run.find<QLabel>("labPropEarth")->text(), QString::number(run.logic().EarthSize) + QString::fromUtf8(" км"));
    EXPECT_EQ(run.find<QLabel>("labPropDistance")->text(), QString::number(run.logic().EarthDistance) + QString::fromUtf8(" км"));
}

TEST(PrintQueue, PrintingSendsTheCopiesAndThenResetNeedsNoQuestion) {
    if (const std::string reason = CupsQueue::unavailableReason(); !reason.empty())
        GTEST_SKIP() << reason;
    PrintRun run;
    const CupsQueue::JobFiles before = CupsQueue::jobFiles();
    run.edit("edPrintCopies")->setText("2");
    run.click("btnPrint");
    EXPECT_TRUE(run.prompter.messages.isEmpty()) << run.prompter.messages.join('|').toStdString();
    EXPECT_TRUE(run.logic().Printed);

    const QString pdf = CupsQueue::waitForNewJob(before, QStringLiteral("Gnomora"));  // the program's job title
    ASSERT_FALSE(pdf.isEmpty()) << "no job output in " << CupsQueue::outputDir().toStdString();
    EXPECT_EQ(CupsQueue::pageCount(pdf), 2);
    QFile::remove(pdf);

    run.click("btnReset");
    EXPECT_TRUE(run.prompter.questions.isEmpty());
    EXPECT_EQ(run.panelShown(), QString("PanelStep1"));
}

// Both buttons of the comparison refuse a distance the model refuses and keep what was computed.
TEST(ComparisonPanel, BothButtonsRefuseAndKeepTheComputedCircumference) {
    PrintRun f;
    f.clickStep(5);
    const int size = f.logic().EarthSize;
    for (const char *button : {"btnAcceptDistance", "btnCalcEarth"}) {
        SCOPED_TRACE(button);
        f.prompter.clear();
        f.edit("edDistance")->setText("2147483647");
        f.click(button);
        EXPECT_EQ(f.prompter.messages, QStringList{f.text("msgBadDistance")});
        EXPECT_EQ(f.edit("edDistance")->text(), QString("2147483647"));
        EXPECT_EQ(f.logic().EarthState, 2);
        EXPECT_EQ(f.logic().EarthDistance, 1000);
        EXPECT_EQ(f.find<QLabel>("labPropEarth")->text(), QString::number(size) + " km");
    }
}
