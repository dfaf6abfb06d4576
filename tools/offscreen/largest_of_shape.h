#pragma once

#include <algorithm>
#include <functional>
#include <utility>

// The largest size of the shape of `width` by `height`, no larger, that
// `fits`: the width tried from the top down, one at a time, the height
// following it (rounded down, at least 1; both rounded down to even where
// `even`). {0, 0} when none fits. Top down, because a size a GL refuses
// costs it nothing, while one it takes costs it the memory cleared.
inline std::pair<int, int> largestOfShape(int width, int height, bool even,
                                          const std::function<bool(int, int)> &fits)
{
    const int step = even ? 2 : 1;
    for (int w = even ? width & ~1 : width; w > 0; w -= step) {
        const long long scaled = static_cast<long long>(w) * height / width;
        const int h = even ? static_cast<int>(scaled & ~1LL) : std::max(static_cast<int>(scaled), 1);
        if (h > 0 && fits(w, h))
            return {w, h};
    }
    return {0, 0};
}
