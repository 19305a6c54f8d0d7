// The user's folders: how they are resolved (XDG variables, portable marker, installed layout,
// the data folder setting), INI files starting from the shipped defaults, and the first start's
// migration of the old layout beside the executable.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QVariant>

#include "AppFolders.h"
#include "OldLayoutMigration.h"

namespace {

mode_t modeOf(const QString& path) {
    struct stat status {};
    EXPECT_EQ(::stat(qPrintable(path), &status), 0) << path.toStdString();
    return status.st_mode & 0777;
}

QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Every file under root (relative path → SHA-1), to see that a place is left untouched.
QMap<QString, QByteArray> snapshot(const QString& root) {
    QMap<QString, QByteArray> files;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files[QDir(root).relativeFilePath(path)] =
            QCryptographicHash::hash(contentOf(path), QCryptographicHash::Sha1);
    }
    return files;
}

// A subjects database with enough rows to span several pages.
bool writeDatabase(const QString& path) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "fixture");
        db.setDatabaseName(path);
        ok = db.open();
        QSqlQuery query(db);
        ok = ok && db.transaction() &&
             query.exec("CREATE TABLE user (uniqueCode TEXT PRIMARY KEY, name TEXT)");
        for (int i = 0; ok && i < 400; ++i) {
            query.prepare("INSERT INTO user VALUES (?, ?)");
            query.addBindValue(QString("P%1").arg(i));
            query.addBindValue(QString(200, QChar('a' + i % 26)));
            ok = query.exec();
        }
        ok = ok && db.commit();
        db.close();
    }
    QSqlDatabase::removeDatabase("fixture");
    return ok;
}

struct FolderCase {
    const char* name;
    const char* xdgData;    // "" unset
    const char* xdgConfig;  // "" unset
    const char* layout;     // "beside": <exe>/Resources; "installed": <exe>/../share/tessaly
    bool portable;
    const char* dataSetting;
    // Expected, with ROOT for the temporary folder's path.
    const char* data;
    const char* config;
    const char* resources;
    const char* recordings;
};

class FolderResolution : public ::testing::TestWithParam<FolderCase> {};

TEST_P(FolderResolution, FollowsXdgPortableAndInstalledLayouts) {
    const FolderCase& c = GetParam();
    QTemporaryDir dir;
    const QString root = dir.path();
    const auto expand = [&](const char* text) { return QString(text).replace("ROOT", root); };
    const QString exe =
        QString(c.layout) == QString("installed") ? root + "/usr/bin" : root + "/app";
    QDir().mkpath(exe);
    if (QString(c.layout) == "installed") QDir().mkpath(root + "/usr/share/tessaly");
    if (QString(c.layout) == "beside") QDir().mkpath(exe + "/Resources");
    if (c.portable) writeFile(exe + "/portable", "");

    const AppFolders folders = resolveAppFolders(
        {exe, root + "/home", expand(c.xdgData), expand(c.xdgConfig)}, expand(c.dataSetting));
    EXPECT_EQ(folders.portable, c.portable);
    EXPECT_EQ(folders.data, expand(c.data));
    EXPECT_EQ(folders.config, expand(c.config));
    EXPECT_EQ(folders.resources, expand(c.resources));
    EXPECT_EQ(folders.recordings(), expand(c.recordings));
}

INSTANTIATE_TEST_SUITE_P(
    AppFolders, FolderResolution,
    ::testing::Values(
        FolderCase{"xdg_unset", "", "", "beside", false, "", "ROOT/home/.local/share/tessaly",
                   "ROOT/home/.config/tessaly", "ROOT/app/Resources",
                   "ROOT/home/.local/share/tessaly/recordings/"},
        FolderCase{"xdg_set", "ROOT/d", "ROOT/c", "beside", false, "", "ROOT/d/tessaly",
                   "ROOT/c/tessaly", "ROOT/app/Resources", "ROOT/d/tessaly/recordings/"},
        // Relative values are invalid for XDG and ignored.
        FolderCase{"xdg_relative", "d", "c", "beside", false, "", "ROOT/home/.local/share/tessaly",
                   "ROOT/home/.config/tessaly", "ROOT/app/Resources",
                   "ROOT/home/.local/share/tessaly/recordings/"},
        FolderCase{"installed", "", "", "installed", false, "", "ROOT/home/.local/share/tessaly",
                   "ROOT/home/.config/tessaly", "ROOT/usr/share/tessaly",
                   "ROOT/home/.local/share/tessaly/recordings/"},
        FolderCase{"data_folder_setting", "ROOT/d", "", "beside", false, "ROOT/mine", "ROOT/mine",
                   "ROOT/home/.config/tessaly", "ROOT/app/Resources", "ROOT/mine/recordings/"},
        FolderCase{"relative_setting_ignored", "ROOT/d", "", "beside", false, "mine",
                   "ROOT/d/tessaly", "ROOT/home/.config/tessaly", "ROOT/app/Resources",
                   "ROOT/d/tessaly/recordings/"},
        // The old layout, whatever the XDG variables and the setting say.
        FolderCase{"portable", "ROOT/d", "ROOT/c", "beside", true, "ROOT/mine", "ROOT/app",
                   "ROOT/app/Resources", "ROOT/app/Resources", "ROOT/app/Resources/data/"}),
    [](const ::testing::TestParamInfo<FolderCase>& info) { return info.param.name; });

TEST(ConfigIni, StartsAsAPrivateCopyOfTheShippedDefaultAndIsThenKept) {
    QTemporaryDir dir;
    AppFolders folders;
    folders.resources = dir.filePath("share");
    folders.config = dir.filePath("config/tessaly");
    ASSERT_TRUE(writeFile(folders.resources + "/ConfigReport.ini", "[report]\nmaker=A\n"));

    const QString path = configIniPath(folders, "ConfigReport.ini");
    EXPECT_EQ(path, folders.config + "/ConfigReport.ini");
    EXPECT_EQ(contentOf(path), QByteArray("[report]\nmaker=A\n"));
    EXPECT_EQ(modeOf(path), 0600u);
    EXPECT_EQ(modeOf(folders.config), 0700u);

    // The user's copy is never replaced by the default.
    ASSERT_TRUE(writeFile(path, "[report]\nmaker=B\n"));
    configIniPath(folders, "ConfigReport.ini");
    EXPECT_EQ(contentOf(path), QByteArray("[report]\nmaker=B\n"));

    // No default shipped: the path, and nothing written.
    EXPECT_EQ(configIniPath(folders, "Tessaly.ini"), folders.config + "/Tessaly.ini");
    EXPECT_FALSE(QFileInfo::exists(folders.config + "/Tessaly.ini"));
}

class Migration : public ::testing::Test {
protected:
    void SetUp() override {
        old_ = dir_.filePath("app");
        folders_ = resolveAppFolders({old_, dir_.filePath("home"), {}, {}});
        ASSERT_TRUE(writeDatabase(old_ + "/VuziRO.db"));
        ASSERT_TRUE(writeFile(old_ + "/Resources/data/20240131_094512345.raw", "frames"));
        ASSERT_TRUE(writeFile(old_ + "/Resources/data/sub/b.raw", QByteArray(5000, 'b')));
        ASSERT_TRUE(writeFile(old_ + "/Resources/dataReports/20240131_100000.pdf", "%PDF"));
        ASSERT_TRUE(writeFile(old_ + "/Resources/ConfigUserInfo.ini", "[user]\ncode=P1\n"));
        ASSERT_TRUE(writeFile(old_ + "/Resources/ConfigReport.ini", "[report]\nmaker=A\n"));
        ASSERT_TRUE(writeFile(old_ + "/Resources/images/logo.png", "picture"));
    }
    QString home() const { return dir_.filePath("home"); }
    QTemporaryDir dir_;
    QString old_;
    AppFolders folders_;
};

TEST_F(Migration, CopiesVerifiesOnceAndDeletesNothing) {
    const auto before = snapshot(old_);
    const MigrationResult first = migrateOldLayout(old_, folders_);
    ASSERT_EQ(first.outcome, MigrationResult::Outcome::Migrated) << first.message.toStdString();
    EXPECT_EQ(first.files, 6);
    EXPECT_TRUE(first.message.contains("已将旧版本的数据")) << first.message.toStdString();
    EXPECT_EQ(snapshot(old_), before);

    const struct {
        const char* from;
        QString to;
    } moved[] = {
        {"VuziRO.db", folders_.subjectDatabase()},
        {"Resources/data/20240131_094512345.raw", folders_.recordings() + "20240131_094512345.raw"},
        {"Resources/data/sub/b.raw", folders_.recordings() + "sub/b.raw"},
        {"Resources/dataReports/20240131_100000.pdf", folders_.reports() + "20240131_100000.pdf"},
        {"Resources/ConfigUserInfo.ini", folders_.config + "/ConfigUserInfo.ini"},
        {"Resources/ConfigReport.ini", folders_.config + "/ConfigReport.ini"}};
    qint64 bytes = 0;
    for (const auto& m : moved) {
        EXPECT_EQ(contentOf(m.to), contentOf(old_ + "/" + m.from)) << m.from;
        EXPECT_EQ(modeOf(m.to), 0600u) << m.from;
        bytes += QFileInfo(m.to).size();
    }
    EXPECT_EQ(first.bytes, bytes);
    EXPECT_EQ(modeOf(folders_.data), 0700u);
    EXPECT_EQ(modeOf(folders_.recordings() + "sub"), 0700u);
    EXPECT_TRUE(databaseIntegrityProblem(folders_.subjectDatabase()).isEmpty());
    EXPECT_TRUE(QFileInfo::exists(folders_.data + "/" + kMigrationMarker));
    // Pictures are resources, not data; no staging folder is left.
    QStringList entries =
        QDir(folders_.data).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    entries.sort();
    EXPECT_EQ(entries, (QStringList{"VuziRO.db", kMigrationMarker, "recordings", "reports"}));

    // A second start does nothing, even with new files in the old place.
    ASSERT_TRUE(writeFile(old_ + "/Resources/data/later.raw", "later"));
    const auto after = snapshot(home());
    const MigrationResult second = migrateOldLayout(old_, folders_);
    EXPECT_EQ(second.outcome, MigrationResult::Outcome::NothingToDo);
    EXPECT_TRUE(second.message.isEmpty());
    EXPECT_EQ(snapshot(home()), after);
}

TEST_F(Migration, KeepsWhatTheNewFoldersHoldAlready) {
    ASSERT_TRUE(writeFile(folders_.config + "/ConfigUserInfo.ini", "[user]\ncode=NEW\n"));
    const MigrationResult result = migrateOldLayout(old_, folders_);
    ASSERT_EQ(result.outcome, MigrationResult::Outcome::Migrated);
    EXPECT_EQ(result.files, 5);
    EXPECT_EQ(contentOf(folders_.config + "/ConfigUserInfo.ini"), QByteArray("[user]\ncode=NEW\n"));
}

TEST_F(Migration, DamagedDatabaseStopsItAndLeavesBothPlacesUntouched) {
    // Garbage over the second page (a table page): the file opens, the integrity check fails.
    QFile db(old_ + "/VuziRO.db");
    ASSERT_TRUE(db.open(QIODevice::ReadWrite));
    ASSERT_GT(db.size(), 3 * 4096);
    db.seek(4096);
    db.write(QByteArray(4096, '\x5a'));
    db.close();
    ASSERT_FALSE(databaseIntegrityProblem(old_ + "/VuziRO.db").isEmpty());

    const auto before = snapshot(old_);
    const MigrationResult result = migrateOldLayout(old_, folders_);
    EXPECT_EQ(result.outcome, MigrationResult::Outcome::Refused);
    EXPECT_TRUE(result.message.contains("未通过完整性检查")) << result.message.toStdString();
    EXPECT_EQ(snapshot(old_), before);
    EXPECT_FALSE(QFileInfo::exists(home()));  // nothing created, no partial copy
}

TEST_F(Migration, NothingToDoWithoutOldDataOrWhenPortable) {
    QTemporaryDir empty;
    const AppFolders elsewhere = resolveAppFolders({empty.path(), dir_.filePath("home"), {}, {}});
    EXPECT_EQ(migrateOldLayout(empty.path(), elsewhere).outcome,
              MigrationResult::Outcome::NothingToDo);
    ASSERT_TRUE(writeFile(old_ + "/portable", ""));
    const AppFolders portable = resolveAppFolders({old_, dir_.filePath("home"), {}, {}});
    EXPECT_EQ(migrateOldLayout(old_, portable).outcome, MigrationResult::Outcome::NothingToDo);
    EXPECT_FALSE(QFileInfo::exists(home()));
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);  // for the SQLite driver
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
