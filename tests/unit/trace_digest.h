#pragma once

// A 64-bit FNV-1a digest of a frame's recorded calls: each call's operation
// and the bytes of its four arguments. Two frames with the same digest print
// the same trace, byte for byte.

#include "gl_recorder.h"

#include <cstdint>
#include <cstring>
#include <vector>

inline std::uint64_t traceDigest(const std::vector<GlCall> &calls)
{
    std::uint64_t hash = 0xcbf29ce484222325u;
    const auto mix = [&hash](const unsigned char *bytes, std::size_t size) {
        for (std::size_t i = 0; i < size; ++i)
            hash = (hash ^ bytes[i]) * 0x100000001b3u;
    };
    for (const GlCall &call : calls) {
        const unsigned char op = static_cast<unsigned char>(call.op);
        mix(&op, 1);
        unsigned char args[sizeof call.args];
        std::memcpy(args, call.args.data(), sizeof args);
        mix(args, sizeof args);
    }
    return hash;
}
