// The program's own path: how it is found with and without /proc, kept as
// the system's bytes, and the file URL made from those bytes.

#include "framework/Program.h"
#include "framework/WinApp.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <QUrl>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// A folder of executables with odd names, and a link to one of them.
class FindProgramPathTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_temp.isValid());
        m_root = fs::canonical(m_temp.path().toStdString());
        fs::create_directories(m_root / "bin");
        fs::create_directories(m_root / "caf\xE9");
        m_program = Executable(m_root / "caf\xE9" / "sonavolta");
        Executable(m_root / "bin" / "sonavolta");
        std::ofstream(m_root / "bin" / "data") << "not executable";
        fs::create_symlink(m_program, m_root / "bin" / "link");
    }

    // QTemporaryDir cannot name the folder that is no text: remove by bytes.
    void TearDown() override { fs::remove_all(m_root); }

    static fs::path Executable(const fs::path& path)
    {
        std::ofstream(path) << "#!/bin/sh\n";
        fs::permissions(path, fs::perms::owner_all);
        return path;
    }

    QTemporaryDir m_temp;
    fs::path m_root;
    fs::path m_program;
};

TEST_F(FindProgramPathTest, FromProcOrElseFromTheStartUpArgument)
{
    const fs::path self = fs::canonical(QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString());
    const std::string bin = (m_root / "bin").native();
    const std::string relative = fs::relative(m_program, fs::current_path()).native();
    struct Case {
        const char* name;
        const char* procExe;
        std::string argv0;
        std::string pathList;
        fs::path expected;
    };
    const Case cases[] = {
        {"/proc tells, whatever the argument", "/proc/self/exe", m_program.native(), bin, self},
        {"no /proc: an absolute argument", "/no/proc/self/exe", m_program.native(), "", m_program},
        {"no /proc: a relative argument, from the working folder", "/no/proc/self/exe", relative, "", m_program},
        {"no /proc: a link, resolved", "/no/proc/self/exe", (m_root / "bin" / "link").native(), "", m_program},
        {"no /proc: a bare name along PATH", nullptr, "sonavolta", "/nowhere::" + bin, m_root / "bin" / "sonavolta"},
        {"no /proc: a bare name that is a link", nullptr, "link", bin, m_program},
        {"no /proc: a file that may not run is skipped", nullptr, "data", bin, {}},
        {"no /proc: a bare name on no PATH entry", nullptr, "sonavolta", "/nowhere", {}},
        {"no /proc: a missing file", nullptr, (m_root / "gone").native(), bin, {}},
        {"no /proc: a folder", nullptr, m_root.native(), bin, {}},
        {"no /proc and no argument", nullptr, "", bin, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(fw::FindProgramPath(c.procExe, nullptr, c.argv0.c_str(), c.pathList.c_str()), c.expected);
    }
    EXPECT_EQ(fw::FindProgramPath(nullptr, nullptr, nullptr, nullptr), fs::path());
}

// Without /proc the path the kernel executed comes before the start-up
// argument, which the caller chooses freely (exec -a).
TEST_F(FindProgramPathTest, ThePathTheKernelRanBeforeTheStartUpArgument)
{
    const std::string bin = (m_root / "bin").native();
    const std::string other = (m_root / "bin" / "sonavolta").native();
    struct Case {
        const char* name;
        std::string execFn;
        std::string argv0;
        fs::path expected;
    };
    const Case cases[] = {
        {"the executed path, whatever the argument says", m_program.native(), other, m_program},
        {"the executed path through a link, resolved", (m_root / "bin" / "link").native(), other, m_program},
        {"a relative executed path is not read from today's working folder", "caf\xE9/sonavolta", other,
         m_root / "bin" / "sonavolta"},
        {"an executed path that names nothing now: the argument", (m_root / "gone").native(), other,
         m_root / "bin" / "sonavolta"},
        {"no executed path: the argument", "", "sonavolta", m_root / "bin" / "sonavolta"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(fw::FindProgramPath("/no/proc/self/exe", c.execFn.c_str(), c.argv0.c_str(), bin.c_str()), c.expected);
    }
}

TEST(ProgramPath, IsTheRunningExecutableAndItsFolder)
{
    const fs::path self = fs::canonical(QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString());
    EXPECT_EQ(fw::ProgramPath(), self);
    EXPECT_EQ(fw::ProgramDir(), self.parent_path());
    EXPECT_EQ(fw::ProgramFile("spn.dat"), self.parent_path() / "spn.dat");
}

TEST(FileUrl, EncodesTheBytesOfThePath)
{
    struct Case {
        const char* path;
        const char* anchor;
        const char* url;
    };
    const Case cases[] = {
        // Bytes that are no text: each percent-encoded as it is.
        {"/tmp/caf\xE9/sonavolta.html", "wave", "file:///tmp/caf%E9/sonavolta.html#wave"},
        {"/tmp/\xFF\xFE/sonavolta.html", "", "file:///tmp/%FF%FE/sonavolta.html"},
        {"/tmp/caf\xC3\xA9/sonavolta.html", "", "file:///tmp/caf%C3%A9/sonavolta.html"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.url);
        EXPECT_EQ(fw::FileUrl(c.path, QString::fromLatin1(c.anchor)), QString::fromLatin1(c.url));
    }
    // A path that is text gives the URL Qt gives for a local file.
    const auto qtUrl = [](const char* path) {
        QUrl url = QUrl::fromLocalFile(QString::fromUtf8(path));
        url.setFragment(QStringLiteral("level"));
        return url.toString(QUrl::FullyEncoded);
    };
    for (const char* path :
         {"/usr/share/sonavolta/sonavolta.html", "/home/jo/Mes t\u00e9l\u00e9chargements/s.html",
          "/opt/a#b/c?d/100%/s.html", "/o/a+b!c$d&e'f(g)h*i,j;k=l:m@n~o-p.q_r[s]", "/o/{y}|z\\w^`\"<>/\U0001F3B5"}) {
        SCOPED_TRACE(path);
        EXPECT_EQ(fw::FileUrl(path, QStringLiteral("level")), qtUrl(path));
    }
}

}  // namespace
