#include "demo_pane.h"

#include "native_gl.h"
#include "scene_table.h"

DemoPane::DemoPane(QWidget *parent)
    : QGLWidget(QGLFormat(QGL::SampleBuffers), parent)
{
}

void DemoPane::initializeGL()
{
    NativeGl gl;
    initializeContext(gl);
}

void DemoPane::resizeGL(int w, int h)
{
    NativeGl gl;
    resizeContext(gl, w, h);
    step = pointStep(h);
}

void DemoPane::paintGL()
{
    NativeGl gl;
    paintFrame(gl, Frame{sceneTime, step, width(), height()}, caches);
}
