#pragma once

#include <string>

// Where a sound output would show itself: a sound server's socket (the
// PulseAudio protocol, which PipeWire speaks too, or PipeWire's own), or a
// sound card that plays.
struct SoundPlaces
{
    std::string pulseServer;   // $PULSE_SERVER, if set
    std::string runtimeDir;    // $XDG_RUNTIME_DIR, if set
    std::string systemPulse = "/var/run/pulse/native"; // a system-wide server
    std::string cards = "/proc/asound/pcm";

    static SoundPlaces ofThisSession();
};

// Empty where some sound output may be there; else, in a few words, why
// nothing can be heard.
std::string soundOutputProblem(const SoundPlaces &places);
