#pragma once

#include "child_process.h"
#include "frame_range.h"
#include "frame_sink.h"
#include "pending_file.h"

#include <memory>
#include <optional>
#include <string>

// An H.264 video (yuv420p, MP4) encoded by ffmpeg from raw frames streamed
// through a pipe, with the music cut to the captured range. It is a
// PendingFile: it takes its own name only once ffmpeg has closed it, so a
// file under that name always plays.
class VideoFile : public FrameSink {
public:
    // `music` is an audio file already known to decode, or none for a
    // silent video. Null, with the reason in `error`, when ffmpeg cannot
    // be run or the file cannot be written.
    static std::unique_ptr<VideoFile> open(const std::string &path, int width, int height,
                                           const FrameRange &range,
                                           const std::optional<std::string> &music,
                                           std::string &error);

    bool add(const std::vector<std::uint8_t> &rgb, std::string &error) override;
    bool close(std::string &error) override;

private:
    explicit VideoFile(const std::string &path);
    // Says why ffmpeg failed, which was being fed (`reading`) or finishing.
    bool encoderFailed(std::string &error, bool reading);

    std::string path;
    PendingFile file;                      // unclosed: removed
    std::unique_ptr<ChildProcess> ffmpeg;  // stopped before its file goes
};

// Whether ffprobe finds an audio stream in `path`; when not, `problem` says
// why the file cannot serve as the soundtrack. None when ffprobe cannot run.
std::optional<bool> hasAudio(const std::string &path, std::string &problem);

// The audio filter that cuts the music to the range: silence before the
// music starts (negative times) and after it ends, so the soundtrack lasts
// exactly as long as the range.
std::string soundtrackFilter(const FrameRange &range);
