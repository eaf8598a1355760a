// SPDX-License-Identifier: GPL-3.0-or-later
// Every file the program reads, replaced by something that is not what it seems: a pipe, a link to
// /dev/zero, a sparse file of 100 GB, an empty file, the file with its second half zeroed (an
// interrupted copy; a text then holds NUL bytes) and the file saved as UTF-16. Each is opened by a
// run of the program in a child process (this test program started again), so that a hang can be
// ended and a crash seen: the run ends by itself, reports the file where it refuses it, and leaves
// every file of the folder as it was.
#ifdef _WIN32
#include <gtest/gtest.h>

TEST(HostileFiles, EveryFileTheProgramReadsIsRefusedWithoutHangingOrWriting) {
    GTEST_SKIP() << "the hostile forms of a file are Linux ones: a named pipe and a link to /dev/zero in "
                    "the folder, Linux module folders; Windows has none (see SpecialFiles.h)";
}
#else
#include "platform/ModuleLoader.h"
#include "platform/PictureJpegModule.h"
#include "print/PrintBackEnd.h"
#include "platform/ScriptedPrompter.h"
#include "session/LessonRecord.h"
#include "session/PartnerReading.h"
#include "session/TSession.h"
#include "support/MainWindowFixture.h"
#include "support/ModelWorld.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <sys/stat.h>

namespace {

// Set in the child: what it opens ("program", or "module:<name>:<interface id>").
constexpr char kChildRun[] = "GNOMORA_TEST_HOSTILE_RUN";

enum class Form { Pipe, DevZeroLink, Sparse100GB, Empty, SecondHalfZeroed, Utf16, AsGiven };
const std::vector<Form> kDamagedForms = {Form::Pipe,  Form::DevZeroLink,      Form::Sparse100GB,
                                         Form::Empty, Form::SecondHalfZeroed, Form::Utf16};

const char *nameOf(Form form) {
    switch (form) {
    case Form::Pipe: return "pipe";
    case Form::DevZeroLink: return "link to /dev/zero";
    case Form::Sparse100GB: return "sparse 100 GB";
    case Form::Empty: return "empty";
    case Form::SecondHalfZeroed: return "second half zeroed";
    case Form::Utf16: return "UTF-16";
    case Form::AsGiven: return "as given";
    }
    return "?";
}

// Puts `form` of the file whose sound content is `bytes` at `path`.
void make(Form form, const QString &path, const QByteArray &bytes) {
    QFile::remove(path);
    const QByteArray name = QFile::encodeName(path);
    QFile file(path);
    switch (form) {
    case Form::Pipe:
        ASSERT_EQ(::mkfifo(name.constData(), 0644), 0);
        return;
    case Form::DevZeroLink:
        ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), path));
        return;
    case Form::Sparse100GB:
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(qint64(100) << 30));  // holes only: no room taken
        return;
    case Form::Empty:
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        return;
    case Form::SecondHalfZeroed:
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.left(bytes.size() / 2) + QByteArray(bytes.size() - bytes.size() / 2, '\0'));
        return;
    case Form::AsGiven:
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return;
    case Form::Utf16: {
        // As Notepad saves "Unicode": the byte-order mark FF FE, then two bytes a character.
        const QString text = QString::fromLatin1(bytes);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("\xff\xfe");
        file.write(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
        return;
    }
    }
}

// What a folder holds, entry by entry: the kind, the size, and the content's hash (regular files),
// or where a link leads. Nothing is opened but small regular files.
std::map<QString, QString> snapshot(const QString &folder) {
    std::map<QString, QString> entries;
    for (const QString &name : QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        const QString path = folder + u'/' + name;
        struct stat st {};
        if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
            continue;
        QString &entry = entries[name];
        entry = QStringLiteral("mode %1 size %2").arg(st.st_mode, 0, 8).arg(st.st_size);
        if (S_ISLNK(st.st_mode)) {
            entry += QStringLiteral(" -> ") + QFileInfo(path).symLinkTarget();
        } else if (S_ISREG(st.st_mode) && st.st_size <= 16 * 1024 * 1024) {
            QFile file(path);
            if (file.open(QIODevice::ReadOnly))
                entry += u' ' + QString::fromLatin1(QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha1).toHex());
        }
    }
    return entries;
}

const QString PartnerFile = QStringLiteral("partner.txt");

// A partner school's reading as the program saves it.
QByteArray partnerReading() {
    PartnerReading reading;
    reading.PlaceName = QStringLiteral("Zakopane");
    reading.MeasureDate = kEquinox;
    reading.Stick = 1000;
    reading.Shadows = {800, 805};
    return PartnerReadingFile::toBytes(reading);
}

// The program as a class starts it in the current folder: the start window (configuration,
// language file, the folder's lock, a kept lesson), the main window, the technical panel (every
// language slot), the places with the first school chosen (its photograph), and where the folder
// holds one, a partner school's reading loaded on the measurement panel; then the run ends.
// Every question is closed unanswered. Prints what the program showed and asked.
void runTheProgramHere() {
    ScriptedPrompter prompter;
    prompter.answers.assign(50, Prompter::Answer::Closed);
    {
        TStartForm start(prompter, Locale{u'.', u'/'}, [] { return AppFixture::fixedNow(); });
        TMainForm main(start.objects(), prompter);
        start.setMainForm(&main);
        start.show();
        if (start.objects().exist()) {
            start.btnStartEnterClick();
            main.imgTechClick();
            main.imgStep1Click();
            QComboBox *list = main.panelStep1()->placeList(1);
            list->setCurrentIndex(0);
            emit list->activated(0);
            // A partner school's reading, where the folder holds one, loaded at place 1.
            if (QFileInfo::exists(PartnerFile)) {
                QComboBox *second = main.panelStep1()->placeList(2);
                second->setCurrentIndex(1);
                emit second->activated(1);
                main.imgStep2Click();
                prompter.fileNames.push_back(PartnerFile);
                main.findChild<QPushButton *>(QStringLiteral("btnLoadReading"))->click();
            }
        }
    }  // ended as at the end of the process, without the question to save the settings
    for (const QString &text : prompter.messages)
        std::printf("shown: %s\n", qPrintable(text));
    for (const QString &text : prompter.questions)
        std::printf("asked: %s\n", qPrintable(text));
}

void loadTheModule(const QString &name, const QByteArray &iid) {
    try {
        ModuleLoader::load(name, iid.constData());
        std::printf("loaded: %s\n", qPrintable(name));
    } catch (const FileError &error) {
        std::printf("refused: %s\n", error.what());
    }
}

QString buildFolder() { return QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/..")); }

QByteArray fileBytes(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A lesson as the program keeps it: the session record of a started run.
QByteArray keptLesson(const QString &folder) {
    TSession session;
    session.Init();
    ModelTestWorld world(kEquinox.addDays(92), u'.', &session);
    world.started();
    session.StoreHei(world.logic.Hei1);
    session.StoreHei(world.logic.Hei2);
    session.StoreLogic(world.logic);
    session.StorePlaces({0, QStringLiteral("Kraków"), {QStringLiteral("Żaneta")}, 1, QStringLiteral("Gdańsk"), {}});
    const QString path = folder + QStringLiteral("/kept.ini");
    LessonRecord::keep(session.Values, path);
    const QByteArray bytes = fileBytes(path);
    QFile::remove(path);
    return bytes;
}

}  // namespace

TEST(HostileFiles, EveryFileTheProgramReadsIsRefusedWithoutHangingOrWriting) {
    if (const QString run = qEnvironmentVariable(kChildRun); !run.isEmpty()) {
        const QStringList parts = run.split(u':');
        if (parts.size() == 3 && parts[0] == u"module")
            loadTheModule(parts[1], parts[2].toLatin1());
        else
            runTheProgramHere();
        return;
    }

    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString work = folder.path();
    const QByteArray config = "LangFileName=Gnomo_Language_0.ini\r\nPlace1=Krak\xf3w\r\nPlace1Jpg=school1.jpg\r\n"
                              "Person11=Ala\r\nPlace2=Gda\xf1sk\r\n";
    const QByteArray language = AppFixture::shippedFile("Gnomo_Language_0.ini");
    const QByteArray picture = AppFixture::shippedFile("pictures/place1.jpg");
    ASSERT_FALSE(language.isEmpty());
    ASSERT_FALSE(picture.isEmpty());
    const QByteArray lesson = keptLesson(work);
    ASSERT_TRUE(lesson.startsWith("LessonRecord=1\r\n"));
    const QString modules = buildFolder() + QStringLiteral("/modules");

    // The files of a sound working folder; the lock and a kept lesson appear only in their rows.
    const auto seed = [&] {
        QDir(work).removeRecursively();
        QDir().mkpath(work);
        const auto put = [&](const char *name, const QByteArray &bytes) {
            QFile file(work + u'/' + QLatin1String(name));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(bytes);
        };
        put("Gnomora_Cfg.ini", config);
        put("Gnomo_Language_0.ini", language);
        put("Gnomo_Language_2.ini", AppFixture::shippedFile("Gnomo_Language_2.ini"));
        put("school1.jpg", picture);
    };

    struct File {
        const char *what;
        QString folder;            // where it lies
        QString name;              // its name there
        QByteArray bytes;          // its sound content
        QString run;               // what the child runs
        std::vector<Form> opened;  // forms the program takes as they are (no message)
        std::vector<Form> forms = kDamagedForms;  // the forms tried
    };
    // Kept lessons that no run of the program writes.
    const auto lessonWith = [&](const QByteArray &from, const QByteArray &to) {
        EXPECT_TRUE(lesson.contains(from)) << from.toStdString();
        return QByteArray(lesson).replace(from, to);
    };
    const QByteArray partnerPlace = "PlaceSelect2=5\r\nRunPlace6=Kyiv\r\n";
    const std::vector<File> files = {
        // An empty configuration is no configuration; an empty language file holds no texts (the
        // program runs without them, as with no file) and an empty slot offers a language without a name.
        {"configuration", work, QStringLiteral("Gnomora_Cfg.ini"), config, QStringLiteral("program"), {Form::Empty}},
        {"language file in use", work, QStringLiteral("Gnomo_Language_0.ini"), language, QStringLiteral("program"),
         {Form::Empty}},
        {"language file in an unused slot", work, QStringLiteral("Gnomo_Language_2.ini"),
         AppFixture::shippedFile("Gnomo_Language_2.ini"), QStringLiteral("program"), {Form::Empty}},
        {"photograph", work, QStringLiteral("school1.jpg"), picture, QStringLiteral("program"), {}},
        {"kept lesson", work, LessonRecord::FileName, lesson, QStringLiteral("program"), {}},
        // A noon no clock shows would loop the day's shadow for ever; a place of this run whose line
        // is missing would turn into the virtual partner.
        {"kept lesson, the run's place at noon 40000000", work, LessonRecord::FileName,
         lessonWith("PlaceSelect2=1\r\n", partnerPlace + "RunNoonH6=40000000\r\nRunNoonM6=0\r\n"),
         QStringLiteral("program"), {}, {Form::AsGiven}},
        {"kept lesson, the run's place missing", work, LessonRecord::FileName,
         lessonWith("PlaceSelect2=1\r\n", "PlaceSelect2=5\r\n"), QStringLiteral("program"), {}, {Form::AsGiven}},
        {"folder lock", work, TStartForm::LockFileName, "4242\ngnomora\nsala-23\n5f1c\n", QStringLiteral("program"), {}},
        {"partner's reading", work, PartnerFile, partnerReading(), QStringLiteral("program"), {}},
        // The module check reads the program headers alone, whose segments still lie inside a file
        // of the full size whose second half is zeroed: such a module is loaded (its code is not).
        {"JPEG module", modules, ModuleLoader::fileName(QStringLiteral("hostile-jpeg-for-test")),
         fileBytes(modules + u'/' + ModuleLoader::fileName(QStringLiteral("jpeg"))),
         QStringLiteral("module:hostile-jpeg-for-test:" GnomoraPictureJpegDecoder_iid), {Form::SecondHalfZeroed}},
        {"print module", modules, ModuleLoader::fileName(QStringLiteral("hostile-print-for-test")),
         fileBytes(modules + u'/' + ModuleLoader::fileName(QStringLiteral("print"))),
         QStringLiteral("module:hostile-print-for-test:" GnomoraPrintBackEnd_iid), {Form::SecondHalfZeroed}},
    };

    for (const File &file : files) {
        ASSERT_FALSE(file.bytes.isEmpty()) << file.what;
        for (Form form : file.forms) {
            SCOPED_TRACE(std::string(file.what) + ", " + nameOf(form));
            seed();
            const QString path = file.folder + u'/' + file.name;
            make(form, path, file.bytes);
            const auto folderBefore = snapshot(work);
            auto moduleBefore = snapshot(modules);

            QProcess child;
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(QLatin1String(kChildRun), file.run);
            child.setProcessEnvironment(environment);
            child.setWorkingDirectory(work);
            child.setProcessChannelMode(QProcess::MergedChannels);
            child.start(QCoreApplication::applicationFilePath(),
                        {QStringLiteral("--gtest_filter=HostileFiles.EveryFileTheProgramReadsIsRefusedWithoutHangingOrWriting")});
            // A generous bound for a busy computer: a pipe or /dev/zero read for good never ends.
            const bool ended = child.waitForFinished(20000);
            if (!ended) {
                child.kill();
                child.waitForFinished();
            }
            const QString output = QString::fromUtf8(child.readAll());
            auto folderAfter = snapshot(work);
            auto moduleAfter = snapshot(modules);
            QFile::remove(path);
            EXPECT_TRUE(ended) << "the run hung:\n" << output.toStdString();
            EXPECT_EQ(child.exitStatus(), QProcess::NormalExit) << output.toStdString();
            EXPECT_EQ(child.exitCode(), 0) << output.toStdString();

            // Refused naming the file, unless the program takes it as it is.
            const bool refused = output.contains(QRegularExpression(
                QStringLiteral("^(shown|asked|refused): .*") + QRegularExpression::escape(file.name),
                QRegularExpression::MultilineOption));
            const bool opened = std::find(file.opened.begin(), file.opened.end(), form) != file.opened.end();
            EXPECT_EQ(refused, !opened) << output.toStdString();

            // Nothing written: a kept lesson that is refused is only set aside under another name.
            const QString setAside = LessonRecord::FileName + LessonRecord::SetAsideSuffix;
            if (folderAfter.count(setAside) && !folderBefore.count(setAside)) {
                folderAfter[LessonRecord::FileName] = folderAfter[setAside];
                folderAfter.erase(setAside);
            }
            EXPECT_EQ(folderAfter, folderBefore);
            // Other tests may add modules of their own beside it meanwhile.
            if (file.folder == modules)
                EXPECT_EQ(moduleAfter[file.name], moduleBefore[file.name]);
        }
    }
}
#endif  // !_WIN32
