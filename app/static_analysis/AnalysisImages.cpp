#include "AnalysisImages.h"

#include "PressImage.h"

QString analysisImagePath(const QString& cacheFolder) { return cacheFolder + "/analysis.jpg"; }

void writeAnalysisImage(const ColorOfPressMap& scale, const QString& cacheFolder,
                        const PressureMatrix& peakGrid) {
    drawPressImage(scale, peakGrid, analysisImagePath(cacheFolder), kAnalysisImageSide,
                   kAnalysisImageSide);
}
