// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FileIo.h"
#include "platform/ModuleLoader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

QString buildFolder() {
    // The test program lives in <build>/tests.
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/.."));
}

}  // namespace

TEST(ModuleLoader, AnInstalledProgramLooksOnlyBesideItsOwnFolder) {
    EXPECT_EQ(ModuleLoader::searchFolders(QStringLiteral("/usr/bin")),
              QStringList{QStringLiteral("/usr/lib/gnomora/modules")});
    EXPECT_EQ(ModuleLoader::searchFolders(QStringLiteral("/opt/gnomora/bin")),
              QStringList{QStringLiteral("/opt/gnomora/lib/gnomora/modules")});
    // A folder beside the build folder whose name merely begins like it is not inside it.
    EXPECT_EQ(ModuleLoader::searchFolders(buildFolder() + QStringLiteral("-other/bin")).size(), 1);

    const QStringList built = ModuleLoader::searchFolders(buildFolder() + QStringLiteral("/src/app"));
    ASSERT_EQ(built.size(), 2);
    EXPECT_EQ(built[1], buildFolder() + QStringLiteral("/modules"));
}

TEST(ModuleLoader, AMissingOrDamagedModuleIsAFileErrorNamingIt) {
    try {
        ModuleLoader::entry(QStringLiteral("absent-for-test"), "entry");
        FAIL() << "a missing module was loaded";
    } catch (const FileError &error) {
        EXPECT_EQ(error.kind, FileError::Kind::NotLoadable);
        // Named where an installed one would be.
        EXPECT_EQ(error.fileName, ModuleLoader::searchFolders(QCoreApplication::applicationDirPath()).first() +
                                      QStringLiteral("/libgnomora-absent-for-test.so"));
        EXPECT_FALSE(error.detail.isEmpty());
    }

    // A file of the module's name that is not a library: the loader's own words are kept.
    const QString damaged = buildFolder() + QStringLiteral("/modules/libgnomora-damaged-for-test.so");
    QDir().mkpath(buildFolder() + QStringLiteral("/modules"));
    {
        QFile file(damaged);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("not a shared library\n");
    }
    try {
        ModuleLoader::entry(QStringLiteral("damaged-for-test"), "entry");
        QFile::remove(damaged);
        FAIL() << "a damaged module was loaded";
    } catch (const FileError &error) {
        QFile::remove(damaged);
        EXPECT_EQ(error.kind, FileError::Kind::NotLoadable);
        EXPECT_EQ(error.fileName, damaged);
        EXPECT_FALSE(error.detail.isEmpty());
        EXPECT_TRUE(QString::fromUtf8(error.what()).contains(QStringLiteral("install Gnomora again")));
    }
}

TEST(ModuleLoader, ThePrintModuleHandsOverItsEntryPointOnce) {
    void *first = ModuleLoader::entry(QStringLiteral("print"), "gnomora_print_functions");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(ModuleLoader::entry(QStringLiteral("print"), "gnomora_print_functions"), first);
    // Only the entry point is visible: the print library's own functions are not.
    EXPECT_THROW(ModuleLoader::entry(QStringLiteral("print"), "_ZN8printing18currentPrinterNameEv"), FileError);
}
