#include "FigureFormat.h"

#include <algorithm>
#include <cmath>

int figureDecimals(FigureUnit unit) {
    switch (unit) {
        case FigureUnit::CentimetrePerSecond:
        case FigureUnit::Kilogram:
            return 2;
        case FigureUnit::RawLoad:
            return 0;
        case FigureUnit::Millimetre:
        case FigureUnit::SquareMillimetre:
        case FigureUnit::Percent:
            break;
    }
    return 1;
}

QString formatFigure(double value, int decimals) {
    const QString text = QString::number(value, 'f', decimals);
    if (!std::isfinite(value)) return text;
    const bool roundsToZero = std::none_of(text.begin(), text.end(), [](QChar c) {
        return c >= QLatin1Char('1') && c <= QLatin1Char('9');
    });
    return roundsToZero && text.startsWith('-') ? text.mid(1) : text;
}

QString formatFigure(double value, FigureUnit unit) {
    return formatFigure(value, figureDecimals(unit));
}
