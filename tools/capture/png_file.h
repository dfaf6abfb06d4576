#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes RGB rows (top first) as a PNG. The file appears only once it is
// complete; on failure nothing is left behind and `error` says why.
bool writePng(const std::string &path, int width, int height,
              const std::vector<std::uint8_t> &rgb, std::string &error);
