// The pressure colour scale: one colour for every raw pressure value 0..4096, read once at
// start-up from "Config_Color.ini" so that the ramp can change without a rebuild.
#pragma once

#include <QColor>
#include <QMap>
#include <QString>

struct GlobalState;

// Pressure value -> colour.
using ColorOfPressMap = QMap<int, QColor>;

// The scale covers the values 0..kHighestPressValue (4097 entries).
constexpr int kHighestPressValue = 4096;

// The program's scale: Config_Color.ini of the read-only resources read as
// below. Call after the application object exists. A missing or unreadable file is no error:
// the whole scale is white.
ColorOfPressMap loadProgramColorScale();
// Fills state.colorOfPressMap with loadProgramColorScale() (tessaly-cli report's views).
void loadColorOfPressMap(GlobalState& state);

// Fills map from the INI file at iniPath (group "colorOfPress", key = value, colour text as
// read by stringToColor). Afterwards map holds a valid colour for every value 0..4096: each
// value takes the colour of the nearest key at or below it, white below the smallest key.
// A key that is not a decimal number counts as 0; a colour text that stringToColor rejects
// leaves its entry unset; keys outside 0..4096 are kept but never looked up.
void loadColorOfPressMap(ColorOfPressMap& map, const QString& iniPath);

// Red, green and blue (0..255) of a raw pressure value in map. Values above 4095 and negative
// values give white, as does a scale that was never loaded.
void getColorOfPress(const ColorOfPressMap& map, int value, int& red, int& green, int& blue);
