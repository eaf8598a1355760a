// SPDX-License-Identifier: GPL-3.0-or-later
// The user's decimal and date separators: read from a locale, and from the system's locale as the
// user's settings give it when the program starts.
#include "platform/Locale.h"

#include <QCoreApplication>
#include <QLocale>
#include <QProcess>
#include <QRegularExpression>
#include <cstdio>
#include <gtest/gtest.h>

namespace {

struct LocaleRow {
    const char *name;
    QChar decimal;
    QChar date;
};

// Polish "d.MM.yyyy", German "dd.MM.yy", Hungarian "yyyy. MM. dd.", American English "M/d/yy".
const LocaleRow kLocales[] = {
    {"pl_PL", u',', u'.'},
    {"de_DE", u',', u'.'},
    {"hu_HU", u',', u'.'},
    {"en_US", u'.', u'/'},
};

// Set in the environment of a copy of this test program that only reports its system locale.
const char kReportVariable[] = "GNOMORA_TEST_REPORT_SYSTEM_LOCALE";

}  // namespace

TEST(Locale, SeparatorsOfALocale) {
    for (const LocaleRow &r : kLocales) {
        const Locale locale = Locale::of(QLocale(QString::fromLatin1(r.name)));
        EXPECT_EQ(locale.decimalSeparator, r.decimal) << r.name;
        EXPECT_EQ(locale.dateSeparator, r.date) << r.name;
    }
    // A date format with only blanks between its fields keeps the default separator.
    EXPECT_EQ(Locale::of(QLocale::c()).dateSeparator, u'/');
}

// The toolkit reads the user's settings once, when the program starts, so each locale is tried in
// a copy of this program started with LC_ALL set to it.
TEST(Locale, TheSystemLocaleFollowsTheUsersSettings) {
    if (qEnvironmentVariableIsSet(kReportVariable)) {
        const Locale system = Locale::system();
        std::printf("system separators [%s%s]\n", qPrintable(QString(system.decimalSeparator)),
                    qPrintable(QString(system.dateSeparator)));
        return;
    }
    for (const LocaleRow &r : kLocales) {
        SCOPED_TRACE(r.name);
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("LC_ALL"), QString::fromLatin1(r.name) + QStringLiteral(".UTF-8"));
        environment.insert(QString::fromLatin1(kReportVariable), QStringLiteral("1"));
        child.setProcessEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--gtest_filter=Locale.TheSystemLocaleFollowsTheUsersSettings")});
        ASSERT_TRUE(child.waitForFinished(60000)) << child.errorString().toStdString();
        const QString output = QString::fromUtf8(child.readAllStandardOutput());
        const auto reported = QRegularExpression(QStringLiteral("system separators \\[(.)(.)\\]")).match(output);
        ASSERT_TRUE(reported.hasMatch()) << output.toStdString();
        EXPECT_EQ(reported.captured(1), QString(r.decimal));
        EXPECT_EQ(reported.captured(2), QString(r.date));
    }
}
