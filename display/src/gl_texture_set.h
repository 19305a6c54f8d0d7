// The widget's bitmaps as OpenGL textures and the bitmap font built from the glyph atlas.
// Every call needs the widget's context current.
#pragma once

#include <qopengl.h>
#include <QString>
#include <string>

namespace tavlo {

class GLTextureSet {
public:
    // Loads Font.bmp, Image.bmp and configIcon.bmp from directory and builds the font's display
    // lists. Returns false and names the file in failedFile when a bitmap cannot be read.
    bool load(const QString& directory, QString* failedFile);
    // Deletes the textures and lists.
    void release();

    // Draws text in white with its bottom-left corner at (x, y, z); glyphs are
    // 16 × 0.001 × size world units high.
    void drawText(float x, float y, float z, float size, const std::string& text) const;

private:
    void buildFont();

    GLuint font_ = 0;
    GLuint image_ = 0;
    GLuint icon_ = 0;
    GLuint fontLists_ = 0;
};

}  // namespace tavlo
