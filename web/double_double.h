#pragma once

// A double-double number: an unevaluated sum hi + lo of two doubles, about
// 106 significant bits, from double arithmetic alone. In WebAssembly long
// double is binary128 in software, several times slower than this; both
// carry the scenes' extended intermediates with more than the 64 bits x87
// has, and conversions back to float and double round correctly.
// -ffp-contract=off keeps the error-free transformations exact.

#include <cmath>
#include <cstdint>
#include <cstring>
#include <type_traits>

class DoubleDouble {
public:
    constexpr DoubleDouble() = default;
    template <class T, std::enable_if_t<std::is_arithmetic_v<T>, int> = 0>
    constexpr DoubleDouble(T value)  // NOLINT: as implicit as a long double
    {
        if constexpr (std::is_integral_v<T> && sizeof(T) > 4) {
            hi = static_cast<double>(value);
            lo = static_cast<double>(value - static_cast<T>(hi));
        } else {
            hi = static_cast<double>(value);
        }
    }

    template <class T, std::enable_if_t<std::is_arithmetic_v<T>, int> = 0>
    constexpr operator T() const  // NOLINT
    {
        if constexpr (std::is_same_v<T, float>)
            return toFloat();
        else if constexpr (std::is_floating_point_v<T>)
            return static_cast<T>(hi + lo);
        else
            return static_cast<T>(truncated());
    }

    friend constexpr DoubleDouble operator-(DoubleDouble a) { return {-a.hi, -a.lo}; }

    friend constexpr DoubleDouble operator+(DoubleDouble a, DoubleDouble b)
    {
        return sparse<twoSum, plusDouble, plusPair>(a, b);
    }
    friend constexpr DoubleDouble operator-(DoubleDouble a, DoubleDouble b) { return a + -b; }

    friend constexpr DoubleDouble operator*(DoubleDouble a, DoubleDouble b)
    {
        return sparse<twoProduct, timesDouble, timesPair>(a, b);
    }

    friend constexpr DoubleDouble operator/(DoubleDouble a, DoubleDouble b)
    {
        const double q1 = a.hi / b.hi;
        DoubleDouble r = a - b * q1;
        const double q2 = r.hi / b.hi;
        r = r - b * q2;
        const double q3 = r.hi / b.hi;
        return quickTwoSum(q1, q2) + q3;
    }

    friend constexpr bool operator<(DoubleDouble a, DoubleDouble b) { return a.hi < b.hi || (a.hi == b.hi && a.lo < b.lo); }
    friend constexpr bool operator>(DoubleDouble a, DoubleDouble b) { return b < a; }
    friend constexpr bool operator<=(DoubleDouble a, DoubleDouble b) { return !(b < a); }
    friend constexpr bool operator>=(DoubleDouble a, DoubleDouble b) { return !(a < b); }
    friend constexpr bool operator==(DoubleDouble a, DoubleDouble b) { return a.hi == b.hi && a.lo == b.lo; }
    friend constexpr bool operator!=(DoubleDouble a, DoubleDouble b) { return !(a == b); }

    // With a plain number on either side, as long double mixes.
#define DOUBLE_DOUBLE_MIXED(op, result)                                                 \
    template <class T, std::enable_if_t<std::is_arithmetic_v<T>, int> = 0>              \
    friend constexpr result operator op(DoubleDouble a, T b) { return a op DoubleDouble(b); }     \
    template <class T, std::enable_if_t<std::is_arithmetic_v<T>, int> = 0>              \
    friend constexpr result operator op(T a, DoubleDouble b) { return DoubleDouble(a) op b; }
    DOUBLE_DOUBLE_MIXED(+, DoubleDouble)
    DOUBLE_DOUBLE_MIXED(-, DoubleDouble)
    DOUBLE_DOUBLE_MIXED(*, DoubleDouble)
    DOUBLE_DOUBLE_MIXED(/, DoubleDouble)
    DOUBLE_DOUBLE_MIXED(<, bool)
    DOUBLE_DOUBLE_MIXED(>, bool)
    DOUBLE_DOUBLE_MIXED(<=, bool)
    DOUBLE_DOUBLE_MIXED(>=, bool)
    DOUBLE_DOUBLE_MIXED(==, bool)
    DOUBLE_DOUBLE_MIXED(!=, bool)
#undef DOUBLE_DOUBLE_MIXED

    DoubleDouble &operator+=(DoubleDouble b) { return *this = *this + b; }
    DoubleDouble &operator-=(DoubleDouble b) { return *this = *this - b; }
    DoubleDouble &operator*=(DoubleDouble b) { return *this = *this * b; }
    DoubleDouble &operator/=(DoubleDouble b) { return *this = *this / b; }

private:
    constexpr DoubleDouble(double h, double l) : hi(h), lo(l) {}

    using OfDoubles = DoubleDouble (*)(double, double);
    using OfPairAndDouble = DoubleDouble (*)(DoubleDouble, double);
    using OfPairs = DoubleDouble (*)(DoubleDouble, DoubleDouble);

    // A number converted from a float, a double or an int has a zero low
    // part (the compiler sees it); a sum or product with it skips that
    // part's terms, for the same value in half the work. For + and *, which
    // commute.
    template <OfDoubles ofHighs, OfPairAndDouble withDouble, OfPairs ofPairs>
    static constexpr DoubleDouble sparse(DoubleDouble a, DoubleDouble b)
    {
        if (a.lo == 0 && b.lo == 0)
            return ofHighs(a.hi, b.hi);
        if (b.lo == 0)
            return withDouble(a, b.hi);
        if (a.lo == 0)
            return withDouble(b, a.hi);
        return ofPairs(a, b);
    }

    static constexpr DoubleDouble plusPair(DoubleDouble a, DoubleDouble b)
    {
        DoubleDouble s = twoSum(a.hi, b.hi);
        const DoubleDouble t = twoSum(a.lo, b.lo);
        s = quickTwoSum(s.hi, s.lo + t.hi);
        return quickTwoSum(s.hi, s.lo + t.lo);
    }

    static constexpr DoubleDouble timesPair(DoubleDouble a, DoubleDouble b)
    {
        const DoubleDouble p = twoProduct(a.hi, b.hi);
        return quickTwoSum(p.hi, p.lo + (a.hi * b.lo + a.lo * b.hi));
    }

    // a + b with b's low part zero: a.lo + 0 is a.lo, and renormalising a
    // pair that quickTwoSum left normal changes nothing.
    static constexpr DoubleDouble plusDouble(DoubleDouble a, double b)
    {
        const DoubleDouble s = twoSum(a.hi, b);
        return quickTwoSum(s.hi, s.lo + a.lo);
    }

    // a * b with b's low part zero.
    static constexpr DoubleDouble timesDouble(DoubleDouble a, double b)
    {
        const DoubleDouble p = twoProduct(a.hi, b);
        return quickTwoSum(p.hi, p.lo + a.lo * b);
    }

    static constexpr DoubleDouble twoSum(double a, double b)
    {
        const double s = a + b;
        const double v = s - a;
        return {s, (a - (s - v)) + (b - v)};
    }

    // Needs |a| >= |b| (or a == 0).
    static constexpr DoubleDouble quickTwoSum(double a, double b)
    {
        const double s = a + b;
        return {s, b - (s - a)};
    }

    // Dekker's product: each factor split into two 26-bit halves.
    static constexpr DoubleDouble twoProduct(double a, double b)
    {
        const double p = a * b;
        const double ca = 134217729.0 * a, cb = 134217729.0 * b;
        const double ah = ca - (ca - a), al = a - ah;
        const double bh = cb - (cb - b), bl = b - bh;
        return {p, ((ah * bh - p) + ah * bl + al * bh) + al * bl};
    }

    // hi + lo rounded once to float. Where hi alone would not do, first to
    // the double that rounds it to odd (toward zero, last bit set if
    // anything was cut off), which keeps enough to round from again.
    float toFloat() const
    {
        std::uint64_t bits;
        std::memcpy(&bits, &hi, sizeof bits);
        // Unless hi lies exactly halfway between two normal floats (its
        // 25th significant bit set, none below), hi + lo rounds as hi does.
        if ((bits & 0x1fffffff) != 0x10000000 && std::fabs(hi) >= 0x1p-126)
            return static_cast<float>(hi);
        // A lo above or below zero takes an even hi to its odd neighbour
        // on lo's side: one down in magnitude toward zero, then the last
        // bit set.
        const std::uint64_t up = lo > 0, down = lo < 0;
        const std::uint64_t towardZero = bits >> 63 ? up : down;
        bits = (bits - towardZero) | up | down;
        double odd;
        std::memcpy(&odd, &bits, sizeof odd);
        return static_cast<float>(odd);
    }

    // Toward zero, as a conversion to an integer does.
    long long truncated() const
    {
        const double whole = std::trunc(hi);
        if (whole != hi)
            return static_cast<long long>(whole);
        // Just below a positive integer truncates one lower, just above a
        // negative one one higher.
        const double part = hi > 0 ? std::floor(lo) : std::ceil(lo);
        return static_cast<long long>(hi) + static_cast<long long>(part);
    }

    double hi = 0, lo = 0;
};
