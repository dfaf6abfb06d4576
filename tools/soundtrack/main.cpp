// ostre3-soundtrack: renders the demo's own music and writes it as MP3
// (through lame) and/or WAV.

#include "cli.h"
#include "mp3_encoder.h"
#include "pending_file.h"
#include "soundtrack.h"
#include "wav_writer.h"

#include <memory>
#include <string>

// Every option names a file to write.
const Tool kSoundtrackTool{
    "ostre3-soundtrack",
    "usage: ostre3-soundtrack [--out FILE.mp3] [--wav FILE.wav] | --help | --version\n",
    {"--out", "--wav"},
    {}};

int main(int argc, char **argv)
{
    int status = 0;
    const auto given = kSoundtrackTool.options(argc, argv, status);
    if (!given)
        return status;
    // At least one is given here: no arguments at all are answered above.
    std::unique_ptr<PendingFile> mp3, wav;
    if (given->count("--out"))
        mp3 = std::make_unique<PendingFile>(given->at("--out"));
    if (given->count("--wav"))
        wav = std::make_unique<PendingFile>(given->at("--wav"));
    for (PendingFile *file : {mp3.get(), wav.get()})
        if (file && !file->open())
            return kSoundtrackTool.fail(file->error());

    const std::vector<std::int16_t> samples = toPcm16(renderSoundtrack());
    if (wav) {
        const std::vector<char> bytes = wavFile(samples);
        if (!wav->write(bytes.data(), bytes.size()) || !wav->commit())
            return kSoundtrackTool.fail(wav->error());
    }
    std::string error;
    if (mp3 && !encodeMp3(samples, mp3->temporaryPath(), error))
        return kSoundtrackTool.fail(error);
    if (mp3 && !mp3->commit())
        return kSoundtrackTool.fail(mp3->error());
    return 0;
}
