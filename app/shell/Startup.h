// Steps of the program's start-up that do not need a window.
#pragma once

#include <functional>

class QApplication;
class QTranslator;
class QWidget;
struct MigrationResult;
class forcePlateUILib;

// Maps the Windows Chinese UI font families that the forms name to a CJK font installed here,
// so that no Chinese text shows as boxes and PDF text stays searchable.
void installFontSubstitutions();

// Loads the Chinese translation of Qt's own dialogs and buttons (embedded in the program, else
// the system's); false when neither is there.
bool installChineseQtTranslation(QTranslator& translator);

// Removes the cache folders of recordings that are no longer in the data folder (deleted or
// renamed outside the program) and prints how many went.
void removeStaleRecordingCaches();

// Copies the data of the old layout beside the executable into the user's folders, once
// (OldLayoutMigration.h); before anything reads them.
MigrationResult migrateOldLayoutOnce();
// Tells the user what the migration did, if anything, without blocking the window.
void showMigrationMessage(QWidget* window, const MigrationResult& migration);

// Exercises the math library once and prints its series cosine of 1.
void printMathLibraryCheck();

// The whole program on application: start-up, the main window (opening the recordings named
// on the command line) until it is closed, then an orderly end: the window and its views go
// (a running recording is flushed, every acquisition thread joined) and the plate library's
// receive thread is stopped. Returns the event loop's status. whenShown, if given, runs once
// the window is shown (tests drive the program through it).
int runTessaly(QApplication& application,
               const std::function<void(forcePlateUILib&)>& whenShown = {});
