#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "TrajectoryPainterGeometry.h"
#include "TrajectoryRect.h"

namespace {

TEST(TrajectoryRect, FitsOnlyFramesWithPressure) {
    // Frames without pressure at (0, 0) must not stretch the rectangle to the origin.
    const TrajectoryRect fitted =
        fitTrajectoryRect({{0, 0}, {20, 10}, {30, 10}, {0, 0}, {30, 14}, {20, 14}});
    const float shortSide = std::min(fitted.rect.size.width, fitted.rect.size.height);
    const float longSide = std::max(fitted.rect.size.width, fitted.rect.size.height);
    EXPECT_NEAR(longSide, 10, 1e-4);
    EXPECT_NEAR(shortSide, 4, 1e-4);
    EXPECT_NEAR(fitted.rect.center.x, 25, 1e-4);
    EXPECT_NEAR(fitted.rect.center.y, 12, 1e-4);
    // The corners are the rectangle's own, in the library's order.
    cv::Point2f expected[4];
    fitted.rect.points(expected);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(fitted.corners[i], expected[i]) << i;
        EXPECT_TRUE(std::fabs(fitted.corners[i].x - 20) < 1e-4 ||
                    std::fabs(fitted.corners[i].x - 30) < 1e-4);
    }
}

TEST(TrajectoryRect, NoFrameWithPressureGivesAZeroRectangle) {
    for (const CopTrajectory& trajectory : {CopTrajectory{}, CopTrajectory{{0, 0}, {0, 0}}}) {
        const TrajectoryRect fitted = fitTrajectoryRect(trajectory);
        EXPECT_EQ(fitted.rect.size.area(), 0);
        EXPECT_EQ(fitted.rect.center, cv::Point2f(0, 0));
        for (const cv::Point2f& corner : fitted.corners) EXPECT_EQ(corner, cv::Point2f(0, 0));
    }
}

TEST(PainterGeometry, ScalesThePlateIntoTheLargestSquare) {
    EXPECT_DOUBLE_EQ(pixelsPerCell(500, 500), 10);
    EXPECT_DOUBLE_EQ(pixelsPerCell(800, 300), 6);
    EXPECT_DOUBLE_EQ(pixelsPerCell(0, 300), 0);

    const std::vector<QPointF> pixels =
        trajectoryPixels({{0, 0}, {21, 11}, {0, 0}, {22.5, 12}, {0, 0}}, 6);
    ASSERT_EQ(pixels.size(), 2u);
    EXPECT_EQ(pixels[0], QPointF(126, 66));
    EXPECT_EQ(pixels[1], QPointF(135, 72));

    EXPECT_TRUE(trajectoryPixels({{0, 0}, {0, 0}}, 10).empty());
}

TEST(PainterGeometry, AxisParallelRectangleOfTenByFourCells) {
    const TrajectoryRect fitted = fitTrajectoryRect({{20, 10}, {30, 10}, {30, 14}, {20, 14}});
    const InscribedEllipse ellipse = inscribedEllipse(fitted, 10);
    EXPECT_NEAR(ellipse.centre.x(), 250, 1e-3);
    EXPECT_NEAR(ellipse.centre.y(), 120, 1e-3);
    const int halfWidth = -ellipse.box.x(), halfHeight = -ellipse.box.y();
    EXPECT_TRUE((halfWidth == 50 && halfHeight == 20) || (halfWidth == 20 && halfHeight == 50))
        << halfWidth << " x " << halfHeight;
    EXPECT_EQ(ellipse.box.width(), 2 * halfWidth);
    EXPECT_EQ(ellipse.box.height(), 2 * halfHeight);
    EXPECT_EQ(ellipse.rotationDegrees, fitted.rect.angle);
}

struct RectCase {
    const char* name;
    CopTrajectory trajectory;
};

void PrintTo(const RectCase& c, std::ostream* os) { *os << c.name; }

// Whatever the corners look like, the ellipse sits on the rectangle's centre with semi-axes of
// half its width and height (truncated to pixels), rotated with it.
class InscribedEllipseCases : public ::testing::TestWithParam<RectCase> {};

TEST_P(InscribedEllipseCases, FillsTheRectangle) {
    constexpr double kScale = 8;
    const TrajectoryRect fitted = fitTrajectoryRect(GetParam().trajectory);
    const InscribedEllipse ellipse = inscribedEllipse(fitted, kScale);
    ASSERT_TRUE(std::isfinite(ellipse.centre.x()) && std::isfinite(ellipse.centre.y()));
    EXPECT_NEAR(ellipse.centre.x(), fitted.rect.center.x * kScale, 1e-2);
    EXPECT_NEAR(ellipse.centre.y(), fitted.rect.center.y * kScale, 1e-2);
    EXPECT_EQ(ellipse.rotationDegrees, fitted.rect.angle);
    const double u = fitted.rect.size.width * kScale / 2;
    const double v = fitted.rect.size.height * kScale / 2;
    // Truncation may land one pixel lower when the corners round the distance down.
    EXPECT_NEAR(-ellipse.box.x(), std::trunc(u), 1);
    EXPECT_NEAR(-ellipse.box.y(), std::trunc(v), 1);
    EXPECT_NEAR(ellipse.box.width(), std::trunc(2 * u), 1);
    EXPECT_NEAR(ellipse.box.height(), std::trunc(2 * v), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Rectangles, InscribedEllipseCases,
    ::testing::Values(RectCase{"rotated_cloud", {{20, 10}, {28, 16}, {25, 20}, {17, 14}, {22, 13}}},
                      RectCase{"slight_tilt", {{10, 10}, {40, 11}, {39.8, 15}, {9.8, 14}}},
                      // Degenerate rectangles, where the corner formulas would divide by zero.
                      RectCase{"one_point", {{0, 0}, {25, 30}, {25, 30}, {0, 0}}},
                      RectCase{"points_along_x", {{10, 20}, {15, 20}, {30, 20}}},
                      RectCase{"points_along_y", {{12, 5}, {12, 18}, {12, 40}}},
                      RectCase{"points_on_a_slant", {{10, 10}, {20, 20}, {30, 30}}},
                      RectCase{"square_on_its_corner", {{10, 10}, {12, 12}, {10, 14}, {8, 12}}}),
    [](const ::testing::TestParamInfo<RectCase>& info) { return std::string(info.param.name); });

}  // namespace
