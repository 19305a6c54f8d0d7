// OpenGL 1.x drawing of a scene: the matrices in Frame or RSSI mode, the centre cross, the
// focus frame and the debug text. Every call needs the widget's context current.
#pragma once

#include <QString>
#include <string>

#include "cameras_draw.h"
#include "gl_texture_set.h"
#include "matrix_textures.h"

namespace tavlo {

// What the widget draws over the matrices, and the outline flag of Frame mode.
struct Overlay {
    bool centerCross = false;
    bool gridBorder = false;
    bool focusFrame = false;
    std::string debugText;  // empty: none
};

class ScenePainter {
public:
    // Loads the bitmaps from directory and sets the fixed GL state. Returns false and names
    // the file in failedFile when a bitmap cannot be read.
    bool initialize(const QString& directory, QString* failedFile);
    // Deletes every texture and list; the painter can be initialized again afterwards.
    void release();

    // Viewport in device pixels and the scene's perspective projection.
    void setProjection(const CamerasDraw& scene, int deviceWidth, int deviceHeight) const;
    // Clears and draws everything; places the scene's matrices first.
    void draw(CamerasDraw& scene, const Overlay& overlay);

private:
    void drawFrameMatrix(const CameraEntry& entry, bool gridBorder);
    static void drawRssiMatrix(const CameraEntry& entry);
    static void drawOutline(const CameraEntry& entry);
    static void drawCentreCross(const CamerasDraw& scene);
    static void drawFocusFrame(const CamerasDraw& scene);

    GLTextureSet textures_;
    MatrixTextures matrices_;
};

}  // namespace tavlo
