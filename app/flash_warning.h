#pragma once

#include <cstdint>

// What the demo tells people sensitive to flashing light before its first
// flash: the program's --help, and the pane over the first seconds of the
// picture (scene 1 is calm then; its logo starts to grow at 6 s).
inline constexpr char kFlashWarning[] = "Warning: this demo contains flashing lights and rapid cuts.";
inline constexpr char kGentleOffer[] = "ostre3 --gentle draws a gentler picture: no flashes, slower turns, softer beats.";
inline constexpr char kGentleNote[] = "The gentle picture: no flashes, slower turns, softer beats; the scenes still cut.";

// The pane shows the warning while the scene time is below this.
constexpr std::int32_t kWarningEndMs = 5000;
