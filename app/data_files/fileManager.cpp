#include "fileManager.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include "PrivateFiles.h"

QString openDirectoryInFileManager(const QString& directory) {
    const QString absolute = QDir(directory).absolutePath();
    createPrivateFolder(absolute);
    QProcess::startDetached("xdg-open", {QDir::toNativeSeparators(absolute)});
    return absolute;
}

void showFileInFileManager(const QString& path) {
    const QFileInfo file(path);
    const QString dbusSend = QStandardPaths::findExecutable("dbus-send");
    if (!dbusSend.isEmpty() && file.exists()) {
        QProcess::startDetached(
            dbusSend,
            {"--session", "--dest=org.freedesktop.FileManager1", "--type=method_call",
             "/org/freedesktop/FileManager1", "org.freedesktop.FileManager1.ShowItems",
             "array:string:" + QUrl::fromLocalFile(file.absoluteFilePath()).toString(), "string:"});
        return;
    }
    QProcess::startDetached("xdg-open", {QDir::toNativeSeparators(file.absolutePath())});
}
