#pragma once
// Framework-internal: one copy of the program per user and executable.
// A lock file (which a crashed copy cannot leave held) decides which copy is
// first; the first listens on a local socket that only its user can reach,
// and raises its window when a later copy asks.

#include <QLocalServer>
#include <QLockFile>
#include <functional>
#include <memory>

namespace fw {

class SingleInstance {
public:
    SingleInstance();
    ~SingleInstance();

    // True when another copy has a window and raised it: this copy ends.
    // Asks up to three times, a second apart, while that copy has no window.
    bool RaiseOtherCopy();
    // The first copy's side: answers later copies; raise() returns whether
    // there was a window to bring to the front.
    void Listen(std::function<bool()> raise);

    QString SocketPath() const { return m_socketPath; }

private:
    QString m_socketPath;
    std::unique_ptr<QLockFile> m_lock;
    std::unique_ptr<QLocalServer> m_server;
    bool m_first = false;
};

}  // namespace fw
