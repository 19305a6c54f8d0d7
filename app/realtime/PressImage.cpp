#include "PressImage.h"

#include <QFile>
#include <cstdio>
#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

namespace {

constexpr int kLowestDrawnValue = 50;

// Level k of the 8-bit image shows the colour of value 16 * k, blue-green-red.
cv::Mat colorTable(const ColorOfPressMap& map) {
    cv::Mat table(256, 1, CV_8UC3);
    for (int level = 0; level < 256; ++level) {
        int red = 0, green = 0, blue = 0;
        getColorOfPress(map, 16 * level, red, green, blue);
        table.at<cv::Vec3b>(level) = cv::Vec3b(blue, green, red);
    }
    return table;
}

bool writeImage(const cv::Mat& image, const QString& path) {
    try {
        return cv::imwrite(QFile::encodeName(path).toStdString(), image);
    } catch (const cv::Exception&) {  // e.g. no encoder for the extension
        return false;
    }
}

}  // namespace

cv::Mat drawPressImage(const ColorOfPressMap& map, const PressureMatrix& matrix,
                       const QString& path, int width, int height) {
    if (width <= 0 || height <= 0) {
        return cv::Mat();
    }
    const cv::Mat raw(PressureMatrix::kRows, PressureMatrix::kColumns, CV_16UC1,
                      const_cast<std::uint16_t*>(matrix.values.data()));
    cv::Mat clamped;
    cv::min(raw, cv::Scalar(kHighestPressValue), clamped);
    cv::max(clamped, cv::Scalar(kLowestDrawnValue), clamped);
    // Every clamped value times 255/4096 is exact in a float, so one scaled conversion rounds
    // exactly as a float matrix converted to 8 bits would.
    cv::Mat levels;
    clamped.convertTo(levels, CV_8U, 255.0 / 4096.0);
    cv::Mat resized;
    cv::resize(levels, resized, cv::Size(width, height), 0, 0, cv::INTER_CUBIC);
    cv::Mat image;
    cv::applyColorMap(resized, image, colorTable(map));

    if (!path.isEmpty()) {
        const bool saved = writeImage(image, path);
        std::printf("Save image %s %s\n", path.toUtf8().constData(), saved ? "success" : "failed");
    }
    return image;
}

void copyToRgbPixels(const cv::Mat& image, std::vector<int>& pixels) {
    pixels.resize(static_cast<std::size_t>(image.rows) * image.cols * 3);
    auto out = pixels.begin();
    for (int y = 0; y < image.rows; ++y) {
        const cv::Vec3b* row = image.ptr<cv::Vec3b>(y);
        for (int x = 0; x < image.cols; ++x) {
            *out++ = row[x][2];
            *out++ = row[x][1];
            *out++ = row[x][0];
        }
    }
}
