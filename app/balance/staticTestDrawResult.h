// The square drawing of the balance view's results page: the COP trajectory over the
// recording's analysis image, and the ellipse inscribed in the trajectory's rectangle.
#pragma once

#include <QImage>
#include <QOpenGLWidget>
#include <QPoint>

#include "FrameCop.h"
#include "TrajectoryRect.h"

class staticTestDrawResult : public QOpenGLWidget {
    Q_OBJECT
public:
    explicit staticTestDrawResult(QWidget* parent = nullptr);
    ~staticTestDrawResult() override;

    // Replaces what is drawn (copies; a null background is drawn white) and resets the origin
    // offset; the caller repaints.
    void setTrajectory(const QImage& background, const CopTrajectory& points,
                       const TrajectoryRect& fitted);
    // Shifts the whole drawing by (dx, dy) pixels; the caller repaints.
    void moveOrigin(int dx, int dy) { originOffset_ += QPoint(dx, dy); }
    QPoint originOffset() const { return originOffset_; }

protected:
    // Painted in paintGL, the hook that both the screen and grabFramebuffer() draw through.
    void paintGL() override;

private:
    QImage background_;
    QPoint originOffset_;
    CopTrajectory points_;
    TrajectoryRect fitted_;
};
