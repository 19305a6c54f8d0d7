#include "scene_painter.h"

#include <GL/glu.h>

namespace tavlo {

bool ScenePainter::initialize(const QString& directory, QString* failedFile) {
    if (!textures_.load(directory, failedFile)) return false;
    glShadeModel(GL_SMOOTH);
    glClearColor(0.23529412f, 0.23529412f, 0.23529412f, 1);  // grey 60 of 255
    glClearDepth(1);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    return true;
}

void ScenePainter::release() {
    textures_.release();
    matrices_.release();
}

void ScenePainter::setProjection(const CamerasDraw& scene, int deviceWidth,
                                 int deviceHeight) const {
    glViewport(0, 0, deviceWidth, deviceHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(scene.fieldOfView(), scene.viewWidth() / scene.viewHeight(), scene.nearPlane(),
                   scene.farPlane());
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void ScenePainter::draw(CamerasDraw& scene, const Overlay& overlay) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();

    scene.placeEntries();
    for (int slot = 0; slot < kMaxMatrices; ++slot) {
        const CameraEntry& entry = scene.entry(slot);
        if (!entry.inUse) continue;
        glPushMatrix();
        glTranslatef(entry.centre.x, entry.centre.y, entry.centre.z);
        if (scene.mode() == DrawMode::Frame)
            drawFrameMatrix(entry, overlay.gridBorder);
        else
            drawRssiMatrix(entry);
        glPopMatrix();
    }

    if (overlay.centerCross) drawCentreCross(scene);
    if (overlay.focusFrame) drawFocusFrame(scene);
    if (!overlay.debugText.empty()) {
        const float x = (1 - scene.viewWidth() / 2) / scene.scale();
        const float y = (1 - scene.viewHeight() / 2) / scene.scale();
        textures_.drawText(x, y, scene.cameraZ(), -3 * scene.cameraZ(), overlay.debugText);
    }
}

void ScenePainter::drawFrameMatrix(const CameraEntry& entry, bool gridBorder) {
    if (!entry.cells.empty() && entry.rows != 0 && entry.columns != 0) matrices_.draw(entry);
    if (gridBorder) drawOutline(entry);
}

void ScenePainter::drawRssiMatrix(const CameraEntry& entry) {
    const float left = -entry.width / 2, right = entry.width / 2 - entry.width * (1 - entry.fill);
    const float top = entry.height / 2, bottom = -entry.height / 2;
    if (entry.selected)
        glColor3f(1, 0, 0);
    else
        glColor3f(0, 1, 0);
    glBegin(GL_QUADS);
    glVertex2f(left, top);
    glVertex2f(right, top);
    glVertex2f(right, bottom);
    glVertex2f(left, bottom);
    glEnd();
    drawOutline(entry);
}

void ScenePainter::drawOutline(const CameraEntry& entry) {
    const float x = entry.width / 2, y = entry.height / 2;
    glColor3f(0, 0, 0);
    glBegin(GL_LINE_LOOP);
    glVertex2f(-x, y);
    glVertex2f(x, y);
    glVertex2f(x, -y);
    glVertex2f(-x, -y);
    glEnd();
}

void ScenePainter::drawCentreCross(const CamerasDraw& scene) {
    const float z = scene.cameraZ();
    glColor3f(1, 0, 0);
    glBegin(GL_LINES);
    glVertex3f(-0.05f, 0, z);
    glVertex3f(0.05f, 0, z);
    glVertex3f(0, -0.05f, z);
    glVertex3f(0, 0.05f, z);
    glEnd();
}

void ScenePainter::drawFocusFrame(const CamerasDraw& scene) {
    const float x = (scene.viewWidth() / 2 - 1) / scene.scale();
    const float y = (scene.viewHeight() / 2 - 1) / scene.scale();
    const float z = scene.cameraZ();
    glColor3f(1, 0, 0);
    glLineWidth(2);
    glBegin(GL_LINE_LOOP);
    glVertex3f(-x, y, z);
    glVertex3f(x, y, z);
    glVertex3f(x, -y, z);
    glVertex3f(-x, -y, z);
    glEnd();
    glLineWidth(1);
}

}  // namespace tavlo
