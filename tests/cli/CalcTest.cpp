// sonavolta-calc's commands against the engines and the dialogs' way of
// showing their numbers (same inputs, same text, same double to the last
// bit), and its extras against textbook values.

#include "cli/Commands.h"
#include "cli/Numbers.h"
#include "cli/Output.h"

#include "calc/delay/DelayModel.h"
#include "calc/level/LevelModel.h"
#include "calc/wave/WaveModel.h"
#include "framework/Text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>
#include <string>
#include <vector>

using namespace cli;

namespace {

// The text a dialog's field shows for a number: FormatFixed with '.' as the
// decimal point.
std::string DialogFixed(double value, int precision = 4) { return FormatFixedC(value, precision).toStdString(); }
std::string DialogExponent(double value) { return FormatExponentC(value).toStdString(); }

const Field& Get(const Record& record, const std::string& key)
{
    for (const Field& f : record.fields)
        if (key == f.key)
            return f;
    ADD_FAILURE() << "no field " << key;
    static const Field none {"", "", Form::Missing, 0.0, 4, {}, ""};
    return none;
}

std::string Shown(const Record& record, const std::string& key) { return TableNumber(Get(record, key), Style {}); }

Record Answer(const Options& options, std::string_view input)
{
    Record record;
    const auto failure = Compute(options, input, record);
    EXPECT_FALSE(failure) << input << ": " << (failure ? failure->message : "");
    return record;
}

Options For(Command command)
{
    Options o;
    o.command = command;
    return o;
}

// The options of a command line, as the program parses them.
Options Parsed(std::vector<std::string> args)
{
    std::vector<const char*> argv {"sonavolta-calc"};
    for (const std::string& a : args)
        argv.push_back(a.c_str());
    auto parsed = ParseOptions(int(argv.size()), argv.data());
    if (auto* failure = std::get_if<Failure>(&parsed)) {
        ADD_FAILURE() << failure->message;
        return Options {};
    }
    return std::get<Options>(parsed);
}

// A command line's answer to its own input.
Record Answer(const std::vector<std::string>& args)
{
    const Options o = Parsed(args);
    return Answer(o, o.input);
}

// Textbook values of a command line: the key's number within the tolerance,
// and the table's text unless nullptr.
struct Expected {
    std::vector<std::string> args;
    const char* key;
    double value;
    double tolerance;
    const char* shown;
};

void Check(const Expected& c)
{
    std::string line;
    for (const std::string& a : c.args)
        line += a + ' ';
    SCOPED_TRACE(line + c.key);
    const Record r = Answer(c.args);
    EXPECT_NEAR(Get(r, c.key).value, c.value, c.tolerance);
    if (c.shown) {
        EXPECT_EQ(Shown(r, c.key), c.shown);
    }
}

// ---------------------------------------------------------------- Level

struct LevelCase {
    LevelInput input;
    const char* text;  // as given on the command line
    double number;     // as typed into the dialog's field
    int unit;          // the unit the field's list shows while typing
    double ohms;
};

// What the Level dialog shows after the number was typed into the field of
// the quantity (its unit chosen first) at the impedance: the engine's values
// through the dialog's formatters.
struct DialogLevel {
    std::string dbu, dbv, dbm, power, powerUnit, vrms, vrmsUnit, vpp, vppUnit;
    CLevelModel model;
};

DialogLevel TypeIntoLevelDialog(const LevelCase& c, bool exp)
{
    DialogLevel d;
    CLevelModel& m = d.model;
    // The dialog's opening state.
    m.m_nPowerUnit = CLevelModel::MilliWatt;
    m.m_nVrmsUnit = CLevelModel::MilliVolt;
    m.m_nVppUnit = CLevelModel::MilliVolt;
    m.m_dOhms = c.ohms;
    switch (c.input) {
    case LevelInput::DBu:
        m.m_nEntered = CLevelModel::EnteredDBu;
        m.m_dBu = c.number;
        break;
    case LevelInput::DBV:
        m.m_nEntered = CLevelModel::EnteredDBV;
        m.m_dBV = c.number;
        break;
    case LevelInput::DBm:
        m.m_nEntered = CLevelModel::EnteredDBm;
        m.m_dBm = c.number;
        break;
    case LevelInput::Power:
        m.m_nEntered = CLevelModel::EnteredPower;
        m.m_nPowerUnit = c.unit;
        m.SetPower(c.number);
        break;
    case LevelInput::Vrms:
        m.m_nEntered = CLevelModel::EnteredVrms;
        m.m_nVrmsUnit = c.unit;
        m.SetVrms(c.number);
        break;
    default: break;  // no field of the dialog
    }
    m.Calculate();
    // The field being typed into shows the typed number once left.
    d.dbu = DialogFixed(m.m_dBu);
    d.dbv = DialogFixed(m.m_dBV);
    d.dbm = DialogFixed(m.m_dBm);
    const double power = c.input == LevelInput::Power ? c.number : m.GetPower();
    d.power = exp ? DialogExponent(power) : DialogFixed(power);
    d.powerUnit = CLevelModel::kPowerUnitLabels[m.m_nPowerUnit];
    d.vrms = DialogFixed(c.input == LevelInput::Vrms ? c.number : m.GetVrms());
    d.vrmsUnit = CLevelModel::kVoltageUnitLabels[m.m_nVrmsUnit];
    d.vpp = DialogFixed(m.GetVpp());
    d.vppUnit = CLevelModel::kVoltageUnitLabels[m.m_nVppUnit];
    return d;
}

bool ShowsAsZero(const std::string& text) { return text.find_first_of("123456789") == std::string::npos; }

// The dialog's text, where its four decimals show the number; where they hide
// it, an entered number reads back as typed and another one that is not zero
// shows its leading digits.
void ExpectDialogText(const std::string& shown, const std::string& dialog, double value, bool entered)
{
    const bool hidden = entered ? ParseNumber(dialog) != value : value != 0.0 && ShowsAsZero(dialog);
    if (!hidden) {
        EXPECT_EQ(shown, dialog);
    } else if (entered) {
        EXPECT_EQ(ParseNumber(shown), value) << shown;
    } else {
        ASSERT_TRUE(ParseNumber(shown)) << shown;
        EXPECT_NEAR(*ParseNumber(shown), value, std::fabs(value) * 1e-4) << shown;
    }
}

TEST(CalcLevel, ShowsWhatTheLevelDialogShows)
{
    const LevelCase cases[] = {
        {LevelInput::DBu, "0", 0.0, 0, 600},
        {LevelInput::DBu, "4", 4.0, 0, 600},
        {LevelInput::DBu, "-200", -200.0, 0, 600},
        {LevelInput::DBu, "200", 200.0, 0, 600},
        {LevelInput::DBV, "0", 0.0, 0, 600},
        {LevelInput::DBV, "80", 80.0, 0, 600},
        {LevelInput::DBV, "-60", -60.0, 0, 600},
        {LevelInput::DBV, "-10.123456", -10.123456, 0, 150},
        {LevelInput::DBm, "30", 30.0, 0, 8},
        {LevelInput::DBm, "-10", -10.0, 0, 10000},
        {LevelInput::Power, "1mW", 1.0, CLevelModel::MilliWatt, 600},
        {LevelInput::Power, "1W", 1.0, CLevelModel::Watt, 600},
        {LevelInput::Power, "3.5kW", 3.5, CLevelModel::KiloWatt, 8},
        {LevelInput::Power, "250uW", 250.0, CLevelModel::MicroWatt, 600},
        {LevelInput::Power, "7nW", 7.0, CLevelModel::NanoWatt, 16},
        {LevelInput::Vrms, "775mV", 775.0, CLevelModel::MilliVolt, 600},
        {LevelInput::Vrms, "1000mV", 1000.0, CLevelModel::MilliVolt, 600},
        {LevelInput::Vrms, "2", 2.0, CLevelModel::Volt, 600},
        {LevelInput::Vrms, "9999V", 9999.0, CLevelModel::Volt, 600},  // p-p in kV, RMS stays in V
        {LevelInput::Vrms, "1.5MV", 1.5, CLevelModel::MegaVolt, 75},
    };
    for (bool exp : {false, true}) {
        for (const LevelCase& c : cases) {
            SCOPED_TRACE(std::string(c.text) + " at " + std::to_string(c.ohms) + (exp ? " exp" : ""));
            Options o = For(Command::Level);
            o.levelInput = c.input;
            o.ohms = c.ohms;
            o.exp = exp;
            const Record r = Answer(o, c.text);
            const DialogLevel d = TypeIntoLevelDialog(c, exp);
            ASSERT_FALSE(d.model.m_bUndefined);
            const auto entered = [&](LevelInput input) { return c.input == input; };
            ExpectDialogText(Shown(r, "dbu"), d.dbu, entered(LevelInput::DBu) ? c.number : d.model.m_dBu,
                             entered(LevelInput::DBu));
            ExpectDialogText(Shown(r, "dbv"), d.dbv, entered(LevelInput::DBV) ? c.number : d.model.m_dBV,
                             entered(LevelInput::DBV));
            ExpectDialogText(Shown(r, "dbm"), d.dbm, entered(LevelInput::DBm) ? c.number : d.model.m_dBm,
                             entered(LevelInput::DBm));
            if (!exp)
                ExpectDialogText(Shown(r, "power"), d.power, entered(LevelInput::Power) ? c.number : d.model.GetPower(),
                                 entered(LevelInput::Power));
            else
                EXPECT_EQ(Shown(r, "power"), d.power);
            EXPECT_EQ(Get(r, "power_unit").text, d.powerUnit);
            ExpectDialogText(Shown(r, "vrms"), d.vrms, entered(LevelInput::Vrms) ? c.number : d.model.GetVrms(),
                             entered(LevelInput::Vrms));
            EXPECT_EQ(Get(r, "vrms_unit").text, d.vrmsUnit);
            ExpectDialogText(Shown(r, "vpp"), d.vpp, d.model.GetVpp(), false);
            EXPECT_EQ(Get(r, "vpp_unit").text, d.vppUnit);
            // The numbers for programs are the engine's doubles themselves.
            EXPECT_EQ(Get(r, "dbu").value, d.model.m_dBu);
            EXPECT_EQ(Get(r, "dbv").value, d.model.m_dBV);
            EXPECT_EQ(Get(r, "dbm").value, d.model.m_dBm);
            EXPECT_EQ(Get(r, "vpp").value, d.model.GetVpp());
            EXPECT_EQ(Get(r, "ohms").value, c.ohms);

            o.si = true;
            const Record si = Answer(o, c.text);
            EXPECT_EQ(Get(si, "power_w").value, d.model.m_dPower);
            EXPECT_EQ(Get(si, "vrms_v").value, d.model.m_dVrms);
            EXPECT_EQ(Get(si, "vpp_v").value, d.model.m_dVpp);
        }
    }
}

TEST(CalcLevel, TextbookLevels)
{
    Options o = For(Command::Level);
    o.levelInput = LevelInput::DBu;
    Record r = Answer(o, "0");
    EXPECT_EQ(Shown(r, "vrms"), "774.5967");  // 0 dBu = 0.7746 V
    EXPECT_EQ(Get(r, "vrms_unit").text, "mV");
    EXPECT_EQ(Shown(r, "dbm"), "0.0000");  // 1 mW into 600 ohms
    EXPECT_EQ(Shown(r, "power"), "1.0000");
    EXPECT_EQ(Shown(r, "dbv"), "-2.2185");

    o.levelInput = LevelInput::DBm;
    o.ohms = 8;
    r = Answer(o, "30");  // 1 W into 8 ohms: sqrt(8) V RMS, 8 V peak to peak
    EXPECT_NEAR(Get(r, "vrms").value, std::sqrt(8.0), 1e-12);
    EXPECT_EQ(Shown(r, "vpp"), "8.0000");
    EXPECT_EQ(Get(r, "vpp_unit").text, "V");

    // The dialog takes no peak-to-peak voltage; the command does.
    o = For(Command::Level);
    o.levelInput = LevelInput::Vpp;
    o.ohms = 8;
    r = Answer(o, "8V");  // back to 1 W into 8 ohms
    EXPECT_EQ(Shown(r, "vrms"), "2.8284");
    EXPECT_EQ(Get(r, "vrms_unit").text, "V");
    EXPECT_EQ(Shown(r, "power"), "1.0000");
    EXPECT_EQ(Get(r, "power_unit").text, "W");
    EXPECT_EQ(Shown(r, "dbm"), "30.0000");
    EXPECT_EQ(Shown(r, "vpp"), "8.0000");
}

TEST(CalcLevel, NewQuantitiesAgainstTextbookValues)
{
    const Expected cases[] = {
        // +4 dBu: 1.2277 V RMS, 1.7362 V peak.
        {{"level", "--dbu", "4"}, "vpeak", 1.7362, 0.00005, "1.7362"},
        {{"level", "--dbu", "4", "--si"}, "vpeak_v", 1.7362, 0.00005, nullptr},
        {{"level", "--dbu", "4"}, "dbw", -26.0, 1e-9, "-26.0000"},
        // 1 W is 0 dBW and 30 dBm; 1 V is 0 dBV, 60 dBmV, 120 dBuV.
        {{"level", "--power", "1W"}, "dbw", 0.0, 1e-12, "0.0000"},
        {{"level", "--dbw", "0", "--si"}, "power_w", 1.0, 1e-12, nullptr},
        {{"level", "--dbw", "0"}, "dbm", 30.0, 1e-12, "30.0000"},
        {{"level", "--dbv", "0"}, "dbmv", 60.0, 1e-12, "60.0000"},
        {{"level", "--dbv", "0"}, "dbuv", 120.0, 1e-12, "120.0000"},
        {{"level", "--dbmv", "0", "--si"}, "vrms_v", 0.001, 1e-15, nullptr},
        {{"level", "--dbuv", "120", "--si"}, "vrms_v", 1.0, 1e-12, nullptr},
        {{"level", "--dbuv", "0"}, "dbv", -120.0, 1e-12, "-120.0000"},
        // A peak voltage of 1.4142 V is 1 V RMS, 2.8284 V peak to peak.
        {{"level", "--vpeak", "1.41421356237", "--si"}, "vrms_v", 1.0, 1e-11, nullptr},
        {{"level", "--vpeak", "10V", "--si"}, "vpp_v", 20.0, 1e-12, nullptr},
        {{"level", "--vpeak", "10V"}, "vpeak", 10.0, 0.0, "10.0000"},
        // Studio alignments: -18 dBFS = 0 dBu, -20 dBFS = +4 dBu.
        {{"level", "--dbu", "0", "--dbfs-ref", "-18:0dBu"}, "dbfs", -18.0, 1e-12, "-18.00"},
        {{"level", "--dbu", "4", "--dbfs-ref", "-18:0dBu"}, "dbfs", -14.0, 1e-12, "-14.00"},
        {{"level", "--dbu", "24", "--dbfs-ref=-20:+4dBu"}, "dbfs", 0.0, 1e-12, "0.00"},
        {{"level", "--dbv", "-10", "--dbfs-ref", "-18:-10dBV"}, "dbfs", -18.0, 1e-12, "-18.00"},
    };
    for (const Expected& c : cases)
        Check(c);
}

// The quantities people type, in the spellings they type them.
TEST(CalcLevel, UnitSpellings)
{
    const std::pair<const char*, double> volts[] = {
        {"4uV", 4e-6},     {"4\u00b5V", 4e-6}, {"4\u03bcV", 4e-6}, {"4 \u00b5V", 4e-6}, {"4000nV", 4e-6},
        {"0.004mV", 4e-6}, {" 4V ", 4.0},      {"775mV", 0.775},   {"1.5kV", 1500.0},
    };
    for (const auto& [text, expected] : volts) {
        SCOPED_TRACE(text);
        const Record r = Answer({"level", "--vrms", text, "--si"});
        EXPECT_NEAR(Get(r, "vrms_v").value, expected, expected * 1e-15);
    }
    // Typed below the engine's units, a voltage keeps its unit in the table.
    Record r = Answer({"level", "--vrms", "4uV"});
    EXPECT_EQ(Shown(r, "vrms"), "4.0000");
    EXPECT_EQ(Get(r, "vrms_unit").text, "\u00b5V");
    r = Answer({"level", "--power", "3\u03bcW", "--si"});
    EXPECT_EQ(Get(r, "power_w").value, 3e-6);
    EXPECT_EQ(Get(r, "power_unit").text, "\u00b5W");
}

// ---------------------------------------------------------------- Delay

TEST(CalcDelay, SamplesAndTempoFromALength)
{
    const Expected cases[] = {
        // 120 BPM: a beat of 500 ms, 24000 samples at 48 kHz, 22050 at 44.1 kHz.
        {{"delay", "120", "--rate", "48000"}, "note_1_4_samples", 24000.0, 0.0, "24000"},
        {{"delay", "120", "--rate", "48000"}, "bar_4_4_samples", 96000.0, 0.0, "96000"},
        {{"delay", "120", "--rate", "48000"}, "triplet_1_8_samples", 8000.0, 1e-9, nullptr},
        {{"delay", "120", "--rate", "44100"}, "note_1_4_samples", 22050.0, 0.0, "22050"},
        {{"delay", "120", "--rate", "44100"}, "dotted_1_16_samples", 8268.75, 0.0, "8268.7500"},
        {{"delay", "120", "--rate", "44100", "--round"}, "dotted_1_16_samples", 8268.75, 0.0, "8269"},
        {{"delay", "120", "--rate", "96000"}, "note_1_8_samples", 24000.0, 0.0, "24000"},
        {{"delay", "120", "--rate", "192000"}, "note_1_128_samples", 3000.0, 0.0, "3000"},
        {{"delay", "120", "--rate", "88200"}, "note_1_2_samples", 88200.0, 0.0, "88200"},
        // A beat of 500 ms is 120 BPM; of 24000 samples at 48 kHz too.
        {{"delay", "--ms", "500"}, "bpm", 120.0, 0.0, "120"},
        {{"delay", "--ms", "500"}, "note_1_4_ms", 500.0, 0.0, "500.0000"},
        {{"delay", "--ms", "1000"}, "bpm", 60.0, 0.0, "60"},
        {{"delay", "--ms", "333"}, "bpm", 180.18018, 0.000005, "180.1802"},
        {{"delay", "--samples", "24000", "--rate", "48000"}, "bpm", 120.0, 0.0, "120"},
        {{"delay", "--samples", "22050", "--rate", "44100"}, "note_1_8_ms", 250.0, 0.0, "250.0000"},
        // The tempo as typed.
        {{"delay", "93.7"}, "bpm", 93.7, 0.0, "93.7"},
        {{"delay", "999.9999"}, "bpm", 999.9999, 0.0, "999.9999"},
    };
    for (const Expected& c : cases)
        Check(c);
}

TEST(CalcDelay, ShowsWhatTheDelayDialogShows)
{
    for (double bpm : {1.0, 7.0, 60.0, 93.7, 120.0, 133.3333, 999.9999, 1000.0}) {
        const std::string text = FormatExact(bpm);
        SCOPED_TRACE(text);
        CDelayModel m;
        m.SetBpm(bpm);
        const std::map<std::string, double> shown = {{"bar_4_4_ms", m.m_bar44},         {"bar_3_4_ms", m.m_bar34},
                                                     {"note_1_2_ms", m.m_half},         {"note_1_4_ms", m.m_quarter},
                                                     {"note_1_8_ms", m.m_eighth},       {"note_1_16_ms", m.m_sixteenth},
                                                     {"note_1_32_ms", m.m_thirtySecond}};
        for (bool round : {false, true}) {
            Options o = For(Command::Delay);
            o.round = round;
            const Record r = Answer(o, text);
            EXPECT_EQ(Shown(r, "bpm"), text);  // the tempo as typed
            for (const auto& [key, length] : shown) {
                SCOPED_TRACE(key);
                EXPECT_EQ(Shown(r, key), round ? std::to_string(int(length + 0.5)) : DialogFixed(length));
                EXPECT_EQ(Get(r, key).value, length);
            }
        }
    }
}

struct Textbook {
    const char* key;
    double expected;
    double tolerance;
    const char* shown;  // nullptr: not checked
};

TEST(CalcDelay, TextbookValuesAt120Bpm)
{
    const Textbook cases[] = {
        {"note_1_4_ms", 500.0, 0.0, "500.0000"},      {"note_1_4_hz", 2.0, 0.0, "2.0000"},
        {"dotted_1_8_ms", 375.0, 0.0, "375.0000"},    {"triplet_1_8_ms", 166.667, 0.0005, "166.6667"},
        {"triplet_1_8_hz", 6.0, 1e-12, "6.0000"},     {"note_1_1_ms", 2000.0, 0.0, "2000.0000"},
        {"dotted_1_2_ms", 1500.0, 0.0, nullptr},      {"triplet_1_4_ms", 333.333, 0.0005, "333.3333"},
        {"note_1_64_ms", 31.25, 0.0, "31.2500"},      {"note_1_128_ms", 15.625, 0.0, "15.6250"},
        {"dotted_1_128_ms", 23.4375, 0.0, "23.4375"}, {"note_1_128_hz", 64.0, 0.0, "64.0000"},
        {"bar_3_4_hz", 0.6667, 0.00005, "0.6667"},
    };
    const Record r = Answer(For(Command::Delay), "120");
    for (const Textbook& c : cases) {
        SCOPED_TRACE(c.key);
        EXPECT_NEAR(Get(r, c.key).value, c.expected, c.tolerance);
        if (c.shown) {
            EXPECT_EQ(Shown(r, c.key), c.shown);
        }
    }
    // Rounded as the dialog rounds: half a millisecond up.
    Options o = For(Command::Delay);
    o.round = true;
    const Record rounded = Answer(o, "120");
    EXPECT_EQ(Shown(rounded, "note_1_32_ms"), "63");  // 62.5
    EXPECT_EQ(Shown(rounded, "triplet_1_8_ms"), "167");
    EXPECT_EQ(Shown(rounded, "note_1_4_hz"), "2.0000");  // rates keep their decimals
}

// ---------------------------------------------------------------- Wave

TEST(CalcWave, ShowsWhatTheWaveDialogShows)
{
    CWaveModel m;
    for (double hz : {0.0001, 0.5, 1.0, 27.5, 261.63, 440.0, 1000.0, 12345.678, 99999.99, 100000.0}) {
        const std::string text = FormatExact(hz);
        SCOPED_TRACE(text);
        m.m_frequency = hz;
        m.Compute();
        const Record r = Answer(For(Command::Wave), text);
        // As typed, with at least the dialog's two decimals.
        ExpectDialogText(Shown(r, "frequency_hz"), DialogFixed(hz, 2), hz, true);
        const std::pair<const char*, double> shown[] = {{"period_ms", m.m_periodMs},
                                                        {"wavelength_cm", m.m_wavelengthCm},
                                                        {"wavelength_ft", m.m_wavelengthFt},
                                                        {"half_period_ms", m.m_halfPeriodMs},
                                                        {"half_wavelength_cm", m.m_halfWavelengthCm},
                                                        {"half_wavelength_ft", m.m_halfWavelengthFt}};
        for (const auto& [key, value] : shown) {
            SCOPED_TRACE(key);
            EXPECT_EQ(Shown(r, key), DialogFixed(value));
            EXPECT_EQ(Get(r, key).value, value);
        }
        EXPECT_EQ(Get(r, "wavelength_m").value, m.m_wavelengthCm / 100.0);
    }
}

TEST(CalcWave, TextbookValues)
{
    struct Case {
        const char* input;
        double a4;
        double celsius;  // NaN: none given
        const char* key;
        double expected;
        double tolerance;
        const char* shown;
    };
    const double none = std::nan("");
    const Case cases[] = {
        {"C5", 442, none, "frequency_hz", 442 * std::pow(2.0, 3.0 / 12.0), 1e-9, "525.63"},  // 525.6 Hz
        {"C5", 442, none, "cents", 0.0, 0.0, "0.0"},
        {"A4", 432, none, "frequency_hz", 432.0, 0.0, "432.00"},
        {"c4", 440, none, "frequency_hz", 261.6255653005986, 1e-9, "261.63"},
        {"A0", 440, none, "frequency_hz", 27.5, 0.0, "27.50"},
        {"445", 440, none, "cents", 19.56, 0.005, "+19.6"},
        {"445", 440, none, "note_hz", 440.0, 0.0, "440.00"},
        {"435", 440, none, "cents", -19.79, 0.005, "-19.8"},
        {"16", 440, none, "cents", -37.63, 0.005, "-37.6"},  // just above the lowest name, C0
        {"1000", 440, 20.0, "speed_of_sound_m_s", 343.2, 0.05, "343.2"},
        {"1000", 440, 20.0, "wavelength_m", 0.3432, 0.00005, "0.3432"},
        {"1000", 440, 0.0, "speed_of_sound_m_s", 331.3, 0.0, "331.3"},
        {"1000", 440, none, "speed_of_sound_m_s", 343.3, 0.0, "343.3"},
        {"1000", 440, none, "period_ms", 1.0, 0.0, "1.0000"},
        {"1000", 440, none, "wavelength_cm", 34.33, 1e-12, "34.3300"},
        {"1000", 440, none, "half_wavelength_ft", 34.33 / 30.48 / 2, 1e-12, "0.5632"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.input) + " " + c.key);
        Options o = For(Command::Wave);
        o.a4 = c.a4;
        o.hasTemperature = !std::isnan(c.celsius);
        o.temperature = o.hasTemperature ? c.celsius : 0.0;
        const Record r = Answer(o, c.input);
        EXPECT_NEAR(Get(r, c.key).value, c.expected, c.tolerance);
        EXPECT_EQ(Shown(r, c.key), c.shown);
    }
}

TEST(CalcWave, NearestNoteNamesAndTheirLimits)
{
    const std::pair<const char*, const char*> cases[] = {
        {"440", "A4"},
        {"445", "A4"},
        {"452.8", "A4"},  // 49.6 cents above A4
        {"453", "A#4"},   // 50.4 cents above A4
        {"16.0", "C0"},
        {"15804", "B9"},
        {"261.63", "C4"},
        {"c#4", "C#4"},
        // Past the pitch table, to the ends of the MIDI notes and of hearing.
        {"15", "B-1"},
        {"8.2", "C-1"},
        {"17000", "C10"},
        {"20000", "D#10"},
        {"31608", "B10"},
    };
    for (const auto& [input, note] : cases) {
        SCOPED_TRACE(input);
        const Record r = Answer(For(Command::Wave), input);
        EXPECT_EQ(Get(r, "note").text, note);
    }
    // Beyond C-1 to B10 there is no note to name.
    for (const char* input : {"0.0001", "7.9", "32600", "100000"}) {
        SCOPED_TRACE(input);
        const Record r = Answer(For(Command::Wave), input);
        EXPECT_EQ(Get(r, "note").form, Form::Missing);
        EXPECT_EQ(Get(r, "cents").form, Form::Missing);
    }
}

// The note names musicians write, MIDI note numbers both ways, and
// frequencies with their unit.
TEST(CalcWave, NoteAndFrequencySpellings)
{
    const std::pair<const char*, const char*> names[] = {
        {"Db4", "C#4"},   {"Bb3", "A#3"}, {"bb3", "A#3"},      {"B#3", "C4"},       {"Cb4", "B3"},
        {"E#4", "F4"},    {"Fb4", "E4"},  {"C\u266f4", "C#4"}, {"E\u266d2", "D#2"}, {"C-1", "C-1"},
        {"c#-1", "C#-1"}, {"B10", "B10"}, {"G9", "G9"},
    };
    for (const auto& [input, name] : names) {
        SCOPED_TRACE(input);
        const Record r = Answer(For(Command::Wave), input);
        EXPECT_EQ(Get(r, "note").text, name);
        EXPECT_EQ(Get(r, "frequency_hz").value, Get(Answer(For(Command::Wave), name), "frequency_hz").value);
        EXPECT_EQ(Get(r, "cents").value, 0.0);
    }
    const Expected cases[] = {
        {{"wave", "C-1"}, "midi", 0.0, 0.0, "0"},
        {{"wave", "C-1"}, "frequency_hz", 8.1758, 0.00005, "8.18"},
        {{"wave", "A4"}, "midi", 69.0, 0.0, "69"},
        {{"wave", "G9"}, "midi", 127.0, 0.0, "127"},
        {{"wave", "--midi", "69"}, "frequency_hz", 440.0, 0.0, "440.00"},
        {{"wave", "-m", "60"}, "frequency_hz", 261.6256, 0.00005, "261.63"},
        {{"wave", "--midi", "0"}, "frequency_hz", 8.1758, 0.00005, "8.18"},
        {{"wave", "--midi", "127"}, "frequency_hz", 12543.85, 0.005, "12543.85"},
        {{"wave", "12543.85"}, "midi", 127.0, 0.0, "127"},
        {{"wave", "440Hz"}, "frequency_hz", 440.0, 0.0, "440.00"},
        {{"wave", "440 hz"}, "frequency_hz", 440.0, 0.0, "440.00"},
        {{"wave", "1kHz"}, "frequency_hz", 1000.0, 0.0, "1000.00"},
        {{"wave", "1.5 kHz"}, "frequency_hz", 1500.0, 0.0, "1500.00"},
        {{"wave", " 440 "}, "frequency_hz", 440.0, 0.0, "440.00"},
        {{"wave", "1kHz"}, "period_ms", 1.0, 0.0, "1.0000"},
    };
    for (const Expected& c : cases)
        Check(c);

    // Sharps unless flats are asked for.
    EXPECT_EQ(Get(Answer({"wave", "466.16"}), "note").text, "A#4");
    EXPECT_EQ(Get(Answer({"wave", "466.16", "--flats"}), "note").text, "Bb4");
    EXPECT_EQ(Get(Answer({"wave", "Db-1", "-f"}), "note").text, "Db-1");
    // Named notes past MIDI 127 have no number.
    for (const char* input : {"13000", "20000", "B10"}) {
        SCOPED_TRACE(input);
        const Record r = Answer(For(Command::Wave), input);
        EXPECT_EQ(Get(r, "note").form, Form::Text);
        EXPECT_EQ(Get(r, "midi").form, Form::Missing);
    }
    // Not a note: out of range, or no name.
    for (const char* input : {"Cb-1", "C#10x", "B11", "H4", "C--1", "Cbb4", "C#", "440 mHz"}) {
        Record r;
        EXPECT_TRUE(Compute(For(Command::Wave), input, r)) << input;
    }
    Options midi = For(Command::Wave);
    midi.midi = true;
    for (const char* input : {"128", "-1", "69.5", "A4"}) {
        Record r;
        EXPECT_TRUE(Compute(midi, input, r)) << input;
    }
}

// At A4 = 440 every name and frequency of the shipped pitch table is the
// command's to the table's two decimals, both ways.
TEST(CalcWave, AgreesWithThePitchTableAt440)
{
    std::ifstream table(SONAVOLTA_PITCH_TABLE);
    ASSERT_TRUE(table) << SONAVOLTA_PITCH_TABLE;
    std::string line;
    int lines = 0;
    while (std::getline(table, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::string number = line.substr(0, line.find(';'));
        const std::string name = line.substr(line.find(';') + 1);
        SCOPED_TRACE(line);
        const Record byName = Answer(For(Command::Wave), name);
        EXPECT_EQ(Shown(byName, "frequency_hz"), number);
        const Record byFrequency = Answer(For(Command::Wave), number);
        EXPECT_EQ(Get(byFrequency, "note").text, name);
        ++lines;
    }
    EXPECT_EQ(lines, kNoteCount);
}

// ---------------------------------------------------------------- Numbers

TEST(CalcNumbers, ReadsOnlyWholeNumbers)
{
    const std::pair<const char*, double> good[] = {{"120", 120.0}, {"+1.5", 1.5},   {"-0.25", -0.25},  {".5", 0.5},
                                                   {"5.", 5.0},    {"1e3", 1000.0}, {"2.5E-3", 0.0025}};
    for (const auto& [text, value] : good)
        EXPECT_EQ(ParseNumber(text), value) << text;
    for (const char* text : {"", "-", ".", "1.2.3", "1e", "12abc", " 1", "1 ", "inf", "nan", "0x10", "1,5", "e5"})
        EXPECT_FALSE(ParseNumber(text)) << text;
    // The user's decimal separator, where it is a comma, reads as the point.
    EXPECT_EQ(ParseNumber("1,5", ","), 1.5);
    EXPECT_FALSE(ParseNumber("1,5,0", ","));
    // Too large for a double: infinite, which every range refuses; too small: 0.
    EXPECT_EQ(ParseNumber("1e999"), HUGE_VAL);
    EXPECT_EQ(ParseNumber("1e-999"), 0.0);
}

// Extreme inputs: no number that is not zero shows as zero, and no zero
// shows with a minus sign.
TEST(CalcNumbers, NoNonZeroShownAsZeroAndNoNegativeZero)
{
    const Expected cases[] = {
        {{"level", "--vrms", "0.00001"}, "vrms", 0.00001, 0.0, "0.00001"},
        {{"level", "--dbu", "-200"}, "power", 1e-14, 1e-20, "1e-14"},
        {{"level", "--dbu", "-200"}, "vrms", 7.746e-8, 1e-11, "7.746e-08"},
        {{"level", "--dbu", "-200"}, "vpp", 2.1909e-7, 1e-11, "2.1909e-07"},
        {{"level", "--dbu", "-0"}, "dbu", 0.0, 0.0, "0.0000"},
        {{"level", "--dbw", "-0.0"}, "dbw", 0.0, 0.0, "0.0000"},
        {{"level", "--power", "1e-20W"}, "power", 1e-20, 0.0, "1e-20"},
        {{"level", "--dbm", "0", "--ohms", "0.00001"}, "ohms", 0.00001, 0.0, "1e-05"},
        {{"wave", "0.001"}, "frequency_hz", 0.001, 0.0, "0.001"},
        {{"wave", "0.0001"}, "frequency_hz", 0.0001, 0.0, "0.0001"},
        {{"wave", "439.9999"}, "frequency_hz", 439.9999, 0.0, "439.9999"},
        {{"wave", "439.9999"}, "cents", -0.00039346, 5e-9, "-0.00039346"},
        {{"wave", "440.0001"}, "cents", 0.00039346, 5e-9, "+0.00039346"},
        {{"wave", "440"}, "cents", 0.0, 0.0, "0.0"},
        {{"delay", "1000", "--rate", "1"}, "note_1_128_samples", 0.001875, 0.0, "0.0019"},
    };
    for (const Expected& c : cases)
        Check(c);

    // Every field of every answer to the far ends of the ranges.
    const std::vector<std::vector<std::string>> extremes = {
        {"level", "--dbu", "-200"},
        {"level", "--dbu", "200"},
        {"level", "--dbv", "-200", "-o", "10000000"},
        {"level", "--vrms", "1e-9"},
        {"level", "--power", "1e-20W"},
        {"level", "--dbm", "200", "-o", "0.001"},
        {"level", "--dbu", "-200", "--si"},
        {"wave", "0.0001"},
        {"wave", "100000"},
        {"wave", "0.0001", "--temp", "-100"},
        {"delay", "1000", "--rate", "1"},
        {"delay", "1", "--rate", "1000000"},
        {"delay", "--ms", "60"},
    };
    for (const auto& args : extremes) {
        std::string line;
        for (const std::string& a : args)
            line += a + ' ';
        const Record r = Answer(args);
        for (const Field& f : r.fields) {
            if (f.form == Form::Text || f.form == Form::Missing || !f.label)
                continue;
            SCOPED_TRACE(line + f.key);
            const std::string shown = Shown(r, f.key);
            EXPECT_FALSE(shown[0] == '-' && ShowsAsZero(shown)) << shown;
            if (f.value != 0.0) {
                EXPECT_FALSE(ShowsAsZero(shown)) << shown << " for " << f.value;
            }
        }
    }
}

TEST(CalcNumbers, TheTableUsesTheUsersSeparatorAndProgramsTheExactDouble)
{
    Style comma;
    comma.decimalSep = ",";
    const Field f {"x", "x", Form::Fixed, 0.1 + 0.2, 4, {}, ""};
    EXPECT_EQ(TableNumber(f, comma), "0,3000");
    EXPECT_EQ(FormatExact(0.1 + 0.2), "0.30000000000000004");
    EXPECT_EQ(std::strtod(FormatExact(1.0 / 3.0).c_str(), nullptr), 1.0 / 3.0);
    EXPECT_EQ(FormatExponent(1e-5), "1.000000e-05");
}

}  // namespace
