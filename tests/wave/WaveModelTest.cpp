// The engine's arithmetic: every result to the last bit, and what a
// frequency of 0 or below leaves behind.

#include "calc/wave/WaveModel.h"
#include "tests/support/SameDouble.h"

#include <gtest/gtest.h>

namespace {

// The seven values Compute() derives from a frequency.
struct WaveResults {
    double period;
    double periodMs;
    double wavelengthCm;
    double wavelengthFt;
    double halfPeriodMs;
    double halfWavelengthCm;
    double halfWavelengthFt;
};

WaveResults ResultsOf(const CWaveModel& model)
{
    return {model.m_period,       model.m_periodMs,         model.m_wavelengthCm,    model.m_wavelengthFt,
            model.m_halfPeriodMs, model.m_halfWavelengthCm, model.m_halfWavelengthFt};
}

void ExpectSameBits(const WaveResults& actual, const WaveResults& expected)
{
    EXPECT_SAME(actual.period, expected.period);
    EXPECT_SAME(actual.periodMs, expected.periodMs);
    EXPECT_SAME(actual.wavelengthCm, expected.wavelengthCm);
    EXPECT_SAME(actual.wavelengthFt, expected.wavelengthFt);
    EXPECT_SAME(actual.halfPeriodMs, expected.halfPeriodMs);
    EXPECT_SAME(actual.halfWavelengthCm, expected.halfWavelengthCm);
    EXPECT_SAME(actual.halfWavelengthFt, expected.halfWavelengthFt);
}

// The steps one by one, each rounded to a double of its own through a
// volatile store, so nothing is fused or kept in wider precision.
WaveResults StepByStep(double frequency)
{
    volatile double period = 1.0 / frequency;
    volatile double wavelengthCm = period * 34330.0;
    volatile double wavelengthFt = wavelengthCm * 0.03280839895013123;
    volatile double periodMs = period * 1000.0;
    volatile double halfWavelengthCm = wavelengthCm * 0.5;
    volatile double halfWavelengthFt = wavelengthFt * 0.5;
    volatile double halfPeriodMs = periodMs * 0.5;
    return {period, periodMs, wavelengthCm, wavelengthFt, halfPeriodMs, halfWavelengthCm, halfWavelengthFt};
}

}  // namespace

TEST(WaveEngineTest, ComputesEveryResultToTheLastBit)
{
    // Physical values at 343.3 m/s and 30.48 cm per foot, as a check on the
    // constants that does not repeat the steps.
    struct Case {
        double frequency;
        double periodMs;
        double wavelengthCm;
    };
    const Case cases[] = {
        {440.0, 1000.0 / 440.0, 34330.0 / 440.0},
        {1000.0, 1.0, 34.33},
        {0.0001, 1.0e7, 3.433e8},  // the lowest frequency the dialog takes
        {100000.0, 0.01, 0.3433},  // the highest
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.frequency << " Hz");
        CWaveModel model;
        model.m_frequency = c.frequency;
        model.Compute();

        ExpectSameBits(ResultsOf(model), StepByStep(c.frequency));
        EXPECT_SAME(model.m_frequency, c.frequency);
        EXPECT_DOUBLE_EQ(model.m_periodMs, c.periodMs);
        EXPECT_DOUBLE_EQ(model.m_halfPeriodMs, c.periodMs / 2);
        EXPECT_DOUBLE_EQ(model.m_wavelengthCm, c.wavelengthCm);
        EXPECT_DOUBLE_EQ(model.m_wavelengthFt, c.wavelengthCm / 30.48);
        EXPECT_DOUBLE_EQ(model.m_halfWavelengthFt, c.wavelengthCm / 30.48 / 2);
    }
}

TEST(WaveEngineTest, FrequencyOfZeroOrBelowKeepsTheLastResults)
{
    for (const double frequency : {0.0, -0.0, -1.0, -440.0}) {
        SCOPED_TRACE(testing::Message() << frequency << " Hz");
        CWaveModel model;
        model.m_frequency = 440.0;
        model.Compute();
        const WaveResults at440 = ResultsOf(model);

        model.m_frequency = frequency;
        model.Compute();

        ExpectSameBits(ResultsOf(model), at440);
        EXPECT_SAME(model.m_frequency, frequency);
    }
}

TEST(WaveEngineTest, FirstComputeWithZeroLeavesEverythingZero)
{
    CWaveModel model;
    model.Compute();  // m_frequency starts at 0.0

    EXPECT_SAME(model.m_frequency, 0.0);
    ExpectSameBits(ResultsOf(model), WaveResults {});
    EXPECT_TRUE(model.m_note.empty());
}
