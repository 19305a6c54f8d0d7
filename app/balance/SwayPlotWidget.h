// The X–Y sway plot on screen: the shared sway plot painting, with the wheel to zoom, a drag to
// pan and a double-click to show the whole trajectory again.
#pragma once

#include <QPoint>
#include <QWidget>
#include <optional>

#include "Posturography.h"
#include "SwayPlotPainter.h"

class SwayPlotWidget : public QWidget {
    Q_OBJECT
public:
    explicit SwayPlotWidget(QWidget* parent = nullptr);

    // Shows results (nothing: an empty plot with the reason) and resets zoom and pan.
    void showResults(const std::optional<PosturographyResults>& results, const QString& reason);
    const SwayPlotView& view() const { return view_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    double millimetresPerPixel() const;

    std::optional<PosturographyResults> results_;
    QString reason_;
    SwayPlotView view_;
    QPoint dragFrom_;
};
