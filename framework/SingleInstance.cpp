#include "framework/SingleInstance_p.h"

#include "framework/Program.h"
#include "framework/Text.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QThread>

#include <sys/stat.h>
#include <unistd.h>

namespace fw {

namespace {

// A directory only this user can enter: the session's runtime directory, or
// one of our own under the temporary directory.
QString PrivateDirectory()
{
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    struct stat st {};
    if (!runtime.isEmpty() && ::stat(runtime.constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid()
        && (st.st_mode & 077) == 0)
        return QString::fromLocal8Bit(runtime);

    const QString dir = QDir::tempPath() + QStringLiteral("/sonavolta-%1").arg(::getuid());
    const QByteArray path = QFile::encodeName(dir);
    ::mkdir(path.constData(), 0700);
    if (::lstat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid()) {
        if ((st.st_mode & 077) != 0)
            ::chmod(path.constData(), 0700);
        return dir;
    }
    return {};
}

const char kRaiseRequest[] = "raise\n";

}  // namespace

SingleInstance::SingleInstance()
{
    const QString dir = PrivateDirectory();
    if (dir.isEmpty())
        return;
    // One name per executable: copies installed in two places are two programs.
    const QString exe = QString::fromLatin1(fw::ProgramPath().c_str());  // byte for byte: two paths, two names
    const QString key = QString::fromLatin1(
        QCryptographicHash::hash(exe.toUtf8(), QCryptographicHash::Sha256).toHex().left(16));
    m_socketPath = dir + QStringLiteral("/sonavolta-") + key + QStringLiteral(".sock");
    m_lock = std::make_unique<QLockFile>(dir + QStringLiteral("/sonavolta-") + key + QStringLiteral(".lock"));
    // Only a dead owner makes a lock stale, never its age.
    m_lock->setStaleLockTime(0);
    m_first = m_lock->tryLock(0);
}

SingleInstance::~SingleInstance()
{
    if (m_server)
        m_server->close();
}

bool SingleInstance::RaiseOtherCopy()
{
    if (m_first || m_socketPath.isEmpty())
        return false;
    for (int attempt = 0; attempt < 3; ++attempt) {
        QLocalSocket socket;
        socket.connectToServer(m_socketPath);
        if (socket.waitForConnected(1000)) {
            socket.write(kRaiseRequest);
            socket.flush();
            if (socket.waitForReadyRead(2000) && socket.readAll().startsWith('1'))
                return true;
        }
        // The other copy has no window yet: give it a second.
        QThread::msleep(1000);
    }
    return false;
}

void SingleInstance::Listen(std::function<bool()> raise)
{
    if (!m_first)
        return;
    // A socket left by a copy that crashed is in the way of the new one.
    QLocalServer::removeServer(m_socketPath);
    m_server = std::make_unique<QLocalServer>();
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(m_socketPath)) {
        m_server.reset();
        return;
    }
    QLocalServer* server = m_server.get();
    QObject::connect(server, &QLocalServer::newConnection, server, [server, raise] {
        while (QLocalSocket* socket = server->nextPendingConnection()) {
            QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            QObject::connect(socket, &QLocalSocket::readyRead, socket, [socket, raise] {
                if (!socket->canReadLine())
                    return;
                const QByteArray request = socket->readLine();
                const bool raised = request == kRaiseRequest && raise();
                socket->write(raised ? "1\n" : "0\n");
                socket->flush();
                socket->disconnectFromServer();
            });
        }
    });
}

}  // namespace fw
