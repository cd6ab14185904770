// The three engines on arbitrary doubles and indices.
//
// Checked besides "no crash, no undefined behaviour":
// Level - Calculate always answers true; an entered quantity outside 0..5
//   changes nothing but clears m_bUndefined; otherwise the result is
//   undefined exactly when the impedance or the RMS voltage it arrives at is
//   not greater than zero (NaN included), a defined result from finite inputs
//   holds no NaN, unit indices stay in their lists, and for the numbers the
//   dialog lets the user type a defined result is finite and keeps the
//   relations between the quantities.
// Delay - a tempo above zero gives every length from the quarter note; any
//   other tempo (NaN included) leaves the lengths alone.
// Wave - a frequency of zero or below (or NaN) keeps the period; the results
//   follow from the period alone; in the dialog's range they are finite and
//   positive.

#include "calc/delay/DelayModel.h"
#include "calc/level/LevelModel.h"
#include "calc/wave/WaveModel.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

void Fail(const char* what)
{
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

// Reads the input front to back; past its end everything is zero.
class Reader {
public:
    Reader(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

    std::uint64_t Bits(std::size_t bytes)
    {
        std::uint64_t v = 0;
        for (std::size_t i = 0; i < bytes; ++i)
            v = (v << 8) | (m_pos < m_size ? m_data[m_pos++] : 0);
        return v;
    }
    double Double()
    {
        const std::uint64_t bits = Bits(8);
        double d;
        std::memcpy(&d, &bits, sizeof d);
        return d;
    }
    // Evenly in [lo, hi].
    double In(double lo, double hi) { return lo + (hi - lo) * (double(Bits(8) >> 11) * 0x1p-53); }
    int Index() { return int(std::int8_t(Bits(1))); }  // -128..127: most outside every list

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

bool Same(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

bool Near(double a, double b, double relative)
{
    return std::fabs(a - b) <= relative * std::max(std::fabs(a), std::fabs(b)) + 1e-300;
}

void FuzzLevel(Reader& in)
{
    const bool dialogRange = in.Bits(1) & 1;
    CLevelModel m;
    const int row = in.Bits(1) % 8;  // 6 and 7: no such quantity
    m.m_nEntered = row;
    if (in.Bits(1) & 1) {
        m.m_nVrmsUnit = in.Index();
        m.m_nVppUnit = in.Index();
        m.m_nPowerUnit = in.Index();
    } else {
        m.m_nVrmsUnit = in.Bits(1) % CLevelModel::VoltageUnitCount;
        m.m_nVppUnit = in.Bits(1) % CLevelModel::VoltageUnitCount;
        m.m_nPowerUnit = in.Bits(1) % CLevelModel::PowerUnitCount;
    }
    m.m_bUndefined = true;
    if (dialogRange) {
        // What the dialog's fields let through: dB within +-200, power and
        // RMS voltage from 0 up, the impedance a whole number within +-1e7.
        m.m_dBu = in.In(-200, 200);
        m.m_dBV = in.In(-200, 200);
        m.m_dBm = in.In(-200, 200);
        m.m_dOhms = std::trunc(in.In(-1e7, 1e7));
        if (m.m_nPowerUnit >= 0 && m.m_nPowerUnit < CLevelModel::PowerUnitCount)
            m.SetPower(in.In(0, 1.7e17) / CLevelModel::PowerUnitFactor(m.m_nPowerUnit));
        if (m.m_nVrmsUnit >= 0 && m.m_nVrmsUnit < CLevelModel::VoltageUnitCount)
            m.SetVrms(in.In(0, 1e10) / CLevelModel::VoltageUnitFactor(m.m_nVrmsUnit));
    } else {
        m.m_dBu = in.Double();
        m.m_dBV = in.Double();
        m.m_dBm = in.Double();
        m.m_dPower = in.Double();
        m.m_dVrms = in.Double();
        m.m_dVpp = in.Double();
        m.m_dOhms = in.Double();
    }
    const bool finiteInputs = std::isfinite(m.m_dBu) && std::isfinite(m.m_dBV) && std::isfinite(m.m_dBm)
                              && std::isfinite(m.m_dPower) && std::isfinite(m.m_dVrms) && std::isfinite(m.m_dOhms);
    const CLevelModel before = m;

    if (!m.Calculate())
        Fail("Calculate answered false");
    (void)m.GetPower();
    (void)m.GetVrms();
    (void)m.GetVpp();

    if (row > 5) {
        if (m.m_bUndefined || !Same(m.m_dBu, before.m_dBu) || !Same(m.m_dVrms, before.m_dVrms)
            || !Same(m.m_dPower, before.m_dPower) || m.m_nPowerUnit != before.m_nPowerUnit)
            Fail("an unknown entered quantity changed the engine");
        return;
    }
    if (m.m_bUndefined != !(m.m_dOhms > 0.0 && m.m_dVrms > 0.0))
        Fail("undefined is not 'impedance or RMS voltage not above zero'");
    if (m.m_bUndefined)
        return;

    // The quantities this row computes.
    const bool vpp = row != CLevelModel::EnteredOhms;
    const double computed[] = {m.m_dBu, m.m_dBV, m.m_dBm, m.m_dPower, m.m_dVrms, vpp ? m.m_dVpp : 0.0};
    for (double v : computed) {
        if (finiteInputs && std::isnan(v))
            Fail("a defined result from finite inputs is NaN");
        if (dialogRange && !std::isfinite(v))
            Fail("a defined result of typed numbers is not finite");
    }
    // Each row re-selects the units of what it computes, never the entered one's.
    const auto inList = [](int unit, int count) { return unit >= 0 && unit < count; };
    if ((row != CLevelModel::EnteredPower && !inList(m.m_nPowerUnit, CLevelModel::PowerUnitCount))
        || (row <= CLevelModel::EnteredPower && !inList(m.m_nVrmsUnit, CLevelModel::VoltageUnitCount))
        || (vpp && !inList(m.m_nVppUnit, CLevelModel::VoltageUnitCount)))
        Fail("a unit the engine chose is not in its list");
    if ((row == CLevelModel::EnteredPower && m.m_nPowerUnit != before.m_nPowerUnit)
        || (row == CLevelModel::EnteredVrms && m.m_nVrmsUnit != before.m_nVrmsUnit))
        Fail("the entered quantity's unit was re-selected");

    if (dialogRange) {
        if (vpp && m.m_dVpp != m.m_dVrms * CLevelModel::kPeakToPeak)
            Fail("peak-to-peak is not RMS times 2 sqrt 2");
        if (!Near(m.m_dPower, m.m_dVrms * m.m_dVrms / m.m_dOhms, 1e-12))
            Fail("power is not V^2 / R");
        if (std::fabs(m.m_dBm - 20 * std::log10(m.m_dVrms / std::sqrt(m.m_dOhms * 0.001)))
            > 1e-9 * std::max(1.0, std::fabs(m.m_dBm)))
            Fail("dBm does not belong to the voltage");
        if (row != CLevelModel::EnteredOhms) {
            if (std::fabs(m.m_dBV - 20 * std::log10(m.m_dVrms)) > 1e-9 * std::max(1.0, std::fabs(m.m_dBV)))
                Fail("dBV does not belong to the voltage");
            if (std::fabs(m.m_dBu - (m.m_dBV - 20 * std::log10(CLevelModel::kDBuRef)))
                > 1e-9 * std::max(1.0, std::fabs(m.m_dBu)))
                Fail("dBu and dBV disagree");
        }
    }
}

void FuzzDelay(Reader& in)
{
    CDelayModel m;
    const double first = in.In(1, 1000);
    m.SetBpm(first);
    const CDelayModel atFirst = m;
    const double bpm = (in.Bits(1) & 1) ? in.Double() : in.In(-2000, 2000);
    m.SetBpm(bpm);
    if (!Same(m.m_bpm, bpm))
        Fail("the tempo is not stored as given");
    if (bpm > 0.0) {
        const double q = 60000.0 / bpm;
        if (!Same(m.m_quarter, q) || !Same(m.m_bar44, q * 4.0) || !Same(m.m_bar34, q * 3.0) || !Same(m.m_half, q * 2.0)
            || !Same(m.m_eighth, q * 0.5) || !Same(m.m_sixteenth, q * 0.25) || !Same(m.m_thirtySecond, q * 0.125))
            Fail("a length is not the quarter note times its factor");
        if (bpm >= 1.0 && bpm <= 1000.0 && !(m.m_bar44 <= 240000.0 && m.m_thirtySecond >= 7.5))
            Fail("a length of a typed tempo is out of its bounds");
    } else if (!Same(m.m_quarter, atFirst.m_quarter) || !Same(m.m_bar44, atFirst.m_bar44)
               || !Same(m.m_thirtySecond, atFirst.m_thirtySecond)) {
        Fail("a tempo of zero or below changed a length");
    }
}

CWaveModel& Wave()
{
    // One engine, over the empty table it starts with.
    static CWaveModel model;
    return model;
}

void FuzzWave(Reader& in)
{
    CWaveModel& m = Wave();
    m.m_frequency = in.In(0.0001, 100000.0);
    m.Compute();
    const double period = m.m_period;
    const double f = (in.Bits(1) & 1) ? in.Double() : in.In(-1, 200000);
    m.m_frequency = f;
    m.Compute();
    if (!(f > 0) && !Same(m.m_period, period))
        Fail("a frequency of zero or below changed the period");
    if (f > 0 && !Same(m.m_period, 1.0 / f))
        Fail("the period is not 1 / frequency");
    const double p = m.m_period;
    const double cm = p * 34330.0;
    const double ft = cm * 0.03280839895013123;
    const double ms = p * 1000.0;
    if (!Same(m.m_wavelengthCm, cm) || !Same(m.m_wavelengthFt, ft) || !Same(m.m_periodMs, ms)
        || !Same(m.m_halfWavelengthCm, cm * 0.5) || !Same(m.m_halfWavelengthFt, ft * 0.5)
        || !Same(m.m_halfPeriodMs, ms * 0.5))
        Fail("a result does not follow from the period");
    if (f >= 0.0001 && f <= 100000.0) {
        for (double v : {m.m_wavelengthCm, m.m_wavelengthFt, m.m_periodMs, m.m_halfWavelengthCm, m.m_halfWavelengthFt,
                         m.m_halfPeriodMs})
            if (!(std::isfinite(v) && v > 0))
                Fail("a result in the dialog's range is not finite and positive");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Reader in(data, size);
    FuzzLevel(in);
    FuzzDelay(in);
    FuzzWave(in);
    return 0;
}
