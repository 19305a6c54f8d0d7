// The subject table "user" of the SQLite file "./VuziRO.db". Each dialog owns one named
// connection for its lifetime. Every subject text reaches SQLite as a bound parameter, so
// quotes and SQL fragments in names are stored as typed.
#pragma once

#include <QList>
#include <QString>
#include <optional>

#include "AppConstants.h"
#include "SubjectRecord.h"

// One row of "user", in column order.
struct StoredSubject {
    QString uniqueCode;  // MedicalRecordNo, the primary key
    QString name;
    QString gender;     // "man" or "woman"
    QString birthDate;  // "yyyy-MM-dd"
    QString height;
    QString weight;
    QString dominantSide;  // youshice
    QString affectedSide;  // huance
};

class SubjectDatabase {
public:
    explicit SubjectDatabase(const QString& connectionName,
                             const QString& databasePath = app::subjectDatabase());
    // Closes the connection and removes it by name.
    ~SubjectDatabase();
    SubjectDatabase(const SubjectDatabase&) = delete;
    SubjectDatabase& operator=(const SubjectDatabase&) = delete;

    // Opens the file (creating it) and creates the table when it is missing. Returns an empty
    // text on success, else "Failed to open VuziRO.db!" or
    // "Failed to create user table in VuziRO.db!".
    QString open();
    // Opens an existing file without creating or changing anything (for lookups outside the
    // dialogs). Returns an empty text on success, else why it cannot be used.
    QString openReadOnly();

    // Every subject in the order SQLite returns them; empty (and logged) when the query fails.
    QList<StoredSubject> listAll() const;
    // True when a subject with this code exists; false also when the query fails (logged).
    bool codeExists(const QString& uniqueCode) const;
    // The subject with this code, if any.
    std::optional<StoredSubject> find(const QString& uniqueCode) const;

    // Each returns an empty text on success, else the driver's error, which is also logged.
    QString insert(const StoredSubject& subject);
    // Changes every column except the code of the subject with subject.uniqueCode; a code
    // that is not stored is a failure.
    QString update(const StoredSubject& subject);
    QString remove(const QString& uniqueCode);

private:
    QString connectionName_;
    QString databasePath_;
};

// The subject as the dialogs hand it on: gender value kept, age from the birth date.
SubjectRecord subjectRecordOf(const StoredSubject& subject, int currentYear);
