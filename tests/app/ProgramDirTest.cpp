// The program's folder is found once at start-up and kept as the system's
// bytes: a copy of this test, started as a process from a folder of its own,
// opens Help from the chooser's menu, the Wave calculator through the chooser
// and its Help button, after its executable was replaced, from a folder named with the byte 0xE9,
// and with /proc hidden, also with a start-up argument that names another
// folder. The table must be found and Help must open the page beside the
// copy each time; and where nothing names the copy's folder, Help says the
// page was not found rather than hand the browser a bare "file:".

#include "app/ChooserDlg.h"
#include "res/resource.h"
#include "tests/support/DialogHarness.h"
#include "tests/support/Waiting.h"

#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <QToolButton>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

using namespace testing_support;

namespace {

namespace fs = std::filesystem;

// ---- The copy: what a user does, written to stdout.

QToolButton* HelpMenuButton(CDialog& dlg)
{
    for (auto* b : Window(dlg)->findChildren<QToolButton*>())
        if (b->isVisible() && b->text() == QLatin1String("Help") && b->menu())
            return b;
    return nullptr;
}

// Picks Help, Contents on the chooser; presses the Wave button; in the
// calculator types a note and presses Help. Prints "wave: <the frequency
// shown>" or "wave: <the message shown instead>".
int RunAsCopy()
{
    // A package upgrade: a new file renamed over the running executable.
    if (const char* from = std::getenv("SONAVOLTA_TEST_REPLACEMENT")) {
        if (std::rename(from, std::getenv("SONAVOLTA_TEST_SELF")) != 0)
            return 3;
    }
    QString wave = QStringLiteral("nothing opened");
    CChooserDlg chooser;
    RunModal(chooser, [&] {
        WhenMenuOpens([](QMenu& menu) {
            for (QAction* action : menu.actions())
                if (action->text() == QLatin1String("Contents"))
                    QTest::mouseClick(&menu, Qt::LeftButton, Qt::NoModifier, menu.actionGeometry(action).center());
        });
        // What Help says instead of opening a page, when it cannot name one.
        QTimer helpBox;
        QObject::connect(&helpBox, &QTimer::timeout, [] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                std::printf("help: %s\n", box->text().toUtf8().constData());
                QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
            }
        });
        helpBox.start(20);
        if (QToolButton* help = HelpMenuButton(chooser))
            QTest::mouseClick(help, Qt::LeftButton);
        helpBox.stop();

        QTimer::singleShot(0, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                wave = box->text();
                QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
            } else if (CDialog* calc = CDialog::GetActiveDialog(); calc && calc != &chooser) {
                ClickAndType(*calc, IDC_NOTE, QStringLiteral("a4"));
                wave = Text(*calc, IDC_FREQUENCY);
                auto* help = Window(*calc)->findChild<QToolButton*>(QStringLiteral("command%1").arg(ID_HELP_TOPIC));
                if (help)
                    QTest::mouseClick(help, Qt::LeftButton);
                calc->EndDialog(IDOK);
            }
        });
        QTest::mouseClick(Widget(chooser, IDC_WAVE), Qt::LeftButton);
    });
    std::printf("wave: %s\n", wave.toUtf8().constData());
    return 0;
}

// ---- The test: copies in folders of their own, started by their bytes.

std::string ReadFile(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Runs argv with extra NAME=value entries in the environment; its stdout
// goes to out. Returns the exit code, or -1 when it did not end in time.
int RunProcess(const std::vector<std::string>& argv, const std::vector<std::string>& extraEnv, const fs::path& out)
{
    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    std::vector<std::string> envStrings(extraEnv);
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        const std::string name = entry.substr(0, entry.find('=') + 1);
        if (std::none_of(extraEnv.begin(), extraEnv.end(), [&](const std::string& x) { return x.starts_with(name); }))
            envStrings.push_back(entry);
    }
    std::vector<char*> env;
    for (std::string& e : envStrings)
        env.push_back(e.data());
    env.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    pid_t pid = -1;
    const int spawned = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), env.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return -2;
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > end) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -3;
}

// Hiding /proc needs a mount namespace of our own: root, and unshare.
bool CanHideProc()
{
    static const bool can =
        geteuid() == 0
        && RunProcess({"unshare", "--mount", "--propagation", "private", "/bin/sh", "-c", "mount -t tmpfs none /proc"},
                      {}, "/dev/null")
               == 0;
    return can;
}

// A stand-in for the desktop's viewer that writes down what it was asked to open.
class ViewerStub {
public:
    explicit ViewerStub(const fs::path& dir) : m_dir(dir / "viewer")
    {
        fs::create_directories(m_dir);
        std::ofstream(m_dir / "xdg-open") << "#!/bin/sh\nprintf '%s\\n' \"$1\" >> \"$0.urls\"\n";
        fs::permissions(m_dir / "xdg-open", fs::perms::owner_all);
    }
    std::string PathEntry() const { return "PATH=" + m_dir.native() + ":" + std::getenv("PATH"); }
    // The URLs it was given, one a line, once there are count of them; in
    // the order of their names, as two viewers started at once may write
    // theirs in either order.
    std::string Urls(int count) const
    {
        std::string urls;
        for (int waited = 0; waited < 5000; waited += 20) {
            urls = ReadFile(m_dir / "xdg-open.urls");
            if (std::count(urls.begin(), urls.end(), '\n') >= count)
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        std::vector<std::string> lines;
        for (std::size_t start = 0, end; (end = urls.find('\n', start)) != std::string::npos; start = end + 1)
            lines.push_back(urls.substr(start, end - start + 1));
        std::sort(lines.begin(), lines.end());
        std::string sorted;
        for (const std::string& line : lines)
            sorted += line;
        return sorted;
    }

private:
    fs::path m_dir;
};

std::string PercentEncoded(const std::string& bytes)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (const unsigned char c : bytes) {
        if (std::isalnum(c) || c == '/' || c == '-' || c == '_' || c == '.' || c == '~') {
            out += char(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

TEST(ProgramDir, FoundAtStartUpTheTableAndHelpStayBesideTheProgram)
{
    enum class Start { Plain, LyingArgument, ByDescriptor };
    struct Case {
        const char* name;
        std::string folder;  // bytes
        bool replaceAfterStart;
        bool hideProc;
        Start start = Start::Plain;
    };
    const Case cases[] = {
        {"executable replaced after start", "program", true, false},
        {"a folder named with the byte 0xE9", "caf\xE9", false, false},
        {"no /proc", "program", false, true},
        {"all three at once", "caf\xE9", true, true},
        // The start-up argument is the caller's to choose: it names a folder
        // with a table and pages of its own.
        {"no /proc, a start-up argument naming another folder", "program", false, true, Start::LyingArgument},
        {"no /proc, and nothing names the program's folder", "program", false, true, Start::ByDescriptor},
    };
    const fs::path self = fs::canonical("/proc/self/exe");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.hideProc && kSanitized) {
            // The sanitizers' runtime reads its options and stops threads
            // through /proc, so a sanitized program cannot run without it.
            std::printf("[ note     ] %s: skipped in a sanitizer build, whose runtime needs /proc\n", c.name);
            continue;
        }
        if (c.hideProc && !CanHideProc()) {
            std::printf("[ note     ] %s: skipped, /proc cannot be hidden here (root and unshare needed)\n", c.name);
            continue;
        }
        char pattern[] = "/tmp/program_dir_test-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        const fs::path temp = pattern;
        const fs::path folder = temp / c.folder;
        fs::create_directories(folder);
        const fs::path program = folder / "program_dir_test";
        fs::copy_file(self, program);
        for (const char* data : {"spn.dat", "sonavolta.html", "sonavolta-wave.html"})
            fs::copy_file(self.parent_path() / data, folder / data);

        std::vector<std::string> env = {"SONAVOLTA_TEST_SUBJECT=1", "SONAVOLTA_TEST_SELF=" + program.native()};
        if (c.replaceAfterStart) {
            fs::copy_file(self, folder / "program_dir_test.new");
            env.push_back("SONAVOLTA_TEST_REPLACEMENT=" + (folder / "program_dir_test.new").native());
        }
        const fs::path other = temp / "other";
        fs::create_directories(other);
        fs::copy_file(self, other / "program_dir_test");
        std::ofstream(other / "spn.dat", std::ios::binary) << "123.45;A4\r\n";
        for (const char* page : {"sonavolta.html", "sonavolta-wave.html"})
            std::ofstream(other / page) << "not ours";
        const ViewerStub viewer(temp);
        env.push_back(viewer.PathEntry());
        std::vector<std::string> argv = {program.native()};
        if (c.hideProc) {
            const char* run = c.start == Start::LyingArgument ? "mount -t tmpfs none /proc && exec -a \"$1\" \"$0\""
                                                              : "mount -t tmpfs none /proc && exec \"$0\"";
            argv = {"unshare", "--mount",        "--propagation",
                    "private", "/bin/bash",      "-c",
                    run,       program.native(), (other / "program_dir_test").native()};
        }
        if (c.start == Start::ByDescriptor) {
            argv[7] = self.native();
            env.push_back("SONAVOLTA_TEST_RUN_BY_DESCRIPTOR=" + program.native());
        }

        EXPECT_EQ(RunProcess(argv, env, temp / "out"), 0);
        std::string out = ReadFile(temp / "out");
        std::replace(out.begin(), out.end(), ',', '.');  // the user's decimal separator
        const std::string page = "file://" + PercentEncoded((folder / "sonavolta.html").native());
        const std::string wavePage = "file://" + PercentEncoded((folder / "sonavolta-wave.html").native());
        if (c.start == Start::ByDescriptor) {
            // Nothing to open, and said so; no bare "file:" for the browser.
            EXPECT_EQ(out, "help: sonavolta.html was not found.\nwave: an unnamed file was not found.\n");
            EXPECT_EQ(viewer.Urls(1), "");
        } else {
            EXPECT_EQ(out, "wave: 440.00\n");
            EXPECT_EQ(viewer.Urls(2), wavePage + "\n" + page + "\n");
        }
        if (c.replaceAfterStart) {
            EXPECT_FALSE(fs::exists(folder / "program_dir_test.new"));
        }
        fs::remove_all(temp);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    // Runs the program from its descriptor: the path the kernel then records
    // is /dev/fd/N, which names nothing once /proc is hidden.
    if (const char* program = std::getenv("SONAVOLTA_TEST_RUN_BY_DESCRIPTOR")) {
        const int fd = ::open(program, O_RDONLY | O_CLOEXEC);
        char name[] = "not-on-any-path";
        char* args[] = {name, nullptr};
        ::unsetenv("SONAVOLTA_TEST_RUN_BY_DESCRIPTOR");
        ::fexecve(fd, args, environ);
        return 4;
    }
    QApplication app(argc, argv);
    if (std::getenv("SONAVOLTA_TEST_SUBJECT"))
        return RunAsCopy();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
