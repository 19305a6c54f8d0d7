// The recordings' cache folders following their recordings: stale folders found and removed,
// folders moved and removed with their recordings.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "RecordingCache.h"
#include "RecordingLoader.h"
#include "recording_fixtures.h"

namespace {

struct StaleCase {
    const char* name;
    QStringList dataFiles;     // under the data folder
    QStringList cacheFolders;  // under the cache root
    QStringList stale;         // expected, names under the cache root
    bool dataFolderExists = true;
};

class StaleCacheTest : public ::testing::TestWithParam<StaleCase> {};

TEST_P(StaleCacheTest, FoldersWithoutRecordingGo) {
    const StaleCase& c = GetParam();
    QTemporaryDir dir;
    const QString data = dir.filePath("Resources/data");
    const QString cacheRoot = dir.filePath("Resources/cache");
    if (c.dataFolderExists) ASSERT_TRUE(QDir().mkpath(data));
    for (const QString& file : c.dataFiles) ASSERT_TRUE(writeFile(data + "/" + file, "x"));
    for (const QString& folder : c.cacheFolders)
        ASSERT_TRUE(writeFile(cacheRoot + "/" + folder + "/analysis.jpg", "jpg"));
    // Report screenshots lie at the root as files, never folders.
    ASSERT_TRUE(writeFile(cacheRoot + "/20240131_094512_tab1.png", "png"));

    QStringList expected;
    for (const QString& name : c.stale) expected << QDir(cacheRoot).absoluteFilePath(name);
    EXPECT_EQ(staleCacheFolders(cacheRoot, data), expected);

    EXPECT_EQ(removeStaleCacheFolders(cacheRoot, data), c.stale.size());
    for (const QString& folder : c.cacheFolders)
        EXPECT_EQ(QFileInfo::exists(cacheRoot + "/" + folder), !c.stale.contains(folder))
            << folder.toStdString();
    EXPECT_TRUE(QFileInfo::exists(cacheRoot + "/20240131_094512_tab1.png"));
    EXPECT_TRUE(staleCacheFolders(cacheRoot, data).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    RecordingCache, StaleCacheTest,
    ::testing::Values(
        StaleCase{"every_folder_has_its_recording", {"a.raw", "b.raw"}, {"a", "b"}, {}},
        StaleCase{"deleted_recordings", {"a.raw"}, {"a", "b", "c"}, {"b", "c"}},
        StaleCase{"recording_in_a_subfolder", {"sub/deep.raw"}, {"deep", "sub"}, {"sub"}},
        StaleCase{"name_with_a_dot", {"with.dot.raw"}, {"with.dot", "with"}, {"with"}},
        StaleCase{"only_recordings_count", {"x.csv", "x.TRE", "y.pdf"}, {"x", "y"}, {"x", "y"}},
        StaleCase{"empty_data_folder", {}, {"a"}, {"a"}},
        // Started from a foreign working folder: nothing is known, so nothing goes.
        StaleCase{"no_data_folder", {}, {"a", "b"}, {}, false}),
    [](const ::testing::TestParamInfo<StaleCase>& info) { return info.param.name; });

TEST(RecordingCache, StaleSearchLeavesLinkedFoldersAlone) {
    QTemporaryDir dir;
    const QString cacheRoot = dir.filePath("cache");
    ASSERT_TRUE(QDir().mkpath(dir.filePath("data")));
    ASSERT_TRUE(writeFile(dir.filePath("elsewhere/keep.txt"), "keep"));
    ASSERT_TRUE(QDir().mkpath(cacheRoot));
    ASSERT_TRUE(QFile::link(dir.filePath("elsewhere"), cacheRoot + "/linked"));
    EXPECT_TRUE(staleCacheFolders(cacheRoot, dir.filePath("data")).isEmpty());
    EXPECT_EQ(removeStaleCacheFolders(cacheRoot, dir.filePath("data")), 0);
    EXPECT_TRUE(QFileInfo::exists(dir.filePath("elsewhere/keep.txt")));
}

class RecordingCacheFollowTest : public ::testing::Test {
protected:
    QTemporaryDir dir_;
    QString cacheRoot() const { return dir_.filePath("cache"); }
    QString recording(const QString& name) const { return dir_.filePath("recordings/" + name); }
    QString cache(const QString& name) const { return cacheRoot() + "/" + name; }
};

TEST_F(RecordingCacheFollowTest, RenameMovesTheFolder) {
    ASSERT_TRUE(writeFile(cache("old/analysis.jpg"), "image"));
    EXPECT_TRUE(moveRecordingCache(cacheRoot(), recording("old.raw"), recording("new.v2.raw")));
    EXPECT_FALSE(QFileInfo::exists(cache("old")));
    EXPECT_EQ(readFile(cache("new.v2/analysis.jpg")), "image");
    EXPECT_EQ(recordingCacheFolder(cacheRoot(), recording("new.v2.raw")), cache("new.v2"));
}

TEST_F(RecordingCacheFollowTest, RenameOntoAnotherRecordingsFolderDropsTheOldOne) {
    // sub/a.raw renamed to sub/b.raw while a b.raw elsewhere has its cache "b".
    ASSERT_TRUE(writeFile(cache("a/analysis.jpg"), "a"));
    ASSERT_TRUE(writeFile(cache("b/analysis.jpg"), "b"));
    EXPECT_TRUE(moveRecordingCache(cacheRoot(), recording("sub/a.raw"), recording("sub/b.raw")));
    EXPECT_FALSE(QFileInfo::exists(cache("a")));
    EXPECT_EQ(readFile(cache("b/analysis.jpg")), "b");
}

TEST_F(RecordingCacheFollowTest, NothingToFollowIsFine) {
    EXPECT_TRUE(moveRecordingCache(cacheRoot(), recording("never.raw"), recording("opened.raw")));
    EXPECT_FALSE(QFileInfo::exists(cache("opened")));
    EXPECT_TRUE(removeRecordingCache(cacheRoot(), recording("never.raw")));
    ASSERT_TRUE(writeFile(cache("same/analysis.jpg"), "same"));
    EXPECT_TRUE(moveRecordingCache(cacheRoot(), recording("same.raw"), recording("sub/same.raw")));
    EXPECT_EQ(readFile(cache("same/analysis.jpg")), "same");
}

TEST_F(RecordingCacheFollowTest, DeleteRemovesOnlyItsFolder) {
    ASSERT_TRUE(writeFile(cache("gone/analysis.jpg"), "image"));
    ASSERT_TRUE(writeFile(cache("kept/analysis.jpg"), "image"));
    EXPECT_TRUE(removeRecordingCache(cacheRoot(), recording("gone.raw")));
    EXPECT_FALSE(QFileInfo::exists(cache("gone")));
    EXPECT_TRUE(QFileInfo::exists(cache("kept/analysis.jpg")));
}

}  // namespace
