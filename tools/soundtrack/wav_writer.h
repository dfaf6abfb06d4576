#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The samples as little-endian bytes: a WAV data chunk, and lame's raw input.
std::vector<char> pcm16Bytes(const std::vector<std::int16_t> &samples);

// A 16-bit stereo 44.1 kHz RIFF WAVE file of the interleaved samples.
bool writeWav(int fd, const std::vector<std::int16_t> &samples, std::string &error);
