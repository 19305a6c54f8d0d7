// The image files of a static analysis in a recording's cache folder.
#pragma once

#include <QString>

#include "ColorScale.h"
#include "PressureMatrix.h"

// Side of every analysis image, in pixels.
constexpr int kAnalysisImageSide = 500;

// The image the static view shows: cacheFolder + "/analysis.jpg".
QString analysisImagePath(const QString& cacheFolder);

// Renders with scale, at 500 x 500, into cacheFolder: "analysis-origin.jpg" (chosenFrame, the
// heaviest frame as recorded, frames[grids.chosenFrame]), "analysis-a.jpg" (the same image
// written again) and "analysis.jpg" (peakGrid, the image the view shows). Failed writes are
// not errors: the renderer prints "failed" and the view shows white where a file is missing.
void writeAnalysisImages(const ColorOfPressMap& scale, const QString& cacheFolder,
                         const PressureMatrix& chosenFrame, const PressureMatrix& peakGrid);
