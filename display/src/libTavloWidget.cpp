// The widget's operations, its OpenGL set-up and the draw loop.
#include "libTavloWidget.h"

#include <GL/glu.h>
#include <dlfcn.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QOpenGLContext>
#include <QTimer>
#include <QUuid>
#include <chrono>
#include <cmath>

#include "cameras_draw.h"
#include "console.h"
#include "scene_painter.h"

using tavlo::consoleLine;

namespace {

// Lower 32 bits of an address, as the console lines show them.
unsigned address32(const void* p) { return static_cast<unsigned>(reinterpret_cast<quintptr>(p)); }

// Where this library is loaded.
const void* moduleBase() {
    static const int marker = 0;
    Dl_info info{};
    return dladdr(&marker, &info) != 0 ? info.dli_fbase : nullptr;
}

const char* glText(const GLubyte* text) {
    return text != nullptr ? reinterpret_cast<const char*>(text) : "";
}

}  // namespace

libTavloWidget::libTavloWidget(QWidget* parent, Qt::WindowFlags flags)
    : QOpenGLWidget(parent, flags),
      drawTimer_(new QTimer(this)),
      scene_(std::make_unique<tavlo::CamerasDraw>()),
      painter_(std::make_unique<tavlo::ScenePainter>()) {
    qRegisterMetaType<std::vector<int>>("std::vector<int>");
    setFocusPolicy(Qt::StrongFocus);
    // Frames are drawn into the framebuffer as they arrive; Qt keeps it between paints so that
    // a paint without changes need not draw again.
    setUpdateBehavior(QOpenGLWidget::PartialUpdate);
    setAttribute(Qt::WA_NativeWindow);
    drawTimer_->setInterval(10);
    drawTimer_->setTimerType(Qt::PreciseTimer);
    connect(drawTimer_, &QTimer::timeout, this, &libTavloWidget::DrawLoop);
}

libTavloWidget::~libTavloWidget() {
    if (context() != nullptr) disconnect(context(), nullptr, this, nullptr);
    releaseGL();
}

int libTavloWidget::AddSensorMatrix(unsigned identifier, unsigned rows, unsigned columns) {
    const bool full = scene_->count() >= tavlo::kMaxMatrices;
    const int result = scene_->add(identifier, rows, columns);
    if (full)
        consoleLine("[%s]AddSensorMatrix: all %d slots in use\r\n", name_.c_str(),
                    tavlo::kMaxMatrices);
    else if (result < 0)
        consoleLine("[%s]AddSensorMatrix: no cell buffer for %u x %u cells\r\n", name_.c_str(),
                    rows, columns);
    else
        scheduleRedraw();
    return result;
}

int libTavloWidget::DelRow() {
    const int slot = scene_->removeLast();
    if (slot < 0) return -1;
    emit camFrameSelectionChanged(scene_->selectedSlots());
    scheduleRedraw();
    return slot;
}

void libTavloWidget::ClearHorizontalBars() {
    scene_->clear();
    emit camFrameSelectionChanged(scene_->selectedSlots());
    scheduleRedraw();
}

int libTavloWidget::SetFrameGridMode_Frames(int identifier, const int* colours, int count) {
    scene_->setFrame(identifier, colours, count);
    if (!drawTimer_->isActive()) DrawLoop();
    return 0;
}

int libTavloWidget::SetFrameGridMode_FramesDeferred(int identifier, const int* colours, int count) {
    if (scene_->setFrame(identifier, colours, count) && !drawTimer_->isActive()) scheduleRedraw();
    return 0;
}

int libTavloWidget::SetRssiMode_Rssi(int slot, float value) {
    if (scene_->setRssi(slot, value)) scheduleRedraw();
    return 0;
}

int libTavloWidget::getCameraMaxCount() const { return tavlo::kMaxMatrices; }

void libTavloWidget::StartDrawLoop() { drawTimer_->start(); }

void libTavloWidget::StopDrawLoop() { drawTimer_->stop(); }

bool libTavloWidget::getCenterCrossDraw() const { return centerCross_; }

void libTavloWidget::setCenterCrossDraw(bool draw) {
    centerCross_ = draw;
    scheduleRedraw();
}

bool libTavloWidget::getIsGridBorderDraw() const { return gridBorder_; }

void libTavloWidget::setIsGridBorderDraw(bool draw) {
    gridBorder_ = draw;
    scheduleRedraw();
}

bool libTavloWidget::getIsShowDebugInfo() const { return showDebugInfo_; }

void libTavloWidget::setIsShowDebugInfo(bool show) {
    showDebugInfo_ = show;
    scheduleRedraw();
}

std::string libTavloWidget::getName() const { return name_; }

void libTavloWidget::setName(const std::string& name) { name_ = name; }

void libTavloWidget::returnPressed() {
    QMessageBox::warning(this, "Message from Qt", "Return pressed in QLineEdit!", QMessageBox::Ok);
}

void libTavloWidget::DrawLoop() {
    if (!isValid() || !isVisible()) {
        // Drawn by the first paint once the view is shown.
        pictureCurrent_ = false;
        return;
    }
    makeCurrent();
    drawTimed();
    doneCurrent();
    pictureCurrent_ = true;
    update();
}

void libTavloWidget::initializeGL() {
    if (!nameExtended_) {
        // Sets widgets apart in the console and in focus messages.
        name_ += QString::asprintf("%08X", QUuid::createUuid().data1).toStdString();
        nameExtended_ = true;
    }
    consoleLine("[%s]parent addr:%08x m_hDllInstance addr %08x\r\n", name_.c_str(),
                address32(parentWidget()), address32(moduleBase()));
    consoleLine("[%s]CamerasDraw addr %08x\r\n", name_.c_str(), address32(scene_.get()));
    // A new context (after reparenting) gets new textures; the old ones go with the old one.
    connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, &libTavloWidget::releaseGL,
            Qt::DirectConnection);
    glReady_ = InitGL();
    pictureCurrent_ = false;
    if (!glReady_) {
        QTimer::singleShot(0, this, [this] {
            auto* box =
                new QMessageBox(QMessageBox::Critical, "错误", "初始化失败", QMessageBox::Ok, this);
            box->setAttribute(Qt::WA_DeleteOnClose);
            box->open();
        });
    }
}

bool libTavloWidget::InitGL() {
    const char* name = name_.c_str();
    consoleLine("[%s]OpenGL GL_VENDOR:%s\r\n", name, glText(glGetString(GL_VENDOR)));
    consoleLine("[%s]OpenGL GL_RENDERER:%s\r\n", name, glText(glGetString(GL_RENDERER)));
    consoleLine("[%s]OpenGL GL_VERSION:%s\r\n", name, glText(glGetString(GL_VERSION)));
    consoleLine("[%s]GLU GLU_VERSION:%s\r\n", name, glText(gluGetString(GLU_VERSION)));
    // Beside the program, or where an installed program's resources are (../share/tessaly).
    const QString program = QCoreApplication::applicationDirPath();
    const QString beside = program + "/Resources/libGridoraRes";
    const QString installed = program + "/../share/tessaly/libGridoraRes";
    const QString directory =
        !QFileInfo(beside).isDir() && QFileInfo(installed).isDir() ? installed : beside;
    QString failedFile;
    if (!painter_->initialize(directory, &failedFile)) {
        consoleLine("[%s]初始化失败: cannot read %s\r\n", name,
                    failedFile.toLocal8Bit().constData());
        return false;
    }
    return true;
}

void libTavloWidget::resizeGL(int width, int height) {
    ReSizeGLScene(width, height);
    pictureCurrent_ = false;
}

void libTavloWidget::ReSizeGLScene(int width, int height) {
    scene_->resize(width, height);
    const qreal ratio = devicePixelRatioF();
    painter_->setProjection(*scene_, static_cast<int>(std::lround(scene_->viewWidth() * ratio)),
                            static_cast<int>(std::lround(scene_->viewHeight() * ratio)));
}

void libTavloWidget::paintGL() {
    if (!pictureCurrent_) drawTimed();
    pictureCurrent_ = true;
}

void libTavloWidget::drawTimed() {
    if (!glReady_) return;
    ReSizeGLScene(static_cast<int>(scene_->viewWidth()), static_cast<int>(scene_->viewHeight()));
    const auto start = std::chrono::steady_clock::now();
    DrawGLScene();
    // Stands in for the buffer swap: the time taken covers the finished picture.
    glFinish();
    ++framesDrawn_;
    lastDurationMs_ =
        std::chrono::duration<float, std::milli>(std::chrono::steady_clock::now() - start).count();
    if (showDebugInfo_) consoleLine("DrawLoop Duration:%f ms \r\n", lastDurationMs_);
}

void libTavloWidget::DrawGLScene() {
    tavlo::Overlay overlay;
    overlay.centerCross = centerCross_;
    overlay.gridBorder = gridBorder_;
    overlay.focusFrame = hasFocus_;
    if (showDebugInfo_)
        overlay.debugText =
            QString::asprintf("Draw:%.3f/%d", lastDurationMs_, static_cast<int>(framesDrawn_))
                .toStdString();
    painter_->draw(*scene_, overlay);
}

void libTavloWidget::releaseGL() {
    if (context() == nullptr) return;
    makeCurrent();
    painter_->release();
    doneCurrent();
    glReady_ = false;
}

void libTavloWidget::scheduleRedraw() {
    pictureCurrent_ = false;
    update();
}
