// Frame-mode drawing of a matrix as textures, one texel per cell with nearest filtering: the
// same flat-coloured cells as one quad per cell, at the cost of a few quads. Large matrices are
// split into tiles that fit the implementation's texture size. Needs the context current.
#pragma once

#include <qopengl.h>
#include <array>
#include <cstdint>
#include <vector>

#include "cameras_draw.h"

namespace tavlo {

class MatrixTextures {
public:
    // Draws the entry's cells over its rectangle centred on the current origin, uploading them
    // first when they changed since the last draw of that slot.
    void draw(const CameraEntry& entry);
    // Deletes all textures.
    void release();

private:
    struct Tile {
        GLuint texture = 0;
        unsigned firstRow = 0, firstColumn = 0, rows = 0, columns = 0;
        unsigned textureRows = 0, textureColumns = 0;  // powers of two, as OpenGL 1.x needs
    };
    struct SlotTextures {
        std::uint64_t revision = 0;
        unsigned rows = 0, columns = 0;
        std::vector<Tile> tiles;
    };

    void allocate(SlotTextures& slot, const CameraEntry& entry);
    void upload(const Tile& tile, const CameraEntry& entry);
    static void deleteTiles(SlotTextures& slot);

    std::array<SlotTextures, kMaxMatrices> slots_;
    std::vector<std::uint32_t> staging_;
    unsigned tileSize_ = 0;
};

}  // namespace tavlo
