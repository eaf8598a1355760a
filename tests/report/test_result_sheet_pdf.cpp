// SPDX-License-Identifier: GPL-3.0-or-later
// The result sheet as a PDF file, read back with poppler's pdftotext and pdfinfo: what a printer
// receives.
#include "support/FileSizeLimit.h"
#include "support/LanguageCatalogue.h"
#include "support/SpecialFiles.h"
#include "ReportTestSupport.h"
#include "platform/FileIo.h"
#include "support/PageOutput.h"
#include "report/ResultSheetLayout.h"
#include "support/ToolRun.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Report;
using namespace ReportTest;

namespace {

// A filled sheet: headings carry a marker made of their own name ("#Results3a#"), the pupils and
// values are what a run would print. Place 2 has only two pupils, on lines 5 and 7.
ReportPage filledSheet() {
    ReportPage page = resultSheetPage();
    for (const QString &heading : sheetHeadings())
        page.setCaption(heading, u'#' + heading.mid(5) + u'#');
    const std::pair<const char *, QString> values[] = {
        {"PrintName1", QStringLiteral("Anna Nowak")},
        {"PrintName2", QStringLiteral("Jan Kowalski")},
        {"PrintName3", QStringLiteral("Zofia Wiśniewska")},
        {"PrintName4", QStringLiteral("Piotr Zieliński")},
        {"PrintName5", QStringLiteral("Ewa Lewandowska")},
        {"PrintName7", QStringLiteral("Marek Wójcik")},
        {"PrintYield2", QStringLiteral("Łódź")},
        {"PrintYield3", QStringLiteral("12:5")},
        {"PrintYield3a", QStringLiteral("1250 mm")},
        {"PrintYield4", QStringLiteral("1000 mm")},
        {"PrintYield5", QStringLiteral("38°40'")},
        {"PrintYield6", QStringLiteral("52°30'")},
        {"PrintYield7", QStringLiteral("Kraków")},
        {"PrintYield8", QStringLiteral("9:5")},
        {"PrintYield8a", QStringLiteral("830 mm")},
        {"PrintYield9", QStringLiteral("900 mm")},
        {"PrintYield10", QStringLiteral("47°")},
        {"PrintYield11", QStringLiteral("53°10'")},
        {"PrintYield12", QStringLiteral("0°40'")},
        {"PrintYield13", QStringLiteral("189 km")},
        {"PrintYield14", QStringLiteral("40074 km")},
        {"PrintFooter3", QStringLiteral("Łódź")},
        {"PrintFooter4", QStringLiteral("07/12/2026")},
    };
    for (const auto &[name, text] : values)
        page.setCaption(QString::fromLatin1(name), text);
    return page;
}

class ResultSheetPdf : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = new QTemporaryDir;
        pdf_ = dir_->filePath(QStringLiteral("sheet.pdf"));
        writePagePdf(filledSheet(), pdf_, 1200, QStringLiteral("Result sheet"));
    }
    static void TearDownTestSuite() {
        delete dir_;
        dir_ = nullptr;
    }
    static inline QTemporaryDir *dir_ = nullptr;
    static inline QString pdf_;
};

TEST_F(ResultSheetPdf, IsOneA4Page) {
    if (toolsUnavailable)
        GTEST_SKIP() << toolsUnavailable;
    const ToolRun info = runTool(QStringLiteral("pdfinfo"), {pdf_});
    ASSERT_TRUE(info.ok) << info.output.toStdString();
    EXPECT_TRUE(info.output.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))));
    EXPECT_TRUE(info.output.contains(QStringLiteral("(A4)"))) << info.output.toStdString();
}

TEST_F(ResultSheetPdf, CarriesEveryCaptionWithThePupilsInOrder) {
    if (toolsUnavailable)
        GTEST_SKIP() << toolsUnavailable;
    const ToolRun text = runTool(QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf_,
                                                               QStringLiteral("-")});
    ASSERT_TRUE(text.ok) << text.output.toStdString();
    // Ligatures ("fi" in "Zofia") come back as one character; compare letters.
    const QString out = text.output.normalized(QString::NormalizationForm_KC);
    const ReportPage page = filledSheet();
    for (const PageLabel &label : page.labels) {
        if (!label.caption.isEmpty()) {
            EXPECT_TRUE(out.contains(label.caption)) << label.name.toStdString() << ": "
                                                     << label.caption.toStdString() << "\n"
                                                     << out.toStdString();
        }
    }

    const QStringList pupils = {QStringLiteral("Anna Nowak"), QStringLiteral("Jan Kowalski"),
                                QStringLiteral("Zofia Wiśniewska"), QStringLiteral("Piotr Zieliński"),
                                QStringLiteral("Ewa Lewandowska"), QStringLiteral("Marek Wójcik")};
    for (qsizetype i = 1; i < pupils.size(); ++i)
        EXPECT_LT(out.indexOf(pupils[i - 1]), out.indexOf(pupils[i])) << pupils[i].toStdString();
    // The title comes before the pupils, the table after them, the footer last.
    ASSERT_TRUE(out.contains(QStringLiteral("#Row4#")) && out.contains(QStringLiteral("#Row5#")));
    EXPECT_LT(out.indexOf(QStringLiteral("#Row4#")), out.indexOf(pupils.first()));
    EXPECT_LT(out.indexOf(pupils.last()), out.indexOf(QStringLiteral("#Row5#")));
    EXPECT_LT(out.indexOf(QStringLiteral("40074 km")), out.indexOf(QStringLiteral("07/12/2026")));
}

TEST(ResultSheetPdfFile, UnwritableFileIsAFileErrorAndLeavesNothing) {
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("missing-folder/sheet.pdf"));
    EXPECT_THROW(writePagePdf(resultSheetPage(), target), FileError);
    EXPECT_FALSE(QFile::exists(target));
}

// A disk that fills up half-way through the PDF leaves the sheet saved before, byte for byte.
TEST(ResultSheetPdfFile, AFullDiskKeepsTheOlderSheet) {
#ifdef _WIN32
    GTEST_SKIP() << SpecialFiles::noFileSizeLimit;
#else
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("sheet.pdf"));
    QFile old(target);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("%PDF older sheet") > 0);
    old.close();
    {
        FileSizeLimit limit(64);  // far less than one page of PDF
        EXPECT_THROW(writePagePdf(resultSheetPage(), target), FileError);
    }
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("%PDF older sheet"));
#endif
}

}  // namespace
