#include "demo_pane.h"

#include "native_gl.h"
#include "scene_table.h"

namespace {

// Sets the alpha of every pixel to 1 and leaves the rest of the GL state
// as it was. The scenes clear with alpha 0 and care only for colour, which
// is all an X11 window shows; a Wayland compositor blends the picture over
// what lies behind it by that alpha.
void makeOpaque()
{
    GLfloat clear[4];
    GLboolean mask[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    glGetBooleanv(GL_COLOR_WRITEMASK, mask);
    const GLboolean scissor = glIsEnabled(GL_SCISSOR_TEST);
    glDisable(GL_SCISSOR_TEST);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_TRUE);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glColorMask(mask[0], mask[1], mask[2], mask[3]);
    glClearColor(clear[0], clear[1], clear[2], clear[3]);
    if (scissor)
        glEnable(GL_SCISSOR_TEST);
}

} // namespace

DemoPane::DemoPane(QWidget *parent)
    : QGLWidget(QGLFormat(QGL::SampleBuffers), parent)
{
    // GL needs a native window of its own, but its parents need none: on
    // Wayland an empty native parent is never mapped, and neither is
    // anything inside it, so nothing would be shown.
    setAttribute(Qt::WA_DontCreateNativeAncestors);
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
    GLint alphaBits = 0;
    glGetIntegerv(GL_ALPHA_BITS, &alphaBits);
    hasAlpha = alphaBits > 0;
}

void DemoPane::resizeGL(int, int)
{
    resizeToPixels();
}

void DemoPane::resizeToPixels()
{
    NativeGl gl;
    sized = pixelSize();
    resizeContext(gl, sized.width(), sized.height());
    step = pointStep(sized.height());
}

void DemoPane::paintGL()
{
    // A move to a screen with another scale changes the pixel size without
    // a resize of the widget.
    if (pixelSize() != sized)
        resizeToPixels();
    NativeGl gl;
    const Frame frame{sceneTime, step, sized.width(), sized.height()};
    if (gentle)
        paintGentleFrame(gl, frame, caches);
    else
        paintFrame(gl, frame, caches);
    if (hasAlpha)
        makeOpaque();
}
