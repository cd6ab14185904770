# The program on Wayland under sway, a compositor that honours activation
# tokens: its start and first paint, the second start from a desktop
# launcher, the compositor's fullscreen, and the app id by which a dock
# matches the window to its desktop entry.

import glob
import os
import re
import shutil
import subprocess
import tempfile

import desktop
import screen
from desktop import DesktopCase
from screen import ROLE_BUTTON, read_line, swaymsg, sway_view, type_text, wait_for
from test_paths import LEVEL_0DBU

# sway's fill behind a fullscreen window that does not cover its output.
BLACK = (0, 0, 0)


def desktop_entry_id():
    """The installed desktop entry's id: its file's name without .desktop."""
    entries = glob.glob(desktop.installed("share/applications/*.desktop"))
    assert len(entries) == 1, "one desktop entry expected: %r" % entries
    return os.path.basename(entries[0])[:-len(".desktop")]


def grab(x, y, width, height):
    """The screen's pixels in a rectangle, as rows of (r, g, b)."""
    shot = subprocess.run(["grim", "-t", "ppm", "-g", "%d,%d %dx%d" % (x, y, width, height), "-"],
                          check=True, capture_output=True).stdout
    # A binary PPM: P6, width, height, the largest value, one blank, then
    # the pixels (whose first bytes may look blank too).
    header = re.match(rb"P6\s+(\d+)\s+(\d+)\s+255\s", shot)
    assert header, shot[:20]
    w, h, data = int(header.group(1)), int(header.group(2)), shot[header.end():]
    assert len(data) == w * h * 3, (w, h, len(data))
    return [[tuple(data[(row * w + col) * 3:(row * w + col) * 3 + 3]) for col in range(w)] for row in range(h)]


def window_pixels(pid):
    """What the screen shows of a process's window, inside its frame."""
    view = sway_view(pid)
    x, y = screen.window_origin(pid)
    return grab(x, y, view["window_rect"]["width"], view["window_rect"]["height"])


def painted(pixels):
    """Whether a window's pixels show a drawn dialog: many colours, and its
    last row and column are not sway's fill, which shows where a window drew
    less than its size."""
    colours = {p for row in pixels for p in row}
    return (len(colours) >= 16 and any(p != BLACK for p in pixels[-1])
            and any(row[-1] != BLACK for row in pixels))


class WaylandCase(DesktopCase):
    DESKTOPS = ("sway",)


class StartAndFirstPaint(WaylandCase):

    def test_chooser_shows_drawn(self):
        program = self.start_program()
        self.assertTrue(program.all(ROLE_BUTTON, "Level"))
        wait_for(lambda: painted(window_pixels(program.pid)), "the chooser drawn, the whole window")


class AppId(WaylandCase):
    """A dock matches a window to its desktop entry by the app id: it must be
    the installed entry's id, whatever the program's file is called."""

    NEEDS_INSTALL = True

    def test_app_id_is_the_desktop_entry_id(self):
        folder = tempfile.mkdtemp()
        self.addCleanup(shutil.rmtree, folder, True)
        cases = [
            ("the program as installed", desktop.program_path()),
            # A file named otherwise, as a package or a bundle may name it.
            ("the program under another file name", shutil.copy(desktop.program_path(),
                                                                  os.path.join(folder, "sonavolta-1"))),
        ]
        for name, path in cases:
            with self.subTest(name):
                program = self.start_program(path=path)
                self.assertEqual(wait_for(lambda: sway_view(program.pid), "the window")["app_id"],
                                 desktop_entry_id())


class SecondStartFromLauncher(WaylandCase):
    """A launcher starts the program while a copy runs, handing it an
    activation token as desktop launchers do: the running copy's window gets
    the focus, the second copy exits with 255."""

    def test_running_copy_gets_the_focus(self):
        first = self.start_program()
        # The launcher starts the second copy as the first one runs: with its
        # runtime directory, where the running copy answers.
        launcher = screen.Process([desktop.wayland_client(), "launcher", desktop.program_path()], first.env,
                                  stdout=subprocess.PIPE)
        self.addCleanup(launcher.end)
        self.assertEqual(read_line(launcher.popen.stdout, "the launcher's window"), "focused")
        wait_for(lambda: screen.sway_focused() == launcher.pid, "the launcher to have the focus")
        # The user starts the program from the launcher with a key.
        screen.keys("Return")
        token = read_line(launcher.popen.stdout, "the launcher's token")
        self.assertTrue(token.startswith("token "), token)
        self.assertEqual(read_line(launcher.popen.stdout, "the second copy's end"), "exited 255")
        wait_for(lambda: screen.sway_focused() == first.pid, "the running copy's window to get the focus")


class Fullscreen(WaylandCase):
    """The compositor's fullscreen, as its key binding gives it (sway's frame
    offers no maximize): the program lives on and draws its window, intact,
    at the size it is given."""

    def test_fullscreen_is_drawn_at_its_size(self):
        program = self.open("Level")
        type_text("0")
        program.wait_texts(LEVEL_0DBU)
        output = swaymsg("-t", "get_outputs")[0]["rect"]
        swaymsg("[pid=%d]" % program.pid, "fullscreen", "enable")
        wait_for(lambda: sway_view(program.pid)["rect"]["width"] == output["width"], "the window to be fullscreen")
        # The pointer crosses the window, as a hand does after fullscreen.
        for x, y in ((10, 10), (output["width"] // 2, output["height"] // 2), (output["width"] - 10, 20)):
            screen.move_to(x, y)
        screen.settle()
        self.assertTrue(program.running(), "the program ended on fullscreen")
        try:
            wait_for(lambda: painted(window_pixels(program.pid)), "the window drawn at its fullscreen size")
        except AssertionError:
            pixels = window_pixels(program.pid)
            black = sum(row.count(BLACK) for row in pixels)
            raise AssertionError("%d of %dx%d pixels of the fullscreen window are not drawn"
                                 % (black, len(pixels[0]), len(pixels))) from None
        # Every field still shows, inside the window, reading what it read.
        view = sway_view(program.pid)["rect"]
        for name, text in LEVEL_0DBU.items():
            x, y, width, height = screen.extents(program.field(name))
            self.assertTrue(view["x"] <= x and x + width <= view["x"] + view["width"]
                            and view["y"] <= y and y + height <= view["y"] + view["height"], name)
            self.assertEqual(program.text(name), text)
