// The image files of a static analysis in a recording's cache folder.
#pragma once

#include <QString>

#include "ColorScale.h"
#include "PressureMatrix.h"

// Side of every analysis image, in pixels.
constexpr int kAnalysisImageSide = 500;

// The image the static view shows: cacheFolder + "/analysis.jpg".
QString analysisImagePath(const QString& cacheFolder);

// Renders peakGrid with scale, at 500 x 500, into analysisImagePath(cacheFolder): the one
// picture of a recording that is kept on disk (the static view and the balance drawing read
// it). A failed write is not an error: the renderer prints "failed" and the views show white.
void writeAnalysisImage(const ColorOfPressMap& scale, const QString& cacheFolder,
                        const PressureMatrix& peakGrid);
