#include "light_report.h"

#include <cmath>

namespace {

const std::array<double, 256> &luminanceTable()
{
    static const std::array<double, 256> table = [] {
        std::array<double, 256> t{};
        for (int i = 0; i < 256; ++i) {
            const double c = i / 255.0;
            t[i] = c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        }
        return t;
    }();
    return table;
}

} // namespace

void LightReport::addFrame(Sums &sums, const std::vector<std::uint8_t> &rgb)
{
    const auto &linear = luminanceTable();
    double sum = 0, squares = 0;
    const std::size_t pixels = rgb.size() / 3;
    for (std::size_t i = 0; i < pixels; ++i) {
        const double l = 0.2126 * linear[rgb[3 * i]] + 0.7152 * linear[rgb[3 * i + 1]]
            + 0.0722 * linear[rgb[3 * i + 2]];
        sum += l;
        squares += l * l;
    }
    const double mean = sum / pixels;
    sums.luminance += sum;
    sums.contrast += std::sqrt(std::max(0.0, squares / pixels - mean * mean));
    sums.pixels += static_cast<std::int64_t>(pixels);
}

void LightReport::add(std::int32_t t, const std::vector<std::uint8_t> &normal,
                      const std::vector<std::uint8_t> &gentle)
{
    const int scene = sceneAt(t);
    if (scene == 0 || t < 0)
        return;
    Scene &s = scenes[scene - 1];
    addFrame(s.normal, normal);
    addFrame(s.gentle, gentle);
    ++s.frames;
}

Light LightReport::lightOf(const Sums &sums, std::int64_t frames)
{
    if (frames == 0)
        return {};
    return {sums.luminance / sums.pixels, sums.contrast / frames};
}

bool LightReport::keepsTheLight() const
{
    for (int scene = 1; scene <= kSceneCount; ++scene) {
        if (scenes[scene - 1].frames == 0)
            continue;
        const Light n = normal(scene), g = gentle(scene);
        if (g.meanLuminance < kKeptLuminance * n.meanLuminance
            || g.rmsContrast < kKeptContrast * n.rmsContrast)
            return false;
    }
    return true;
}

void LightReport::print(std::FILE *out) const
{
    std::fprintf(out, "scene frames  luminance: normal gentle kept  contrast: normal gentle kept\n");
    for (int scene = 1; scene <= kSceneCount; ++scene) {
        const std::int64_t frames = scenes[scene - 1].frames;
        if (frames == 0)
            continue;
        const Light n = normal(scene), g = gentle(scene);
        const auto share = [](double part, double whole) { return whole > 0 ? part / whole : 1.0; };
        std::fprintf(out, "%5d %6lld  %17.4f %6.4f %4.2f  %16.4f %6.4f %4.2f\n", scene,
                     static_cast<long long>(frames), n.meanLuminance, g.meanLuminance,
                     share(g.meanLuminance, n.meanLuminance), n.rmsContrast, g.rmsContrast,
                     share(g.rmsContrast, n.rmsContrast));
    }
    std::fflush(out);
}
