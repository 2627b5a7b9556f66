// The video picture: an OpenGL widget inside the dialog's frame control that libmpv's render
// API draws into. It is the graph's VideoSurface; the graph attaches and detaches its renderer.
// User-interface thread only. The graph must detach (put_Owner(nullptr)) before this goes.
#pragma once

#include <QOpenGLWidget>

#include "platform/media_graph.h"

namespace clipwright {

class VideoFrame : public QOpenGLWidget, public VideoSurface {
    Q_OBJECT

public:
    explicit VideoFrame(QWidget* frameControl);
    ~VideoFrame() override;

    void AttachVideo(VideoRenderer* renderer) override;
    void ShowVideo(bool visible) override;
    void PlaceVideo(const QRect& rect) override;
    void RaiseVideo() override;

    // libmpv frames drawn since the renderer was attached (for the benchmark and tests).
    int FramesDrawn() const { return framesDrawn_; }

signals:
    void FrameDrawn();

protected:
    void initializeGL() override;
    void paintGL() override;

private:
    void CreateRendererIfReady();
    void FreeRenderer();

    VideoRenderer* renderer_ = nullptr;  // the graph's; not owned
    bool created_ = false;
    bool framePending_ = false;  // libmpv has a new frame for the next paint
    int framesDrawn_ = 0;
};

}  // namespace clipwright
