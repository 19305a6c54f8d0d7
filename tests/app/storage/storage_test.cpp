// The storage rules: private folders and files whatever the umask, outputs that replace their
// target only when whole, and paths recognised as the same file through links.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include "AtomicWrite.h"
#include "FileIdentity.h"
#include "PrivateFiles.h"

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

// Every test runs with umask 0, so the modes come from the code and not from the umask.
class StorageTest : public ::testing::Test {
protected:
    void SetUp() override { umaskBefore_ = ::umask(0); }
    void TearDown() override { ::umask(umaskBefore_); }
    QString path(const QString& name) const { return dir_.filePath(name); }
    QStringList entries() const {
        return QDir(dir_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }
    QTemporaryDir dir_;
    mode_t umaskBefore_ = 0;
};

TEST_F(StorageTest, CreatedFoldersArePrivateAndExistingOnesKeepTheirMode) {
    ASSERT_TRUE(QDir().mkdir(path("shared")));
    ASSERT_EQ(::chmod(qPrintable(path("shared")), 0755), 0);
    ASSERT_TRUE(createPrivateFolder(path("shared/data/sub")));
    EXPECT_EQ(modeOf(path("shared")), 0755u);
    EXPECT_EQ(modeOf(path("shared/data")), 0700u);
    EXPECT_EQ(modeOf(path("shared/data/sub")), 0700u);
    EXPECT_TRUE(createPrivateFolder(path("shared/data")));  // already there
    ASSERT_TRUE(QFile(path("file")).open(QIODevice::WriteOnly));
    EXPECT_FALSE(createPrivateFolder(path("file/below")));
}

TEST_F(StorageTest, AtomicWritesArePrivateAndKeepTheEarlierFileOnFailure) {
    ASSERT_TRUE(writeFileAtomically(path("out.csv"), "first").isEmpty());
    EXPECT_EQ(modeOf(path("out.csv")), 0600u);
    ASSERT_EQ(::chmod(qPrintable(path("out.csv")), 0644), 0);
    ASSERT_TRUE(writeFileAtomically(path("out.csv"), "second").isEmpty());
    EXPECT_EQ(contentOf(path("out.csv")), "second");
    EXPECT_EQ(modeOf(path("out.csv")), 0600u);

    EXPECT_FALSE(writeFileAtomically(path("missing/out.csv"), "x").isEmpty());
    ASSERT_TRUE(QDir().mkdir(path("folder")));
    EXPECT_FALSE(writeFileAtomically(path("folder"), "x").isEmpty());
    EXPECT_FALSE(writeFileAtomically("/dev/null", "x").isEmpty());
    EXPECT_EQ(entries(), QStringList({"folder", "out.csv"}));
}

TEST_F(StorageTest, IniUpdatesKeepOtherKeysAndArePrivate) {
    {
        QFile ini(path("c.ini"));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("[colorSettings]\nkept=1\nchanged=old\n");
    }
    ASSERT_EQ(::chmod(qPrintable(path("c.ini")), 0644), 0);
    const QString problem = updateIniFile(path("c.ini"), [](QSettings& ini) {
        ini.setValue("colorSettings/changed", "新");
        ini.setValue("other/added", 2);
    });
    ASSERT_TRUE(problem.isEmpty()) << problem.toStdString();
    EXPECT_EQ(modeOf(path("c.ini")), 0600u);
    QSettings ini(path("c.ini"), QSettings::IniFormat);
    ini.setIniCodec("UTF-8");
    EXPECT_EQ(ini.value("colorSettings/kept").toInt(), 1);
    EXPECT_EQ(ini.value("colorSettings/changed").toString(), QString("新"));
    EXPECT_EQ(ini.value("other/added").toInt(), 2);
    EXPECT_EQ(entries(), QStringList({"c.ini"}));  // no copy or lock file left

    ASSERT_TRUE(updateIniFile(path("new/c.ini"), [](QSettings&) {}).isEmpty());
    EXPECT_EQ(modeOf(path("new")), 0700u);
    EXPECT_EQ(modeOf(path("new/c.ini")), 0600u);
}

TEST_F(StorageTest, SameFileThroughLinksButNotByName) {
    ASSERT_TRUE(writeFileAtomically(path("a.raw"), "a").isEmpty());
    ASSERT_TRUE(writeFileAtomically(path("b.raw"), "a").isEmpty());
    ASSERT_TRUE(QFile::link(path("a.raw"), path("symlink.raw")));
    ASSERT_EQ(::link(qPrintable(path("a.raw")), qPrintable(path("hard.raw"))), 0);
    EXPECT_TRUE(isSameFile(path("a.raw"), path("a.raw")));
    EXPECT_TRUE(isSameFile(path("a.raw"), dir_.path() + "/./a.raw"));
    EXPECT_TRUE(isSameFile(path("a.raw"), path("symlink.raw")));
    EXPECT_TRUE(isSameFile(path("a.raw"), path("hard.raw")));
    EXPECT_FALSE(isSameFile(path("a.raw"), path("b.raw")));
    EXPECT_FALSE(isSameFile(path("a.raw"), path("missing.raw")));
}

}  // namespace
