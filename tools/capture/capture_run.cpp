#include "capture_run.h"

#include "capture_options.h"

#include "interrupt.h"
#include "progress_line.h"

#include <string>

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
    // A failure caused by the interrupt is one too: the status says so.
    const auto failed = [](const std::string &problem) {
        if (!interruptRequested())
            return kCaptureTool.fail(problem);
        kCaptureTool.say(problem);
        return kExitInterrupted;
    };
    if (!error.empty())
        return failed(error);
    if (done == 0) {
        kCaptureTool.say("interrupted before the first frame; nothing written");
        return kExitInterrupted;
    }
    if (!sink.close(error))
        return failed(error);
    if (done < total) {
        kCaptureTool.say("interrupted: " + out + " holds " + std::to_string(done) + " of "
                         + std::to_string(total) + " frames, scene time "
                         + std::to_string(range.timeOf(0)) + " to "
                         + std::to_string(range.timeOf(done - 1)) + " ms");
        return kExitInterrupted;
    }
    return 0;
}
