#include "SwayRange.h"

#include <algorithm>
#include <cmath>

namespace {

// z of (a - o) × (b - o): positive when o, a, b turn counter-clockwise.
double cross(const SwayPoint& o, const SwayPoint& a, const SwayPoint& b) {
    return (a.ml - o.ml) * (b.ap - o.ap) - (a.ap - o.ap) * (b.ml - o.ml);
}

double distance(const SwayPoint& p, const SwayPoint& q) {
    return std::hypot(p.ml - q.ml, p.ap - q.ap);
}

}  // namespace

std::vector<SwayPoint> convexHull(std::vector<SwayPoint> points) {
    // Andrew's monotone chain.
    std::sort(points.begin(), points.end(), [](const SwayPoint& p, const SwayPoint& q) {
        return p.ml < q.ml || (p.ml == q.ml && p.ap < q.ap);
    });
    points.erase(std::unique(points.begin(), points.end(),
                             [](const SwayPoint& p, const SwayPoint& q) {
                                 return p.ml == q.ml && p.ap == q.ap;
                             }),
                 points.end());
    if (points.size() < 3) return points;
    std::vector<SwayPoint> hull(2 * points.size());
    std::size_t k = 0;
    for (const SwayPoint& p : points) {  // lower chain
        while (k >= 2 && cross(hull[k - 2], hull[k - 1], p) <= 0) --k;
        hull[k++] = p;
    }
    const std::size_t lower = k + 1;
    for (auto p = points.rbegin() + 1; p != points.rend(); ++p) {  // upper chain
        while (k >= lower && cross(hull[k - 2], hull[k - 1], *p) <= 0) --k;
        hull[k++] = *p;
    }
    hull.resize(k - 1);  // the last point is the first again
    return hull;
}

double largestDistance(const std::vector<SwayPoint>& points) {
    const std::vector<SwayPoint> hull = convexHull(points);
    const std::size_t h = hull.size();
    if (h < 2) return 0;
    if (h == 2) return distance(hull[0], hull[1]);
    // Rotating calipers: for each hull edge, the farthest vertex advances monotonically.
    double largest = 0;
    std::size_t j = 1;
    for (std::size_t i = 0; i < h; ++i) {
        const SwayPoint& a = hull[i];
        const SwayPoint& b = hull[(i + 1) % h];
        while (cross(a, b, hull[(j + 1) % h]) > cross(a, b, hull[j])) j = (j + 1) % h;
        largest = std::max({largest, distance(a, hull[j]), distance(b, hull[j])});
    }
    return largest;
}
