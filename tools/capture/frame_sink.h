#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Where the frames of a range go, in order: numbered PNG files or a video.
class FrameSink {
public:
    virtual ~FrameSink() = default;

    // Takes the next frame (RGB rows, top first).
    virtual bool add(const std::vector<std::uint8_t> &rgb, std::string &error) = 0;

    // Completes the output with the frames added so far.
    virtual bool close(std::string &error) = 0;
};
