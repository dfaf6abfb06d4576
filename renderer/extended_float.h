#pragma once

// A binary floating-point number with x87 extended's 64-bit significand,
// computed with 64-bit integers, for machines whose long double is another
// format (arm64's and riscv64's binary128, WebAssembly's). Every operation
// rounds once to 64 bits, to nearest with ties to even, exactly as x87 does
// with its precision control at extended: the same sums, products,
// quotients, comparisons and conversions to and from float, double and the
// integers, and so the same pictures.
//
// The exponent is an int32 rather than x87's 15 bits. The scenes' values
// come from floats, doubles and ints through a few operations each, far
// from x87's overflow (2^16384) and its subnormals (below 2^-16382), so
// there x87 rounds every result as this type does. Conversions to float and
// double round into their subnormals and overflow to infinity, as x87's
// stores do. Infinities and NaNs are not represented: no scene makes one.

#include <cmath>
#include <cstdint>
#include <limits>
#include <type_traits>

#ifndef __SIZEOF_INT128__
#error "This machine's long double is not x87 extended and its compiler has no unsigned __int128, which the portable 64-bit-significand type needs: the scenes cannot be computed exactly here"
#endif
static_assert(std::numeric_limits<double>::is_iec559 && std::numeric_limits<double>::digits == 53 &&
                  std::numeric_limits<float>::is_iec559 && std::numeric_limits<float>::digits == 24,
              "the portable 64-bit-significand type reads IEEE binary32 and binary64 bit patterns");

class ExtendedFloat {
public:
    constexpr ExtendedFloat() = default;

    // Exact, as every float, double and 64-bit integer fits a 64-bit
    // significand.
    template <class T, std::enable_if_t<std::is_arithmetic_v<T>, int> = 0>
    constexpr ExtendedFloat(T value)  // NOLINT: as implicit as a long double
    {
        if constexpr (std::is_same_v<T, float>)
            *this = fromBits<std::uint32_t, 23, 8>(__builtin_bit_cast(std::uint32_t, value));
        else if constexpr (std::is_same_v<T, double>)
            *this = fromBits<std::uint64_t, 52, 11>(__builtin_bit_cast(std::uint64_t, value));
        else if constexpr (std::is_integral_v<T>)
            *this = fromInteger(value);
        else
            static_assert(!sizeof(T), "convert a long double through double");
    }

    template <class T, std::enable_if_t<std::is_arithmetic_v<T>, int> = 0>
    constexpr operator T() const  // NOLINT
    {
        if constexpr (std::is_same_v<T, float>)
            return __builtin_bit_cast(float, toBits<std::uint32_t, 23, 8>());
        else if constexpr (std::is_same_v<T, double>)
            return __builtin_bit_cast(double, toBits<std::uint64_t, 52, 11>());
        else if constexpr (std::is_integral_v<T> && std::is_signed_v<T>)
            return truncated<T>();
        else if constexpr (std::is_same_v<T, long double> && std::numeric_limits<long double>::digits >= 64)
            return exactly();
        else
            static_assert(!sizeof(T), "no conversion to this type");
    }

    friend constexpr ExtendedFloat operator-(ExtendedFloat a)
    {
        a.negative_ = !a.negative_;
        return a;
    }

    friend constexpr ExtendedFloat operator+(ExtendedFloat a, ExtendedFloat b) { return sum(a, b); }
    friend constexpr ExtendedFloat operator-(ExtendedFloat a, ExtendedFloat b) { return sum(a, -b); }

    friend constexpr ExtendedFloat operator*(ExtendedFloat a, ExtendedFloat b)
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

    friend constexpr ExtendedFloat operator/(ExtendedFloat a, ExtendedFloat b)
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

    friend constexpr bool operator==(ExtendedFloat a, ExtendedFloat b)
    {
        if (a.significand_ == 0 || b.significand_ == 0)
            return a.significand_ == b.significand_;
        return a.negative_ == b.negative_ && a.exponent_ == b.exponent_ && a.significand_ == b.significand_;
    }
    friend constexpr bool operator<(ExtendedFloat a, ExtendedFloat b)
    {
        if (a.significand_ == 0 && b.significand_ == 0)
            return false;
        if (a.negative_ != b.negative_)
            return a.negative_;
        return a.negative_ ? magnitudeBelow(b, a) : magnitudeBelow(a, b);
    }
    friend constexpr bool operator!=(ExtendedFloat a, ExtendedFloat b) { return !(a == b); }
    friend constexpr bool operator>(ExtendedFloat a, ExtendedFloat b) { return b < a; }
    friend constexpr bool operator<=(ExtendedFloat a, ExtendedFloat b) { return !(b < a); }
    friend constexpr bool operator>=(ExtendedFloat a, ExtendedFloat b) { return !(a < b); }

    // With a plain number on either side, as long double mixes.
#define EXTENDED_FLOAT_MIXED(op, result)                                                  \
    template <class T, std::enable_if_t<std::is_arithmetic_v<T>, int> = 0>                \
    friend constexpr result operator op(ExtendedFloat a, T b) { return a op ExtendedFloat(b); } \
    template <class T, std::enable_if_t<std::is_arithmetic_v<T>, int> = 0>                \
    friend constexpr result operator op(T a, ExtendedFloat b) { return ExtendedFloat(a) op b; }
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

private:
    using Wide = unsigned __int128;
    static constexpr std::uint64_t kHalf = std::uint64_t{1} << 63;
    // Zero's exponent lies below every other, so that ordering by exponent
    // first orders by magnitude.
    static constexpr std::int32_t kZeroExponent = std::numeric_limits<std::int32_t>::min() / 2;

    constexpr ExtendedFloat(bool negative, std::int32_t exponent, std::uint64_t significand)
        : significand_(significand), exponent_(exponent), negative_(negative)
    {
    }

    static constexpr ExtendedFloat zero(bool negative) { return {negative, kZeroExponent, 0}; }

    static constexpr std::uint64_t high(Wide w) { return static_cast<std::uint64_t>(w >> 64); }
    static constexpr std::uint64_t low(Wide w) { return static_cast<std::uint64_t>(w); }
    static constexpr int leadingZeros(std::uint64_t w) { return __builtin_clzll(w); }

    // significand (top bit set) plus rest / 2^64 of its last place, rounded
    // to nearest, ties to even.
    static constexpr ExtendedFloat rounded(bool negative, std::int32_t exponent, std::uint64_t significand,
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
    static constexpr bool magnitudeBelow(ExtendedFloat a, ExtendedFloat b)
    {
        return a.exponent_ < b.exponent_ || (a.exponent_ == b.exponent_ && a.significand_ < b.significand_);
    }

    static constexpr ExtendedFloat sum(ExtendedFloat a, ExtendedFloat b)
    {
        if (magnitudeBelow(a, b)) {
            const ExtendedFloat larger = b;
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
    static constexpr ExtendedFloat fromBits(Bits bits)
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
    static constexpr ExtendedFloat fromInteger(Integer value)
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

    // Rounded once to the IEEE format of fromBits, subnormals included;
    // beyond its largest finite number, infinity.
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

    // Exact where long double has 64 bits or more (x87, binary128).
    long double exactly() const
    {
        const long double magnitude = std::ldexp(static_cast<long double>(significand_), exponent_ - 63);
        return negative_ ? -magnitude : magnitude;
    }

    // Toward zero, as x87's conversions do; out of range, the integer x87
    // gives for it: the most negative.
    template <class Integer>
    constexpr Integer truncated() const
    {
        if (exponent_ < 0)
            return 0;
        constexpr int bits = std::numeric_limits<Integer>::digits;  // 31, 63
        if (exponent_ >= bits)
            return std::numeric_limits<Integer>::min();
        const std::uint64_t magnitude = significand_ >> (63 - exponent_);
        return static_cast<Integer>(negative_ ? 0 - magnitude : magnitude);
    }

    std::uint64_t significand_ = 0;  // top bit set, except in zero
    std::int32_t exponent_ = kZeroExponent;  // of the top bit
    bool negative_ = false;
};
