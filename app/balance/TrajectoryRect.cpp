#include "TrajectoryRect.h"

#include <opencv2/imgproc.hpp>
#include <vector>

TrajectoryRect fitTrajectoryRect(const CopTrajectory& trajectory) {
    std::vector<cv::Point2f> points;
    points.reserve(trajectory.size());
    for (const CopPoint& p : trajectory) {
        if (hasPressure(p)) points.emplace_back(static_cast<float>(p.x), static_cast<float>(p.y));
    }
    TrajectoryRect fitted;
    if (points.empty()) return fitted;
    fitted.rect = cv::minAreaRect(points);
    fitted.rect.points(fitted.corners.data());
    return fitted;
}
