#pragma once

// What the scenes keep from one frame to the next: everything they derive
// from the point step alone, refilled whenever the step changes. Whoever
// draws (the pane, the offscreen renderer, the tracer, the benchmark, a
// test) owns one SceneCaches and hands it to every frame it draws, so the
// scenes hold nothing between frames and two renderers share nothing. A
// frame comes out the same whatever its caches held before.

#include "scene_kit.h"
#include "step_memo.h"
#include "wide_parts.h"

#include <vector>

// Scene 1: one layer of the logo's stack, where it lies along z and its
// colour (black at both ends of the stack).
struct LogoLayer {
    float z;
    float red, green, blue;
};

// Scene 3: one step of the walk round the square, its colour's palette
// angles and the outline point its six rays run to.
struct OutlinePoint {
    float x, y;
};

struct CubeRay {
    kit::PaletteAngles colour;
    OutlinePoint p;
};

// Scene 4: one point of a noise line before the scroll, its parameter and
// its noise inputs, each times its jitter's multiplier (all 0 for the first
// point) ...
struct NoiseStep {
    float along;  // the walk's parameter
    WideParts nx, ny, nz;
};

// ... the angles its jitter takes the sines of in one frame ...
struct JitterAngles {
    double x, y, z;
};

// ... and as the two lines draw it in one frame, above the band and below.
struct NoisePoint {
    int column;
    float x, z;
    double jy;  // the jitter in height, which the heights take in
    float yAbove, yBelow;
};

// Scene 4: one ray of the cone, its colour's palette angles and rim point.
struct ConeRay {
    kit::PaletteAngles colour;
    kit::ColourInputs rim;
};

// Scene 5: the near rim point of a step and its colour's palette angles.
struct RimStep {
    kit::PaletteAngles colour;
    float x, y;
};

// Scene 6: a step's colour's palette angles and where its hatch ends are.
struct HatchStep {
    kit::PaletteAngles colour;
    float side, edgeOffset;
};

// Scene 7: a line end at rest and the direction a beat throws it in.
// Products of two floats are exact in a double, so keeping them changes
// nothing.
struct RandomEnd {
    double x, y;  // radius * sine, radius * cosine
    float jitterX, jitterY;
};

struct BundleLine {
    kit::PaletteAngles colour;
    RandomEnd back, front;
};

struct SceneCaches {
    StepMemo<LogoLayer> logoLayers;           // scene 1
    StepMemo<kit::SpiralPoint> burstRays;     // scene 2: the spiral the burst runs to
    StepMemo<CubeRay> cubeRays;               // scene 3
    StepMemo<NoiseStep> noiseSteps;           // scene 4
    std::vector<JitterAngles> jitterAngles;   // scene 4: this frame's, kept to spare an allocation
    std::vector<NoisePoint> noisePoints;      // scene 4: the same
    StepMemo<ConeRay> coneRays;               // scene 4
    StepMemo<RimStep> rimSteps;               // scene 5
    StepMemo<HatchStep> hatchSteps;           // scene 6
    StepMemo<BundleLine> bundleLines;         // scene 7: the random layout
    StepMemo<kit::SpiralPoint> sphereRays;    // scene 8: the spiral the rays run from
    StepMemo<kit::SpiralPoint> fadingSpiral;  // scene 9
};
