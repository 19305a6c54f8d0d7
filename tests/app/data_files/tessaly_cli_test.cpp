// tessaly-cli as a user runs it: its output, its files and its exit statuses.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <QTemporaryDir>
#include <cstdio>
#include <map>
#include <string>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "ConfidenceEllipse.h"
#include "CopSeries.h"
#include "CsvExport.h"
#include "FrameCleaning.h"
#include "RecordingLoader.h"
#include "StaticAnalysis.h"
#include "recording_fixtures.h"

namespace {

struct CliRun {
    int status;
    std::string out;
};

// Runs tessaly-cli with arguments (shell-quoted by the caller); stderr is dropped.
CliRun cli(const std::string& arguments) {
    const std::string command = std::string(TESSALY_CLI_PATH) + " " + arguments + " 2>/dev/null";
    CliRun run{-1, {}};
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    char buffer[65536];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, n);
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

std::string quoted(const QString& path) { return "'" + path.toStdString() + "'"; }

class TessalyCliTest : public ::testing::Test {
protected:
    void SetUp() override {
        noisy_ = blockFrame(2);
        noisy_.at(45, 5) = 800;  // a lone cell, cleaned away on opening
        QByteArray bytes = recordingBytes({blockFrame(1), noisy_}, 1, "abc");
        bytes += QByteArray(7, '\0');
        ASSERT_TRUE(writeFile(path("rec.raw"), bytes));
    }
    QString path(const QString& name) const { return dir_.filePath(name); }
    QTemporaryDir dir_;
    PressureMatrix noisy_{};
};

TEST_F(TessalyCliTest, InfoPrintsOneJsonObject) {
    const CliRun run = cli("info " + quoted(path("rec.raw")));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out,
              "{\"frameRate\":200,\"frames\":2,\"mode\":1,\"tag\":\"abc\",\"trailingBytes\":7}\n");
}

TEST_F(TessalyCliTest, ExportCsvWritesTheExportsBytes) {
    ASSERT_EQ(cli("export-csv " + quoted(path("rec.raw"))).status, 0);  // default: rec.csv
    ASSERT_EQ(exportRecordingToCsv(path("rec.raw"), path("program.csv")).status,
              CsvExportResult::Status::Exported);
    EXPECT_EQ(readFile(path("rec.csv")), readFile(path("program.csv")));
    ASSERT_EQ(cli("export-csv " + quoted(path("rec.raw")) + " " + quoted(path("o.csv"))).status, 0);
    EXPECT_EQ(readFile(path("o.csv")), readFile(path("program.csv")));
}

TEST_F(TessalyCliTest, DumpRawOrCleanedFrames) {
    QByteArray raw;
    appendCsvFrameLine(raw, 1, blockFrame(1));
    appendCsvFrameLine(raw, 2, noisy_);
    EXPECT_EQ(cli("dump " + quoted(path("rec.raw"))).out, raw.toStdString());

    PressureMatrix cleaned = noisy_;
    cleanFrame(cleaned);
    QByteArray second;
    appendCsvFrameLine(second, 2, cleaned);
    EXPECT_EQ(cli("dump " + quoted(path("rec.raw")) + " --cleaned --frame 2").out,
              second.toStdString());
    EXPECT_NE(cleaned.values, noisy_.values);
}

// The command line gives the numbers the program's own analysis code gives for the cleaned
// recording, with full precision.
TEST_F(TessalyCliTest, AnalyzeAndCopGiveTheProgramsFigures) {
    const CliRun run = cli("analyze " + quoted(path("rec.raw")) + " --json");
    ASSERT_EQ(run.status, 0);
    const QJsonObject json = QJsonDocument::fromJson(QByteArray::fromStdString(run.out)).object();

    const RecordingLoad load = loadRecording(path("rec.raw"));
    ASSERT_EQ(load.status, RecordingLoad::Status::Loaded);
    const StaticAnalysis statics = analyzeStatic(load.recording->frames);
    AnalysisResults balance;
    CopTrajectory trajectory;
    const UsableFrameRate rate =
        computeCopSeries(load.recording->frames, load.recording->frameRate, balance, trajectory);
    computeConfidenceEllipse(balance, nullptr);

    EXPECT_EQ(json["frames"].toInt(), 2);
    EXPECT_EQ(json["mode"].toInt(), 1);
    const QJsonObject st = json["static"].toObject();
    EXPECT_EQ(st["chosenFrame"].toInt(), statics.grids.chosenFrame);
    const QJsonObject left = st["left"].toObject();
    const FootRecord& l = statics.feet[kLeftFoot];
    EXPECT_EQ(left["total"].toInt(), l.total);
    EXPECT_EQ(left["footType"].toString(), l.footType);
    EXPECT_EQ(left["rect"].toArray(),
              (QJsonArray{l.rect.x(), l.rect.y(), l.rect.width(), l.rect.height()}));
    ASSERT_EQ(left["zones"].toArray().size(), static_cast<int>(l.zones.size()));
    for (std::size_t z = 0; z < l.zones.size(); ++z)
        EXPECT_EQ(left["zones"].toArray()[static_cast<int>(z)].toDouble(), l.zones[z]);
    const QJsonObject b = json["balance"].toObject();
    EXPECT_EQ(b["pathLength"].toDouble(), balance.pathLength);
    EXPECT_EQ(b["meanSpeedX"].toDouble(), balance.meanSpeedX);
    EXPECT_EQ(b["ellipseArea"].toDouble(), balance.ellipseArea);

    ASSERT_EQ(cli("cop " + quoted(path("rec.raw"))).status, 0);  // default: rec.cop.csv
    QFile csv(path("rec.cop.csv"));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = csv.readAll().split('\n');
    ASSERT_EQ(lines.size(), 4);  // header, two frames, the empty rest after the last newline
    EXPECT_EQ(lines[0], "frame,time_s,x_mm,y_mm,speed_x_cm_s,speed_y_cm_s,speed_cm_s");
    const QList<QByteArray> first = lines[1].split(',');
    ASSERT_EQ(first.size(), 7);
    EXPECT_EQ(first[0], "1");
    EXPECT_EQ(first[1].toDouble(), 0.0);
    EXPECT_EQ(first[2].toDouble(), balance.copMillimetres.value(0).first);
    EXPECT_TRUE(first[4].isEmpty() && first[5].isEmpty() && first[6].isEmpty());
    const QList<QByteArray> second = lines[2].split(',');
    const std::optional<CopSpeed> speed = measuredSpeed(balance, 1);
    ASSERT_TRUE(speed.has_value());
    EXPECT_EQ(second[1].toDouble(), 1 / rate.framesPerSecond);
    EXPECT_EQ(second[4].toDouble(), speed->x);
    EXPECT_EQ(second[6].toDouble(), speed->path);
}

TEST_F(TessalyCliTest, BadFilesAndArgumentsFail) {
    ASSERT_TRUE(writeFile(path("empty.raw"), QByteArray()));
    ASSERT_TRUE(writeFile(path("header.raw"), headerBytes()));
    ASSERT_TRUE(writeFile(path("foreign.raw"), QByteArray(27 + 5001, 'x')));
    for (const char* name : {"missing.raw", "empty.raw", "header.raw", "foreign.raw"}) {
        EXPECT_EQ(cli("info " + quoted(path(name))).status, 1) << name;
        EXPECT_EQ(cli("dump " + quoted(path(name))).status, 1) << name;
        EXPECT_EQ(cli("export-csv " + quoted(path(name)) + " " + quoted(path("x.csv"))).status, 1)
            << name;
        EXPECT_EQ(cli("analyze " + quoted(path(name)) + " --json").status, 1) << name;
        EXPECT_EQ(cli("cop " + quoted(path(name)) + " " + quoted(path("c.csv"))).status, 1) << name;
    }
    EXPECT_EQ(cli("cop " + quoted(path("rec.raw")) + " /no/such/dir/c.csv").status, 1);
    EXPECT_EQ(cli("analyze " + quoted(path("rec.raw")) + " --xml").status, 2);
    EXPECT_EQ(cli("export-csv " + quoted(path("rec.raw")) + " /no/such/dir/x.csv").status, 1);
    EXPECT_EQ(cli("dump " + quoted(path("rec.raw")) + " --frame 3").status, 2);
    EXPECT_EQ(cli("dump " + quoted(path("rec.raw")) + " --frame 0").status, 2);
    EXPECT_EQ(cli("frobnicate " + quoted(path("rec.raw"))).status, 2);
    EXPECT_EQ(cli("").status, 2);
}

// What the files in a folder hold: name, size and, for small files, the bytes.
std::map<QString, std::pair<qint64, QByteArray>> folderContents(const QString& folder) {
    std::map<QString, std::pair<qint64, QByteArray>> contents;
    for (const QFileInfo& f : QDir(folder).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot |
                                                         QDir::Hidden | QDir::System))
        contents[f.fileName()] = {
            f.size(), f.isFile() && f.size() < (1 << 20) ? readFile(f.filePath()) : QByteArray()};
    return contents;
}

// Files that must never be destroyed, and files that are no recording: every command refuses
// or answers without changing anything in the folder (no output, no temporary file left).
TEST_F(TessalyCliTest, FilesAreNeverDestroyedAndNonRecordingsAreRefused) {
    ASSERT_TRUE(QFile::link(path("rec.raw"), path("link.csv")));
    ASSERT_TRUE(QFile::copy(path("rec.raw"), path("x.csv")));  // a recording with that name
    ASSERT_TRUE(writeFile(path("out.csv"), "an earlier export"));
    ASSERT_TRUE(writeFile(path("short.raw"), QByteArray(20, '\0')));
    ASSERT_TRUE(writeFile(path("huge.raw"), headerBytes()));
    const qint64 huge = qint64(64) << 30;
    ASSERT_TRUE(QFile::resize(path("huge.raw"), huge));  // sparse: takes no disk space
    ASSERT_EQ(::mkfifo(qPrintable(path("fifo.raw")), 0600), 0);
    const std::string hugeFrames = "\"frames\":" + std::to_string((huge - 27) / 5001);
    const struct {
        const char* name;
        const char* shell;  // run before tessaly-cli
        const char* arguments;
        int status;
        std::string says;  // part of what it prints
    } cases[] = {
        {"output is the input", "", "export-csv rec.raw rec.raw", 1, "itself"},
        {"output links to the input", "", "export-csv rec.raw link.csv", 1, "itself"},
        {"default output is the input", "", "export-csv x.csv", 1, "itself"},
        {"cop output links to the input", "", "cop rec.raw link.csv", 1, "itself"},
        {"report over the input", "", "report rec.raw --out link.csv", 1, "itself"},
        // A full disk: writes beyond 8 blocks fail (the signal would end the program instead).
        {"disk full", "trap '' XFSZ; ulimit -f 8;", "export-csv rec.raw out.csv", 1, "out.csv"},
        {"64 GiB info", "", "info huge.raw", 0, hugeFrames},
        {"64 GiB analyze", "", "analyze huge.raw", 1, "MiB"},
        {"64 GiB export", "", "export-csv huge.raw out.csv", 1, "not a recorded data file"},
        {"FIFO info", "", "info fifo.raw", 1, "a FIFO"},
        {"FIFO export", "", "export-csv fifo.raw out.csv", 1, "a FIFO"},
        {"FIFO analyze", "", "analyze fifo.raw", 1, "a FIFO"},
        {"20 bytes info", "", "info short.raw", 1, "shorter than the 27-byte header"},
        {"20 bytes export", "", "export-csv short.raw out.csv", 1, "shorter than"},
        {"20 bytes analyze", "", "analyze short.raw", 1, "shorter than"},
    };
    const auto before = folderContents(dir_.path());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        // From the folder, all output on one stream; a command that hangs is ended.
        const std::string command = "cd " + quoted(dir_.path()) + " && " + c.shell +
                                    " timeout 20 " + TESSALY_CLI_PATH + " " + c.arguments + " 2>&1";
        FILE* pipe = popen(command.c_str(), "r");
        ASSERT_TRUE(pipe);
        std::string said;
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            said.append(buffer, n);
        const int status = pclose(pipe);
        EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, c.status) << said;
        EXPECT_NE(said.find(c.says), std::string::npos) << said;
        EXPECT_TRUE(folderContents(dir_.path()) == before);
    }
}

}  // namespace
