#include "fileManager.h"

#include <QDir>
#include <QProcess>

QString openDirectoryInFileManager(const QString& directory) {
    const QString absolute = QDir(directory).absolutePath();
    QDir().mkpath(absolute);
    QProcess::startDetached("xdg-open", {QDir::toNativeSeparators(absolute)});
    return absolute;
}
