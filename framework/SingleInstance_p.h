#pragma once
// Framework-internal: one copy of the program per user and executable.
// A lock on a file, which the system lets go of when its copy ends however
// it ends, decides which copy is first; the first listens on a Unix socket
// and raises its window when a later copy of the same user asks. Both live
// in a folder only this user can enter; nothing another user made is
// trusted, and no copy waits much more than three seconds for another.

#include <QByteArray>

#include <functional>
#include <memory>

class QSocketNotifier;

namespace fw {

class SingleInstance {
public:
    SingleInstance();
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when another copy has a window and raised it: this copy ends.
    // Asks up to three times, a second apart, while that copy has no window.
    bool RaiseOtherCopy();
    // The first copy's side: answers later copies; raise() returns whether
    // there was a window to bring to the front.
    void Listen(std::function<bool()> raise);

private:
    class Connection;
    bool TakeLock();
    void AcceptPending();
    void ConnectionEnded();

    QByteArray m_socketPath;  // empty: no guard for this copy
    int m_lockFd = -1;
    bool m_first = false;
    int m_listenFd = -1;
    std::unique_ptr<QSocketNotifier> m_listener;  // parent of the open connections
    int m_connections = 0;
    std::function<bool()> m_raise;
};

}  // namespace fw
