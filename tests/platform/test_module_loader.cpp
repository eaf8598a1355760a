// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FileIo.h"
#include "platform/ModuleLoader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

#ifndef _WIN32
QString buildFolder() {
    // The test program lives in <build>/tests.
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/.."));
}
#endif

}  // namespace

TEST(ModuleLoader, AnInstalledProgramLooksOnlyBesideItsOwnFolder) {
#ifdef _WIN32
    // Only the program's own folder, wherever it is built or installed.
    EXPECT_EQ(ModuleLoader::searchFolders(QString::fromUtf8("C:/Program Files/Gnomora")),
              QStringList{QString::fromUtf8("C:/Program Files/Gnomora")});
    EXPECT_EQ(ModuleLoader::searchFolders(QString::fromUtf8("C:/Users/Łukasz/Gnomora/")),
              QStringList{QString::fromUtf8("C:/Users/Łukasz/Gnomora")});
    EXPECT_EQ(ModuleLoader::searchFolders(QCoreApplication::applicationDirPath()),
              QStringList{QCoreApplication::applicationDirPath()});
    EXPECT_EQ(ModuleLoader::fileName(QStringLiteral("print")), QStringLiteral("gnomora-print.dll"));
#else
    EXPECT_EQ(ModuleLoader::searchFolders(QStringLiteral("/usr/bin")),
              QStringList{QStringLiteral("/usr/lib/gnomora/modules")});
    EXPECT_EQ(ModuleLoader::searchFolders(QStringLiteral("/opt/gnomora/bin")),
              QStringList{QStringLiteral("/opt/gnomora/lib/gnomora/modules")});
    // A folder beside the build folder whose name merely begins like it is not inside it.
    EXPECT_EQ(ModuleLoader::searchFolders(buildFolder() + QStringLiteral("-other/bin")).size(), 1);

    const QStringList built = ModuleLoader::searchFolders(buildFolder() + QStringLiteral("/src/app"));
    ASSERT_EQ(built.size(), 2);
    EXPECT_EQ(built[1], buildFolder() + QStringLiteral("/modules"));
#endif
}

TEST(ModuleLoader, AMissingOrDamagedModuleIsAFileErrorNamingIt) {
    try {
        ModuleLoader::entry(QStringLiteral("absent-for-test"), "entry");
        FAIL() << "a missing module was loaded";
    } catch (const FileError &error) {
        EXPECT_EQ(error.kind, FileError::Kind::NotLoadable);
        // Named where an installed one would be.
        EXPECT_EQ(error.fileName, ModuleLoader::searchFolders(QCoreApplication::applicationDirPath()).first() +
                                      u'/' + ModuleLoader::fileName(QStringLiteral("absent-for-test")));
        EXPECT_FALSE(error.detail.isEmpty());
    }

    // A file of the module's name that is not a library: the loader's own words are kept.
    const QString folder = ModuleLoader::searchFolders(QCoreApplication::applicationDirPath()).last();
    const QString damaged = folder + u'/' + ModuleLoader::fileName(QStringLiteral("damaged-for-test"));
    QDir().mkpath(folder);
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

TEST(ModuleLoader, AModuleInTheWorkingFolderIsNeverLoaded) {
    // A real module under another module's name, in the working folder (and on Windows also on
    // the search path of programs): only the program's own folder counts.
    TempWorkDir dir;
    const QString programFolder = ModuleLoader::searchFolders(QCoreApplication::applicationDirPath()).last();
    const QString planted = ModuleLoader::fileName(QStringLiteral("planted-for-test"));
    ASSERT_TRUE(QFile::copy(programFolder + u'/' + ModuleLoader::fileName(QStringLiteral("print")), planted));
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QDir::toNativeSeparators(dir.path()).toLocal8Bit() + ';' + path);
    EXPECT_THROW(ModuleLoader::entry(QStringLiteral("planted-for-test"), "gnomora_print_functions"), FileError);
    qputenv("PATH", path);
}

TEST(ModuleLoader, ThePrintModuleHandsOverItsEntryPointOnce) {
    void *first = ModuleLoader::entry(QStringLiteral("print"), "gnomora_print_functions");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(ModuleLoader::entry(QStringLiteral("print"), "gnomora_print_functions"), first);
    // Only the entry point is visible: the print library's own functions are not.
    EXPECT_THROW(ModuleLoader::entry(QStringLiteral("print"), "_ZN8printing18currentPrinterNameEv"), FileError);
}
