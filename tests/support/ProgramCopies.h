#pragma once
// Copies of the real program started as processes, each in a session of its
// own: a private runtime directory (0700), as a login session has, so tests
// never meet each other or a copy the developer is running.
// The including test defines SONAVOLTA_EXE, the program's path.

#include "tests/support/Waiting.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>
#include <functional>
#include <memory>

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace testing_support {

// A connection to a copy's socket; -1 when none could be made.
inline int ConnectTo(const QString& socketPath)
{
    const QByteArray path = QFile::encodeName(socketPath);
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    if (path.size() >= int(sizeof address.sun_path))
        return -1;
    std::memcpy(address.sun_path, path.constData(), path.size());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd >= 0 && ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// What a copy answers on its socket to a request, asked the way a later copy
// asks; empty when it answers nothing within two seconds.
inline QByteArray AskCopy(const QString& socketPath, const QByteArray& request = "raise\n")
{
    const int fd = ConnectTo(socketPath);
    if (fd < 0)
        return {};
    QByteArray answer;
    if (::send(fd, request.constData(), request.size(), MSG_NOSIGNAL) == request.size()) {
        pollfd wait {fd, POLLIN, 0};
        char reply[16];
        ssize_t size = 0;
        if (::poll(&wait, 1, 2000) == 1 && (size = ::recv(fd, reply, sizeof reply, 0)) > 0)
            answer = QByteArray(reply, int(size));
    }
    ::close(fd);
    return answer;
}

class Session {
public:
    Session() { QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner); }
    QString Path() const { return m_dir.path(); }

    // True once a copy listens for later copies here: it is this session's first.
    bool HasListeningCopy() const { return !Sockets().isEmpty(); }

    // True when a copy of this session answers that it raised its window,
    // asked the way a later copy asks.
    bool CopyWithWindowAnswers() const
    {
        const QStringList sockets = Sockets();
        return sockets.size() == 1 && AskCopy(m_dir.filePath(sockets.first())) == "1\n";
    }

    // The socket the copies of this session listen on, once one does.
    QString SocketPath() const
    {
        const QStringList sockets = Sockets();
        return sockets.size() == 1 ? m_dir.filePath(sockets.first()) : QString();
    }

private:
    QStringList Sockets() const
    {
        return QDir(m_dir.path()).entryList({QStringLiteral("*.sock")}, QDir::System | QDir::Hidden);
    }

    QTemporaryDir m_dir;
};

// A copy of the program; one the test leaves running is killed at its end.
class Copy : public QProcess {
public:
    ~Copy() override
    {
        if (state() != NotRunning) {
            kill();
            waitForFinished();
        }
    }
};

// Starts a copy, headless, in the session; extraEnv holds NAME=value entries.
inline std::unique_ptr<Copy> StartCopy(const Session& session, const QStringList& extraEnv = {})
{
    auto process = std::make_unique<Copy>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), session.Path());
    env.remove(QStringLiteral("SONAVOLTA_EXIT_AFTER_FIRST_PAINT"));
    for (const QString& entry : extraEnv)
        env.insert(entry.section('=', 0, 0), entry.section('=', 1));
    process->setProcessEnvironment(env);
    process->setStandardInputFile(QProcess::nullDevice());
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->start(QStringLiteral(SONAVOLTA_EXE), {});
    return process;
}

}  // namespace testing_support
