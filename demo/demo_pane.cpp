#include "demo_pane.h"

#include "native_gl.h"
#include "scene_table.h"

DemoPane::DemoPane(QWidget *parent)
    : QGLWidget(QGLFormat(QGL::SampleBuffers), parent)
{
}

QSize DemoPane::pixelSize() const
{
    const qreal ratio = devicePixelRatioF();
    return QSize(qRound(width() * ratio), qRound(height() * ratio));
}

void DemoPane::initializeGL()
{
    NativeGl gl;
    initializeContext(gl);
}

void DemoPane::resizeGL(int, int)
{
    resizeToPixels();
}

void DemoPane::resizeToPixels()
{
    NativeGl gl;
    sized = pixelSize();
    step = resizeContext(gl, sized.width(), sized.height());
}

void DemoPane::paintGL()
{
    // A move to a screen with another scale changes the pixel size without
    // a resize of the widget.
    if (pixelSize() != sized)
        resizeToPixels();
    NativeGl gl;
    paintFrame(gl, Frame{sceneTime, step, sized.width(), sized.height()});
}
