# The program on Wayland under weston, where Qt draws the window's frame
# itself: its start and first paint with nothing said on its error output,
# and the frame's maximize button.

import os
import shutil
import struct
import subprocess
import tempfile
import time
import zlib

import desktop
import screen
from desktop import DesktopCase
from screen import ROLE_BUTTON, wait_for

# Where Qt's own frame puts its maximize button, from the frame's top right
# corner: the middle of its three buttons (minimize, maximize, close).
MAXIMIZE_FROM_TOP_RIGHT = (-40, 15)
# Rows at the top that weston's panel (its clock among them) may change.
PANEL_HEIGHT = 40


def read_png(path):
    """A PNG's pixels as rows of (r, g, b): 8 bits a channel, RGB or RGBA,
    not interlaced, as weston writes its screenshots."""
    with open(path, "rb") as f:
        data = f.read()
    assert data[:8] == b"\x89PNG\r\n\x1a\n", path
    pos, idat = 8, b""
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
            assert depth == 8 and colour in (2, 6) and interlace == 0, (depth, colour, interlace)
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    channels = 3 if colour == 2 else 4
    stride = width * channels
    raw = zlib.decompress(idat)
    rows, previous = [], bytearray(stride)
    for y in range(height):
        kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            left = line[i - channels] if i >= channels else 0
            up, up_left = previous[i], previous[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + left) & 0xFF
            elif kind == 2:
                line[i] = (line[i] + up) & 0xFF
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 0xFF
            elif kind == 4:
                p = left + up - up_left
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - up_left)
                line[i] = (line[i] + (left if pa <= pb and pa <= pc else up if pb <= pc else up_left)) & 0xFF
        rows.append([tuple(line[x * channels:x * channels + 3]) for x in range(width)])
        previous = line
    return rows


def weston_screen():
    """The whole screen of the session's weston (its screenshooter answers
    when weston runs with its debugging protocol on)."""
    folder = tempfile.mkdtemp()
    try:
        subprocess.run(["weston-screenshooter"], cwd=folder, check=True, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
        shots = os.listdir(folder)
        assert len(shots) == 1, shots
        return read_png(os.path.join(folder, shots[0]))
    finally:
        shutil.rmtree(folder, ignore_errors=True)


def settled(shoot):
    """A screen once it stops changing: weston's shell draws its background
    and panel a while after it starts."""
    last = shoot()
    for _ in range(20):
        time.sleep(0.2)
        now = shoot()
        if now == last:
            return now
        last = now
    raise AssertionError("the screen keeps changing")


def changed_box(before, after):
    """The smallest rectangle (x, y, width, height) holding every pixel that
    differs between two screens, below the panel; None if none does."""
    rows = [y for y in range(PANEL_HEIGHT, len(after)) if before[y] != after[y]]
    if not rows:
        return None
    columns = [x for x in range(len(after[0])) if any(before[y][x] != after[y][x] for y in rows)]
    return columns[0], rows[0], columns[-1] - columns[0] + 1, rows[-1] - rows[0] + 1


def offers_maximize(pixels, x, y):
    """Whether the frame's button at (x, y) is a maximize button: its square
    has a top edge, where a minimize button's line lies low (Qt moves the
    minimize button there when the frame offers no maximize)."""
    return any(sum(pixels[row][col]) < 300 for row in range(y - 6, y - 2) for col in range(x - 6, x + 7))


def colours_in(pixels, box):
    x, y, width, height = box
    return {p for row in pixels[y:y + height] for p in row[x:x + width]}


class WestonCase(DesktopCase):
    DESKTOPS = ("weston",)

    def start_recorded(self, extra_env=None):
        """The program, its error output kept in a file."""
        errors = tempfile.NamedTemporaryFile(prefix="sonavolta-stderr-")
        self.addCleanup(errors.close)
        program = self.start_program(extra_env, stderr=errors)
        return program, errors

    def error_output(self, errors):
        with open(errors.name, encoding="utf-8", errors="replace") as f:
            return f.read()


class StartAndFirstPaint(WestonCase):
    """The program starts under weston and draws its chooser, the whole
    window, saying nothing on its error output (no missing plugin, no
    fallback, no protocol complaint)."""

    def test_chooser_drawn_quietly(self):
        before = settled(weston_screen)
        program, errors = self.start_recorded()
        self.assertTrue(program.all(ROLE_BUTTON, "Level"))
        _, _, width, height = screen.extents(program.top())

        def drawn():
            after = weston_screen()
            box = changed_box(before, after)
            # The window with the frame Qt draws around it, and many colours in it.
            return (box and box[2] >= width and box[3] >= height and len(colours_in(after, box)) >= 16
                    and box)
        wait_for(drawn, "the chooser drawn on the screen")
        screen.settle()
        self.assertTrue(program.running())
        self.assertEqual(self.error_output(errors), "")


class MaximizeFromTheFrame(WestonCase):
    """The maximize button of the frame Qt draws under weston, clicked with
    a real pointer, then the pointer moved on: the program lives on, its
    window drawn, nothing on its error output. (Before: a protocol error
    ended it with exit code 1.) Weston runs here nested in an X server of
    its own, whose pointer xdotool moves."""

    def setUp(self):
        self.x_server = screen.Process(["Xvfb", "-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten",
                                        "tcp", "-noreset"], desktop.env(), stdout=subprocess.PIPE)
        self.addCleanup(self.x_server.end)
        display = ":" + screen.read_line(self.x_server.popen.stdout, "the nested X server")
        runtime = desktop.env()["XDG_RUNTIME_DIR"]
        socket = "wayland-nested-%d" % self.x_server.pid
        self.weston = screen.Process(["weston", "--backend=x11-backend.so", "--use-pixman", "--socket=" + socket,
                                      "--width=1024", "--height=768", "--idle-time=0", "--no-config", "--debug"],
                                     dict(desktop.env(), DISPLAY=display), stderr=subprocess.DEVNULL)
        self.addCleanup(self.weston.end)
        wait_for(lambda: os.path.exists(os.path.join(runtime, socket + ".lock")), "the nested weston")
        self.nested = {"DISPLAY": display, "WAYLAND_DISPLAY": os.path.join(runtime, socket)}

    def xdotool(self, *args):
        subprocess.run(["xdotool"] + [str(a) for a in args], check=True, env=dict(desktop.env(), **self.nested))

    def nested_screen(self):
        env = dict(desktop.env(), **self.nested)
        folder = tempfile.mkdtemp()
        try:
            subprocess.run(["weston-screenshooter"], cwd=folder, check=True, env=env, stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL)
            return read_png(os.path.join(folder, os.listdir(folder)[0]))
        finally:
            shutil.rmtree(folder, ignore_errors=True)

    def test_maximize_then_move(self):
        # weston follows the X pointer by its moves from where it first saw
        # it: to the top left corner, where both then agree, and on out of
        # the way, where the window will not be.
        self.xdotool("mousemove", "--sync", 0, 0)
        self.xdotool("mousemove", "--sync", 1, 767)
        before = settled(self.nested_screen)
        program, errors = self.start_recorded({"WAYLAND_DISPLAY": self.nested["WAYLAND_DISPLAY"]})
        box = wait_for(lambda: changed_box(before, self.nested_screen()), "the window drawn")
        x, y, width, height = box
        dx, dy = MAXIMIZE_FROM_TOP_RIGHT
        button = x + width + dx, y + dy
        if not offers_maximize(self.nested_screen(), *button):
            # The frame offers no maximize: no road to the fault.
            self.assertTrue(program.running())
            return
        self.xdotool("mousemove", "--sync", *button)
        self.xdotool("click", 1)
        # On across the title and over the chooser's buttons, which light up
        # under the pointer and are drawn again.
        tx, ty = x + width // 2, y + height * 2 // 3
        for i in range(1, 11):
            self.xdotool("mousemove", "--sync", button[0] + (tx - button[0]) * i // 10,
                         button[1] + (ty - button[1]) * i // 10)
            time.sleep(0.05)
        screen.settle()
        self.assertTrue(program.running(), "the program ended with %r: %s" % (program.popen.poll(),
                                                                                self.error_output(errors)))
        # Drawn, whole, at the size weston gives a maximized window: the
        # width of the screen.
        def across():
            shot = self.nested_screen()
            box = changed_box(before, shot)
            return box and box[2] == len(shot[0]) and len(colours_in(shot, box)) >= 16
        wait_for(across, "the window drawn across the screen")
        self.assertTrue(program.running())
        self.assertEqual(self.error_output(errors), "")
