#include "matrix_textures.h"

#include <algorithm>

namespace tavlo {

namespace {

unsigned powerOfTwoAtLeast(unsigned n) {
    unsigned p = 1;
    while (p < n) p <<= 1;
    return p;
}

std::uint32_t channel(std::int32_t value) {
    return static_cast<std::uint32_t>(std::clamp(value, 0, 255));
}

// One cell as an opaque BGRA texel: the layout most implementations store, so the upload is
// a plain copy instead of a conversion.
std::uint32_t texel(const std::int32_t* rgb) {
    return 0xFF000000u | channel(rgb[0]) << 16 | channel(rgb[1]) << 8 | channel(rgb[2]);
}

}  // namespace

void MatrixTextures::deleteTiles(SlotTextures& slot) {
    for (Tile& tile : slot.tiles) glDeleteTextures(1, &tile.texture);
    slot.tiles.clear();
    slot.rows = slot.columns = 0;
    slot.revision = 0;
}

void MatrixTextures::release() {
    for (SlotTextures& slot : slots_) deleteTiles(slot);
}

void MatrixTextures::allocate(SlotTextures& slot, const CameraEntry& entry) {
    deleteTiles(slot);
    if (tileSize_ == 0) {
        GLint maxSize = 0;
        glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
        tileSize_ = 1024;
        while (tileSize_ > 64 && tileSize_ > static_cast<unsigned>(maxSize)) tileSize_ >>= 1;
    }
    for (unsigned row = 0; row < entry.rows; row += tileSize_) {
        for (unsigned column = 0; column < entry.columns; column += tileSize_) {
            Tile tile;
            tile.firstRow = row;
            tile.firstColumn = column;
            tile.rows = std::min(tileSize_, entry.rows - row);
            tile.columns = std::min(tileSize_, entry.columns - column);
            tile.textureRows = powerOfTwoAtLeast(tile.rows);
            tile.textureColumns = powerOfTwoAtLeast(tile.columns);
            glGenTextures(1, &tile.texture);
            glBindTexture(GL_TEXTURE_2D, tile.texture);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
            glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, static_cast<GLsizei>(tile.textureColumns),
                         static_cast<GLsizei>(tile.textureRows), 0, GL_BGRA,
                         GL_UNSIGNED_INT_8_8_8_8_REV, nullptr);
            slot.tiles.push_back(tile);
        }
    }
    slot.rows = entry.rows;
    slot.columns = entry.columns;
}

void MatrixTextures::upload(const Tile& tile, const CameraEntry& entry) {
    staging_.resize(std::size_t{tile.rows} * tile.columns);
    std::uint32_t* out = staging_.data();
    for (unsigned r = 0; r < tile.rows; ++r) {
        const std::int32_t* in =
            entry.cells.data() +
            (std::size_t{tile.firstRow + r} * entry.columns + tile.firstColumn) * 3;
        for (unsigned c = 0; c < tile.columns; ++c, in += 3) *out++ = texel(in);
    }
    glBindTexture(GL_TEXTURE_2D, tile.texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, static_cast<GLsizei>(tile.columns),
                    static_cast<GLsizei>(tile.rows), GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV,
                    staging_.data());
}

void MatrixTextures::draw(const CameraEntry& entry) {
    SlotTextures& slot = slots_[entry.slot];
    if (slot.rows != entry.rows || slot.columns != entry.columns || slot.tiles.empty())
        allocate(slot, entry);
    if (slot.revision != entry.revision) {
        for (const Tile& tile : slot.tiles) upload(tile, entry);
        slot.revision = entry.revision;
    }

    const float cellWidth = entry.width / static_cast<float>(entry.columns);
    const float cellHeight = entry.height / static_cast<float>(entry.rows);
    const float left = -entry.width / 2, top = entry.height / 2;
    // The cells are opaque: blending would give the same picture at the cost of reading back
    // every covered pixel.
    glDisable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    glColor3f(1, 1, 1);
    for (const Tile& tile : slot.tiles) {
        const float x0 = left + static_cast<float>(tile.firstColumn) * cellWidth;
        const float x1 = x0 + static_cast<float>(tile.columns) * cellWidth;
        const float y0 = top - static_cast<float>(tile.firstRow) * cellHeight;
        const float y1 = y0 - static_cast<float>(tile.rows) * cellHeight;
        const float s = static_cast<float>(tile.columns) / static_cast<float>(tile.textureColumns);
        const float t = static_cast<float>(tile.rows) / static_cast<float>(tile.textureRows);
        glBindTexture(GL_TEXTURE_2D, tile.texture);
        // Texture row 0 holds the matrix's top row of this tile.
        glBegin(GL_QUADS);
        glTexCoord2f(0, 0);
        glVertex2f(x0, y0);
        glTexCoord2f(s, 0);
        glVertex2f(x1, y0);
        glTexCoord2f(s, t);
        glVertex2f(x1, y1);
        glTexCoord2f(0, t);
        glVertex2f(x0, y1);
        glEnd();
    }
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
}

}  // namespace tavlo
