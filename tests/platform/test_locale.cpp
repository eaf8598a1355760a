// SPDX-License-Identifier: GPL-3.0-or-later
// The user's decimal and date separators: read from a locale, and from the system's locale as the
// user's settings give it when the program starts.
#include "platform/Locale.h"

#include <QCoreApplication>
#include <QLocale>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
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

namespace {

#ifdef _WIN32
// Windows keeps the user's regional settings in the registry, where the control panel writes them:
// each row is set there (and the user's own values put back afterwards).
struct SettingsRow {
    const char *name;
    const char *decimal;
    const char *shortDate;
    QChar expectedDecimal;
    QChar expectedDate;
};
const SettingsRow kSettings[] = {
    {"Polish", ",", "dd.MM.yyyy", u',', u'.'},
    {"English (United States)", ".", "M/d/yyyy", u'.', u'/'},
    {"ISO dates, decimal comma", ",", "yyyy-MM-dd", u',', u'-'},
};

class UserSettings {
public:
    UserSettings() : saved_{settings_.value(kDecimal), settings_.value(kShortDate)} {}
    ~UserSettings() {
        restore(kDecimal, saved_[0]);
        restore(kShortDate, saved_[1]);
        settings_.sync();
    }
    void set(const SettingsRow &row) {
        settings_.setValue(kDecimal, QString::fromLatin1(row.decimal));
        settings_.setValue(kShortDate, QString::fromLatin1(row.shortDate));
        settings_.sync();
    }

private:
    void restore(const QString &key, const QVariant &value) {
        if (value.isValid())
            settings_.setValue(key, value);
        else
            settings_.remove(key);
    }
    static inline const QString kDecimal = QStringLiteral("sDecimal");
    static inline const QString kShortDate = QStringLiteral("sShortDate");
    QSettings settings_{QStringLiteral("HKEY_CURRENT_USER\\Control Panel\\International"), QSettings::NativeFormat};
    QVariant saved_[2];
};
#endif

// The system's separators as a new copy of this test program reports them.
QString reportedSeparators(const QProcessEnvironment &environment) {
    QProcess child;
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=Locale.TheSystemLocaleFollowsTheUsersSettings")});
    if (!child.waitForFinished(60000))
        return child.errorString();
    return QString::fromUtf8(child.readAllStandardOutput());
}

}  // namespace

// The toolkit reads the user's settings once, when the program starts, so each locale is tried in
// a copy of this program started with LC_ALL set to it (on Windows: with the user's settings).
TEST(Locale, TheSystemLocaleFollowsTheUsersSettings) {
    if (qEnvironmentVariableIsSet(kReportVariable)) {
        const Locale system = Locale::system();
        std::printf("system separators [%s%s]\n", qPrintable(QString(system.decimalSeparator)),
                    qPrintable(QString(system.dateSeparator)));
        return;
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(kReportVariable), QStringLiteral("1"));
#ifdef _WIN32
    UserSettings settings;
    for (const SettingsRow &r : kSettings) {
        SCOPED_TRACE(r.name);
        settings.set(r);
        const QString output = reportedSeparators(environment);
        const auto reported = QRegularExpression(QStringLiteral("system separators \\[(.)(.)\\]")).match(output);
        ASSERT_TRUE(reported.hasMatch()) << output.toStdString();
        EXPECT_EQ(reported.captured(1), QString(r.expectedDecimal));
        EXPECT_EQ(reported.captured(2), QString(r.expectedDate));
    }
#else
    for (const LocaleRow &r : kLocales) {
        SCOPED_TRACE(r.name);
        environment.insert(QStringLiteral("LC_ALL"), QString::fromLatin1(r.name) + QStringLiteral(".UTF-8"));
        const QString output = reportedSeparators(environment);
        const auto reported = QRegularExpression(QStringLiteral("system separators \\[(.)(.)\\]")).match(output);
        ASSERT_TRUE(reported.hasMatch()) << output.toStdString();
        EXPECT_EQ(reported.captured(1), QString(r.decimal));
        EXPECT_EQ(reported.captured(2), QString(r.date));
    }
#endif
}
