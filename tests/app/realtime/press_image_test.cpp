// Rendering pressure matrices through the colour scale.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include "PressImage.h"
#include "foot_matrix.h"
#include "scale_fixtures.h"

namespace {

cv::Vec3b bgrOf(const ColorOfPressMap& map, int value) {
    int red = 0, green = 0, blue = 0;
    getColorOfPress(map, value, red, green, blue);
    return cv::Vec3b(blue, green, red);
}

PressureMatrix uniformMatrix(std::uint16_t value) {
    PressureMatrix matrix;
    matrix.values.fill(value);
    return matrix;
}

// The 8-bit level of a raw value, worked out by hand: clamp to 50..4096, scale by 255/4096,
// round to nearest.
int levelOf(int value) {
    const int clamped = std::min(std::max(value, 50), 4096);
    return static_cast<int>(std::lround(clamped * 255.0 / 4096.0));
}

::testing::AssertionResult everyPixelIs(const cv::Mat& image, const cv::Vec3b& color) {
    for (int y = 0; y < image.rows; ++y) {
        for (int x = 0; x < image.cols; ++x) {
            if (image.at<cv::Vec3b>(y, x) != color) {
                return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ")";
            }
        }
    }
    return ::testing::AssertionSuccess();
}

TEST(PressImage, HasTheRequestedSizeAndThreeChannels) {
    const cv::Mat image = drawPressImage(distinctScale(), footLikeMatrix(), QString(), 120, 80);
    EXPECT_EQ(image.cols, 120);
    EXPECT_EQ(image.rows, 80);
    EXPECT_EQ(image.type(), CV_8UC3);
    EXPECT_TRUE(drawPressImage(distinctScale(), footLikeMatrix(), QString(), 0, 500).empty());
}

TEST(PressImage, WithoutAColourFileEveryImageIsWhite) {
    ColorOfPressMap map;
    loadColorOfPressMap(map, "/nonexistent/Config_Color.ini");
    const cv::Mat image = drawPressImage(map, footLikeMatrix(), QString(), 500, 500);
    EXPECT_TRUE(everyPixelIs(image, cv::Vec3b(255, 255, 255)));
}

// A uniform matrix renders in one colour: that of its level times 16.
TEST(PressImage, UniformMatrixShowsTheColourOfItsLevel) {
    const struct {
        int value;
        int level;
    } cases[] = {
        {0, 3},  // no pressure: the colour of value 48, not of 0
        {49, 3},      {50, 3},     {56, 3},
        {57, 4},      {1000, 62},  {2048, 128},  // exactly half way between two levels
        {4095, 255},  {4096, 255}, {4097, 255},  // above the scale: the colour of 4080
        {65535, 255},
    };
    const ColorOfPressMap map = distinctScale();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        ASSERT_EQ(levelOf(c.value), c.level);
        const cv::Vec3b expected = bgrOf(map, 16 * c.level);
        EXPECT_TRUE(everyPixelIs(drawPressImage(map, uniformMatrix(c.value), QString(), 500, 500),
                                 expected));
        EXPECT_TRUE(
            everyPixelIs(drawPressImage(map, uniformMatrix(c.value), QString(), 50, 50), expected));
    }
}

// At the matrix's own size there is nothing to interpolate: pixel (x, y) is cell (y, x).
TEST(PressImage, AtFiftyByFiftyEachPixelShowsItsCell) {
    const ColorOfPressMap map = distinctScale();
    const PressureMatrix matrix = footLikeMatrix();
    const cv::Mat image = drawPressImage(map, matrix, QString(), 50, 50);
    for (int row = 0; row < 50; ++row) {
        for (int column = 0; column < 50; ++column) {
            ASSERT_EQ(image.at<cv::Vec3b>(row, column),
                      bgrOf(map, 16 * levelOf(matrix.at(row, column))))
                << "cell (" << row << ", " << column << ")";
        }
    }
}

// The full rendering against the same steps done one by one: levels by hand, a bicubic
// resize, then one lookup per pixel.
TEST(PressImage, MatchesAStepByStepRendering) {
    const ColorOfPressMap map = distinctScale();
    const PressureMatrix matrix = footLikeMatrix();
    cv::Mat levels(50, 50, CV_8UC1);
    for (int row = 0; row < 50; ++row) {
        for (int column = 0; column < 50; ++column) {
            levels.at<std::uint8_t>(row, column) = levelOf(matrix.at(row, column));
        }
    }
    cv::Mat resized;
    cv::resize(levels, resized, cv::Size(500, 500), 0, 0, cv::INTER_CUBIC);

    const cv::Mat image = drawPressImage(map, matrix, QString(), 500, 500);
    ASSERT_EQ(image.size(), resized.size());
    for (int y = 0; y < 500; ++y) {
        for (int x = 0; x < 500; ++x) {
            ASSERT_EQ(image.at<cv::Vec3b>(y, x), bgrOf(map, 16 * resized.at<std::uint8_t>(y, x)))
                << "pixel (" << x << ", " << y << ")";
        }
    }
}

TEST(PressImage, WritesTheImageOnlyWhenGivenAPath) {
    QTemporaryDir dir;
    const ColorOfPressMap map = distinctScale();
    const PressureMatrix matrix = footLikeMatrix();

    const cv::Mat unsaved = drawPressImage(map, matrix, QString(), 500, 500);
    EXPECT_TRUE(QDir(dir.path()).isEmpty());

    const QString png = dir.filePath("frame.png");
    const cv::Mat saved = drawPressImage(map, matrix, png, 500, 500);
    const cv::Mat read = cv::imread(QFile::encodeName(png).toStdString());
    ASSERT_FALSE(read.empty());
    EXPECT_EQ(cv::norm(read, saved, cv::NORM_INF), 0.0);
    EXPECT_EQ(cv::norm(unsaved, saved, cv::NORM_INF), 0.0);
}

TEST(PressImage, AFailedWriteStillReturnsTheImage) {
    QTemporaryDir dir;
    const ColorOfPressMap map = distinctScale();
    for (const QString& path : {dir.filePath("missing/frame.png"), dir.filePath("frame.unknown")}) {
        SCOPED_TRACE(path.toStdString());
        const cv::Mat image = drawPressImage(map, uniformMatrix(0), path, 500, 500);
        EXPECT_TRUE(everyPixelIs(image, bgrOf(map, 48)));
        EXPECT_FALSE(QFile::exists(path));
    }
}

TEST(PressImage, CopiesPixelsAsRedGreenBlueRowByRow) {
    cv::Mat image(2, 2, CV_8UC3);
    image.at<cv::Vec3b>(0, 0) = {1, 2, 3};  // blue, green, red
    image.at<cv::Vec3b>(0, 1) = {4, 5, 6};
    image.at<cv::Vec3b>(1, 0) = {7, 8, 9};
    image.at<cv::Vec3b>(1, 1) = {10, 11, 12};
    std::vector<int> pixels(3, -1);
    copyToRgbPixels(image, pixels);
    EXPECT_EQ(pixels, (std::vector<int>{3, 2, 1, 6, 5, 4, 9, 8, 7, 12, 11, 10}));
}

}  // namespace
