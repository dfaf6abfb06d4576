// ostre3-soundtrack: renders the demo's own music and writes it as MP3
// (through lame) and/or WAV.

#include "cli.h"
#include "mp3_encoder.h"
#include "pending_file.h"
#include "soundtrack.h"
#include "wav_writer.h"

#include <cstdio>
#include <memory>
#include <string>

namespace {

const char kUsage[] = "usage: ostre3-soundtrack [--out FILE.mp3] [--wav FILE.wav] | --version";

int fail(const std::string &message, int status = 1)
{
    std::fprintf(stderr, "ostre3-soundtrack: %s\n", message.c_str());
    return status;
}

} // namespace

int main(int argc, char **argv)
{
    if (printVersionIfAsked("ostre3-soundtrack", argc, argv))
        return 0;
    std::unique_ptr<PendingFile> mp3, wav;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::printf("%s\n", kUsage);
            return 0;
        }
        auto &slot = arg == "--out" ? mp3 : wav;
        // A missing, empty or option-like value is a mistake, not a file name.
        if ((arg != "--out" && arg != "--wav") || slot || i + 1 >= argc || argv[i + 1][0] == '\0'
            || argv[i + 1][0] == '-')
            return fail(std::string("bad argument '") + arg + "'; " + kUsage, 2);
        slot = std::make_unique<PendingFile>(argv[++i]);
    }
    if (!mp3 && !wav)
        return fail(std::string("nothing to write; ") + kUsage, 2);
    for (PendingFile *file : {mp3.get(), wav.get()})
        if (file && !file->open())
            return fail(file->error());

    const std::vector<std::int16_t> samples = toPcm16(renderSoundtrack());
    std::string error;
    if (wav && !(writeWav(wav->descriptor(), samples, error) && wav->commit()))
        return fail(error.empty() ? wav->error() : "cannot write the WAV file: " + error);
    if (mp3 && !(encodeMp3(samples, mp3->temporaryPath(), error) && mp3->commit()))
        return fail(error.empty() ? mp3->error() : error);
    return 0;
}
