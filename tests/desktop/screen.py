# The program on the suite's desktop, met as a user and a screen reader meet
# it: widgets are found over the accessibility bus by role and name (pyatspi,
# as screen readers use it), read there, and driven with real input: on X
# with xdotool, the window's close request sent as a window manager sends
# it; under sway with the suite's own virtual pointer and a virtual keyboard
# (wtype), windows found in sway's tree. Import it only once the session's
# variables are in the environment.

import json
import os
import select
import shutil
import signal
import struct
import subprocess
import tempfile
import time
import zlib

import pyatspi
from gi.repository import Atspi, GLib
import Xlib.error
from Xlib import X, Xatom
from Xlib import display as xdisplay
from Xlib.protocol import event as xevent

TIMEOUT = 15.0  # seconds for anything to show; generous for a loaded machine
SETTLE = 0.25  # seconds for input that should change nothing to be handled

# Where failures leave a screenshot, when set.
SHOTS_DIR = os.environ.get("SONAVOLTA_DESKTOP_SHOTS", "")

# The platform the programs run on, and whether sway drives the input.
WAYLAND = bool(os.environ.get("WAYLAND_DISPLAY"))
SWAY = bool(os.environ.get("SWAYSOCK"))
PLATFORM = "wayland" if WAYLAND else "xcb"

ROLE_TEXT = "text"
ROLE_COMBO = "combo box"
ROLE_BUTTON = "push button"
ROLE_CHECK = "check box"


def pump(seconds=0.0):
    """Lets the accessibility events that arrived reach their listeners."""
    context = GLib.MainContext.default()
    deadline = time.monotonic() + seconds
    while True:
        while context.iteration(False):
            pass
        if time.monotonic() >= deadline:
            return
        time.sleep(0.01)


def wait_for(condition, what, timeout=TIMEOUT):
    """Waits until condition() returns something true and returns it."""
    deadline = time.monotonic() + timeout
    last_error = None
    while True:
        pump()
        try:
            value = condition()
            if value:
                return value
        except GLib.Error as e:  # an object that went away meanwhile
            last_error = e
        if time.monotonic() > deadline:
            shot = screenshot(what)
            raise AssertionError("timed out waiting for %s%s%s" % (
                what, " (%s)" % last_error if last_error else "", "; screenshot " + shot if shot else ""))
        time.sleep(0.03)


def settle():
    """Gives input that should change nothing the time to be handled."""
    if not WAYLAND:
        xdotool("sleep", "0")
    pump(SETTLE)


def xdotool(*args):
    subprocess.run(["xdotool"] + [str(a) for a in args], check=True, stdout=subprocess.DEVNULL)


# ---------------------------------------------------------------- sway


def swaymsg(*args):
    """A command to sway; its answer as JSON."""
    result = subprocess.run(["swaymsg", "--raw"] + [str(a) for a in args], check=True, capture_output=True, text=True)
    return json.loads(result.stdout)


def sway_views():
    """Every window in sway's tree, as sway describes it."""
    def nodes(node):
        if node.get("pid"):
            yield node
        for child in node.get("nodes", []) + node.get("floating_nodes", []):
            yield from nodes(child)
    return list(nodes(swaymsg("-t", "get_tree")))


def sway_view(pid):
    """The shown window of a process, or None."""
    views = [v for v in sway_views() if v["pid"] == pid and v.get("visible")]
    return views[0] if views else None


def sway_focused():
    """The pid of the window with the focus, or None."""
    views = [v for v in sway_views() if v.get("focused")]
    return views[0]["pid"] if views else None


def window_origin(pid):
    """Where the content of a process's window begins on the screen."""
    view = sway_view(pid)
    assert view, "no window of process %d" % pid
    return view["rect"]["x"] + view["window_rect"]["x"], view["rect"]["y"] + view["window_rect"]["y"]


_sway_pointer = [0, 0]
# The session's pointer under sway: a process of the suite's own that takes
# commands on its input and answers "ok" once the compositor has them.
_pointer_process = None
# Linux's codes of the left, middle and right buttons.
BUTTON_CODES = {1: 0x110, 2: 0x112, 3: 0x111}


def use_pointer(process):
    global _pointer_process
    _pointer_process = process


def sway_pointer(*args):
    """A command to the pointer: move X Y, press BUTTON, release BUTTON.
    The wheel's buttons go to sway's own cursor, which scrolls with them."""
    if args[0] != "move" and args[1] not in BUTTON_CODES:
        subprocess.run(["swaymsg", "seat", "-", "cursor", args[0], "button%d" % args[1]], check=True,
                       stdout=subprocess.DEVNULL)
        return
    if args[0] != "move":
        args = (args[0], BUTTON_CODES[args[1]])
    _pointer_process.stdin.write((" ".join(str(a) for a in args) + "\n").encode())
    answer = read_line(_pointer_process.stdout, "the pointer")
    assert answer == "ok", "the pointer answered %r" % answer


def wtype(*args):
    subprocess.run(["wtype"] + [str(a) for a in args], check=True)


# ---------------------------------------------------------------- reading


def showing(acc):
    return acc.getState().contains(pyatspi.STATE_SHOWING)


def walk(acc):
    """acc and every showing object below it."""
    if acc is None:
        return
    yield acc
    for i in range(acc.childCount):
        child = acc.getChildAtIndex(i)
        if child is not None and showing(child):
            yield from walk(child)


def text_of(acc):
    return acc.queryText().getText(0, -1)


def centre(acc):
    x, y, width, height = extents(acc)
    return x + width // 2, y + height // 2


def extents(acc):
    """Where an object lies on the screen: under sway, where its window lies
    in the compositor's tree plus where it lies in its window (a Wayland
    program does not know where its window is)."""
    if SWAY:
        e = acc.queryComponent().getExtents(pyatspi.WINDOW_COORDS)
        x, y = window_origin(acc.get_process_id())
        return x + e.x, y + e.y, e.width, e.height
    e = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return e.x, e.y, e.width, e.height


def focused(acc):
    return acc.getState().contains(pyatspi.STATE_FOCUSED)


def labelled_by(acc):
    for relation in acc.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            return " ".join(relation.getTarget(i).name for i in range(relation.getNTargets()))
    return ""


def list_purpose(acc):
    """What a list is for, as a screen reader finds it: its label, else its
    description."""
    return labelled_by(acc) or acc.description


def list_shows(acc):
    """The item a list shows, as a screen reader reads it: the list's name,
    by the toolkits' convention on this desktop."""
    return acc.name


def reading(acc):
    """(role, what it is, what it holds) of a field, list, check box or
    button, as a screen reader reads it."""
    role = acc.getRoleName()
    if role == ROLE_TEXT:
        return role, acc.name, text_of(acc)
    if role == ROLE_COMBO:
        return role, list_purpose(acc), list_shows(acc)
    if role == ROLE_CHECK:
        return role, acc.name, "checked" if acc.getState().contains(pyatspi.STATE_CHECKED) else "unchecked"
    return role, acc.name, ""


# ---------------------------------------------------------------- input


def pointer():
    if SWAY:
        return tuple(_sway_pointer)
    d = xdisplay.Display()
    try:
        p = d.screen().root.query_pointer()
        return p.root_x, p.root_y
    finally:
        d.close()


def move_to(x, y):
    """Moves the pointer and waits until it is there. (xdotool waits for a
    move in vain when the pointer is there already.)"""
    if SWAY:
        sway_pointer("move", x, y)
        _sway_pointer[:] = [x, y]
    elif pointer() != (x, y):
        xdotool("mousemove", "--sync", x, y)


def press(button):
    if SWAY:
        sway_pointer("press", button)
    else:
        xdotool("mousedown", button)


def release(button):
    if SWAY:
        sway_pointer("release", button)
    else:
        xdotool("mouseup", button)


def click(acc, button=1, repeat=1):
    x, y = centre(acc)
    move_to(x, y)
    if SWAY:
        for i in range(repeat):
            if i:
                time.sleep(0.06)
            press(button)
            release(button)
    else:
        xdotool("click", "--repeat", repeat, "--delay", 60, button)


def type_text(text):
    if SWAY:
        wtype("-d", 40, "--", text)
    else:
        xdotool("type", "--delay", 40, "--", text)


def keys(*names):
    """Presses keys by their X names, a chord as ctrl+a."""
    if not SWAY:
        xdotool("key", "--delay", 40, *names)
        return
    args = []
    for name in names:
        *modifiers, key = name.split("+")
        args += [a for m in modifiers for a in ("-M", m)] + ["-k", key] + [a for m in modifiers for a in ("-m", m)]
    wtype("-d", 40, *args)


def drag(source, target):
    """Presses the left button over source, moves in steps to target (an
    object or a point) and lets go there, as a hand does."""
    sx, sy = centre(source)
    tx, ty = target if isinstance(target, tuple) else centre(target)
    move_to(sx, sy)
    press(1)
    steps = 12
    for i in range(1, steps + 1):
        move_to(sx + (tx - sx) * i // steps, sy + (ty - sy) * i // steps)
        time.sleep(0.03)
    # A few moves over the target, so that it answers whether it takes the drop.
    for dx in (-1, -2, 0):
        move_to(tx + dx, ty)
        time.sleep(0.1)
    release(1)


# ---------------------------------------------------------------- screenshots


def screenshot(name):
    """The whole screen as a PNG in SHOTS_DIR, if set; returns its path."""
    if not SHOTS_DIR:
        return ""
    os.makedirs(SHOTS_DIR, exist_ok=True)
    path = os.path.join(SHOTS_DIR, "%d-%s.png" % (int(time.time() * 1000),
                                                   "".join(c if c.isalnum() else "_" for c in name)[:60]))
    if SWAY:
        subprocess.run(["grim", path], check=True)
        return path
    if WAYLAND:
        return ""
    d = xdisplay.Display()
    try:
        root = d.screen().root
        g = root.get_geometry()
        raw = root.get_image(0, 0, g.width, g.height, X.ZPixmap, 0xFFFFFFFF).data
    finally:
        d.close()
    rows = bytearray()
    for y in range(g.height):
        rows.append(0)
        line = raw[y * g.width * 4:(y + 1) * g.width * 4]
        rgb = bytearray(g.width * 3)
        rgb[0::3], rgb[1::3], rgb[2::3] = line[2::4], line[1::4], line[0::4]
        rows += rgb

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", g.width, g.height, 8, 2, 0, 0, 0))
                + chunk(b"IDAT", zlib.compress(bytes(rows))) + chunk(b"IEND", b""))
    return path


# ---------------------------------------------------------------- programs


class Events:
    """Accessibility events from one program, collected as a screen reader
    registers for them."""

    KINDS = ("object:property-change:accessible-name", "object:property-change:accessible-description",
             "object:value-changed", "object:selection-changed", "object:state-changed:showing",
             "object:state-changed:focused")

    def __init__(self, pid):
        self.pid = pid
        self.seen = []
        pyatspi.Registry.registerEventListener(self._on_event, *self.KINDS)
        # The program learns of listeners over the bus.
        pump(0.2)

    def _on_event(self, e):
        try:
            if e.source is not None and e.source.get_process_id() == self.pid:
                self.seen.append((e.type, e.source))
        except GLib.Error:
            pass

    def close(self):
        pyatspi.Registry.deregisterEventListener(self._on_event, *self.KINDS)

    def clear(self):
        pump()
        self.seen = []

    def of(self, kind, source=None):
        pump()
        return [s for t, s in self.seen if t.startswith(kind) and (source is None or s == source)]


class Process:
    """A program of the suite's, in a process group of its own, ended at the
    end of the test that started it."""

    def __init__(self, args, env, stdout=subprocess.DEVNULL, stderr=None):
        # Unbuffered: a line read leaves the next one in the pipe, where
        # read_line waits for it.
        self.popen = subprocess.Popen(args, env=env, stdin=subprocess.DEVNULL, stdout=stdout, stderr=stderr,
                                      start_new_session=True, bufsize=0)
        self.pid = self.popen.pid

    def running(self):
        return self.popen.poll() is None

    def end(self):
        # The group holds what it started too (a help viewer, say).
        if self.popen.poll() is None:
            os.killpg(self.pid, signal.SIGKILL)
            self.popen.wait()
        try:
            os.killpg(self.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
        if self.popen.stdout:
            self.popen.stdout.close()


def find_app(pid):
    for app in pyatspi.Registry.getDesktop(0):
        try:
            if app is not None and app.get_process_id() == pid:
                return app
        except GLib.Error:
            pass
    return None


class Program(Process):
    """Sonavolta on the desktop. Widgets are looked up in the window shown on
    top: the calculator while one runs, else the chooser."""

    def __init__(self, path, env, extra_env=None, stderr=None, chooser_button="Level"):
        # The chooser is the screen with this button (its name in the
        # program's language).
        self.chooser_button = chooser_button
        # A runtime directory of its own: no copy of an earlier test's answers
        # as the running copy.
        self.runtime_dir = tempfile.mkdtemp(dir=env["XDG_RUNTIME_DIR"])
        env = dict(env, QT_QPA_PLATFORM=PLATFORM, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                   XDG_RUNTIME_DIR=self.runtime_dir, **(extra_env or {}))
        self.env = env
        super().__init__([path], env, stderr=stderr)
        self.events = None
        self._found = {}
        try:
            self.app = wait_for(lambda: find_app(self.pid), "the program on the accessibility bus")
            # Read every property afresh from the program, never from a cache.
            self.app.setCacheMask(Atspi.Cache.NONE)
            self.events = Events(self.pid)
            self.wait_for_chooser()
            # Input reaches the window once the screen shows it.
            wait_for(self.shown, "the program's window on the screen")
        except BaseException:
            self.end()
            raise

    def end(self):
        if self.events:
            self.events.close()
            self.events = None
        super().end()
        shutil.rmtree(self.runtime_dir, ignore_errors=True)

    # -- finding

    def top(self):
        """The showing page of the window: the one whose controls the user sees."""
        for window in self.app:
            if window is not None and showing(window):
                return window
        return None

    def all(self, role, name=None):
        top = self.top()
        return [a for a in walk(top) if a.getRoleName() == role and (name is None or a.name == name)]

    def find(self, role, name):
        """A showing object of the screen on top, by role and name. Objects
        found are kept until the screen changes (open, back to the chooser)."""
        key = (role, name)
        if key not in self._found:
            self._found[key] = wait_for(lambda: self.all(role, name), "%s %r" % (role, name))[0]
        return self._found[key]

    def field(self, name):
        return self.find(ROLE_TEXT, name)

    def list(self, purpose):
        """A unit list by what it is for (or, where a list tells nothing
        else, by its name)."""
        key = (ROLE_COMBO, purpose)
        if key not in self._found:
            self._found[key] = wait_for(lambda: [a for a in self.all(ROLE_COMBO) if list_purpose(a) == purpose or
                                                 (not list_purpose(a) and a.name == purpose)],
                                        "list %r" % purpose)[0]
        return self._found[key]

    def text(self, name):
        return text_of(self.field(name))

    def screen_title(self):
        """The labels of the screen on top, its caption among them."""
        return [a.name for a in walk(self.top()) if a.getRoleName() == "label"]

    def wait_for_chooser(self):
        """Waits until the chooser is the screen on top."""
        self._found = {}
        wait_for(lambda: self.all(ROLE_BUTTON, self.chooser_button) and not self.all(ROLE_TEXT), "the chooser")

    # The field each calculator opens with the focus in.
    FIRST_FIELD = {"Level": "dBu (\u00b1200)", "Delay": "BPM", "Wave": "Frequency (Hz)"}

    def open(self, calculator):
        """Clicks the chooser's button for a calculator and waits until its
        first field has the focus, ready for typing."""
        click(self.find(ROLE_BUTTON, calculator))
        self._found = {}
        first = self.FIRST_FIELD[calculator]
        wait_for(lambda: [a for a in self.all(ROLE_TEXT, first) if focused(a)], "the %s calculator" % calculator)

    def wait_text(self, name, expected):
        return wait_for(lambda: self.text(name) == expected, "%s to read %r (reads %r)" % (
            name, expected, self.text(name) if self.all(ROLE_TEXT, name) else None))

    def wait_texts(self, expected):
        """Waits until every named field reads as expected; returns what they read."""
        def read():
            return {name: self.text(name) for name in expected}
        try:
            return wait_for(lambda: read() == expected and read(), "fields to read %r" % expected)
        except AssertionError:
            raise AssertionError("fields read %r, expected %r" % (read(), expected)) from None

    # -- menus

    def open_menu(self, acc, button):
        """Clicks acc and returns the menu that it pops up."""
        self.events.clear()
        click(acc, button)
        return wait_for(lambda: [s for s in self.events.of("object:state-changed:showing")
                                 if s.getRoleName() == "popup menu" and showing(s)], "a menu to pop up")[-1]

    def pick(self, menu, item):
        """Clicks a menu's item, named without its shortcut."""
        entries = [a for a in walk(menu) if a.getRoleName() == "menu item" and a.name.split("\t")[0] == item]
        assert entries, "no item %r in the menu: %r" % (item, [a.name for a in walk(menu)])
        click(entries[0])
        wait_for(lambda: not showing(menu), "the menu to close")

    def context_menu(self, field, item):
        """Picks an item of a field's right-click menu."""
        self.pick(self.open_menu(field, 3), item)

    # -- the window

    def shown(self):
        """Whether the screen shows the window: the X server, or sway, which
        gives a new window the focus as it shows it. (On weston no client
        learns where windows are.)"""
        if SWAY:
            view = sway_view(self.pid)
            return view and view["focused"] and view
        return WAYLAND or self.x_window()

    def x_window(self):
        """The program's window as the X server knows it."""
        d = xdisplay.Display()
        try:
            pid_atom = d.intern_atom("_NET_WM_PID")
            delete = d.intern_atom("WM_DELETE_WINDOW")
            root = d.screen().root
            # A window manager lists the windows it manages (each inside a
            # frame of its own); without one they lie on the root window.
            managed = root.get_full_property(d.intern_atom("_NET_CLIENT_LIST"), Xatom.WINDOW)
            windows = ([d.create_resource_object("window", w) for w in managed.value] if managed
                       else root.query_tree().children)
            for w in windows:
                try:
                    prop = w.get_full_property(pid_atom, Xatom.CARDINAL)
                    if (prop and prop.value[0] == self.pid and w.get_attributes().map_state == X.IsViewable
                            and delete in (w.get_wm_protocols() or [])):
                        return w.id
                except Xlib.error.BadWindow:  # closed meanwhile
                    pass
        finally:
            d.close()
        return None

    def request_close(self):
        """Asks the window to close as a window manager does when the user
        clicks its close button: WM_DELETE_WINDOW through WM_PROTOCOLS."""
        window_id = wait_for(self.x_window, "the program's window")
        d = xdisplay.Display()
        try:
            window = d.create_resource_object("window", window_id)
            message = xevent.ClientMessage(window=window, client_type=d.intern_atom("WM_PROTOCOLS"),
                                           data=(32, [d.intern_atom("WM_DELETE_WINDOW"), X.CurrentTime, 0, 0, 0]))
            window.send_event(message, event_mask=X.NoEventMask)
            # A round trip: the request is on the server, not in a buffer.
            d.sync()
        finally:
            d.close()

    def wait_exit(self, timeout=TIMEOUT):
        try:
            return self.popen.wait(timeout)
        except subprocess.TimeoutExpired:
            return None


def read_line(stream, what, timeout=TIMEOUT):
    """A line a helper prints, once it is there."""
    ready, _, _ = select.select([stream], [], [], timeout)
    assert ready, "timed out waiting for " + what
    return stream.readline().decode().strip()


class Helper(Process):
    """The other program on the desktop: a clipboard owner or a drag source."""

    def __init__(self, path, env, mode, text):
        super().__init__([path, mode, text], dict(env, QT_QPA_PLATFORM=PLATFORM, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1"),
                         stdout=subprocess.PIPE)
        try:
            line = read_line(self.popen.stdout, "the helper to start")
            assert line == "ready", "the helper did not start: %r" % line
            if mode.startswith("drag"):
                if SWAY:
                    # sway centres a small window, where the program's will
                    # be: to the corner with it, as the X helper places itself.
                    wait_for(lambda: sway_view(self.pid), "the drag source's window")
                    swaymsg("[pid=%d]" % self.pid, "move", "position", 0, 0)
                app = wait_for(lambda: find_app(self.pid), "the drag source on the accessibility bus")
                self.source = wait_for(lambda: [a for a in walk(app) if a.name == "drag source" and showing(a)],
                                       "the drag source's window")[0]
        except BaseException:
            self.end()
            raise

    def window_active(self):
        """Whether the window manager or the compositor says the helper's
        window is the active one."""
        if SWAY:
            return sway_focused() == self.pid
        d = xdisplay.Display()
        try:
            active = d.screen().root.get_full_property(d.intern_atom("_NET_ACTIVE_WINDOW"), Xatom.WINDOW)
            if not active or not active.value[0]:
                return False
            window = d.create_resource_object("window", active.value[0])
            pid = window.get_full_property(d.intern_atom("_NET_WM_PID"), Xatom.CARDINAL)
            return bool(pid) and pid.value[0] == self.pid
        finally:
            d.close()

    def drop_result(self):
        """What the drag source heard back: "copy" (or "move", when it
        offered that) when the target took the drop, "nothing" when it
        refused it."""
        line = read_line(self.popen.stdout, "the end of the drag")
        assert line.startswith("dropped "), line
        return line.split(" ", 1)[1]
