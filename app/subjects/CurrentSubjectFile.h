// The current subject: a copy of the last confirmed choice in "ConfigUserInfo.ini", read at
// start-up and by the reports. It is not updated when the subject is later changed or deleted.
#pragma once

#include <QString>

#include "SubjectRecord.h"

// ConfigUserInfo.ini in the config folder (app::applicationIniPath).
QString currentSubjectIniPath();

// Writes the eight keys of the group "currentUser" (UTF-8). Returns false when the file could
// not be written (read-only folder, disk full).
bool writeCurrentSubject(const SubjectRecord& subject, const QString& iniPath);

// The stored subject; every missing key (or a missing file) reads as an empty text.
SubjectRecord readCurrentSubject(const QString& iniPath);
