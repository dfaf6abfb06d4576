// The ostre3-soundtrack command: its files, its MP3 as a player decodes it,
// and how it fails.

#include "beat_checks.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <utility>
#include <stdlib.h>
#include <sys/wait.h>

namespace fs = std::filesystem;

namespace {

struct ToolRun {
    int status;
    std::string errors;
};

bool available(const std::string &program)
{
    return std::system(("command -v " + program + " >/dev/null 2>&1").c_str()) == 0;
}

std::string readFile(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

int lineCount(const std::string &text)
{
    int lines = 0;
    for (char c : text)
        lines += c == '\n';
    return lines;
}

class SoundtrackTool : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "ostre3-soundtrack-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir = pattern;
    }
    void TearDown() override { fs::remove_all(dir); }

    // Runs the tool in the scratch folder; path, when given, replaces PATH.
    ToolRun launch(const std::string &arguments, const std::string &path = "")
    {
        const fs::path errors = dir / "errors.txt";
        std::string command = "cd '" + dir.string() + "' && ";
        if (!path.empty())
            command += "PATH='" + path + "' ";
        command += "'" SOUNDTRACK_TOOL "' " + arguments + " 2>'" + errors.string() + "'";
        const int status = std::system(command.c_str());
        ToolRun result{WIFEXITED(status) ? WEXITSTATUS(status) : -1, readFile(errors)};
        fs::remove(errors);
        return result;
    }

    std::vector<std::string> files() const
    {
        std::vector<std::string> names;
        for (const auto &entry : fs::directory_iterator(dir))
            names.push_back(entry.path().filename().string());
        return names;
    }

    // Decodes as a player would, honouring lame's gapless header: with
    // GStreamer, which the demo plays through, else with FFmpeg. Empty when
    // every decoder at hand fails.
    std::vector<std::int16_t> decode(const std::string &mp3)
    {
        const std::string in = (dir / mp3).string(), out = (dir / "decoded.raw").string();
        const std::pair<std::string, std::string> decoders[] = {
            {"gst-launch-1.0", "gst-launch-1.0 -q filesrc location='" + in
                                   + "' ! decodebin ! audioconvert ! audio/x-raw,format=S16LE,channels=2"
                                   + " ! filesink location='" + out + "' 2>/dev/null"},
            {"ffmpeg",
             "ffmpeg -v error -nostdin -y -i '" + in + "' -f s16le -acodec pcm_s16le -ac 2 '" + out + "'"},
        };
        for (const auto &[program, command] : decoders) {
            if (!available(program) || std::system(command.c_str()) != 0)
                continue;
            const std::string bytes = readFile(out);
            std::vector<std::int16_t> samples(bytes.size() / 2);
            for (std::size_t i = 0; i < samples.size(); ++i)
                samples[i] = static_cast<std::int16_t>(static_cast<unsigned char>(bytes[2 * i])
                                                       | static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
            if (!samples.empty())
                return samples;
        }
        return {};
    }

    fs::path dir;
};

} // namespace

TEST_F(SoundtrackTool, WritesTheSameMp3EveryTime)
{
    if (!available("lame"))
        GTEST_SKIP() << "the lame encoder is not installed";
    ASSERT_EQ(launch("--out first.mp3").status, 0);
    ASSERT_EQ(launch("--out second.mp3").status, 0);
    const std::string first = readFile(dir / "first.mp3");
    EXPECT_GT(first.size(), 1000000u);
    EXPECT_TRUE(first == readFile(dir / "second.mp3")) << "two runs gave different files";
}

TEST_F(SoundtrackTool, DecodedMp3KeepsItsBeatsOnThePicturesPulses)
{
    if (!available("lame") || !(available("gst-launch-1.0") || available("ffmpeg")))
        GTEST_SKIP() << "needs lame and a decoder (gst-launch-1.0 or ffmpeg)";
    ASSERT_EQ(launch("--out music.mp3").status, 0);
    const std::vector<float> mono = monoOf(decode("music.mp3"));
    ASSERT_GE(mono.size() / kRate * 1000.0, kTimelineEndMs) << "decoded length";
    for (const PicturePulse &pulse : picturePulses()) {
        SCOPED_TRACE(pulse.scene);
        const GridMatch match = matchOnsets(mono, pulse, 10.0);
        EXPECT_EQ(match.matched, pulse.last - pulse.first + 1);
        EXPECT_TRUE(match.strays.empty()) << "first stray onset at " << match.strays.front() << " ms";
        EXPECT_LE(match.worstMs, 10.0);
    }
    EXPECT_LT(peakFrom(mono, kTimelineEndMs), 0.002f) << "not silent after the end";
}

TEST_F(SoundtrackTool, WritesA16BitStereoWav)
{
    ASSERT_EQ(launch("--wav music.wav").status, 0);
    const std::string wav = readFile(dir / "music.wav");
    ASSERT_GE(wav.size(), 44u);
    EXPECT_EQ(wav.substr(0, 4), "RIFF");
    EXPECT_EQ(wav.substr(8, 8), "WAVEfmt ");
    EXPECT_EQ(wav.substr(36, 4), "data");
    EXPECT_EQ(wav.compare(22, 2, std::string("\x02\x00", 2)), 0) << "channels";
    EXPECT_EQ(wav.compare(24, 4, std::string("\x44\xac\x00\x00", 4)), 0) << "rate";
    const double seconds = (wav.size() - 44) / 4 / kRate;
    EXPECT_GE(seconds, kTimelineEndMs / 1000.0);
}

TEST_F(SoundtrackTool, RejectsBadArgumentsInOneLineWritingNothing)
{
    for (const char *arguments :
         {"", "--bogus", "--out", "--out ''", "--out --wav", "--wav a.wav --wav b.wav", "music.mp3"}) {
        SCOPED_TRACE(arguments);
        const ToolRun result = launch(arguments);
        EXPECT_NE(result.status, 0);
        EXPECT_EQ(lineCount(result.errors), 1) << result.errors;
        EXPECT_TRUE(files().empty());
    }
}

TEST_F(SoundtrackTool, LeavesNoFileWhenEncodingFails)
{
    const fs::path bin = dir / "bin";
    fs::create_directory(bin);
    {
        std::ofstream script(bin / "lame");
        script << "#!/bin/sh\necho 'lame: the disk is on fire' >&2\nexit 3\n";
    }
    fs::permissions(bin / "lame", fs::perms::owner_all);
    const ToolRun failing = launch("--out music.mp3", bin.string() + ":/usr/bin:/bin");
    EXPECT_EQ(failing.status, 1);
    EXPECT_EQ(lineCount(failing.errors), 1) << failing.errors;
    EXPECT_NE(failing.errors.find("the disk is on fire"), std::string::npos) << failing.errors;

    fs::remove(bin / "lame");
    const ToolRun missing = launch("--out music.mp3", bin.string());
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(lineCount(missing.errors), 1) << missing.errors;
    EXPECT_NE(missing.errors.find("lame"), std::string::npos) << missing.errors;

    const ToolRun intoFolder = launch("--out bin");
    EXPECT_EQ(intoFolder.status, 1);
    EXPECT_EQ(lineCount(intoFolder.errors), 1) << intoFolder.errors;

    EXPECT_EQ(files(), std::vector<std::string>{"bin"});
}
