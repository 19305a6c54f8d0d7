// A colour as the text "red,green,blue" (decimal, no spaces), the form every colour takes in
// the program's INI files.
#pragma once

#include <QColor>
#include <QString>
#include <QVariant>

// "%1,%2,%3" with the red, green and blue components, e.g. "0,122,204".
QString colorToString(const QColor& color);

// The colour of a "red,green,blue" text, alpha 255. Extra pieces are ignored, a piece that is
// not a number counts as 0 and surrounding spaces are allowed. Returns an invalid colour when
// there are fewer than three pieces or a component lies outside 0..255. Accepts the string
// list that QSettings makes of an unquoted INI value containing commas.
QColor stringToColor(const QVariant& text);
