#pragma once

#include "drawing_surface.h"

#include <QLabel>
#include <QOpenGLWidget>
#include <QSize>
#include <QSurfaceFormat>

#include <cstdint>

// The OpenGL widget the demo is drawn in. It holds the scene time the main
// window feeds it (at the start of each paint, while playing) and hands
// every paint to the scene table.
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

    // Over the first kWarningEndMs of scene time the pane also shows the
    // flash warning (flash_warning.h): a label over the picture, never
    // part of it, so captures and traces stay the picture alone.
    void setTime(std::int32_t time);
    // Draws the gentle picture (renderer/gentle.h) instead of the normal one.
    void setGentle(bool on);
    std::int32_t time() const { return sceneTime; }
    // The size the scenes are drawn at: GL counts device pixels, which on a
    // scaled screen are not the widget's logical ones.
    QSize pixelSize() const;

signals:
    // A paint is about to draw the scene time: the last moment to set it.
    void paintStarting();

protected:
    bool event(QEvent *event) override;
    void initializeGL() override;
    void resizeGL(int w, int h) override;
    void paintGL() override;
    void resizeEvent(QResizeEvent *event) override;

private:
    static QSurfaceFormat paneFormat();
    void placeWarning();
    void resizeTo(const QSize &pixels);

    std::int32_t sceneTime = 0;
    bool gentle = false;
    DrawingSurface surface;
    QLabel *warning;
};
