// Loading the pressure colour scale from its INI file and looking colours up.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <limits>
#include <utility>
#include <vector>

#include "ColorScale.h"

namespace {

const QColor kWhite(255, 255, 255);
const QColor kBlue(0, 0, 255);

QColor lookUp(const ColorOfPressMap& map, int value) {
    int red = -1, green = -1, blue = -1;
    getColorOfPress(map, value, red, green, blue);
    return QColor(red, green, blue);
}

ColorOfPressMap loadFromText(const QByteArray& ini) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Config_Color.ini");
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(ini);
    file.close();
    ColorOfPressMap map;
    loadColorOfPressMap(map, path);
    return map;
}

// After loading, every value of the scale has a valid colour.
void expectEveryValueSet(const ColorOfPressMap& map) {
    for (int value = 0; value <= kHighestPressValue; ++value) {
        ASSERT_TRUE(map.contains(value)) << value;
        ASSERT_TRUE(map.value(value).isValid()) << value;
    }
}

TEST(ColorScale, MissingFileGivesAnAllWhiteScale) {
    ColorOfPressMap map;
    map.insert(7, kBlue);  // loading starts afresh
    loadColorOfPressMap(map, "/nonexistent/Resources/Config_Color.ini");
    EXPECT_EQ(map.size(), kHighestPressValue + 1);
    expectEveryValueSet(map);
    for (int value = 0; value <= kHighestPressValue; ++value) {
        ASSERT_EQ(map.value(value), kWhite) << value;
    }
}

struct LoadCase {
    const char* name;
    QByteArray ini;
    std::vector<std::pair<int, QColor>> lookups;  // value -> colour getColorOfPress gives
};

TEST(ColorScale, EachValueTakesTheNearestKeyAtOrBelowIt) {
    const LoadCase cases[] = {
        {"one key",
         "[colorOfPress]\n100=0,0,255\n",
         {{0, kWhite}, {99, kWhite}, {100, kBlue}, {2000, kBlue}, {4095, kBlue}}},
        {"keys in any order",
         "[colorOfPress]\n200=0,255,0\n100=0,0,255\n",
         {{99, kWhite},
          {150, kBlue},
          {199, kBlue},
          {200, QColor(0, 255, 0)},
          {4095, QColor(0, 255, 0)}}},
        {"key 0 replaces the white start",
         "[colorOfPress]\n0=1,2,3\n",
         {{0, QColor(1, 2, 3)}, {4095, QColor(1, 2, 3)}}},
        {"too few pieces leave the key unset",
         "[colorOfPress]\n100=0,0,255\n200=1,2\n",
         {{200, kBlue}, {4095, kBlue}}},
        {"a component out of range leaves the key unset",
         "[colorOfPress]\n100=0,0,255\n200=256,0,0\n",
         {{200, kBlue}}},
        {"a piece that is no number counts as 0",
         "[colorOfPress]\n100=x,5,6\n",
         {{100, QColor(0, 5, 6)}}},
        {"quoted value", "[colorOfPress]\n100=\"7,8,9\"\n", {{100, QColor(7, 8, 9)}}},
        {"spaces around key and pieces",
         "[colorOfPress]\n100 = 7, 8, 9\n",
         {{100, QColor(7, 8, 9)}}},
        {"a key that is no decimal number counts as 0",
         "[colorOfPress]\n0x10=1,2,3\n",
         {{0, QColor(1, 2, 3)}, {16, QColor(1, 2, 3)}}},
        {"keys outside the scale are never looked up",
         "[colorOfPress]\n-5=1,2,3\n5000=1,2,3\n",
         {{0, kWhite}, {4095, kWhite}}},
        {"other groups are ignored",
         "[other]\n100=1,2,3\n[colorOfPress]\n200=0,0,255\n",
         {{100, kWhite}, {200, kBlue}}},
    };
    for (const LoadCase& c : cases) {
        SCOPED_TRACE(c.name);
        const ColorOfPressMap map = loadFromText(c.ini);
        expectEveryValueSet(map);
        for (const auto& [value, color] : c.lookups) {
            EXPECT_EQ(lookUp(map, value), color) << "value " << value;
        }
    }
}

TEST(ColorScale, KeysOutsideTheScaleAreKeptAsExtraEntries) {
    const ColorOfPressMap map = loadFromText("[colorOfPress]\n-5=1,2,3\n5000=4,5,6\n");
    EXPECT_EQ(map.size(), kHighestPressValue + 1 + 2);
    EXPECT_EQ(map.value(-5), QColor(1, 2, 3));
    EXPECT_EQ(map.value(5000), QColor(4, 5, 6));
}

TEST(ColorScale, ValuesAbove4095AndNegativeValuesLookUpWhite) {
    ColorOfPressMap map = loadFromText("[colorOfPress]\n0=0,0,255\n");
    ASSERT_EQ(map.value(kHighestPressValue), kBlue);  // the entry exists but is never returned
    EXPECT_EQ(lookUp(map, 4095), kBlue);
    for (const int value : {4096, 4097, 65535, -1, -4096, std::numeric_limits<int>::min()}) {
        EXPECT_EQ(lookUp(map, value), kWhite) << value;
    }
    EXPECT_EQ(lookUp(ColorOfPressMap(), 100), kWhite) << "a scale never loaded";
}

// The ramp the program ships: white without contact, then blue, green, yellow and red.
TEST(ShippedColorScale, RunsFromWhiteThroughBlueGreenAndYellowToRed) {
    ColorOfPressMap map;
    loadColorOfPressMap(map, TESSALY_RESOURCES_DIR "/Config_Color.ini");
    expectEveryValueSet(map);
    EXPECT_EQ(lookUp(map, 0), kWhite);
    EXPECT_EQ(lookUp(map, 48), kWhite) << "cells without pressure are drawn at value 48";
    EXPECT_EQ(lookUp(map, 64), kBlue) << "the first level above no pressure";
    EXPECT_EQ(lookUp(map, 4080), QColor(255, 0, 0));

    // Along the levels the renderer uses, the hue falls steadily from blue (240) to red (0),
    // at full saturation, passing green (120) and yellow (60).
    int previousHue = 241;
    bool green = false, yellow = false;
    for (int value = 64; value <= 4080; value += 16) {
        const QColor color = lookUp(map, value);
        SCOPED_TRACE(value);
        ASSERT_EQ(color.saturation(), 255);
        ASSERT_EQ(color.value(), 255);
        ASSERT_LE(color.hue(), previousHue);
        previousHue = color.hue();
        green = green || (color.hue() >= 118 && color.hue() <= 122);
        yellow = yellow || (color.hue() >= 58 && color.hue() <= 62);
    }
    EXPECT_TRUE(green);
    EXPECT_TRUE(yellow);
}

// Start-up loads the copy of the ramp that the build places beside the program.
TEST(ShippedColorScale, StartUpLoadsTheFileInTheApplicationDirectory) {
    int argc = 1;
    char name[] = "realtime_core_tests";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);

    const ColorOfPressMap program = loadProgramColorScale();
    ColorOfPressMap shipped;
    loadColorOfPressMap(shipped, TESSALY_RESOURCES_DIR "/Config_Color.ini");
    EXPECT_EQ(program, shipped);

    int red = 0, green = 0, blue = 0;
    getColorOfPress(program, 4080, red, green, blue);
    EXPECT_EQ(QColor(red, green, blue), QColor(255, 0, 0));
}

}  // namespace
