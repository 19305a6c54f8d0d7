// Small helpers shared by several views.
#pragma once

class QWidget;

// Makes `widget` a fixed square of side `side` at (margin, margin) of its parent.
void makeFixedSquare(QWidget* widget, int side, int margin);

// Waits `milliseconds` while processing events, so that deferred layouts and paints run.
void waitProcessingEvents(int milliseconds);
