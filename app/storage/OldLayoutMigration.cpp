#include "OldLayoutMigration.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QTemporaryDir>
#include <vector>

#include "AtomicWrite.h"
#include "PrivateFiles.h"

namespace {

// INI files only the user's use writes: any of them means there is something to migrate.
const char* const kUserIniFiles[] = {"ConfigUserInfo.ini", "ConfigColor.ini", "ConfigAnalysis.ini",
                                     "Tessaly.ini"};
// Shipped, but the user may have edited it: copied along.
const char* const kShippedIniFile = "ConfigReport.ini";

struct Copy {
    QString source;
    QString target;
};

// Every file under folder (links left alone), to the same relative path under target.
void addFolder(const QString& folder, const QString& target, std::vector<Copy>& copies) {
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::NoSymLinks,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        copies.push_back({path, QDir(target).filePath(QDir(folder).relativeFilePath(path))});
    }
}

bool isFile(const QString& path) {
    const QFileInfo info(path);
    return info.isFile() && !info.isSymLink();
}

// The old layout's files, each with where it goes. found: whether any user data is there.
std::vector<Copy> oldLayoutFiles(const QString& oldRoot, const AppFolders& folders, bool& found) {
    std::vector<Copy> copies;
    const QString database = oldRoot + "/VuziRO.db";
    if (isFile(database)) copies.push_back({database, folders.subjectDatabase()});
    addFolder(oldRoot + "/Resources/data", folders.recordings(), copies);
    addFolder(oldRoot + "/Resources/dataReports", folders.reports(), copies);
    for (const char* name : kUserIniFiles)
        if (isFile(oldRoot + "/Resources/" + name))
            copies.push_back({oldRoot + "/Resources/" + name, folders.config + "/" + name});
    found = !copies.empty();
    const QString shipped = oldRoot + "/Resources/" + kShippedIniFile;
    if (found && isFile(shipped))
        copies.push_back({shipped, folders.config + "/" + kShippedIniFile});
    return copies;
}

QString copyPrivately(const QString& source, const QString& target) {
    if (!createPrivateFolder(QFileInfo(target).absolutePath()))
        return "cannot create the folder of " + target;
    if (!QFile::copy(source, target)) return "cannot copy " + source + " to " + target;
    if (!restrictToOwner(target)) return "cannot make " + target + " private";
    if (QFileInfo(target).size() != QFileInfo(source).size())
        return target + " does not hold the bytes of " + source;
    return QString();
}

MigrationResult refused(const QString& message) {
    MigrationResult result;
    result.outcome = MigrationResult::Outcome::Refused;
    result.message = message;
    return result;
}

}  // namespace

QString databaseIntegrityProblem(const QString& path) {
    const QString connection = "integrity-check-" + path;
    QString problem;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", connection);
        db.setDatabaseName(path);
        db.setConnectOptions("QSQLITE_OPEN_READONLY");
        if (!db.open()) {
            problem = "cannot open " + path;
        } else {
            QSqlQuery query(db);
            QStringList report;
            if (!query.exec("PRAGMA integrity_check")) report << query.lastError().text();
            while (query.next()) report << query.value(0).toString();
            if (report != QStringList{"ok"}) problem = report.join("; ");
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(connection);
    return problem;
}

MigrationResult migrateOldLayout(const QString& oldRoot, const AppFolders& folders) {
    MigrationResult result;
    if (folders.portable || QFileInfo::exists(folders.data + "/" + kMigrationMarker)) return result;
    bool found = false;
    std::vector<Copy> copies = oldLayoutFiles(oldRoot, folders, found);
    if (!found) return result;

    // A damaged database is not carried over: the user decides first, and nothing moves.
    const QString oldDatabase = oldRoot + "/VuziRO.db";
    if (isFile(oldDatabase)) {
        const QString problem = databaseIntegrityProblem(oldDatabase);
        if (!problem.isEmpty())
            return refused(QString("旧版本的受试者数据库 %1 未通过完整性检查（%2），数据未迁移，"
                                   "原处和新位置均保持不变。")
                               .arg(QDir::toNativeSeparators(oldDatabase), problem));
    }

    // What is in the new folders already stays as it is.
    std::vector<Copy> pending;
    for (const Copy& copy : copies)
        if (!QFileInfo::exists(copy.target)) pending.push_back(copy);

    // Everything is copied and verified in a staging folder first, then moved into place; a
    // failure leaves no part of the copy behind.
    const bool dataFolderExisted = QFileInfo::exists(folders.data);
    if (!createPrivateFolder(folders.data))
        return refused("无法创建数据文件夹 " + folders.data + "，数据未迁移。");
    QTemporaryDir staging(folders.data + "/.migration-XXXXXX");
    QString problem = staging.isValid() ? QString() : staging.errorString();
    std::vector<QString> staged;
    for (std::size_t i = 0; problem.isEmpty() && i < pending.size(); ++i) {
        staged.push_back(staging.filePath(QString::number(i)));
        problem = copyPrivately(pending[i].source, staged.back());
        if (problem.isEmpty() && pending[i].target == folders.subjectDatabase())
            problem = databaseIntegrityProblem(staged.back());
    }
    for (std::size_t i = 0; problem.isEmpty() && i < pending.size(); ++i) {
        if (!createPrivateFolder(QFileInfo(pending[i].target).absolutePath()) ||
            !QFile::rename(staged[i], pending[i].target))
            problem = "cannot move the copy into " + pending[i].target;
        else
            result.bytes += QFileInfo(pending[i].target).size();
    }
    if (!problem.isEmpty()) {
        staging.remove();
        if (!dataFolderExisted) QDir().rmdir(folders.data);
        return refused("旧版本的数据无法复制到 " + folders.data + "（" + problem +
                       "），数据未迁移，原处保持不变。");
    }
    result.files = static_cast<int>(pending.size());

    QByteArray marker = "Copied from " + QFile::encodeName(oldRoot) + ": " +
                        QByteArray::number(result.files) + " files, " +
                        QByteArray::number(result.bytes) + " bytes. The originals are kept.\n";
    for (const Copy& copy : pending) marker += QFile::encodeName(copy.target) + "\n";
    writeFileAtomically(folders.data + "/" + kMigrationMarker, marker);

    result.outcome = MigrationResult::Outcome::Migrated;
    result.message =
        QString(
            "已将旧版本的数据（%1 个文件，%2 字节）从 %3 复制到 %4 和 %5，"
            "并已核对。原来的文件保持不变。")
            .arg(result.files)
            .arg(result.bytes)
            .arg(QDir::toNativeSeparators(oldRoot), QDir::toNativeSeparators(folders.data),
                 QDir::toNativeSeparators(folders.config));
    return result;
}
