#pragma once

// glibc's rand(): the additive feedback generator r[i] = r[i-3] + r[i-31]
// (mod 2^32) that srand() seeds with a Lehmer sequence and then runs 310
// steps ahead; each result is the new word shifted right by one. Scene 7's
// layout is this sequence after srand(0), so it is the same on every C
// library, and the scene leaves the process's own generator alone.

#include <array>
#include <cstdint>

class GlibcRand {
public:
    explicit GlibcRand(std::uint32_t seed)
    {
        // glibc keeps the seed in a signed word and replaces 0 with 1.
        std::int32_t word = seed == 0 ? 1 : static_cast<std::int32_t>(seed);
        r[0] = static_cast<std::uint32_t>(word);
        for (int i = 1; i < 31; ++i) {
            // 16807 * word mod (2^31 - 1), by Schrage's method as glibc does.
            const std::int32_t hi = word / 127773;
            const std::int32_t lo = word % 127773;
            word = 16807 * lo - 2836 * hi;
            if (word < 0)
                word += 2147483647;
            r[i] = static_cast<std::uint32_t>(word);
        }
        for (int i = 31; i < 34; ++i)
            r[i] = r[i - 31];
        next = 34;
        for (int i = 0; i < 310; ++i)
            step();
    }

    // The next result, 0 .. 2^31 - 1, as rand() would return it.
    int operator()() { return static_cast<int>(step() >> 1); }

private:
    std::uint32_t step()
    {
        const std::uint32_t word = at(next - 31) + at(next - 3);
        r[next % kWords] = word;
        ++next;
        return word;
    }

    std::uint32_t at(std::uint64_t i) const { return r[i % kWords]; }

    // Enough words for both taps back from the next one.
    static constexpr int kWords = 34;
    std::array<std::uint32_t, kWords> r{};
    std::uint64_t next = 0;
};
