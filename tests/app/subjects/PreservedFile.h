// Keeps a file's content (or its absence) and puts it back when the test is done, for the
// program's INI files that a main-window test cannot redirect.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

class PreservedFile {
public:
    explicit PreservedFile(const QString& path) : path_(path) {
        QFile file(path_);
        existed_ = file.open(QIODevice::ReadOnly);
        if (existed_) content_ = file.readAll();
    }
    ~PreservedFile() {
        if (!existed_) {
            QFile::remove(path_);
            return;
        }
        QFile file(path_);
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) file.write(content_);
    }
    PreservedFile(const PreservedFile&) = delete;
    PreservedFile& operator=(const PreservedFile&) = delete;

private:
    QString path_;
    bool existed_ = false;
    QByteArray content_;
};
