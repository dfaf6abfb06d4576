#pragma once

#include <cmath>
#include <cstdint>

// Small building blocks of the voices. Everything is deterministic: the noise
// comes from our own generator, never from rand().

namespace dsp {

constexpr double kSampleRate = 44100.0;
constexpr double kPi = 3.14159265358979323846;

inline double midiHz(double note) { return 440.0 * std::pow(2.0, (note - 69.0) / 12.0); }

class Noise {
public:
    explicit Noise(std::uint32_t seed) : state(seed ? seed : 0x9e3779b9u) {}
    // Uniform in [-1, 1).
    double next()
    {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return static_cast<double>(state) / 2147483648.0 - 1.0;
    }

private:
    std::uint32_t state;
};

// Topology-preserving state variable filter: stable under a cutoff that moves
// every sample, which the sweeps need.
class Svf {
public:
    struct Out {
        double low, band, high;
    };
    Out process(double in, double cutoffHz, double q)
    {
        const double g = std::tan(kPi * std::fmin(cutoffHz, 0.45 * kSampleRate) / kSampleRate);
        const double k = 1.0 / q;
        const double a1 = 1.0 / (1.0 + g * (g + k));
        const double a2 = g * a1;
        const double a3 = g * a2;
        const double v3 = in - ic2;
        const double v1 = a1 * ic1 + a2 * v3;
        const double v2 = ic2 + a2 * ic1 + a3 * v3;
        ic1 = 2.0 * v1 - ic1;
        ic2 = 2.0 * v2 - ic2;
        return {v2, v1, in - k * v1 - v2};
    }

private:
    double ic1 = 0.0, ic2 = 0.0;
};

// Band-limited sawtooth (polyBLEP), so high notes do not alias into hiss.
class Saw {
public:
    explicit Saw(double startPhase = 0.0) : phase(startPhase) {}
    double next(double hz)
    {
        const double dt = hz / kSampleRate;
        double v = 2.0 * phase - 1.0 - blep(phase, dt);
        phase += dt;
        if (phase >= 1.0)
            phase -= 1.0;
        return v;
    }

private:
    static double blep(double t, double dt)
    {
        if (t < dt) {
            t /= dt;
            return t + t - t * t - 1.0;
        }
        if (t > 1.0 - dt) {
            t = (t - 1.0) / dt;
            return t * t + t + t + 1.0;
        }
        return 0.0;
    }
    double phase;
};

class Sine {
public:
    double next(double hz)
    {
        const double v = std::sin(2.0 * kPi * phase);
        phase += hz / kSampleRate;
        if (phase >= 1.0)
            phase -= 1.0;
        return v;
    }

private:
    double phase = 0.0;
};

} // namespace dsp
