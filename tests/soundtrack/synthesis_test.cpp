// The rendered samples themselves: length, sameness, beats, shape.

#include "beat_checks.h"
#include "soundtrack.h"
#include "timeline.h"

#include <gtest/gtest.h>

namespace {

const std::vector<std::int16_t> &rendered()
{
    static const std::vector<std::int16_t> pcm = toPcm16(renderSoundtrack());
    return pcm;
}

const std::vector<float> &renderedMono()
{
    static const std::vector<float> mono = monoOf(rendered());
    return mono;
}

} // namespace

TEST(SoundtrackSynthesis, OutlastsTheTimelineAndRepeatsExactly)
{
    const double seconds = rendered().size() / 2 / kRate;
    EXPECT_GE(seconds, kTimelineEndMs / 1000.0 + 0.5);
    EXPECT_LE(seconds, 140.0);
    EXPECT_TRUE(toPcm16(renderSoundtrack()) == rendered()) << "two renders differ";
}

TEST(SoundtrackSynthesis, BeatsFallOnThePicturesPulses)
{
    for (const PicturePulse &pulse : picturePulses()) {
        SCOPED_TRACE(pulse.scene);
        const GridMatch match = matchOnsets(renderedMono(), pulse, 10.0);
        EXPECT_EQ(match.matched, pulse.last - pulse.first + 1);
        EXPECT_TRUE(match.strays.empty()) << "first stray onset at " << match.strays.front() << " ms";
        EXPECT_TRUE(match.missed.empty()) << "first beat without an onset: " << match.missed.front();
        EXPECT_LE(match.worstMs, 10.0);
    }
}

TEST(SoundtrackSynthesis, EverySceneHasMusic)
{
    double start = 0.0;
    for (std::size_t scene = 0; scene < kSceneEnds.size(); ++scene) {
        const double end = kSceneEnds[scene];
        // Scene 9 fades out; its first half is loud enough to tell.
        const double to = scene + 1 == kSceneEnds.size() ? (start + end) / 2 : end;
        EXPECT_GT(rmsOver(renderedMono(), start, to), 0.03) << "scene " << scene + 1;
        start = end;
    }
}

TEST(SoundtrackSynthesis, FadesOutOverTheLastSceneAndEndsSilent)
{
    const double from = kSceneEnds[7], to = kTimelineEndMs, quarter = (to - from) / 4;
    double previous = rmsOver(renderedMono(), from, from + quarter);
    for (int q = 1; q < 4; ++q) {
        const double level = rmsOver(renderedMono(), from + q * quarter, from + (q + 1) * quarter);
        EXPECT_LT(level, 0.85 * previous) << "quarter " << q;
        previous = level;
    }
    EXPECT_LT(rmsOver(renderedMono(), to - 500.0, to), 0.05 * rmsOver(renderedMono(), from, from + 2000.0));
    EXPECT_EQ(peakFrom(renderedMono(), to), 0.0f);
}
