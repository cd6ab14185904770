#include "framework/SingleInstance_p.h"

#include "framework/Program.h"
#include "framework/SingleCopyRequest.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/un.h>
#include <unistd.h>

namespace fw {

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// A later copy asks this often, this far apart, before it starts anyway.
constexpr int kAttempts = 3;
constexpr milliseconds kAttemptSpacing {1000};
// The first copy's limits: how many later copies it talks to at once, how
// long each may take to ask, and how many more may wait to be let in.
constexpr int kMaxConnections = 16;
constexpr milliseconds kConnectionLifetime {2000};
constexpr int kBacklog = 32;

void Warn(const QByteArray& path, const char* why) { qWarning("Single-copy check off: %s %s", path.constData(), why); }

// An absolute path from the environment; empty for anything else, which
// would be read relative to whatever folder the program was started in.
QByteArray AbsoluteFromEnvironment(const char* name)
{
    const QByteArray value = qgetenv(name);
    return value.startsWith('/') ? value : QByteArray();
}

// Opens the folder name in the folder at (or the path name), not following
// a link in its place; -1 unless it is a folder only this user can enter.
// Everything after goes through the descriptor, so a link or a folder put in
// its place later changes nothing.
int OpenPrivateFolder(int at, const char* name)
{
    const int fd = ::openat(at, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return -1;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid() || (st.st_mode & 077) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// Makes the folder name in parent unless it is there, and opens it as above.
int MakePrivateFolder(const QByteArray& parent, const char* name)
{
    const int parentFd = ::open(parent.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (parentFd < 0)
        return -1;
    const auto closeParent = qScopeGuard([parentFd] { ::close(parentFd); });
    if (::mkdirat(parentFd, name, 0700) != 0 && errno != EEXIST)
        return -1;
    return OpenPrivateFolder(parentFd, name);
}

// A file system of this machine: a lock or socket on a network share may be
// another machine's too, or not work at all.
bool OnLocalFileSystem(int fd)
{
    struct statfs fs {};
    if (::fstatfs(fd, &fs) != 0)
        return false;
    switch (static_cast<unsigned long>(fs.f_type)) {
    case 0x6969:      // NFS
    case 0x517B:      // SMB
    case 0xFF534D42:  // CIFS
    case 0xFE534D42:  // SMB2
    case 0x5346414F:  // AFS
    case 0x73757245:  // Coda
    case 0x00C36400:  // Ceph
    case 0x01021997:  // 9P
        return false;
    default: return true;
    }
}

// The user's cache folder: $XDG_CACHE_HOME, else ~/.cache; made if missing,
// as the base directory rules ask (0700).
QByteArray CacheFolder()
{
    QByteArray cache = AbsoluteFromEnvironment("XDG_CACHE_HOME");
    if (cache.isEmpty()) {
        QByteArray home = AbsoluteFromEnvironment("HOME");
        if (home.isEmpty()) {
            const passwd* user = ::getpwuid(::getuid());
            if (!user || !user->pw_dir || user->pw_dir[0] != '/')
                return {};
            home = user->pw_dir;
        }
        cache = home + "/.cache";
    }
    ::mkdir(cache.constData(), 0700);
    return cache;
}

// A folder only this user can enter, open; -1 when there is none. First the
// session's runtime folder; else one of our own in the temporary folder;
// else, when that name is taken (another user may make it first, to switch
// the guard off), one in the user's cache folder on a local file system.
// One that is another user's, a link, or open to others is not used, nor
// repaired: what others left in it could pose as a copy of ours.
int PrivateFolder(QByteArray* path)
{
    if (const QByteArray runtime = AbsoluteFromEnvironment("XDG_RUNTIME_DIR"); !runtime.isEmpty()) {
        if (const int fd = OpenPrivateFolder(AT_FDCWD, runtime.constData()); fd >= 0) {
            *path = runtime;
            return fd;
        }
    }
    QByteArray temp = QFile::encodeName(QDir::tempPath());
    if (!temp.startsWith('/'))
        temp = "/tmp";
    const QByteArray ours = "sonavolta-" + QByteArray::number(::getuid());
    if (const int fd = MakePrivateFolder(temp, ours.constData()); fd >= 0) {
        *path = temp + '/' + ours;
        return fd;
    }
    const QByteArray cache = CacheFolder();
    if (!cache.isEmpty()) {
        if (const int fd = MakePrivateFolder(cache, "sonavolta"); fd >= 0) {
            if (OnLocalFileSystem(fd)) {
                *path = cache + "/sonavolta";
                return fd;
            }
            ::close(fd);
        }
    }
    Warn(temp + '/' + ours, "is not a folder that only this user can enter, nor is there one in the cache folder");
    return -1;
}

// True when nothing is at name in the folder, or a socket of this user is.
bool NoSocketOrOurs(int folderFd, const char* name)
{
    struct stat st {};
    if (::fstatat(folderFd, name, &st, AT_SYMLINK_NOFOLLOW) != 0)
        return errno == ENOENT;
    return S_ISSOCK(st.st_mode) && st.st_uid == ::getuid();
}

// Opens the lock file, making it if need be; -1 unless it is a plain file of
// this user's. What it holds does not matter: only the lock on it does.
int OpenLockFile(int folderFd, const char* name)
{
    const int fd = ::openat(folderFd, name, O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (fd < 0)
        return -1;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::getuid() || st.st_nlink != 1) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// Binds or connects fd to the socket name in the folder. A socket address
// is a path, and the path to the folder is what must not be trusted twice:
// the name is given relative to the folder, made the working folder for the
// one call and put back at once. This runs on the one thread that touches
// files by relative paths, at start-up and at the end.
int AtFolder(int folderFd, const char* name, int fd, int (*call)(int, const sockaddr*, socklen_t))
{
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    if (std::strlen(name) >= sizeof address.sun_path) {
        errno = ENAMETOOLONG;
        return -1;
    }
    std::strcpy(address.sun_path, name);
    const int cwd = ::open(".", O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (cwd < 0)
        return -1;
    int result = -1;
    int error = 0;
    if (::fchdir(folderFd) == 0) {
        result = call(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
        error = errno;
        if (::fchdir(cwd) != 0)
            qWarning("Single-copy check: the working folder could not be restored");
    } else {
        error = errno;
    }
    ::close(cwd);
    errno = error;
    return result;
}

// True when the other end of a connected socket runs as this user.
bool PeerIsThisUser(int fd)
{
    ucred peer {};
    socklen_t size = sizeof peer;
    return ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.uid == ::getuid();
}

int MillisecondsLeft(Clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? int(left) : 0;
}

enum class Answer { Raised, NoWindow, NoCopy, NotOurs };

// Asks the copy listening at name in the folder to raise its window, with
// request. NoCopy: nothing listens there (no socket, or one refused).
// NoWindow: a copy that has no window, or none that answered by the
// deadline, however the other end behaves. NotOurs: a process of another
// user at the other end.
Answer AskToRaise(int folderFd, const char* name, const std::string& request, Clock::time_point deadline)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return Answer::NoWindow;
    const auto closeFd = qScopeGuard([fd] { ::close(fd); });
    if (AtFolder(folderFd, name, fd, ::connect) != 0) {
        // A full queue of connections (EAGAIN) is a copy that is busy.
        return errno == ENOENT || errno == ECONNREFUSED ? Answer::NoCopy : Answer::NoWindow;
    }
    if (!PeerIsThisUser(fd))
        return Answer::NotOurs;
    // A request fits the socket's buffer: it goes at once or not at all.
    if (::send(fd, request.data(), request.size(), MSG_NOSIGNAL) != ssize_t(request.size()))
        return Answer::NoWindow;

    for (;;) {
        pollfd wait {fd, POLLIN, 0};
        const int ready = ::poll(&wait, 1, MillisecondsLeft(deadline));
        if (ready < 0 && errno == EINTR)
            continue;
        char reply = 0;
        if (ready > 0 && ::recv(fd, &reply, 1, MSG_DONTWAIT) == 1 && reply == '1')
            return Answer::Raised;
        return Answer::NoWindow;
    }
}

QByteArray EntryName(const QByteArray& display)
{
    // One name per executable: copies installed in two places are two
    // programs. Its bytes: two paths, two names. And one per display.
    QByteArray key = QByteArray::fromStdString(fw::ProgramPath().native());
    if (!display.isEmpty())
        key += '\0' + display;
    return "sonavolta-" + QCryptographicHash::hash(key, QCryptographicHash::Sha256).toHex().left(16);
}

}  // namespace

LaunchTokens LaunchTokens::FromEnvironment()
{
    return {qgetenv("XDG_ACTIVATION_TOKEN"), qgetenv("DESKTOP_STARTUP_ID")};
}

QByteArray DisplayKey(const QByteArray& platform, const QByteArray& xDisplay, const QByteArray& waylandDisplay)
{
    if (platform == "wayland")
        return "wayland:" + (waylandDisplay.isEmpty() ? QByteArray("wayland-0") : waylandDisplay);
    if (platform == "xcb") {
        // host:display.screen; the screen is one of the same display's.
        QByteArray display = xDisplay;
        const int colon = display.lastIndexOf(':');
        if (const int dot = display.indexOf('.', colon); colon >= 0 && dot > colon)
            display.truncate(dot);
        if (display.startsWith("unix:"))
            display.remove(0, 4);
        return "x11:" + display;
    }
    return {};
}

// One later copy's connection to the first: its request (a few hundred
// bytes at most) is read and answered, and the connection closed; closed all
// the same once its time is up.
class SingleInstance::Connection : public QObject {
public:
    Connection(int fd, SingleInstance& owner)
        : QObject(owner.m_listener.get()),
          m_fd(fd),
          m_owner(owner),
          m_notifier(new QSocketNotifier(fd, QSocketNotifier::Read, this))
    {
        QObject::connect(m_notifier, &QSocketNotifier::activated, this, [this] { Read(); });
        QTimer::singleShot(kConnectionLifetime, this, [this] { End(); });
    }
    ~Connection() override
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }

private:
    void Read()
    {
        char bytes[kMaxRequestBytes];
        const ssize_t size = ::recv(m_fd, bytes, m_reader.Room(), MSG_DONTWAIT);
        if (size < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR))
            return;
        if (size <= 0) {
            End();
            return;
        }
        switch (m_reader.Feed(bytes, size_t(size))) {
        case CopyRequest::Incomplete: return;
        case CopyRequest::Raise: Reply(m_owner.m_raise && m_owner.m_raise(m_reader.Parsed())); break;
        case CopyRequest::Refuse: Reply(false); break;
        }
        End();
    }

    void Reply(bool raised) { ::send(m_fd, raised ? "1\n" : "0\n", 2, MSG_NOSIGNAL | MSG_DONTWAIT); }

    void End()
    {
        if (m_fd < 0)
            return;
        m_notifier->setEnabled(false);
        ::close(m_fd);
        m_fd = -1;
        m_owner.ConnectionEnded();
        deleteLater();
    }

    int m_fd;
    SingleInstance& m_owner;
    QSocketNotifier* m_notifier;
    CopyRequestReader m_reader;
};

SingleInstance::SingleInstance(const QByteArray& display)
{
    QByteArray folderPath;
    const int folderFd = PrivateFolder(&folderPath);
    if (folderFd < 0)
        return;
    const QByteArray name = EntryName(display);
    const QByteArray socketName = name + ".sock";
    if (!NoSocketOrOurs(folderFd, socketName.constData())) {
        Warn(folderPath + '/' + socketName, "is not a socket of this user's");
        ::close(folderFd);
        return;
    }
    m_lockFd = OpenLockFile(folderFd, (name + ".lock").constData());
    if (m_lockFd < 0) {
        Warn(folderPath + '/' + name + ".lock", "cannot be opened as a file of this user's");
        ::close(folderFd);
        return;
    }
    m_folderFd = folderFd;
    m_folderPath = folderPath;
    m_socketName = socketName;
}

SingleInstance::~SingleInstance()
{
    if (m_listenFd >= 0) {
        m_listener.reset();
        ::close(m_listenFd);
        // Only the socket this copy bound: a later copy that took over (its
        // lock removed meanwhile) may have put its own at the name.
        struct stat st {};
        if (::fstatat(m_folderFd, m_socketName.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISSOCK(st.st_mode)
            && st.st_dev == m_socketDevice && st.st_ino == m_socketInode)
            ::unlinkat(m_folderFd, m_socketName.constData(), 0);
    }
    if (m_lockFd >= 0)
        ::close(m_lockFd);
    if (m_folderFd >= 0)
        ::close(m_folderFd);
}

bool SingleInstance::TakeLock() { return ::flock(m_lockFd, LOCK_EX | LOCK_NB) == 0; }

bool SingleInstance::RaiseOtherCopy(const LaunchTokens& tokens)
{
    if (m_folderFd < 0)
        return false;
    const std::string request = MakeRaiseRequest(tokens.activationToken.toStdString(), tokens.startupId.toStdString());
    const Clock::time_point start = Clock::now();
    for (int attempt = 1; attempt <= kAttempts; ++attempt) {
        // Each attempt, its connection and its answer included, has its second.
        const Clock::time_point end = start + attempt * kAttemptSpacing;
        // The lock decides, unless a copy still listens: one whose lock file
        // was removed while it ran holds a lock on a file that is gone.
        const bool locked = m_first || TakeLock();
        m_first = locked;
        const Answer answer = AskToRaise(m_folderFd, m_socketName.constData(), request, end);
        if (locked && answer == Answer::NoCopy)
            return false;  // the first copy
        // A later copy: the tokens are the first copy's to use. This one
        // never uses them, nor passes them to anything it starts.
        qunsetenv("XDG_ACTIVATION_TOKEN");
        qunsetenv("DESKTOP_STARTUP_ID");
        if (answer == Answer::Raised)
            return true;
        if (answer == Answer::NotOurs) {
            qWarning("Single-copy check off: another user listens at %s/%s", m_folderPath.constData(),
                     m_socketName.constData());
            m_first = false;
            return false;
        }
        // The other copy has no window yet; give it the rest of the second.
        std::this_thread::sleep_until(end);
    }
    return false;
}

int SingleInstance::BindSocket()
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    const char* name = m_socketName.constData();
    bool bound = AtFolder(m_folderFd, name, fd, ::bind) == 0;
    if (!bound && errno == EADDRINUSE) {
        // A socket is in the way. It is removed only when connecting to it is
        // refused (a copy that crashed left it): a live one is another copy's.
        const int probe = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        const bool refused = probe >= 0 && AtFolder(m_folderFd, name, probe, ::connect) != 0 && errno == ECONNREFUSED;
        if (probe >= 0)
            ::close(probe);
        bound = refused && NoSocketOrOurs(m_folderFd, name) && ::unlinkat(m_folderFd, name, 0) == 0
                && AtFolder(m_folderFd, name, fd, ::bind) == 0;
    }
    if (!bound) {
        ::close(fd);
        return -1;
    }
    return fd;
}

void SingleInstance::Listen(std::function<bool(const CopyRequestParsed&)> raise)
{
    if (!m_first || m_folderFd < 0)
        return;
    const int fd = BindSocket();
    if (fd < 0)
        return;
    struct stat st {};
    if (::listen(fd, kBacklog) != 0 || ::fstatat(m_folderFd, m_socketName.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
        ::close(fd);
        return;
    }
    m_socketDevice = st.st_dev;
    m_socketInode = st.st_ino;
    m_listenFd = fd;
    m_raise = std::move(raise);
    m_listener = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    QObject::connect(m_listener.get(), &QSocketNotifier::activated, m_listener.get(), [this] { AcceptPending(); });
}

void SingleInstance::AcceptPending()
{
    while (m_connections < kMaxConnections) {
        const int fd = ::accept4(m_listenFd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0) {
            if (errno == EINTR || errno == ECONNABORTED)
                continue;
            if (errno != EAGAIN && errno != EWOULDBLOCK) {
                // Out of descriptors, say: look again in a while, not at once.
                m_listener->setEnabled(false);
                QTimer::singleShot(milliseconds(100), m_listener.get(), [this] { m_listener->setEnabled(true); });
            }
            return;
        }
        // Only copies of this user may ask; anyone else is shut out at once.
        if (!PeerIsThisUser(fd)) {
            ::close(fd);
            continue;
        }
        ++m_connections;
        new Connection(fd, *this);
    }
    // Full: later connections wait in the queue until one of these ends.
    m_listener->setEnabled(false);
}

void SingleInstance::ConnectionEnded()
{
    --m_connections;
    if (m_listener)
        m_listener->setEnabled(true);
}

}  // namespace fw
