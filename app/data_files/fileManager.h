// Shows folders and files in the desktop's own file manager.
#pragma once

#include <QString>

// Creates the directory with its parents if missing, then opens it in the file manager
// (detached; the result is not awaited). Returns the absolute path opened.
QString openDirectoryInFileManager(const QString& directory);

// Opens the folder of the file at path in the file manager with the file selected, through the
// desktop's FileManager1 D-Bus service when dbus-send is installed, else by opening the folder
// (detached; the result is not awaited).
void showFileInFileManager(const QString& path);
