#include "AtomicWrite.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "PrivateFiles.h"

QString openPrivateSaveFile(QSaveFile& file, QIODevice::OpenMode mode) {
    const QFileInfo target(file.fileName());
    if (target.exists() && !target.isFile()) return file.fileName() + " is not a regular file";
    if (!file.open(QIODevice::WriteOnly | mode)) return file.errorString();
    // A QSaveFile destroyed without commit() removes its temporary file.
    if (!restrictToOwner(file)) return "cannot make the file private";
    return QString();
}

QString writeFileAtomically(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    const QString problem = openPrivateSaveFile(file);
    if (!problem.isEmpty()) return problem;
    if (file.write(bytes) != bytes.size() || !file.commit()) return file.errorString();
    return QString();
}

QString updateIniFile(const QString& iniPath, const std::function<void(QSettings&)>& edit) {
    // As QSettings itself would, a missing folder is created (privately).
    if (!createPrivateFolder(QFileInfo(iniPath).absolutePath()))
        return "cannot create the folder of " + iniPath;
    // QSettings writes its file in place; it is pointed at a private copy instead.
    QTemporaryFile copy(iniPath + ".XXXXXX");
    if (!copy.open() || !restrictToOwner(copy)) return copy.errorString();
    QFile original(iniPath);
    if (original.exists()) {
        if (!original.open(QIODevice::ReadOnly)) return original.errorString();
        const QByteArray bytes = original.readAll();
        if (copy.write(bytes) != bytes.size() || !copy.flush()) return copy.errorString();
    }
    copy.close();
    {
        QSettings ini(copy.fileName(), QSettings::IniFormat);
        ini.setIniCodec("UTF-8");
        edit(ini);
        ini.sync();
        if (ini.status() != QSettings::NoError) return "cannot write " + copy.fileName();
    }
    if (std::rename(QFile::encodeName(copy.fileName()).constData(),
                    QFile::encodeName(iniPath).constData()) != 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    copy.setAutoRemove(false);  // it is the INI file now
    return QString();
}
