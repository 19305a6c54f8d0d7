#include "SubjectDatabase.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <cstdio>

#include "PrivateFiles.h"

namespace {

const char* const kCreateTable =
    "CREATE TABLE IF NOT EXISTS 'user' ( 'MedicalRecordNo' TEXT NOT NULL, 'name' TEXT NOT "
    "NULL, 'sex' TEXT NOT NULL, 'birthdate' TEXT NOT NULL, 'height' TEXT NOT NULL, 'weight' "
    "TEXT NOT NULL, 'youshice' TEXT NOT NULL, 'huance' TEXT NOT NULL, CONSTRAINT user_pk "
    "PRIMARY KEY(MedicalRecordNo) )";
const char* const kSelectAll = "SELECT * FROM user";
const char* const kSelectByCode = "SELECT * FROM user where MedicalRecordNo=? ";
const char* const kInsert =
    "INSERT INTO user (MedicalRecordNo, name, sex, birthdate, height, weight, youshice, "
    "huance) VALUES (:MedicalRecordNo, :name, :sex, :birthdate, :height, :weight, :youshice, "
    ":huance)";
const char* const kUpdate =
    "update user set name=?,sex=?,birthdate=?,height=?,weight=?,youshice=?,huance=? where "
    "MedicalRecordNo=?";
const char* const kDelete = "DELETE FROM user WHERE (MedicalRecordNo=?)";

StoredSubject subjectAt(const QSqlQuery& query) {
    auto text = [&](int column) { return query.value(column).toString(); };
    return {text(0), text(1), text(2), text(3), text(4), text(5), text(6), text(7)};
}

void logFailure(const char* what, const QSqlQuery& query) {
    std::printf("%s%s\r\n", what, query.lastError().text().toLocal8Bit().constData());
}

}  // namespace

SubjectDatabase::SubjectDatabase(const QString& connectionName, const QString& databasePath)
    : connectionName_(connectionName), databasePath_(databasePath) {
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", connectionName_);
    db.setDatabaseName(databasePath);
}

SubjectDatabase::~SubjectDatabase() {
    // The handle must be gone before the connection can be removed without a warning.
    QSqlDatabase::database(connectionName_, false).close();
    QSqlDatabase::removeDatabase(connectionName_);
}

QString SubjectDatabase::open() {
    QSqlDatabase db = QSqlDatabase::database(connectionName_, false);
    const bool created = !QFileInfo::exists(databasePath_);
    // The data folder may not exist yet on a first start.
    if (created) createPrivateFolder(QFileInfo(databasePath_).absolutePath());
    if (!db.open()) return "Failed to open VuziRO.db!";
    if (created) restrictToOwner(databasePath_);  // before any subject is stored
    if (db.tables(QSql::Tables).contains("user")) return QString();
    QSqlQuery create(db);
    if (!create.exec(kCreateTable)) return "Failed to create user table in VuziRO.db!";
    return QString();
}

QString SubjectDatabase::openReadOnly() {
    if (!QFileInfo(databasePath_).isFile()) return databasePath_ + " does not exist";
    QSqlDatabase db = QSqlDatabase::database(connectionName_, false);
    db.setConnectOptions("QSQLITE_OPEN_READONLY");
    if (!db.open()) return "Failed to open VuziRO.db!";
    if (!db.tables(QSql::Tables).contains("user")) return databasePath_ + " holds no user table";
    return QString();
}

SubjectRecord subjectRecordOf(const StoredSubject& s, int currentYear) {
    return {s.uniqueCode,   s.name,
            s.gender,       QString::number(subjectAge(s.birthDate, currentYear)),
            s.height,       s.weight,
            s.dominantSide, s.affectedSide};
}

QList<StoredSubject> SubjectDatabase::listAll() const {
    QSqlQuery query(QSqlDatabase::database(connectionName_, false));
    QList<StoredSubject> subjects;
    if (!query.exec(kSelectAll)) {
        logFailure("Failed to list users with error ", query);
        return subjects;
    }
    while (query.next()) subjects << subjectAt(query);
    return subjects;
}

bool SubjectDatabase::codeExists(const QString& uniqueCode) const {
    return find(uniqueCode).has_value();
}

std::optional<StoredSubject> SubjectDatabase::find(const QString& uniqueCode) const {
    QSqlQuery query(QSqlDatabase::database(connectionName_, false));
    query.prepare(kSelectByCode);
    query.addBindValue(uniqueCode);
    if (!query.exec()) {
        logFailure("Failed to look up user with error ", query);
        return std::nullopt;
    }
    if (!query.next()) return std::nullopt;
    return subjectAt(query);
}

QString SubjectDatabase::insert(const StoredSubject& subject) {
    QSqlQuery query(QSqlDatabase::database(connectionName_, false));
    query.prepare(kInsert);
    query.bindValue(":MedicalRecordNo", subject.uniqueCode);
    query.bindValue(":name", subject.name);
    query.bindValue(":sex", subject.gender);
    query.bindValue(":birthdate", subject.birthDate);
    query.bindValue(":height", subject.height);
    query.bindValue(":weight", subject.weight);
    query.bindValue(":youshice", subject.dominantSide);
    query.bindValue(":huance", subject.affectedSide);
    if (query.exec()) return QString();
    logFailure("Failed to insert new user with error ", query);
    return query.lastError().text();
}

QString SubjectDatabase::update(const StoredSubject& subject) {
    QSqlQuery query(QSqlDatabase::database(connectionName_, false));
    query.prepare(kUpdate);
    for (const QString& value :
         {subject.name, subject.gender, subject.birthDate, subject.height, subject.weight,
          subject.dominantSide, subject.affectedSide, subject.uniqueCode})
        query.addBindValue(value);
    if (!query.exec()) {
        logFailure("Failed to update user info! ", query);
        return query.lastError().text();
    }
    if (query.numRowsAffected() == 0) {
        std::printf("Failed to update user info! no user %s\r\n",
                    subject.uniqueCode.toLocal8Bit().constData());
        return QString("no subject with the code %1").arg(subject.uniqueCode);
    }
    return QString();
}

QString SubjectDatabase::remove(const QString& uniqueCode) {
    QSqlQuery query(QSqlDatabase::database(connectionName_, false));
    query.prepare(kDelete);
    query.addBindValue(uniqueCode);
    if (query.exec()) return QString();
    logFailure("Failed to delete user with error ", query);
    return query.lastError().text();
}
