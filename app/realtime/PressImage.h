// Turns one pressure matrix into a colour image through the pressure colour scale.
#pragma once

#include <QString>
#include <opencv2/core.hpp>
#include <vector>

#include "ColorScale.h"
#include "PressureMatrix.h"

// Renders matrix to an 8-bit, 3-channel image in blue-green-red order, width x height
// pixels, with the colour scale map. Cells are clamped to 50..4096 and scaled to 8-bit
// levels (so a cell without pressure shows the colour of value 48), the 50 x 50 levels are
// resized bicubically, and level k takes the colour of value 16 * k. When path is not empty
// the image is also written there, its type following the extension, and
// "Save image <path> success|failed" is printed; a failed write still returns the image.
// Returns an empty image when width or height is not positive.
cv::Mat drawPressImage(const ColorOfPressMap& map, const PressureMatrix& matrix,
                       const QString& path, int width, int height);

// Copies a blue-green-red image into pixels as red, green, blue components per pixel,
// row-major, the layout the sensor-matrix widget takes; pixels is resized to fit.
void copyToRgbPixels(const cv::Mat& image, std::vector<int>& pixels);
