#include "calc/level/LevelModel.h"

#include <cmath>
#include <iterator>

// Evaluated once at start-up, before any dialog exists.
const double CLevelModel::kPeakToPeak = std::sqrt(2.0) * 2.0;

namespace {

// Unit tables indexed by the unit enums. Set multiplies by the first, Get by
// the second; the "W" and "V" entries are 1.0, and x * 1.0 is exactly x.
constexpr double kWattsPerPowerUnit[] = {1e-9, 1e-6, 1e-3, 1.0, 1e3, 1e6, 1e9};
constexpr double kPowerUnitsPerWatt[] = {1e9, 1e6, 1e3, 1.0, 1e-3, 1e-6, 1e-9};
constexpr double kVoltsPerVoltageUnit[] = {1e-3, 1.0, 1e3, 1e6};
constexpr double kVoltageUnitsPerVolt[] = {1e3, 1.0, 1e-3, 1e-6};

static_assert(std::size(kWattsPerPowerUnit) == CLevelModel::PowerUnitCount);
static_assert(std::size(kPowerUnitsPerWatt) == CLevelModel::PowerUnitCount);
static_assert(std::size(kVoltsPerVoltageUnit) == CLevelModel::VoltageUnitCount);
static_assert(std::size(kVoltageUnitsPerVolt) == CLevelModel::VoltageUnitCount);

bool IsPowerUnit(int unit) { return unit >= 0 && unit < CLevelModel::PowerUnitCount; }

bool IsVoltageUnit(int unit) { return unit >= 0 && unit < CLevelModel::VoltageUnitCount; }

// dBV of the dBu reference voltage, evaluated on every use in this order.
double DBVOfDBuRef() { return std::log10(CLevelModel::kDBuRef) * 20.0; }

}  // namespace

CLevelModel::CLevelModel()
    : m_nEntered(EnteredDBu),
      m_nVrmsUnit(Volt),
      m_nVppUnit(Volt),
      m_nPowerUnit(MilliWatt),
      m_bExp(false),
      m_bUndefined(false),
      m_dBu(0.0),
      m_dBV(0.0),
      m_dBm(0.0),
      m_dPower(0.0),
      m_dVrms(0.0),
      m_dVpp(0.0),
      m_dOhms(600.0)
{
}

CLevelModel::~CLevelModel() = default;

bool CLevelModel::Calculate()
{
    m_bUndefined = false;

    // No row recomputes the quantity that was entered or re-selects its unit,
    // so the user's number and unit choice stand while typing.
    switch (m_nEntered) {
    case EnteredDBu:
        m_dBV = DBVOfDBuRef() + m_dBu;
        VoltsFromDBV();
        CalcVpp();
        CalcDBmAndPower();
        break;
    case EnteredDBV:
        m_dBu = m_dBV - DBVOfDBuRef();
        VoltsFromDBV();
        CalcVpp();
        CalcDBmAndPower();
        break;
    case EnteredDBm: {
        const double milliwattVolts = std::sqrt(m_dOhms * 0.001);
        m_dVrms = std::pow(10.0, m_dBm * 0.05) * milliwattVolts;
        SelectVrmsUnit();
        CalcVpp();
        CalcPower();
        DBFromVolts();
        break;
    }
    case EnteredPower:
        VoltsFromPower();
        CalcDBm();
        CalcVpp();
        DBFromVolts();
        break;
    case EnteredVrms:
        // m_nVrmsUnit stays as chosen even for a voltage <= 0, so the next keystrokes count in the unit shown.
        CalcVpp();
        CalcDBmAndPower();
        DBFromVolts();
        break;
    case EnteredOhms: CalcDBmAndPower(); break;
    default: break;
    }
    return true;
}

void CLevelModel::SetPower(double value)
{
    if (IsPowerUnit(m_nPowerUnit))
        m_dPower = value * kWattsPerPowerUnit[m_nPowerUnit];
}

double CLevelModel::GetPower() const
{
    if (!IsPowerUnit(m_nPowerUnit))
        return 0.0;
    return m_dPower * kPowerUnitsPerWatt[m_nPowerUnit];
}

void CLevelModel::SetVrms(double value)
{
    if (IsVoltageUnit(m_nVrmsUnit))
        m_dVrms = value * kVoltsPerVoltageUnit[m_nVrmsUnit];
}

double CLevelModel::GetVrms() const
{
    if (!IsVoltageUnit(m_nVrmsUnit))
        return 0.0;
    return m_dVrms * kVoltageUnitsPerVolt[m_nVrmsUnit];
}

double CLevelModel::GetVpp() const
{
    if (!IsVoltageUnit(m_nVppUnit))
        return 0.0;
    return m_dVpp * kVoltageUnitsPerVolt[m_nVppUnit];
}

double CLevelModel::PowerUnitFactor(int unit) { return IsPowerUnit(unit) ? kWattsPerPowerUnit[unit] : 0.0; }

double CLevelModel::VoltageUnitFactor(int unit) { return IsVoltageUnit(unit) ? kVoltsPerVoltageUnit[unit] : 0.0; }

int CLevelModel::SelectPowerUnit(double watts)
{
    // Bands top-down, first match wins. The bounds are these exact decimals
    // (the µW band starts above 9.99e-07); the displayed units depend on them.
    if (watts > 999999999.99999)
        return GigaWatt;
    if (watts >= 999999.999999 && watts <= 999999999.999999)
        return MegaWatt;
    if (watts > 999.999999999 && watts <= 999999.999999)
        return KiloWatt;
    if (watts > 0.99999999 && watts <= 999.999999999)
        return Watt;
    if (watts > 0.000999999 && watts <= 0.99999999)
        return MilliWatt;
    if (watts > 9.99e-07 && watts <= 0.000999999)
        return MicroWatt;
    return NanoWatt;
}

int CLevelModel::SelectVoltageUnit(double volts)
{
    if (volts >= 1e7)
        return MegaVolt;
    if (volts >= 1e4)
        return KiloVolt;
    if (volts < 1.0)
        return MilliVolt;
    return Volt;
}

void CLevelModel::VoltsFromDBV()
{
    m_dVrms = std::pow(10.0, m_dBV * 0.05);
    SelectVrmsUnit();
}

void CLevelModel::VoltsFromPower()
{
    m_dVrms = std::sqrt(m_dOhms * m_dPower);
    SelectVrmsUnit();
}

void CLevelModel::SelectVrmsUnit() { m_nVrmsUnit = SelectVoltageUnit(m_dVrms); }

void CLevelModel::CalcVpp()
{
    m_dVpp = m_dVrms * kPeakToPeak;
    m_nVppUnit = SelectVoltageUnit(m_dVpp);
}

// Both tests fail for NaN, which is what a negative impedance or power
// leaves behind after a square root.
bool CLevelModel::CanUseVoltsAndOhms() const { return m_dOhms > 0.0 && m_dVrms > 0.0; }

void CLevelModel::CalcDBmAndPower()
{
    if (CanUseVoltsAndOhms()) {
        const double milliwattVolts = std::sqrt(m_dOhms * 0.001);
        m_dBm = std::log10(m_dVrms / milliwattVolts) * 20.0;
        m_dPower = std::pow(m_dVrms, 2.0) / m_dOhms;
        m_nPowerUnit = SelectPowerUnit(m_dPower);
    } else {
        m_dBm = 0.0;
        m_dPower = 0.0;
        m_bUndefined = true;
        m_nPowerUnit = Watt;
    }
}

void CLevelModel::CalcDBm()
{
    if (CanUseVoltsAndOhms()) {
        const double milliwattVolts = std::sqrt(m_dOhms * 0.001);
        m_dBm = std::log10(m_dVrms / milliwattVolts) * 20.0;
    } else {
        // The power unit stays: this runs in the power row, where it is the user's.
        m_dBm = 0.0;
        m_dPower = 0.0;
        m_bUndefined = true;
    }
}

void CLevelModel::CalcPower()
{
    if (CanUseVoltsAndOhms()) {
        m_dPower = std::pow(m_dVrms, 2.0) / m_dOhms;
        m_nPowerUnit = SelectPowerUnit(m_dPower);
    } else {
        m_dPower = 0.0;
        m_bUndefined = true;
        m_nPowerUnit = Watt;
    }
}

void CLevelModel::DBFromVolts()
{
    if (m_dVrms > 0.0) {
        m_dBV = std::log10(m_dVrms) * 20.0;
        m_dBu = m_dBV - DBVOfDBuRef();
    } else {
        // Both dB values keep what they held.
        m_bUndefined = true;
    }
}
