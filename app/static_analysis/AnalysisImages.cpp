#include "AnalysisImages.h"

#include <QFile>
#include <opencv2/imgcodecs.hpp>

#include "PressImage.h"

QString analysisImagePath(const QString& cacheFolder) { return cacheFolder + "/analysis.jpg"; }

void writeAnalysisImages(const ColorOfPressMap& scale, const QString& cacheFolder,
                         const PressureMatrix& chosenFrame, const PressureMatrix& peakGrid) {
    const cv::Mat origin = drawPressImage(scale, chosenFrame, cacheFolder + "/analysis-origin.jpg",
                                          kAnalysisImageSide, kAnalysisImageSide);
    // Written a second time without the renderer, so it is not announced.
    cv::imwrite(QFile::encodeName(cacheFolder + "/analysis-a.jpg").toStdString(), origin);
    drawPressImage(scale, peakGrid, analysisImagePath(cacheFolder), kAnalysisImageSide,
                   kAnalysisImageSide);
}
