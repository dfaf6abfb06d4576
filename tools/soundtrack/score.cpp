#include "score.h"

#include "timeline.h"

#include <cstdint>

bool isDrum(Voice voice)
{
    return voice <= Voice::Zap;
}

namespace {

using Chord = std::vector<int>;

// Beat b of a scene's grid starts at origin + b * period (ms); b may be
// fractional for off-beats.
double beatAt(const BeatGrid &grid, double beat)
{
    return grid.origin + beat * grid.period();
}

// Scene n (1 to 9) runs from sceneStart(n) to sceneEnd(n), in ms.
double sceneEnd(int n) { return sceneWindow(n).end; }
double sceneStart(int n) { return sceneWindow(n).start; }

Note hit(Voice voice, double ms, double gain, double pan = 0.0)
{
    Note note{ms, 0.0, voice};
    note.gain = gain;
    note.pan = pan;
    return note;
}

Note tone(Voice voice, double ms, double lengthMs, double pitch, double gain, double pan = 0.0)
{
    Note note{ms, lengthMs, voice};
    note.pitch = pitch;
    note.gain = gain;
    note.pan = pan;
    return note;
}

class Section {
public:
    Section(std::vector<Note> &notes, BeatGrid grid) : notes(notes), grid(grid) {}

    double at(double beat) const { return beatAt(grid, beat); }
    double beats(double count) const { return count * grid.period(); }
    void add(const Note &note) { notes.push_back(note); }

    // A sustained chord spread across the stereo field.
    void pad(const Chord &chord, double fromMs, double toMs, double gain, double brightness,
             double sweep = 0.0)
    {
        for (std::size_t i = 0; i < chord.size(); ++i) {
            const double pan = chord.size() > 1 ? -0.6 + 1.2 * i / (chord.size() - 1) : 0.0;
            add(tone(Voice::Pad, fromMs, toMs - fromMs, chord[i], gain, pan)
                    .withBrightness(brightness)
                    .withSweep(sweep));
        }
    }

    void fourOnTheFloor(int count)
    {
        for (int b = 0; b < count; ++b)
            add(hit(Voice::Kick, at(b), 1.0));
    }

    void backbeat(Voice voice, int count, double gain)
    {
        for (int b = 1; b < count; b += 2)
            add(hit(voice, at(b), gain, 0.1));
    }

private:
    std::vector<Note> &notes;
    BeatGrid grid;
};

// Scene 1: the logo draws itself out of the dark; no beat yet, a swelling
// chord, a few bells and a riser into the first downbeat.
void intro(std::vector<Note> &notes)
{
    Section s(notes, sceneBeats(1));
    s.pad({45, 52, 59, 60, 64}, 0.0, sceneEnd(1), 0.16, 0.05, 0.5);
    s.add(tone(Voice::Bass, 0.0, sceneEnd(1), 33, 0.35).withBrightness(0.0));
    const int melody[] = {76, 81, 84, 83, 81, 76, 79, 81};
    for (int i = 0; i < 8; ++i)
        s.add(tone(Voice::Bell, s.at(2 * i), 0.0, melody[i], 0.22, i % 2 ? 0.45 : -0.45)
                  .withEcho(0.5));
    s.add(tone(Voice::Riser, s.at(10), sceneEnd(1) - s.at(10), 0, 0.35));
}

// Scene 2: the title throbs; house beat with off-beat bass and a plucked
// arpeggio in A minor.
void title(std::vector<Note> &notes)
{
    Section s(notes, sceneBeats(2));
    const Chord chords[] = {{57, 60, 64}, {57, 60, 65}, {55, 60, 64}, {55, 59, 62}};
    const int roots[] = {33, 29, 36, 31};
    s.add(hit(Voice::Crash, s.at(0), 0.5));
    s.fourOnTheFloor(32);
    for (int b = 0; b < 32; ++b) {
        const int c = b / 8;
        s.add(hit(Voice::ClosedHat, s.at(b + 0.5), 0.35, 0.3));
        s.add(hit(Voice::ClosedHat, s.at(b + 0.25), 0.1, -0.3));
        s.add(hit(Voice::ClosedHat, s.at(b + 0.75), 0.1, -0.3));
        s.add(tone(Voice::Bass, s.at(b + 0.5), s.beats(0.4), roots[c] + 12, 0.6).withBrightness(0.45));
        for (int half = 0; half < 2; ++half) {
            const int step = 2 * b + half;
            const int pitch = chords[c][step % 3] + 12 * (1 + (step / 3) % 2);
            s.add(tone(Voice::Pluck, s.at(b + 0.5 * half), 0.0, pitch, 0.26, half ? 0.5 : -0.5)
                      .withEcho(0.35)
                      .withBrightness(0.6));
        }
    }
    for (int c = 0; c < 4; ++c)
        s.pad(chords[c], s.at(8 * c), s.at(8 * c + 8), 0.12, 0.3);
}

// Scene 3: the cube jumps on every beat; a harder beat with a snare on the
// backbeat, rolling hats and a saw lead in D minor.
void cube(std::vector<Note> &notes)
{
    Section s(notes, sceneBeats(3));
    const Chord chords[] = {{62, 65, 69}, {58, 62, 65}, {60, 65, 69}, {60, 64, 67}};
    const int roots[] = {38, 34, 41, 36};
    const double motif[][2] = {{0, 2}, {1.5, 1}, {3, 0}, {4, 1}, {5.5, 2}, {6.5, 0}};
    s.add(hit(Voice::Crash, s.at(0), 0.55));
    s.fourOnTheFloor(32);
    s.backbeat(Voice::Snare, 32, 0.7);
    for (int b = 0; b < 32; ++b) {
        const int c = b / 8;
        for (int q = 0; q < 4; ++q)
            s.add(hit(Voice::ClosedHat, s.at(b + 0.25 * q), q == 2 ? 0.24 : 0.08, 0.35));
        s.add(tone(Voice::Bass, s.at(b), s.beats(0.45), roots[c], 0.55).withBrightness(0.3));
        s.add(tone(Voice::Bass, s.at(b + 0.5), s.beats(0.4), roots[c] + 12, 0.45).withBrightness(0.5));
    }
    for (int c = 0; c < 4; ++c) {
        s.pad(chords[c], s.at(8 * c), s.at(8 * c + 8), 0.1, 0.2);
        for (const auto &n : motif)
            s.add(tone(Voice::Lead, s.at(8 * c + n[0]), s.beats(1.2), chords[c][int(n[1])] + 12, 0.16, 0.2)
                      .withEcho(0.4)
                      .withBrightness(0.5));
    }
}

// Scene 4: the noise lines flip between strips and segments on every beat of
// the title's grid; each flip is a hit, a kick into segments and a tom with a
// clap into strips, over a dark E phrygian drone.
void noiseLines(std::vector<Note> &notes)
{
    Section s(notes, sceneBeats(4));
    const Chord chords[] = {{52, 55, 59}, {53, 57, 60}, {52, 55, 59}, {50, 53, 57}};
    const int roots[] = {40, 41, 40, 38};
    const int firstFlip = 64; // beats from the title's origin: t = 40212
    const int lastFlip = 96;  // t = 56268
    // The cymbals mark the first flip and the last, which closes the scene.
    s.add(hit(Voice::Crash, s.at(firstFlip), 0.45));
    s.add(hit(Voice::Crash, s.at(lastFlip), 0.4));
    for (int k = firstFlip; k <= lastFlip; ++k) {
        const double t = s.at(k);
        const bool intoSegments = k % 2 == 0;
        if (intoSegments) {
            s.add(hit(Voice::Kick, t, 1.0));
        } else {
            s.add(hit(Voice::Clap, t, 0.7));
            s.add(tone(Voice::Tom, t, 0.0, k % 4 == 1 ? 45 : 43, 1.0, 0.2));
        }
        s.add(tone(Voice::Zap, t, 0.0, intoSegments ? 64 : 71, 0.4, intoSegments ? -0.5 : 0.5)
                  .withEcho(0.3));
        s.add(hit(Voice::ClosedHat, s.at(k + 0.5), 0.18, 0.4));
    }
    for (int c = 0; c < 4; ++c) {
        const double from = c == 0 ? sceneStart(4) : s.at(firstFlip + 8 * c);
        const double to = c == 3 ? sceneEnd(4) : s.at(firstFlip + 8 * c + 8);
        s.pad(chords[c], from, to, 0.13, 0.08);
        s.add(tone(Voice::Bass, from, to - from, roots[c], 0.5).withBrightness(0.15));
    }
}

// Scene 5: the cylinder twists once round; a breakdown without drums, the
// pad's filter opening and closing with the twist.
void twist(std::vector<Note> &notes)
{
    Section s(notes, sceneBeats(5));
    const Chord chords[] = {{53, 57, 60, 64}, {52, 55, 59, 62}};
    const int roots[] = {41, 40};
    for (int c = 0; c < 2; ++c) {
        s.pad(chords[c], s.at(8 * c), c == 1 ? sceneEnd(5) : s.at(8), 0.2, 0.1, 1.0);
        s.add(tone(Voice::Bass, s.at(8 * c), s.beats(8), roots[c], 0.4).withBrightness(0.1));
        const int order[] = {0, 1, 2, 3, 2, 1, 3, 2};
        for (int step = 0; step < 16; ++step)
            s.add(tone(Voice::Pluck, s.at(8 * c + 0.5 * step), 0.0, chords[c][order[step % 8]] + 12,
                       0.24, step % 2 ? 0.6 : -0.6)
                      .withEcho(0.5)
                      .withBrightness(0.35));
    }
    s.add(tone(Voice::Riser, s.at(8), sceneEnd(5) - s.at(8), 0, 0.3));
}

// Scene 6: the band snaps narrow on every beat; claps, open hats and a
// galloping bass in C minor under FM bells.
void pyramid(std::vector<Note> &notes)
{
    Section s(notes, sceneBeats(6));
    const Chord chords[] = {{60, 63, 67}, {56, 60, 63}, {58, 63, 67}, {58, 62, 65}};
    const int roots[] = {36, 32, 39, 34};
    const int bells[] = {0, 2, 1, 2, 0, 1, 2, 1};
    s.add(hit(Voice::Crash, s.at(0), 0.55));
    s.fourOnTheFloor(32);
    s.backbeat(Voice::Clap, 32, 0.75);
    for (int b = 0; b < 32; ++b) {
        const int c = b / 8;
        s.add(hit(Voice::OpenHat, s.at(b + 0.5), 0.22, -0.3));
        s.add(hit(Voice::ClosedHat, s.at(b + 0.25), 0.1, 0.3));
        s.add(hit(Voice::ClosedHat, s.at(b + 0.75), 0.1, 0.3));
        s.add(tone(Voice::Bass, s.at(b + 0.5), s.beats(0.2), roots[c], 0.55).withBrightness(0.5));
        s.add(tone(Voice::Bass, s.at(b + 0.75), s.beats(0.2), roots[c] + 12, 0.45).withBrightness(0.5));
        s.add(tone(Voice::Bell, s.at(b), 0.0, chords[c][bells[b % 8]] + 12, 0.13, b % 2 ? 0.5 : -0.5)
                  .withEcho(0.4));
    }
    for (int c = 0; c < 4; ++c)
        s.pad(chords[c], s.at(8 * c), s.at(8 * c + 8), 0.1, 0.25);
}

// Scene 7: a bundle of random lines; random plucks in G minor pentatonic
// scattered over the 16ths, from a fixed seed like the picture's.
void bundle(std::vector<Note> &notes)
{
    Section s(notes, sceneBeats(7)); // the picture's pulse starts 40 ms in
    const Chord chords[] = {{55, 58, 62}, {55, 58, 63}, {58, 62, 65}, {57, 60, 65}};
    const int roots[] = {43, 39, 34, 41};
    const int scale[] = {67, 70, 72, 74, 77, 79, 82, 84, 86, 89};
    std::uint32_t seed = 0;
    const auto random = [&seed](int range) {
        seed = seed * 1103515245u + 12345u;
        return static_cast<int>((seed >> 16) % range);
    };
    s.add(hit(Voice::Crash, s.at(0), 0.5));
    s.fourOnTheFloor(32);
    s.backbeat(Voice::Snare, 32, 0.65);
    for (int b = 0; b < 32; ++b) {
        const int c = b / 8;
        s.add(hit(Voice::ClosedHat, s.at(b + 0.5), 0.25, 0.25));
        if (b % 2 == 0)
            s.add(tone(Voice::Bass, s.at(b), s.beats(1.75), roots[c], 0.5)
                      .withBrightness(0.25 + 0.1 * (b % 8)));
        for (int q = 0; q < 4; ++q) {
            if (random(100) >= 55)
                continue;
            // One draw per statement: argument order is the compiler's choice.
            const double pan = random(161) / 100.0 - 0.8;
            const int pitch = scale[random(10)];
            const double gain = 0.12 + random(10) / 60.0;
            s.add(tone(Voice::Pluck, s.at(b + 0.25 * q), 0.0, pitch, gain, pan)
                      .withEcho(0.3)
                      .withBrightness(0.7));
        }
    }
    for (int c = 0; c < 4; ++c) {
        const double from = c == 0 ? sceneStart(7) : s.at(8 * c);
        s.pad(chords[c], from, c == 3 ? sceneEnd(7) : s.at(8 * c + 8), 0.11, 0.2);
    }
}

// Scene 8: the ray sphere is the climax; everything at once in A minor,
// with off-beat stabs and a lead line.
void raySphere(std::vector<Note> &notes)
{
    Section s(notes, sceneBeats(8)); // the picture's pulse starts 20 ms in
    const Chord chords[] = {{57, 60, 64}, {57, 60, 65}, {55, 60, 64}, {56, 59, 64}};
    const int roots[] = {33, 29, 36, 28};
    const int melodies[4][6] = {{76, 74, 72, 71, 72, 74}, {77, 76, 72, 69, 72, 76},
                                {79, 76, 74, 72, 74, 76}, {76, 74, 71, 68, 71, 74}};
    const double lengths[6] = {2, 1, 1, 1, 2, 1};
    s.add(hit(Voice::Crash, s.at(0), 0.6));
    s.fourOnTheFloor(32);
    s.backbeat(Voice::Snare, 32, 0.7);
    for (int b = 0; b < 32; ++b) {
        const int c = b / 8;
        for (int q = 1; q < 4; q += 2)
            s.add(hit(Voice::ClosedHat, s.at(b + 0.25 * q), 0.12, -0.35));
        s.add(hit(Voice::OpenHat, s.at(b + 0.5), 0.2, 0.35));
        s.add(tone(Voice::Bass, s.at(b), s.beats(0.45), roots[c] + 12, 0.55).withBrightness(0.35));
        s.add(tone(Voice::Bass, s.at(b + 0.5), s.beats(0.4), roots[c] + 24, 0.4).withBrightness(0.55));
        for (int n : chords[c])
            s.add(tone(Voice::Lead, s.at(b + 0.5), s.beats(0.25), n, 0.07, 0.0).withBrightness(0.8));
    }
    for (int c = 0; c < 4; ++c) {
        s.pad(chords[c], s.at(8 * c), s.at(8 * c + 8), 0.1, 0.35);
        double beat = 8 * c;
        for (int i = 0; i < 6; ++i) {
            s.add(tone(Voice::Lead, s.at(beat), s.beats(0.9 * lengths[i]), melodies[c][i], 0.15, -0.15)
                      .withEcho(0.35)
                      .withBrightness(0.6));
            beat += lengths[i];
        }
    }
}

// Scene 9: the spiral fades out; the chords open up and bells ring down.
// The mixer fades the whole mix to silence by the end of the timeline.
void outro(std::vector<Note> &notes)
{
    Section s(notes, sceneBeats(9));
    const Chord chords[] = {{57, 60, 64, 71}, {53, 57, 60, 64}, {50, 57, 60, 65}, {45, 52, 59, 60, 64}};
    const int roots[] = {33, 29, 26, 33};
    const int bells[] = {88, 84, 81, 76, 79, 76, 72, 69};
    s.add(hit(Voice::Crash, s.at(0), 0.4));
    for (int c = 0; c < 4; ++c) {
        s.pad(chords[c], s.at(8 * c), s.at(8 * c + 8), 0.15, 0.15, 0.7);
        s.add(tone(Voice::Bass, s.at(8 * c), s.beats(8), roots[c] + 12, 0.35).withBrightness(0.05));
        for (int b = 0; b < 8; ++b)
            s.add(tone(Voice::Bell, s.at(8 * c + b), 0.0, bells[(b + 3 * c) % 8], 0.16, b % 2 ? 0.55 : -0.55)
                      .withEcho(0.55));
    }
}

} // namespace

std::vector<Note> composeScore()
{
    std::vector<Note> notes;
    intro(notes);
    title(notes);
    cube(notes);
    noiseLines(notes);
    twist(notes);
    pyramid(notes);
    bundle(notes);
    raySphere(notes);
    outro(notes);
    return notes;
}
