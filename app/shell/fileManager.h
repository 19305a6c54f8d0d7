// Shows folders and files in the desktop's own file manager.
#pragma once

#include <QString>

// Creates the directory with its parents if missing, then opens it in the file manager
// (detached; the result is not awaited). Returns the absolute path opened.
QString openDirectoryInFileManager(const QString& directory);
