// SPDX-License-Identifier: GPL-3.0-or-later
// The print page driven as a user would: a whole run, then the sheet as a printer receives it, the
// proposed copies, preview, print and reset. The print queue test needs the test print queue of
// support/CupsQueue.h, which writes each job as a PDF.
#include "lang/TLang.h"
#include "model/TLogic.h"
#include "print/PagePrinting.h"
#include "report/PageOutput.h"
#include "session/TSession.h"
#include "store/TComm.h"
#include "support/CupsQueue.h"
#include "support/MainWindowFixture.h"
#include "support/ToolRun.h"
#include "ui/PanelStep5.h"

#include <QDir>
#include <QLabel>
#include <QRegularExpression>
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
        choose(1, 1);
        choose(2, 0);
        typePupils(place1, place2);
        click("btnStep1Next");
        measureAt("12", "5", "800");
        click("btnSetp2Next");
        measureAt("11", "40", "1000");
        click("btnSetp2Next");
        edit("edDistance")->setText("1000");
        click("btnAcceptDistance");
        click("btnCalcEarth");
        clickStep(6);
    }

    void typePupils(Pupils place1, Pupils place2) {
        for (int i = 0; i < 4; ++i) {
            person(1, i + 1)->setText(QString::fromUtf8(place1[i]));
            person(2, i + 1)->setText(QString::fromUtf8(place2[i]));
        }
    }
    void measureAt(const char *hour, const char *minute, const char *shadow) {
        edit("edTimeH")->setText(hour);
        edit("edTimeM")->setText(minute);
        click("btnAcceptTime");
        edit("edStick")->setText("1000");
        edit("edShadow")->setText(shadow);
        click("btnAcceptHeight");
        click("btnCalcNoon");
    }

    QLineEdit *edit(const char *name) { return find<QLineEdit>(name); }
    TLogic &logic() { return *objects().Logic; }
    PanelStep5 *panel() { return main->panelStep5(); }
    const report::ReportPage &sheet() { return panel()->sheet(); }
    QString panelShown() { return main->currentPanel()->objectName(); }
    QString copies() { return edit("edPrintCopies")->text(); }
    std::map<QString, QString> captions() {
        std::map<QString, QString> all;
        for (const report::PageLabel &label : sheet().labels)
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
    report::writePagePdf(run.sheet(), pdf);
    const ToolRun text = runTool(QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf,
                                                               QStringLiteral("-")});
    ASSERT_TRUE(text.ok) << text.output.toStdString();
    const QString out = text.output.normalized(QString::NormalizationForm_KC);

    // every caption is printed, the headings in the program's language
    for (const report::PageLabel &label : run.sheet().labels) {
        const bool heading = label.name.startsWith(QLatin1String("PrintRow")) ||
                             label.name.startsWith(QLatin1String("PrintResults")) ||
                             label.name == QLatin1String("PrintFooter1") || label.name == QLatin1String("PrintFooter2");
        if (heading) {
            EXPECT_FALSE(label.caption.isEmpty()) << label.name.toStdString();
            EXPECT_EQ(label.caption, run.text(label.name.toLatin1().constData()));
        }
        EXPECT_TRUE(out.contains(label.caption)) << label.name.toStdString() << ": " << label.caption.toStdString();
    }
    EXPECT_EQ(run.sheet().caption("PrintYield3"), QString("12:5"));
    EXPECT_TRUE(out.contains(QStringLiteral("12:5\n")));
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

// The results go to a table in the file named in the dialog; the sheet names a reading that came
// from the partner's file.
TEST(PrintPage, ExportsTheResultsAndNamesALoadedReading) {
    PrintRun r;
    r.prompter.fileNames.push_back("");  // the dialog closed: nothing written
    r.click("btnExportResults");
    r.prompter.fileNames.push_back(r.dir.file("results.csv"));
    r.click("btnExportResults");
    const QByteArray bytes = r.dir.read("results.csv");
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));  // UTF-8, as spreadsheets recognise it
    const QStringList rows = QString::fromUtf8(bytes.mid(3)).split("\r\n");
    ASSERT_EQ(rows.size(), 7);  // CR LF after the last row too
    EXPECT_EQ(rows[0], r.text("csvDate") + "," + r.text("csvPlace") + "," + r.text("csvTime") + "," +
                           r.text("csvStick") + "," + r.text("csvShadows") + "," + r.text("csvElevation") + "," +
                           r.text("csvLatitude") + "," + r.text("csvNoonElevation"));
    EXPECT_TRUE(rows[1].startsWith(QString::fromUtf8("2013-06-20,Gdańsk,12:05,1000,800,51.34,"))) << rows[1].toStdString();
    EXPECT_TRUE(rows[2].startsWith(QString::fromUtf8("2013-06-20,Kraków,11:40,1000,1000,45.00,"))) << rows[2].toStdString();
    EXPECT_EQ(rows[3], QString());
    const QString deviation = QString::number(TLogic::DeviationPercent(r.logic().EarthSize), 'f', 1);
    EXPECT_EQ(rows[5], QString("1000,%1,%2,,%3")
                           .arg(QString::number(r.logic().HeiDiff * 180 / M_PI, 'f', 2))
                           .arg(r.logic().EarthSize)
                           .arg(deviation));
    EXPECT_EQ(QDir(r.dir.path()).entryList({"*.csv"}), QStringList{"results.csv"});
    EXPECT_EQ(r.captions()["PrintYield7"], QString::fromUtf8("Kraków"));

    // Place 2 again, from the partner's file with the same values: the same circumference.
    r.clickStep(4);
    r.dir.write("partner.txt", "GnomoraReading=1\r\nVersion=1\r\nPlace=Krak\xf3w\r\nDate=2013-06-20\r\n"
                               "TimeH=11\r\nTimeM=40\r\nStick=1000\r\nShadow1=1000\r\n");
    r.prompter.fileNames.push_back("partner.txt");
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
    };
    const Row rows[] = {
        {{"", "", "", ""}, {"Ewa", "Jan", "", ""}, "0"},
        {{"", "Bartek", "", "Dorota"}, {"", "", "", ""}, "2"},
        {{"Anna", "Bartek", "Cezary", "Dorota"}, {"Ewa", "Jan", "", ""}, "4"},
    };
    PrintRun run;
    for (const Row &row : rows) {
        run.clickStep(2);
        run.typePupils(row.place1, row.place2);
        run.edit("edPrintCopies")->setText("7");  // typed and not printed: lost on leaving
        run.clickStep(6);
        EXPECT_EQ(run.copies(), QString(row.copies)) << row.copies;
        EXPECT_EQ(run.sheet().caption("PrintName1"), QString::fromUtf8(row.place1[0]));
        EXPECT_EQ(run.sheet().caption("PrintName6"), QString::fromUtf8(row.place2[1]));
    }
}

TEST(PrintPage, ResetAsksOnlyWhileTheSheetIsUnprinted) {
    struct Row {
        bool printed;
        std::optional<Prompter::Answer> answer;  // none: no question may come
        bool cleared;
    };
    const Row rows[] = {{true, std::nullopt, true},
                        {false, Prompter::Answer::Ok, true},
                        {false, Prompter::Answer::Cancel, false}};
    for (const Row &row : rows) {
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
        const report::ReportPage *sheet;
        int copies;
        QWidget *parent;
        QString title;
    };
    QList<Call> calls;
    run.panel()->setPreviewRunner([&](const report::ReportPage &sheet, const printing::PrintJob &job, QWidget *parent) {
        calls.append({&sheet, job.copies, parent, sheet.caption("PrintRow1")});
    });
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
    run.panel()->setPrinterLookup([&] {
        ++lookups;
        return QString();
    });
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

// The print page's printing seam: what reaches the printer, and what counts as printed.
struct RecordedJob {
    int copies;
    QWidget *parent;
};

TEST(PrintPage, OnlyCopiesFromOneTo999ReachThePrinter) {
    PrintRun run;
    QList<RecordedJob> jobs;
    run.panel()->setPrintRunner([&](const report::ReportPage &sheet, const QString &, const printing::PrintJob &job,
                                    QWidget *parent) {
        EXPECT_EQ(&sheet, &run.sheet());
        jobs.append({job.copies, parent});
        return printing::PrintResult{printing::PrintStatus::Sent, QString()};
    });
    struct Row {
        const char *typed;
        int copies;  // 0: refused
    };
    const Row rows[] = {{"0", 0},   {"1", 1},     {"999", 999}, {"1000", 0}, {" 7 ", 7},
                        {"007", 7}, {"", 0},      {"x", 0},     {"2.5", 0},  {"-3", 0},
                        {"+3", 0},  {"2147483647", 0}, {"99999999999999999999", 0}};
    for (const Row &r : rows) {
        SCOPED_TRACE(r.typed);
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
        printing::PrintStatus status;
        const char *printer;
        bool printed;
    };
    const Row rows[] = {{printing::PrintStatus::Sent, "", true},
                        {printing::PrintStatus::NoPrinter, "", false},
                        {printing::PrintStatus::Failed, "Staffroom laser", false}};
    for (const Row &r : rows) {
        PrintRun run;
        SCOPED_TRACE(int(r.status));
        int jobs = 0;
        run.panel()->setPrintRunner([&](const report::ReportPage &, const QString &, const printing::PrintJob &job,
                                        QWidget *) {
            EXPECT_EQ(job.copies, 4);  // the proposed count: four pupils at place 1
            ++jobs;
            EXPECT_EQ(job.progressText, run.text("msgPrinting"));
            return printing::PrintResult{r.status, QString::fromLatin1(r.printer)};
        });
        run.click("btnPrint");
        EXPECT_EQ(jobs, 1);
        EXPECT_EQ(run.logic().Printed, r.printed);
        switch (r.status) {
        case printing::PrintStatus::Sent: EXPECT_TRUE(run.prompter.messages.isEmpty()); break;
        case printing::PrintStatus::NoPrinter:
            EXPECT_EQ(run.prompter.messages, QStringList{run.text("msgNoPrinter")});
            break;
        case printing::PrintStatus::Failed:
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
    EXPECT_EQ(run.sheet().caption("PrintYield14"), QString::number(run.logic().EarthSize) + " km");

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
    EXPECT_EQ(run.sheet().caption("PrintYield14"), QString::number(run.logic().EarthSize) + QString::fromUtf8(" км"));
    EXPECT_EQ(run.sheet().caption("PrintYield13"), QString::number(run.logic().EarthDistance) + QString::fromUtf8(" км"));
    EXPECT_EQ(run.sheet().caption("PrintYield4"), QString::number(run.logic().Hei1.Stick) + QString::fromUtf8(" мм"));
    EXPECT_EQ(run.sheet().caption("PrintYield8a"), QString::number(run.logic().Hei2.Shadow) + QString::fromUtf8(" мм"));
    run.clickStep(5);
    EXPECT_EQ(run.find<QLabel>("labPropEarth")->text(), QString::number(run.logic().EarthSize) + QString::fromUtf8(" км"));
    EXPECT_EQ(run.find<QLabel>("labPropDistance")->text(), QString::number(run.logic().EarthDistance) + QString::fromUtf8(" км"));
}

TEST(PrintQueue, PrintingSendsTheCopiesAndThenResetNeedsNoQuestion) {
    if (const std::string reason = cupsqueue::unavailableReason(); !reason.empty())
        GTEST_SKIP() << reason;
    PrintRun run;
    const cupsqueue::JobFiles before = cupsqueue::jobFiles();
    run.edit("edPrintCopies")->setText("2");
    run.click("btnPrint");
    EXPECT_TRUE(run.prompter.messages.isEmpty()) << run.prompter.messages.join('|').toStdString();
    EXPECT_TRUE(run.logic().Printed);

    const QString pdf = cupsqueue::waitForNewJob(before, QStringLiteral("Gnomora"));  // the program's job title
    ASSERT_FALSE(pdf.isEmpty()) << "no job output in " << cupsqueue::outputDir().toStdString();
    EXPECT_EQ(cupsqueue::pageCount(pdf), 2);
    QFile::remove(pdf);

    run.click("btnReset");
    EXPECT_TRUE(run.prompter.questions.isEmpty());
    EXPECT_EQ(run.panelShown(), QString("PanelStep1"));
}

TEST(ComparisonAndEditor, AbsurdNumbersAreRefusedAndChangeNothing) {
    PrintRun f;
    f.clickStep(5);
    const int size = f.logic().EarthSize;
    const QString huge(10000, u'9');
    for (const QString &distance : {QString("2147483647"), QString("-2147483648"), huge, QString("km"), QString()}) {
        SCOPED_TRACE(distance.left(12).toStdString());
        for (const char *button : {"btnAcceptDistance", "btnCalcEarth"}) {
            f.prompter.clear();
            f.edit("edDistance")->setText(distance);
            f.click(button);
            EXPECT_EQ(f.prompter.messages,
                      QStringList{f.text(distance.isEmpty() ? "msgNoDistance" : "msgBadDistance")});
            EXPECT_EQ(f.edit("edDistance")->text(), distance);
            EXPECT_EQ(f.logic().EarthState, 2);
            EXPECT_EQ(f.logic().EarthDistance, 1000);
            EXPECT_EQ(f.find<QLabel>("labPropEarth")->text(), QString::number(size) + " km");
        }
    }
    f.clickStep(7);
    const QByteArray cfg = f.dir.read("Gnomora_Cfg.ini");
    for (const QString &value : {QString("2147483647"), QString("-2147483648"), huge}) {
        f.prompter.clear();
        f.edit("edNoonH1")->setText(value);
        f.click("btnSavePlaces");
        EXPECT_EQ(f.prompter.messages, QStringList{f.text("labPlace1") + " " + f.text("msgBadNoonH")});
        EXPECT_EQ(f.edit("edNoonH1")->text(), value);
        EXPECT_EQ(f.dir.read("Gnomora_Cfg.ini"), cfg);
    }
}
