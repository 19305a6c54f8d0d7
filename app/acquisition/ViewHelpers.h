// Small helpers shared by several views.
#pragma once

class QString;
class QStringList;
class QWidget;

// Makes `widget` a fixed square of side `side` at (margin, margin) of its parent.
void makeFixedSquare(QWidget* widget, int side, int margin);

// Puts `content`, the one widget of its parent's layout, into a frameless scroll area in its
// place: on a screen too small for the content the page scrolls instead of making the whole
// window taller than the screen; with room enough nothing changes.
void scrollWhenTooSmall(QWidget* content);

// Waits `milliseconds` while processing events, so that deferred layouts and paints run.
void waitProcessingEvents(int milliseconds);

// Deletes the files at paths after delayMs, from the application's event loop (whatever
// becomes of the caller); files already gone are no error.
void removeFilesLater(const QStringList& paths, int delayMs);
