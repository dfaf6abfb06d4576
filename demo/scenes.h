#pragma once

// The nine scene routines, one per source file, in timeline order. Each draws
// one complete frame through the call layer Gl from nothing but the Frame.

#include "frame.h"

template <class Gl> void drawExtrudedLogo(Gl &gl, const Frame &f);     // scene 1
template <class Gl> void drawBurstAndTitle(Gl &gl, const Frame &f);    // scene 2
template <class Gl> void drawSunburstCube(Gl &gl, const Frame &f);     // scene 3
template <class Gl> void drawNoiseLinesAndCone(Gl &gl, const Frame &f); // scene 4
template <class Gl> void drawTwistingCylinder(Gl &gl, const Frame &f); // scene 5
template <class Gl> void drawDoublePyramid(Gl &gl, const Frame &f);    // scene 6
template <class Gl> void drawRandomBundle(Gl &gl, const Frame &f);     // scene 7
template <class Gl> void drawRaySphere(Gl &gl, const Frame &f);        // scene 8
template <class Gl> void drawFadingSpiral(Gl &gl, const Frame &f);     // scene 9
