#include "DataFileList.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <algorithm>

QString fileSizeText(qint64 bytes) {
    return QString::number(static_cast<double>(bytes) / 1024 / 1024, 'f', 2) + "M";
}

std::vector<DataFileEntry> listFilesUnder(const QString& directory, const QString& nameFilter) {
    std::vector<DataFileEntry> entries;
    if (!QDir(directory).exists()) return entries;
    QDirIterator it(directory, {nameFilter}, QDir::Files | QDir::NoSymLinks,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        entries.push_back(
            {info.completeBaseName(), info.absoluteFilePath(), fileSizeText(info.size())});
    }
    // The directory walk has no defined order; the browsers number their rows from it.
    std::sort(entries.begin(), entries.end(), [](const DataFileEntry& a, const DataFileEntry& b) {
        return a.absolutePath < b.absolutePath;
    });
    return entries;
}

std::vector<DataFileEntry> listDataFiles(const QString& directory) {
    return listFilesUnder(directory, "*.raw");
}

std::vector<DataFileEntry> listReportFiles(const QString& directory) {
    return listFilesUnder(directory, "*.pdf");
}
