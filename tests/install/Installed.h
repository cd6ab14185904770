#pragma once
// What the install and package tests share: the files an install lays down,
// running commands, and starting the installed program headless, as a user
// would from a desktop: from any working directory, through the link in bin/.

#include "app/Calculators.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QByteArray& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace installed {

const QString kBin = QStringLiteral(SONAVOLTA_BINDIR);
const QString kProgramDir = QStringLiteral(SONAVOLTA_PROGRAM_DIR);
const QString kData = QStringLiteral(SONAVOLTA_DATADIR);
// Both named after the id the program gives its window.
const QString kAppId = QStringLiteral(SONAVOLTA_APP_ID);
const QString kDesktopFile = kData + QStringLiteral("/applications/") + kAppId + QStringLiteral(".desktop");
const QString kMetainfo = kData + QStringLiteral("/metainfo/") + kAppId + QStringLiteral(".metainfo.xml");
constexpr int kIconSizes[] = {16, 24, 32, 48, 64, 128, 256};
// The command-line calculators: the program, its manual page, its completion.
const QString kCalc = kBin + QStringLiteral("/sonavolta-calc");
const QString kCalcManPage = QStringLiteral(SONAVOLTA_MANDIR "/man1/sonavolta-calc.1");
const QString kCalcCompletion = kData + QStringLiteral("/bash-completion/completions/sonavolta-calc");

inline QString IconPath(int size)
{
    return kData + QStringLiteral("/icons/hicolor/%1x%1/apps/sonavolta.png").arg(size);
}

struct Result {
    bool finished = false;
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

inline std::ostream& operator<<(std::ostream& os, const Result& r)
{
    return os << "exit " << r.exitCode << (r.finished ? "" : " (did not finish)") << "\nstdout:\n"
              << r.out.toStdString() << "stderr:\n"
              << r.err.toStdString();
}

// Runs a command to its end; env entries ("NAME=value") are added to ours.
inline Result RunCommand(const QString& program, const QStringList& args, const QStringList& env = {},
                         const QString& workingDir = {})
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString& entry : env)
        environment.insert(entry.section('=', 0, 0), entry.section('=', 1));
    process.setProcessEnvironment(environment);
    process.setStandardInputFile(QProcess::nullDevice());
    if (!workingDir.isEmpty())
        process.setWorkingDirectory(workingDir);
    process.start(program, args);
    Result result;
    result.finished = process.waitForFinished(120000);
    if (!result.finished)
        process.kill();
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError() + process.errorString().toLocal8Bit();
    return result;
}

// Starts the program headless, in a working directory and a login session
// (runtime directory) of its own, with the start-up hook set: it shows the
// chooser, closes at its first paint and, with "wave", reports whether the
// Wave calculator could read its table.
inline Result RunProgram(const QString& program, const QString& hook)
{
    QTemporaryDir session, elsewhere;
    QFile::setPermissions(session.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return RunCommand(program, {},
                      {QStringLiteral("QT_QPA_PLATFORM=offscreen"), QStringLiteral("XDG_RUNTIME_DIR=") + session.path(),
                       QStringLiteral("SONAVOLTA_EXIT_AFTER_FIRST_PAINT=") + hook},
                      elsewhere.path());
}

// The tree under an install prefix: the program with its data in a directory
// of its own, a relative link to it in bin/, and the desktop files.
inline void ExpectInstalledTree(const QString& prefix)
{
    const QDir root(prefix);
    const QString program = kProgramDir + QStringLiteral("/sonavolta");
    for (const QString& file :
         {program, kProgramDir + QStringLiteral("/spn.dat"), kProgramDir + QStringLiteral("/sonavolta.html"),
          kProgramDir + QStringLiteral("/sonavolta.css"), kDesktopFile, kMetainfo,
          kData + QStringLiteral("/icons/hicolor/scalable/apps/sonavolta.svg"), kCalc, kCalcManPage, kCalcCompletion}) {
        const QFileInfo info(root.filePath(file));
        EXPECT_TRUE(info.isFile() && !info.isSymLink() && info.size() > 0) << file.toStdString();
    }
    // Each calculator's help page, which its help button opens.
    for (const Calculator& c : Calculators()) {
        const QString page = kProgramDir + QStringLiteral("/sonavolta-%1.html").arg(QLatin1String(c.helpAnchor));
        const QFileInfo info(root.filePath(page));
        EXPECT_TRUE(info.isFile() && !info.isSymLink() && info.size() > 0) << page.toStdString();
    }
    EXPECT_TRUE(QFileInfo(root.filePath(program)).isExecutable());
    EXPECT_TRUE(QFileInfo(root.filePath(kCalc)).isExecutable());
    // One desktop entry and one metainfo file, no second one under another name.
    for (const QString& file : {kDesktopFile, kMetainfo}) {
        const QFileInfo info(root.filePath(file));
        EXPECT_EQ(info.dir().entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList {info.fileName()});
    }

    // A relative link keeps working wherever the tree is put (DESTDIR, a
    // package unpacked elsewhere).
    const QFileInfo link(root.filePath(kBin + QStringLiteral("/sonavolta")));
    ASSERT_TRUE(link.isSymLink());
    const std::string target = std::filesystem::read_symlink(link.filePath().toStdString()).string();
    EXPECT_TRUE(QDir::isRelativePath(QString::fromStdString(target))) << target;
    EXPECT_EQ(link.canonicalFilePath(), QFileInfo(root.filePath(program)).canonicalFilePath());

    // Each size directory holds the icon of that size.
    for (int size : kIconSizes) {
        SCOPED_TRACE(size);
        QImageReader icon(root.filePath(IconPath(size)));
        EXPECT_EQ(icon.format(), QByteArray("png"));
        EXPECT_EQ(icon.size(), QSize(size, size));
    }
}

// The link in bin/ starts the program from another working directory; the
// chooser shows, and the Wave calculator finds its table.
inline void ExpectProgramRuns(const QString& prefix)
{
    const QString link = QDir(prefix).filePath(kBin + QStringLiteral("/sonavolta"));
    const Result chooser = RunProgram(link, QStringLiteral("1"));
    EXPECT_EQ(chooser.exitCode, 0) << chooser;
    EXPECT_EQ(chooser.out, QByteArray("first paint\n")) << chooser;

    const Result wave = RunProgram(link, QStringLiteral("wave"));
    EXPECT_EQ(wave.exitCode, 0) << wave;
    EXPECT_EQ(wave.out, QByteArray("first paint\nwave opened\n")) << wave;

    // The command-line calculators need nothing beside them.
    QTemporaryDir elsewhere;
    const Result calc =
        RunCommand(QDir(prefix).filePath(kCalc),
                   {QStringLiteral("wave"), QStringLiteral("A4"), QStringLiteral("--csv")}, {}, elsewhere.path());
    EXPECT_EQ(calc.exitCode, 0) << calc;
    EXPECT_TRUE(calc.out.contains("\n440,A4,440,0,")) << calc;
}

}  // namespace installed
