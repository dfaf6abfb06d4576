#include "video_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string seconds(std::int64_t ms)
{
    char text[32];
    std::snprintf(text, sizeof text, "%lld.%03lld", static_cast<long long>(ms / 1000),
                  static_cast<long long>(ms % 1000));
    return text;
}

// Creating the file ourselves tells an unwritable output apart from an
// encoder failure before any frame is rendered.
bool createEmpty(const std::string &path, std::string &error)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        error = "cannot write " + path + ": " + std::strerror(errno);
        return false;
    }
    ::close(fd);
    return true;
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

VideoFile::VideoFile(const std::string &path) : path(path), partialPath(path + ".part") {}

std::unique_ptr<VideoFile> VideoFile::open(const std::string &path, int width, int height,
                                           const FrameRange &range,
                                           const std::optional<std::string> &music,
                                           std::string &error)
{
    struct stat info;
    if (stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
        error = "cannot write " + path + ": it is a directory";
        return nullptr;  // found now rather than after the whole encode
    }
    std::unique_ptr<VideoFile> video(new VideoFile(path));
    if (!createEmpty(video->partialPath, error))
        return nullptr;

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
    args.insert(args.end(), {"-c:v", "libx264", "-pix_fmt", "yuv420p", "-crf", "18",
                             "-movflags", "+faststart", "-f", "mp4", "file:" + video->partialPath});
    video->ffmpeg = ChildProcess::start(args, error);
    if (!video->ffmpeg) {
        if (error.find("No such file") != std::string::npos)
            error += " (install the ffmpeg package)";
        return nullptr;
    }
    return video;
}

VideoFile::~VideoFile()
{
    ffmpeg.reset();  // stops it before its file goes
    if (!partialPath.empty())
        std::remove(partialPath.c_str());
}

bool VideoFile::encoderFailed(std::string &error)
{
    ffmpeg->finish();
    error = "ffmpeg failed writing " + path + ": " + ffmpeg->lastLine();
    return false;
}

bool VideoFile::add(const std::vector<std::uint8_t> &rgb, std::string &error)
{
    if (!ffmpeg->feed(rgb.data(), rgb.size()))
        return encoderFailed(error);
    return true;
}

bool VideoFile::close(std::string &error)
{
    if (!ffmpeg->finish())
        return encoderFailed(error);
    if (std::rename(partialPath.c_str(), path.c_str()) != 0) {
        error = "cannot write " + path + ": " + std::strerror(errno);
        return false;
    }
    partialPath.clear();
    return true;
}
