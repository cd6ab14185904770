# What the test modules share: the program under test, a test case that
# starts it fresh for every test and ends it afterwards, and the helpers.

import unittest

import screen

_session = None
_program = None
_helper = None


def configure(session, program, helper):
    global _session, _program, _helper
    _session, _program, _helper = session, program, helper


def env():
    return dict(_session.env)


class DesktopCase(unittest.TestCase):
    """Each case of a table meets a newly started program, so that no case
    depends on how the one before it ended."""

    def start_program(self, extra_env=None):
        """The program on its chooser, ended at the end of the test (or
        when the next one starts)."""
        if getattr(self, "program", None):
            self.program.end()
        self.program = screen.Program(_program, env(), extra_env)
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

    def drag_source(self, text):
        """Another program's window that text can be dragged out of (its
        source)."""
        helper = screen.Helper(_helper, env(), "drag", text)
        self.addCleanup(helper.end)
        return helper
