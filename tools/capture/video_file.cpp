#include "video_file.h"

#include "interrupt.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {

std::string seconds(std::int64_t ms)
{
    char text[32];
    std::snprintf(text, sizeof text, "%lld.%03lld", static_cast<long long>(ms / 1000),
                  static_cast<long long>(ms % 1000));
    return text;
}

} // namespace

std::string soundtrackFilter(const FrameRange &range)
{
    const std::int64_t span = static_cast<std::int64_t>(range.to) - range.from;
    std::string filter = "[1:a]atrim=start=" + seconds(std::max<std::int64_t>(range.from, 0))
        + ":end=" + seconds(std::max<std::int64_t>(range.to, 0)) + ",asetpts=PTS-STARTPTS";
    if (range.from < 0)
        filter += ",adelay=delays=" + std::to_string(std::min<std::int64_t>(-range.from, span))
            + ":all=1";
    return filter + ",apad=whole_dur=" + seconds(span) + "[music]";
}

std::optional<bool> hasAudio(const std::string &path, std::string &problem)
{
    if (access(path.c_str(), R_OK) != 0) {
        problem = std::strerror(errno);
        return false;
    }
    const auto ffprobe = ChildProcess::start({"ffprobe", "-v", "error", "-select_streams", "a:0",
                                              "-show_entries", "stream=codec_type", "-of",
                                              "csv=p=0", "file:" + path},
                                             problem);
    if (!ffprobe) {
        problem += " (install the ffmpeg package)";
        return std::nullopt;
    }
    const bool ran = ffprobe->finish();
    if (ran && ffprobe->output().rfind("audio", 0) == 0)
        return true;
    problem = ran ? "no audio stream in it" : ffprobe->lastLine();
    return false;
}

VideoFile::VideoFile(const std::string &path) : path(path), file(path) {}

std::unique_ptr<VideoFile> VideoFile::open(const std::string &path, int width, int height,
                                           const FrameRange &range,
                                           const std::optional<std::string> &music,
                                           std::string &error)
{
    // Creating the file ourselves tells an unwritable output apart from an
    // encoder failure before any frame is rendered.
    std::unique_ptr<VideoFile> video(new VideoFile(path));
    if (!video->file.open()) {
        error = video->file.error();
        return nullptr;
    }

    std::vector<std::string> args{"ffmpeg", "-hide_banner", "-nostdin", "-loglevel", "error",
                                  "-y", "-f", "rawvideo", "-pix_fmt", "rgb24", "-s",
                                  std::to_string(width) + "x" + std::to_string(height), "-r",
                                  std::to_string(range.fps), "-i", "pipe:0"};
    if (music) {
        // The music is padded to the range and the video decides the end,
        // so an interrupted capture ends its soundtrack with its pictures.
        args.insert(args.end(), {"-i", "file:" + *music, "-filter_complex",
                                 soundtrackFilter(range), "-map", "0:v", "-map", "[music]",
                                 "-shortest", "-c:a", "aac", "-b:a", "192k"});
    }
    args.insert(args.end(), {"-c:v", "libx264", "-pix_fmt", "yuv420p", "-crf", "18", "-movflags",
                             "+faststart", "-f", "mp4", "file:" + video->file.temporaryPath()});
    video->ffmpeg = ChildProcess::start(args, error);
    if (!video->ffmpeg) {
        if (error.find("No such file") != std::string::npos)
            error += " (install the ffmpeg package)";
        return nullptr;
    }
    return video;
}

bool VideoFile::encoderFailed(std::string &error, bool reading)
{
    if (!ffmpeg->endedAfterInterrupt())
        ffmpeg->finish();
    if (ffmpeg->endedAfterInterrupt())
        error = std::string("interrupted: ffmpeg ") + (reading ? "stopped reading its frames"
                                                               : "did not finish")
            + ", so it was ended " + (interruptCount() > 1 ? "at the second interrupt"
                                      : std::to_string(ChildProcess::kGrace.count())
                                            + " s after the interrupt")
            + "; " + path + " was not written";
    else
        error = "ffmpeg failed writing " + path + ": " + ffmpeg->lastLine();
    return false;
}

bool VideoFile::add(const std::vector<std::uint8_t> &rgb, std::string &error)
{
    if (!ffmpeg->feed(rgb.data(), rgb.size()))
        return encoderFailed(error, true);
    return true;
}

bool VideoFile::close(std::string &error)
{
    if (!ffmpeg->finish())
        return encoderFailed(error, false);
    if (!file.commit()) {
        error = file.error();
        return false;
    }
    return true;
}
