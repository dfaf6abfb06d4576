// The portable 64-bit-significand type against x87's long double, where the
// machine has one: every operation and conversion must give the same bits.

#include "extended_float.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <utility>
#include <vector>

namespace {

constexpr bool kX87 = std::numeric_limits<long double>::digits == 64;

// The same number in both types.
struct Both {
    long double x87;
    ExtendedFloat portable;
};

// An exact power of two in both.
Both power(int e)
{
    long double l = 1;
    ExtendedFloat p = 1;
    for (; e > 900; e -= 900)
        l *= std::ldexp(1.0, 900), p = p * std::ldexp(1.0, 900);
    for (; e < -900; e += 900)
        l *= std::ldexp(1.0, -900), p = p * std::ldexp(1.0, -900);
    return {l * std::ldexp(1.0, e), p * std::ldexp(1.0, e)};
}

// significand * 2^e, negated if asked: any 64-bit significand.
Both number(std::uint64_t significand, int e, bool negative)
{
    const Both scale = power(e);
    const Both n{static_cast<long double>(significand) * scale.x87, ExtendedFloat(significand) * scale.portable};
    return negative ? Both{-n.x87, -n.portable} : n;
}

::testing::AssertionResult same(ExtendedFloat portable, long double x87)
{
    const long double got = static_cast<long double>(portable);
    if (got == x87 && std::signbit(got) == std::signbit(x87))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << std::hexfloat << "portable " << got << ", x87 " << x87;
}

template <class T>
bool sameBits(T a, T b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Both results of each operation, and the comparisons, for a and b.
void expectOperationsAgree(const Both &a, const Both &b)
{
    ASSERT_TRUE(same(a.portable + b.portable, a.x87 + b.x87)) << std::hexfloat << a.x87 << " + " << b.x87;
    ASSERT_TRUE(same(a.portable - b.portable, a.x87 - b.x87)) << std::hexfloat << a.x87 << " - " << b.x87;
    ASSERT_TRUE(same(a.portable * b.portable, a.x87 * b.x87)) << std::hexfloat << a.x87 << " * " << b.x87;
    if (b.x87 != 0) {
        ASSERT_TRUE(same(a.portable / b.portable, a.x87 / b.x87)) << std::hexfloat << a.x87 << " / " << b.x87;
    }
    ASSERT_EQ(a.portable < b.portable, a.x87 < b.x87) << std::hexfloat << a.x87 << " < " << b.x87;
    ASSERT_EQ(a.portable <= b.portable, a.x87 <= b.x87) << std::hexfloat << a.x87 << " <= " << b.x87;
    ASSERT_EQ(a.portable == b.portable, a.x87 == b.x87) << std::hexfloat << a.x87 << " == " << b.x87;
}

void expectConversionsAgree(const Both &n)
{
    ASSERT_TRUE(sameBits(static_cast<float>(n.portable), static_cast<float>(n.x87))) << std::hexfloat << n.x87;
    ASSERT_TRUE(sameBits(static_cast<double>(n.portable), static_cast<double>(n.x87))) << std::hexfloat << n.x87;
    if (std::fabs(n.x87) < 0x1p31L) {
        ASSERT_EQ(static_cast<int>(n.portable), static_cast<int>(n.x87)) << std::hexfloat << n.x87;
    }
    if (std::fabs(n.x87) < 0x1p63L) {
        ASSERT_EQ(static_cast<long long>(n.portable), static_cast<long long>(n.x87)) << std::hexfloat << n.x87;
    }
}

// Significands whose last bits sit on and beside the rounding points of
// 64, 53 and 24 bits (ties, one above, one below), and others.
constexpr std::uint64_t kEdgeSignificands[] = {
    0x8000000000000000, 0x8000000000000001, 0xffffffffffffffff, 0xfffffffffffffffe,
    0x8000000000000400, 0x8000000000000c00, 0x80000000000007ff, 0x8000008000000000,
    0x8000018000000000, 0xffffff8000000000, 0xc000000000000001, 0xaaaaaaaaaaaaaaab,
};

} // namespace

TEST(ExtendedFloat, EdgeCasesRoundAsX87)
{
    if (!kX87)
        GTEST_SKIP() << "no x87 long double to compare with";
    // Exponents apart by nothing, by one, around 53, 64 and 128 places
    // (where a sum's smaller part turns into a tie, then sticky bits alone).
    std::vector<Both> numbers{{0.0L, 0.0}, {-0.0L, -0.0}};
    for (const int e : {0, 1, 2, 11, 12, 52, 53, 62, 63, 64, 65, 66, 127, 128, 129, 300})
        for (const std::uint64_t s : kEdgeSignificands)
            for (const bool negative : {false, true})
                numbers.push_back(number(s, e, negative));
    for (const Both &a : numbers)
        for (const Both &b : numbers)
            ASSERT_NO_FATAL_FAILURE(expectOperationsAgree(a, b));

    // Conversions to float across its range: overflow, the normal numbers,
    // the subnormals, and below them.
    for (const int top : {127, 128, -126, -149, -150})
        for (int e = top - 66; e <= top + 2; ++e)
            for (const std::uint64_t s : kEdgeSignificands)
                for (const bool negative : {false, true})
                    ASSERT_NO_FATAL_FAILURE(expectConversionsAgree(number(s, e - 63, negative)));
    for (const Both &n : numbers)
        ASSERT_NO_FATAL_FAILURE(expectConversionsAgree(n));
    // Magnitudes far beyond what the scenes reach, up to the type's limits
    // (2^-1000 to 2^1000 for every result).
    for (const auto &[e, f] : {std::pair{-976, 20}, {-420, -420}, {-420, 420}, {-30, 0}, {420, 420}, {977, -20}})
        ASSERT_NO_FATAL_FAILURE(expectOperationsAgree(number(0xc000000000000001, e - 64, false),
                                                      number(0xfffffffffffffffe, f - 64, true)));
}

TEST(ExtendedFloat, ConvertsIntegersFloatsAndDoublesExactly)
{
    if (!kX87)
        GTEST_SKIP() << "no x87 long double to compare with";
    for (const long long i : {0LL, 1LL, -1LL, 129064LL, -2147483648LL, (1LL << 62) + 1, -((1LL << 62) - 1) * 2,
                              std::numeric_limits<long long>::min()})
        ASSERT_TRUE(same(ExtendedFloat(i), static_cast<long double>(i))) << i;
    for (const double d : {0x1p-1074, -0x1.fffffffffffffp1023, 0x1.0000000000001p-1022, -0x0.fffffffffffffp-1022})
        ASSERT_TRUE(same(ExtendedFloat(d), d)) << d;
    for (const float f : {0x1p-149f, -0x1.fffffep127f, 0x0.fffffep-126f, -0.0f})
        ASSERT_TRUE(same(ExtendedFloat(f), f)) << f;
    EXPECT_EQ(static_cast<int>(ExtendedFloat(-2.75)), -2);
    // 5 - 1e-18 keeps a 64-bit significand below 5; 5 - 1e-20 rounds to 5.
    EXPECT_EQ(static_cast<long long>(ExtendedFloat(5) - 1e-18), 4);
    EXPECT_EQ(static_cast<long long>(ExtendedFloat(5) - 1e-20), 5);
    EXPECT_EQ(static_cast<int>(ExtendedFloat(-5) + 1e-18), -4);
}

TEST(ExtendedFloat, RoundsToFloatAndDoubleThroughSixtyFourBits)
{
    // Halfway between two floats (doubles), plus far less than a 64-bit
    // step: x87 keeps the halfway point, which then rounds to even.
    const ExtendedFloat floatTie = ExtendedFloat(1 + 0x1p-24) + 0x1p-80;
    EXPECT_EQ(static_cast<float>(floatTie), 1.0f);
    EXPECT_EQ(static_cast<float>(-floatTie), -1.0f);
    EXPECT_EQ(static_cast<float>(floatTie + 0x1p-60), 1 + 0x1p-23f);
    const ExtendedFloat doubleTie = ExtendedFloat(1.0) + 0x1p-53 + 0x1p-100;
    EXPECT_EQ(static_cast<double>(doubleTie), 1.0);
    EXPECT_EQ(static_cast<double>(doubleTie + 0x1p-62), 1 + 0x1p-52);
}

// Operands as the scenes have them: times, sizes and loop counters; float
// parameters and their steps; doubles from sin and cos and the constants
// they are scaled by (up to about 9e6); and the results of earlier
// operations, chained.
TEST(ExtendedFloat, ScenesOperandsRoundAsX87)
{
    if (!kX87)
        GTEST_SKIP() << "no x87 long double to compare with";
    std::mt19937_64 random(29);
    std::uniform_int_distribution<int> kind(0, 5), op(0, 3), integer(-140000, 140000);
    std::uniform_real_distribution<double> unit(-1, 1), parameter(0, 4000), large(-9e6, 9e6), logScale(-30, 30);
    std::vector<Both> results(64, Both{1.0L, 1.0});
    const auto operand = [&]() -> Both {
        switch (kind(random)) {
        case 0: { const int i = integer(random); return {static_cast<long double>(i), i}; }
        case 1: { const float f = static_cast<float>(parameter(random)); return {f, f}; }
        case 2: { const double d = std::sin(large(random)); return {d, d}; }
        case 3: { const double d = unit(random) * std::exp2(logScale(random)); return {d, d}; }
        case 4: { const float f = static_cast<float>(large(random)); return {f, f}; }
        default: return results[random() % results.size()];
        }
    };
    for (int i = 0; i < 3000000; ++i) {
        const Both a = operand(), b = operand();
        Both r;
        switch (op(random)) {
        case 0: r = {a.x87 + b.x87, a.portable + b.portable}; break;
        case 1: r = {a.x87 - b.x87, a.portable - b.portable}; break;
        case 2: r = {a.x87 * b.x87, a.portable * b.portable}; break;
        default:
            if (b.x87 == 0)
                continue;
            r = {a.x87 / b.x87, a.portable / b.portable};
        }
        ASSERT_TRUE(same(r.portable, r.x87)) << std::hexfloat << a.x87 << ", " << b.x87;
        ASSERT_EQ(a.portable < b.portable, a.x87 < b.x87);
        ASSERT_NO_FATAL_FAILURE(expectConversionsAgree(r));
        // Keep results the scenes could reach: neither huge nor tiny.
        if (std::fabs(r.x87) < 1e12L && std::fabs(r.x87) > 1e-12L)
            results[random() % results.size()] = r;
    }
    // Sums and products of plain doubles and floats, where the compiler
    // sees that their low parts are zero and takes the shorter way.
    for (int i = 0; i < 1000000; ++i) {
        const double a = unit(random) * std::exp2(logScale(random));
        const float b = static_cast<float>(large(random));
        const Both sum{a + static_cast<long double>(b), a + ExtendedFloat(b)};
        const Both product{a * static_cast<long double>(b), a * ExtendedFloat(b)};
        ASSERT_TRUE(same(sum.portable, sum.x87)) << std::hexfloat << a << ", " << b;
        ASSERT_TRUE(same(product.portable, product.x87)) << std::hexfloat << a << ", " << b;
        ASSERT_NO_FATAL_FAILURE(expectConversionsAgree(sum));
        ASSERT_NO_FATAL_FAILURE(expectConversionsAgree(product));
    }
}

// Products of a 64-bit significand and a double's whose exact value lies
// on a halfway point of the 64-bit grid, or a unit of its last place to
// either side: where working in doubles first has to notice how close it is.
TEST(ExtendedFloat, ProductsOnAndBesideTiesRoundAsX87)
{
    if (!kX87)
        GTEST_SKIP() << "no x87 long double to compare with";
    std::mt19937_64 random(64);
    int tried = 0;
    while (tried < 3000) {
        const std::uint64_t b = (random() >> 11) | 1 | std::uint64_t{1} << 52;
        // The inverse of the odd b modulo 2^64, by Newton's iteration.
        std::uint64_t inverse = b;
        for (int i = 0; i < 6; ++i)
            inverse *= 2 - b * inverse;
        for (const int below : {52, 53}) {
            const std::uint64_t mask = (std::uint64_t{1} << below) - 1;
            for (const std::int64_t beside : {0, -1, 1}) {
                const std::uint64_t low = ((std::uint64_t{1} << (below - 1)) + beside) * inverse & mask;
                const std::uint64_t a = ((random() | std::uint64_t{1} << 63) & ~mask) | low;
                // Only where the product's bits below the grid are those set.
                const unsigned __int128 product = static_cast<unsigned __int128>(a) * b;
                if ((product >> (below + 63)) != 1)
                    continue;
                ++tried;
                const bool negative = random() & 1;
                const Both x = number(a, -63, negative), y = number(b, static_cast<int>(random() % 40) - 72, false);
                ASSERT_TRUE(same(x.portable * y.portable, x.x87 * y.x87)) << std::hex << a << " * " << b;
                ASSERT_TRUE(same(y.portable * x.portable, y.x87 * x.x87)) << std::hex << b << " * " << a;
            }
        }
    }
}

// double((a + b) * c) in one step, for a kept as its double and the rest,
// against x87's sum and product: on angles as the scenes make them, and on
// products made to land within a few 64-bit steps of a halfway point
// between two doubles, where working in doubles has to give way.
TEST(ExtendedFloat, SumTimesADoubleRoundsAsX87)
{
    if (!kX87)
        GTEST_SKIP() << "no x87 long double to compare with";
    const auto agree = [](long double a, double b, double c) -> ::testing::AssertionResult {
        const double hi = static_cast<double>(a), lo = static_cast<double>(a - hi);
        const double got = ExtendedFloat::sumTimesAsDouble(hi, lo, b, c);
        const double x87 = static_cast<double>((a + b) * c);
        if (sameBits(got, x87))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << std::hexfloat << "(" << a << " + " << b << ") * " << c << ": " << got
                                             << ", x87 " << x87;
    };
    std::mt19937_64 random(31);
    std::uniform_real_distribution<double> multiplier(1e6, 9e6), phase(0.5, 130), factor(1, 8);
    for (int i = 0; i < 1000000; ++i) {
        const long double noise = std::sin(multiplier(random));
        ASSERT_TRUE(agree(noise * static_cast<float>(multiplier(random)), phase(random), 6.28318536));
    }
    for (int i = 0; i < 300000; ++i) {
        const double q = multiplier(random), c = factor(random);
        const long double lastPlace = std::nextafter(q, 2 * q) - q;
        const long double halfway = q + lastPlace / 2 + static_cast<int>(random() % 5 - 2) * std::ldexp(lastPlace, -11);
        const double b = phase(random);
        ASSERT_TRUE(agree(halfway / c - b, b, c));
    }
}
