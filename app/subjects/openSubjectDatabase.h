// Opening the subject database for a dialog, where a failure ends the program.
#pragma once

#include <QString>
#include <memory>

#include "AppConstants.h"
#include "SubjectDatabase.h"

// The open connection called connectionName. When the file cannot be opened or the table
// cannot be created, the message is logged, shown in a box, and the program ends with exit
// code 1: the subject dialogs cannot work without their table.
std::unique_ptr<SubjectDatabase> openSubjectDatabase(
    const QString& connectionName, const QString& databasePath = app::subjectDatabase());
