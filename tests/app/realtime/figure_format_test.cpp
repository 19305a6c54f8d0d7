// Figures as the views and the report show them: fixed decimals by unit.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "FigureFormat.h"

TEST(FigureFormat, DecimalsFitTheUnit) {
    const struct {
        double value;
        FigureUnit unit;
        const char* shown;
    } cases[] = {
        {72.0113, FigureUnit::Millimetre, "72.0"},
        {1234.56, FigureUnit::SquareMillimetre, "1234.6"},
        {0.978534, FigureUnit::CentimetrePerSecond, "0.98"},
        {3, FigureUnit::CentimetrePerSecond, "3.00"},
        {58.456, FigureUnit::Kilogram, "58.46"},
        {49.95, FigureUnit::Percent, "50.0"},
        {7201.63, FigureUnit::RawLoad, "7202"},
        {-1.26, FigureUnit::Millimetre, "-1.3"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatFigure(c.value, c.unit).toStdString(), c.shown) << c.value;
}

TEST(FigureFormat, NoMinusOnAZeroAndNoNumberMadeUp) {
    EXPECT_EQ(formatFigure(-0.004, 2).toStdString(), "0.00");
    EXPECT_EQ(formatFigure(-0.0, 1).toStdString(), "0.0");
    EXPECT_EQ(formatFigure(-0.06, 1).toStdString(), "-0.1");
    EXPECT_EQ(formatFigure(std::nan(""), 1).toStdString(), "nan");
    EXPECT_EQ(formatFigure(-std::numeric_limits<double>::infinity(), 1).toStdString(), "-inf");
}
