// The largest distance between any two points of a sway path. The two farthest points lie on
// the convex hull, which is small for a sway path, so this takes O(N log N), not O(N²).
#pragma once

#include <vector>

struct SwayPoint {
    double ml = 0;  // mm, to the subject's right
    double ap = 0;  // mm, forward
};

// The convex hull counter-clockwise, without collinear points (one or two points for a
// degenerate path).
std::vector<SwayPoint> convexHull(std::vector<SwayPoint> points);

// The largest distance between two of the points; 0 for fewer than two.
double largestDistance(const std::vector<SwayPoint>& points);
