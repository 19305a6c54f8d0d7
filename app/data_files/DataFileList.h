// The recorded data files and the reports under a folder, as the browsers list them.
#pragma once

#include <QString>
#include <vector>

struct DataFileEntry {
    QString name;          // file name without its last suffix
    QString absolutePath;  // what every action on the file uses
    QString sizeText;      // size in MiB with two decimals and "M", e.g. "1.43M"
};

// Every file matching nameFilter (symbolic links left out) in directory and its subfolders, in
// ascending path order. Empty when the directory does not exist.
std::vector<DataFileEntry> listFilesUnder(const QString& directory, const QString& nameFilter);

// The recordings ("*.raw") and the reports ("*.pdf") under directory.
std::vector<DataFileEntry> listDataFiles(const QString& directory);
std::vector<DataFileEntry> listReportFiles(const QString& directory);

QString fileSizeText(qint64 bytes);
