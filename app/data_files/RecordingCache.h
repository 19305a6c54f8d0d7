// The recordings' cache folders (recordingCacheFolder) follow their recordings: renamed with
// them, removed with them, and removed at start-up when their recording has gone.
#pragma once

#include <QString>
#include <QStringList>

// Moves the cache folder of the recording at oldPath to the one of newPath. When newPath's
// folder exists already (a recording of that name in another folder), the old one is removed
// instead: a cache is rebuilt whenever its recording is opened. True when no folder of oldPath
// is left (also when there was none).
// cacheRoot is the folder holding every recording's cache folder (and the report screenshots,
// which are files, not folders): app::cacheDirectory() in the program.
bool moveRecordingCache(const QString& cacheRoot, const QString& oldPath, const QString& newPath);

// Removes the cache folder of the recording at path; true when none is left.
bool removeRecordingCache(const QString& cacheRoot, const QString& path);

// The folders under cacheRoot (absolute paths, in name order; links left alone) whose name is
// the name of no recording ("*.raw", without its suffix) in dataFolder or its subfolders. None when
// dataFolder does not exist: started from a foreign working folder, the program must not empty its
// cache.
QStringList staleCacheFolders(const QString& cacheRoot, const QString& dataFolder);

// Removes staleCacheFolders(cacheRoot, dataFolder); returns how many went.
int removeStaleCacheFolders(const QString& cacheRoot, const QString& dataFolder);
