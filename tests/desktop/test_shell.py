# The chooser as a screen reader finds it, and the end of the program when
# the window manager asks the window to close.

import screen
from desktop import DesktopCase
from screen import ROLE_BUTTON, keys


class Chooser(DesktopCase):

    def test_buttons_by_name_from_the_top(self):
        self.start_program()
        buttons = self.program.all(ROLE_BUTTON)
        calculators = [b for b in buttons if b.name in ("Delay", "Wave", "Level")]
        calculators.sort(key=lambda b: screen.extents(b)[1])
        self.assertEqual([b.name for b in calculators], ["Delay", "Wave", "Level"])

    def test_each_button_opens_its_calculator(self):
        self.start_program()
        for name, first_field in [("Delay", "BPM"), ("Wave", "Frequency (Hz)"), ("Level", "dBu (\u00b1200)")]:
            with self.subTest(name):
                self.program.open(name)
                self.assertTrue(screen.focused(self.program.field(first_field)))
                keys("Escape")
                self.program.wait_for_chooser()


class CloseRequest(DesktopCase):
    """The window manager's close request (its close button, Alt+F4) ends
    every run and the program, with exit code 0."""

    def test_close_request_ends_the_program_with_0(self):
        cases = [
            ("on the chooser", None),
            ("while the Level calculator runs", "Level"),
            ("while the Wave calculator runs", "Wave"),
        ]
        for name, calculator in cases:
            with self.subTest(name):
                program = self.start_program()
                if calculator:
                    program.open(calculator)
                program.request_close()
                self.assertEqual(program.wait_exit(), 0)
