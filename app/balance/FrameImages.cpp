#include "FrameImages.h"

#include <algorithm>

#include "PressImage.h"

QImage renderFrameImage(const ColorOfPressMap& scale, const PressureMatrix& frame, int side) {
    const cv::Mat image = drawPressImage(scale, frame, QString(), side, side);
    if (image.empty()) return QImage();
    return QImage(image.data, image.cols, image.rows, static_cast<int>(image.step),
                  QImage::Format_BGR888)
        .copy();
}

QImage RecentFrameImages::imageOf(int n, const PressureMatrix& frame) {
    const auto kept =
        std::find_if(images_.begin(), images_.end(),
                     [n](const std::pair<int, QImage>& entry) { return entry.first == n; });
    if (kept != images_.end()) {
        std::pair<int, QImage> entry = std::move(*kept);
        images_.erase(kept);
        images_.push_front(std::move(entry));
        return images_.front().second;
    }
    QImage image = renderFrameImage(scale_, frame, kFrameImageSide);
    if (image.isNull()) return image;
    images_.emplace_front(n, image);
    if (images_.size() > kCapacity) images_.pop_back();
    return image;
}
