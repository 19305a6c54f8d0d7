#include "AppFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryFile>

#include "PrivateFiles.h"

namespace {

QString xdgOr(const QString& value, const QString& fallback) {
    return !value.isEmpty() && QDir::isAbsolutePath(value) ? value : fallback;
}

QString resourcesFor(const QString& executableDir) {
    const QString beside = executableDir + "/Resources";
    const QString installed = QDir::cleanPath(executableDir + "/../share/tessaly");
    if (!QFileInfo(beside).isDir() && QFileInfo(installed).isDir()) return installed;
    return beside;
}

}  // namespace

QString AppFolders::subjectDatabase() const { return data + "/VuziRO.db"; }

QString AppFolders::recordings() const {
    return data + (portable ? "/Resources/data/" : "/recordings/");
}

QString AppFolders::reports() const {
    return data + (portable ? "/Resources/dataReports/" : "/reports/");
}

QString AppFolders::cache() const { return data + (portable ? "/Resources/cache/" : "/cache/"); }

AppFolders resolveAppFolders(const FolderInputs& inputs, const QString& dataFolderSetting) {
    AppFolders folders;
    const QString executableDir = QDir::cleanPath(inputs.executableDir);
    if (QFileInfo(executableDir + "/" + kPortableMarker).exists()) {
        folders.portable = true;
        folders.resources = executableDir + "/Resources";
        folders.data = executableDir;
        folders.config = folders.resources;
        return folders;
    }
    folders.resources = resourcesFor(executableDir);
    folders.data =
        QDir::cleanPath(xdgOr(inputs.xdgDataHome, inputs.home + "/.local/share") + "/tessaly");
    if (!dataFolderSetting.isEmpty() && QDir::isAbsolutePath(dataFolderSetting))
        folders.data = QDir::cleanPath(dataFolderSetting);
    folders.config =
        QDir::cleanPath(xdgOr(inputs.xdgConfigHome, inputs.home + "/.config") + "/tessaly");
    return folders;
}

FolderInputs currentFolderInputs() {
    FolderInputs inputs;
    inputs.executableDir = QCoreApplication::applicationDirPath();
    inputs.home = QDir::homePath();
    inputs.xdgDataHome = qEnvironmentVariable("XDG_DATA_HOME");
    inputs.xdgConfigHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    return inputs;
}

const AppFolders& appFolders() {
    static const AppFolders folders = [] {
        const FolderInputs inputs = currentFolderInputs();
        const AppFolders defaults = resolveAppFolders(inputs);
        if (defaults.portable) return defaults;
        // Read only: asking for the setting must not create the config folder.
        const QString ini = defaults.config + "/" + kProgramIni;
        const QString setting =
            QFileInfo::exists(ini)
                ? QSettings(ini, QSettings::IniFormat).value(kDataFolderKey).toString().trimmed()
                : QString();
        return resolveAppFolders(inputs, setting);
    }();
    return folders;
}

QString configIniPath(const AppFolders& folders, const QString& fileName) {
    const QString path = folders.config + "/" + fileName;
    const QString shipped = folders.resources + "/" + fileName;
    if (QFileInfo::exists(path) || !QFileInfo(shipped).isFile() || path == shipped) return path;
    // Without a copy the INI reads as empty and the program's own defaults hold. The copy never
    // replaces a file another process has made meanwhile.
    QFile source(shipped);
    if (!createPrivateFolder(folders.config) || !source.open(QIODevice::ReadOnly)) return path;
    QTemporaryFile copy(path + ".XXXXXX");
    const QByteArray bytes = source.readAll();
    if (copy.open() && restrictToOwner(copy) && copy.write(bytes) == bytes.size() && copy.flush() &&
        QFile::rename(copy.fileName(), path))
        copy.setAutoRemove(false);
    return path;
}
