# A private desktop for the suite: an X server (Xvfb) on a display number of
# its own, a D-Bus session bus and the accessibility bus with its registry.
# Everything it starts is ended when it closes, and it checks that nothing
# it started is left running.

import os
import shutil
import signal
import subprocess
import tempfile
import time
import uuid

XVFB_SCREEN = "1024x1024x24"


class SessionError(RuntimeError):
    pass


def _wait(condition, timeout, what):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if condition():
            return
        time.sleep(0.05)
    raise SessionError("timed out waiting for " + what)


class DesktopSession:
    """Xvfb, dbus-daemon and at-spi-bus-launcher, each in a process group of
    its own. Every process started here or by these services carries a tag
    in its environment, which is how leftovers are found."""

    def __init__(self):
        self.tag = uuid.uuid4().hex
        self.dir = tempfile.mkdtemp(prefix="sonavolta-desktop-")
        os.chmod(self.dir, 0o700)
        self.env = {}
        self._processes = []
        self.stray = []

    # ------------------------------------------------------------ start

    def __enter__(self):
        try:
            self._start()
        except BaseException:
            self.close()
            raise
        return self

    def __exit__(self, *exc):
        self.close()

    def _base_env(self):
        env = {k: v for k, v in os.environ.items() if not _is_desktop_variable(k)}
        home = os.path.join(self.dir, "home")
        for sub in ("", "/.config", "/.local/share", "/.cache", "/runtime"):
            os.makedirs(home + sub, mode=0o700, exist_ok=True)
        env.update({
            "SONAVOLTA_DESKTOP_SESSION": self.tag,
            "HOME": home,
            "XDG_CONFIG_HOME": home + "/.config",
            "XDG_DATA_HOME": home + "/.local/share",
            "XDG_CACHE_HOME": home + "/.cache",
            "XDG_RUNTIME_DIR": home + "/runtime",
            # Only what this suite puts there: no desktop entry or default
            # browser of the machine's takes part.
            "XDG_DATA_DIRS": os.path.join(self.dir, "share"),
            "XDG_CONFIG_DIRS": os.path.join(self.dir, "etc"),
            # Settings in memory: no settings daemon is started on the bus.
            "GSETTINGS_BACKEND": "memory",
            "LC_ALL": "C.UTF-8",
            "LANG": "C.UTF-8",
        })
        return env

    def _spawn(self, args, env, **kwargs):
        process = subprocess.Popen(args, env=env, stdin=subprocess.DEVNULL, start_new_session=True, **kwargs)
        self._processes.append(process)
        return process

    def _start(self):
        env = self._base_env()

        # Xvfb picks a free display number and writes it to the pipe, so
        # runs side by side never share a display.
        read_end, write_end = os.pipe()
        self._spawn(["Xvfb", "-displayfd", str(write_end), "-screen", "0", XVFB_SCREEN,
                     "-nolisten", "tcp", "-noreset"], env, pass_fds=[write_end],
                    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        display = _read_line(read_end, 20, "the X server's display number")
        os.close(read_end)
        env["DISPLAY"] = ":" + display

        # A session bus whose socket lies in our directory.
        bus = self._spawn(["dbus-daemon", "--session", "--nofork", "--print-address=1",
                           "--address=unix:dir=" + self.dir], env,
                          stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        address = _read_line(bus.stdout.fileno(), 20, "the session bus address")
        env["DBUS_SESSION_BUS_ADDRESS"] = address

        # The accessibility bus, on for every application of this session.
        # (It reads its settings' schemas from the system's data directories.)
        launcher_env = dict(env, XDG_DATA_DIRS="/usr/local/share:/usr/share")
        self._spawn(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately", "--a11y=1"], launcher_env,
                    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        _wait(lambda: _bus_has_owner(env, "org.a11y.Bus"), 20, "the accessibility bus")
        self.env = env

    # ------------------------------------------------------------ end

    def close(self):
        for process in reversed(self._processes):
            _end_group(process)
        self._processes = []
        # Anything else of this session: a program a test left running, or one
        # a service started in a group of its own.
        self.stray = self.leftovers()
        for pid in self.stray:
            _end_pid(pid)
        shutil.rmtree(self.dir, ignore_errors=True)

    def leftovers(self):
        """Processes of this session still running, by pid."""
        marker = ("SONAVOLTA_DESKTOP_SESSION=" + self.tag).encode()
        found = []
        for entry in os.listdir("/proc"):
            if not entry.isdigit() or int(entry) == os.getpid():
                continue
            try:
                with open("/proc/%s/environ" % entry, "rb") as f:
                    if marker in f.read().split(b"\0"):
                        found.append(int(entry))
            except OSError:
                pass
        return found


def _is_desktop_variable(name):
    # What tells a program which desktop, display and buses it runs in.
    return (name in ("DISPLAY", "WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "AT_SPI_BUS_ADDRESS",
                     "XDG_CURRENT_DESKTOP", "XDG_SESSION_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION",
                     "KDE_SESSION_VERSION", "GNOME_DESKTOP_SESSION_ID", "MATE_DESKTOP_SESSION_ID",
                     "XDG_SESSION_TYPE", "BROWSER", "XAUTHORITY", "SESSION_MANAGER")
            or name.startswith("QT_") or name.startswith("XDG_"))


def _read_line(fd, timeout, what):
    deadline = time.monotonic() + timeout
    data = b""
    os.set_blocking(fd, False)
    while b"\n" not in data:
        if time.monotonic() > deadline:
            raise SessionError("timed out waiting for " + what)
        try:
            chunk = os.read(fd, 256)
        except BlockingIOError:
            time.sleep(0.02)
            continue
        if not chunk:
            raise SessionError("no " + what)
        data += chunk
    return data.split(b"\n")[0].decode().strip()


def _bus_has_owner(env, name):
    result = subprocess.run(["dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.DBus",
                             "/org/freedesktop/DBus", "org.freedesktop.DBus.NameHasOwner", "string:" + name],
                            env=env, capture_output=True, text=True)
    return result.returncode == 0 and "boolean true" in result.stdout


def _end_group(process):
    if process.poll() is None:
        try:
            os.killpg(process.pid, signal.SIGTERM)
        except ProcessLookupError:
            pass
        try:
            process.wait(5)
        except subprocess.TimeoutExpired:
            os.killpg(process.pid, signal.SIGKILL)
            process.wait()
    # The rest of its group (a bus the launcher started, say).
    try:
        os.killpg(process.pid, signal.SIGKILL)
    except ProcessLookupError:
        pass
    if process.stdout:
        process.stdout.close()


def _end_pid(pid):
    try:
        os.kill(pid, signal.SIGKILL)
    except ProcessLookupError:
        pass
