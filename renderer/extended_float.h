#pragma once

// A binary floating-point number with x87 extended's 64-bit significand,
// from hardware doubles and 64-bit integers, for machines whose long double
// is another format (arm64's and riscv64's binary128, WebAssembly's). Every
// operation rounds once to 64 bits, to nearest with ties to even, exactly as
// x87 does with its precision control at extended: the same sums,
// products, quotients, comparisons and conversions to and from float,
// double and the integers, and so the same pictures.
//
// A value is kept as a pair of doubles hi + lo, hi that sum rounded to
// double, and stands for that sum rounded to 64 bits. Conversions from
// float, double and int are exact and free; sums and products of two
// doubles are worked out exactly in doubles, and rounded to 64 bits only
// when the value is used: not at all where it is next rounded to float or
// double, except where it lies next to a halfway point. A product of a
// value and a double is worked out in doubles closely enough to round it
// right, unless it lies next to a halfway point of the 64-bit grid. What
// doubles cannot do exactly (other products, quotients, sums of far apart
// numbers, numbers near the ends of double's range, those halfway points)
// goes through Unpacked or the integer significands.
//
// The values must lie within double's normal range, zero apart, with room
// for 64 bits below: 2^-1000 to 2^1000 in magnitude. The scenes' values come
// from floats, doubles and ints through a few operations each, far from
// those ends. There x87 rounds every result as this type does; conversions
// to float round into float's subnormals and overflow to infinity, as x87's
// stores do. Infinities and NaNs are not represented: no scene makes one.

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <type_traits>

#ifndef __SIZEOF_INT128__
#error "This machine's long double is not x87 extended and its compiler has no unsigned __int128, which the portable 64-bit-significand type needs: the scenes cannot be computed exactly here"
#endif
static_assert(std::numeric_limits<double>::is_iec559 && std::numeric_limits<double>::digits == 53 &&
                  std::numeric_limits<float>::is_iec559 && std::numeric_limits<float>::digits == 24,
              "the portable 64-bit-significand type reads IEEE binary32 and binary64 bit patterns");

namespace extended_float {

// The fast paths are inlined however large the function they land in.
#define EXTENDED_FLOAT_INLINE [[gnu::always_inline]]

// The same number as a sign, an int32 exponent and a 64-bit significand
// with its top bit set, for any exponent: what ExtendedFloat falls back on.
class Unpacked {
public:
    constexpr Unpacked() = default;

    // Exact: every double and 64-bit integer fits.
    explicit constexpr Unpacked(double value)
        : Unpacked(fromBits<std::uint64_t, 52, 11>(__builtin_bit_cast(std::uint64_t, value)))
    {
    }
    template <class Integer, std::enable_if_t<std::is_integral_v<Integer>, int> = 0>
    explicit constexpr Unpacked(Integer value) : Unpacked(fromInteger(value))
    {
    }

    // Rounded once to double, subnormals included; beyond the largest
    // double, infinity.
    explicit constexpr operator double() const
    {
        return __builtin_bit_cast(double, toBits<std::uint64_t, 52, 11>());
    }

    friend constexpr Unpacked operator-(Unpacked a)
    {
        a.negative_ = !a.negative_;
        return a;
    }

    friend constexpr Unpacked operator+(Unpacked a, Unpacked b) { return sum(a, b); }
    friend constexpr Unpacked operator-(Unpacked a, Unpacked b) { return sum(a, -b); }

    friend constexpr Unpacked operator*(Unpacked a, Unpacked b)
    {
        const bool negative = a.negative_ != b.negative_;
        if (a.significand_ == 0 || b.significand_ == 0)
            return zero(negative);
        // Two significands of [2^63, 2^64) multiply to [2^126, 2^128).
        Wide product = static_cast<Wide>(a.significand_) * b.significand_;
        const int carry = static_cast<int>(product >> 127);
        product <<= 1 - carry;
        return rounded(negative, a.exponent_ + b.exponent_ + carry, high(product), low(product));
    }

    friend constexpr Unpacked operator/(Unpacked a, Unpacked b)
    {
        const bool negative = a.negative_ != b.negative_;
        if (a.significand_ == 0)
            return zero(negative);
        // 64 quotient bits: the dividend shifted so that it lies between
        // 2^63 and 2^64 times the divisor. The remainder against half the
        // divisor decides the rounding.
        const bool smaller = a.significand_ < b.significand_;
        const Wide dividend = static_cast<Wide>(a.significand_) << (smaller ? 64 : 63);
        const std::uint64_t quotient = static_cast<std::uint64_t>(dividend / b.significand_);
        // Below the divisor, so its low 64 bits are all of it.
        const std::uint64_t remainder = low(dividend) - quotient * b.significand_;
        // Whether remainder / divisor lies above one half, which is all
        // rounded() needs: it is never exactly a half, as a quotient of
        // 64-bit significands never ends in a 65th bit (its odd part would
        // have to divide the dividend's, which is smaller).
        const std::uint64_t tail = remainder > b.significand_ - remainder ? kHalf + 1 : 0;
        return rounded(negative, a.exponent_ - b.exponent_ - smaller, quotient, tail);
    }

private:
    using Wide = unsigned __int128;
    static constexpr std::uint64_t kHalf = std::uint64_t{1} << 63;
    // Zero's exponent lies below every other, so that ordering by exponent
    // first orders by magnitude.
    static constexpr std::int32_t kZeroExponent = std::numeric_limits<std::int32_t>::min() / 2;

    constexpr Unpacked(bool negative, std::int32_t exponent, std::uint64_t significand)
        : significand_(significand), exponent_(exponent), negative_(negative)
    {
    }

    static constexpr Unpacked zero(bool negative) { return {negative, kZeroExponent, 0}; }

    static constexpr std::uint64_t high(Wide w) { return static_cast<std::uint64_t>(w >> 64); }
    static constexpr std::uint64_t low(Wide w) { return static_cast<std::uint64_t>(w); }
    static constexpr int leadingZeros(std::uint64_t w) { return __builtin_clzll(w); }

    // significand (top bit set) plus rest / 2^64 of its last place, rounded
    // to nearest, ties to even.
    static constexpr Unpacked rounded(bool negative, std::int32_t exponent, std::uint64_t significand,
                                           std::uint64_t rest)
    {
        if (rest > kHalf || (rest == kHalf && (significand & 1))) {
            if (++significand == 0) {
                significand = kHalf;
                ++exponent;
            }
        }
        return {negative, exponent, significand};
    }

    // |a| < |b|.
    static constexpr bool magnitudeBelow(Unpacked a, Unpacked b)
    {
        return a.exponent_ < b.exponent_ || (a.exponent_ == b.exponent_ && a.significand_ < b.significand_);
    }

    static constexpr Unpacked sum(Unpacked a, Unpacked b)
    {
        if (magnitudeBelow(a, b)) {
            const Unpacked larger = b;
            b = a;
            a = larger;
        }
        // 66 places down, b is less than half the gap from a to either
        // neighbour (a power of two's lower one is half as far): a it is.
        // So it is for b zero, whose exponent lies below all others.
        const std::uint32_t shift = static_cast<std::uint32_t>(a.exponent_ - b.exponent_);
        if (shift >= 66)
            return a;
        // b in a's places: whole ones, and what falls below a's last place
        // as a 64-bit fraction of it. That is exact up to 64 places down; at
        // 65 the bit it drops is kept as a sticky last bit, too far below
        // the rounding point to change where the result rounds.
        std::uint64_t whole = 0, fraction = b.significand_;
        if (shift < 64) {
            whole = b.significand_ >> shift;
            fraction = (b.significand_ << 1) << (63 - shift);
        } else if (shift == 65) {
            fraction = (b.significand_ >> 1) | (b.significand_ & 1);
        }
        if (a.negative_ == b.negative_) {
            const std::uint64_t total = a.significand_ + whole;
            if (total >= a.significand_)
                return rounded(a.negative_, a.exponent_, total, fraction);
            // A carry out (b was less than 64 places down, so the fraction
            // ends in a zero): one place up, the dropped bit on top of it.
            return rounded(a.negative_, a.exponent_ + 1, (total >> 1) | kHalf,
                           (total << 63) | (fraction >> 1));
        }
        // a - b, borrowing a whole one where b has a fraction.
        std::uint64_t difference = a.significand_ - whole - (fraction != 0);
        std::uint64_t rest = 0 - fraction;
        std::int32_t exponent = a.exponent_;
        if (!(difference & kHalf)) {
            // Only b within a place of a can cancel more than one bit, and
            // then its fraction is a single bit that the shift takes in.
            if (difference == 0) {
                if (rest == 0)
                    return zero(false);
                difference = rest;
                rest = 0;
                exponent -= 64;
            }
            const int zeros = leadingZeros(difference);
            if (zeros != 0) {
                difference = (difference << zeros) | (rest >> (64 - zeros));
                rest <<= zeros;
                exponent -= zeros;
            }
        }
        return rounded(a.negative_, exponent, difference, rest);
    }

    // An IEEE number's bits: `fraction` bits of fraction below `exponent`
    // bits of biased exponent, and the sign.
    template <class Bits, int fraction, int exponent>
    static constexpr Unpacked fromBits(Bits bits)
    {
        constexpr int bias = (1 << (exponent - 1)) - 1;
        const bool negative = bits >> (fraction + exponent);
        const int biased = static_cast<int>((bits >> fraction) & ((1u << exponent) - 1));
        const std::uint64_t field = bits & ((Bits{1} << fraction) - 1);
        if (biased != 0)
            return {negative, biased - bias, (field | std::uint64_t{1} << fraction) << (63 - fraction)};
        if (field == 0)
            return zero(negative);
        // A subnormal: field * 2^(1 - bias - fraction).
        const int zeros = leadingZeros(field);
        return {negative, 1 - bias - fraction + 63 - zeros, field << zeros};
    }

    template <class Integer>
    static constexpr Unpacked fromInteger(Integer value)
    {
        bool negative = false;
        if constexpr (std::is_signed_v<Integer>)
            negative = value < 0;
        const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(value)
                                                 : static_cast<std::uint64_t>(value);
        if (magnitude == 0)
            return zero(false);
        const int zeros = leadingZeros(magnitude);
        return {negative, 63 - zeros, magnitude << zeros};
    }

    // Rounded once to the IEEE format of fromBits.
    template <class Bits, int fraction, int exponent>
    constexpr Bits toBits() const
    {
        constexpr int bias = (1 << (exponent - 1)) - 1;
        const Bits sign = static_cast<Bits>(negative_) << (fraction + exponent);
        if (significand_ == 0)
            return sign;
        // Places cut off: those below the format's precision, and as many
        // more as the number lies below its normal range.
        int cut = 63 - fraction;
        if (exponent_ < 1 - bias)
            cut += 1 - bias - exponent_;
        if (cut > 64)
            return sign;
        const std::uint64_t kept = cut == 64 ? 0 : significand_ >> cut;
        const std::uint64_t rest = significand_ << (64 - cut);
        const std::uint64_t up = rest > kHalf || (rest == kHalf && (kept & 1));
        // Rounding up may carry into the exponent field: from the largest
        // subnormal to the smallest normal, from 2^p - 1 to the next power.
        const std::uint64_t magnitude = kept + up;
        if (exponent_ < 1 - bias)
            return sign | static_cast<Bits>(magnitude);
        const std::uint64_t biased = static_cast<std::uint64_t>(exponent_ + bias);
        if (exponent_ > bias || biased + (magnitude >> (fraction + 1)) >= (1u << exponent) - 1)
            return sign | static_cast<Bits>(((Bits{1} << exponent) - 1) << fraction);
        return sign | static_cast<Bits>((biased << fraction) + magnitude - (std::uint64_t{1} << fraction));
    }

    std::uint64_t significand_ = 0;  // top bit set, except in zero
    std::int32_t exponent_ = kZeroExponent;  // of the top bit
    bool negative_ = false;
};

} // namespace extended_float

class ExtendedFloat {
public:
    constexpr ExtendedFloat() = default;

    // Exact, as every float, double and 64-bit integer fits a 64-bit
    // significand.
    template <class T, std::enable_if_t<std::is_arithmetic_v<T>, int> = 0>
    EXTENDED_FLOAT_INLINE constexpr ExtendedFloat(T value)  // NOLINT: as implicit as a long double
    {
        if constexpr (std::is_same_v<T, float> || std::is_same_v<T, double> ||
                      (std::is_integral_v<T> && sizeof(T) <= 4)) {
            hi_ = value;
        } else if constexpr (std::is_integral_v<T>) {
            if (value <= (T{1} << 53) && (!std::is_signed_v<T> || value >= -(T{1} << 53)))
                hi_ = static_cast<double>(value);
            else
                *this = packed(extended_float::Unpacked(value));
        } else {
            static_assert(!sizeof(T), "convert a long double through double");
        }
    }

    template <class T, std::enable_if_t<std::is_arithmetic_v<T>, int> = 0>
    EXTENDED_FLOAT_INLINE constexpr operator T() const  // NOLINT
    {
        if constexpr (std::is_same_v<T, double>)
            return toDouble();
        else if constexpr (std::is_same_v<T, float>)
            return toFloat();
        else if constexpr (std::is_integral_v<T> && std::is_signed_v<T>)
            return roundedForTruncation().template truncated<T>();
        else if constexpr (std::is_same_v<T, long double> && std::numeric_limits<long double>::digits >= 64)
            return rounded().exactly();
        else
            static_assert(!sizeof(T), "no conversion to this type");
    }

    EXTENDED_FLOAT_INLINE friend constexpr ExtendedFloat operator-(ExtendedFloat a) { return {-a.hi_, -a.lo_}; }

    EXTENDED_FLOAT_INLINE friend constexpr ExtendedFloat operator+(ExtendedFloat a, ExtendedFloat b)
    {
        a = a.rounded();
        b = b.rounded();
        // Numbers converted from a float, a double or an int have no low part
        // (the compiler sees it): their sum is two doubles exactly.
        if (a.lo_ == 0 && b.lo_ == 0)
            return twoSum(a.hi_, b.hi_);
        return sumOfPairs(a, b);
    }
    EXTENDED_FLOAT_INLINE friend constexpr ExtendedFloat operator-(ExtendedFloat a, ExtendedFloat b) { return a + -b; }

    EXTENDED_FLOAT_INLINE friend constexpr ExtendedFloat operator*(ExtendedFloat a, ExtendedFloat b)
    {
        a = a.rounded();
        b = b.rounded();
        if (withinProductRange(a.hi_) && withinProductRange(b.hi_)) {
            if (a.lo_ == 0 && b.lo_ == 0)
                return twoProduct(a.hi_, b.hi_);
            if (b.lo_ == 0)
                return productWithDouble(a, b.hi_);
            if (a.lo_ == 0)
                return productWithDouble(b, a.hi_);
            return productOfSignificands(a, b);
        }
        return product(a, b);
    }

    friend constexpr ExtendedFloat operator/(ExtendedFloat a, ExtendedFloat b)
    {
        return quotient(a.rounded(), b.rounded());
    }

    // Rounded, hi is the value rounded to double and lo what is left: pairs
    // then compare as their values do.
    friend constexpr bool operator<(ExtendedFloat a, ExtendedFloat b)
    {
        a = a.rounded();
        b = b.rounded();
        return a.hi_ < b.hi_ || (a.hi_ == b.hi_ && a.lo_ < b.lo_);
    }
    friend constexpr bool operator==(ExtendedFloat a, ExtendedFloat b)
    {
        a = a.rounded();
        b = b.rounded();
        return a.hi_ == b.hi_ && a.lo_ == b.lo_;
    }
    friend constexpr bool operator!=(ExtendedFloat a, ExtendedFloat b) { return !(a == b); }
    friend constexpr bool operator>(ExtendedFloat a, ExtendedFloat b) { return b < a; }
    friend constexpr bool operator<=(ExtendedFloat a, ExtendedFloat b) { return !(b < a); }
    friend constexpr bool operator>=(ExtendedFloat a, ExtendedFloat b) { return !(a < b); }

    // With a plain number on either side, as long double mixes.
#define EXTENDED_FLOAT_MIXED(op, result)                                                  \
    template <class T, std::enable_if_t<std::is_arithmetic_v<T>, int> = 0>                \
    EXTENDED_FLOAT_INLINE friend constexpr result operator op(ExtendedFloat a, T b) { return a op ExtendedFloat(b); } \
    template <class T, std::enable_if_t<std::is_arithmetic_v<T>, int> = 0>                \
    EXTENDED_FLOAT_INLINE friend constexpr result operator op(T a, ExtendedFloat b) { return ExtendedFloat(a) op b; }
    EXTENDED_FLOAT_MIXED(+, ExtendedFloat)
    EXTENDED_FLOAT_MIXED(-, ExtendedFloat)
    EXTENDED_FLOAT_MIXED(*, ExtendedFloat)
    EXTENDED_FLOAT_MIXED(/, ExtendedFloat)
    EXTENDED_FLOAT_MIXED(<, bool)
    EXTENDED_FLOAT_MIXED(>, bool)
    EXTENDED_FLOAT_MIXED(<=, bool)
    EXTENDED_FLOAT_MIXED(>=, bool)
    EXTENDED_FLOAT_MIXED(==, bool)
    EXTENDED_FLOAT_MIXED(!=, bool)
#undef EXTENDED_FLOAT_MIXED

    ExtendedFloat &operator+=(ExtendedFloat b) { return *this = *this + b; }
    ExtendedFloat &operator-=(ExtendedFloat b) { return *this = *this - b; }
    ExtendedFloat &operator*=(ExtendedFloat b) { return *this = *this * b; }
    ExtendedFloat &operator/=(ExtendedFloat b) { return *this = *this / b; }

    // double((a + b) * c) for doubles b and c and the value a whose double
    // is hi and whose rest is lo, the sum and the product each rounded to
    // 64 bits: how an angle is made from a kept value and a phase. Worked
    // out in doubles where that surely rounds the same: the sum exactly,
    // rounded to the 64-bit grid of its binade; the product within 2^-52 of
    // its double's last place, which makes it that double unless it lies
    // next to a halfway point. Elsewhere, the operations one by one.
    EXTENDED_FLOAT_INLINE static double sumTimesAsDouble(double hi, double lo, double b, double c)
    {
        const int ea = biasedExponent(hi), eb = biasedExponent(b);
        if (ea != 0 && eb != 0 && ea - eb < 40 && eb - ea < 40 && withinProductRange(c)) {
            const ExtendedFloat s = twoSum(hi, b);
            const double rest = s.lo_ + lo;  // exact, as in sumOfPairs
            if (withinProductRange(s.hi_)) {
                // The grid of s's binade, or of the one below where s is a
                // power of two and the rest negative; a sum that rounds
                // into another binade goes the long way.
                const double onGrid = roundedToGrid(rest, gridStepBits(s.hi_, rest));
                const double sum = s.hi_ + onGrid;
                const double sumRest = onGrid - (sum - s.hi_);
                if (biasedExponent(sum) == biasedExponent(s.hi_)) {
                    // The product is p + small, within 2^-52 of p's last
                    // place; nearest it, the double q and what is left.
                    const ExtendedFloat p = twoProduct(sum, c);
                    const double small = p.lo_ + sumRest * c;
                    const double q = p.hi_ + small;
                    if (staysDouble(q, small - (q - p.hi_)))
                        return q;
                }
            }
        }
        return sumTimesOneByOne(hi, lo, b, c);
    }

private:
    using Unpacked = extended_float::Unpacked;

    constexpr ExtendedFloat(double hi, double lo) : hi_(hi), lo_(lo) {}

    EXTENDED_FLOAT_INLINE static constexpr std::uint64_t bitsOf(double d) { return __builtin_bit_cast(std::uint64_t, d); }
    EXTENDED_FLOAT_INLINE static constexpr int biasedExponent(double d) { return static_cast<int>((bitsOf(d) >> 52) & 0x7ff); }

    EXTENDED_FLOAT_INLINE static constexpr ExtendedFloat twoSum(double a, double b)
    {
        const double s = a + b;
        const double v = s - a;
        return {s, (a - (s - v)) + (b - v)};
    }

    // Where a product and its rounding error stay normal doubles:
    // magnitudes of 2^-450 to 2^450.
    EXTENDED_FLOAT_INLINE static constexpr bool withinProductRange(double d)
    {
        return static_cast<unsigned>(biasedExponent(d) - (1023 - 450)) < 900;
    }

    EXTENDED_FLOAT_INLINE static constexpr ExtendedFloat twoProduct(double a, double b)
    {
        const double p = a * b;
#ifdef __FP_FAST_FMA
        // A fused multiply-add is one instruction here (arm64, among others).
        return {p, std::fma(a, b, -p)};
#else
        // Dekker's product: each factor split into two 26-bit halves.
        const double ca = 134217729.0 * a, cb = 134217729.0 * b;
        const double ah = ca - (ca - a), al = a - ah;
        const double bh = cb - (cb - b), bl = b - bh;
        return {p, ((ah * bh - p) + ah * bl + al * bh) + al * bl};
#endif
    }

    // The exponent bits of the 64-bit grid's step near hi, for a hi far
    // from double's ends: hi's last place / 2^11, or half that where hi is
    // a power of two and lo takes the value below it.
    EXTENDED_FLOAT_INLINE static constexpr std::uint64_t gridStepBits(double hi, double lo)
    {
        const std::uint64_t bits = bitsOf(hi);
        const bool below = (bits & 0x000fffffffffffff) == 0 && ((bits ^ bitsOf(lo)) >> 63);
        return (bits & 0x7ff0000000000000) - (std::uint64_t{11} << 52) - (static_cast<std::uint64_t>(below) << 52);
    }

    // x rounded to the 64-bit grid of gridStepBits, to nearest with ties to
    // an even number of steps: by adding and taking off 1.5 * 2^52 of them,
    // for an x below 2^51 of them.
    EXTENDED_FLOAT_INLINE static constexpr double roundedToGrid(double x, std::uint64_t step)
    {
        const double c = __builtin_bit_cast(double, step + 0x0008000000000000);
        return (x + c) - c;
    }

    // Whether hi is the double nearest hi + rest, however a rounding to the
    // 64-bit grid moves that: rest lies below half hi's last place by more
    // than 2^-10 of it, which holds a step of the grid and an error of
    // 2^-50 of the last place in rest; and hi is neither a power of two,
    // whose double below is nearer, nor near double's low end.
    EXTENDED_FLOAT_INLINE static constexpr bool staysDouble(double hi, double rest)
    {
        const std::uint64_t bits = bitsOf(hi);
        const std::uint64_t bound = (bits & 0x7ff0000000000000) - (std::uint64_t{54} << 52) + 0x000ff80000000000;
        return (bits & 0x000fffffffffffff) != 0 && biasedExponent(hi) > 54 &&
               (bitsOf(rest) & 0x7fffffffffffffff) < bound;
    }

    // The value as a pair whose sum is the value itself: hi + lo rounded to
    // 64 bits, which is hi and lo rounded to the grid, as hi is an even
    // number of its steps.
    EXTENDED_FLOAT_INLINE constexpr ExtendedFloat rounded() const
    {
        if (lo_ == 0)
            return *this;
        // Far from double's ends, where the grid's steps are normal doubles.
        if (static_cast<unsigned>(biasedExponent(hi_) - 24) >= 1977)
            return exactSum(hi_, lo_);
        const double rest = roundedToGrid(lo_, gridStepBits(hi_, lo_));
        const double hi = hi_ + rest;
        return {hi, rest - (hi - hi_)};
    }

    // The pair as truncating it needs it: hi alone where hi is not a whole
    // number below 2^52, as the nearest whole one is then a whole last
    // place away, beyond the reach of any rest; rounded where it is.
    EXTENDED_FLOAT_INLINE constexpr ExtendedFloat roundedForTruncation() const
    {
        if (hi_ > -0x1p52 && hi_ < 0x1p52 && static_cast<double>(static_cast<long long>(hi_)) != hi_)
            return {hi_, 0};
        return rounded();
    }

    // A rounded pair within double's normal range, less 64 places at its
    // low end, as a 64-bit significand and the exponent of its top bit.
    struct Significand {
        std::uint64_t bits;
        int exponent;
    };
    EXTENDED_FLOAT_INLINE static constexpr Significand significandOf(ExtendedFloat a)
    {
        const std::uint64_t bits = bitsOf(a.hi_);
        const int biased = biasedExponent(a.hi_);
        const std::uint64_t top = (bits & 0x000fffffffffffff) | (std::uint64_t{1} << 52);
        // lo in steps of 2^-64 of hi's binade: a whole number, even unless
        // the value lies just below a power of two.
        const double scale = __builtin_bit_cast(double, static_cast<std::uint64_t>(2110 - biased) << 52);
        const long long steps = static_cast<long long>((bits >> 63 ? -a.lo_ : a.lo_) * scale);
        if (top == std::uint64_t{1} << 52 && steps < 0)
            return {static_cast<std::uint64_t>(steps), biased - 1024};
        return {(top << 11) + static_cast<std::uint64_t>(steps / 2), biased - 1023};
    }

    // The rounded pair of sign * significand * 2^(exponent - 63), within
    // the same range.
    EXTENDED_FLOAT_INLINE static constexpr ExtendedFloat fromSignificand(bool negative, Significand s)
    {
        std::uint64_t top = s.bits >> 11;
        const std::uint64_t cut = s.bits & 0x7ff;
        const std::uint64_t up = static_cast<std::uint64_t>(cut > 0x400) | (static_cast<std::uint64_t>(cut == 0x400) & top);
        top += up;
        // A carry out of 53 bits moves into the exponent field.
        const double hi = __builtin_bit_cast(
            double, (static_cast<std::uint64_t>(s.exponent + 1023) << 52) + top - (std::uint64_t{1} << 52));
        const double step = __builtin_bit_cast(double, static_cast<std::uint64_t>(s.exponent + 1023 - 63) << 52);
        const double lo = static_cast<double>(static_cast<long long>(cut) - static_cast<long long>(up << 11)) * step;
        return negative ? ExtendedFloat{-hi, -lo} : ExtendedFloat{hi, lo};
    }

    // The product of two rounded pairs of at most 2^450 in magnitude, from
    // their significands.
    EXTENDED_FLOAT_INLINE static constexpr ExtendedFloat productOfSignificands(ExtendedFloat a, ExtendedFloat b)
    {
        const Significand sa = significandOf(a), sb = significandOf(b);
        unsigned __int128 product = static_cast<unsigned __int128>(sa.bits) * sb.bits;
        const int carry = static_cast<int>(product >> 127);
        product <<= 1 - carry;
        std::uint64_t bits = static_cast<std::uint64_t>(product >> 64);
        const std::uint64_t rest = static_cast<std::uint64_t>(product);
        constexpr std::uint64_t half = std::uint64_t{1} << 63;
        int exponent = sa.exponent + sb.exponent + carry;
        // Half the time up: without a branch.
        bits += static_cast<std::uint64_t>(rest > half) | (static_cast<std::uint64_t>(rest == half) & bits);
        if (bits == 0) {
            bits = half;
            ++exponent;
        }
        return fromSignificand((bitsOf(a.hi_) ^ bitsOf(b.hi_)) >> 63, {bits, exponent});
    }

    // A rounded pair times a double, both within 2^450 in magnitude, in
    // doubles: hi * b exactly, lo * b (lo has at most 11 bits) and the sum
    // of the small parts within 2^-103 of the product. That is rounded to
    // 64 bits as rounded() does, unless it lies so near a halfway point of
    // the 64-bit grid that the error could take it across: then exactly,
    // in integers.
    EXTENDED_FLOAT_INLINE static constexpr ExtendedFloat productWithDouble(ExtendedFloat a, double b)
    {
        const ExtendedFloat p = twoProduct(a.hi_, b);
        const double small = p.lo_ + a.lo_ * b;
        const double hi = p.hi_ + small;
        const double lo = small - (hi - p.hi_);
        const std::uint64_t step = gridStepBits(hi, lo);
        const double grid = __builtin_bit_cast(double, step - (std::uint64_t{52} << 52));
        const double rest = roundedToGrid(lo, step);
        const double off = lo - rest;  // exact: within half a step
        if (std::abs(std::abs(off) - 0.5 * grid) <= 0x1p-30 * grid)
            return productOfSignificands(a, ExtendedFloat{b, 0});
        const double top = hi + rest;
        return {top, rest - (top - hi)};
    }

    // The exact sum of two rounded pairs in doubles, when their high parts
    // lie within 40 binades: then every small part is a whole number of the
    // finer one's 64-bit steps, and their sum is below 2^53 of them.
    EXTENDED_FLOAT_INLINE static constexpr ExtendedFloat sumOfPairs(ExtendedFloat a, ExtendedFloat b)
    {
        const int ea = biasedExponent(a.hi_), eb = biasedExponent(b.hi_);
        if (ea != 0 && eb != 0 && ea - eb < 40 && eb - ea < 40) {
            const ExtendedFloat s = twoSum(a.hi_, b.hi_);
            return twoSum(s.hi_, (s.lo_ + a.lo_) + b.lo_);
        }
        return sum(a, b);
    }

    [[gnu::noinline]] static double sumTimesOneByOne(double hi, double lo, double b, double c)
    {
        return static_cast<double>((ExtendedFloat{hi, lo} + b) * c);
    }

    // What the doubles cannot do exactly, in integers; out of line, as it
    // is rare.
    [[gnu::noinline]] static constexpr ExtendedFloat exactSum(double s, double e)
    {
        return e == 0 ? ExtendedFloat{s, 0} : packed(Unpacked(s) + Unpacked(e));
    }
    [[gnu::noinline]] static constexpr ExtendedFloat sum(ExtendedFloat a, ExtendedFloat b)
    {
        return packed(unpacked(a) + unpacked(b));
    }
    [[gnu::noinline]] static constexpr ExtendedFloat product(ExtendedFloat a, ExtendedFloat b)
    {
        return packed(unpacked(a) * unpacked(b));
    }
    [[gnu::noinline]] static constexpr ExtendedFloat quotient(ExtendedFloat a, ExtendedFloat b)
    {
        return packed(unpacked(a) / unpacked(b));
    }

    // Of a rounded pair.
    static constexpr Unpacked unpacked(ExtendedFloat a)
    {
        return a.lo_ == 0 ? Unpacked(a.hi_) : Unpacked(a.hi_) + Unpacked(a.lo_);
    }

    static constexpr ExtendedFloat packed(Unpacked u)
    {
        const double hi = static_cast<double>(u);
        return {hi, static_cast<double>(u - Unpacked(hi))};
    }

    // hi, unless the value lies on a halfway point between two doubles,
    // which only a lo of nearly half hi's last place can round it to (a
    // quarter below a power of two).
    EXTENDED_FLOAT_INLINE constexpr double toDouble() const
    {
        if (lo_ == 0 || staysDouble(hi_, lo_))
            return hi_;
        return rounded().hi_;
    }

    // hi rounded to float where hi is all of the value, or unless hi lies
    // exactly halfway between two normal floats (its 25th significant bit
    // set, none below) or among the subnormal ones. The value lies within
    // half hi's last place, where no other float rounding point is.
    EXTENDED_FLOAT_INLINE constexpr float toFloat() const
    {
        const std::uint64_t bits = bitsOf(hi_);
        if (lo_ == 0 ||
            ((bits & 0x1fffffff) != 0x10000000 && (bits & 0x7fffffffffffffff) >= 0x3810000000000000))
            return static_cast<float>(hi_);
        return rounded().roundedToOddFloat();
    }

    // A rounded pair rounded once to float: first to the double that
    // rounds it to odd (toward zero, last bit set if anything was cut off),
    // which keeps enough to round from again.
    [[gnu::noinline]] constexpr float roundedToOddFloat() const
    {
        // A lo above or below zero takes an even hi to its odd neighbour
        // on lo's side: one down in magnitude toward zero, then the last
        // bit set.
        std::uint64_t bits = bitsOf(hi_);
        const std::uint64_t up = lo_ > 0, down = lo_ < 0;
        const std::uint64_t towardZero = bits >> 63 ? up : down;
        bits = (bits - towardZero) | up | down;
        return static_cast<float>(__builtin_bit_cast(double, bits));
    }

    // Of a rounded pair: exact where long double has 64 bits or more (x87,
    // binary128).
    long double exactly() const { return lo_ == 0 ? hi_ : static_cast<long double>(hi_) + lo_; }

    // Of a rounded pair, toward zero, as x87's conversions do; out of
    // range, the integer x87 gives for it: the most negative.
    template <class Integer>
    Integer truncated() const
    {
        constexpr Integer outOfRange = std::numeric_limits<Integer>::min();
        constexpr long long largest = std::numeric_limits<long long>::max();
        if (hi_ > -0x1p52 && hi_ < 0x1p52) {
            // lo lies within half a unit here: it matters only where hi is
            // a whole number.
            long long value = static_cast<long long>(hi_);
            if (static_cast<double>(value) == hi_)
                value -= hi_ > 0 ? lo_ < 0 : -(lo_ > 0 && hi_ < 0);
            if (value < std::numeric_limits<Integer>::min() || value > std::numeric_limits<Integer>::max())
                return outOfRange;
            return static_cast<Integer>(value);
        }
        if (!(hi_ >= -0x1p63 && hi_ <= 0x1p63) || (hi_ == -0x1p63 && lo_ < 0) || (hi_ == 0x1p63 && lo_ >= 0))
            return outOfRange;
        const double whole = std::trunc(hi_);
        long long value = 0;
        if (whole != hi_)
            value = static_cast<long long>(whole);
        else if (hi_ == 0x1p63)  // less a lo of -1 or more
            value = largest + (static_cast<long long>(std::floor(lo_)) + 1);
        else  // just below a positive integer one lower, just above a negative one one higher
            value = static_cast<long long>(hi_) + static_cast<long long>(hi_ > 0 ? std::floor(lo_) : std::ceil(lo_));
        if (value < std::numeric_limits<Integer>::min() || value > std::numeric_limits<Integer>::max())
            return outOfRange;
        return static_cast<Integer>(value);
    }

    double hi_ = 0, lo_ = 0;
};

#undef EXTENDED_FLOAT_INLINE
