#pragma once
// Framework-internal: one copy of the program per user, executable and
// display. A lock on a file, which the system lets go of when its copy ends
// however it ends, decides which copy is first, unless a copy still listens
// (its lock file removed by a cleaner): a copy that takes the lock asks the
// socket before it calls itself first. The first listens on a Unix socket
// and raises its window when a later copy of the same user asks, using the
// activation token and startup id the later copy hands on. Both live in a
// folder only this user can enter, opened once and used through its
// descriptor; nothing another user made is trusted, and no copy waits much
// more than three seconds for another.

#include <QByteArray>

#include <sys/types.h>

#include <functional>
#include <memory>
#include <string>

class QSocketNotifier;

namespace fw {

struct CopyRequestParsed;

// What the launcher gave this copy to be allowed to take the focus, read
// from the environment before the toolkit takes it (its X plugin consumes
// the startup id as it connects).
struct LaunchTokens {
    QByteArray activationToken;  // XDG_ACTIVATION_TOKEN
    QByteArray startupId;        // DESKTOP_STARTUP_ID
    static LaunchTokens FromEnvironment();
};

// The display a copy's window appears on, as the guard keys it: the X
// display without its screen number (":0" and ":0.0" are one), the Wayland
// display's name; empty for a platform with no display of its own.
QByteArray DisplayKey(const QByteArray& platform, const QByteArray& xDisplay, const QByteArray& waylandDisplay);

class SingleInstance {
public:
    // display: DisplayKey of the platform this copy runs on.
    explicit SingleInstance(const QByteArray& display);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when another copy has a window and was asked to raise it: this
    // copy ends. The tokens go to that copy and leave this one's
    // environment. Asks up to three times, a second apart, while that copy
    // has no window; a copy that holds the lock but finds no copy listening
    // is the first at once.
    bool RaiseOtherCopy(const LaunchTokens& tokens);
    // The first copy's side: answers later copies; raise() returns whether
    // there was a window to bring to the front.
    void Listen(std::function<bool(const CopyRequestParsed&)> raise);

private:
    class Connection;
    bool TakeLock();
    void AcceptPending();
    void ConnectionEnded();
    int BindSocket();

    int m_folderFd = -1;      // -1: no guard for this copy
    QByteArray m_folderPath;  // for messages only
    QByteArray m_socketName;  // in the folder
    int m_lockFd = -1;
    bool m_first = false;
    int m_listenFd = -1;
    dev_t m_socketDevice = 0;  // the socket file this copy bound, removed when it ends
    ino_t m_socketInode = 0;
    std::unique_ptr<QSocketNotifier> m_listener;  // parent of the open connections
    int m_connections = 0;
    std::function<bool(const CopyRequestParsed&)> m_raise;
};

}  // namespace fw
