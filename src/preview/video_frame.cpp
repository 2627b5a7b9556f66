#include "preview/video_frame.h"

#include <QOpenGLContext>
#include <QOpenGLFunctions>

namespace clipwright {

namespace {

void* GetProcAddress(void*, const char* name) {
    QOpenGLContext* context = QOpenGLContext::currentContext();
    return context != nullptr ? reinterpret_cast<void*>(context->getProcAddress(name)) : nullptr;
}

}  // namespace

VideoFrame::VideoFrame(QWidget* frameControl) : QOpenGLWidget(frameControl) {
    hide();
}

VideoFrame::~VideoFrame() {
    FreeRenderer();
}

void VideoFrame::AttachVideo(VideoRenderer* renderer) {
    if (renderer == renderer_) {
        return;
    }
    FreeRenderer();
    renderer_ = renderer;
    framesDrawn_ = 0;
    CreateRendererIfReady();
}

void VideoFrame::ShowVideo(bool visible) {
    setVisible(visible);
}

void VideoFrame::PlaceVideo(const QRect& rect) {
    setGeometry(rect);
}

void VideoFrame::RaiseVideo() {
    raise();
}

void VideoFrame::initializeGL() {
    CreateRendererIfReady();
}

void VideoFrame::paintGL() {
    if (renderer_ == nullptr || !created_) {
        QOpenGLContext::currentContext()->functions()->glClearColor(0, 0, 0, 1);
        QOpenGLContext::currentContext()->functions()->glClear(GL_COLOR_BUFFER_BIT);
        return;
    }
    const qreal ratio = devicePixelRatioF();
    renderer_->RenderFrame(static_cast<int>(defaultFramebufferObject()),
                           static_cast<int>(width() * ratio), static_cast<int>(height() * ratio));
    if (framePending_) {
        framePending_ = false;
        ++framesDrawn_;
        emit FrameDrawn();
    }
}

// The render context needs this widget's OpenGL context, which exists once it is first shown.
void VideoFrame::CreateRendererIfReady() {
    if (renderer_ == nullptr || created_ || context() == nullptr) {
        return;
    }
    makeCurrent();
    created_ = renderer_->CreateRenderer(&GetProcAddress, nullptr, [this] {
        framePending_ = true;
        update();
    });
    doneCurrent();
}

void VideoFrame::FreeRenderer() {
    if (renderer_ != nullptr && created_) {
        makeCurrent();
        renderer_->FreeRenderer();
        doneCurrent();
    }
    created_ = false;
    renderer_ = nullptr;
}

}  // namespace clipwright
