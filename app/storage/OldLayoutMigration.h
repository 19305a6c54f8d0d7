// The first start after the move to the user's folders: data of the old layout beside the
// executable (VuziRO.db, Resources/data, Resources/dataReports, the INI files in Resources) is
// copied into the data and config folders, the copy is verified (every file's byte count, the
// subjects database's integrity check) and a marker is left in the data folder. Nothing is
// deleted, and nothing already in the new folders is replaced.
#pragma once

#include <QString>

#include "AppFolders.h"

// The marker's name in the data folder: a migration with it there does nothing.
constexpr const char* kMigrationMarker = "migrated-from-old-layout.txt";

struct MigrationResult {
    enum class Outcome {
        NothingToDo,  // portable, already migrated, or no old data
        Migrated,
        // Nothing was copied: the old database failed its integrity check, or a copy could
        // not be made or verified (then none of it is left behind).
        Refused,
    };
    Outcome outcome = Outcome::NothingToDo;
    QString message;  // what the user is told once; empty for NothingToDo
    int files = 0;    // copied
    qint64 bytes = 0;
};

// Migrates the old layout under oldRoot (the executable's folder) into folders.
MigrationResult migrateOldLayout(const QString& oldRoot, const AppFolders& folders);

// "PRAGMA integrity_check" of the SQLite database at path, opened read-only: empty when "ok",
// else what it reported (or why it could not be opened).
QString databaseIntegrityProblem(const QString& path);
