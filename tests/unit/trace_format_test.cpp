#include "gl_recorder.h"

#include <gtest/gtest.h>

TEST(TraceFormat, PrintsEachArgumentKindAsTheTracerPromises)
{
    GlRecorder gl;
    gl.clearColor(0.3f, 0.13f, 0.15f, 0);
    gl.clear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    gl.scissor(0, 323, 1920, 432);
    gl.rotatef(4800, 1, 0, 0);
    gl.begin(GL_LINE_STRIP);
    gl.blendFunc(GL_ONE, GL_ONE);
    gl.enable(GL_SCISSOR_TEST);
    gl.matrixMode(GL_PROJECTION);
    gl.perspective(45, 1920.0 / 1080, 0.01, 100);
    gl.end();
    std::vector<std::string> lines;
    for (const GlCall &c : gl.calls)
        lines.push_back(formatCall(c));
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "glClearColor 0.300000012 0.129999995 0.150000006 0",
                         "glClear GL_COLOR_BUFFER_BIT|GL_DEPTH_BUFFER_BIT",
                         "glScissor 0 323 1920 432",
                         "glRotatef 4800 1 0 0",
                         "glBegin GL_LINE_STRIP",
                         "glBlendFunc GL_ONE GL_ONE",  // same value as GL_LINES
                         "glEnable GL_SCISSOR_TEST",
                         "glMatrixMode GL_PROJECTION",
                         "gluPerspective 45 1.7777777777777777 0.01 100",
                         "glEnd",
                     }));
}

TEST(TraceFormat, NegativeIntegersAndNegativeZeroKeepTheirSign)
{
    GlRecorder gl;
    gl.scissor(0, -3, 5, 7);
    gl.vertex3f(-0.0f, -1.5f, 1e-7f);
    EXPECT_EQ(formatCall(gl.calls[0]), "glScissor 0 -3 5 7");
    EXPECT_EQ(formatCall(gl.calls[1]), "glVertex3f -0 -1.5 1.00000001e-07");
}
