# Each calculator's main cases typed with real keys and read back over the
# accessibility bus, as a screen reader reads the fields.

from desktop import DesktopCase
from screen import ROLE_CHECK, click, keys, type_text

DBU, DBV, DBM = "dBu (\u00b1200)", "dBV (\u00b1200)", "dBm (\u00b1200)"
POWER, OHMS, RMS, PP = "Power", "Ohms", "Voltage (RMS)", "Voltage (p-p)"
BPM = "BPM"
FREQ, NOTE = "Frequency (Hz)", "Note (C0, C#0, ..., B9)"
PERIOD, PERIOD2 = "Period (ms)", "Period/2 (ms)"
WL_CM, WL_FT, WL2_CM, WL2_FT = "Wavelength (cm)", "Wavelength (ft)", "Wavelength/2 (cm)", "Wavelength/2 (ft)"
DELAY_RESULTS = ("4/4 Bar", "3/4 Bar", "1/2 Note", "1/4 Note", "1/8 Note", "1/16 Note", "1/32 Note")


def delay(*values):
    return dict(zip(DELAY_RESULTS, values))


class TypedCases(DesktopCase):
    DESKTOPS = ("bare", "openbox", "sway")

    def run_cases(self, calculator, cases):
        """cases: (name, steps, expected field texts, expected list units).
        A step is (field name, keys to type) or (None, key names to press)."""
        for name, steps, texts, units in cases:
            with self.subTest(name):
                self.open(calculator)
                for field, what in steps:
                    if field is None:
                        keys(*what)
                    else:
                        click(self.program.field(field))
                        keys("ctrl+a")
                        type_text(what)
                self.program.wait_texts(texts)
                for purpose, unit in units.items():
                    self.assertEqual(self.program.list(purpose).name, unit, purpose)

    def test_level(self):
        self.run_cases("Level", [
            ("0 dBu at 600 ohms", [(DBU, "0")],
             {DBV: "-2.2185", DBM: "0.0000", POWER: "1.0000", RMS: "774.5967", PP: "2.1909", OHMS: "600"},
             {}),
            ("0 dBV", [(DBV, "0")],
             {DBU: "2.2185", DBM: "2.2185", POWER: "1.6667", RMS: "1.0000", PP: "2.8284"}, {}),
            ("1000 mV RMS is 1 V", [(RMS, "1000")],
             {DBV: "0.0000", DBU: "2.2185", POWER: "1.6667", PP: "2.8284"}, {}),
            ("0 dBu, then 8 ohms: dBm and power follow, the voltages stay", [(DBU, "0"), (OHMS, "8")],
             {DBU: "0.0000", DBM: "18.7506", POWER: "75.0000", RMS: "774.5967", PP: "2.1909"}, {}),
            ("-200 dBm, the lowest level", [(DBM, "-200")],
             {DBU: "-200.0000", POWER: "0.0000"}, {}),
            ("a key past 200 dBu is refused", [(DBU, "2001")],
             {DBU: "200", DBM: "200.0000"}, {}),
        ])

    def test_delay(self):
        self.run_cases("Delay", [
            ("120 BPM", [(BPM, "120")],
             delay("2000.0000", "1500.0000", "1000.0000", "500.0000", "250.0000", "125.0000", "62.5000"), {}),
            ("90 BPM", [(BPM, "90")],
             delay("2666.6667", "2000.0000", "1333.3333", "666.6667", "333.3333", "166.6667", "83.3333"), {}),
            ("a letter is refused", [(BPM, "12x0")], dict(delay("2000.0000"), **{BPM: "120"}), {}),
        ])

    def test_delay_round_values(self):
        self.open("Delay")
        type_text("90")
        click(self.program.find(ROLE_CHECK, "Round Values"))
        self.program.wait_texts(delay("2667", "2000", "1333", "667", "333", "167", "83"))

    def test_wave(self):
        self.run_cases("Wave", [
            ("440 Hz is A4", [(FREQ, "440")],
             {PERIOD: "2.2727", PERIOD2: "1.1364", WL_CM: "78.0227", WL_FT: "2.5598", WL2_CM: "39.0114",
              WL2_FT: "1.2799", NOTE: "A4"}, {}),
            ("1000 Hz is no note", [(FREQ, "1000")],
             {PERIOD: "1.0000", WL_CM: "34.3300", WL2_FT: "0.5632", NOTE: ""}, {}),
            ("the note C4 gives its frequency", [(NOTE, "C4")], {FREQ: "261.63", PERIOD: "3.8222"}, {}),
            ("a note cut short empties the rest", [(NOTE, "A4"), (None, ["BackSpace"])],
             {NOTE: "A", FREQ: "", PERIOD: ""}, {}),
        ])
