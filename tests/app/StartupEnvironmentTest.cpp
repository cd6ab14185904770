// What the program sets up before its toolkit starts, seen from a copy of
// this test started as a process through the framework's main routine, as
// the program starts: Qt's OpenGL integrations left out unless the user
// chose one (on Wayland only where Qt need not draw the window's frame), the
// user's environment for a program it starts (the help browser), and the
// desktop id that Wayland takes as the window's app id. The copies meet a
// stand-in compositor that answers what a compositor answers to the question
// whether it draws frames; the answer's reading is checked on its own too.

#include "framework/WaylandProbe.h"
#include "framework/WinApp.h"

#include <QFile>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

const char* const kWaylandSwitch = "QT_WAYLAND_CLIENT_BUFFER_INTEGRATION";
const char* const kXcbSwitch = "QT_XCB_GL_INTEGRATION";

// ---- The copy: prints what it sees, starts a program that writes down
// what it sees, and logs what Qt logs when it loads no client buffers.

QByteArray Seen(const char* name) { return qEnvironmentVariableIsSet(name) ? qgetenv(name) : "unset"; }

class CopyApp : public CWinApp {
public:
    bool InitInstance() override
    {
        std::printf("sees %s %s\n", Seen(kWaylandSwitch).constData(), Seen(kXcbSwitch).constData());
        std::printf("desktop id %s\n", qPrintable(QGuiApplication::desktopFileName()));
        std::fflush(stdout);
        const QString written = qEnvironmentVariable("SONAVOLTA_TEST_CHILD_FILE");
        StartDetachedProcess(QStringLiteral("/bin/sh"),
                             {QStringLiteral("-c"),
                              QStringLiteral("printf '%s\\n%s\\n' \"${%1-unset} ${%2-unset}\" "
                                             "\"${XDG_ACTIVATION_TOKEN-unset} ${DESKTOP_STARTUP_ID-unset}\" "
                                             "> \"$0.part\" && mv \"$0.part\" \"$0\"")
                                  .arg(QLatin1String(kWaylandSwitch), QLatin1String(kXcbSwitch)),
                              written});
        const QLoggingCategory wayland("qt.qpa.wayland");
        qCWarning(wayland) << "Failed to load client buffer integration:"
                           << "none";
        qCWarning(wayland) << "Available client buffer integrations:" << QStringList {QStringLiteral("wayland-egl")};
        qCWarning(wayland) << "a warning of its own";
        return false;
    }
};

// ---- What a compositor sends: messages of two header words and arguments.

void PutWord(std::string& bytes, std::uint32_t word) { bytes.append(reinterpret_cast<const char*>(&word), 4); }

std::string Message(std::uint32_t object, std::uint16_t opcode, const std::string& arguments)
{
    std::string message;
    PutWord(message, object);
    PutWord(message, std::uint32_t(8 + arguments.size()) << 16 | opcode);
    return message + arguments;
}

void PutString(std::string& bytes, std::string_view text)
{
    PutWord(bytes, std::uint32_t(text.size() + 1));
    bytes.append(text);
    bytes += '\0';
    while (bytes.size() % 4 != 0)
        bytes += '\0';
}

// The registry's (object 2) announcement of a global.
std::string Global(std::uint32_t name, std::string_view interface)
{
    std::string arguments;
    PutWord(arguments, name);
    PutString(arguments, interface);
    PutWord(arguments, 1);
    return Message(2, 0, arguments);
}

// The sync's (object 3) answer: the list is whole.
std::string Done()
{
    std::string arguments;
    PutWord(arguments, 1);
    return Message(3, 0, arguments);
}

const std::string kFrames = "zxdg_decoration_manager_v1";
const std::string kPlainList = Global(1, "wl_compositor") + Global(2, "wl_shm") + Global(3, "xdg_wm_base");
const std::string kListWithFrames = kPlainList + Global(4, kFrames);

// A stand-in compositor on a socket of its own: to each connection it sends
// its answer once the client's two requests came, then closes it.
class FakeCompositor {
public:
    explicit FakeCompositor(std::string answer) : m_answer(std::move(answer))
    {
        m_path = m_dir.filePath(QStringLiteral("wayland-test")).toStdString();
        sockaddr_un address {};
        address.sun_family = AF_UNIX;
        std::memcpy(address.sun_path, m_path.c_str(), m_path.size());
        m_fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        EXPECT_EQ(::bind(m_fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
        EXPECT_EQ(::listen(m_fd, 4), 0);
        m_thread = std::thread([this] { Serve(); });
    }
    ~FakeCompositor()
    {
        m_stop = true;
        m_thread.join();
        ::close(m_fd);
    }
    QString Path() const { return QString::fromStdString(m_path); }

private:
    void Serve()
    {
        while (!m_stop) {
            pollfd wait {m_fd, POLLIN, 0};
            if (::poll(&wait, 1, 20) != 1)
                continue;
            const int client = ::accept4(m_fd, nullptr, nullptr, SOCK_CLOEXEC);
            if (client < 0)
                continue;
            char requests[24];
            std::size_t got = 0;
            ssize_t size = 0;
            while (got < sizeof requests && (size = ::recv(client, requests + got, sizeof requests - got, 0)) > 0)
                got += std::size_t(size);
            if (!m_answer.empty())
                (void)::send(client, m_answer.data(), m_answer.size(), MSG_NOSIGNAL);
            else  // a compositor that never answers: the client must not wait for it
                std::this_thread::sleep_for(std::chrono::seconds(2));
            ::close(client);
        }
    }

    QTemporaryDir m_dir;
    std::string m_path, m_answer;
    int m_fd = -1;
    std::atomic<bool> m_stop {false};
    std::thread m_thread;
};

// ---- The test.

TEST(CompositorGlobals, TheAnswerIsReadAsSentAndNothingPastIt)
{
    using State = fw::CompositorGlobals::State;
    std::string deleteId;
    PutWord(deleteId, 9);
    std::string error;
    PutWord(error, 1);
    PutWord(error, 0);
    PutString(error, "invalid object");
    std::string unterminated;
    PutWord(unterminated, 4);
    PutWord(unterminated, 4);
    unterminated += "zxdg";
    PutWord(unterminated, 1);
    std::string tooLong;
    PutWord(tooLong, 4);
    PutWord(tooLong, 400);
    tooLong += std::string(8, 'x');
    const std::string sizeSix = Message(2, 0, "").replace(4, 4, std::string("\0\0\6\0", 4));
    const struct {
        const char* what;
        std::string received;
        State state;
        bool drawsFrames;
    } cases[] = {
        {"a whole list with the extension", kListWithFrames + Done(), State::Done, true},
        {"a whole list without it", kPlainList + Done(), State::Done, false},
        {"the extension after the list's end", kPlainList + Done() + Global(4, kFrames), State::Done, false},
        {"the list not ended yet", kListWithFrames, State::NeedMore, true},
        {"nothing yet", "", State::NeedMore, false},
        {"a message cut short", kPlainList + Global(4, kFrames).substr(0, 20), State::NeedMore, false},
        {"a header cut short", kPlainList + Done().substr(0, 6), State::NeedMore, false},
        {"a name that only begins like it", kPlainList + Global(4, kFrames + "x") + Done(), State::Done, false},
        {"other events on the way", Message(1, 1, deleteId) + kListWithFrames + Done(), State::Done, true},
        {"a protocol error", kPlainList + Message(1, 0, error), State::Broken, false},
        {"a string without its zero", Message(2, 0, unterminated) + Done(), State::Broken, false},
        {"a string longer than its message", Message(2, 0, tooLong) + Done(), State::Broken, false},
        {"a size under a header's", sizeSix + Done(), State::Broken, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const fw::CompositorGlobals globals = fw::ReadCompositorGlobals(c.received);
        EXPECT_EQ(int(globals.state), int(c.state));
        EXPECT_EQ(globals.drawsWindowFrames, c.drawsFrames);
    }
}

struct Outcome {
    int exitCode = -1;
    QByteArray out, err, child;
    QByteArray childTokens;  // the launcher's token and startup id as the started program sees them
};

Outcome RunCopy(const QStringList& userSettings, const QString& waylandDisplay = {})
{
    QTemporaryDir session;
    QFile::setPermissions(session.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString childFile = session.filePath(QStringLiteral("child"));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QLatin1String(kWaylandSwitch));
    env.remove(QLatin1String(kXcbSwitch));
    env.remove(QStringLiteral("QT_WAYLAND_DISABLE_WINDOWDECORATION"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    if (!waylandDisplay.isEmpty())
        env.insert(QStringLiteral("WAYLAND_DISPLAY"), waylandDisplay);
    for (const QString& setting : userSettings)
        env.insert(setting.section(u'=', 0, 0), setting.section(u'=', 1));
    env.insert(QStringLiteral("SONAVOLTA_TEST_SUBJECT"), QStringLiteral("1"));
    env.insert(QStringLiteral("SONAVOLTA_TEST_CHILD_FILE"), childFile);
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), session.path());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));

    QProcess copy;
    copy.setProcessEnvironment(env);
    copy.start(QCoreApplication::applicationFilePath(), {});
    Outcome outcome;
    if (!copy.waitForFinished(20000))
        copy.kill();
    outcome.exitCode = copy.exitStatus() == QProcess::NormalExit ? copy.exitCode() : -1;
    outcome.out = copy.readAllStandardOutput();
    outcome.err = copy.readAllStandardError();
    QFile child(childFile);
    for (int waited = 0; !child.exists() && waited < 5000; waited += 20)
        QThread::msleep(20);
    if (child.open(QIODevice::ReadOnly)) {
        const QList<QByteArray> lines = child.readAll().trimmed().split('\n');
        outcome.child = lines.value(0);
        outcome.childTokens = lines.value(1);
    }
    return outcome;
}

TEST(StartupEnvironment, OpenGlLeftOutUnlessTheUserChoseOrQtDrawsTheFrameAndStartedProgramsGetTheUsersSettings)
{
    FakeCompositor drawsFrames(kListWithFrames + Done()), leavesFramesToQt(kPlainList + Done()), silent("");
    const QString none;
    const struct {
        const char* what;
        QStringList userSettings;
        QString compositor;
        QByteArray programSees, startedProgramSees;
        bool quietAboutNoClientBuffers;
    } cases[] = {
        {"a compositor that draws the frames", {}, drawsFrames.Path(), "sees none none", "unset unset", true},
        {"a compositor that leaves them to Qt", {}, leavesFramesToQt.Path(), "sees unset none", "unset unset", false},
        {"a compositor that does not answer", {}, silent.Path(), "sees unset none", "unset unset", false},
        {"no Wayland session", {}, none, "sees unset none", "unset unset", false},
        {"Qt's frames turned off by the user",
         {QStringLiteral("QT_WAYLAND_DISABLE_WINDOWDECORATION=1")},
         leavesFramesToQt.Path(),
         "sees none none",
         "unset unset",
         true},
        {"the user chose both",
         {QStringLiteral("QT_WAYLAND_CLIENT_BUFFER_INTEGRATION=wayland-egl"),
          QStringLiteral("QT_XCB_GL_INTEGRATION=xcb_glx")},
         drawsFrames.Path(),
         "sees wayland-egl xcb_glx",
         "wayland-egl xcb_glx",
         false},
        {"the user chose for X11 only",
         {QStringLiteral("QT_XCB_GL_INTEGRATION=xcb_egl")},
         drawsFrames.Path(),
         "sees none xcb_egl",
         "unset xcb_egl",
         true},
        {"the user chose none for Wayland",
         {QStringLiteral("QT_WAYLAND_CLIENT_BUFFER_INTEGRATION=none")},
         leavesFramesToQt.Path(),
         "sees none none",
         "none unset",
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const Outcome outcome = RunCopy(c.userSettings, c.compositor);
        EXPECT_EQ(outcome.exitCode, 0) << outcome.err.toStdString();
        EXPECT_TRUE(outcome.out.startsWith(c.programSees + '\n')) << outcome.out.toStdString();
        EXPECT_EQ(outcome.child.toStdString(), c.startedProgramSees.toStdString());
        // The warnings Qt gives when it loads no client buffers are dropped
        // only when the program itself asked for none; others go on.
        EXPECT_EQ(!outcome.err.contains("client buffer integration"), c.quietAboutNoClientBuffers)
            << outcome.err.toStdString();
        EXPECT_TRUE(outcome.err.contains("a warning of its own")) << outcome.err.toStdString();
    }
}

// A launcher's token (Wayland) and startup id (X11) are good for one
// activation of this program's window; a program it starts never gets them,
// spent or not (without an activation protocol nothing spends them).
TEST(StartupEnvironment, AStartedProgramGetsNoneOfTheLaunchersTokens)
{
    const Outcome outcome = RunCopy({QStringLiteral("XDG_ACTIVATION_TOKEN=token-from-the-launcher"),
                                     QStringLiteral("DESKTOP_STARTUP_ID=id_TIME42")});
    EXPECT_EQ(outcome.exitCode, 0) << outcome.err.toStdString();
    EXPECT_EQ(outcome.childTokens.toStdString(), "unset unset");
}

// The reverse-domain id the desktop entry is named after.
TEST(StartupEnvironment, TheDesktopIdIsTheDesktopEntrysName)
{
    const Outcome outcome = RunCopy({});
    EXPECT_TRUE(outcome.out.contains("\ndesktop id " SONAVOLTA_APP_ID "\n")) << outcome.out.toStdString();
}

}  // namespace

int main(int argc, char** argv)
{
    if (std::getenv("SONAVOLTA_TEST_SUBJECT")) {
        CopyApp app;
        return AfxWinMain(argc, argv);
    }
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
