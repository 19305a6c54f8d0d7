// Recordings, reports, subjects and settings are personal health data: the folders the program
// creates are open to their owner only (0700) and so are the files it writes (0600), whatever
// the umask.
#pragma once

#include <QFileDevice>
#include <QString>

// Creates path and each missing folder above it with mode 0700; folders that already exist
// keep their mode. True when path is a folder afterwards.
bool createPrivateFolder(const QString& path);

// Sets the open file (for a QSaveFile: its temporary file) to mode 0600. Only regular files
// are changed: a device such as /dev/null stays as it is.
bool restrictToOwner(QFileDevice& file);
// The same for the file at path.
bool restrictToOwner(const QString& path);
