# Every field, list and check box of each calculator as a screen reader
# reads it over the accessibility bus: what it is, and what it holds now.

from desktop import DesktopCase
from screen import ROLE_CHECK, ROLE_COMBO, ROLE_TEXT, reading, type_text, wait_for, walk
from test_calculators import (BPM, DBM, DBU, DBV, DELAY_RESULTS, FREQ, NOTE, OHMS, PERIOD, PERIOD2, POWER, PP, RMS,
                              WL2_CM, WL2_FT, WL_CM, WL_FT)

T, L, C = ROLE_TEXT, ROLE_COMBO, ROLE_CHECK


class ScreenReaderReading(DesktopCase):
    maxDiff = None

    def test_every_field_and_list(self):
        cases = [
            ("Level on opening", "Level", "", [
                (T, DBU, ""), (T, DBV, ""), (T, DBM, ""), (T, POWER, ""), (L, "Power unit", "mW"),
                (T, OHMS, "600"), (C, "EXP", "unchecked"), (T, RMS, ""), (L, "Voltage (RMS) unit", "mV"),
                (T, PP, ""), (L, "Voltage (p-p) unit", "mV")]),
            ("Level at 0 dBu", "Level", "0", [
                (T, DBU, "0"), (T, DBV, "-2.2185"), (T, DBM, "0.0000"), (T, POWER, "1.0000"), (L, "Power unit", "mW"),
                (T, OHMS, "600"), (C, "EXP", "unchecked"), (T, RMS, "774.5967"), (L, "Voltage (RMS) unit", "mV"),
                (T, PP, "2.1909"), (L, "Voltage (p-p) unit", "V")]),
            ("Delay at 120 BPM", "Delay", "120",
             [(T, BPM, "120")] + [(T, r, v) for r, v in zip(DELAY_RESULTS, (
                 "2000.0000", "1500.0000", "1000.0000", "500.0000", "250.0000", "125.0000", "62.5000"))]
             + [(C, "Round Values", "unchecked")]),
            ("Wave at 440 Hz", "Wave", "440", [
                (T, FREQ, "440"), (T, NOTE, "A4"), (T, PERIOD, "2.2727"), (T, WL_FT, "2.5598"), (T, WL_CM, "78.0227"),
                (T, WL2_CM, "39.0114"), (T, WL2_FT, "1.2799"), (T, PERIOD2, "1.1364")]),
        ]
        for name, calculator, typed, expected in cases:
            with self.subTest(name):
                program = self.open(calculator)
                if typed:
                    type_text(typed)
                    program.wait_text(expected[0][1], typed)

                def read():
                    return [reading(a) for a in walk(program.top()) if a.getRoleName() in (T, L, C)]
                try:
                    wait_for(lambda: read() == expected, "the screen to read as expected")
                except AssertionError:
                    self.assertEqual(read(), expected)  # shows the difference
