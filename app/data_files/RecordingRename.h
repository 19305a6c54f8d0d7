// Renames a recording together with its companion files: the same path with the extension
// "TRE", "csv" or "avi" instead of the recording's own.
#pragma once

#include <QString>
#include <QStringList>

const QStringList& companionExtensions();  // "TRE", "csv", "avi", in the order renamed

// The recording's new path: its folder + newName + "." + its last suffix.
QString renamedPath(const QString& path, const QString& newName);

struct RenameResult {
    enum class Status {
        Renamed,
        EmptyName,
        InvalidName,    // holds a folder separator, which would move the file elsewhere
        HiddenName,     // begins with ".", which would hide the file from every list
        TargetExists,   // a file exists at the new path (also when the name is unchanged)
        SourceMissing,  // nothing at path: nothing renamed
        RenameFailed,   // the recording itself could not be renamed; nothing changed
    };
    Status status = Status::Renamed;
    QString path;  // the recording's path afterwards
};
// Why newName cannot be a file's new name (EmptyName, InvalidName, HiddenName), or Renamed
// when it can.
RenameResult::Status newNameProblem(const QString& newName);

// Renames path to renamedPath(path, newName), then every companion with one of extensions that
// exists. A companion that cannot be renamed keeps its name; the recording is renamed all the
// same. A report has no companions: it passes an empty list.
RenameResult renameWithCompanions(const QString& path, const QString& newName,
                                  const QStringList& extensions = companionExtensions());
