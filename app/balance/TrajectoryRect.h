// The minimum-area rotated rectangle around a COP trajectory.
#pragma once

#include <array>
#include <opencv2/core.hpp>

#include "FrameCop.h"

struct TrajectoryRect {
    cv::RotatedRect rect;                  // cell units, angle in degrees
    std::array<cv::Point2f, 4> corners{};  // in the order of cv::RotatedRect::points
};

// The rectangle around the trajectory's points with pressure; all zeros when there are none.
TrajectoryRect fitTrajectoryRect(const CopTrajectory& trajectory);
