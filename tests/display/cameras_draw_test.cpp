// The matrix store and layout of the display widget, without a window.
#include "cameras_draw.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

using tavlo::CamerasDraw;
using tavlo::DrawMode;
using tavlo::kMaxMatrices;

// Pixel offset from the view centre (y up) of a matrix's centre after placement.
float centrePixelY(const CamerasDraw& scene, int slot) {
    return scene.entry(slot).centre.y * scene.scale();
}

TEST(CamerasDraw, AddTakesLowestFreeSlotWithZeroedCells) {
    CamerasDraw scene;
    EXPECT_EQ(scene.add(11, 2, 3), 0);
    EXPECT_EQ(scene.add(12, 4, 4), 1);
    EXPECT_EQ(scene.add(13, 1, 1), 2);
    const auto& first = scene.entry(0);
    EXPECT_TRUE(first.inUse);
    EXPECT_EQ(first.identifier, 11);
    EXPECT_EQ(first.cells, std::vector<std::int32_t>(18, 0));
    EXPECT_EQ(scene.entry(1).cells.size(), 48u);

    EXPECT_EQ(scene.removeLast(), 2);
    EXPECT_EQ(scene.removeLast(), 1);
    EXPECT_EQ(scene.count(), 1);
    // The freed slot is reused, with a fresh buffer of the new size.
    EXPECT_EQ(scene.add(14, 1, 2), 1);
    EXPECT_EQ(scene.entry(1).identifier, 14);
    EXPECT_EQ(scene.entry(1).cells, std::vector<std::int32_t>(6, 0));
}

TEST(CamerasDraw, RemoveAndClearOnEmptySceneChangeNothing) {
    CamerasDraw scene;
    EXPECT_EQ(scene.removeLast(), -1);
    scene.clear();
    EXPECT_EQ(scene.count(), 0);
    scene.add(1, 1, 1);
    scene.add(2, 1, 1);
    scene.clear();
    EXPECT_EQ(scene.count(), 0);
    EXPECT_FALSE(scene.entry(0).inUse);
    EXPECT_FALSE(scene.entry(1).inUse);
    EXPECT_EQ(scene.removeLast(), -1);
}

TEST(CamerasDraw, AddBeyondCapacityAddsNothingAndReturns127) {
    CamerasDraw scene;
    for (int i = 0; i < kMaxMatrices; ++i) ASSERT_EQ(scene.add(i, 1, 1), i);
    EXPECT_EQ(scene.add(999, 1, 1), 127);
    EXPECT_EQ(scene.count(), kMaxMatrices);
    EXPECT_EQ(scene.entry(127).identifier, 127);
    EXPECT_EQ(scene.removeLast(), 127);
    EXPECT_EQ(scene.add(500, 1, 1), 127);
    EXPECT_EQ(scene.entry(127).identifier, 500);
}

TEST(CamerasDraw, AddRejectsBufferLongerThanAFrameCallCanFill) {
    CamerasDraw scene;
    EXPECT_EQ(scene.add(1, 100000, 100000), -1);
    EXPECT_EQ(scene.count(), 0);
    EXPECT_FALSE(scene.entry(0).inUse);
    EXPECT_EQ(scene.add(2, 0, 5), 0);  // no cells at all is a valid, empty matrix
    EXPECT_TRUE(scene.entry(0).cells.empty());
}

struct FrameCase {
    const char* name;
    int identifier;
    bool nullColours;
    int count;
    DrawMode mode;
    bool copied;
    std::vector<std::int32_t> cells;
};

class SetFrame : public ::testing::TestWithParam<FrameCase> {};

// A 1 × 2 matrix (6 ints) with identifier 7; the source offers 12 values 1..12.
TEST_P(SetFrame, CopiesAtMostTheBufferIntoTheMatchingMatrix) {
    const FrameCase& c = GetParam();
    CamerasDraw scene;
    scene.add(7, 1, 2);
    scene.setMode(c.mode);
    const std::vector<int> source = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    const auto revision = scene.entry(0).revision;
    EXPECT_EQ(scene.setFrame(c.identifier, c.nullColours ? nullptr : source.data(), c.count),
              c.copied);
    EXPECT_EQ(scene.entry(0).cells, c.cells);
    EXPECT_EQ(scene.entry(0).revision != revision, c.copied);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SetFrame,
    ::testing::Values(
        FrameCase{"exact", 7, false, 6, DrawMode::Frame, true, {1, 2, 3, 4, 5, 6}},
        FrameCase{"longer_than_buffer", 7, false, 12, DrawMode::Frame, true, {1, 2, 3, 4, 5, 6}},
        FrameCase{"shorter", 7, false, 3, DrawMode::Frame, true, {1, 2, 3, 0, 0, 0}},
        FrameCase{"unknown_identifier", 8, false, 6, DrawMode::Frame, false, {0, 0, 0, 0, 0, 0}},
        FrameCase{"null_colours", 7, true, 6, DrawMode::Frame, false, {0, 0, 0, 0, 0, 0}},
        FrameCase{"zero_count", 7, false, 0, DrawMode::Frame, false, {0, 0, 0, 0, 0, 0}},
        FrameCase{"negative_count", 7, false, -6, DrawMode::Frame, false, {0, 0, 0, 0, 0, 0}},
        FrameCase{"rssi_mode", 7, false, 6, DrawMode::Rssi, false, {0, 0, 0, 0, 0, 0}}),
    [](const ::testing::TestParamInfo<FrameCase>& info) { return info.param.name; });

TEST(CamerasDraw, SetFrameGoesToTheLastMatrixWithTheIdentifier) {
    CamerasDraw scene;
    scene.add(5, 1, 1);
    scene.add(5, 1, 1);
    const int colours[] = {9, 8, 7};
    EXPECT_TRUE(scene.setFrame(5, colours, 3));
    EXPECT_EQ(scene.entry(0).cells, std::vector<std::int32_t>(3, 0));
    EXPECT_EQ(scene.entry(1).cells, (std::vector<std::int32_t>{9, 8, 7}));
}

TEST(CamerasDraw, SetRssiOnlyInRssiModeAndOnUsedSlots) {
    CamerasDraw scene;
    scene.add(1, 1, 1);
    EXPECT_FALSE(scene.setRssi(0, 0.5f));  // Frame mode
    scene.setMode(DrawMode::Rssi);
    EXPECT_TRUE(scene.setRssi(0, 0.5f));
    EXPECT_FLOAT_EQ(scene.entry(0).fill, 0.5f);
    for (int slot : {-1, 1, kMaxMatrices, 100000}) EXPECT_FALSE(scene.setRssi(slot, 1));
}

class Layout : public ::testing::TestWithParam<int> {};

// n matrices in an 800 × 600 view: each full width, 600/n high, stacked from the top and
// centred on the view in the first draw.
TEST_P(Layout, MatricesShareTheHeightStackedAndCentred) {
    const int n = GetParam();
    CamerasDraw scene;
    scene.resize(800, 600);
    for (int i = 0; i < n; ++i) scene.add(i, 2, 2);
    scene.placeEntries();
    const float band = 600.0f / n;
    for (int i = 0; i < n; ++i) {
        SCOPED_TRACE(i);
        EXPECT_NEAR(scene.entry(i).width * scene.scale(), 800, 1e-3);
        EXPECT_NEAR(scene.entry(i).height * scene.scale(), band, 1e-3);
        EXPECT_NEAR(scene.entry(i).centre.x, 0, 1e-5);
        EXPECT_NEAR(centrePixelY(scene, i), 300 - (i + 0.5f) * band, 1e-3);
        EXPECT_FLOAT_EQ(scene.entry(i).centre.z, scene.cameraZ());
    }
}

INSTANTIATE_TEST_SUITE_P(Counts, Layout, ::testing::Values(1, 2, 3, 7, kMaxMatrices));

TEST(CamerasDraw, RemovalGivesTheRestTheWholeHeight) {
    CamerasDraw scene;
    scene.resize(800, 600);
    scene.add(1, 1, 1);
    scene.add(2, 1, 1);
    scene.placeEntries();
    scene.removeLast();
    scene.resize(800, 600);  // each draw re-applies the view size
    scene.placeEntries();
    EXPECT_NEAR(scene.entry(0).height * scene.scale(), 600, 1e-3);
    EXPECT_NEAR(centrePixelY(scene, 0), 0, 1e-3);
}

TEST(CamerasDraw, ScaleMakesTheViewOneWorldRectangleAndZeroSizeIsOnePixel) {
    CamerasDraw scene;
    scene.resize(640, 480);
    // At the camera distance of 5 the 45° view is 2 · tan(22.5°) · 5 world units high.
    EXPECT_NEAR(scene.scale(), 480 / (2 * std::tan(M_PI / 8) * 5), 1e-3);
    scene.add(1, 1, 1);
    scene.resize(0, 0);
    EXPECT_FLOAT_EQ(scene.viewWidth(), 1);
    EXPECT_FLOAT_EQ(scene.viewHeight(), 1);
    EXPECT_TRUE(std::isfinite(scene.scale()));
    EXPECT_NEAR(scene.entry(0).width * scene.scale(), 1, 1e-5);
    EXPECT_NEAR(scene.entry(0).height * scene.scale(), 1, 1e-5);
}

TEST(CamerasDraw, SelectByPointClearsUnlessAddingAndDropsRemovedSlots) {
    CamerasDraw scene;
    scene.resize(800, 600);
    scene.add(1, 1, 1);
    scene.add(2, 1, 1);
    // No draw since the adds: selection still hits the current layout.
    scene.selectAt(400, 100, false);  // widget pixels, y down: the upper matrix
    EXPECT_EQ(scene.selectedSlots(), std::vector<int>{0});
    scene.selectAt(400, 500, true);
    EXPECT_EQ(scene.selectedSlots(), (std::vector<int>{0, 1}));
    scene.selectAt(10, 590, false);
    EXPECT_EQ(scene.selectedSlots(), std::vector<int>{1});
    scene.selectAt(400, 700, false);  // below the view
    EXPECT_TRUE(scene.selectedSlots().empty());

    scene.selectAt(400, 100, false);
    scene.selectAt(400, 500, true);
    scene.removeLast();
    EXPECT_EQ(scene.selectedSlots(), std::vector<int>{0});
}

}  // namespace
