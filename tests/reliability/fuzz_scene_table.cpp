// libFuzzer target: any scene time, any pane size a window or a tool can
// have, resized or not, drawn through the recorder.

#include "gl_recorder.h"
#include "scene_table.h"

#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 9)
        return 0;
    std::int32_t t;
    std::uint16_t width, height;
    std::memcpy(&t, data, 4);
    std::memcpy(&width, data + 4, 2);
    std::memcpy(&height, data + 6, 2);
    const bool resized = data[8] & 1;
    // Most 32-bit times lie outside the timeline; half the inputs fold the
    // time into it so every scene gets its share of the runs.
    if (data[8] & 2)
        t = static_cast<std::int32_t>(static_cast<std::uint32_t>(t) % 139064u) - 5000;

    GlRecorder gl;
    const float step = resized ? pointStep(height) : kStepBeforeResize;
    SceneCaches caches;
    paintFrame(gl, Frame{t, step, width, height}, caches);
    return 0;
}
