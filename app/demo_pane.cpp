#include "demo_pane.h"

#include "flash_warning.h"
#include "native_gl.h"

#include <QResizeEvent>

#include <algorithm>

namespace {

// Sets the alpha of every pixel to 1 and leaves the rest of the GL state
// as it was. The scenes clear with alpha 0 and care only for colour; the
// widget's framebuffer keeps that alpha, and a Wayland compositor would
// blend the picture over what lies behind it by it.
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
    : QOpenGLWidget(parent), warning(new QLabel(this))
{
    setFormat(paneFormat());
    warning->setAlignment(Qt::AlignCenter);
    warning->setStyleSheet("color: white; background: rgba(0, 0, 0, 190); padding: 0.5em;");
    warning->setWordWrap(true);
    setGentle(false);
}

QSurfaceFormat DemoPane::paneFormat()
{
    QSurfaceFormat format = desktopGlFormat();
    format.setDepthBufferSize(24);
    format.setSamples(4);
    return format;
}

bool DemoPane::event(QEvent *event)
{
    // QOpenGLWidget takes the sample count out of the format it was given
    // when it makes its first context, so a new one (after a move to another
    // window) would draw without multisampling: it is given it again.
    if (!isValid())
        setFormat(paneFormat());
    return QOpenGLWidget::event(event);
}

void DemoPane::setTime(std::int32_t time)
{
    sceneTime = time;
    const bool warn = time >= 0 && time < kWarningEndMs;
    if (warning->isVisibleTo(this) != warn)
        warning->setVisible(warn);
}

void DemoPane::setGentle(bool on)
{
    gentle = on;
    warning->setText(on ? QString(kGentleNote)
                        : QString("%1\n%2").arg(kFlashWarning, kGentleOffer));
    placeWarning();
}

void DemoPane::placeWarning()
{
    // Placed by hand, not by a layout: a layout would pass the text's size
    // up to the window, and a window made larger for it leaves full screen.
    const int w = std::min(width(), warning->sizeHint().width());
    const int h = std::min(height(), warning->heightForWidth(w));
    warning->setGeometry((width() - w) / 2, height() - h, w, h);
}

void DemoPane::resizeEvent(QResizeEvent *event)
{
    // Readable across the room on a full screen, and within a small window.
    QFont font = warning->font();
    font.setPixelSize(qBound(11, event->size().height() / 32, 48));
    warning->setFont(font);
    QOpenGLWidget::resizeEvent(event);
    placeWarning();
}

QSurfaceFormat DemoPane::desktopGlFormat()
{
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    return format;
}

QSize DemoPane::pixelSize() const
{
    const qreal ratio = devicePixelRatioF();
    return QSize(qRound(width() * ratio), qRound(height() * ratio));
}

void DemoPane::initializeGL()
{
    NativeGl gl;
    surface.initialize(gl);
    // A new context at the size the pane had (moved to another window)
    // gets no resizeGL: its projection is set here, as a first resize sets it.
    resizeTo(pixelSize());
}

void DemoPane::resizeGL(int, int)
{
    resizeTo(pixelSize());
}

void DemoPane::resizeTo(const QSize &pixels)
{
    NativeGl gl;
    surface.resize(gl, pixels.width(), pixels.height());
}

void DemoPane::paintGL()
{
    emit paintStarting();
    // A move to a screen with another scale changes the pixel size without
    // a resize of the widget.
    const QSize pixels = pixelSize();
    if (!surface.hasSize(pixels.width(), pixels.height()))
        resizeTo(pixels);
    NativeGl gl;
    // The widget sets a viewport of its own before every paint, cut down to
    // whole pixels where the scale is fractional; the scenes fill the
    // framebuffer, which is rounded.
    gl.viewport(0, 0, surface.width(), surface.height());
    // The scenes draw with blending off (scene 2 turns it on and off again
    // and leaves its additive function set), but Qt 6.8 hands the context
    // over with blending on before every paint.
    gl.disable(GL_BLEND);
    surface.draw(gl, sceneTime, gentle);
    makeOpaque();
}
