#include "ConfidenceEllipse.h"

#include <algorithm>
#include <cmath>
#include <opencv2/core.hpp>

namespace {

// 95 % quantile of the chi-square distribution with two degrees of freedom.
constexpr double kChiSquare95 = 5.991;
constexpr double kPi = 3.141592653589793;

void clearEllipse(AnalysisResults& results) {
    results.ellipseArea = 0;
    results.ellipseAxisA = 0;
    results.ellipseAxisB = 0;
    results.ellipseAngle = 0;
}

EllipseOutcome failed(AnalysisResults& results, EllipseStatus status, const char* message) {
    clearEllipse(results);
    return {status, message};
}

}  // namespace

EllipseOutcome computeConfidenceEllipse(AnalysisResults& results, std::FILE* diagnostics) {
    std::vector<double> coordinates;
    coordinates.reserve(2 * results.copMillimetres.size());
    for (const auto& p : results.copMillimetres) {
        if (p.first <= 0 && p.second <= 0) continue;  // frame without pressure
        coordinates.push_back(p.first);
        coordinates.push_back(p.second);
    }
    const int n = static_cast<int>(coordinates.size() / 2);
    if (n < 2) {
        return failed(results, EllipseStatus::NotEnoughData, "fewer than two frames with pressure");
    }

    const cv::Mat points(n, 2, CV_64F, coordinates.data());
    cv::Mat mean;
    cv::reduce(points, mean, 0, cv::REDUCE_AVG);
    const cv::Mat centred = points - cv::repeat(mean, n, 1);
    const cv::Mat covariance = (centred.t() * centred) / static_cast<double>(n - 1);

    cv::Mat eigenvalues;
    cv::Mat eigenvectors;
    if (!cv::eigen(covariance, eigenvalues, eigenvectors) || !cv::checkRange(eigenvalues) ||
        !cv::checkRange(eigenvectors)) {
        return failed(results, EllipseStatus::DecompositionFailed, "Eigen decomposition failed");
    }
    // A covariance has no negative eigenvalues; rounding can still give -1e-17 for points on a
    // line, which must not turn the minor axis into NaN.
    const double major = std::max(0.0, eigenvalues.at<double>(0));
    const double minor = std::max(0.0, eigenvalues.at<double>(1));

    const double a = 2 * std::sqrt(kChiSquare95 * major);
    const double b = 2 * std::sqrt(kChiSquare95 * minor);
    results.ellipseArea = (a / 2) * kPi * (b / 2);
    results.ellipseAxisA = a;
    results.ellipseAxisB = b;
    results.ellipseAngle = std::atan2(eigenvectors.at<double>(0, 1), eigenvectors.at<double>(0, 0));
    if (diagnostics) {
        std::fprintf(diagnostics, "opencv calculateCop_ResultPara()   area: %f   a:%f   b:%f  \r\n",
                     results.ellipseArea, a, b);
        std::fflush(diagnostics);
    }
    return {};
}
