// Every scene's trace at its edges, beat and growth edges and a few inner
// times, at heights from 1 to 2160 and before the first resize, against
// digests recorded from the scenes before any of them kept work between
// frames. Scene 7's digests follow glibc's rand sequence, which the scene
// carries itself.
//
// A digest says only that a frame changed. traces/ holds the tracer's text
// of one frame in the middle of each scene, at 640x3, so that a change there
// shows its first changed calls; other frames name the tracer command that
// prints them. When the picture is meant to change, run
//   OSTRE3_REWRITE_TRACES=1 build/tests/ostre3_unit_tests --gtest_filter=TraceDigest.*
// which rewrites trace_digests.inc and traces/, and read the traces' diff.

#include "recorded_frame.h"
#include "trace_diff.h"
#include "trace_digest.h"

#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <set>

namespace {

struct TraceCase {
    std::int32_t t;
    int width, height;
    bool resized;
    std::uint64_t digest;
};

constexpr TraceCase kCases[] = {
#include "trace_digests.inc"
};

const std::string kUnitDir = OSTRE3_UNIT_TEST_DIR;

std::string sizeText(const TraceCase &c)
{
    return std::to_string(c.width) + "x" + std::to_string(c.height);
}

std::string frameName(const TraceCase &c)
{
    return "t " + std::to_string(c.t) + " at " + sizeText(c) + (c.resized ? "" : " unresized") +
           " (scene " + std::to_string(sceneAt(c.t)) + ")";
}

std::string storedTracePath(const TraceCase &c)
{
    return kUnitDir + "/traces/" + std::to_string(c.t) + "_" + sizeText(c) + ".trace";
}

std::optional<std::vector<std::string>> storedTrace(const TraceCase &c)
{
    if (!c.resized)
        return std::nullopt;
    std::ifstream in(storedTracePath(c));
    if (!in)
        return std::nullopt;
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// How to see the calls of a changed frame that has no stored trace.
std::string tracerHint(const TraceCase &c)
{
    return "  see its calls: build/tools/trace/ostre3-trace --time " + std::to_string(c.t) + " --size " +
           sizeText(c) + (c.resized ? "" : " --unresized") +
           " > after.trace, the same from a build of the last good commit > before.trace,"
           " then diff before.trace after.trace\n";
}

std::string dataLine(const TraceCase &c, std::uint64_t digest)
{
    char line[96];
    std::snprintf(line, sizeof line, "{%d, %d, %d, %s, 0x%016" PRIx64 "u},\n", c.t, c.width, c.height,
                  c.resized ? "true" : "false", digest);
    return line;
}

// Writes today's digests over trace_digests.inc, keeping its heading, and
// today's calls over each stored trace.
void rewriteDigestsAndTraces()
{
    const std::string incPath = kUnitDir + "/trace_digests.inc";
    std::string inc;
    std::ifstream old(incPath);
    for (std::string line; std::getline(old, line) && line.rfind("//", 0) == 0;)
        inc += line + '\n';
    SceneCaches caches;
    for (const TraceCase &c : kCases) {
        const std::vector<GlCall> calls = recordFrame(caches, c.t, c.width, c.height, c.resized);
        inc += dataLine(c, traceDigest(calls));
        if (storedTrace(c)) {
            std::ofstream trace(storedTracePath(c));
            for (const std::string &line : traceLines(calls))
                trace << line << '\n';
        }
    }
    std::ofstream(incPath) << inc;
}

} // namespace

TEST(TraceDigest, EveryRecordedFrameIsUnchanged)
{
    if (std::getenv("OSTRE3_REWRITE_TRACES")) {
        rewriteDigestsAndTraces();
        GTEST_SKIP() << "rewrote trace_digests.inc and traces/ under " << kUnitDir
                     << "; rebuild the tests to check against them";
    }
    SceneCaches caches;
    std::set<int> scenesStored;
    std::vector<const TraceCase *> changed;
    for (const TraceCase &c : kCases) {
        const std::vector<GlCall> calls = recordFrame(caches, c.t, c.width, c.height, c.resized);
        const bool digestChanged = traceDigest(calls) != c.digest;
        const std::optional<std::vector<std::string>> stored = storedTrace(c);
        if (!stored) {
            if (digestChanged)
                changed.push_back(&c);
            continue;
        }
        scenesStored.insert(sceneAt(c.t));
        const std::string diff = firstDifferences(*stored, traceLines(calls));
        if (!diff.empty())
            ADD_FAILURE() << frameName(c) << " differs from " << storedTracePath(c) << ":\n" << diff;
        else if (digestChanged)
            ADD_FAILURE() << frameName(c) << " prints as its stored trace, but its digest differs from"
                          << " the one built in from trace_digests.inc";
    }
    EXPECT_EQ(scenesStored.size(), std::size_t(kSceneCount)) << "scenes with a trace in " << kUnitDir << "/traces";
    if (!changed.empty()) {
        std::set<int> scenes;
        for (const TraceCase *c : changed)
            scenes.insert(sceneAt(c->t));
        std::string sceneList;
        for (int scene : scenes)
            sceneList += " " + std::to_string(scene);
        ADD_FAILURE() << changed.size() << " frames without a stored trace changed, in scenes" << sceneList
                      << "; the first is " << frameName(*changed[0]) << ",\n"
                      << tracerHint(*changed[0]);
    }
}

// Scenes keep work from one frame to the next in their caches; whatever
// order sizes and times come in, each frame must come out as if drawn alone.
TEST(TraceDigest, FramesDoNotDependOnTheFramesBefore)
{
    SceneCaches caches;
    int changedAlone = 0, dependent = 0;
    for (auto it = std::rbegin(kCases); it != std::rend(kCases); ++it) {
        const TraceCase &c = *it;
        if (c.height > 768)
            continue;
        const std::vector<GlCall> calls = recordFrame(caches, c.t, c.width, c.height, c.resized);
        if (traceDigest(calls) == c.digest)
            continue;
        const std::vector<GlCall> alone = recordFrame(c.t, c.width, c.height, c.resized);
        if (alone == calls)
            ++changedAlone;
        else if (++dependent <= 3)
            ADD_FAILURE() << frameName(c) << " drawn after the frames listed after it differs from"
                          << " the frame drawn alone:\n"
                          << firstDifferences(traceLines(alone), traceLines(calls));
    }
    EXPECT_EQ(dependent, 0) << "frames that differ from the frame drawn alone, the first three shown";
    EXPECT_EQ(changedAlone, 0) << "frames that changed even when drawn alone";
}

TEST(TraceDigest, DigestSeesEveryArgumentBit)
{
    const std::vector<GlCall> zero{call(GlOp::Vertex, 0, 0, 0)};
    const std::vector<GlCall> negativeZero{call(GlOp::Vertex, 0, 0, -0.0)};
    const std::vector<GlCall> colour{call(GlOp::Color, 0, 0, 0)};
    EXPECT_NE(traceDigest(zero), traceDigest(negativeZero));
    EXPECT_NE(traceDigest(zero), traceDigest(colour));
    EXPECT_NE(traceDigest(zero), traceDigest({}));
}

TEST(TraceDiff, NamesTheFirstDifferingCallsByTheirLine)
{
    EXPECT_EQ(firstDifferences({"glEnd"}, {"glEnd"}), "");
    EXPECT_EQ(firstDifferences({"a", "b", "c", "d", "e"}, {"a", "B", "c", "D"}, 1),
              "  call 2\n    expected: b\n    actual:   B\n"
              "  and 2 more calls differ\n"
              "  5 calls expected, 4 made\n");
}
