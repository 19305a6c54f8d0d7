// Small helpers shared by several views.
#pragma once

class QString;
class QStringList;
class QWidget;

// Makes `widget` a fixed square of side `side` at (margin, margin) of its parent.
void makeFixedSquare(QWidget* widget, int side, int margin);

// Waits `milliseconds` while processing events, so that deferred layouts and paints run.
void waitProcessingEvents(int milliseconds);

// Deletes the files at paths after delayMs, from the application's event loop (whatever
// becomes of the caller); files already gone are no error.
void removeFilesLater(const QStringList& paths, int delayMs);
