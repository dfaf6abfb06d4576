#pragma once

#include "frame.h"

// What the demo pane does with its GL context, written once for every call
// layer: context set-up, resize and one frame of the scene that owns f.t.

template <class Gl>
void initializeContext(Gl &gl);

// Viewport and projection for a w by h pane; returns the new point step.
template <class Gl>
float resizeContext(Gl &gl, int w, int h);

// Draws the scene whose time window holds f.t; nothing past the timeline.
template <class Gl>
void paintFrame(Gl &gl, const Frame &f);
