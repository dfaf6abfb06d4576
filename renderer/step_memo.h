#pragma once

// What a scene derives from the point step alone (the walk's points, their
// curve inputs, a random layout) is the same in every frame until the pane
// is resized. A StepMemo keeps it for the last step it was asked for and
// refills it when the step changes, so every frame still comes out exactly
// as if computed afresh. Each renderer has its own (see SceneCaches), used
// from one thread.

#include <cstdint>
#include <cstring>
#include <vector>

template <class Entry>
class StepMemo {
public:
    // fill(step, entries) appends the entries for `step` to an empty vector.
    template <class Fill>
    const std::vector<Entry> &entriesFor(float step, Fill fill)
    {
        std::uint32_t bits;
        std::memcpy(&bits, &step, sizeof bits);
        if (!filled || bits != key) {
            // A fresh vector, so that a short walk does not keep the memory
            // of a long one.
            std::vector<Entry> fresh;
            fill(step, fresh);
            entries.swap(fresh);
            key = bits;
            filled = true;
        }
        return entries;
    }

private:
    std::vector<Entry> entries;
    std::uint32_t key = 0;
    bool filled = false;
};
