// Zero-velocity test and the rest / walking events built on it.
#include <algorithm>
#include <cmath>

#include "detail.h"

namespace VX {

using VXDEF::Point3D;

namespace {

constexpr double kGravity = 9.80151;
constexpr double kAccelerationVariance = 0.014399999356269844;  // 0.12f squared
constexpr double kRateVariance = 1.9038588736669286e-05;        // (0.25°/s in rad/s) squared
constexpr double kRestThreshold = 23000.0;
constexpr std::size_t kWindow = 5;
constexpr std::size_t kStretch = 20;  // windows judged together by the walking events
constexpr std::size_t kMaxRestInStretch = 2;
constexpr int kMergeGap = 10;

// zvd over samples first … first + count − 1; a short gyro series throws.
bool atRest(const std::vector<Point3D>& acc, const std::vector<Point3D>& gyro, std::size_t first,
            std::size_t count) {
    if (count == 0) return false;
    Point3D m{0.0, 0.0, 0.0};
    for (std::size_t i = first; i < first + count; ++i) m = detail::add(m, detail::at(acc, i));
    m = detail::scale(m, 1.0 / static_cast<double>(count));
    const double length = detail::norm(m);
    if (length == 0.0) return false;  // no gravity direction: not a sensor at rest
    const Point3D gu = detail::scale(m, kGravity / length);
    double t = 0.0;
    for (std::size_t i = first; i < first + count; ++i) {
        const Point3D da = detail::sub(detail::scale(detail::at(acc, i), kGravity), gu);
        const Point3D w = detail::scale(detail::at(gyro, i), detail::kDegToRad);
        t += detail::dot(da, da) / kAccelerationVariance + detail::dot(w, w) / kRateVariance;
    }
    return t / static_cast<double>(count) < kRestThreshold;
}

// Rest result of every window of five samples, window g starting at sample g.
std::vector<bool> windowRests(const std::vector<Point3D>& acc, const std::vector<Point3D>& gyro) {
    std::vector<bool> rests;
    for (std::size_t g = 0; g + kWindow <= acc.size(); ++g)
        rests.push_back(atRest(acc, gyro, g, kWindow));
    return rests;
}

// Rest result per middle sample: R0 = R1 = false, R_k = window k − 2.
std::vector<bool> middleRests(const std::vector<Point3D>& acc, const std::vector<Point3D>& gyro) {
    std::vector<bool> rests = windowRests(acc, gyro);
    rests.insert(rests.begin(), 2, false);
    return rests;
}

// Position of the first non-rest entry of the first stretch of 20 consecutive entries with
// at most two at rest, or -1; the stretch start is written to stretchStart.
int walkingInFirstQuietStretch(const std::vector<bool>& rests, std::size_t& stretchStart) {
    for (std::size_t s = 0; s + kStretch <= rests.size(); ++s) {
        const auto begin = rests.begin() + static_cast<std::ptrdiff_t>(s);
        const auto end = begin + static_cast<std::ptrdiff_t>(kStretch);
        if (static_cast<std::size_t>(std::count(begin, end, true)) > kMaxRestInStretch) continue;
        stretchStart = s;
        return static_cast<int>(std::find(begin, end, false) - rests.begin());
    }
    return -1;
}

struct Run {
    int first;
    int last;
};

// Closed runs of true entries (a run still open at the end does not count).
std::vector<Run> closedRuns(const std::vector<bool>& rests) {
    std::vector<Run> runs;
    int begin = -1;
    for (int k = 0; k < static_cast<int>(rests.size()); ++k) {
        if (rests[k] && begin < 0) begin = k;
        if (!rests[k] && begin >= 0) {
            runs.push_back({begin, k - 1});
            begin = -1;
        }
    }
    return runs;
}

}  // namespace

bool VXMATHIN::zvd(std::vector<Point3D> acc, std::vector<Point3D> gyro) {
    return atRest(acc, gyro, 0, acc.size());
}

void VXMATHIN::staticSection1(std::vector<Point3D> acc, std::vector<Point3D> gyro, int& start,
                              int& end) {
    start = end = 0;
    if (acc.size() < kWindow) return;
    const std::vector<bool> rests = middleRests(acc, gyro);
    const auto first = std::find(rests.begin(), rests.end(), true);
    if (first == rests.end()) return;
    start = static_cast<int>(first - rests.begin());
    const int last =
        static_cast<int>(rests.rend() - std::find(rests.rbegin(), rests.rend(), true)) - 1;
    if (last != start) end = last;
}

void VXMATHIN::staticSection2(std::vector<Point3D> acc, std::vector<Point3D> gyro, int& start,
                              int& end) {
    start = end = 0;
    if (acc.size() < kWindow) return;
    const std::vector<Run> runs = closedRuns(middleRests(acc, gyro));
    if (runs.empty()) return;
    std::size_t longest = 0;
    for (std::size_t j = 1; j < runs.size(); ++j)
        if (runs[j].last - runs[j].first > runs[longest].last - runs[longest].first) longest = j;
    start = runs[longest].first;
    end = runs[longest].last;
    for (std::size_t j = longest; j-- > 0 && start - runs[j].last < kMergeGap;)
        start = runs[j].first;
    for (std::size_t j = longest + 1; j < runs.size() && runs[j].first - end < kMergeGap; ++j)
        end = runs[j].last;
}

void VXMATHIN::endWarkIndex(std::vector<Point3D> acc, std::vector<Point3D> gyro, int& index) {
    const int n = static_cast<int>(acc.size());
    index = std::max(n - 1, 0);
    if (acc.size() < kWindow) return;
    // Scan from the end: entry i is the window ending at sample n − 1 − i.
    std::vector<bool> rests = windowRests(acc, gyro);
    std::reverse(rests.begin(), rests.end());
    std::size_t stretchStart = 0;
    const int walking = walkingInFirstQuietStretch(rests, stretchStart);
    if (walking >= 0) index = n - 1 - walking;
}

void VXMATHIN::startWarkIndex(std::vector<double> values, std::vector<Point3D> acc,
                              std::vector<Point3D> gyro, int& index, double& level) {
    index = 0;
    level = 0.0;
    if (acc.size() < kWindow) return;
    // Entry k is the window starting at sample k.
    const std::vector<bool> rests = windowRests(acc, gyro);
    std::size_t s = 0;
    const int walking = walkingInFirstQuietStretch(rests, s);
    if (walking < 0) return;
    double low = detail::at(values, s), high = low;
    for (std::size_t k = s; k < s + kStretch; ++k) {
        low = std::min(low, detail::at(values, k));
        high = std::max(high, detail::at(values, k));
    }
    if (high - low < 3.0) return;
    index = walking;
    if (walking == 0) {
        level = detail::at(values, 0);
        return;
    }
    double sum = 0.0;
    for (int k = 0; k < walking; ++k) sum += detail::at(values, static_cast<std::size_t>(k));
    level = sum / walking;
}

}  // namespace VX
