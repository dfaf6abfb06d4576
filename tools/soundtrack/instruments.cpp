#include "instruments.h"

#include "dsp.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

using dsp::kPi;
using dsp::kSampleRate;

std::size_t samplesFor(double seconds)
{
    return static_cast<std::size_t>(std::ceil(seconds * kSampleRate));
}

// Runs body(t) for every sample of the voice's duration, t in seconds.
template <class Body>
std::vector<float> generate(double seconds, Body body)
{
    std::vector<float> out(samplesFor(seconds));
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = static_cast<float>(body(i / kSampleRate));
    return out;
}

// Attack, hold for the note's length, release: the envelope of held voices.
double held(double t, double attack, double length, double release)
{
    if (t < attack)
        return t / attack;
    if (t < length)
        return 1.0;
    return std::max(0.0, 1.0 - (t - length) / release);
}

std::vector<float> kick(dsp::Noise &noise)
{
    dsp::Sine body;
    return generate(0.45, [&](double t) {
        const double hz = 45.0 + 110.0 * std::exp(-t / 0.03);
        const double v = body.next(hz) * std::exp(-t / 0.2) + 0.25 * noise.next() * std::exp(-t / 0.0015);
        // Louder than the rest: the beat is what the picture follows.
        return 1.3 * std::tanh(1.6 * v) / std::tanh(1.6);
    });
}

// A pitched drum falling an octave onto the note.
std::vector<float> tom(const Note &note, dsp::Noise &noise)
{
    const double hz = dsp::midiHz(note.pitch);
    dsp::Sine body;
    return generate(0.4, [&](double t) {
        const double stick = 0.4 * noise.next() * std::exp(-t / 0.002);
        return 1.2 * body.next(hz * (1.0 + std::exp(-t / 0.04))) * std::exp(-t / 0.14) + stick;
    });
}

std::vector<float> snare(dsp::Noise &noise)
{
    dsp::Sine low, high;
    dsp::Svf filter;
    return generate(0.35, [&](double t) {
        const double tone = (0.6 * low.next(185.0) + 0.3 * high.next(330.0)) * std::exp(-t / 0.045);
        const double rattle = filter.process(noise.next(), 1500.0, 0.7).high * std::exp(-t / 0.11);
        return 0.8 * tone + 0.7 * rattle;
    });
}

std::vector<float> clap(dsp::Noise &noise)
{
    dsp::Svf filter;
    return generate(0.45, [&](double t) {
        // Hands that do not quite meet: three fading bursts, then the room.
        double env = 0.0;
        for (const auto &[at, level] : {std::pair{0.0, 1.0}, {0.011, 0.6}, {0.022, 0.45}})
            if (t >= at)
                env = std::max(env, level * std::exp(-(t - at) / 0.006));
        if (t >= 0.022)
            env = std::max(env, 0.4 * std::exp(-(t - 0.022) / 0.16));
        return 1.6 * filter.process(noise.next(), 1300.0, 1.5).band * env;
    });
}

std::vector<float> hat(dsp::Noise &noise, double decay)
{
    dsp::Svf filter;
    return generate(5.0 * decay, [&](double t) {
        return filter.process(noise.next(), 7500.0, 0.8).high * std::exp(-t / decay);
    });
}

std::vector<float> crash(dsp::Noise &noise)
{
    dsp::Svf filter;
    return generate(3.5, [&](double t) {
        const double attack = std::min(1.0, t / 0.002);
        return 0.7 * filter.process(noise.next(), 3500.0, 0.6).high * std::exp(-t / 1.1) * attack;
    });
}

// A falling blip over a noise snap: the mark of scene 4's line flips.
std::vector<float> zap(const Note &note, dsp::Noise &noise)
{
    const double hz = dsp::midiHz(note.pitch);
    dsp::Sine blip;
    dsp::Svf filter;
    return generate(0.5, [&](double t) {
        const double sweep = hz * (1.0 + 3.0 * std::exp(-t / 0.025));
        const double snap = filter.process(noise.next(), 3000.0, 1.2).band * std::exp(-t / 0.02);
        return blip.next(sweep) * std::exp(-t / 0.12) + 0.6 * snap;
    });
}

std::vector<float> bass(const Note &note)
{
    const double hz = dsp::midiHz(note.pitch);
    const double length = note.lengthMs / 1000.0;
    dsp::Saw saw;
    dsp::Sine sub;
    dsp::Svf filter;
    return generate(length + 0.05, [&](double t) {
        const double cutoff = 120.0 + (300.0 + 2200.0 * note.brightness) * std::exp(-t / 0.12) + 3.0 * hz;
        const double v = filter.process(0.6 * saw.next(hz), cutoff, 1.8).low + 0.35 * sub.next(hz / 2.0);
        return 0.75 * v * held(t, 0.03, length, 0.05);
    });
}

std::vector<float> pad(const Note &note)
{
    const double hz = dsp::midiHz(note.pitch);
    const double length = note.lengthMs / 1000.0;
    const double detune = std::pow(2.0, 8.0 / 1200.0);
    dsp::Saw a(0.0), b(0.33), c(0.67);
    dsp::Svf filter;
    return generate(length + 0.9, [&](double t) {
        const double swell = std::sin(kPi * std::min(t, length) / length);
        const double cutoff = 300.0 + 2500.0 * note.brightness + 5000.0 * note.sweep * swell * swell;
        const double v = (a.next(hz / detune) + b.next(hz) + c.next(hz * detune)) / 3.0;
        return filter.process(v, cutoff, 0.9).low * held(t, std::min(0.5, length / 3.0), length, 0.9);
    });
}

// Karplus-Strong string: a burst of noise circulating in a damped delay line.
std::vector<float> pluck(const Note &note, dsp::Noise &noise)
{
    // The averaging filter adds half a sample to the loop.
    const auto period = static_cast<std::size_t>(std::lround(kSampleRate / dsp::midiHz(note.pitch) - 0.5));
    std::vector<double> line(std::max<std::size_t>(period, 2));
    double smooth = 0.0;
    for (double &v : line) {
        smooth += (0.3 + 0.7 * note.brightness) * (noise.next() - smooth);
        v = smooth;
    }
    std::size_t i = 0;
    return generate(1.6, [&](double t) {
        const std::size_t next = (i + 1) % line.size();
        const double v = line[i];
        line[i] = 0.5 * (line[i] + line[next]) * 0.996;
        i = next;
        return v * std::min(1.0, (1.6 - t) / 0.05);
    });
}

// Two-operator FM bell.
std::vector<float> bell(const Note &note)
{
    const double hz = dsp::midiHz(note.pitch);
    return generate(3.0, [&](double t) {
        const double index = 2.5 * std::exp(-t / 0.25) + 0.3;
        const double modulator = std::sin(2.0 * kPi * 3.5 * hz * t);
        const double env = std::min(1.0, t / 0.002) * std::exp(-t / 0.9) * std::min(1.0, (3.0 - t) / 0.1);
        return std::sin(2.0 * kPi * hz * t + index * modulator) * env;
    });
}

std::vector<float> lead(const Note &note)
{
    const double hz = dsp::midiHz(note.pitch);
    const double length = note.lengthMs / 1000.0;
    const double detune = std::pow(2.0, 6.0 / 1200.0);
    dsp::Saw a(0.0), b(0.5);
    dsp::Svf filter;
    return generate(length + 0.12, [&](double t) {
        const double depth = 0.25 * std::min(1.0, std::max(0.0, (t - 0.15) / 0.2));
        const double bend = std::pow(2.0, depth * std::sin(2.0 * kPi * 5.2 * t) / 12.0);
        const double v = 0.5 * (a.next(hz * bend / detune) + b.next(hz * bend * detune));
        const double cutoff = 1500.0 + 3000.0 * note.brightness * std::exp(-t / 0.3);
        return filter.process(v, cutoff, 1.3).low * held(t, 0.008, length, 0.12);
    });
}

// Noise through a band rising over the note, cut at its end: the lead-in to
// a downbeat.
std::vector<float> riser(const Note &note, dsp::Noise &noise)
{
    const double length = note.lengthMs / 1000.0;
    dsp::Svf filter;
    return generate(length, [&](double t) {
        const double x = t / length;
        const double cutoff = 300.0 * std::pow(8000.0 / 300.0, x);
        return filter.process(noise.next(), cutoff, 2.0).band * x * x * std::min(1.0, (length - t) / 0.005);
    });
}

} // namespace

std::vector<float> renderVoice(const Note &note, std::uint32_t seed)
{
    dsp::Noise noise(seed);
    switch (note.voice) {
    case Voice::Kick: return kick(noise);
    case Voice::Tom: return tom(note, noise);
    case Voice::Snare: return snare(noise);
    case Voice::Clap: return clap(noise);
    case Voice::ClosedHat: return hat(noise, 0.035);
    case Voice::OpenHat: return hat(noise, 0.2);
    case Voice::Crash: return crash(noise);
    case Voice::Zap: return zap(note, noise);
    case Voice::Bass: return bass(note);
    case Voice::Pad: return pad(note);
    case Voice::Pluck: return pluck(note, noise);
    case Voice::Bell: return bell(note);
    case Voice::Lead: return lead(note);
    case Voice::Riser: return riser(note, noise);
    }
    return {};
}
