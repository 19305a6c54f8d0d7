#include "gl_texture_set.h"

#include <QImage>

namespace tavlo {

namespace {

constexpr int kGlyphs = 256;
constexpr int kAtlasCells = 16;  // glyphs per atlas row and column
constexpr float kCell = 1.0f / kAtlasCells;

// Reads a bitmap of any depth, converts it to 8-bit RGB and uploads it with linear filtering.
// The image's top row becomes texture row 0, so texture coordinates count from the top.
GLuint loadTexture(const QString& path) {
    const QImage image = QImage(path).convertToFormat(QImage::Format_RGB888);
    if (image.isNull()) return 0;
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    // QImage pads its scan lines to 4 bytes, as GL's default unpack alignment expects.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, image.width(), image.height(), 0, GL_RGB,
                 GL_UNSIGNED_BYTE, image.constBits());
    return texture;
}

}  // namespace

bool GLTextureSet::load(const QString& directory, QString* failedFile) {
    release();
    const auto loadOne = [&](const char* name, GLuint* texture) {
        *texture = loadTexture(directory + "/" + name);
        if (*texture == 0 && failedFile != nullptr) *failedFile = directory + "/" + name;
        return *texture != 0;
    };
    if (!loadOne("Font.bmp", &font_) || !loadOne("Image.bmp", &image_)) return false;
    buildFont();
    return loadOne("configIcon.bmp", &icon_);
}

void GLTextureSet::buildFont() {
    fontLists_ = glGenLists(kGlyphs);
    for (int i = 0; i < kGlyphs; ++i) {
        const float s = static_cast<float>(i % kAtlasCells) * kCell;
        const float t = static_cast<float>(i / kAtlasCells) * kCell;
        glNewList(fontLists_ + i, GL_COMPILE);
        glBegin(GL_QUADS);
        glTexCoord2f(s, t + kCell);
        glVertex2i(0, 0);
        glTexCoord2f(s + kCell, t + kCell);
        glVertex2i(16, 0);
        glTexCoord2f(s + kCell, t);
        glVertex2i(16, 16);
        glTexCoord2f(s, t);
        glVertex2i(0, 16);
        glEnd();
        glTranslated(15, 0, 0);
        glEndList();
    }
}

void GLTextureSet::release() {
    if (fontLists_ != 0) glDeleteLists(fontLists_, kGlyphs);
    for (GLuint* texture : {&font_, &image_, &icon_}) {
        if (*texture != 0) glDeleteTextures(1, texture);
        *texture = 0;
    }
    fontLists_ = 0;
}

void GLTextureSet::drawText(float x, float y, float z, float size, const std::string& text) const {
    if (fontLists_ == 0 || text.empty()) return;
    glColor3f(1, 1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glTranslatef(x, y, z);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, font_);
    // Character codes start at the space: code c draws glyph c − 32 of the first 128.
    glListBase(fontLists_ - 32);
    glScalef(0.001f * size, 0.001f * size, 0.001f * size);
    glCallLists(static_cast<GLsizei>(text.size()), GL_UNSIGNED_BYTE, text.data());
    glDisable(GL_TEXTURE_2D);
    glPopMatrix();
}

}  // namespace tavlo
