#pragma once

#include "frame.h"
#include "scene_caches.h"
#include "scene_table.h"

#include <cstdint>

// One place the demo is drawn on (a window's pane, an offscreen image, a
// canvas, a trace): its size in pixels, the point step that size gives and
// the caches its frames share. Every host holds one and hands it its call
// layer; a frame is then a function of the scene time alone.
class DrawingSurface {
public:
    DrawingSurface() = default;
    // A surface of width by height pixels that GL has not been told of yet: its
    // frames use kStepBeforeResize until the first resize.
    DrawingSurface(int width, int height) : widthPixels(width), heightPixels(height) {}

    int width() const { return widthPixels; }
    int height() const { return heightPixels; }
    bool hasSize(int width, int height) const { return width == widthPixels && height == heightPixels; }

    // Sets a new GL context up for the scenes.
    template <class Gl>
    void initialize(Gl &gl)
    {
        initializeContext(gl);
    }

    // Viewport, projection and point step for width by height pixels.
    template <class Gl>
    void resize(Gl &gl, int width, int height)
    {
        resizeContext(gl, width, height);
        widthPixels = width;
        heightPixels = height;
        step = pointStep(height);
    }

    // The frame at scene time t: the gentle picture when `gentle` is set.
    template <class Gl>
    void draw(Gl &gl, std::int32_t t, bool gentle = false)
    {
        paintFrame(gl, Frame{t, step, widthPixels, heightPixels, gentle}, caches);
    }

private:
    int widthPixels = 0, heightPixels = 0;
    float step = kStepBeforeResize;
    SceneCaches caches;
};
