#pragma once

#include "scene_table.h"

#include <QGLWidget>

#include <cstdint>

// The OpenGL widget the demo is drawn in. It holds the scene time the main
// window feeds it and hands every paint to the scene table.
class DemoPane : public QGLWidget
{
    Q_OBJECT

public:
    explicit DemoPane(QWidget *parent = nullptr);

    void setTime(std::int32_t time) { sceneTime = time; }
    std::int32_t time() const { return sceneTime; }

protected:
    void initializeGL() override;
    void resizeGL(int w, int h) override;
    void paintGL() override;

private:
    std::int32_t sceneTime = 0;
    float step = kStepBeforeResize;
    SceneCaches caches;
};
