#include "cameras_draw.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <new>

namespace tavlo {

bool CameraEntry::containsPixel(float x, float y, float scale) const {
    const float halfWidth = width / 2 * scale, halfHeight = height / 2 * scale;
    const float cx = centre.x * scale, cy = centre.y * scale;
    return x >= cx - halfWidth && x <= cx + halfWidth && y >= cy - halfHeight &&
           y <= cy + halfHeight;
}

CamerasDraw::CamerasDraw() {
    for (int i = 0; i < kMaxMatrices; ++i) entries_[i].slot = i;
    reset();
}

void CamerasDraw::reset() {
    layoutColumns_ = 1;
    layoutRows_ = count_;
    spacing_ = 0;
    panX_ = panY_ = 0;
    cameraZ_ = -5;
    fieldOfView_ = 45;
    nearPlane_ = 0.1f;
    computeScale();
}

void CamerasDraw::computeScale() {
    const float halfAngle = fieldOfView_ / 2 * static_cast<float>(M_PI) / 180;
    scale_ = viewHeight_ / (2 * std::tan(halfAngle) * -cameraZ_);
}

void CamerasDraw::sizeEntry(CameraEntry& entry) const {
    entry.width = viewWidth_ / scale_;
    entry.height = viewHeight_ / static_cast<float>(count_) / scale_;
}

void CamerasDraw::resize(int width, int height) {
    viewWidth_ = static_cast<float>(std::max(width, 1));
    viewHeight_ = static_cast<float>(std::max(height, 1));
    computeScale();
    for (CameraEntry& entry : entries_)
        if (entry.inUse) sizeEntry(entry);
}

int CamerasDraw::add(unsigned identifier, unsigned rows, unsigned columns) {
    if (count_ >= kMaxMatrices) return kMaxMatrices - 1;
    const std::uint64_t length = std::uint64_t{rows} * columns * 3;
    // The frame call takes its length as an int, so a longer buffer could never be filled.
    if (length > INT_MAX) return -1;
    auto free = std::find_if(entries_.begin(), entries_.end(),
                             [](const CameraEntry& e) { return !e.inUse; });
    try {
        free->cells.assign(static_cast<std::size_t>(length), 0);
    } catch (const std::bad_alloc&) {
        free->cells.clear();
        return -1;
    }
    ++count_;
    for (auto it = entries_.begin(); it != free; ++it) sizeEntry(*it);
    free->inUse = true;
    sizeEntry(*free);
    free->rows = rows;
    free->columns = columns;
    free->identifier = static_cast<int>(identifier);
    free->revision = nextRevision_++;
    relayoutRequested_ = true;
    reset();
    return count_ - 1;
}

void CamerasDraw::freeSlot(CameraEntry& entry) {
    entry.selected = false;
    entry.inUse = false;
    --count_;
    relayoutRequested_ = true;
}

int CamerasDraw::removeLast() {
    for (int slot = kMaxMatrices - 1; slot >= 0 && count_ > 0; --slot) {
        if (!entries_[slot].inUse) continue;
        freeSlot(entries_[slot]);
        reset();
        return slot;
    }
    return -1;
}

void CamerasDraw::clear() {
    for (int slot = kMaxMatrices - 1; slot >= 0; --slot)
        if (entries_[slot].inUse) freeSlot(entries_[slot]);
}

bool CamerasDraw::setFrame(int identifier, const int* colours, int count) {
    if (mode_ != DrawMode::Frame || colours == nullptr || count <= 0) return false;
    CameraEntry* match = nullptr;
    for (CameraEntry& entry : entries_) {
        if (!entry.inUse) break;
        if (entry.identifier == identifier) match = &entry;
    }
    if (match == nullptr || match->cells.empty()) return false;
    const std::size_t n = std::min(static_cast<std::size_t>(count), match->cells.size());
    std::copy_n(colours, n, match->cells.begin());
    match->revision = nextRevision_++;
    return true;
}

bool CamerasDraw::setRssi(int slot, float value) {
    if (mode_ != DrawMode::Rssi || slot < 0 || slot >= kMaxMatrices || !entries_[slot].inUse)
        return false;
    entries_[slot].fill = value;
    return true;
}

void CamerasDraw::selectAt(float x, float y, bool addToSelection) {
    // Hit against the layout as it is now, which an add or removal since the last draw changed.
    placeEntries();
    const float px = x - viewWidth_ / 2, py = -(y - viewHeight_ / 2);
    if (!addToSelection)
        for (CameraEntry& entry : entries_) entry.selected = false;
    for (CameraEntry& entry : entries_) {
        if (!entry.inUse) break;
        if (entry.containsPixel(px, py, scale_)) entry.selected = true;
    }
}

std::vector<int> CamerasDraw::selectedSlots() const {
    std::vector<int> slots;
    for (const CameraEntry& entry : entries_)
        if (entry.selected) slots.push_back(entry.slot);
    return slots;
}

void CamerasDraw::placeEntries() {
    if (relayoutRequested_) {
        // Centring before the walk, so that the draw right after an add is already centred.
        const CameraEntry& first = entries_[0];
        panX_ = -first.width * static_cast<float>(layoutColumns_ - 1) / 2;
        panY_ = -first.height * static_cast<float>(std::max(layoutRows_ - 1, 0)) / 2;
        relayoutRequested_ = false;
    }
    Point3 rowStart{panX_, -panY_, cameraZ_};
    for (int row = 0; row < layoutRows_; ++row) {
        Point3 position = rowStart;
        float rowHeight = 0;
        for (int column = 0; column < layoutColumns_; ++column) {
            const int slot = column + layoutColumns_ * row;
            if (slot >= kMaxMatrices) return;
            CameraEntry& entry = entries_[slot];
            if (entry.inUse) entry.centre = position;
            position.x += entry.width + spacing_;
            rowHeight = entry.height;
        }
        rowStart.y -= rowHeight + spacing_;
    }
}

}  // namespace tavlo
