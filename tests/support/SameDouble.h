#pragma once
// Comparing an engine's doubles to the last bit. EXPECT_EQ takes -0.0 for 0.0
// and never matches a NaN; this takes neither: the bits must be the same,
// except that any NaN matches any NaN.

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <ios>

namespace testing_support {

inline ::testing::AssertionResult SameDouble(double actual, double expected)
{
    if (std::isnan(actual) && std::isnan(expected))
        return ::testing::AssertionSuccess();
    if (std::bit_cast<std::uint64_t>(actual) == std::bit_cast<std::uint64_t>(expected))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << std::hexfloat << actual << " is not bit-identical to " << expected;
}

}  // namespace testing_support

#define EXPECT_SAME(actual, expected) EXPECT_TRUE(::testing_support::SameDouble((actual), (expected))) << #actual
