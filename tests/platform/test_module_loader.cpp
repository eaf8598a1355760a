// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FileIo.h"
#include "platform/ModuleFile.h"
#include "platform/ModuleLoader.h"
#include "platform/PictureJpegModule.h"
#include "print/PrintBackEnd.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLibrary>
#include <QTemporaryDir>
#include <QtEndian>
#include <cstdio>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#ifdef _WIN32
#include <aclapi.h>
#include <sddl.h>
#include <windows.h>
#else
#include <elf.h>
#include <link.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#endif
#include "module/Answer.h"
#include "support/SpecialFiles.h"
#include "support/TempDir.h"

namespace {

using Kind = FileError::Kind;

#ifndef _WIN32
QString buildFolder() {
    // The test program lives in <build>/tests.
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/.."));
}
#endif

// Where the build puts the module `name`: <build>/modules, or beside the programs on Windows.
QString builtModule(const QString &name) {
    return ModuleLoader::searchFolders(QCoreApplication::applicationDirPath()).last() + u'/' +
           ModuleLoader::fileName(name);
}

// The kind of FileError that `load` throws, or none.
std::optional<Kind> refusal(const std::function<void()> &load) {
    try {
        load();
    } catch (const FileError &error) {
        return error.kind;
    }
    return std::nullopt;
}

// A module file put in the build's module folder for one test, removed after it.
class ModuleInBuild {
public:
    explicit ModuleInBuild(const QString &name) : name_(name), path_(builtModule(name)) { remove(); }
    ~ModuleInBuild() { remove(); }
    const QString &name() const { return name_; }
    const QString &path() const { return path_; }

private:
    void remove() {
        QFile::remove(path_);
        QFile::remove(path_ + QStringLiteral(".avx2"));
        QDir(path_).removeRecursively();
    }
    QString name_, path_;
};

// Zeroes the machine code of the module file at `path` (its executable segment, or on Windows its
// code section), leaving its size and layout as they were.
void zeroCode(const QString &path) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    QByteArray bytes = file.readAll();
    qsizetype from = 0, size = 0;
#ifdef _WIN32
    const auto header = qFromUnaligned<quint32>(bytes.constData() + 0x3c);
    IMAGE_FILE_HEADER fileHeader;
    std::memcpy(&fileHeader, bytes.constData() + header + 4, sizeof fileHeader);
    const char *sections = bytes.constData() + header + 4 + sizeof fileHeader + fileHeader.SizeOfOptionalHeader;
    for (int i = 0; i < fileHeader.NumberOfSections && size == 0; ++i) {
        IMAGE_SECTION_HEADER section;
        std::memcpy(&section, sections + i * sizeof section, sizeof section);
        if (section.Characteristics & IMAGE_SCN_CNT_CODE)
            from = section.PointerToRawData, size = section.SizeOfRawData;
    }
#else
    ElfW(Ehdr) header;
    std::memcpy(&header, bytes.constData(), sizeof header);
    for (int i = 0; i < header.e_phnum && size == 0; ++i) {
        ElfW(Phdr) segment;
        std::memcpy(&segment, bytes.constData() + header.e_phoff + i * sizeof segment, sizeof segment);
        if (segment.p_type == PT_LOAD && (segment.p_flags & PF_X))
            from = qsizetype(segment.p_offset), size = qsizetype(segment.p_filesz);
    }
#endif
    ASSERT_GT(size, 0);
    bytes.replace(from, size, QByteArray(size, '\0'));
    ASSERT_TRUE(file.seek(0));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

#ifndef _WIN32
uid_t otherUser() {
    const passwd *nobody = ::getpwnam("nobody");
    return nobody ? nobody->pw_uid : 65534;
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
        ModuleLoader::load(QStringLiteral("absent-for-test"), GnomoraTestAnswer_iid);
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
        ModuleLoader::load(QStringLiteral("damaged-for-test"), GnomoraTestAnswer_iid);
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
    EXPECT_THROW(ModuleLoader::load(QStringLiteral("planted-for-test"), GnomoraPrintBackEnd_iid), FileError);
    qputenv("PATH", path);
}

TEST(ModuleLoader, ThePrintModuleHandsOverItsBackEndOnce) {
    auto *first = &ModuleLoader::plugin<Printing::PrintBackEnd>(QStringLiteral("print"));
    EXPECT_EQ(&ModuleLoader::plugin<Printing::PrintBackEnd>(QStringLiteral("print")), first);
    // Asked for another interface, the module is refused naming it.
    try {
        ModuleLoader::plugin<PictureJpeg::Decoder>(QStringLiteral("print"));
        FAIL() << "the print module was taken for the JPEG decoder";
    } catch (const FileError &error) {
        EXPECT_EQ(error.kind, Kind::ModuleOtherVersion);
        EXPECT_EQ(error.fileName, builtModule(QStringLiteral("print")));
    }
    // Only the plugin's own functions are visible, not those of the print library.
    QLibrary library(builtModule(QStringLiteral("print")));
    EXPECT_NE(library.resolve("qt_plugin_instance"), nullptr);
    EXPECT_EQ(library.resolve("_ZN8printing18currentPrinterNameEv"), nullptr);
}

// A module of another interface or version is refused before its code runs, so it is never called
// through the wrong functions.
TEST(ModuleLoader, OnlyAModuleOfThisInterfaceAndVersionIsHandedOver) {
    const auto module = [](const char *kind) { return QStringLiteral("answer-%1-for-test").arg(QLatin1String(kind)); };
    EXPECT_EQ(ModuleLoader::plugin<Answer>(module("current")).answer(), 42);

    // The current module as built with a newer toolkit: its plugin data says so.
    const ModuleInBuild newerToolkit(QStringLiteral("answer-newer-toolkit-for-test"));
    {
        QFile built(builtModule(module("current")));
        ASSERT_TRUE(built.open(QIODevice::ReadOnly));
        QByteArray bytes = built.readAll();
        // The plugin data's header (format, toolkit major and minor version) follows the name of its
        // ELF note, or its magic string in other formats; both are 12 bytes.
        qsizetype mark = bytes.indexOf(QByteArray("qt-project!", 12));
        if (mark < 0)
            mark = bytes.indexOf(QByteArray("QTMETADATA !"));
        ASSERT_GT(mark, 0);
        const qsizetype header = mark + 12;
        ASSERT_EQ(bytes[header + 1], char(QT_VERSION_MAJOR));
        bytes[header + 2] = char(QT_VERSION_MINOR + 1);
        QFile copy(newerToolkit.path());
        ASSERT_TRUE(copy.open(QIODevice::WriteOnly));
        copy.write(bytes);
    }

    struct Row {
        QString name;
        Kind expected;
        bool codeRuns;  // only a module whose plugin data is in order is loaded
        const char *why;
    };
    const Row rows[] = {
        {module("newer"), Kind::ModuleOtherVersion, false, "the interface's next version"},
        {module("other"), Kind::ModuleOtherVersion, false, "another interface"},
        {module("undeclared"), Kind::ModuleOtherVersion, true, "the root object lacks the interface its data names"},
        {module("foreign"), Kind::ModuleOtherVersion, true, "a root object of another class claiming the id"},
        {newerToolkit.name(), Kind::ModuleOtherVersion, false, "built with a newer toolkit"},
        {module("plain"), Kind::NotLoadable, false, "a library without plugin data"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.why);
        qunsetenv("GNOMORA_TEST_MODULE_RAN");
        const auto ran = [] { return qEnvironmentVariableIsSet("GNOMORA_TEST_MODULE_RAN"); };
        try {
            ModuleLoader::plugin<Answer>(row.name);
            ADD_FAILURE() << "the module was handed over";
        } catch (const FileError &error) {
            EXPECT_EQ(error.kind, row.expected);
            EXPECT_EQ(error.fileName, builtModule(row.name));
        }
        EXPECT_EQ(ran(), row.codeRuns);
    }
}

// A module cut short by an interrupted copy or a full disk would end the program inside the loader:
// it is refused instead, as is anything that is not a regular file in a module's place.
TEST(ModuleLoader, AModuleThatIsCutShortOrNotARegularFileIsRefused) {
    const auto bytesOf = [](const char *name) {
        QFile file(builtModule(QLatin1String(name)));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const QByteArray jpeg = bytesOf("jpeg"), print = bytesOf("print");
    ASSERT_GT(print.size(), 50 * 1024);

    struct Row {
        const char *what;
        std::function<void(const QString &path)> make;
        std::optional<Kind> expected;  // none: it loads
    };
    const auto cut = [](const QByteArray &bytes, qsizetype size) {
        return [&bytes, size](const QString &path) {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(bytes.left(size));
        };
    };
    // The whole module, and beside it what an interrupted update may leave: the toolkit's loader
    // would take that file instead on a processor with the AVX2 instructions.
    const auto withVariantCutShort = [&](const QString &path) {
        cut(jpeg, jpeg.size())(path);
        cut(jpeg, 16 * 1024)(path + QStringLiteral(".avx2"));
    };
    const Row rows[] = {
        {"JPEG module cut to 4 KB", cut(jpeg, 4096), Kind::ModuleCutShort},
        {"JPEG module cut to 16 KB", cut(jpeg, 16 * 1024), Kind::ModuleCutShort},
        {"print module cut to 4 KB", cut(print, 4096), Kind::ModuleCutShort},
        {"print module cut to 50 KB", cut(print, 50 * 1024), Kind::ModuleCutShort},
        {"cut within its segment table", cut(jpeg, 100), Kind::ModuleCutShort},
        {"cut within its header", cut(jpeg, 20), Kind::ModuleCutShort},
        {"a folder", [](const QString &path) { QDir().mkpath(path); }, Kind::ModuleNotRegularFile},
        {"a pipe", [](const QString &path) { ASSERT_TRUE(SpecialFiles::makePipe(path)); },
         Kind::ModuleNotRegularFile},
        {"a link to /dev/zero", [](const QString &path) { SpecialFiles::linkToEndlessDevice(path); },
         Kind::ModuleNotRegularFile},
        {"whole, with an .avx2 variant cut to 16 KB beside it", withVariantCutShort, std::nullopt},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        if (QByteArray(row.what).startsWith("a ") && row.expected == Kind::ModuleNotRegularFile &&
            QByteArray(row.what) != "a folder" && !SpecialFiles::available)
            continue;  // see SpecialFiles::whyNot
        const ModuleInBuild module(QStringLiteral("cut-%1-for-test").arg(&row - rows));
        row.make(module.path());
        try {
            ModuleLoader::plugin<PictureJpeg::Decoder>(module.name());
            EXPECT_EQ(row.expected, std::nullopt) << "the module was loaded";
        } catch (const FileError &error) {
            EXPECT_EQ(error.kind, row.expected);
            EXPECT_EQ(error.fileName, module.path());
        }
    }
}

// A module in a folder that others can write may have been replaced by them: its code would run as
// the teacher. The module and its folders up to the installation root must belong to root or to the
// program's user and be writable by their owner alone, links followed.
TEST(ModuleLoader, AModuleOthersCouldHaveReplacedIsRefused) {
#ifdef _WIN32
    // Windows guards files with access lists: what the installer sets on a folder outside Program
    // Files (no inheritance, administrators and the system in full, users read and run), and what
    // a school's folder would pass on to the modules when left as it is. Wine keeps no access list
    // of its own: it shows the file's Unix mode as one, so only the rows whose list it kept (the
    // grant to everyone, Unix's "others") are checked there.
    QTemporaryDir temporary;
    ASSERT_TRUE(temporary.isValid());
    const QString root = temporary.path() + QString::fromUtf8("/Programy szkolne/Gnomora");
    const QString module = root + QStringLiteral("/gnomora-jpeg.dll");
    const auto setAccess = [](const QString &path, const wchar_t *descriptor) {
        PSECURITY_DESCRIPTOR security = nullptr;
        ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorW(descriptor, SDDL_REVISION_1, &security,
                                                                         nullptr));
        BOOL present = FALSE, defaulted = FALSE;
        PACL access = nullptr;
        GetSecurityDescriptorDacl(security, &present, &access, &defaulted);
        std::wstring name = QDir::toNativeSeparators(path).toStdWString();
        const DWORD result = SetNamedSecurityInfoW(name.data(), SE_FILE_OBJECT,
                                                   DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION,
                                                   nullptr, nullptr, access, nullptr);
        LocalFree(security);
        ASSERT_EQ(result, DWORD(ERROR_SUCCESS));
    };
    const wchar_t *installed = L"D:P(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)(A;OICI;0x1200a9;;;BU)";
    // The access list of `path` as the system keeps it, in its text form.
    const auto accessOf = [](const QString &path) {
        PSECURITY_DESCRIPTOR security = nullptr;
        PACL access = nullptr;
        const std::wstring name = QDir::toNativeSeparators(path).toStdWString();
        if (GetNamedSecurityInfoW(name.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, &access,
                                  nullptr, &security) != ERROR_SUCCESS)
            return QString();
        LPWSTR text = nullptr;
        ConvertSecurityDescriptorToStringSecurityDescriptorW(security, SDDL_REVISION_1, DACL_SECURITY_INFORMATION,
                                                             &text, nullptr);
        const QString result = text ? QString::fromWCharArray(text) : QString();
        LocalFree(text);
        LocalFree(security);
        return result;
    };
    struct Row {
        const char *what;
        std::function<void()> change;
        std::optional<Kind> expected;
        QString changed = {};  // the file whose list the row changes,
        QString kept = {};     // and what of the list it sets is read back where the system kept it
    };
    const auto access = [&](const QString &path, const wchar_t *descriptor) {
        return [=] { setAccess(path, descriptor); };
    };
    const Row rows[] = {
        {"as the installer leaves it", [] {}, std::nullopt},
        {"users may change the module", access(module, L"D:P(A;;FA;;;BA)(A;;0x1301bf;;;BU)"),
         Kind::ModuleWritableByOthers, module, QStringLiteral(";BU)")},
        {"signed-in users may add files to the folder",
         access(root, L"D:P(A;OICI;FA;;;BA)(A;OICI;0x1301bf;;;AU)"), Kind::ModuleWritableByOthers, root,
         QStringLiteral(";AU)")},
        {"everyone may change the folder", access(root, L"D:P(A;OICI;FA;;;BA)(A;;FA;;;WD)"),
         Kind::ModuleWritableByOthers, root, QStringLiteral(";WD)")},
        {"interactive users may write the module", access(module, L"D:P(A;;FA;;;BA)(A;;FW;;;IU)"),
         Kind::ModuleWritableByOthers, module, QStringLiteral(";IU)")},
        {"the module has no access list", access(module, L"D:NO_ACCESS_CONTROL"), Kind::ModuleWritableByOthers,
         module, QStringLiteral("NO_ACCESS_CONTROL")},
        {"users may only read and run the folder", access(root, L"D:P(A;OICI;FA;;;SY)(A;OICI;0x1200a9;;;BU)"),
         std::nullopt},
        {"its code zeroed", [&] { zeroCode(module); }, Kind::ModuleAltered},
    };
    QStringList notKept;
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        QDir(root).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(root));
        setAccess(root, installed);
        ASSERT_TRUE(QFile::copy(builtModule(QStringLiteral("jpeg")), module));
        setAccess(module, L"D:P(A;;FA;;;BA)(A;;FA;;;SY)(A;;0x1200a9;;;BU)");
        row.change();
        if (!row.kept.isEmpty() && !accessOf(row.changed).contains(row.kept)) {
            notKept << QLatin1String(row.what);
            continue;
        }
        EXPECT_EQ(refusal([&] { ModuleFile::check(module, root); }), row.expected);
    }
    if (!notKept.isEmpty())
        std::printf("The system kept no access list for: %s\n", qPrintable(notKept.join(QStringLiteral("; "))));
    setAccess(root, L"D:(A;OICI;FA;;;WD)");  // so that the temporary folder can be removed
    setAccess(module, L"D:(A;;FA;;;WD)");
#else
    QTemporaryDir temporary;
    ASSERT_TRUE(temporary.isValid());
    const QString root = temporary.path() + QStringLiteral("/opt");
    const QString folder = root + QStringLiteral("/lib/gnomora/modules");
    const QString module = folder + QStringLiteral("/libgnomora-jpeg.so");
    const QString elsewhere = root + QStringLiteral("/share/elsewhere");
    const bool privileged = ::geteuid() == 0;

    struct Row {
        const char *what;
        std::function<void()> change;
        std::optional<Kind> expected;
        bool needsPrivilege = false;
    };
    const auto mode = [](const QString &path, mode_t bits) {
        return [path, bits] { ASSERT_EQ(::chmod(QFile::encodeName(path), bits), 0); };
    };
    const auto owner = [](const QString &path) {
        return [path] { ASSERT_EQ(::lchown(QFile::encodeName(path), otherUser(), -1), 0); };
    };
    // The module folder replaced by a link to another folder, of mode `bits`, which holds the module.
    const auto folderLinkedTo = [&](mode_t bits, bool foreign) {
        return [=] {
            QDir().mkpath(elsewhere);
            ASSERT_TRUE(QFile::rename(module, elsewhere + QStringLiteral("/libgnomora-jpeg.so")));
            ASSERT_TRUE(QDir(folder).removeRecursively());
            ASSERT_TRUE(QFile::link(elsewhere, folder));
            ::chmod(QFile::encodeName(elsewhere), bits);
            if (foreign) {
                ASSERT_EQ(::chown(QFile::encodeName(elsewhere), otherUser(), -1), 0);
            }
        };
    };
    const Row rows[] = {
        {"as installed", [] {}, std::nullopt},
        {"module writable by the group", mode(module, 0664), Kind::ModuleWritableByOthers},
        {"module writable by others", mode(module, 0646), Kind::ModuleWritableByOthers},
        {"module folder of mode 777", mode(folder, 0777), Kind::ModuleWritableByOthers},
        {"a folder between of mode 775", mode(root + QStringLiteral("/lib"), 0775), Kind::ModuleWritableByOthers},
        {"installation root of mode 757", mode(root, 0757), Kind::ModuleWritableByOthers},
        {"folder above the installation root of mode 777", mode(temporary.path(), 0777), std::nullopt},
        {"module of another user", owner(module), Kind::ModuleForeignOwner, true},
        {"module folder of another user", owner(folder), Kind::ModuleForeignOwner, true},
        {"module folder a link to a folder of mode 777", folderLinkedTo(0777, false), Kind::ModuleWritableByOthers},
        {"module folder a link to another user's folder", folderLinkedTo(0755, true), Kind::ModuleForeignOwner, true},
        {"module folder a link to a folder of this user", folderLinkedTo(0755, false), std::nullopt},
        {"its code zeroed", [&] { zeroCode(module); }, Kind::ModuleAltered},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        if (row.needsPrivilege && !privileged)
            continue;  // only root can give a file to another user
        QDir(root).removeRecursively();
        ::chmod(QFile::encodeName(temporary.path()), 0700);
        ASSERT_TRUE(QDir().mkpath(folder));
        ASSERT_TRUE(QFile::copy(builtModule(QStringLiteral("jpeg")), module));
        ::chmod(QFile::encodeName(module), 0644);
        for (const QString &path : {root, root + QStringLiteral("/lib"), root + QStringLiteral("/lib/gnomora"), folder})
            ::chmod(QFile::encodeName(path), 0755);
        row.change();
        EXPECT_EQ(refusal([&] { ModuleFile::check(module, root); }), row.expected);
    }

    // The loader checks the modules it finds in the build folder the same way.
    const ModuleInBuild writable(QStringLiteral("writable-for-test"));
    ASSERT_TRUE(QFile::copy(builtModule(QStringLiteral("jpeg")), writable.path()));
    ::chmod(QFile::encodeName(writable.path()), 0666);
    EXPECT_EQ(refusal([&] { ModuleLoader::plugin<PictureJpeg::Decoder>(writable.name()); }),
              Kind::ModuleWritableByOthers);
#endif
}
