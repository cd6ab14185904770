# A private desktop for the suite: a D-Bus session bus, the accessibility bus
# with its registry, and one of these screens:
#   bare     an X server (Xvfb) on a display number of its own, no window
#            manager
#   openbox  the same X server under the openbox window manager
#   sway     the sway compositor, headless, with a keyboard and a pointer on
#            its seat
#   weston   the weston compositor, headless
# Everything it starts is ended when it closes, and it checks that nothing
# it started is left running.

import glob
import json
import os
import pwd
import shutil
import signal
import subprocess
import tempfile
import time
import uuid

XVFB_SCREEN = "1024x1024x24"
WAYLAND_SCREEN = (1024, 768)
DESKTOPS = ("bare", "openbox", "sway", "weston")


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

    def __init__(self, desktop="bare", wayland_client=None):
        assert desktop in DESKTOPS, desktop
        self.desktop = desktop
        # The suite's own Wayland client, which gives a headless seat its pointer.
        self.wayland_client = wayland_client
        self.tag = uuid.uuid4().hex
        self.dir = tempfile.mkdtemp(prefix="sonavolta-desktop-")
        os.chmod(self.dir, 0o700)
        self.env = {}
        # Under sway: the suite's pointer, which takes commands on its input.
        self.pointer = None
        self._dirs = [self.dir]
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

    def _spawn(self, args, env, stdin=subprocess.DEVNULL, **kwargs):
        process = subprocess.Popen(args, env=env, stdin=stdin, start_new_session=True, **kwargs)
        self._processes.append(process)
        return process

    def _start(self):
        env = self._base_env()
        if self.desktop in ("bare", "openbox"):
            self._start_x(env)
        self._start_buses(env)
        if self.desktop == "openbox":
            self._start_openbox(env)
        elif self.desktop == "sway":
            self._start_sway(env)
        elif self.desktop == "weston":
            self._start_weston(env)
        self.env = env

    def _start_x(self, env):
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

    def _start_buses(self, env):
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

    def _start_openbox(self, env):
        # The configuration Debian installs: click to focus, new windows
        # focused. (It reads its theme from the system's data directories.)
        openbox = self._spawn(["openbox", "--sm-disable", "--config-file", "/etc/xdg/openbox/rc.xml"],
                              dict(env, XDG_DATA_DIRS="/usr/local/share:/usr/share"),
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        _wait(lambda: openbox.poll() is not None or _x_window_manager(env), 20, "the window manager")
        # It announces itself before it has read its theme, and may end then.
        time.sleep(0.2)
        if openbox.poll() is not None:
            raise SessionError("the window manager ended at its start")

    def _start_sway(self, env):
        # sway refuses to run as root. Started by root, it runs as a user that
        # owns nothing here, in a directory of its own; root's programs reach
        # its sockets there. (The buses and the programs stay root's: the bus
        # daemon refuses a user that the system does not know.)
        runtime = tempfile.mkdtemp(prefix="sonavolta-sway-")
        self._dirs.append(runtime)
        command = ["sway", "--config", os.path.join(runtime, "sway.conf")]
        if os.geteuid() == 0:
            uid = _unused_uid()
            os.chown(runtime, uid, uid)
            command = ["setpriv", "--reuid=%d" % uid, "--regid=%d" % uid, "--clear-groups", "--"] + command
        with open(os.path.join(runtime, "sway.conf"), "w") as f:
            f.write("focus_on_window_activation focus\n"
                    "output HEADLESS-1 resolution %dx%d\n"
                    "xwayland disable\n" % WAYLAND_SCREEN)
        self._spawn(command, dict(env, HOME=runtime, XDG_RUNTIME_DIR=runtime, WLR_BACKENDS="headless",
                                  WLR_LIBINPUT_NO_DEVICES="1", WLR_RENDERER="pixman"),
                    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        _wait(lambda: glob.glob(runtime + "/sway-ipc.*.sock") and glob.glob(runtime + "/wayland-*[0-9]"), 20,
              "the compositor's sockets")
        # Absolute, so that a program given a runtime directory of its own
        # still finds the compositor.
        env["WAYLAND_DISPLAY"] = glob.glob(runtime + "/wayland-*[0-9]")[0]
        env["SWAYSOCK"] = glob.glob(runtime + "/sway-ipc.*.sock")[0]
        _wait(lambda: _sway(env, "get_outputs"), 20, "the compositor's output")
        # A headless seat has a keyboard and a pointer only while a virtual
        # one is connected: one of each stays for the whole session. The
        # pointer is driven through the compositor's input road, as a mouse
        # is (sway's own cursor commands send no motion while a button is
        # held, so no drag could be made with them).
        self._spawn(["wtype", "-s", "2000000000"], env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.pointer = self._spawn([self.wayland_client, "pointer"] + [str(n) for n in WAYLAND_SCREEN], env,
                                   stdin=subprocess.PIPE, stdout=subprocess.PIPE, bufsize=0)
        if _read_line(self.pointer.stdout.fileno(), 20, "the virtual pointer") != "ready":
            raise SessionError("no virtual pointer")
        _wait(lambda: _sway(env, "get_seats")[0]["capabilities"] == 3, 20, "a keyboard and a pointer on the seat")

    def _start_weston(self, env):
        socket = "wayland-sonavolta"
        self._spawn(["weston", "--backend=headless-backend.so", "--use-pixman", "--socket=" + socket,
                     "--width=%d" % WAYLAND_SCREEN[0], "--height=%d" % WAYLAND_SCREEN[1], "--idle-time=0",
                     "--no-config", "--debug"], env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        path = os.path.join(env["XDG_RUNTIME_DIR"], socket)
        _wait(lambda: os.path.exists(path + ".lock") and os.path.exists(path), 20, "the compositor's socket")
        env["WAYLAND_DISPLAY"] = path

    # ------------------------------------------------------------ end

    def close(self):
        for process in reversed(self._processes):
            _end_group(process)
        self._processes = []
        # Anything else of this session: a program a test left running, or one
        # a service started in a group of its own. (A compositor starts its
        # own clients so, and they end soon after it: they are given a
        # moment.)
        deadline = time.monotonic() + 2
        while self.leftovers() and time.monotonic() < deadline:
            time.sleep(0.05)
        self.stray = self.leftovers()
        for pid in self.stray:
            _end_pid(pid)
        _wait_gone(self.stray)
        for directory in self._dirs:
            shutil.rmtree(directory, ignore_errors=True)

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


def _unused_uid():
    """A user id that no account of this system has."""
    uid = 64600
    while True:
        try:
            pwd.getpwuid(uid)
        except KeyError:
            return uid
        uid += 1


def _x_window_manager(env):
    """Whether a window manager has announced itself on the X display."""
    from Xlib import display as xdisplay
    d = xdisplay.Display(env["DISPLAY"])
    try:
        prop = d.screen().root.get_full_property(d.intern_atom("_NET_SUPPORTING_WM_CHECK"), 0)
        return bool(prop and prop.value)
    finally:
        d.close()


def _sway(env, kind):
    """An answer of the compositor's, as JSON; None while it cannot answer."""
    result = subprocess.run(["swaymsg", "--raw", "-t", kind], env=env, capture_output=True, text=True)
    return json.loads(result.stdout) if result.returncode == 0 else None


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


def _wait_gone(pids, timeout=5):
    """Waits until processes ended by a signal are gone."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline and any(_running(pid) for pid in pids):
        time.sleep(0.05)


def _running(pid):
    """Whether a process is there and not a zombie."""
    try:
        with open("/proc/%d/stat" % pid) as f:
            return f.read().rsplit(")", 1)[1].split()[0] != "Z"
    except OSError:
        return False


def _end_pid(pid):
    try:
        os.kill(pid, signal.SIGKILL)
    except ProcessLookupError:
        pass
