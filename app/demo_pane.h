#pragma once

#include "drawing_surface.h"

#include <QOpenGLWidget>
#include <QSize>
#include <QSurfaceFormat>

#include <cstdint>

// The OpenGL widget the demo is drawn in. It holds the scene time the main
// window feeds it and hands every paint to the scene table.
class DemoPane : public QOpenGLWidget
{
    Q_OBJECT

public:
    explicit DemoPane(QWidget *parent = nullptr);

    // Desktop OpenGL with its fixed-function pipeline, which the scenes draw
    // with: a compatibility context, never OpenGL ES, which some Qt builds
    // default to. The window that shows the pane must share its contexts,
    // so the program makes it the default before the application starts.
    static QSurfaceFormat desktopGlFormat();

    void setTime(std::int32_t time) { sceneTime = time; }
    // Draws the gentle picture (renderer/gentle.h) instead of the normal one.
    void setGentle(bool on) { gentle = on; }
    std::int32_t time() const { return sceneTime; }
    // The size the scenes are drawn at: GL counts device pixels, which on a
    // scaled screen are not the widget's logical ones.
    QSize pixelSize() const;

protected:
    void initializeGL() override;
    void resizeGL(int w, int h) override;
    void paintGL() override;

private:
    void resizeTo(const QSize &pixels);

    std::int32_t sceneTime = 0;
    bool gentle = false;
    DrawingSurface surface;
};
