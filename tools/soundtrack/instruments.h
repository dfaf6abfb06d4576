#pragma once

#include "score.h"

#include <cstdint>
#include <vector>

// One note as mono samples at 44.1 kHz from its start, including its decay.
// The seed feeds the voice's noise, so equal notes with equal seeds sound the
// same.
std::vector<float> renderVoice(const Note &note, std::uint32_t seed);
