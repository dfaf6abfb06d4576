#include "wav_writer.h"

#include "soundtrack.h"

#include <string>

namespace {

void put(std::string &out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xff));
}

} // namespace

std::vector<char> pcm16Bytes(const std::vector<std::int16_t> &samples)
{
    std::vector<char> bytes(2 * samples.size());
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const auto v = static_cast<std::uint16_t>(samples[i]);
        bytes[2 * i] = static_cast<char>(v & 0xff);
        bytes[2 * i + 1] = static_cast<char>(v >> 8);
    }
    return bytes;
}

std::vector<char> wavFile(const std::vector<std::int16_t> &samples)
{
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    std::string header = "RIFF";
    put(header, 36 + dataBytes, 4);
    header += "WAVEfmt ";
    put(header, 16, 4);
    put(header, 1, 2); // PCM
    put(header, 2, 2);
    put(header, kSoundtrackRate, 4);
    put(header, kSoundtrackRate * 4, 4);
    put(header, 4, 2);
    put(header, 16, 2);
    header += "data";
    put(header, dataBytes, 4);

    std::vector<char> file(header.begin(), header.end());
    const std::vector<char> data = pcm16Bytes(samples);
    file.insert(file.end(), data.begin(), data.end());
    return file;
}
