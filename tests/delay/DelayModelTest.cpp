#include "calc/delay/DelayModel.h"
#include "tests/support/SameDouble.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

struct Lengths {
    double bpm, bar44, bar34, half, quarter, eighth, sixteenth, thirtySecond;
};

// Each length is the quarter note times its factor, exactly as doubles do it.
Lengths Expected(double bpm)
{
    const double q = 60000.0 / bpm;
    return {bpm, q * 4.0, q * 3.0, q * 2.0, q, q * 0.5, q * 0.25, q * 0.125};
}

void ExpectLengths(const CDelayModel& m, const Lengths& e)
{
    EXPECT_SAME(m.m_bar44, e.bar44);
    EXPECT_SAME(m.m_bar34, e.bar34);
    EXPECT_SAME(m.m_half, e.half);
    EXPECT_SAME(m.m_quarter, e.quarter);
    EXPECT_SAME(m.m_eighth, e.eighth);
    EXPECT_SAME(m.m_sixteenth, e.sixteenth);
    EXPECT_SAME(m.m_thirtySecond, e.thirtySecond);
}

TEST(DelayModel, LengthsAreTheQuarterNoteTimesTheirFactor)
{
    for (double bpm : {1.0, 7.0, 120.0, 133.3333, 999.9999, 1000.0}) {
        SCOPED_TRACE(bpm);
        CDelayModel m;
        m.SetBpm(bpm);
        EXPECT_SAME(m.m_bpm, bpm);
        ExpectLengths(m, Expected(bpm));
    }
}

TEST(DelayModel, WorkedValues)
{
    CDelayModel m;
    m.SetBpm(120.0);
    EXPECT_SAME(m.m_quarter, 500.0);
    EXPECT_SAME(m.m_half, 1000.0);
    EXPECT_SAME(m.m_bar44, 2000.0);
    EXPECT_SAME(m.m_bar34, 1500.0);
    EXPECT_SAME(m.m_thirtySecond, 62.5);
    m.SetBpm(1000.0);
    EXPECT_SAME(m.m_quarter, 60.0);
    EXPECT_SAME(m.m_thirtySecond, 7.5);
    m.SetBpm(1.0);
    EXPECT_SAME(m.m_bar44, 240000.0);
}

// 60000 * 3 / 7 and (60000 / 7) * 3 differ in the last bit: the order is the
// quarter note first.
TEST(DelayModel, OrderOfOperationsShowsInTheLastBit)
{
    CDelayModel m;
    m.SetBpm(7.0);
    const double quarter = 60000.0 / 7.0;
    EXPECT_SAME(m.m_bar34, quarter * 3.0);
    EXPECT_FALSE(testing_support::SameDouble(m.m_bar34, 60000.0 * 3.0 / 7.0));
}

TEST(DelayModel, ATempoOfZeroOrBelowKeepsTheLengths)
{
    for (double bad : {0.0, -0.0, -120.0, std::numeric_limits<double>::quiet_NaN()}) {
        SCOPED_TRACE(bad);
        CDelayModel m;
        m.SetBpm(120.0);
        m.SetBpm(bad);
        ExpectLengths(m, Expected(120.0));
        // The tempo itself is stored.
        EXPECT_SAME(m.m_bpm, bad);
    }
}

}  // namespace
