// sin and cos for WebAssembly, linked in place of musl's (--wrap): musl
// reduces every argument above 2^20 * pi/2 through its general multi-word
// reduction, which makes scene 4's sines of up to about 6e7 several times
// slower than glibc's. Below 2^26 the multiple of pi/2 to take off has at
// most 26 bits, so a pi/2 cut into 27-bit parts takes it off exactly part by
// part, summed as a double-double. The remainder then goes through the
// same kernel polynomials musl uses; outside that range musl's own
// functions answer, so only the slow path is replaced.

#include <cmath>

extern "C" double __real_sin(double);
extern "C" double __real_cos(double);

namespace {

// Where musl's cheaper reduction stops, and where this one does.
constexpr double kFrom = 0x1p20 * 1.5707963267948966;
constexpr double kTo = 0x1p26;

// pi/2 = the sum of these to about 2^-165: four 27-bit parts, so that
// n * part is exact for n < 2^26, and a tail.
constexpr double kHalfPi[] = {0x1.921fb54p+0, 0x1.10b461p-30, 0x1.a62633p-58, 0x1.45c06ep-86,
                              0x1.cd129024e088ap-115};
constexpr double kTwoOverPi = 0x1.45f306dc9c883p-1;

struct Pair {
    double hi, lo;
};

Pair twoSum(double a, double b)
{
    const double s = a + b;
    const double v = s - a;
    return {s, (a - (s - v)) + (b - v)};
}

// (hi, lo) - d, as a normalised pair.
Pair minus(Pair x, double d)
{
    const Pair s = twoSum(x.hi, -d);
    const double hi = s.hi + (s.lo + x.lo);
    return {hi, (s.lo + x.lo) - (hi - s.hi)};
}

struct Reduced {
    int quadrant;  // the multiple of pi/2 taken off, modulo 4
    Pair rest;     // in [-pi/4, pi/4], to about 2^-130
};

Reduced reduce(double x)
{
    // Round to the nearest integer by adding and taking off 1.5 * 2^52.
    const double n = (x * kTwoOverPi + 0x1.8p52) - 0x1.8p52;
    // x and n * kHalfPi[0] agree in their top bits: the difference is exact.
    Pair rest{x - n * kHalfPi[0], 0};
    for (int i = 1; i < 5; ++i)
        rest = minus(rest, n * kHalfPi[i]);
    return {static_cast<int>(static_cast<long long>(n) & 3), rest};
}

// The kernels on [-pi/4, pi/4] of a remainder x + y, with FreeBSD's
// coefficients as musl carries them, evaluated in the same order.
double sinKernel(double x, double y)
{
    constexpr double S1 = -1.66666666666666324348e-01, S2 = 8.33333333332248946124e-03,
                     S3 = -1.98412698298579493134e-04, S4 = 2.75573137070700676789e-06,
                     S5 = -2.50507602534068634195e-08, S6 = 1.58969099521155010221e-10;
    const double z = x * x;
    const double w = z * z;
    const double r = S2 + z * (S3 + z * S4) + z * w * (S5 + z * S6);
    const double v = z * x;
    return x - ((z * (0.5 * y - v * r) - y) - v * S1);
}

double cosKernel(double x, double y)
{
    constexpr double C1 = 4.16666666666666019037e-02, C2 = -1.38888888888741095749e-03,
                     C3 = 2.48015872894767294178e-05, C4 = -2.75573143513906633035e-07,
                     C5 = 2.08757232129817482790e-09, C6 = -1.13596475577881948265e-11;
    const double z = x * x;
    double w = z * z;
    const double r = z * (C1 + z * (C2 + z * C3)) + w * w * (C4 + z * (C5 + z * C6));
    const double hz = 0.5 * z;
    w = 1.0 - hz;
    return w + (((1.0 - w) - hz) + (z * r - x * y));
}

bool inRange(double x)
{
    const double a = std::fabs(x);
    return a >= kFrom && a < kTo;
}

// The sine of x, quarter turns further on: cos x = sin(x + pi/2).
double sineTurnedBy(double x, int quarterTurns)
{
    const Reduced r = reduce(x);
    switch ((r.quadrant + quarterTurns) & 3) {
    case 0: return sinKernel(r.rest.hi, r.rest.lo);
    case 1: return cosKernel(r.rest.hi, r.rest.lo);
    case 2: return -sinKernel(r.rest.hi, r.rest.lo);
    default: return -cosKernel(r.rest.hi, r.rest.lo);
    }
}

} // namespace

extern "C" double __wrap_sin(double x)
{
    return inRange(x) ? sineTurnedBy(x, 0) : __real_sin(x);
}

extern "C" double __wrap_cos(double x)
{
    return inRange(x) ? sineTurnedBy(x, 1) : __real_cos(x);
}
