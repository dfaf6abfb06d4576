#pragma once

#include "timeline.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <vector>

// How much of the normal picture's light the gentle picture keeps, scene by
// scene: the mean relative luminance of their pixels, and their RMS
// contrast (the standard deviation of a frame's pixels' relative
// luminance, averaged over the frames).
struct Light {
    double meanLuminance = 0;
    double rmsContrast = 0;
};

// The gentle picture must keep at least these shares of the normal one's.
constexpr double kKeptLuminance = 0.8;
constexpr double kKeptContrast = 0.7;

class LightReport {
public:
    // Takes the normal and the gentle frame (RGB rows) of the scene time t.
    void add(std::int32_t t, const std::vector<std::uint8_t> &normal,
             const std::vector<std::uint8_t> &gentle);

    // The frames' light, normal and gentle, of a scene (1 to 9); zero
    // where the scene had no frame.
    Light normal(int scene) const { return lightOf(scenes[scene - 1].normal, scenes[scene - 1].frames); }
    Light gentle(int scene) const { return lightOf(scenes[scene - 1].gentle, scenes[scene - 1].frames); }

    // Whether every scene with frames keeps both shares.
    bool keepsTheLight() const;

    // One line a scene with frames: its figures and the shares kept.
    void print(std::FILE *out) const;

private:
    struct Sums {
        double luminance = 0;  // of every pixel
        double contrast = 0;   // of every frame
        std::int64_t pixels = 0;
    };
    struct Scene {
        Sums normal, gentle;
        std::int64_t frames = 0;
    };
    static void addFrame(Sums &sums, const std::vector<std::uint8_t> &rgb);
    static Light lightOf(const Sums &sums, std::int64_t frames);

    std::array<Scene, kSceneCount> scenes;
};
