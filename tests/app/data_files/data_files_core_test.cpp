// The plain data file code: frame cleaning, loading, CSV export, listing and renaming.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "CsvExport.h"
#include "DataFileList.h"
#include "FrameCleaning.h"
#include "RecordingLoader.h"
#include "RecordingRename.h"
#include "recording_fixtures.h"

namespace {

// ---- cleaning ----

struct CleaningCase {
    const char* name;
    std::vector<std::tuple<int, int, int>> cells;  // (row, column, value) before cleaning
    int row, column;                               // the cell looked at afterwards
    int expected;
};

class FrameCleaningTest : public ::testing::TestWithParam<CleaningCase> {};

TEST_P(FrameCleaningTest, CellAfterCleaning) {
    const CleaningCase& c = GetParam();
    PressureMatrix m{};
    for (const auto& [r, k, v] : c.cells) m.at(r, k) = static_cast<std::uint16_t>(v);
    cleanFrame(m);
    EXPECT_EQ(m.at(c.row, c.column), c.expected);
}

// Around the cell (20, 20): above (19, 20), above-right (19, 21), above-left (19, 19), left
// (20, 19), right (20, 21), below-left (21, 19), below (21, 20), below-right (21, 21).
INSTANTIATE_TEST_SUITE_P(
    Rules, FrameCleaningTest,
    ::testing::Values(
        CleaningCase{"ValueOneBecomesZero", {{20, 20, 1}, {20, 21, 900}}, 20, 20, 0},
        CleaningCase{"ValueTwoInColumnZeroBecomesZero", {{20, 0, 2}, {20, 1, 900}}, 20, 0, 0},
        CleaningCase{"BorderRowsAndColumnsBecomeZero", {{0, 20, 900}, {1, 20, 900}}, 0, 20, 0},
        CleaningCase{"LastRowBecomesZero", {{49, 20, 900}, {48, 20, 900}}, 49, 20, 0},
        CleaningCase{"LoneCellBecomesZero", {{20, 20, 500}}, 20, 20, 0},
        CleaningCase{
            "AboveSetAboveRightZeroBecomesZero", {{20, 20, 500}, {19, 20, 500}}, 20, 20, 0},
        CleaningCase{"AboveAndAboveRightSetStays",
                     {{20, 20, 500}, {19, 20, 500}, {19, 21, 500}},
                     20,
                     20,
                     500},
        CleaningCase{"BelowSetStays", {{20, 20, 500}, {21, 20, 500}}, 20, 20, 500},
        CleaningCase{"RightSetStays", {{20, 20, 500}, {20, 21, 500}}, 20, 20, 500},
        CleaningCase{"BelowLeftSetStays", {{20, 20, 500}, {21, 19, 500}}, 20, 20, 500},
        // The cell on the right is still as read: its 1 counts as pressure, then it goes.
        CleaningCase{"RightNeighbourOneStillCounts", {{20, 20, 500}, {20, 21, 1}}, 20, 20, 500},
        CleaningCase{"BelowNeighbourOneStillCounts", {{20, 20, 500}, {21, 20, 1}}, 20, 20, 500},
        // The row above and the cell on the left are already cleaned: their 1s have gone.
        CleaningCase{"LeftNeighbourOneIsAlreadyGone", {{20, 19, 1}, {20, 20, 500}}, 20, 20, 0},
        CleaningCase{"AboveNeighboursOfOneAreAlreadyGone",
                     {{19, 20, 1}, {19, 21, 1}, {20, 20, 500}},
                     20,
                     20,
                     0}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- loading ----

class DataFilesTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir_.filePath(name); }
    QTemporaryDir dir_;
};

TEST_F(DataFilesTest, LoadReadsHeaderAndCleansFrames) {
    PressureMatrix noisy = blockFrame(3);
    noisy.at(40, 40) = 1;   // below 2
    noisy.at(45, 5) = 800;  // a lone cell
    noisy.at(0, 12) = 900;  // border
    ASSERT_TRUE(writeFile(path("a.raw"), recordingBytes({noisy, blockFrame(4)}, 1, "tag")));

    const RecordingLoad load = loadRecording(path("a.raw"));
    ASSERT_EQ(load.status, RecordingLoad::Status::Loaded);
    const LoadedRecording& r = *load.recording;
    EXPECT_EQ(r.name, "tag");
    EXPECT_EQ(r.frameRate, 200);
    EXPECT_EQ(r.measureMode, 1);
    EXPECT_EQ(r.frameCount, 2);
    ASSERT_EQ(r.frames.size(), 2u);
    PressureMatrix expected = blockFrame(3);
    EXPECT_EQ(r.frames[0].values, expected.values);
    EXPECT_EQ(r.frames[1].at(30, 30), 4);
}

TEST_F(DataFilesTest, TrailingPartialRecordIsIgnored) {
    QByteArray bytes = recordingBytes({blockFrame(1), blockFrame(2), blockFrame(3)});
    bytes += QByteArray(100, '\x05');
    ASSERT_EQ(bytes.size(), 27 + 3 * 5001 + 100);
    ASSERT_TRUE(writeFile(path("t.raw"), bytes));
    const RecordingLoad load = loadRecording(path("t.raw"));
    ASSERT_EQ(load.status, RecordingLoad::Status::Loaded);
    EXPECT_EQ(load.recording->frameCount, 3);
    EXPECT_EQ(load.recording->frames[2].at(30, 30), 3);
}

TEST_F(DataFilesTest, FilesWithoutAWholeFrameAreEmpty) {
    ASSERT_TRUE(writeFile(path("header.raw"), headerBytes()));
    ASSERT_TRUE(writeFile(path("almost.raw"), headerBytes() + QByteArray(5000, '\0')));
    for (const char* name : {"header.raw", "almost.raw"})
        EXPECT_EQ(loadRecording(path(name)).status, RecordingLoad::Status::Empty) << name;
}

TEST_F(DataFilesTest, UnreadableForeignAndOversizedFilesAreRefused) {
    QDir().mkpath(path("folder.raw"));
    ASSERT_TRUE(writeFile(path("short.raw"), QByteArray(20, '\0')));  // no header: no recording
    ASSERT_TRUE(writeFile(path("foreign.raw"), QByteArray(27 + 5001, 'x')));
    ASSERT_TRUE(writeFile(path("two.raw"), recordingBytes({blockFrame(1), blockFrame(2)})));
    const qint64 twoFrames = 2 * static_cast<qint64>(sizeof(PressureMatrix));
    using Status = RecordingLoad::Status;
    const struct {
        const char* name;
        qint64 memoryLimit;
        Status status;
    } cases[] = {
        {"missing.raw", twoFrames, Status::OpenFailed},
        {"folder.raw", twoFrames, Status::NotARecording},
        {"short.raw", twoFrames, Status::NotARecording},
        {"foreign.raw", twoFrames, Status::NotARecording},
        {"two.raw", twoFrames - 1, Status::TooLarge},
        {"two.raw", twoFrames, Status::Loaded},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const RecordingLoad load = loadRecording(path(c.name), c.memoryLimit);
        EXPECT_EQ(load.status, c.status);
        if (c.status != Status::Loaded) EXPECT_TRUE(load.detail.contains(path(c.name)));
    }
}

TEST(RecordingCacheFolder, IsTheNameWithoutItsLastSuffix) {
    EXPECT_EQ(recordingCacheFolder("/home/u/.local/share/tessaly/cache/", "./rec/sub/a.b.raw"),
              QString("/home/u/.local/share/tessaly/cache/a.b"));
}

// ---- CSV ----

TEST(CsvExportLines, HeaderNamesEveryCellRowFirst) {
    const QByteArray header = csvHeaderLine();
    EXPECT_TRUE(header.startsWith("Frame,R1_C1,R1_C2,"));
    EXPECT_TRUE(header.endsWith(",R50_C49,R50_C50\n"));
    EXPECT_EQ(header.count(','), 2500);
    EXPECT_TRUE(header.contains(",R1_C50,R2_C1,"));
}

TEST_F(DataFilesTest, ExportWritesStoredValuesExactly) {
    PressureMatrix first{};
    first.at(0, 0) = 4095;  // on the border: stored values are exported, not cleaned ones
    first.at(49, 49) = 65535;
    PressureMatrix second{};
    second.at(0, 1) = 1;
    ASSERT_TRUE(writeFile(path("two.raw"), recordingBytes({first, second})));

    const mode_t umaskBefore = ::umask(0);  // the export is private whatever the umask
    const CsvExportResult result = exportRecordingToCsv(path("two.raw"), path("two.csv"));
    ::umask(umaskBefore);
    ASSERT_EQ(result.status, CsvExportResult::Status::Exported);
    EXPECT_EQ(result.frames, 2);
    struct stat status {};
    ASSERT_EQ(::stat(qPrintable(path("two.csv")), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600u);
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList({"two.csv", "two.raw"}));

    QByteArray expected = csvHeaderLine();
    expected += "1,4095";
    for (int i = 1; i < 2499; ++i) expected += ",0";
    expected += ",65535\n2,0,1";
    for (int i = 2; i < 2500; ++i) expected += ",0";
    expected += "\n";
    EXPECT_EQ(readFile(path("two.csv")), expected);
}

TEST_F(DataFilesTest, ExportFailuresAreTold) {
    ASSERT_TRUE(writeFile(path("one.raw"), recordingBytes({blockFrame(1)})));
    EXPECT_EQ(exportRecordingToCsv(path("one.raw"), path("no/such/folder/x.csv")).status,
              CsvExportResult::Status::OutputOpenFailed);

    // A recording that cannot be read leaves an earlier export as it was.
    ASSERT_TRUE(writeFile(path("m.csv"), "earlier"));
    ASSERT_TRUE(writeFile(path("foreign.raw"), QByteArray(27 + 5001, 'x')));
    for (const char* input : {"missing.raw", "foreign.raw"}) {
        EXPECT_EQ(exportRecordingToCsv(path(input), path("m.csv")).status,
                  CsvExportResult::Status::InputOpenFailed);
        EXPECT_EQ(readFile(path("m.csv")), "earlier");
    }
    // The output is the recording: by its own name and through a hard link.
    ASSERT_TRUE(QFile::link(path("one.raw"), path("link.raw")));
    ASSERT_EQ(::link(qPrintable(path("one.raw")), qPrintable(path("hard.csv"))), 0);
    const QByteArray recording = readFile(path("one.raw"));
    for (const char* output : {"one.raw", "link.raw", "hard.csv"}) {
        const CsvExportResult result = exportRecordingToCsv(path("one.raw"), path(output));
        EXPECT_EQ(result.status, CsvExportResult::Status::SameFile) << output;
        EXPECT_EQ(readFile(path("one.raw")), recording) << output;
    }
    // A device is not replaced by a file.
    EXPECT_EQ(exportRecordingToCsv(path("one.raw"), "/dev/null").status,
              CsvExportResult::Status::OutputOpenFailed);
    EXPECT_TRUE(QFileInfo("/dev/null").exists() && !QFileInfo("/dev/null").isFile());

    ASSERT_TRUE(writeFile(path("header.raw"), headerBytes()));
    EXPECT_EQ(exportRecordingToCsv(path("header.raw"), path("h.csv")).status,
              CsvExportResult::Status::Exported);
    EXPECT_EQ(readFile(path("h.csv")), csvHeaderLine());
}

TEST(CsvDefaultPath, ReplacesOnlyTheLastSuffix) {
    EXPECT_EQ(defaultCsvPath("/d/sub/a.b.raw"), QString("/d/sub/a.b.csv"));
    EXPECT_EQ(defaultCsvPath("/d/20240131_094512345.raw"), QString("/d/20240131_094512345.csv"));
}

// ---- listing ----

TEST_F(DataFilesTest, ListingFindsSubfoldersAndDottedNamesButNoLinks) {
    ASSERT_TRUE(writeFile(path("data/a.raw"), recordingBytes({blockFrame(1)})));
    ASSERT_TRUE(writeFile(path("data/sub/b.raw"), headerBytes()));
    ASSERT_TRUE(writeFile(path("data/c.d.raw"), headerBytes()));
    ASSERT_TRUE(writeFile(path("data/notes.txt"), "x"));
    QFile::link(path("data/a.raw"), path("data/link.raw"));

    const std::vector<DataFileEntry> entries = listDataFiles(path("data"));
    QStringList names;
    std::map<QString, DataFileEntry> byName;
    for (const DataFileEntry& e : entries) {
        names << e.name;
        byName[e.name] = e;
    }
    EXPECT_EQ(names, (QStringList{"a", "c.d", "b"}));  // path order: "sub/" after "c.d.raw"
    EXPECT_EQ(byName["b"].absolutePath, QFileInfo(path("data/sub/b.raw")).absoluteFilePath());
    EXPECT_EQ(byName["c.d"].absolutePath, QFileInfo(path("data/c.d.raw")).absoluteFilePath());
    EXPECT_EQ(byName["a"].sizeText, QString("0.00M"));
    EXPECT_TRUE(listDataFiles(path("nowhere")).empty());
}

TEST(FileSizeText, MebibytesWithTwoDecimals) {
    EXPECT_EQ(fileSizeText(0), QString("0.00M"));
    EXPECT_EQ(fileSizeText(3 * 1024 * 1024 / 2), QString("1.50M"));
    EXPECT_EQ(fileSizeText(30006027), QString("28.62M"));
}

// ---- renaming ----

struct RenameCase {
    const char* name;
    QStringList before;  // files in the folder
    const char* file;    // the recording renamed
    const char* newName;
    RenameResult::Status status;
    QStringList after;  // files in the folder afterwards
};

class RenameTest : public ::testing::TestWithParam<RenameCase> {};

TEST_P(RenameTest, FolderAfterwards) {
    const RenameCase& c = GetParam();
    QTemporaryDir dir;
    for (const QString& f : c.before) ASSERT_TRUE(writeFile(dir.filePath(f), f.toUtf8()));
    const QString recording = dir.filePath(c.file);
    const RenameResult result = renameWithCompanions(recording, c.newName);
    EXPECT_EQ(result.status, c.status);
    const QStringList files = QDir(dir.path()).entryList(QDir::Files, QDir::Name);
    QStringList expected = c.after;
    expected.sort();
    EXPECT_EQ(files, expected);
    if (c.status == RenameResult::Status::Renamed) {
        EXPECT_EQ(result.path, dir.filePath(QString(c.newName) + ".raw"));
        EXPECT_EQ(readFile(result.path), QByteArray(c.file));  // the same file, moved
    } else {
        EXPECT_EQ(result.path, recording);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RenameTest,
    ::testing::Values(
        RenameCase{"WithCsvCompanion",
                   {"a.raw", "a.csv"},
                   "a.raw",
                   "b",
                   RenameResult::Status::Renamed,
                   {"b.raw", "b.csv"}},
        RenameCase{"AllCompanions",
                   {"a.raw", "a.TRE", "a.csv", "a.avi", "a.txt"},
                   "a.raw",
                   "b",
                   RenameResult::Status::Renamed,
                   {"b.raw", "b.TRE", "b.csv", "b.avi", "a.txt"}},
        RenameCase{"DottedNames",
                   {"a.b.raw", "a.b.csv", "a.raw"},
                   "a.b.raw",
                   "c.d",
                   RenameResult::Status::Renamed,
                   {"c.d.raw", "c.d.csv", "a.raw"}},
        RenameCase{"QuoteInName",
                   {"a.raw"},
                   "a.raw",
                   "it's \"x\"",
                   RenameResult::Status::Renamed,
                   {"it's \"x\".raw"}},
        RenameCase{"ExistingTarget",
                   {"a.raw", "b.raw"},
                   "a.raw",
                   "b",
                   RenameResult::Status::TargetExists,
                   {"a.raw", "b.raw"}},
        RenameCase{"UnchangedName",
                   {"a.raw"},
                   "a.raw",
                   "a",
                   RenameResult::Status::TargetExists,
                   {"a.raw"}},
        RenameCase{"EmptyName", {"a.raw"}, "a.raw", "", RenameResult::Status::EmptyName, {"a.raw"}},
        RenameCase{"HiddenName",
                   {"a.raw", "a.csv"},
                   "a.raw",
                   ".b",
                   RenameResult::Status::HiddenName,
                   {"a.raw", "a.csv"}},
        RenameCase{"FolderSeparator",
                   {"a.raw"},
                   "a.raw",
                   "../b",
                   RenameResult::Status::InvalidName,
                   {"a.raw"}},
        RenameCase{"MissingRecording",
                   {"x.raw"},
                   "a.raw",
                   "b",
                   RenameResult::Status::SourceMissing,
                   {"x.raw"}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
