#pragma once

#include <vector>

// The demo's music as a list of notes, written against the picture's own
// timeline: a section per scene, the drums on each scene's pulse grid.

enum class Voice {
    Kick, Tom, Snare, Clap, ClosedHat, OpenHat, Crash, Zap, // drums: never ducked
    Bass, Pad, Pluck, Bell, Lead, Riser, // ducked under the kick
};

bool isDrum(Voice voice);

struct Note {
    double startMs;
    double lengthMs; // held voices only; drums ring out on their own
    Voice voice;
    double pitch = 0.0;      // MIDI note number
    double gain = 1.0;
    double pan = 0.0;        // -1 left to 1 right
    double echo = 0.0;       // send to the ping-pong echo
    double brightness = 0.3; // how far the voice's filter opens, 0 to 1
    double sweep = 0.0;      // pads: filter swell peaking mid-note, 0 to 1

    Note &withEcho(double amount) { echo = amount; return *this; }
    Note &withBrightness(double amount) { brightness = amount; return *this; }
    Note &withSweep(double amount) { sweep = amount; return *this; }
};

// The whole soundtrack, in no particular order.
std::vector<Note> composeScore();
