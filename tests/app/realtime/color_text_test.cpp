// Colours as "red,green,blue" texts.
#include <gtest/gtest.h>

#include <QStringList>

#include "ColorText.h"

namespace {

TEST(ColorText, RoundTripsWithoutSpacesOrPadding) {
    const QColor color(0, 122, 204);
    EXPECT_EQ(colorToString(color), "0,122,204");
    const QColor back = stringToColor(colorToString(color));
    EXPECT_EQ(back, color);
    EXPECT_EQ(back.alpha(), 255);
}

struct TextCase {
    const char* name;
    QVariant text;
    bool valid;
    QColor color;  // when valid
};

TEST(ColorText, ConvertsTextsToColoursOrRejectsThem) {
    const TextCase cases[] = {
        {"plain", QString("1,2,3"), true, QColor(1, 2, 3)},
        {"limits", QString("0,255,255"), true, QColor(0, 255, 255)},
        {"extra pieces ignored", QString("1,2,3,4"), true, QColor(1, 2, 3)},
        {"not a number counts as 0", QString("x,5,6"), true, QColor(0, 5, 6)},
        {"empty piece counts as 0", QString(",5,6"), true, QColor(0, 5, 6)},
        {"spaces around pieces", QString(" 7, 8 ,9 "), true, QColor(7, 8, 9)},
        {"unquoted INI value", QStringList{"10", "20", "30"}, true, QColor(10, 20, 30)},
        {"two pieces", QString("0,122"), false, {}},
        {"one piece", QString("255"), false, {}},
        {"empty", QString(), false, {}},
        {"component above 255", QString("256,0,0"), false, {}},
        {"negative component", QString("0,-1,0"), false, {}},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.name);
        const QColor color = stringToColor(c.text);
        ASSERT_EQ(color.isValid(), c.valid);
        if (c.valid) {
            EXPECT_EQ(color, c.color);
            EXPECT_EQ(color.alpha(), 255);
        }
    }
}

}  // namespace
