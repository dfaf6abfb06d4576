#pragma once

// The nine scene routines, one per source file, in timeline order. Each draws
// one complete frame through the call layer Gl from nothing but the Frame;
// what it keeps to draw the next frame faster lives in the caller's caches.

#include "frame.h"
#include "scene_caches.h"

template <class Gl> void drawExtrudedLogo(Gl &gl, const Frame &f, SceneCaches &);      // scene 1
template <class Gl> void drawBurstAndTitle(Gl &gl, const Frame &f, SceneCaches &);     // scene 2
template <class Gl> void drawSunburstCube(Gl &gl, const Frame &f, SceneCaches &);      // scene 3
template <class Gl> void drawNoiseLinesAndCone(Gl &gl, const Frame &f, SceneCaches &); // scene 4
template <class Gl> void drawTwistingCylinder(Gl &gl, const Frame &f, SceneCaches &);  // scene 5
template <class Gl> void drawDoublePyramid(Gl &gl, const Frame &f, SceneCaches &);     // scene 6
template <class Gl> void drawRandomBundle(Gl &gl, const Frame &f, SceneCaches &);      // scene 7
template <class Gl> void drawRaySphere(Gl &gl, const Frame &f, SceneCaches &);         // scene 8
template <class Gl> void drawFadingSpiral(Gl &gl, const Frame &f, SceneCaches &);      // scene 9
