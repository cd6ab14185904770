// The single-copy guard against what it cannot trust: entries another user
// planted where the guard looks, a lock left behind, a first copy that is
// stopped, and clients that flood the first copy's socket. Whatever they do,
// a copy starts (or finds the first) within a few seconds and never ends
// with 255 because of them.
//
// Planting as another user needs root (as CI runs); those cases are skipped
// otherwise. The other user is a free user id, acted as by a forked process.

#include "tests/support/ProgramCopies.h"

#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QStandardPaths>
#include <QSysInfo>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>

namespace {

using namespace testing_support;

// Generous: the guard's own bound is about three seconds.
constexpr qint64 kBoundMs = 6000;
// Under the guard's three seconds: a copy that never waited on it.
constexpr qint64 kNoWaitMs = 3000;

// The name the program gives its lock and socket in a folder: one per executable.
QByteArray EntryName(const QByteArray& folder)
{
    const QByteArray exe = QFile::encodeName(QFileInfo(QStringLiteral(SONAVOLTA_EXE)).canonicalFilePath());
    return folder + "/sonavolta-" + QCryptographicHash::hash(exe, QCryptographicHash::Sha256).toHex().left(16);
}

struct Outcome {
    bool finished = false;
    int exitCode = -1;
    QByteArray out;
    qint64 ms = 0;
};

// Starts a copy that closes once its chooser has painted, and waits for it.
Outcome RunToFirstPaint(const Session& session, const QStringList& env = {})
{
    QElapsedTimer clock;
    clock.start();
    auto copy = StartCopy(session, QStringList {QStringLiteral("SONAVOLTA_EXIT_AFTER_FIRST_PAINT=1")} + env);
    Outcome outcome;
    outcome.finished = copy->waitForFinished(20000);
    outcome.ms = clock.elapsed();
    outcome.exitCode = copy->exitStatus() == QProcess::NormalExit ? copy->exitCode() : -1;
    outcome.out = copy->readAllStandardOutput();
    return outcome;
}

void ExpectWindowSoon(const Outcome& o)
{
    EXPECT_TRUE(o.finished);
    EXPECT_EQ(o.exitCode, 0) << "255: it took another's answer for its own copy's";
    EXPECT_EQ(o.out, QByteArray("first paint\n"));
    EXPECT_LT(o.ms, kBoundMs);
}

void WriteFile(const QByteArray& path, const QByteArray& content)
{
    QFile file(QFile::decodeName(path));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
}

// A lock as a copy's lock library writes it: process, program, host.
QByteArray LockNaming(qint64 pid)
{
    return QByteArray::number(pid) + '\n'
           + QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget().section('/', -1).toUtf8() + '\n'
           + QSysInfo::machineHostName().toUtf8() + '\n';
}

// Another user: a free user id, and the processes it runs, which end with
// the test. Files it owns are made here and given to it.
class OtherUser {
public:
    enum class Listener { Answers, Silent };

    OtherUser()
    {
        while (::getpwuid(m_uid))
            ++m_uid;
    }
    ~OtherUser()
    {
        for (pid_t pid : m_processes) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
        }
    }
    uid_t Uid() const { return m_uid; }

    void Own(const QByteArray& path) const
    {
        ASSERT_EQ(::lchown(path.constData(), m_uid, m_uid), 0) << path.constData();
    }

    // A process of this user listening on a socket it made in staging (a
    // folder it may write), then moved to where; it answers "1" to whatever
    // it is sent, or holds every connection without a word. It holds a lock
    // on lockFd, when given one. Returns its pid.
    pid_t Listen(const QByteArray& staging, const QByteArray& where, Listener how, int lockFd = -1)
    {
        const QByteArray staged = staging + "/listener" + QByteArray::number(m_processes.size());
        sockaddr_un address {};
        address.sun_family = AF_UNIX;
        std::memcpy(address.sun_path, staged.constData(), staged.size());
        int ready[2];
        if (::pipe(ready) != 0)
            return -1;
        const pid_t pid = ::fork();
        if (pid == 0) {
            // Only system calls from here on: the test process has threads.
            ::prctl(PR_SET_PDEATHSIG, SIGKILL);
            if (::setgroups(0, nullptr) != 0 || ::setgid(m_uid) != 0 || ::setuid(m_uid) != 0)
                ::_exit(1);
            if (lockFd >= 0 && ::flock(lockFd, LOCK_EX | LOCK_NB) != 0)
                ::_exit(2);
            const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
            if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(fd, 64) != 0)
                ::_exit(3);
            ::write(ready[1], "r", 1);
            for (;;) {
                const int client = ::accept(fd, nullptr, nullptr);
                if (client < 0 || how == Listener::Silent)
                    continue;  // held open: it never answers
                char request[64];
                ::read(client, request, sizeof request);
                ::write(client, "1\n", 2);
                ::close(client);
            }
        }
        ::close(ready[1]);
        char byte = 0;
        const bool up = pid > 0 && ::read(ready[0], &byte, 1) == 1;
        ::close(ready[0]);
        if (pid > 0)
            m_processes.push_back(pid);
        if (!up)
            return -1;
        if (::rename(staged.constData(), where.constData()) != 0)
            return -1;
        return pid;
    }

private:
    uid_t m_uid = 64500;
    std::vector<pid_t> m_processes;
};

// One case's ground: a temporary directory for the copies (TMPDIR, with no
// runtime directory, so the guard makes its folder there, and the cache
// folder it falls back to), the folder the guard will look at, and the
// other user with a staging folder of its own.
struct Ground {
    Ground()
    {
        ::chmod(QFile::encodeName(tmp.path()).constData(), 0755);
        ::mkdir(staging.constData(), 0700);
        other.Own(staging);
    }
    QStringList Env() const
    {
        return {QStringLiteral("XDG_RUNTIME_DIR="), QStringLiteral("TMPDIR=") + tmp.path(),
                QStringLiteral("XDG_CACHE_HOME=") + tmp.path() + QStringLiteral("/cache")};
    }
    // The folder of another user, open to everyone.
    QByteArray TheirFolder() const
    {
        const QByteArray theirs = QFile::encodeName(tmp.path()) + "/theirs";
        ::mkdir(theirs.constData(), 0777);
        ::chmod(theirs.constData(), 0777);
        other.Own(theirs);
        return theirs;
    }

    QTemporaryDir tmp;
    const QByteArray folder = QFile::encodeName(tmp.path()) + "/sonavolta-" + QByteArray::number(::getuid());
    const QByteArray name = EntryName(folder);
    const QByteArray staging = QFile::encodeName(tmp.path()) + "/staging";
    OtherUser other;
    Session session;  // unused by these copies: they run without a runtime directory
};

// A lock of the other user's at name, naming a live process of theirs that
// holds it and listens on the socket beside it.
void TheirLockAndListener(Ground& g, const QByteArray& name, OtherUser::Listener how)
{
    const QByteArray lock = name + ".lock";
    WriteFile(lock, "");
    g.other.Own(lock);
    const int fd = ::open(lock.constData(), O_RDWR);
    const pid_t pid = g.other.Listen(g.staging, name + ".sock", how, fd);
    ::close(fd);
    ASSERT_GT(pid, 0);
    WriteFile(lock, LockNaming(pid));
}

struct PlantCase {
    const char* what;
    std::function<void(Ground&)> plant;
};

const std::vector<PlantCase> kPlanted = {
    {"their lock and a socket that answers, in our folder once open to all",
     [](Ground& g) {
         ::mkdir(g.folder.constData(), 0777);
         ::chmod(g.folder.constData(), 0777);
         TheirLockAndListener(g, g.name, OtherUser::Listener::Answers);
     }},
    {"their lock and a socket that never answers, in our folder once open to all",
     [](Ground& g) {
         ::mkdir(g.folder.constData(), 0777);
         ::chmod(g.folder.constData(), 0777);
         TheirLockAndListener(g, g.name, OtherUser::Listener::Silent);
     }},
    {"their answering socket in our private folder, our lock left unreadable",
     [](Ground& g) {
         ::mkdir(g.folder.constData(), 0700);
         WriteFile(g.name + ".lock", "\xff\xfe not a lock");
         ASSERT_GT(g.other.Listen(g.staging, g.name + ".sock", OtherUser::Listener::Answers), 0);
     }},
    {"their silent socket in our private folder, our lock left unreadable",
     [](Ground& g) {
         ::mkdir(g.folder.constData(), 0700);
         WriteFile(g.name + ".lock", "\xff\xfe not a lock");
         ASSERT_GT(g.other.Listen(g.staging, g.name + ".sock", OtherUser::Listener::Silent), 0);
     }},
    {"a socket file of ours with their process behind it, holding our lock",
     [](Ground& g) {
         ::mkdir(g.folder.constData(), 0700);
         const QByteArray lock = g.name + ".lock";
         WriteFile(lock, "");
         const int fd = ::open(lock.constData(), O_RDWR);
         ASSERT_GT(g.other.Listen(g.staging, g.name + ".sock", OtherUser::Listener::Answers, fd), 0);
         ::close(fd);
         ASSERT_EQ(::lchown((g.name + ".sock").constData(), ::getuid(), ::getgid()), 0);
     }},
    {"our folder a link to theirs, with their lock and answering socket",
     [](Ground& g) {
         const QByteArray theirs = g.TheirFolder();
         TheirLockAndListener(g, EntryName(theirs), OtherUser::Listener::Answers);
         ASSERT_EQ(::symlink(theirs.constData(), g.folder.constData()), 0);
     }},
    {"their folder in the place of ours, with their lock and answering socket",
     [](Ground& g) {
         ASSERT_EQ(::rename(g.TheirFolder().constData(), g.folder.constData()), 0);
         TheirLockAndListener(g, g.name, OtherUser::Listener::Answers);
     }},
    {"their file in the place of our folder",
     [](Ground& g) {
         WriteFile(g.folder, "mine");
         g.other.Own(g.folder);
     }},
    {"our folder once open to all, nothing in it",
     [](Ground& g) {
         ::mkdir(g.folder.constData(), 0777);
         ::chmod(g.folder.constData(), 0777);
     }},
};

TEST(SingleCopyGuard, WhatAnotherUserPlantedNeitherEndsNorHoldsUpACopy)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "planting files as another user needs root";
    for (const PlantCase& c : kPlanted) {
        SCOPED_TRACE(c.what);
        Ground ground;
        c.plant(ground);
        if (::testing::Test::HasFatalFailure())
            return;
        const Outcome outcome = RunToFirstPaint(ground.session, ground.Env());
        std::cout << c.what << ": exit " << outcome.exitCode << " after " << outcome.ms << " ms\n";
        ExpectWindowSoon(outcome);
    }
}

// A lock left behind that names no copy, or nothing readable: the next copy
// takes it and is the first, without waiting on it.
TEST(SingleCopyGuard, ALockLeftBehindIsTakenOver)
{
    const std::vector<std::pair<const char*, QByteArray>> leftovers = {
        {"unreadable", "\xff\xfe\x00\x01 not a lock"},
        {"empty", ""},
        {"naming a process that is not a copy", LockNaming(::getpid())},
        {"naming a process that ended", "2147483647\nsonavolta\n" + QSysInfo::machineHostName().toUtf8() + "\n"},
    };
    for (const auto& [what, content] : leftovers) {
        SCOPED_TRACE(what);
        Session session;
        WriteFile(EntryName(QFile::encodeName(session.Path())) + ".lock", content);
        QElapsedTimer clock;
        clock.start();
        auto first = StartCopy(session);
        if (!Eventually([&] { return session.CopyWithWindowAnswers(); }, 10000)) {
            ADD_FAILURE() << "the copy never listened as the first";
            continue;
        }
        std::cout << "lock left " << what << ": the next copy is first after " << clock.elapsed() << " ms\n";
        EXPECT_LT(clock.elapsed(), kBoundMs);
        auto later = StartCopy(session);
        ASSERT_TRUE(later->waitForFinished(10000));
        EXPECT_EQ(later->exitCode(), 255);
    }
}

// A first copy that is stopped answers nothing: a later copy gives up on it
// within the bound and starts.
TEST(SingleCopyGuard, AStoppedFirstCopyHoldsUpTheNextOnlyBriefly)
{
    Session session;
    auto first = StartCopy(session);
    ASSERT_TRUE(Eventually([&] { return session.CopyWithWindowAnswers(); }, 20000));
    ::kill(pid_t(first->processId()), SIGSTOP);
    const Outcome later = RunToFirstPaint(session);
    ::kill(pid_t(first->processId()), SIGCONT);
    std::cout << "first copy stopped: the next ends with " << later.exitCode << " after " << later.ms << " ms\n";
    ExpectWindowSoon(later);
}

long ResidentKiB(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

int OpenDescriptors(qint64 pid)
{
    return int(QDir(QStringLiteral("/proc/%1/fd").arg(pid))
                   .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System)
                   .size());
}

class FirstCopy : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_first = StartCopy(m_session);
        ASSERT_TRUE(Eventually([&] { return m_session.CopyWithWindowAnswers(); }, 20000));
    }
    qint64 Pid() const { return m_first->processId(); }

    Session m_session;
    std::unique_ptr<Copy> m_first;
};

// Bytes with no line end, sent for as long as the first copy takes them (ten
// seconds at most): it reads a few, then drops the connection, and its memory
// stays as it was.
TEST_F(FirstCopy, AnEndlessRequestIsCutShort)
{
    const long before = ResidentKiB(Pid());
    const int fd = ConnectTo(m_session.SocketPath());
    ASSERT_GE(fd, 0);
    const QByteArray chunk(64 * 1024, 'x');
    qint64 sent = 0;
    QElapsedTimer clock;
    clock.start();
    while (sent < 128LL * 1024 * 1024 && clock.elapsed() < 10000) {
        pollfd wait {fd, POLLOUT, 0};
        if (::poll(&wait, 1, 100) != 1)
            continue;
        const ssize_t n = ::send(fd, chunk.constData(), chunk.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n < 0 && errno != EAGAIN)
            break;  // the first copy closed the connection
        sent += n > 0 ? n : 0;
    }
    const long during = ResidentKiB(Pid());
    ::close(fd);
    EXPECT_LT(during - before, 16 * 1024)
        << "sent " << sent << " bytes; resident " << before << " KiB, then " << during;
    EXPECT_EQ(AskCopy(m_session.SocketPath()), QByteArray("1\n"));
}

// Connections that send nothing: the first copy holds only a few at once, and
// lets each go after a short while, while the clients keep theirs open.
TEST_F(FirstCopy, IdleConnectionsAreCappedAndClosed)
{
    const int before = OpenDescriptors(Pid());
    std::vector<int> idle;
    for (int i = 0; i < 200; ++i)
        if (const int fd = ConnectTo(m_session.SocketPath()); fd >= 0)
            idle.push_back(fd);
    EXPECT_GE(idle.size(), 16u);
    QTest::qWait(300);
    EXPECT_LE(OpenDescriptors(Pid()), before + 16 + 2);
    EXPECT_TRUE(Eventually([&] { return OpenDescriptors(Pid()) <= before + 2; }, 20000))
        << OpenDescriptors(Pid()) << " descriptors open, " << before << " before";
    for (int fd : idle)
        ::close(fd);
    EXPECT_EQ(AskCopy(m_session.SocketPath()), QByteArray("1\n"));
}

// Requests other than "raise": each is answered "0" and raises nothing.
TEST_F(FirstCopy, OnlyTheRaiseRequestIsAnswered)
{
    for (const QByteArray& request : {QByteArray("raise\r\n"), QByteArray("RAISE\n"), QByteArray("\n"),
                                      QByteArray("raise raise raise raise\n"), QByteArray(40, '\0')}) {
        SCOPED_TRACE(request.toStdString());
        EXPECT_EQ(AskCopy(m_session.SocketPath(), request), QByteArray("0\n"));
    }
    EXPECT_EQ(AskCopy(m_session.SocketPath()), QByteArray("1\n"));
}

// ---- What a later copy hands on, and where copies meet.

// The names of the entries in a folder that match a pattern.
QStringList Entries(const QString& folder, const QString& pattern = QStringLiteral("*"))
{
    return QDir(folder).entryList({pattern}, QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
}

// True when a copy listens in folder and answers that it raised its window.
bool CopyWithWindowAnswersIn(const QString& folder)
{
    const QStringList sockets = Entries(folder, QStringLiteral("*.sock"));
    return sockets.size() == 1 && AskCopy(folder + '/' + sockets.first()) == "1\n";
}

// Starts a later copy and waits for its end: its exit code, or -1.
int LaterCopyExit(const Session& session, const QStringList& env = {}, qint64* ms = nullptr)
{
    QElapsedTimer clock;
    clock.start();
    auto later = StartCopy(session, env);
    const bool ended = later->waitForFinished(20000);
    if (ms)
        *ms = clock.elapsed();
    return ended && later->exitStatus() == QProcess::NormalExit ? later->exitCode() : -1;
}

// The lines a copy printed that start with prefix, once there are count of them.
QList<QByteArray> LinesOf(Copy& copy, QByteArray& seen, const QByteArray& prefix, int count)
{
    QList<QByteArray> lines;
    Eventually(
        [&] {
            seen += copy.readAllStandardOutput();
            lines.clear();
            for (const QByteArray& line : seen.split('\n'))
                if (line.startsWith(prefix))
                    lines.append(line);
            return lines.size() >= count;
        },
        10000);
    return lines;
}

// The launcher's token and startup id reach the first copy with the request
// and are used for that one activation: none is left in its environment
// (where Qt's Wayland plugin would find it at the next activation, and a
// help browser it starts would inherit it), and none is made up.
TEST(SingleCopyGuard, TheLaunchersTokenReachesTheFirstCopyForOneActivation)
{
    Session session;
    // The first copy's own launch token, never sent (no compositor here takes one).
    auto first = StartCopy(session, {QStringLiteral("SONAVOLTA_REPORT_RAISE=1"),
                                     QStringLiteral("XDG_ACTIVATION_TOKEN=first-copy-own-token")});
    ASSERT_TRUE(Eventually([&] { return session.HasListeningCopy(); }, 20000));
    ASSERT_TRUE(Eventually([&] { return session.CopyWithWindowAnswers(); }, 20000));
    QByteArray seen;
    const int before = LinesOf(*first, seen, "raise ", 1).size();

    struct Case {
        const char* what;
        QStringList env;
        QByteArray received;
    };
    const QString overlong(300, QLatin1Char('t'));  // more than a request carries
    const Case cases[] = {
        {"a token and a startup id",
         {QStringLiteral("XDG_ACTIVATION_TOKEN=sway-0123abcd"),
          QStringLiteral("DESKTOP_STARTUP_ID=launcher-42-host_TIME123456")},
         "raise activation=sway-0123abcd startup=launcher-42-host_TIME123456 raised=1 token left="},
        {"neither",
         {QStringLiteral("XDG_ACTIVATION_TOKEN="), QStringLiteral("DESKTOP_STARTUP_ID=")},
         "raise activation= startup= raised=1 token left="},
        {"a token too long to send, and a startup id",
         {QStringLiteral("XDG_ACTIVATION_TOKEN=") + overlong, QStringLiteral("DESKTOP_STARTUP_ID=id_TIME9")},
         "raise activation= startup=id_TIME9 raised=1 token left="},
        {"a token with a space",
         {QStringLiteral("XDG_ACTIVATION_TOKEN=two words"), QStringLiteral("DESKTOP_STARTUP_ID=")},
         "raise activation= startup= raised=1 token left="},
    };
    int expected = before;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        qint64 ms = 0;
        EXPECT_EQ(LaterCopyExit(session, c.env, &ms), 255);
        EXPECT_LT(ms, kBoundMs);
        const QList<QByteArray> lines = LinesOf(*first, seen, "raise ", ++expected);
        ASSERT_EQ(lines.size(), expected);
        EXPECT_EQ(lines.last(), c.received);
    }
}

// A lock file removed while its copy runs (by a cleaner of old files, or by
// hand) changes nothing: the next copy still finds the running one; once
// that ends, the next is the first, and the one after finds it. Nobody waits
// out the three seconds.
TEST(SingleCopyGuard, ALockRemovedWhileItsCopyRunsKeepsOneCopy)
{
    Session session;
    auto a = StartCopy(session);
    ASSERT_TRUE(Eventually([&] { return session.CopyWithWindowAnswers(); }, 20000));
    for (const QString& lock : Entries(session.Path(), QStringLiteral("*.lock")))
        ASSERT_TRUE(QFile::remove(session.Path() + '/' + lock));

    qint64 ms = 0;
    EXPECT_EQ(LaterCopyExit(session, {}, &ms), 255) << "B started beside A";
    EXPECT_LT(ms, kNoWaitMs);

    a->kill();  // A ends; its socket stays behind, refusing connections
    a->waitForFinished();
    QElapsedTimer clock;
    clock.start();
    auto c = StartCopy(session);
    ASSERT_TRUE(Eventually([&] { return session.CopyWithWindowAnswers(); }, 20000)) << "C is not the first copy";
    EXPECT_LT(clock.elapsed(), kNoWaitMs) << "C waited on a socket nobody listens on";
    EXPECT_EQ(LaterCopyExit(session, {}, &ms), 255) << "a third copy started beside C";
    EXPECT_LT(ms, kNoWaitMs);
    EXPECT_EQ(c->state(), QProcess::Running);
}

// A runtime folder that is a link, or a relative path: the guard takes it as
// a folder it cannot trust, makes nothing in it, and meets its copies in its
// own folder in the temporary folder instead.
TEST(SingleCopyGuard, ARuntimeFolderThatIsALinkOrRelativeIsNotUsed)
{
    const QFile::Permissions ownerOnly = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
    struct Case {
        const char* what;
        bool relative;
    };
    for (const Case c :
         {Case {"a link to a private folder", false}, Case {"a relative path to a private folder", true}}) {
        SCOPED_TRACE(c.what);
        Ground ground;
        const QString target = ground.tmp.path() + QStringLiteral("/target");
        ASSERT_TRUE(QDir().mkpath(target));
        QFile::setPermissions(target, ownerOnly);
        const QString link = ground.tmp.path() + QStringLiteral("/link");
        ASSERT_TRUE(QFile::link(target, link));
        QStringList env = ground.Env();
        env[0] = QStringLiteral("XDG_RUNTIME_DIR=") + (c.relative ? QStringLiteral("target") : link);

        // Started from the folder that holds the target, so that a relative
        // path would lead there.
        auto start = [&] {
            auto copy = std::make_unique<Copy>();
            QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
            e.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
            for (const QString& entry : env)
                e.insert(entry.section('=', 0, 0), entry.section('=', 1));
            copy->setProcessEnvironment(e);
            copy->setWorkingDirectory(ground.tmp.path());
            copy->setStandardInputFile(QProcess::nullDevice());
            copy->setProcessChannelMode(QProcess::ForwardedErrorChannel);
            copy->start(QStringLiteral(SONAVOLTA_EXE), {});
            return copy;
        };
        auto first = start();
        const QString fallback = QFile::decodeName(ground.folder);
        ASSERT_TRUE(Eventually([&] { return CopyWithWindowAnswersIn(fallback); }, 20000));
        auto later = start();
        ASSERT_TRUE(later->waitForFinished(20000));
        EXPECT_EQ(later->exitCode(), 255);
        EXPECT_EQ(Entries(target), QStringList()) << "made in the runtime folder";
    }
}

// The name of the guard's folder in the temporary folder made first by
// another user: the copies meet in a folder of the user's own in the cache
// folder, and a second start still finds the first.
TEST(SingleCopyGuard, AFolderNameTakenByAnotherUserStillLeavesOneCopy)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "planting files as another user needs root";
    for (const char* mode : {"private", "open to all"}) {
        SCOPED_TRACE(mode);
        Ground ground;
        ASSERT_EQ(::mkdir(ground.folder.constData(), 0700), 0);
        if (std::string(mode) != "private")
            ::chmod(ground.folder.constData(), 0777);
        ground.other.Own(ground.folder);
        auto first = StartCopy(ground.session, ground.Env());
        const QString cache = ground.tmp.path() + QStringLiteral("/cache/sonavolta");
        ASSERT_TRUE(Eventually([&] { return CopyWithWindowAnswersIn(cache); }, 20000));
        struct stat st {};
        ASSERT_EQ(::stat(QFile::encodeName(cache).constData(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0700u);
        EXPECT_EQ(st.st_uid, ::getuid());
        qint64 ms = 0;
        EXPECT_EQ(LaterCopyExit(ground.session, ground.Env(), &ms), 255);
        EXPECT_LT(ms, kBoundMs);
    }
}

// A private X server on a display number it picks itself; none when Xvfb
// is missing.
class XServer {
public:
    XServer()
    {
        m_server.setProcessChannelMode(QProcess::SeparateChannels);
        m_server.start(QStringLiteral("Xvfb"),
                       {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                        QStringLiteral("0"), QStringLiteral("800x600x24"), QStringLiteral("-nolisten"),
                        QStringLiteral("tcp")});
        if (m_server.waitForStarted(5000) && m_server.waitForReadyRead(10000))
            m_display = QStringLiteral(":") + QString::fromLatin1(m_server.readAllStandardOutput().trimmed());
    }
    ~XServer()
    {
        m_server.terminate();
        if (!m_server.waitForFinished(5000))
            m_server.kill();
    }
    QString Display() const { return m_display; }

private:
    QProcess m_server;
    QString m_display;
};

// Copies meet per display: one started on another display of the same user
// (a remote session beside the local one) opens its own window there; one
// started on the same display, however its name is written, raises the
// window there with the startup id its launcher gave it.
TEST(SingleCopyGuard, EachDisplayHasItsOwnCopy)
{
    if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty())
        GTEST_SKIP() << "Xvfb is not installed";
    XServer one, two;
    ASSERT_FALSE(one.Display().isEmpty());
    ASSERT_FALSE(two.Display().isEmpty());
    Session session;
    const auto on = [](const QString& display) {
        return QStringList {QStringLiteral("QT_QPA_PLATFORM=xcb"), QStringLiteral("DISPLAY=") + display,
                            QStringLiteral("WAYLAND_DISPLAY="), QStringLiteral("SONAVOLTA_REPORT_RAISE=1")};
    };
    const auto allAnswer = [&](int count) {
        const QStringList sockets = Entries(session.Path(), QStringLiteral("*.sock"));
        return sockets.size() == count && std::all_of(sockets.begin(), sockets.end(), [&](const QString& s) {
                   return AskCopy(session.Path() + '/' + s) == "1\n";
               });
    };

    auto first = StartCopy(session, on(one.Display()));
    ASSERT_TRUE(Eventually([&] { return allAnswer(1); }, 20000));
    auto second = StartCopy(session, on(two.Display()));
    EXPECT_TRUE(Eventually([&] { return allAnswer(2); }, 20000)) << "no window of its own on the second display";
    EXPECT_EQ(second->state(), QProcess::Running);

    for (const QString& display : {one.Display() + QStringLiteral(".0"), two.Display()}) {
        SCOPED_TRACE(display.toStdString());
        EXPECT_EQ(LaterCopyExit(session, on(display) << QStringLiteral("DESKTOP_STARTUP_ID=launch-7_TIME4242")), 255);
    }
    QByteArray seenFirst, seenSecond;
    const QByteArray handed = "raise activation= startup=launch-7_TIME4242 raised=1 token left=";
    EXPECT_TRUE(LinesOf(*first, seenFirst, "raise ", 2).contains(handed)) << seenFirst.constData();
    EXPECT_TRUE(LinesOf(*second, seenSecond, "raise ", 2).contains(handed)) << seenSecond.constData();
}

}  // namespace
