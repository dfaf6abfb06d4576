#pragma once

#include "drawing_surface.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// A headless GL context (EGL, no display) drawing into a multisampled
// framebuffer of a fixed size, set up exactly as the demo pane sets up its
// window: same context set-up, same projection, same point step.
class OffscreenGl {
public:
    static constexpr int kSamples = 4;

    // Null, with the reason in `error`, when no usable GL can be had.
    static std::unique_ptr<OffscreenGl> create(int width, int height, std::string &error);
    ~OffscreenGl();

    int width() const { return surface.width(); }
    int height() const { return surface.height(); }

    // Draws the gentle picture (renderer/gentle.h) from now on, or the normal one.
    void setGentle(bool on) { gentle = on; }

    // Draws the frame at scene time t and returns it as RGB rows, top first.
    std::vector<std::uint8_t> render(std::int32_t t);

    // Draws the frame at scene time t and waits until GL has finished it,
    // reading nothing back: what a frame costs on screen.
    void draw(std::int32_t t);

    // Makes the multisampled framebuffer the one GL draws into, for frames
    // drawn by other means than the scene table.
    void bindTarget();

private:
    struct Egl;
    OffscreenGl(int width, int height);
    bool setUp(std::string &error);
    // Gives the framebuffer's images w by h pixels; false when GL cannot
    // make them a complete framebuffer.
    bool allocate(int w, int h);
    void paint(std::int32_t t);

    DrawingSurface surface;
    bool gentle = false;
    std::unique_ptr<Egl> egl;
};
