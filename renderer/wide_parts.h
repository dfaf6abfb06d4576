#pragma once

// A wide value kept in two doubles, and what the scenes work out from it.

#include "render_platform.h"

// The value rounded to double and what is left, which the wide type holds
// exactly. Loading and adding them costs a long double no more than the
// product they are kept in place of, and the portable wide type far less.
struct WideParts {
    double hi, lo;

    WideParts() = default;
    explicit WideParts(WideFloat value)
        : hi(static_cast<double>(value)), lo(static_cast<double>(value - static_cast<WideFloat>(hi)))
    {
    }
    WideFloat value() const { return static_cast<WideFloat>(hi) + lo; }

    // double((value() + b) * c), rounded as the wide type rounds each step.
    double sumTimesAsDouble(double b, double c) const { return sumTimes<WideFloat>(b, c, 0); }

private:
    // The wide type's own way where it has one (the portable type's, in
    // doubles); the operations one by one where it has not.
    template <class Wide>
    auto sumTimes(double b, double c, int) const -> decltype(Wide::sumTimesAsDouble(hi, lo, b, c))
    {
        return Wide::sumTimesAsDouble(hi, lo, b, c);
    }
    template <class Wide>
    double sumTimes(double b, double c, long) const
    {
        return static_cast<double>((value() + b) * c);
    }
};
