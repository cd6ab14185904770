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
#include <cstring>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
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

const char kRaiseRequest[] = "raise\n";

bool PrivateToThisUser(const struct stat& st)
{
    return S_ISDIR(st.st_mode) && st.st_uid == ::getuid() && (st.st_mode & 077) == 0;
}

void Warn(const QByteArray& path, const char* why) { qWarning("Single-copy check off: %s %s", path.constData(), why); }

// A folder only this user can enter: the session's runtime directory, or one
// of our own under the temporary directory. One that is another user's, a
// link, or was ever open to others is not used, nor repaired: what others
// left in it could pose as a copy of ours. Empty when there is none.
QByteArray PrivateFolder()
{
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    struct stat st {};
    if (!runtime.isEmpty() && ::stat(runtime.constData(), &st) == 0 && PrivateToThisUser(st))
        return runtime;

    const QByteArray dir = QFile::encodeName(QDir::tempPath()) + "/sonavolta-" + QByteArray::number(::getuid());
    if (::mkdir(dir.constData(), 0700) != 0 && errno != EEXIST) {
        Warn(dir, "cannot be made");
        return {};
    }
    if (::lstat(dir.constData(), &st) != 0 || !PrivateToThisUser(st)) {
        Warn(dir, "is not a folder that only this user can enter");
        return {};
    }
    return dir;
}

// True when nothing is at path, or a socket of this user is.
bool NoSocketOrOurs(const QByteArray& path)
{
    struct stat st {};
    if (::lstat(path.constData(), &st) != 0)
        return errno == ENOENT;
    return S_ISSOCK(st.st_mode) && st.st_uid == ::getuid();
}

// Opens the lock file, making it if need be; -1 unless it is a plain file of
// this user's. What it holds does not matter: only the lock on it does.
int OpenLockFile(const QByteArray& path)
{
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (fd < 0)
        return -1;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::getuid() || st.st_nlink != 1) {
        ::close(fd);
        return -1;
    }
    return fd;
}

bool FillAddress(const QByteArray& path, sockaddr_un* address)
{
    *address = {};
    address->sun_family = AF_UNIX;
    if (path.size() >= int(sizeof address->sun_path))
        return false;
    std::memcpy(address->sun_path, path.constData(), path.size());
    return true;
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

enum class Answer { Raised, NoWindow, NotOurs };

// Asks the copy listening at path to raise its window. NoWindow also stands
// for no copy there, or none that answered by the deadline, however the
// other end behaves; NotOurs for a process of another user at the other end.
Answer AskToRaise(const QByteArray& path, Clock::time_point deadline)
{
    sockaddr_un address;
    if (!FillAddress(path, &address))
        return Answer::NoWindow;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return Answer::NoWindow;
    const auto closeFd = qScopeGuard([fd] { ::close(fd); });

    // A full queue of connections keeps connect() waiting: only until the deadline.
    const int left = MillisecondsLeft(deadline);
    if (left == 0)
        return Answer::NoWindow;
    const timeval timeout {left / 1000, (left % 1000) * 1000};
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0)
        return Answer::NoWindow;
    if (!PeerIsThisUser(fd))
        return Answer::NotOurs;
    const ssize_t size = sizeof kRaiseRequest - 1;
    if (::send(fd, kRaiseRequest, size, MSG_NOSIGNAL) != size)
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

}  // namespace

// One later copy's connection to the first: its request (a few bytes at
// most) is read and answered, and the connection closed; closed all the
// same once its time is up.
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
        case CopyRequest::Raise: Reply(m_owner.m_raise && m_owner.m_raise()); break;
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

SingleInstance::SingleInstance()
{
    const QByteArray dir = PrivateFolder();
    if (dir.isEmpty())
        return;
    // One name per executable: copies installed in two places are two programs.
    const QByteArray exe = QByteArray::fromStdString(fw::ProgramPath().native());  // its bytes: two paths, two names
    const QByteArray name =
        dir + "/sonavolta-" + QCryptographicHash::hash(exe, QCryptographicHash::Sha256).toHex().left(16);
    const QByteArray socketPath = name + ".sock";
    sockaddr_un address;
    if (!FillAddress(socketPath, &address)) {
        Warn(dir, "is too long a path for a socket");
        return;
    }
    if (!NoSocketOrOurs(socketPath)) {
        Warn(socketPath, "is not a socket of this user's");
        return;
    }
    m_lockFd = OpenLockFile(name + ".lock");
    if (m_lockFd < 0) {
        Warn(name + ".lock", "cannot be opened as a file of this user's");
        return;
    }
    m_socketPath = socketPath;
    m_first = TakeLock();
}

SingleInstance::~SingleInstance()
{
    if (m_listenFd >= 0) {
        m_listener.reset();
        ::close(m_listenFd);
        ::unlink(m_socketPath.constData());
    }
    if (m_lockFd >= 0)
        ::close(m_lockFd);
}

bool SingleInstance::TakeLock() { return ::flock(m_lockFd, LOCK_EX | LOCK_NB) == 0; }

bool SingleInstance::RaiseOtherCopy()
{
    if (m_first || m_socketPath.isEmpty())
        return false;
    const Clock::time_point start = Clock::now();
    for (int attempt = 1; attempt <= kAttempts; ++attempt) {
        // Each attempt, its connection and its answer included, has its second.
        const Clock::time_point end = start + attempt * kAttemptSpacing;
        switch (AskToRaise(m_socketPath, end)) {
        case Answer::Raised: return true;
        case Answer::NotOurs:
            qWarning("Single-copy check off: another user listens at %s", m_socketPath.constData());
            return false;
        case Answer::NoWindow: break;
        }
        // The other copy has no window yet; give it the rest of the second.
        std::this_thread::sleep_until(end);
        // If it has ended meanwhile, this copy is the first now.
        if (TakeLock()) {
            m_first = true;
            return false;
        }
    }
    return false;
}

void SingleInstance::Listen(std::function<bool()> raise)
{
    if (!m_first)
        return;
    sockaddr_un address;
    FillAddress(m_socketPath, &address);
    // A socket left by a copy that crashed is in the way; we hold the lock, so
    // no other copy of ours is listening on it.
    ::unlink(m_socketPath.constData());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return;
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 || ::listen(fd, kBacklog) != 0) {
        ::close(fd);
        return;
    }
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
