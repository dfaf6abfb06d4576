#pragma once

#include "frame.h"
#include "scene_caches.h"

// What the demo pane does with its GL context, written once for every call
// layer: context set-up, resize and one frame of the scene that owns f.t.

template <class Gl>
void initializeContext(Gl &gl);

// Viewport and projection for a w by h pane.
template <class Gl>
void resizeContext(Gl &gl, int w, int h);

// The scenes' point step in a pane `height` pixels high: 220 / height, a
// pane squeezed to no height counting as one row.
float pointStep(int height);

// The point step of a pane that has not been resized yet.
constexpr float kStepBeforeResize = 1.0f;

// Draws the scene whose time window holds f.t, in the gentle picture where
// f.gentle is set; nothing past the timeline. `caches` belong to the caller
// and serve all of its frames.
template <class Gl>
void paintFrame(Gl &gl, const Frame &f, SceneCaches &caches);
