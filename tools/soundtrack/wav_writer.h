#pragma once

#include <cstdint>
#include <vector>

// The samples as little-endian bytes: a WAV data chunk, and lame's raw input.
std::vector<char> pcm16Bytes(const std::vector<std::int16_t> &samples);

// A 16-bit stereo 44.1 kHz RIFF WAVE file of the interleaved samples.
std::vector<char> wavFile(const std::vector<std::int16_t> &samples);
