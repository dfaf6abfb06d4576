#pragma once

#include "frame_sink.h"

#include <cstdint>
#include <memory>
#include <string>

// Numbered PNG files frame_000000.png, frame_000001.png, ... in a
// directory, created if need be. Each file appears only once complete.
class PngDirectory : public FrameSink {
public:
    // Null, with the reason in `error`, when the directory is not writable.
    static std::unique_ptr<PngDirectory> open(const std::string &directory, int width,
                                              int height, std::string &error);

    bool add(const std::vector<std::uint8_t> &rgb, std::string &error) override;
    bool close(std::string &) override { return true; }

    static std::string frameName(std::int64_t index);

private:
    PngDirectory(const std::string &directory, int width, int height);

    std::string prefix;  // the directory, ending in '/'
    int width, height;
    std::int64_t next = 0;
};
