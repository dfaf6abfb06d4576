#include "capture_run.h"

#include "interrupt.h"
#include "progress_line.h"

#include <cstdio>

int captureRange(OffscreenGl &gl, const FrameRange &range, FrameSink &sink,
                 const std::string &out)
{
    const std::int64_t total = range.frameCount();
    std::int64_t done = 0;
    std::string error;
    {
        ProgressLine progress(total);
        for (; done < total && !interruptRequested(); ++done) {
            if (!sink.add(gl.render(range.timeOf(done)), error))
                break;
            progress.frameDone();
        }
    }
    if (!error.empty()) {
        std::fprintf(stderr, "ostre3-capture: %s\n", error.c_str());
        return kExitFailed;
    }
    if (done == 0) {
        std::fprintf(stderr, "ostre3-capture: interrupted before the first frame; nothing written\n");
        return kExitInterrupted;
    }
    if (!sink.close(error)) {
        std::fprintf(stderr, "ostre3-capture: %s\n", error.c_str());
        return kExitFailed;
    }
    if (done < total) {
        std::fprintf(stderr,
                     "ostre3-capture: interrupted: %s holds %lld of %lld frames, scene time %d "
                     "to %d ms\n",
                     out.c_str(), static_cast<long long>(done), static_cast<long long>(total),
                     range.timeOf(0), range.timeOf(done - 1));
        return kExitInterrupted;
    }
    return 0;
}
