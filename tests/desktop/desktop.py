# What the test modules share: the program under test, a test case that
# starts it fresh for every test and ends it afterwards, and the helpers.

import os
import unittest

import screen

_session = None
_program = None
_helper = None
_wayland_client = None
_destdir = None


def configure(session, program, helper, wayland_client, destdir=None):
    global _session, _program, _helper, _wayland_client, _destdir
    _session, _program, _helper, _wayland_client, _destdir = session, program, helper, wayland_client, destdir
    screen.use_pointer(session.pointer)


def env():
    return dict(_session.env)


def program_path():
    return _program


def wayland_client():
    return _wayland_client


def installed(path):
    """A path of the installed tree (under its prefix, /usr), when the suite
    runs on an install."""
    assert _destdir, "the suite runs on the program as built, not installed"
    return os.path.join(_destdir, "usr", path)


class DesktopCase(unittest.TestCase):
    """Each case of a table meets a newly started program, so that no case
    depends on how the one before it ended. A class runs on the desktops it
    names; by default the X ones."""

    DESKTOPS = ("bare", "openbox")

    def start_program(self, extra_env=None, stderr=None, path=None, chooser_button="Level"):
        """The program on its chooser, ended at the end of the test (or
        when the next one starts)."""
        if getattr(self, "program", None):
            self.program.end()
        self.program = screen.Program(path or _program, env(), extra_env, stderr, chooser_button)
        self.addCleanup(self.program.end)
        return self.program

    def open(self, calculator, extra_env=None):
        """A newly started program with a calculator open."""
        program = self.start_program(extra_env)
        program.open(calculator)
        return program

    def clipboard(self, text):
        """Puts text on the clipboard from another program."""
        helper = screen.Helper(_helper, env(), "clipboard", text)
        self.addCleanup(helper.end)
        return helper

    def drag_source(self, text, offers_move=False):
        """Another program's window that text can be dragged out of (its
        source), offering to copy it, or also to move it as editors do."""
        helper = screen.Helper(_helper, env(), "drag-move" if offers_move else "drag", text)
        self.addCleanup(helper.end)
        return helper
