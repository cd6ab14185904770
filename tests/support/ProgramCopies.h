#pragma once
// Copies of the real program started as processes, each in a session of its
// own: a private runtime directory (0700), as a login session has, so tests
// never meet each other or a copy the developer is running.
// The including test defines SONAVOLTA_EXE, the program's path.

#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

namespace testing_support {

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
        if (sockets.size() != 1)
            return false;
        QLocalSocket socket;
        socket.connectToServer(m_dir.filePath(sockets.first()));
        if (!socket.waitForConnected(1000))
            return false;
        socket.write("raise\n");
        socket.flush();
        return socket.waitForReadyRead(2000) && socket.readAll() == "1\n";
    }

private:
    QStringList Sockets() const
    {
        return QDir(m_dir.path()).entryList({QStringLiteral("*.sock")}, QDir::System | QDir::Hidden);
    }

    QTemporaryDir m_dir;
};

inline bool Eventually(const std::function<bool()>& condition, int timeoutMs = 10000)
{
    for (int waited = 0; waited < timeoutMs; waited += 20) {
        if (condition())
            return true;
        QTest::qWait(20);
    }
    return condition();
}

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
