#include "calc/level/LevelModel.h"
#include "tests/support/SameDouble.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <string_view>
#include <type_traits>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// Everything the engine holds, for setting up states and predicting results.
struct Levels {
    int entered = CLevelModel::EnteredDBu;
    int vrmsUnit = CLevelModel::Volt;
    int vppUnit = CLevelModel::Volt;
    int powerUnit = CLevelModel::MilliWatt;
    bool exp = false;
    bool undefined = false;
    double dBu = 0.0;
    double dBV = 0.0;
    double dBm = 0.0;
    double power = 0.0;
    double vrms = 0.0;
    double vpp = 0.0;
    double ohms = 600.0;
};

void Load(CLevelModel& model, const Levels& s)
{
    model.m_nEntered = s.entered;
    model.m_nVrmsUnit = s.vrmsUnit;
    model.m_nVppUnit = s.vppUnit;
    model.m_nPowerUnit = s.powerUnit;
    model.m_bExp = s.exp;
    model.m_bUndefined = s.undefined;
    model.m_dBu = s.dBu;
    model.m_dBV = s.dBV;
    model.m_dBm = s.dBm;
    model.m_dPower = s.power;
    model.m_dVrms = s.vrms;
    model.m_dVpp = s.vpp;
    model.m_dOhms = s.ohms;
}

void ExpectState(const CLevelModel& model, const Levels& want)
{
    EXPECT_EQ(model.m_nEntered, want.entered);
    EXPECT_EQ(model.m_nVrmsUnit, want.vrmsUnit);
    EXPECT_EQ(model.m_nVppUnit, want.vppUnit);
    EXPECT_EQ(model.m_nPowerUnit, want.powerUnit);
    EXPECT_EQ(model.m_bExp, want.exp);
    EXPECT_EQ(model.m_bUndefined, want.undefined);
    EXPECT_SAME(model.m_dBu, want.dBu);
    EXPECT_SAME(model.m_dBV, want.dBV);
    EXPECT_SAME(model.m_dBm, want.dBm);
    EXPECT_SAME(model.m_dPower, want.power);
    EXPECT_SAME(model.m_dVrms, want.vrms);
    EXPECT_SAME(model.m_dVpp, want.vpp);
    EXPECT_SAME(model.m_dOhms, want.ohms);
}

// What Calculate must produce, written out row by row in the engine's order of
// operations. The two unit rules are taken from the engine; their band edges
// are pinned by their own tests below.
Levels Predict(Levels s)
{
    const double refDBV = std::log10(0.7745966692414834) * 20.0;
    const double peakToPeak = std::sqrt(2.0) * 2.0;

    auto voltsUnit = [&] { s.vrmsUnit = CLevelModel::SelectVoltageUnit(s.vrms); };
    auto vpp = [&] {
        s.vpp = s.vrms * peakToPeak;
        s.vppUnit = CLevelModel::SelectVoltageUnit(s.vpp);
    };
    auto canUse = [&] { return s.ohms > 0.0 && s.vrms > 0.0; };
    auto dBm = [&] { s.dBm = std::log10(s.vrms / std::sqrt(s.ohms * 0.001)) * 20.0; };
    auto power = [&] {
        s.power = std::pow(s.vrms, 2.0) / s.ohms;
        s.powerUnit = CLevelModel::SelectPowerUnit(s.power);
    };
    auto dBmAndPower = [&] {
        if (canUse()) {
            dBm();
            power();
        } else {
            s.dBm = 0.0;
            s.power = 0.0;
            s.undefined = true;
            s.powerUnit = CLevelModel::Watt;
        }
    };
    auto dBFromVolts = [&] {
        if (s.vrms > 0.0) {
            s.dBV = std::log10(s.vrms) * 20.0;
            s.dBu = s.dBV - refDBV;
        } else
            s.undefined = true;
    };

    s.undefined = false;
    switch (s.entered) {
    case CLevelModel::EnteredDBu:
        s.dBV = refDBV + s.dBu;
        s.vrms = std::pow(10.0, s.dBV * 0.05);
        voltsUnit();
        vpp();
        dBmAndPower();
        break;
    case CLevelModel::EnteredDBV:
        s.dBu = s.dBV - refDBV;
        s.vrms = std::pow(10.0, s.dBV * 0.05);
        voltsUnit();
        vpp();
        dBmAndPower();
        break;
    case CLevelModel::EnteredDBm:
        s.vrms = std::pow(10.0, s.dBm * 0.05) * std::sqrt(s.ohms * 0.001);
        voltsUnit();
        vpp();
        if (canUse())
            power();
        else {
            s.power = 0.0;
            s.undefined = true;
            s.powerUnit = CLevelModel::Watt;
        }
        dBFromVolts();
        break;
    case CLevelModel::EnteredPower:
        s.vrms = std::sqrt(s.ohms * s.power);
        voltsUnit();
        if (canUse())
            dBm();
        else {
            s.dBm = 0.0;
            s.power = 0.0;
            s.undefined = true;
        }
        vpp();
        dBFromVolts();
        break;
    case CLevelModel::EnteredVrms:
        vpp();
        dBmAndPower();
        dBFromVolts();
        break;
    case CLevelModel::EnteredOhms: dBmAndPower(); break;
    default: break;
    }
    return s;
}

}  // namespace

TEST(LevelModel, StartsInTheOpeningState)
{
    static_assert(std::has_virtual_destructor_v<CLevelModel>);
    const CLevelModel model;
    ExpectState(model, Levels {});
}

TEST(LevelModel, ConstantsHaveTheirDefiningValues)
{
    EXPECT_SAME(CLevelModel::kDBuRef, 0.7745966692414834);
    EXPECT_DOUBLE_EQ(CLevelModel::kDBuRef * CLevelModel::kDBuRef, 0.6);
    EXPECT_SAME(CLevelModel::kPeakToPeak, std::sqrt(2.0) * 2.0);
    EXPECT_SAME(CLevelModel::kPeakToPeak, 2.8284271247461903);
}

// Every row of Calculate from many starting states, to the last bit: the
// values, the units, the undefined flag and the members left alone.
TEST(LevelModel, EveryRowFromEveryStateFollowsTheOrderOfOperations)
{
    struct State {
        const char* name;
        Levels levels;
    };
    Levels typical;
    typical.vrmsUnit = CLevelModel::MegaVolt;
    typical.vppUnit = CLevelModel::MilliVolt;
    typical.powerUnit = CLevelModel::GigaWatt;
    typical.exp = true;
    typical.undefined = true;
    typical.dBu = 12.5;
    typical.dBV = -7.25;
    typical.dBm = 3.1;
    typical.power = 0.042;
    typical.vrms = 3.3;
    typical.vpp = 1.0;
    typical.ohms = 8.0;

    auto with = [&](auto change) {
        Levels s = typical;
        change(s);
        return s;
    };

    const State states[] = {
        {"default", Levels {}},
        {"typical at 8 ohms", typical},
        {"odd impedance", with([](Levels& s) {
             s.ohms = 47.3;
             s.power = 0.3;
             s.vrms = 0.07;
         })},
        {"top of range", with([](Levels& s) {
             s.dBu = 200.0;
             s.dBV = 200.0;
             s.dBm = 200.0;
             s.power = 1.7e17;
             s.vrms = 9999.5;
             s.ohms = 600.0;
         })},
        {"bottom of range", with([](Levels& s) {
             s.dBu = -200.0;
             s.dBV = -200.0;
             s.dBm = -200.0;
             s.power = 1e-20;
             s.vrms = 1e-10;
             s.ohms = 1e6;
         })},
        {"zero impedance", with([](Levels& s) { s.ohms = 0.0; })},
        {"negative impedance", with([](Levels& s) { s.ohms = -600.0; })},
        {"NaN impedance", with([](Levels& s) { s.ohms = kNaN; })},
        {"zero entries", with([](Levels& s) {
             s.dBu = s.dBV = s.dBm = s.power = s.vrms = 0.0;
             s.ohms = 600.0;
         })},
        {"negative entries", with([](Levels& s) {
             s.dBu = -3.0;
             s.dBV = -9.0;
             s.dBm = -1.0;
             s.power = -1.0;
             s.vrms = -2.0;
         })},
        {"NaN entries", with([](Levels& s) { s.dBu = s.dBV = s.dBm = s.power = s.vrms = kNaN; })},
        {"infinite entries", with([](Levels& s) { s.dBu = s.dBV = s.dBm = s.power = s.vrms = kInf; })},
    };
    const int rows[] = {0, 1, 2, 3, 4, 5, 6, -1, 1000};

    for (const State& state : states) {
        for (int row : rows) {
            SCOPED_TRACE(::testing::Message() << state.name << ", entered " << row);
            Levels start = state.levels;
            start.entered = row;

            CLevelModel model;
            Load(model, start);
            EXPECT_TRUE(model.Calculate());
            ExpectState(model, Predict(start));
        }
    }
}

TEST(LevelModel, OutOfRangeEnteredOnlyClearsUndefined)
{
    for (int row : {6, -1}) {
        Levels start;
        start.entered = row;
        start.vrmsUnit = CLevelModel::KiloVolt;
        start.vppUnit = CLevelModel::MegaVolt;
        start.powerUnit = CLevelModel::NanoWatt;
        start.exp = true;
        start.undefined = true;
        start.dBu = 1.0;
        start.dBV = 2.0;
        start.dBm = 3.0;
        start.power = 4.0;
        start.vrms = 5.0;
        start.vpp = 6.0;
        start.ohms = 7.0;

        CLevelModel model;
        Load(model, start);
        EXPECT_TRUE(model.Calculate());

        Levels want = start;
        want.undefined = false;
        ExpectState(model, want);
    }
}

// The worked values of the calculator at its default 600 ohms and at 8 ohms.
class LevelModelWorkedValues : public ::testing::Test {
protected:
    void Enter(int quantity, double value)
    {
        model.m_nEntered = quantity;
        switch (quantity) {
        case CLevelModel::EnteredDBu: model.m_dBu = value; break;
        case CLevelModel::EnteredDBV: model.m_dBV = value; break;
        case CLevelModel::EnteredDBm: model.m_dBm = value; break;
        case CLevelModel::EnteredPower: model.SetPower(value); break;
        case CLevelModel::EnteredVrms: model.SetVrms(value); break;
        case CLevelModel::EnteredOhms: model.m_dOhms = value; break;
        }
        model.Calculate();
    }

    const double refDBV = std::log10(0.7745966692414834) * 20.0;
    CLevelModel model;
};

TEST_F(LevelModelWorkedValues, ZeroDBuIsOneMilliwattInto600Ohms)
{
    Enter(CLevelModel::EnteredDBu, 0.0);
    EXPECT_FALSE(model.m_bUndefined);
    EXPECT_SAME(model.m_dVrms, CLevelModel::kDBuRef);
    EXPECT_EQ(model.m_nVrmsUnit, CLevelModel::MilliVolt);
    EXPECT_SAME(model.m_dBV, refDBV);
    EXPECT_SAME(model.m_dBm, 0.0);
    EXPECT_DOUBLE_EQ(model.m_dPower, 1e-3);
    EXPECT_EQ(model.m_nPowerUnit, CLevelModel::MilliWatt);
    EXPECT_DOUBLE_EQ(model.GetPower(), 1.0);
    EXPECT_EQ(model.m_nVppUnit, CLevelModel::Volt);
}

TEST_F(LevelModelWorkedValues, ZeroDBVIsOneVolt)
{
    Enter(CLevelModel::EnteredDBV, 0.0);
    EXPECT_FALSE(model.m_bUndefined);
    EXPECT_SAME(model.m_dVrms, 1.0);
    EXPECT_EQ(model.m_nVrmsUnit, CLevelModel::Volt);
    EXPECT_SAME(model.m_dVpp, CLevelModel::kPeakToPeak);
    EXPECT_SAME(model.m_dBu, -refDBV);
    EXPECT_DOUBLE_EQ(model.m_dBm, -refDBV);
    EXPECT_DOUBLE_EQ(model.m_dPower, 1.0 / 600.0);
    EXPECT_EQ(model.m_nPowerUnit, CLevelModel::MilliWatt);
}

TEST_F(LevelModelWorkedValues, ThirtyDBmIsOneWattAt600OhmsAndEightVoltsPeakToPeakAt8Ohms)
{
    Enter(CLevelModel::EnteredDBm, 30.0);
    EXPECT_FALSE(model.m_bUndefined);
    EXPECT_DOUBLE_EQ(model.m_dPower, 1.0);
    EXPECT_EQ(model.m_nPowerUnit, CLevelModel::Watt);
    EXPECT_DOUBLE_EQ(model.m_dBu, 30.0);
    EXPECT_SAME(model.m_dBm, 30.0);

    model.m_dOhms = 8.0;
    Enter(CLevelModel::EnteredDBm, 30.0);
    EXPECT_FALSE(model.m_bUndefined);
    EXPECT_DOUBLE_EQ(model.m_dVrms, std::sqrt(8.0));
    EXPECT_DOUBLE_EQ(model.m_dVpp, 8.0);
    EXPECT_EQ(model.m_nVrmsUnit, CLevelModel::Volt);
    EXPECT_EQ(model.m_nVppUnit, CLevelModel::Volt);
    EXPECT_DOUBLE_EQ(model.m_dPower, 1.0);
}

TEST_F(LevelModelWorkedValues, EightyDBVIsTenKilovoltsAndJustBelowStaysInVolts)
{
    Enter(CLevelModel::EnteredDBV, 80.0);
    EXPECT_SAME(model.m_dVrms, 1e4);
    EXPECT_EQ(model.m_nVrmsUnit, CLevelModel::KiloVolt);
    EXPECT_SAME(model.GetVrms(), 10.0);

    Enter(CLevelModel::EnteredDBV, 79.9999);
    EXPECT_LT(model.m_dVrms, 1e4);
    EXPECT_EQ(model.m_nVrmsUnit, CLevelModel::Volt);
}

TEST_F(LevelModelWorkedValues, MinusSixtyDBVIsOneMillivoltAndNanowatts)
{
    Enter(CLevelModel::EnteredDBV, -60.0);
    EXPECT_DOUBLE_EQ(model.m_dVrms, 1e-3);
    EXPECT_EQ(model.m_nVrmsUnit, CLevelModel::MilliVolt);
    EXPECT_DOUBLE_EQ(model.m_dPower, 1e-6 / 600.0);
    EXPECT_EQ(model.m_nPowerUnit, CLevelModel::NanoWatt);
}

TEST_F(LevelModelWorkedValues, TwoHundredDBuIsMegavoltsAndGigawatts)
{
    Enter(CLevelModel::EnteredDBu, 200.0);
    EXPECT_FALSE(model.m_bUndefined);
    EXPECT_EQ(model.m_nVrmsUnit, CLevelModel::MegaVolt);
    EXPECT_EQ(model.m_nVppUnit, CLevelModel::MegaVolt);
    EXPECT_EQ(model.m_nPowerUnit, CLevelModel::GigaWatt);
}

TEST_F(LevelModelWorkedValues, RmsRowReRangesPeakToPeakButKeepsTheRmsUnit)
{
    model.m_nVrmsUnit = CLevelModel::Volt;
    Enter(CLevelModel::EnteredVrms, 9000.0);
    EXPECT_EQ(model.m_nVrmsUnit, CLevelModel::Volt);
    EXPECT_EQ(model.m_nVppUnit, CLevelModel::KiloVolt);
    EXPECT_DOUBLE_EQ(model.GetVpp(), 9.0 * CLevelModel::kPeakToPeak);

    // A unit the user picked stands too, even where auto-ranging would differ.
    model.m_nVrmsUnit = CLevelModel::MilliVolt;
    Enter(CLevelModel::EnteredVrms, 2000.0);
    EXPECT_SAME(model.m_dVrms, 2.0);
    EXPECT_EQ(model.m_nVrmsUnit, CLevelModel::MilliVolt);
}

TEST_F(LevelModelWorkedValues, RmsOfZeroOrBelowIsUndefinedAndKeepsTheDBValuesAndRmsUnit)
{
    for (double volts : {0.0, -1.0, kNaN}) {
        SCOPED_TRACE(volts);
        Enter(CLevelModel::EnteredDBu, 10.0);
        const double dBu = model.m_dBu;
        const double dBV = model.m_dBV;
        ASSERT_FALSE(model.m_bUndefined);

        model.m_nVrmsUnit = CLevelModel::KiloVolt;
        Enter(CLevelModel::EnteredVrms, volts);
        EXPECT_TRUE(model.m_bUndefined);
        EXPECT_SAME(model.m_dBu, dBu);
        EXPECT_SAME(model.m_dBV, dBV);
        EXPECT_SAME(model.m_dBm, 0.0);
        EXPECT_SAME(model.m_dPower, 0.0);
        EXPECT_EQ(model.m_nPowerUnit, CLevelModel::Watt);
        EXPECT_EQ(model.m_nVrmsUnit, CLevelModel::KiloVolt);
    }
}

TEST_F(LevelModelWorkedValues, ZeroOrNegativeImpedanceLeavesEveryRowUndefined)
{
    for (double ohms : {0.0, -600.0}) {
        for (int row = CLevelModel::EnteredDBu; row <= CLevelModel::EnteredOhms; ++row) {
            SCOPED_TRACE(::testing::Message() << ohms << " ohms, entered " << row);
            CLevelModel engine;
            engine.m_dBu = 6.0;
            engine.m_dBV = 6.0;
            engine.m_dBm = 6.0;
            engine.m_dPower = 0.5;
            engine.m_dVrms = 2.0;
            engine.m_dOhms = ohms;
            engine.m_nPowerUnit = CLevelModel::KiloWatt;
            engine.m_nEntered = row;
            EXPECT_TRUE(engine.Calculate());

            EXPECT_TRUE(engine.m_bUndefined);
            EXPECT_SAME(engine.m_dBm, row == CLevelModel::EnteredDBm ? 6.0 : 0.0);
            EXPECT_SAME(engine.m_dPower, 0.0);
            EXPECT_EQ(engine.m_nPowerUnit,
                      row == CLevelModel::EnteredPower ? CLevelModel::KiloWatt : CLevelModel::Watt);
        }
    }
    // The dB rows still work out the other dB value and the voltages first.
    model.m_dOhms = 0.0;
    Enter(CLevelModel::EnteredDBV, 0.0);
    EXPECT_TRUE(model.m_bUndefined);
    EXPECT_SAME(model.m_dBu, -refDBV);
    EXPECT_SAME(model.m_dVrms, 1.0);
    EXPECT_SAME(model.m_dVpp, CLevelModel::kPeakToPeak);
}

TEST_F(LevelModelWorkedValues, NegativePowerIsUndefined)
{
    model.m_nPowerUnit = CLevelModel::Watt;
    Enter(CLevelModel::EnteredPower, -1.0);
    EXPECT_TRUE(model.m_bUndefined);
    EXPECT_TRUE(std::isnan(model.m_dVrms));
    EXPECT_SAME(model.m_dBm, 0.0);
    EXPECT_SAME(model.m_dPower, 0.0);
    EXPECT_EQ(model.m_nPowerUnit, CLevelModel::Watt);
}

TEST(LevelModelUnits, PowerBands)
{
    struct Case {
        double watts;
        int unit;
    };
    const Case cases[] = {
        {999999999.999999, CLevelModel::GigaWatt},
        {1e9, CLevelModel::GigaWatt},
        {999999999.999995, CLevelModel::GigaWatt},
        {kInf, CLevelModel::GigaWatt},
        {999999999.99999, CLevelModel::MegaWatt},
        {5e7, CLevelModel::MegaWatt},
        {1e6, CLevelModel::MegaWatt},
        {999999.999999, CLevelModel::MegaWatt},  // also the top of kW: the higher band wins
        {999999.9999989, CLevelModel::KiloWatt},
        {5e4, CLevelModel::KiloWatt},
        {1000.0, CLevelModel::KiloWatt},
        {999.9999999995, CLevelModel::KiloWatt},
        {999.999999999, CLevelModel::Watt},
        {500.0, CLevelModel::Watt},
        {1.0, CLevelModel::Watt},
        {0.999999995, CLevelModel::Watt},
        {0.99999999, CLevelModel::MilliWatt},
        {0.5, CLevelModel::MilliWatt},
        {0.001, CLevelModel::MilliWatt},
        {std::nextafter(0.000999999, 1.0), CLevelModel::MilliWatt},
        {0.000999999, CLevelModel::MicroWatt},
        {5e-4, CLevelModel::MicroWatt},
        {1e-6, CLevelModel::MicroWatt},
        {std::nextafter(9.99e-07, 1.0), CLevelModel::MicroWatt},
        {9.99e-07, CLevelModel::NanoWatt},
        {9.995e-07, CLevelModel::MicroWatt},
        {5e-7, CLevelModel::NanoWatt},
        {1e-9, CLevelModel::NanoWatt},
        {0.0, CLevelModel::NanoWatt},
        {-0.0, CLevelModel::NanoWatt},
        {-1.0, CLevelModel::NanoWatt},
        {-kInf, CLevelModel::NanoWatt},
        {kNaN, CLevelModel::NanoWatt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CLevelModel::SelectPowerUnit(c.watts), c.unit) << std::hexfloat << c.watts;
}

TEST(LevelModelUnits, VoltageBands)
{
    struct Case {
        double volts;
        int unit;
    };
    const Case cases[] = {
        {kInf, CLevelModel::MegaVolt},
        {1e7, CLevelModel::MegaVolt},
        {std::nextafter(1e7, 0.0), CLevelModel::KiloVolt},
        {1e4, CLevelModel::KiloVolt},
        {std::nextafter(1e4, 0.0), CLevelModel::Volt},
        {1.0, CLevelModel::Volt},
        {std::nextafter(1.0, 0.0), CLevelModel::MilliVolt},
        {1e-3, CLevelModel::MilliVolt},
        {0.0, CLevelModel::MilliVolt},
        {-0.0, CLevelModel::MilliVolt},
        {-5.0, CLevelModel::MilliVolt},
        {-kInf, CLevelModel::MilliVolt},
        {kNaN, CLevelModel::Volt},  // fails every comparison, so the fall-through band
    };
    for (const Case& c : cases)
        EXPECT_EQ(CLevelModel::SelectVoltageUnit(c.volts), c.unit) << std::hexfloat << c.volts;
}

// Each value is chosen so that multiplying by the factor and dividing by its
// reciprocal give different bits, in both directions.
TEST(LevelModelUnits, PowerSetAndGetMultiplyByTheUnitFactors)
{
    struct Case {
        int unit;
        double toWatts;
        double fromWatts;
        double value;
    };
    const Case cases[] = {
        {0, 1e-9, 1e9, 3.3}, {1, 1e-6, 1e6, 0.1}, {2, 1e-3, 1e3, 9.7}, {3, 1.0, 1.0, 9.7}, {4, 1e3, 1e-3, 9.7},
        {5, 1e6, 1e-6, 0.1}, {6, 1e9, 1e-9, 3.3}, {-1, 0.0, 0.0, 9.7}, {7, 0.0, 0.0, 9.7},
    };
    constexpr double kUntouched = 12345.0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.unit);
        const bool inRange = c.toWatts != 0.0;
        CLevelModel model;
        model.m_nPowerUnit = c.unit;
        model.m_dPower = kUntouched;
        model.SetPower(c.value);
        EXPECT_SAME(model.m_dPower, inRange ? c.value * c.toWatts : kUntouched);

        model.m_dPower = c.value;
        EXPECT_SAME(model.GetPower(), inRange ? c.value * c.fromWatts : 0.0);
        EXPECT_SAME(CLevelModel::PowerUnitFactor(c.unit), c.toWatts);
    }
    // Watts are stored and read back untouched, sign of zero included.
    CLevelModel model;
    model.m_nPowerUnit = CLevelModel::Watt;
    model.SetPower(-0.0);
    EXPECT_SAME(model.m_dPower, -0.0);
    EXPECT_SAME(model.GetPower(), -0.0);
}

TEST(LevelModelUnits, VoltageSetAndGetMultiplyByTheUnitFactors)
{
    struct Case {
        int unit;
        double toVolts;
        double fromVolts;
        double value;
    };
    const Case cases[] = {
        {0, 1e-3, 1e3, 9.7}, {1, 1.0, 1.0, 9.7},  {2, 1e3, 1e-3, 9.7},
        {3, 1e6, 1e-6, 0.1}, {-1, 0.0, 0.0, 9.7}, {4, 0.0, 0.0, 9.7},
    };
    constexpr double kUntouched = 12345.0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.unit);
        const bool inRange = c.toVolts != 0.0;
        CLevelModel model;
        model.m_nVrmsUnit = c.unit;
        model.m_nVppUnit = c.unit;
        model.m_dVrms = kUntouched;
        model.SetVrms(c.value);
        EXPECT_SAME(model.m_dVrms, inRange ? c.value * c.toVolts : kUntouched);

        model.m_dVrms = c.value;
        model.m_dVpp = c.value * 2.0;
        EXPECT_SAME(model.GetVrms(), inRange ? c.value * c.fromVolts : 0.0);
        EXPECT_SAME(model.GetVpp(), inRange ? (c.value * 2.0) * c.fromVolts : 0.0);
        EXPECT_SAME(CLevelModel::VoltageUnitFactor(c.unit), c.toVolts);
    }
    // The peak-to-peak voltage follows its own unit, not the RMS one.
    CLevelModel model;
    model.m_nVrmsUnit = CLevelModel::Volt;
    model.m_nVppUnit = CLevelModel::KiloVolt;
    model.m_dVrms = 9.7;
    model.m_dVpp = 9.7;
    EXPECT_SAME(model.GetVrms(), 9.7);
    EXPECT_SAME(model.GetVpp(), 9.7 * 1e-3);
}

TEST(LevelModelUnits, LabelsInListOrder)
{
    const std::string power[] = {"nW", "µW", "mW", "W", "kW", "MW", "GW"};
    const std::string volts[] = {"mV", "V", "kV", "MV"};
    for (int i = 0; i < CLevelModel::PowerUnitCount; ++i)
        EXPECT_EQ(CLevelModel::kPowerUnitLabels[i], power[i]);
    for (int i = 0; i < CLevelModel::VoltageUnitCount; ++i)
        EXPECT_EQ(CLevelModel::kVoltageUnitLabels[i], volts[i]);
}
