// The frame images of the balance view, drawn from the loaded recording when shown: drawing
// one takes well under a millisecond, so nothing per frame goes to disk. The last few drawn
// stay in memory for stepping back and forth.
#pragma once

#include <QImage>
#include <deque>
#include <utility>

#include "ColorScale.h"
#include "PressureMatrix.h"

// The side the frame images are drawn at before being scaled to the view.
constexpr int kFrameImageSide = 500;

// The frame rendered through the colour scale at side x side pixels.
QImage renderFrameImage(const ColorOfPressMap& scale, const PressureMatrix& frame, int side);

// The images of the few frames drawn last, by frame number.
class RecentFrameImages {
public:
    static constexpr std::size_t kCapacity = 8;
    // Draws through scale, which must outlive this.
    explicit RecentFrameImages(const ColorOfPressMap& scale) : scale_(scale) {}

    // The image of frame number n: kept, or drawn from frame and kept (the oldest is dropped).
    QImage imageOf(int n, const PressureMatrix& frame);
    // Forgets every image (another recording, another colour scale).
    void clear() { images_.clear(); }
    std::size_t size() const { return images_.size(); }

private:
    const ColorOfPressMap& scale_;
    std::deque<std::pair<int, QImage>> images_;  // most recent first
};
