// How the views and the report show a measured figure: a fixed number of decimals fitting its
// unit, so that no figure claims more precision than the plate gives.
#pragma once

#include <QString>

enum class FigureUnit {
    Millimetre,           // one decimal
    SquareMillimetre,     // one decimal
    CentimetrePerSecond,  // two decimals
    Kilogram,             // two decimals
    Percent,              // one decimal
    RawLoad,              // sums of the plate's raw readings: whole numbers
};

int figureDecimals(FigureUnit unit);

// value with exactly `decimals` decimals; a value that rounds to zero shows no minus sign.
QString formatFigure(double value, int decimals);
QString formatFigure(double value, FigureUnit unit);
