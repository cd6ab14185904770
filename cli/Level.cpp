// The Level calculator on the command line: one quantity with its unit and a
// load impedance into CLevelModel, every quantity out, each in the unit the
// Level dialog would show it in.

#include "cli/Commands.h"
#include "cli/Messages.h"
#include "cli/Numbers.h"

#include "calc/level/LevelModel.h"

#include <cctype>

namespace cli {

namespace {

// A unit a value may be typed in: its names, the label the table shows, its
// factor to watts or volts, and the engine's index for it (-1: the engine
// has none; the value then goes in in watts or volts).
struct UnitName {
    std::string_view name;
    const char* label;
    double factor;
    int index;
};

constexpr UnitName kPowerUnits[] = {{"nW", "nW", 1e-9, CLevelModel::NanoWatt},
                                    {"\u00b5W", "\u00b5W", 1e-6, CLevelModel::MicroWatt},
                                    {"\u03bcW", "\u00b5W", 1e-6, CLevelModel::MicroWatt},
                                    {"uW", "\u00b5W", 1e-6, CLevelModel::MicroWatt},
                                    {"mW", "mW", 1e-3, CLevelModel::MilliWatt},
                                    {"W", "W", 1.0, CLevelModel::Watt},
                                    {"kW", "kW", 1e3, CLevelModel::KiloWatt},
                                    {"MW", "MW", 1e6, CLevelModel::MegaWatt},
                                    {"GW", "GW", 1e9, CLevelModel::GigaWatt}};
constexpr UnitName kVoltageUnits[] = {{"nV", "nV", 1e-9, -1},
                                      {"\u00b5V", "\u00b5V", 1e-6, -1},
                                      {"\u03bcV", "\u00b5V", 1e-6, -1},
                                      {"uV", "\u00b5V", 1e-6, -1},
                                      {"mV", "mV", 1e-3, CLevelModel::MilliVolt},
                                      {"V", "V", 1.0, CLevelModel::Volt},
                                      {"kV", "kV", 1e3, CLevelModel::KiloVolt},
                                      {"MV", "MV", 1e6, CLevelModel::MegaVolt}};

// The dialog's limits, in watts and volts; zero has no level. The levels in
// dBW, dBmV and dBuV span the same powers and voltages as dBm and dBV.
constexpr Range kLevelRange {-200.0, 200.0, false, N_("-200 to 200 dB")};
constexpr Range kDBWRange {-230.0, 170.0, false, N_("-230 to 170 dBW")};
constexpr Range kDBmVRange {-140.0, 260.0, false, N_("-140 to 260 dBmV")};
constexpr Range kDBuVRange {-80.0, 320.0, false, N_("-80 to 320 dBµV")};
constexpr Range kPowerRange {0.0, 1.7e17, true, N_("above 0 W up to 1.7e17 W; units nW uW mW W kW MW GW")};
constexpr Range kVoltageRange {0.0, 1e10, true, N_("above 0 V up to 1e10 V; units nV uV mV V kV MV")};

// dBW, dBmV and dBuV from dBm and dBV: a watt is 30 dB over a milliwatt, a
// volt 60 dB over a millivolt and 120 dB over a microvolt.
constexpr double kDBmOverDBW = 30.0;
constexpr double kDBmVOverDBV = 60.0;
constexpr double kDBuVOverDBV = 120.0;

// The unit at the end of a value ("775mV"): the letters after the number.
std::string_view TrailingUnit(std::string_view text)
{
    std::size_t start = text.size();
    while (start > 0) {
        const unsigned char c = text[start - 1];
        if (std::isalpha(c) || c >= 0x80)  // µ is two bytes of UTF-8
            --start;
        else
            break;
    }
    return text.substr(start);
}

// A value with an optional unit, checked against the range in base units.
struct Quantity {
    double number = 0.0;  // as typed, in its unit
    const UnitName* unit = nullptr;
    double Base() const { return number * unit->factor; }
};

template <std::size_t N>
std::variant<Quantity, Failure> ReadQuantity(std::string_view input, const char* name, const UnitName (&units)[N],
                                             const UnitName& baseUnit, double (*factor)(int), const Range& range,
                                             std::string_view decimalSep)
{
    const std::string_view unitText = TrailingUnit(input);
    Quantity q {0.0, &baseUnit};
    if (!unitText.empty()) {
        q.unit = nullptr;
        for (const UnitName& u : units)
            if (u.name == unitText)
                q.unit = &u;
        if (!q.unit)
            return Failure {Failure::Usage,
                            Fill(N_("%1: '%2' has no unit '%3' (%4)"), {name, input, unitText, Tr(range.text)})};
    }
    const std::string_view numberText = TrimBlanks(input.substr(0, input.size() - unitText.size()));
    const std::optional<double> number = ParseNumber(numberText, decimalSep);
    if (!number)
        return Failure {Failure::Usage, Fill(N_("%1: '%2' is not a number (%3)"), {name, input, Tr(range.text)})};
    // As the dialog's field does: the typed number times its unit's factor.
    const double base = q.unit->index >= 0 ? *number * factor(q.unit->index) : *number * q.unit->factor;
    if (!range.Contains(base))
        return Failure {Failure::OutOfRange, Fill(N_("%1: %2 is out of range (%3)"), {name, input, Tr(range.text)})};
    q.number = *number;
    return q;
}

const UnitName& Watts() { return kPowerUnits[5]; }
const UnitName& Volts() { return kVoltageUnits[5]; }

// A voltage in the unit the engine would pick for it, multiplied as the
// engine's getters multiply.
double InVoltageUnit(double volts, int unit)
{
    switch (unit) {
    case CLevelModel::MilliVolt: return volts * 1e3;
    case CLevelModel::Volt: return volts;
    case CLevelModel::KiloVolt: return volts * 1e-3;
    default: return volts * 1e-6;
    }
}

}  // namespace

std::optional<Failure> ComputeLevel(const Options& options, std::string_view input, Record& record)
{
    const char* name = InputName(options);
    const LevelInput in = options.levelInput;
    CLevelModel model;
    model.m_dOhms = options.ohms;

    // The entered quantity is shown as typed, in its unit, as the dialog's
    // field keeps it; the engine neither recomputes it nor re-ranges its unit.
    Quantity typed;
    double typedLevel = 0.0;
    switch (in) {
    case LevelInput::DBu:
    case LevelInput::DBV:
    case LevelInput::DBm:
    case LevelInput::DBW:
    case LevelInput::DBmV:
    case LevelInput::DBuV: {
        const Range& range = in == LevelInput::DBW    ? kDBWRange
                             : in == LevelInput::DBmV ? kDBmVRange
                             : in == LevelInput::DBuV ? kDBuVRange
                                                      : kLevelRange;
        auto r = ReadNumber(input, name, range, options.decimalSep);
        if (auto* f = std::get_if<Failure>(&r))
            return *f;
        typedLevel = std::get<double>(r);
        if (in == LevelInput::DBu) {
            model.m_nEntered = CLevelModel::EnteredDBu;
            model.m_dBu = typedLevel;
        } else if (in == LevelInput::DBV || in == LevelInput::DBmV || in == LevelInput::DBuV) {
            model.m_nEntered = CLevelModel::EnteredDBV;
            model.m_dBV = in == LevelInput::DBmV   ? typedLevel - kDBmVOverDBV
                          : in == LevelInput::DBuV ? typedLevel - kDBuVOverDBV
                                                   : typedLevel;
        } else {
            model.m_nEntered = CLevelModel::EnteredDBm;
            model.m_dBm = in == LevelInput::DBW ? typedLevel + kDBmOverDBW : typedLevel;
        }
        break;
    }
    case LevelInput::Power: {
        auto r = ReadQuantity(input, name, kPowerUnits, Watts(), &CLevelModel::PowerUnitFactor, kPowerRange,
                              options.decimalSep);
        if (auto* f = std::get_if<Failure>(&r))
            return *f;
        typed = std::get<Quantity>(r);
        model.m_nEntered = CLevelModel::EnteredPower;
        model.m_nPowerUnit = typed.unit->index;
        model.SetPower(typed.number);
        break;
    }
    case LevelInput::Vrms:
    case LevelInput::Vpp:
    case LevelInput::Vpeak: {
        auto r = ReadQuantity(input, name, kVoltageUnits, Volts(), &CLevelModel::VoltageUnitFactor, kVoltageRange,
                              options.decimalSep);
        if (auto* f = std::get_if<Failure>(&r))
            return *f;
        typed = std::get<Quantity>(r);
        model.m_nEntered = CLevelModel::EnteredVrms;
        if (in == LevelInput::Vrms && typed.unit->index >= 0) {
            model.m_nVrmsUnit = typed.unit->index;
            model.SetVrms(typed.number);
        } else if (in == LevelInput::Vrms) {
            // Below the engine's units: in volts.
            model.m_dVrms = typed.Base();
            model.m_nVrmsUnit = CLevelModel::SelectVoltageUnit(model.m_dVrms);
        } else {
            // The dialog takes no peak or peak-to-peak voltage: enter its RMS
            // voltage, shown in the unit the engine picks for it.
            const double volts = typed.unit->index >= 0
                                     ? typed.number * CLevelModel::VoltageUnitFactor(typed.unit->index)
                                     : typed.Base();
            const double vpp = in == LevelInput::Vpp ? volts : volts * 2.0;
            model.m_dVrms = vpp / CLevelModel::kPeakToPeak;
            model.m_nVrmsUnit = CLevelModel::SelectVoltageUnit(model.m_dVrms);
        }
        break;
    }
    }

    model.Calculate();
    if (model.m_bUndefined)
        return Failure {Failure::OutOfRange, Fill(N_("%1: %2 has no defined level at %3 ohms"),
                                                  {name, input, FormatWholeOrFixed(options.ohms)})};

    // Groups: the table's order of rows, whatever the order of the keys.
    enum { Levels, Power, Rms, Peak, PeakToPeak, Load };
    const auto level = [&](const char* key, const char* label, LevelInput entered, double value) {
        if (in == entered)
            record.Add(key, label, Form::Typed, typedLevel).group = Levels;
        else
            record.Add(key, label, Form::Fixed, value).group = Levels;
    };
    const bool si = options.si;
    // In the units the dialog would choose, the entered one as typed: a
    // table row without --si; for programs always.
    const auto inUnit = [&](const char* key, const char* unitKey, const char* label, int group, Form form,
                            LevelInput entered, double value, const char* unitLabel) {
        if (in == entered) {
            unitLabel = typed.unit->label;
            value = typed.number;
            form = form == Form::Exponent ? form : Form::Typed;
        }
        record.Add(key, si ? nullptr : label, form, value, unitLabel).group = group;
        record.AddText(unitKey, nullptr, unitLabel);
    };

    // The keys of the first release first, in their order.
    level("dbu", "dBu", LevelInput::DBu, model.m_dBu);
    level("dbv", "dBV", LevelInput::DBV, model.m_dBV);
    level("dbm", "dBm", LevelInput::DBm, model.m_dBm);
    inUnit("power", "power_unit", "Power", Power, options.exp ? Form::Exponent : Form::Fixed, LevelInput::Power,
           model.GetPower(), CLevelModel::kPowerUnitLabels[model.m_nPowerUnit]);
    inUnit("vrms", "vrms_unit", "Voltage (RMS)", Rms, Form::Fixed, LevelInput::Vrms, model.GetVrms(),
           CLevelModel::kVoltageUnitLabels[model.m_nVrmsUnit]);
    inUnit("vpp", "vpp_unit", "Voltage (p-p)", PeakToPeak, Form::Fixed, LevelInput::Vpp, model.GetVpp(),
           CLevelModel::kVoltageUnitLabels[model.m_nVppUnit]);
    record.Add("ohms", "Load", Form::Whole, model.m_dOhms, N_("ohms")).group = Load;

    level("dbw", "dBW", LevelInput::DBW, model.m_dBm - kDBmOverDBW);
    level("dbmv", "dBmV", LevelInput::DBmV, model.m_dBV + kDBmVOverDBV);
    level("dbuv", "dB\u00b5V", LevelInput::DBuV, model.m_dBV + kDBuVOverDBV);
    const double vpeak = model.m_dVpp * 0.5;
    const int vpeakUnit = CLevelModel::SelectVoltageUnit(vpeak);
    inUnit("vpeak", "vpeak_unit", "Voltage (peak)", Peak, Form::Fixed, LevelInput::Vpeak,
           InVoltageUnit(vpeak, vpeakUnit), CLevelModel::kVoltageUnitLabels[vpeakUnit]);
    if (options.hasDbfsRef)
        record.Add("dbfs", "dBFS", Form::Fixed, model.m_dBu - options.dbfsDBu + options.dbfsAt, "", 2).group = Levels;
    if (si) {
        // Plain watts and volts, added after the other keys, which stay as
        // they are; exponent form, so that no small value shows as 0.
        record.Add("power_w", "Power", Form::Exponent, model.m_dPower, "W").group = Power;
        record.Add("vrms_v", "Voltage (RMS)", Form::Exponent, model.m_dVrms, "V").group = Rms;
        record.Add("vpeak_v", "Voltage (peak)", Form::Exponent, in == LevelInput::Vpeak ? typed.Base() : vpeak, "V")
            .group = Peak;
        record.Add("vpp_v", "Voltage (p-p)", Form::Exponent, in == LevelInput::Vpp ? typed.Base() : model.m_dVpp, "V")
            .group = PeakToPeak;
    }
    return std::nullopt;
}

}  // namespace cli
