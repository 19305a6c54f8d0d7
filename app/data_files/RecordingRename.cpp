#include "RecordingRename.h"

#include <QFile>
#include <QFileInfo>

namespace {

QString companionPath(const QString& recordingPath, const QString& extension) {
    const QFileInfo info(recordingPath);
    return info.path() + "/" + info.completeBaseName() + "." + extension;
}

}  // namespace

const QStringList& companionExtensions() {
    static const QStringList extensions{"TRE", "csv", "avi"};
    return extensions;
}

QString renamedPath(const QString& path, const QString& newName) {
    const QFileInfo info(path);
    return info.path() + "/" + newName + "." + info.suffix();
}

RenameResult::Status newNameProblem(const QString& newName) {
    if (newName.isEmpty()) return RenameResult::Status::EmptyName;
    if (newName.contains('/') || newName.contains('\\')) return RenameResult::Status::InvalidName;
    if (newName.startsWith('.')) return RenameResult::Status::HiddenName;
    return RenameResult::Status::Renamed;
}

RenameResult renameWithCompanions(const QString& path, const QString& newName,
                                  const QStringList& extensions) {
    RenameResult result{newNameProblem(newName), path};
    if (result.status != RenameResult::Status::Renamed) return result;
    const QString target = renamedPath(path, newName);
    if (QFileInfo::exists(target)) {
        result.status = RenameResult::Status::TargetExists;
        return result;
    }
    if (!QFileInfo::exists(path)) {
        result.status = RenameResult::Status::SourceMissing;
        return result;
    }
    if (!QFile::rename(path, target)) {
        result.status = RenameResult::Status::RenameFailed;
        return result;
    }
    for (const QString& extension : extensions) {
        const QString companion = companionPath(path, extension);
        if (QFileInfo::exists(companion))
            QFile::rename(companion, companionPath(target, extension));
    }
    result.path = target;
    return result;
}
