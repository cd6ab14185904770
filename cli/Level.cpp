// The Level calculator on the command line: one quantity with its unit and a
// load impedance into CLevelModel, every quantity out, each in the unit the
// Level dialog would show it in.

#include "cli/Commands.h"
#include "cli/Numbers.h"

#include "calc/level/LevelModel.h"

#include <cctype>

namespace cli {

namespace {

struct UnitName {
    std::string_view name;
    int index;
};

constexpr UnitName kPowerUnits[] = {{"nW", CLevelModel::NanoWatt},  {"\u00b5W", CLevelModel::MicroWatt},
                                    {"uW", CLevelModel::MicroWatt}, {"mW", CLevelModel::MilliWatt},
                                    {"W", CLevelModel::Watt},       {"kW", CLevelModel::KiloWatt},
                                    {"MW", CLevelModel::MegaWatt},  {"GW", CLevelModel::GigaWatt}};
constexpr UnitName kVoltageUnits[] = {{"mV", CLevelModel::MilliVolt},
                                      {"V", CLevelModel::Volt},
                                      {"kV", CLevelModel::KiloVolt},
                                      {"MV", CLevelModel::MegaVolt}};

// The dialog's limits, in watts and volts; zero has no level.
constexpr Range kLevelRange {-200.0, 200.0, false, "-200 to 200 dB"};
constexpr Range kPowerRange {0.0, 1.7e17, true, "above 0 W up to 1.7e17 W; units nW uW mW W kW MW GW"};
constexpr Range kVoltageRange {0.0, 1e10, true, "above 0 V up to 1e10 V; units mV V kV MV"};

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

std::string_view TrimSpaces(std::string_view text)
{
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

// A value with an optional unit, checked against the range in base units.
struct Quantity {
    double number = 0.0;  // as typed, in its unit
    int unit = 0;         // index into the engine's unit tables
};

template <std::size_t N>
std::variant<Quantity, Failure> ReadQuantity(std::string_view input, const char* name, const UnitName (&units)[N],
                                             int baseUnit, double (*factor)(int), const Range& range,
                                             std::string_view decimalSep)
{
    const std::string_view unitText = TrailingUnit(input);
    Quantity q {0.0, baseUnit};
    if (!unitText.empty()) {
        bool known = false;
        for (const UnitName& u : units) {
            if (u.name == unitText) {
                q.unit = u.index;
                known = true;
            }
        }
        if (!known)
            return Failure {Failure::Usage, std::string(name) + ": '" + std::string(input) + "' has no unit '"
                                                + std::string(unitText) + "' (" + range.text + ")"};
    }
    const std::string_view numberText = TrimSpaces(input.substr(0, input.size() - unitText.size()));
    const std::optional<double> number = ParseNumber(numberText, decimalSep);
    if (!number)
        return Failure {Failure::Usage,
                        std::string(name) + ": '" + std::string(input) + "' is not a number (" + range.text + ")"};
    // As the dialog's field does: the typed number times its unit's factor.
    if (!range.Contains(*number * factor(q.unit)))
        return Failure {Failure::OutOfRange,
                        std::string(name) + ": " + std::string(input) + " is out of range (" + range.text + ")"};
    q.number = *number;
    return q;
}

}  // namespace

std::optional<Failure> ComputeLevel(const Options& options, std::string_view input, Record& record)
{
    const char* name = InputName(options);
    CLevelModel model;
    model.m_dOhms = options.ohms;

    // The entered quantity is shown as typed, in its unit, as the dialog's
    // field keeps it; the engine neither recomputes it nor re-ranges its unit.
    Quantity typed;
    switch (options.levelInput) {
    case LevelInput::DBu:
    case LevelInput::DBV:
    case LevelInput::DBm: {
        auto r = ReadNumber(input, name, kLevelRange, options.decimalSep);
        if (auto* f = std::get_if<Failure>(&r))
            return *f;
        const double level = std::get<double>(r);
        if (options.levelInput == LevelInput::DBu) {
            model.m_nEntered = CLevelModel::EnteredDBu;
            model.m_dBu = level;
        } else if (options.levelInput == LevelInput::DBV) {
            model.m_nEntered = CLevelModel::EnteredDBV;
            model.m_dBV = level;
        } else {
            model.m_nEntered = CLevelModel::EnteredDBm;
            model.m_dBm = level;
        }
        break;
    }
    case LevelInput::Power: {
        auto r = ReadQuantity(input, name, kPowerUnits, CLevelModel::Watt, &CLevelModel::PowerUnitFactor, kPowerRange,
                              options.decimalSep);
        if (auto* f = std::get_if<Failure>(&r))
            return *f;
        typed = std::get<Quantity>(r);
        model.m_nEntered = CLevelModel::EnteredPower;
        model.m_nPowerUnit = typed.unit;
        model.SetPower(typed.number);
        break;
    }
    case LevelInput::Vrms:
    case LevelInput::Vpp: {
        auto r = ReadQuantity(input, name, kVoltageUnits, CLevelModel::Volt, &CLevelModel::VoltageUnitFactor,
                              kVoltageRange, options.decimalSep);
        if (auto* f = std::get_if<Failure>(&r))
            return *f;
        typed = std::get<Quantity>(r);
        model.m_nEntered = CLevelModel::EnteredVrms;
        if (options.levelInput == LevelInput::Vrms) {
            model.m_nVrmsUnit = typed.unit;
            model.SetVrms(typed.number);
        } else {
            // The dialog takes no peak-to-peak voltage: enter its RMS voltage,
            // shown in the unit the engine picks for it.
            const double vpp = typed.number * CLevelModel::VoltageUnitFactor(typed.unit);
            model.m_dVrms = vpp / CLevelModel::kPeakToPeak;
            model.m_nVrmsUnit = CLevelModel::SelectVoltageUnit(model.m_dVrms);
        }
        break;
    }
    }

    model.Calculate();
    if (model.m_bUndefined)
        return Failure {Failure::OutOfRange, std::string(name) + ": " + std::string(input) + " has no defined level at "
                                                 + FormatWholeOrFixed(options.ohms) + " ohms"};

    const bool entered[] = {options.levelInput == LevelInput::Power, options.levelInput == LevelInput::Vrms,
                            options.levelInput == LevelInput::Vpp};
    record.Add("dbu", "dBu", Form::Fixed, model.m_dBu);
    record.Add("dbv", "dBV", Form::Fixed, model.m_dBV);
    record.Add("dbm", "dBm", Form::Fixed, model.m_dBm);
    const Form powerForm = options.exp ? Form::Exponent : Form::Fixed;
    if (options.si) {
        // Plain watts and volts; exponent form, so that no small value shows as 0.
        record.Add("power_w", "Power", Form::Exponent, model.m_dPower, "W");
        record.Add("vrms_v", "Voltage (RMS)", Form::Exponent, model.m_dVrms, "V");
        record.Add("vpp_v", "Voltage (p-p)", Form::Exponent,
                   entered[2] ? typed.number * CLevelModel::VoltageUnitFactor(typed.unit) : model.m_dVpp, "V");
    } else {
        const auto add = [&](const char* key, const char* unitKey, const char* label, Form form, bool isEntered,
                             double value, int unit, const char* const* labels) {
            const char* unitLabel = labels[isEntered ? typed.unit : unit];
            record.Add(key, label, form, isEntered ? typed.number : value, unitLabel);
            record.AddText(unitKey, nullptr, unitLabel);
        };
        add("power", "power_unit", "Power", powerForm, entered[0], model.GetPower(), model.m_nPowerUnit,
            CLevelModel::kPowerUnitLabels);
        add("vrms", "vrms_unit", "Voltage (RMS)", Form::Fixed, entered[1], model.GetVrms(), model.m_nVrmsUnit,
            CLevelModel::kVoltageUnitLabels);
        add("vpp", "vpp_unit", "Voltage (p-p)", Form::Fixed, entered[2], model.GetVpp(), model.m_nVppUnit,
            CLevelModel::kVoltageUnitLabels);
    }
    record.Add("ohms", "Load", Form::Whole, model.m_dOhms, "ohms");
    return std::nullopt;
}

}  // namespace cli
