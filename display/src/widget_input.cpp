// Keyboard, mouse, focus and the context menu of the widget.
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QWheelEvent>

#include "cameras_draw.h"
#include "libTavloWidget.h"

void libTavloWidget::focusInEvent(QFocusEvent* event) {
    QOpenGLWidget::focusInEvent(event);
    hasFocus_ = true;
    emit message("SetFocus for Win32 window! " + QString::fromStdString(name_), 1000);
    scheduleRedraw();
}

void libTavloWidget::focusOutEvent(QFocusEvent* event) {
    QOpenGLWidget::focusOutEvent(event);
    hasFocus_ = false;
    emit message("KillFocus for Win32 window! " + QString::fromStdString(name_), 1000);
    scheduleRedraw();
}

void libTavloWidget::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key != Qt::Key_Tab && key != Qt::Key_Backtab) emit message("Key Pressed!", 500);
    if (key == Qt::Key_M) showDebugInfo_ = !showDebugInfo_;
    if (key == Qt::Key_Space) scene_->requestRelayout();
    event->accept();
    scheduleRedraw();
}

void libTavloWidget::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    if (event->button() == Qt::LeftButton) selectAt(event->pos(), event->modifiers());
    event->accept();
}

// A double click selects nothing: only the first click of it does.
void libTavloWidget::mouseDoubleClickEvent(QMouseEvent* event) { event->accept(); }

// The view neither zooms nor scrolls, and keeps the wheel from scrolling its parents.
void libTavloWidget::wheelEvent(QWheelEvent* event) { event->accept(); }

void libTavloWidget::contextMenuEvent(QContextMenuEvent* event) {
    setFocus(Qt::OtherFocusReason);
    selectAt(event->pos(), event->modifiers());
    if (rect().contains(event->pos())) showContextMenu(event->globalPos());
    event->accept();
}

void libTavloWidget::selectAt(const QPoint& point, Qt::KeyboardModifiers modifiers) {
    scene_->selectAt(static_cast<float>(point.x()), static_cast<float>(point.y()),
                     modifiers.testFlag(Qt::ControlModifier));
    scheduleRedraw();
}

void libTavloWidget::showContextMenu(const QPoint& globalPos) {
    QMenu menu(this);
    menu.setObjectName("menu_Camera");
    const auto addMode = [&](const char* text, tavlo::DrawMode mode) {
        QAction* action = menu.addAction(text);
        action->setCheckable(true);
        action->setChecked(scene_->mode() == mode);
        connect(action, &QAction::triggered, this, [this, mode] {
            scene_->setMode(mode);
            scheduleRedraw();
        });
    };
    addMode("Frame", tavlo::DrawMode::Frame);
    addMode("RSSI", tavlo::DrawMode::Rssi);
    menu.addAction("Save Image")->setEnabled(false);
    menu.exec(globalPos);
}
