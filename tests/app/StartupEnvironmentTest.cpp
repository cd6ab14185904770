// What the program sets up before its toolkit starts, seen from a copy of
// this test started as a process through the framework's main routine, as
// the program starts: Qt's OpenGL integrations left out unless the user
// chose one, the user's environment for a program it starts (the help
// browser), and the desktop id that Wayland takes as the window's app id.

#include "framework/WinApp.h"

#include <QFile>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

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
                              QStringLiteral("echo \"${%1-unset} ${%2-unset}\" > \"$0.part\" && mv \"$0.part\" \"$0\"")
                                  .arg(QLatin1String(kWaylandSwitch), QLatin1String(kXcbSwitch)),
                              written});
        const QLoggingCategory wayland("qt.qpa.wayland");
        qCWarning(wayland) << "Failed to load client buffer integration:" << "none";
        qCWarning(wayland) << "Available client buffer integrations:" << QStringList {QStringLiteral("wayland-egl")};
        qCWarning(wayland) << "a warning of its own";
        return false;
    }
};

// ---- The test.

struct Outcome {
    int exitCode = -1;
    QByteArray out, err, child;
};

Outcome RunCopy(const QStringList& userSettings)
{
    QTemporaryDir session;
    QFile::setPermissions(session.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString childFile = session.filePath(QStringLiteral("child"));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QLatin1String(kWaylandSwitch));
    env.remove(QLatin1String(kXcbSwitch));
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
    if (child.open(QIODevice::ReadOnly))
        outcome.child = child.readAll().trimmed();
    return outcome;
}

TEST(StartupEnvironment, OpenGlLeftOutUnlessTheUserChoseAndStartedProgramsGetTheUsersSettings)
{
    const struct {
        const char* what;
        QStringList userSettings;
        QByteArray programSees, startedProgramSees;
        bool quietAboutNoClientBuffers;
    } cases[] = {
        {"the user chose nothing", {}, "sees none none", "unset unset", true},
        {"the user chose both",
         {QStringLiteral("QT_WAYLAND_CLIENT_BUFFER_INTEGRATION=wayland-egl"),
          QStringLiteral("QT_XCB_GL_INTEGRATION=xcb_glx")},
         "sees wayland-egl xcb_glx",
         "wayland-egl xcb_glx",
         false},
        {"the user chose for X11 only", {QStringLiteral("QT_XCB_GL_INTEGRATION=xcb_egl")}, "sees none xcb_egl",
         "unset xcb_egl", true},
        {"the user chose none for Wayland", {QStringLiteral("QT_WAYLAND_CLIENT_BUFFER_INTEGRATION=none")},
         "sees none none", "none unset", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const Outcome outcome = RunCopy(c.userSettings);
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
