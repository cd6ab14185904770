# The roads to a field that only a desktop takes: the right-click menu, the
# mouse wheel, a drop from another program, Help through the desktop's real
# xdg-open, a screen reader reading the unit lists, and the focus leaving a
# field. Each case's comment says what a user met on this road before it was
# mended.

import math
import os
import re
import shutil
import stat
import tempfile
import urllib.parse

import screen
from desktop import DesktopCase
from screen import ROLE_BUTTON, click, focused, keys, settle, type_text, wait_for
from test_calculators import BPM, DBM, DBU, DBV, FREQ, NOTE, OHMS, PERIOD, POWER, PP, RMS, delay

EMPTY_DELAY = delay(*[""] * 7)
DELAY_120 = delay("2000.0000", "1500.0000", "1000.0000", "500.0000", "250.0000", "125.0000", "62.5000")
# 0 typed into dBu, or 1 into Power (mW): each keeps what was typed.
LEVEL_0DBU = {DBU: "0", DBV: "-2.2185", DBM: "0.0000", POWER: "1.0000", RMS: "774.5967", PP: "2.1909",
              OHMS: "600"}
# dBu minus dBV: 20 log10 of 1 V over the dBu reference, the square root of 0.6 V.
DBU_OVER_DBV = -20 * math.log10(math.sqrt(0.6))


class RightClickMenu(DesktopCase):
    """Every change from a field's right-click menu goes the road of typing:
    checked by the field, and when accepted, followed by the results."""

    def test_menu_edits(self):
        cases = [
            # Before: the tempo field was empty while the seven results kept
            # their 120 BPM values.
            ("Delay: Select All, Delete empties the results", "Delay", BPM, "120", None,
             ["Select All", "Delete"], dict(EMPTY_DELAY, **{BPM: ""})),
            # Before: the results also stayed.
            ("Delay: Select All, Cut empties the results", "Delay", BPM, "120", None,
             ["Select All", "Cut"], dict(EMPTY_DELAY, **{BPM: ""})),
            # Before: abc99999 stood in the tempo field.
            ("Delay: a pasted abc99999 is refused", "Delay", BPM, "120", "abc99999",
             ["Select All", "Paste"], dict(DELAY_120, **{BPM: "120"})),
            # Before: the results stayed those of 120.
            ("Delay: 60 pasted over 120 recomputes", "Delay", BPM, "120", "60",
             ["Select All", "Paste"],
             dict(delay("4000.0000", "3000.0000", "2000.0000", "1000.0000", "500.0000", "250.0000", "125.0000"),
                  **{BPM: "60"})),
            # Before: the note field took all 11 characters.
            ("Wave: the note field refuses 11 pasted characters", "Wave", NOTE, "", "C4C4C4C4C4C",
             ["Paste"], {NOTE: "", FREQ: ""}),
            # Before: the note was not looked up; the frequency stayed empty.
            ("Wave: a note pasted from the menu is looked up", "Wave", NOTE, "", "A4",
             ["Paste"], {NOTE: "A4", FREQ: "440.00", PERIOD: "2.2727"}),
            ("Delay: Undo from the menu brings the results back", "Delay", BPM, "120", None,
             ["Select All", "Delete", "Undo"], dict(DELAY_120, **{BPM: "120"})),
        ]
        for name, calculator, field, typed, clipboard, items, expected in cases:
            with self.subTest(name):
                if clipboard is not None:
                    holder = self.clipboard(clipboard)
                self.open(calculator)
                target = self.program.field(field)
                click(target)
                if typed:
                    type_text(typed)
                for item in items:
                    self.program.context_menu(target, item)
                settle()
                self.program.wait_texts(expected)
                if clipboard is not None:
                    holder.end()


class WheelOverUnitList(DesktopCase):
    """The wheel over the power list while the power field has the focus
    re-expresses the power only; the engine keeps its value."""

    def test_wheel_steps(self):
        one_mw = dict(LEVEL_0DBU, **{DBU: "0.0000", POWER: "1"})
        others = {k: v for k, v in one_mw.items() if k != POWER}
        cases = [
            # (wheel button, steps) in order, what Power then shows.
            ("one step down: W", [(5, 1)], "0.0010"),
            # Before: Power showed 0.0000 and dBu, dBV, dBm, RMS and p-p were empty.
            ("four steps down: GW", [(5, 4)], "0.0000"),
            # Before: wheeling back restored nothing.
            ("four down and four back: mW again", [(5, 4), (4, 4)], "1.0000"),
        ]
        for name, steps, power in cases:
            with self.subTest(name):
                self.open("Level")
                click(self.program.field(POWER))
                type_text("1")
                self.program.wait_texts(one_mw)
                for button, count in steps:
                    click(self.program.list("Power unit"), button, count)
                settle()
                self.program.wait_texts(dict(others, **{POWER: power}))
                self.assertTrue(focused(self.program.field(POWER)))


class DropFromAnotherProgram(DesktopCase):
    """A drop onto a Level field that does not have the focus is handled as
    a paste there, or refused whole: no field shows a number the others do
    not follow."""

    def test_drops(self):
        def power_follows(texts):
            # dBm is the power in mW (its list stays mW) on the decibel scale.
            power = float(texts[POWER])
            return power > 0 and abs(float(texts[DBM]) - 10 * math.log10(power)) < 1e-4

        def dbv_follows(texts):
            return abs(float(texts[DBU]) - float(texts[DBV]) - DBU_OVER_DBV) < 1e-4

        cases = [
            # Before: Power showed 51.0000 mW while dBm still said 0.0000.
            ("5 onto the middle of the power field", POWER, "middle", power_follows),
            # Before: the field took the drop and was overwritten at once.
            # Dropped at the end of -2.2185, where a 5 makes a number.
            ("5 onto the end of the dBV field", DBV, "end", dbv_follows),
        ]
        for name, target_name, where, follows in cases:
            with self.subTest(name):
                helper = self.drag_source("5")
                self.open("Level")
                type_text("0")
                self.program.wait_texts(LEVEL_0DBU)
                target = self.program.field(target_name)
                x, y, width, height = screen.extents(target)
                screen.drag(helper.source, (x + (width // 2 if where == "middle" else width - 4), y + height // 2))
                taken = helper.drop_result() == "copy"
                settle()
                texts = {name: self.program.text(name) for name in LEVEL_0DBU}
                if taken:
                    # Taken like a paste: in the target field, which has the focus.
                    self.assertTrue(focused(target), "%s took the drop without the focus: %r"
                                    % (target_name, texts))
                    self.assertTrue(follows(texts), "the fields do not follow the drop: %r" % texts)
                else:
                    # Refused whole, the drag source told so. (Leaving the window for the drag source
                    # rewrites dBu in its display form.)
                    self.assertEqual({k: float(v) for k, v in texts.items()},
                                     {k: float(v) for k, v in LEVEL_0DBU.items()}, "refused, but %r" % texts)
                helper.end()


class DropOntoInactiveWindow(DesktopCase):
    """A drop from another program's active window onto a field of the
    program's inactive window, as a user makes it under a window manager or
    a compositor: the source offers to move the text, as editors do, and
    deletes it when told the drop was taken. The drop lands in the field and
    the others follow; were it refused, the source would keep its text and
    nothing would change."""

    DESKTOPS = ("openbox", "sway")

    def test_drop_lands(self):
        helper = self.drag_source("5", offers_move=True)
        self.open("Level")
        type_text("0")
        self.program.wait_texts(LEVEL_0DBU)
        # The user goes to the other program first: its window is active.
        click(helper.source)
        wait_for(lambda: helper.window_active(), "the drag source's window to be active")
        power = self.program.field(POWER)
        x, y, width, height = screen.extents(power)
        # Onto the start of the text: 5 before 1.0000 makes 51.0000 mW.
        screen.drag(helper.source, (x + 4, y + height // 2))
        # Before: the source heard "move" and deleted its 5, yet Power still
        # read 1.0000.
        self.assertIn(helper.drop_result(), ("copy", "move"), "the drop was refused")
        expected = {name: "%.4f" % value for name, value in
                    ((DBM, 10 * math.log10(51)), (POWER, 51), (DBU, 10 * math.log10(51)))}
        self.program.wait_texts(expected)


class HelpThroughXdgOpen(DesktopCase):
    """Help lands on the calculator's section through the desktop's real
    xdg-open in its generic mode (no desktop named in the environment), on
    either road it takes to a browser."""

    def setUp(self):
        # No program yet: each road starts its own.
        self.dir = tempfile.mkdtemp()
        self.addCleanup(shutil.rmtree, self.dir, True)
        self.record = os.path.join(self.dir, "opened")
        # The stand-in browser writes down what it was asked to open.
        self.browser = os.path.join(self.dir, "browser")
        with open(self.browser, "w") as f:
            f.write('#!/bin/sh\nprintf "%%s\\n" "$1" >> "%s"\n' % self.record)
        os.chmod(self.browser, stat.S_IRWXU)

    def road_env(self, road):
        home = tempfile.mkdtemp(dir=self.dir)
        data, config = os.path.join(home, "data"), os.path.join(home, "config")
        os.makedirs(os.path.join(data, "applications"))
        os.makedirs(config)
        if road == "default browser":
            # The browser the desktop knows as the handler of web pages.
            with open(os.path.join(data, "applications", "stand-in-browser.desktop"), "w") as f:
                f.write("[Desktop Entry]\nType=Application\nName=Stand-in browser\nExec=%s %%u\n"
                        "MimeType=text/html;\n" % self.browser)
            with open(os.path.join(config, "mimeapps.list"), "w") as f:
                f.write("[Default Applications]\ntext/html=stand-in-browser.desktop\n")
        return {"BROWSER": self.browser, "XDG_DATA_HOME": data, "XDG_CONFIG_HOME": config}

    def opened(self, count):
        def read():
            if not os.path.exists(self.record):
                return None
            with open(self.record) as f:
                lines = f.read().splitlines()
            return lines if len(lines) >= count else None
        return wait_for(read, "the browser to be started")

    def test_help_roads(self):
        cases = [
            # Before: the page's path, without its section: the top of the page.
            ("default browser", "Level", "level"),
            ("default browser", "Delay", "delay"),
            ("default browser", "Wave", "wave"),
            ("BROWSER variable", "Delay", "delay"),
            ("default browser", None, ""),
            ("BROWSER variable", None, ""),
        ]
        for road, calculator, section in cases:
            with self.subTest("%s: %s" % (road, calculator or "Contents")):
                if os.path.exists(self.record):
                    os.remove(self.record)
                program = self.start_program(self.road_env(road))
                if calculator:
                    program.open(calculator)
                    click(program.find(ROLE_BUTTON, "Help"))
                else:
                    program.pick(program.open_menu(program.find(ROLE_BUTTON, "Help"), 1), "Contents")
                page, fragment = follow(self.opened(1)[0])
                self.assertEqual(os.path.basename(page), "sonavolta.html")
                self.assertEqual(fragment, section)
                if section:
                    with open(page, encoding="utf-8") as f:
                        self.assertIn('id="%s"' % section, f.read())


def follow(location):
    """Where a browser lands, given what it was started with: a path or a
    file URL, followed through pages that send the browser on at once."""
    for _ in range(5):
        if location.startswith("file://"):
            url = urllib.parse.urlsplit(location)
            path, fragment = urllib.parse.unquote(url.path), url.fragment
        else:
            path, fragment = location, ""
        with open(path, encoding="utf-8") as f:
            page = f.read()
        onward = re.search(r'<meta\s+http-equiv="refresh"\s+content="0;\s*url=([^"]+)"', page, re.I)
        if not onward:
            return path, fragment
        location = urllib.parse.urljoin("file://" + urllib.parse.quote(path), onward.group(1))
    raise AssertionError("pages lead on in a loop from " + location)


class ScreenReaderUnits(DesktopCase):
    """A screen reader reads what each Level unit list is for and the unit
    it shows now, and is told when the unit changes."""

    def test_units(self):
        cases = [
            # Before: each list read only its name ("Power unit"); nothing
            # exposed the unit, and no change was announced.
            ("Down on the power list", "Power unit", lambda: (click(self.program.field(POWER)), keys("Tab", "Down")),
             {"Power unit": "W", "Voltage (RMS) unit": "mV", "Voltage (p-p) unit": "mV"}),
            ("0 dBu ranges the p-p list to V", "Voltage (p-p) unit", lambda: type_text("0"),
             {"Power unit": "mW", "Voltage (RMS) unit": "mV", "Voltage (p-p) unit": "V"}),
        ]
        for name, changed, act, units in cases:
            with self.subTest(name):
                self.open("Level")
                lists = {purpose: self.program.list(purpose) for purpose in units}
                self.assertEqual({p: screen.list_shows(a) for p, a in lists.items()},
                                 {"Power unit": "mW", "Voltage (RMS) unit": "mV", "Voltage (p-p) unit": "mV"})
                self.program.events.clear()
                act()
                wait_for(lambda: self.program.events.of("object:property-change:accessible-name", lists[changed]),
                         "a name change of the list " + changed)
                self.assertEqual({p: (screen.list_purpose(a), screen.list_shows(a)) for p, a in lists.items()},
                                 {p: (p, unit) for p, unit in units.items()})


class FocusLeavesFrequency(DesktopCase):
    """The frequency field's rewrite on leaving it keeps the value it was
    given: never a text that reads outside its range."""

    def test_rewrites(self):
        cases = [
            # Before: rewritten as 0.00, while the period said 1000000.0000 ms.
            ("0.001", ["1", "Home", "period", "0", "0"], 0.001, "1000000.0000", None),
            # Before: rewritten as 0.00.
            ("0.0001", ["1", "Home", "period", "0", "0", "0"], 0.0001, "10000000.0000", None),
            ("0.25 keeps two decimals", ["2", "5", "Home", "period"], 0.25, "4000.0000", "0.25"),
            ("440 keeps two decimals", ["4", "4", "0"], 440, "2.2727", "440.00"),
        ]
        for name, typed, value, period, shown in cases:
            with self.subTest(name):
                self.open("Wave")
                keys(*typed)
                self.program.wait_text(PERIOD, period)
                keys("Tab")
                wait_for(lambda: not focused(self.program.field(FREQ)), "the focus to leave the frequency")
                text = self.program.text(FREQ)
                self.assertTrue(text and abs(float(text) - value) <= value * 1e-9, "rewritten as %r" % text)
                if shown:
                    self.assertEqual(text, shown)
                self.assertEqual(self.program.text(PERIOD), period)
