// libTavlo: an OpenGL view that draws up to 128 sensor matrices stacked one below the other,
// each either as a grid of flat-coloured cells ("Frame" mode) or as a filled bar ("RSSI" mode).
// The widget copies every buffer it is given; all calls belong to the GUI thread.
#pragma once

#include <QMetaType>
#include <QOpenGLWidget>
#include <QString>
#include <memory>
#include <string>
#include <vector>

#define LIBTAVLO_EXPORT __attribute__((visibility("default")))

class QTimer;

namespace tavlo {
class CamerasDraw;
class ScenePainter;
}  // namespace tavlo

class LIBTAVLO_EXPORT libTavloWidget : public QOpenGLWidget {
    Q_OBJECT

public:
    // An empty view in Frame mode, strong focus, named "libTavloWig". Its OpenGL context and
    // bitmaps (Resources/libGridoraRes/ beside the executable, or libGridoraRes/ in
    // ../share/tessaly when installed) are set up when first shown.
    explicit libTavloWidget(QWidget* parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());
    ~libTavloWidget() override;

    // Adds a matrix of rows × columns black cells in the lowest free slot; all matrices then
    // share the view's height equally. Returns the matrix count − 1, 127 without adding when
    // all 128 slots are used, −1 when the cell buffer cannot be made.
    int AddSensorMatrix(unsigned identifier, unsigned rows, unsigned columns);
    // Removes the matrix in the highest used slot and reports the remaining selection.
    // Returns the slot index removed, or −1 when there is none.
    int DelRow();
    // Removes every matrix and reports the (empty) selection once.
    void ClearHorizontalBars();
    // In Frame mode, copies up to rows × columns × 3 ints (red, green, blue 0..255 per cell,
    // row-major from the top row) into the matrix with this identifier, then draws at once
    // unless the draw loop runs. An unknown identifier, a null pointer, a count ≤ 0 or RSSI
    // mode change nothing. Returns 0.
    int SetFrameGridMode_Frames(int identifier, const int* colours, int count);
    // As SetFrameGridMode_Frames, but the picture is drawn with the widget's next paint, so
    // several matrices set in one pass of the event loop cost one draw.
    int SetFrameGridMode_FramesDeferred(int identifier, const int* colours, int count);
    // In RSSI mode, sets the fill fraction of a used slot; anything else is ignored. Returns 0.
    int SetRssiMode_Rssi(int slot, float value);
    // The number of slots: 128.
    int getCameraMaxCount() const;

    // Starts or stops drawing every 10 ms.
    void StartDrawLoop();
    void StopDrawLoop();

    // A small red cross at the view centre; on by default.
    bool getCenterCrossDraw() const;
    void setCenterCrossDraw(bool draw);
    // A black outline around every matrix in Frame mode; off by default.
    bool getIsGridBorderDraw() const;
    void setIsGridBorderDraw(bool draw);
    // The "Draw:" text with the last draw's duration and the draw count, and one console line
    // per draw; off by default, toggled by the M key.
    bool getIsShowDebugInfo() const;
    void setIsShowDebugInfo(bool show);
    // The name in console lines and focus messages; gains 8 hexadecimal digits when the view
    // is first set up.
    std::string getName() const;
    void setName(const std::string& name);

signals:
    // A status text for a status bar, shown for timeout milliseconds.
    void message(QString msg, int timeout);
    // The slot indices of the selected matrices, after DelRow and ClearHorizontalBars.
    void camFrameSelectionChanged(std::vector<int> selection);

public slots:
    // Shows the warning box "Return pressed in QLineEdit!".
    void returnPressed();
    // Draws one frame now, if the view is shown and set up.
    void DrawLoop();

protected:
    void initializeGL() override;
    void resizeGL(int width, int height) override;
    void paintGL() override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool InitGL();
    void ReSizeGLScene(int width, int height);
    void DrawGLScene();
    void drawTimed();
    void releaseGL();
    void scheduleRedraw();
    void selectAt(const QPoint& point, Qt::KeyboardModifiers modifiers);
    void showContextMenu(const QPoint& globalPos);

    std::string name_ = "libTavloWig";
    bool nameExtended_ = false;
    unsigned framesDrawn_ = 0;
    float lastDurationMs_ = 0;
    QTimer* drawTimer_;
    bool centerCross_ = true;
    bool gridBorder_ = false;
    bool hasFocus_ = false;
    bool showDebugInfo_ = false;
    std::unique_ptr<tavlo::CamerasDraw> scene_;
    std::unique_ptr<tavlo::ScenePainter> painter_;
    bool glReady_ = false;
    // The framebuffer already holds the picture of the current state.
    bool pictureCurrent_ = false;
};

Q_DECLARE_METATYPE(std::vector<int>)
