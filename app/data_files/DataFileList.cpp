#include "DataFileList.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <algorithm>

QString fileSizeText(qint64 bytes) {
    return QString::number(static_cast<double>(bytes) / 1024 / 1024, 'f', 2) + "M";
}

std::vector<DataFileEntry> listDataFiles(const QString& directory) {
    std::vector<DataFileEntry> entries;
    if (!QDir(directory).exists()) return entries;
    QDirIterator it(directory, {"*.raw"}, QDir::Files | QDir::NoSymLinks,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        entries.push_back(
            {info.completeBaseName(), info.absoluteFilePath(), fileSizeText(info.size())});
    }
    return entries;
}
