// tessaly-cli as a user runs it: its output, its files and its exit statuses.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <QTemporaryDir>
#include <cstdio>
#include <string>

#include "CsvExport.h"
#include "FrameCleaning.h"
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

TEST_F(TessalyCliTest, BadFilesAndArgumentsFail) {
    ASSERT_TRUE(writeFile(path("empty.raw"), QByteArray()));
    ASSERT_TRUE(writeFile(path("header.raw"), headerBytes()));
    ASSERT_TRUE(writeFile(path("foreign.raw"), QByteArray(27 + 5001, 'x')));
    for (const char* name : {"missing.raw", "empty.raw", "header.raw", "foreign.raw"}) {
        EXPECT_EQ(cli("info " + quoted(path(name))).status, 1) << name;
        EXPECT_EQ(cli("dump " + quoted(path(name))).status, 1) << name;
        EXPECT_EQ(cli("export-csv " + quoted(path(name)) + " " + quoted(path("x.csv"))).status, 1)
            << name;
    }
    EXPECT_EQ(cli("export-csv " + quoted(path("rec.raw")) + " /no/such/dir/x.csv").status, 1);
    EXPECT_EQ(cli("dump " + quoted(path("rec.raw")) + " --frame 3").status, 2);
    EXPECT_EQ(cli("dump " + quoted(path("rec.raw")) + " --frame 0").status, 2);
    EXPECT_EQ(cli("frobnicate " + quoted(path("rec.raw"))).status, 2);
    EXPECT_EQ(cli("").status, 2);
}

}  // namespace
