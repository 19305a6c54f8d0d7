// The matrices of one widget and where they go: slots, cell buffers, layout, camera and
// selection. Plain data and arithmetic, no OpenGL, so that it can be tested without a window.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace tavlo {

constexpr int kMaxMatrices = 128;

enum class DrawMode { Rssi = 0, Frame = 1 };

struct Point3 {
    float x = 0, y = 0, z = 0;
};

// One sensor matrix in its slot.
struct CameraEntry {
    bool inUse = false;
    int slot = 0;
    bool selected = false;
    Point3 centre;       // world units, set by the placement of the last draw
    float width = 0;     // world units
    float height = 0;    // world units
    float fill = 0;      // RSSI fill fraction
    int identifier = 0;  // chosen by the caller
    unsigned rows = 0, columns = 0;
    std::vector<std::int32_t> cells;  // red, green, blue per cell, row-major from the top row
    std::uint64_t revision = 0;       // changes whenever the cells change; lets the painter
                                      // skip uploads of unchanged data

    // Whether a point in pixels from the view centre (y up) lies on this matrix as last placed.
    bool containsPixel(float x, float y, float scale) const;
};

class CamerasDraw {
public:
    CamerasDraw();

    // Layout and camera back to their starting values for the current matrix count.
    void reset();
    // Takes the view size in pixels (zero becomes 1) and sizes every matrix to fill its share
    // of the view: full width, an equal part of the height.
    void resize(int width, int height);

    // Takes the lowest free slot. Returns the count − 1; 127 without adding when all slots are
    // used; −1 when the cell buffer cannot be made (rows × columns × 3 beyond an int or out of
    // memory).
    int add(unsigned identifier, unsigned rows, unsigned columns);
    // Frees the highest used slot; returns its index, or −1 when there is none.
    int removeLast();
    // Frees every slot.
    void clear();

    // In Frame mode, copies at most the buffer's length from colours into the last used slot
    // with this identifier. Returns whether anything was copied.
    bool setFrame(int identifier, const int* colours, int count);
    // In RSSI mode, sets the fill fraction of a used slot. Returns whether it did.
    bool setRssi(int slot, float value);

    // Selects the matrices under a point in widget pixels (y down), in the current layout,
    // first clearing the selection unless addToSelection.
    void selectAt(float x, float y, bool addToSelection);
    std::vector<int> selectedSlots() const;

    // Gives every used matrix its centre for this draw; a pending re-layout request first
    // centres the grid on the view.
    void placeEntries();
    void requestRelayout() { relayoutRequested_ = true; }

    DrawMode mode() const { return mode_; }
    void setMode(DrawMode mode) { mode_ = mode; }
    int count() const { return count_; }
    const CameraEntry& entry(int slot) const { return entries_[slot]; }
    float scale() const { return scale_; }
    float viewWidth() const { return viewWidth_; }
    float viewHeight() const { return viewHeight_; }
    float fieldOfView() const { return fieldOfView_; }
    float nearPlane() const { return nearPlane_; }
    float farPlane() const { return 100.0f; }
    float cameraZ() const { return cameraZ_; }

private:
    void computeScale();
    void sizeEntry(CameraEntry& entry) const;
    void freeSlot(CameraEntry& entry);

    float fieldOfView_ = 45;
    float viewWidth_ = 1, viewHeight_ = 1;
    float nearPlane_ = 0.1f;
    int count_ = 0;
    int layoutColumns_ = 1, layoutRows_ = 0;
    float spacing_ = 0;
    float scale_ = 1;
    bool relayoutRequested_ = false;
    std::array<CameraEntry, kMaxMatrices> entries_;
    DrawMode mode_ = DrawMode::Frame;
    float panX_ = 0, panY_ = 0, cameraZ_ = -5;
    std::uint64_t nextRevision_ = 1;
};

}  // namespace tavlo
