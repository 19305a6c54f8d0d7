#include "RecordingCache.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include "DataFileList.h"
#include "RecordingLoader.h"

bool moveRecordingCache(const QString& cacheRoot, const QString& oldPath, const QString& newPath) {
    const QString from = recordingCacheFolder(cacheRoot, oldPath);
    const QString to = recordingCacheFolder(cacheRoot, newPath);
    if (from == to || !QFileInfo(from).isDir()) return true;
    if (!QFileInfo::exists(to) && QDir().rename(from, to)) return true;
    return QDir(from).removeRecursively();
}

bool removeRecordingCache(const QString& cacheRoot, const QString& path) {
    const QString folder = recordingCacheFolder(cacheRoot, path);
    return !QFileInfo(folder).isDir() || QDir(folder).removeRecursively();
}

QStringList staleCacheFolders(const QString& cacheRoot, const QString& dataFolder) {
    if (!QFileInfo(dataFolder).isDir()) return {};
    QSet<QString> recordings;
    for (const DataFileEntry& entry : listDataFiles(dataFolder)) recordings.insert(entry.name);
    QStringList stale;
    const QDir root(cacheRoot);
    for (const QString& name : root.entryList(
             QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::NoSymLinks, QDir::Name))
        if (!recordings.contains(name)) stale << root.absoluteFilePath(name);
    return stale;
}

int removeStaleCacheFolders(const QString& cacheRoot, const QString& dataFolder) {
    int removed = 0;
    for (const QString& folder : staleCacheFolders(cacheRoot, dataFolder))
        if (QDir(folder).removeRecursively()) ++removed;
    return removed;
}
