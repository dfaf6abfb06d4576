#pragma once

// Traces as the tracer prints them, and where two of them part, so that a
// changed frame shows which calls changed rather than only that it did.

#include "gl_recorder.h"

#include <algorithm>
#include <string>
#include <vector>

inline std::vector<std::string> traceLines(const std::vector<GlCall> &calls)
{
    std::vector<std::string> lines;
    lines.reserve(calls.size());
    for (const GlCall &c : calls)
        lines.push_back(formatCall(c));
    return lines;
}

// The first `shown` calls that differ, each with its number (its line in
// the trace, from 1) and both lines, then how many differ in all; empty
// when the traces are the same.
inline std::string firstDifferences(const std::vector<std::string> &expected,
                                    const std::vector<std::string> &actual, std::size_t shown = 3)
{
    static const std::string none = "(no call)";
    std::string text;
    std::size_t differing = 0;
    for (std::size_t i = 0; i < std::max(expected.size(), actual.size()); ++i) {
        const std::string &e = i < expected.size() ? expected[i] : none;
        const std::string &a = i < actual.size() ? actual[i] : none;
        if (e == a || ++differing > shown)
            continue;
        text += "  call " + std::to_string(i + 1) + "\n    expected: " + e + "\n    actual:   " + a + '\n';
    }
    if (differing > shown)
        text += "  and " + std::to_string(differing - shown) + " more calls differ\n";
    if (differing > 0 && expected.size() != actual.size())
        text += "  " + std::to_string(expected.size()) + " calls expected, " + std::to_string(actual.size()) +
                " made\n";
    return text;
}
