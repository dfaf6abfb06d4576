// The web build's extended intermediates: double-double arithmetic must
// round to float and double as the desktop's long double does wherever the
// result does not hinge on a 64-bit rounding, and convert like it.

#include "double_double.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

TEST(DoubleDouble, AgreesWithLongDoubleOnFloatFormulas)
{
    std::mt19937 random(7);
    std::uniform_real_distribution<float> value(-1000.0f, 1000.0f);
    for (int i = 0; i < 100000; ++i) {
        const float a = value(random), b = value(random), c = value(random);
        const long double x = (a * static_cast<long double>(b) + c) / (c - 0.37 * static_cast<long double>(a));
        const DoubleDouble y = (a * DoubleDouble(b) + c) / (c - 0.37 * DoubleDouble(a));
        ASSERT_EQ(static_cast<float>(x), static_cast<float>(y)) << a << ' ' << b << ' ' << c;
        ASSERT_EQ(static_cast<double>(a * static_cast<long double>(b) - c),
                  static_cast<double>(a * DoubleDouble(b) - c));
    }
}

TEST(DoubleDouble, RoundsToFloatOnceFromBothHalves)
{
    // 1 + 2^-24 lies halfway between the floats 1 and 1 + 2^-23.
    const DoubleDouble half = DoubleDouble(1.0) + std::ldexp(1.0, -24);
    EXPECT_EQ(static_cast<float>(half + 1e-30), 1.0f + std::ldexp(1.0f, -23));
    EXPECT_EQ(static_cast<float>(half - 1e-30), 1.0f);
    EXPECT_EQ(static_cast<float>(-half - 1e-30), -1.0f - std::ldexp(1.0f, -23));
    EXPECT_EQ(static_cast<float>(DoubleDouble(1) / 3), 1.0f / 3);
    EXPECT_EQ(static_cast<double>(DoubleDouble(1) / 3 * 3), 1.0);
}

TEST(DoubleDouble, RoundsPairsNearFloatMidpointsAsLongDouble)
{
    // hi on or next to a float midpoint, lo a power of two a few bits
    // below hi's last: hi + lo is exact in long double, the reference.
    std::mt19937 random(11);
    std::uniform_real_distribution<float> value(-1e6f, 1e6f);
    std::uniform_int_distribution<int> nudge(-2, 2), shift(54, 62);
    for (int i = 0; i < 100000; ++i) {
        const float f = value(random);
        double hi = 0.5 * (static_cast<double>(f) + std::nextafter(f, HUGE_VALF));
        for (int n = nudge(random); n != 0; n += n > 0 ? -1 : 1)
            hi = std::nextafter(hi, n > 0 ? HUGE_VAL : -HUGE_VAL);
        const double lo = (i % 2 ? 1 : -1) * std::ldexp(1.0, std::ilogb(hi) - shift(random));
        const long double exact = static_cast<long double>(hi) + lo;
        ASSERT_EQ(static_cast<float>(DoubleDouble(hi) + lo), static_cast<float>(exact)) << hi << ' ' << lo;
    }
}

TEST(DoubleDouble, TruncatesTowardZeroAcrossItsHalves)
{
    EXPECT_EQ(static_cast<long long>(DoubleDouble(5) - 1e-20), 4);
    EXPECT_EQ(static_cast<long long>(DoubleDouble(5) + 1e-20), 5);
    EXPECT_EQ(static_cast<int>(DoubleDouble(-5) + 1e-20), -4);
    EXPECT_EQ(static_cast<int>(DoubleDouble(-5) - 1e-20), -5);
    EXPECT_EQ(static_cast<int>(DoubleDouble(-2.75)), -2);
    const long long big = (1LL << 60) + 1;
    EXPECT_EQ(static_cast<long long>(DoubleDouble(big)), big);
    EXPECT_TRUE(DoubleDouble(5) - 1e-20 < 5.0f);
}
