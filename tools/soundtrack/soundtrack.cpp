#include "soundtrack.h"

#include "dsp.h"
#include "instruments.h"
#include "timeline.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPeak = 0.8; // headroom for the MP3 encoder's overshoot

std::size_t frameAt(double ms)
{
    return static_cast<std::size_t>(std::llround(ms * kSoundtrackRate / 1000.0));
}

// Gain of the ducked voices: dips on every kick and recovers, so the kicks
// punch through the pads and the bass.
std::vector<float> duckingCurve(const std::vector<Note> &notes, std::size_t frames)
{
    std::vector<float> gain(frames, 1.0f);
    for (const Note &note : notes) {
        if (note.voice != Voice::Kick)
            continue;
        const std::size_t start = frameAt(note.startMs);
        const std::size_t end = std::min(frames, start + frameAt(600.0));
        for (std::size_t i = start; i < end; ++i) {
            const double seconds = static_cast<double>(i - start) / kSoundtrackRate;
            const double dip = 0.55 * std::exp(-seconds / 0.13);
            gain[i] = std::min(gain[i], static_cast<float>(1.0 - dip));
        }
    }
    return gain;
}

// Ping-pong echo of the send bus, with a darkening feedback loop; added to
// the mix.
void addEcho(const StereoPcm &send, StereoPcm &mix)
{
    // Three quarters of a beat of the common pulse.
    const std::size_t delay = frameAt(0.75 * sceneBeats(3).period());
    const double feedback = 0.38, wet = 0.6, damping = 0.35;
    std::vector<double> left(delay), right(delay);
    double dampedLeft = 0.0, dampedRight = 0.0;
    for (std::size_t i = 0, p = 0; i < mix.left.size(); ++i, p = (p + 1) % delay) {
        const double outLeft = left[p], outRight = right[p];
        dampedLeft += damping * (outLeft - dampedLeft);
        dampedRight += damping * (outRight - dampedRight);
        left[p] = 0.5 * (send.left[i] + send.right[i]) + feedback * dampedRight;
        right[p] = feedback * dampedLeft;
        mix.left[i] += static_cast<float>(wet * outLeft);
        mix.right[i] += static_cast<float>(wet * outRight);
    }
}

// The last scene fades the picture linearly to nothing at the end of the
// timeline; the music follows it, and stays silent after.
void fadeOut(StereoPcm &mix)
{
    const double from = sceneWindow(kSceneCount).start;
    const double to = kTimelineEnd;
    for (std::size_t i = frameAt(from); i < mix.left.size(); ++i) {
        const double ms = i * 1000.0 / kSoundtrackRate;
        const auto gain = static_cast<float>(std::max(0.0, (to - ms) / (to - from)));
        mix.left[i] *= gain;
        mix.right[i] *= gain;
    }
}

float peakOf(const StereoPcm &mix)
{
    float peak = 0.0f;
    for (const auto *channel : {&mix.left, &mix.right})
        for (float v : *channel)
            peak = std::max(peak, std::fabs(v));
    return peak;
}

// Rounds off the drum peaks so the whole mix can sit louder, then scales the
// peak to just below full scale.
void master(StereoPcm &mix)
{
    const float peak = peakOf(mix);
    if (peak == 0.0f)
        return;
    const double drive = 1.0;
    const double gain = kPeak / std::tanh(drive);
    for (auto *channel : {&mix.left, &mix.right})
        for (float &v : *channel)
            v = static_cast<float>(gain * std::tanh(drive * v / peak));
}

} // namespace

StereoPcm mixScore(const std::vector<Note> &notes, std::size_t frames)
{
    StereoPcm mix{std::vector<float>(frames), std::vector<float>(frames)};
    StereoPcm send{std::vector<float>(frames), std::vector<float>(frames)};
    const std::vector<float> ducking = duckingCurve(notes, frames);
    for (std::size_t n = 0; n < notes.size(); ++n) {
        const Note &note = notes[n];
        const std::size_t start = frameAt(note.startMs);
        if (start >= frames)
            continue;
        const std::vector<float> voice = renderVoice(note, static_cast<std::uint32_t>(n + 1));
        const double angle = (note.pan + 1.0) * dsp::kPi / 4.0;
        const auto left = static_cast<float>(note.gain * std::cos(angle));
        const auto right = static_cast<float>(note.gain * std::sin(angle));
        const auto echo = static_cast<float>(note.echo);
        const bool ducked = !isDrum(note.voice);
        const std::size_t count = std::min(voice.size(), frames - start);
        for (std::size_t i = 0; i < count; ++i) {
            const float v = voice[i] * (ducked ? ducking[start + i] : 1.0f);
            mix.left[start + i] += v * left;
            mix.right[start + i] += v * right;
            send.left[start + i] += v * left * echo;
            send.right[start + i] += v * right * echo;
        }
    }
    addEcho(send, mix);
    fadeOut(mix);
    master(mix);
    return mix;
}

StereoPcm renderSoundtrack()
{
    return mixScore(composeScore(), kSoundtrackFrames);
}

std::vector<std::int16_t> toPcm16(const StereoPcm &pcm)
{
    std::vector<std::int16_t> out(2 * pcm.left.size());
    const auto convert = [](float v) {
        return static_cast<std::int16_t>(std::lrint(std::clamp(v, -1.0f, 1.0f) * 32767.0f));
    };
    for (std::size_t i = 0; i < pcm.left.size(); ++i) {
        out[2 * i] = convert(pcm.left[i]);
        out[2 * i + 1] = convert(pcm.right[i]);
    }
    return out;
}
