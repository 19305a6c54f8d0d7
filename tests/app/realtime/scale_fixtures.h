// Colour scales for the renderer tests.
#pragma once

#include "ColorScale.h"

// A scale in which every multiple of 16 (every 8-bit level) has a colour of its own, so that
// an image shows exactly which level each pixel took.
inline ColorOfPressMap distinctScale() {
    ColorOfPressMap map;
    for (int value = 0; value <= kHighestPressValue; ++value) {
        const int level = value / 16;
        map.insert(value, QColor(level % 256, 255 - level % 256, (level * 7) % 256));
    }
    return map;
}
