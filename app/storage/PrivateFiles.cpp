#include "PrivateFiles.h"

#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace {

constexpr QFileDevice::Permissions kOwnerFolder =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;

}  // namespace

bool createPrivateFolder(const QString& path) {
    QStringList missing;  // the deepest first
    for (QString folder = QDir::cleanPath(QDir(path).absolutePath());
         !QFileInfo::exists(folder) && folder != QDir::rootPath();
         folder = QFileInfo(folder).path())
        missing.prepend(folder);
    for (const QString& folder : missing) {
        // mkdir's mode is narrowed by the umask; the permissions are set explicitly after.
        if (!QDir().mkdir(folder) && !QFileInfo(folder).isDir()) return false;
        if (!QFile::setPermissions(folder, kOwnerFolder)) return false;
    }
    return QFileInfo(path).isDir();
}

bool restrictToOwner(QFileDevice& file) {
    struct stat status {};
    const int fd = file.handle();
    if (fd < 0 || ::fstat(fd, &status) != 0) return false;
    return !S_ISREG(status.st_mode) || ::fchmod(fd, S_IRUSR | S_IWUSR) == 0;
}

bool restrictToOwner(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    struct stat status {};
    if (::stat(name.constData(), &status) != 0) return false;
    return !S_ISREG(status.st_mode) || ::chmod(name.constData(), S_IRUSR | S_IWUSR) == 0;
}
