// tessaly-cli report as a user runs it from any folder: the report of a recording with a
// subject from the program's database, nothing else written, and clear refusals.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include "AppConstants.h"
#include "PrivateFiles.h"
#include "SubjectDatabase.h"
#include "recording_fixtures.h"

namespace {

struct CliRun {
    int status = -1;
    QString out;
    QString err;
};

CliRun runIn(const QString& folder, const QStringList& arguments) {
    QProcess cli;
    cli.setWorkingDirectory(folder);
    cli.start(TESSALY_CLI_PATH, QStringList{"report"} + arguments);
    CliRun run;
    if (!cli.waitForFinished(120000)) return run;
    run.status = cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1;
    run.out = QString::fromUtf8(cli.readAllStandardOutput());
    run.err = QString::fromUtf8(cli.readAllStandardError());
    return run;
}

QString pageText(const QString& pdf, int page) {
    QProcess tool;
    const QString number = QString::number(page);
    tool.start("pdftotext", {"-f", number, "-l", number, "-enc", "UTF-8", pdf, "-"});
    tool.waitForFinished(30000);
    return QString::fromUtf8(tool.readAllStandardOutput()).simplified();
}

QStringList entriesOf(const QString& folder) {
    QStringList names;
    for (const QFileInfo& info :
         QDir(folder).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden))
        names << info.fileName();
    return names;
}

// The subject database of this test's data folder, which tessaly-cli shares (test_folders.h),
// holding one test subject.
bool addSubject() {
    if (!createPrivateFolder(QFileInfo(app::subjectDatabase()).path())) return false;
    SubjectDatabase db("cli-test", app::subjectDatabase());
    return db.open().isEmpty() &&
           db.insert({"CLI0042", "赵 'test'", "man", "1970-01-01", "181", "90", "左侧", "右侧"})
               .isEmpty();
}

class TessalyCliReportTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(
            writeFile(dir_.filePath("rec.raw"),
                      recordingBytes({blockFrame(1), blockFrame(2), blockFrame(3)}, 1, "abc")));
    }
    QTemporaryDir dir_;
};

TEST_F(TessalyCliReportTest, WritesTheReportOfAStoredSubjectAndNothingElse) {
    ASSERT_TRUE(addSubject());

    const CliRun run = runIn(dir_.path(), {"rec.raw", "--out", "r.pdf", "--subject", "CLI0042",
                                           "--comment", "左足\n偏重"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.out.trimmed().split('\n').last(), "5 pages written to " + dir_.filePath("r.pdf"));
    EXPECT_EQ(entriesOf(dir_.path()), (QStringList{"r.pdf", "rec.raw"}));
    // Neither the recording's cache folder nor a report screenshot is left in the cache.
    EXPECT_EQ(entriesOf(app::cacheDirectory()), QStringList());

    const QString first = pageText(dir_.filePath("r.pdf"), 1);
    for (const char* piece : {"受试者唯一码: CLI0042", "姓名: 赵 'test'", "身高(cm): 181",
                              "优势侧: 左侧", "患侧: 右侧"})
        EXPECT_TRUE(first.contains(QString::fromUtf8(piece))) << piece;
    EXPECT_TRUE(pageText(dir_.filePath("r.pdf"), 5).contains("评语： 左足 偏重"));
}

TEST_F(TessalyCliReportTest, RefusesWhatItCannotDo) {
    ASSERT_TRUE(writeFile(dir_.filePath("foreign.raw"), QByteArray("PK\x03\x04 not a recording")));
    ASSERT_TRUE(writeFile(dir_.filePath("blocker"), QByteArray("a file, not a folder")));
    const struct {
        const char* what;
        QStringList arguments;
        int status;
    } cases[] = {
        {"no --out", {"rec.raw"}, 2},
        {"no recording", {"--out", "r.pdf"}, 2},
        {"--out without a value", {"rec.raw", "--out"}, 2},
        {"unknown option", {"rec.raw", "--out", "r.pdf", "--colour", "red"}, 2},
        {"missing recording", {"absent.raw", "--out", "r.pdf"}, 1},
        {"foreign file", {"foreign.raw", "--out", "r.pdf"}, 1},
        {"unknown subject", {"rec.raw", "--out", "r.pdf", "--subject", "NOBODY99"}, 1},
        {"output under a file", {"rec.raw", "--out", "blocker/r.pdf"}, 1},
    };
    for (const auto& c : cases) {
        const CliRun run = runIn(dir_.path(), c.arguments);
        EXPECT_EQ(run.status, c.status) << c.what << ": " << run.err.toStdString();
        EXPECT_TRUE(run.err.contains("tessaly-cli:")) << c.what;
        EXPECT_FALSE(QFileInfo::exists(dir_.filePath("r.pdf"))) << c.what;
    }
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);  // for the SQLite driver
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
