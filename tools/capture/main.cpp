// ostre3-capture: renders frames of the demo headless, at any size: a still,
// numbered PNG frames, a video with its music, or a contact sheet; or counts
// the flashes of a range, or compares the light of its two pictures.

#include "capture_memory.h"
#include "capture_options.h"
#include "capture_run.h"
#include "cli.h"
#include "contact_sheet.h"
#include "flash_heatmap.h"
#include "flash_report.h"
#include "interrupt.h"
#include "light_report.h"
#include "progress_line.h"
#include "offscreen_gl.h"
#include "png_directory.h"
#include "png_file.h"
#include "video_file.h"

#include <csignal>
#include <cstdio>
#include <memory>
#include <new>
#include <string>
#include <vector>

namespace {

constexpr int kExitFlashing = 3;  // a flash analysis found a failing second,
                                  // or the gentle picture lost light

// Renders every frame of the range in both pictures and prints their light.
int compareLight(OffscreenGl &gl, const FrameRange &range)
{
    LightReport report;
    std::int64_t done = 0;
    {
        ProgressLine progress(range.frameCount());
        for (; done < range.frameCount() && !interruptRequested(); ++done) {
            const std::int32_t t = range.timeOf(done);
            gl.setGentle(false);
            const auto normal = gl.render(t);
            gl.setGentle(true);
            report.add(t, normal, gl.render(t));
            progress.frameDone();
        }
    }
    report.print(stdout);
    if (done < range.frameCount()) {
        kCaptureTool.say("interrupted after " + std::to_string(done) + " of "
                         + std::to_string(range.frameCount()) + " frames");
        return kExitInterrupted;
    }
    return report.keepsTheLight() ? 0 : kExitFlashing;
}

int captureVideo(OffscreenGl &gl, const CaptureOptions &options)
{
    std::string problem;
    const auto usable = hasAudio(options.music, problem);
    if (!usable)
        return kCaptureTool.fail("cannot check the music: " + problem);
    std::string error;
    const auto video = VideoFile::open(options.out, options.size.width, options.size.height,
                                       options.range,
                                       *usable ? std::optional(options.music) : std::nullopt,
                                       error);
    if (!video)
        return kCaptureTool.fail(error);
    if (!*usable)
        kCaptureTool.say("no usable music in " + options.music + " (" + problem
                         + "); the video is silent");
    return captureRange(gl, options.range, *video, options.out);
}

} // namespace

int main(int argc, char **argv)
{
    if (const auto status = kCaptureTool.answerAlone(argc, argv))
        return *status;
    std::string problem;
    const auto options = parseCaptureOptions({argv + 1, argv + argc}, problem);
    if (!options)
        return kCaptureTool.refuse(problem);

    if (const auto budget = readMemoryBudget())
        if (const auto shortfall = memoryShortfall(*options, *budget))
            return kCaptureTool.fail(*shortfall);

    std::string error;
    const auto gl = OffscreenGl::create(options->size.width, options->size.height, error);
    if (!gl)
        return kCaptureTool.fail(error);
    gl->setGentle(options->gentle);

    switch (options->kind) {
    case OutputKind::Still:
        if (!writePng(options->out, gl->width(), gl->height(), gl->render(options->time), error))
            return kCaptureTool.fail(error);
        return 0;
    case OutputKind::ContactSheet: {
        const RgbImage sheet = renderContactSheet(*gl);
        if (!writePng(options->out, sheet.width, sheet.height, sheet.pixels, error))
            return kCaptureTool.fail(error);
        return 0;
    }
    case OutputKind::Frames: {
        catchInterrupts();
        const auto frames = PngDirectory::open(options->out, gl->width(), gl->height(), error);
        if (!frames)
            return kCaptureTool.fail(error);
        return captureRange(*gl, options->range, *frames, options->out);
    }
    case OutputKind::Flashes: {
        catchInterrupts();
        std::unique_ptr<FlashReport> report;
        try {
            report = std::make_unique<FlashReport>(gl->width(), gl->height(), options->range,
                                                   stdout);
        } catch (const std::bad_alloc &) {
            return kCaptureTool.fail("not enough memory to count the flashes of "
                                     + std::to_string(gl->width()) + "x"
                                     + std::to_string(gl->height()) + " frames");
        }
        const int status = captureRange(*gl, options->range, *report, "the analysis");
        if (status != 0 && status != kExitInterrupted)
            return status;
        // The seconds analysed are pictured, also when interrupted.
        if (!options->heatmap.empty()
            && !writeFlashHeatmaps(*gl, report->failingSeconds(), options->heatmap, error))
            return kCaptureTool.fail(error);
        if (status != 0)
            return status;
        return report->failingSeconds().empty() ? 0 : kExitFlashing;
    }
    case OutputKind::Light:
        catchInterrupts();
        return compareLight(*gl, options->range);
    case OutputKind::Video:
        std::signal(SIGPIPE, SIG_IGN);  // a failing ffmpeg is reported, not fatal
        catchInterrupts();
        return captureVideo(*gl, *options);
    }
    return kExitFailed;
}
