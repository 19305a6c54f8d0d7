// tessaly-cli's standard posturographic measures: the "posturography" object of analyze --json
// and the romberg command, on recordings plate-sim writes.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <string>

#include "CopSeries.h"
#include "Posturography.h"
#include "RecordingLoader.h"
#include "recording_fixtures.h"

namespace {

struct CliRun {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

CliRun cli(const QStringList& arguments) {
    QProcess process;
    process.start(TESSALY_CLI_PATH, arguments);
    CliRun run;
    if (!process.waitForFinished(60000)) return run;
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

// const, so that [] reads (QJsonValue) rather than refers (QJsonValueRef).
const QJsonObject jsonOf(const CliRun& run) { return QJsonDocument::fromJson(run.out).object(); }

class CliPosturography : public ::testing::Test {
protected:
    // 30 s at 100 Hz of a standing subject, eyes open and eyes closed (2.5 times the sway).
    static void SetUpTestSuite() {
        dir_ = new QTemporaryDir;
        for (const char* mode : {"open", "closed"}) {
            QProcess sim;
            sim.start(PLATE_SIM_PATH, {"--write-raw", path(mode), "--seconds", "30", "--rate",
                                       "100", "--mode", mode});
            ASSERT_TRUE(sim.waitForFinished(60000) && sim.exitCode() == 0);
        }
        // 400 identical frames at 200 frames/s: exactly 2·R samples, no sway at all.
        ASSERT_TRUE(writeFile(path("still"),
                              recordingBytes(std::vector<PressureMatrix>(400, blockFrame(1)))));
        ASSERT_TRUE(writeFile(path("short"), recordingBytes({blockFrame(1), blockFrame(2)})));
    }
    static void TearDownTestSuite() { delete dir_; }
    static QString path(const QString& name) { return dir_->filePath(name + ".raw"); }
    static QTemporaryDir* dir_;
};
QTemporaryDir* CliPosturography::dir_ = nullptr;

const char* const kTimeKeys[] = {"mdist",  "mdistAp", "mdistMl", "rdist", "rdistAp", "rdistMl",
                                 "totex",  "totexAp", "totexMl", "mvelo", "mveloAp", "mveloMl",
                                 "range",  "rangeAp", "rangeMl", "mfreq", "mfreqAp", "mfreqMl",
                                 "areaCc", "areaCe",  "areaSw",  "fdPd",  "fdCc",    "fdCe"};

TEST_F(CliPosturography, AnalyzeJsonHoldsEveryMeasureOfTheCore) {
    const CliRun run = cli({"analyze", path("open"), "--json"});
    ASSERT_EQ(run.status, 0) << run.err.constData();
    const QJsonObject p = jsonOf(run)["posturography"].toObject();
    EXPECT_EQ(p["samples"].toInt(), 3000);
    EXPECT_EQ(p["rate"].toDouble(), 100);
    EXPECT_EQ(p["lowpassHz"].toDouble(), 10);
    const QJsonObject time = p["time"].toObject();
    EXPECT_EQ(time.size(), static_cast<int>(std::size(kTimeKeys)));
    for (const char* key : kTimeKeys) EXPECT_TRUE(time[key].isDouble()) << key;
    EXPECT_EQ(p["ellipse95"].toObject().keys(),
              (QStringList{"angleDeg", "area", "semiMajor", "semiMinor"}));
    for (const char* axis : {"ap", "ml"})
        EXPECT_EQ(p["frequency"].toObject()[axis].toObject().keys(),
                  (QStringList{"centroid", "dispersion", "f50", "f95", "power"}))
            << axis;

    // The same numbers as the core on the recording as the program loads it.
    const RecordingLoad load = loadRecording(path("open"));
    ASSERT_EQ(load.status, RecordingLoad::Status::Loaded);
    AnalysisResults balance;
    CopTrajectory trajectory;
    computeCopSeries(load.recording->frames, load.recording->frameRate, balance, trajectory);
    const PosturographyOutcome core =
        analyzePosturography(copSamplesWithPressure(balance), load.recording->frameRate);
    ASSERT_TRUE(core.results);
    EXPECT_EQ(time["mvelo"].toDouble(), *core.results->time.mvelo);
    EXPECT_EQ(time["fdCe"].toDouble(), *core.results->time.fdCe);
    EXPECT_EQ(p["ellipse95"]["area"].toDouble(), *core.results->ellipse95.area);
    EXPECT_EQ(p["frequency"]["ml"]["f95"].toDouble(), *core.results->ml.f95);
}

TEST_F(CliPosturography, LowpassOptionAndShortOrStillRecordings) {
    const QJsonObject unfiltered =
        jsonOf(cli({"analyze", path("open"), "--lowpass", "0", "--json"}))["posturography"]
            .toObject();
    EXPECT_EQ(unfiltered["lowpassHz"].toDouble(), 0);

    const QJsonObject shortOne = jsonOf(cli({"analyze", path("short"), "--json"}));
    EXPECT_TRUE(shortOne["posturography"].isNull());
    EXPECT_EQ(shortOne["posturographyReason"].toString(), "recording too short");

    const QJsonObject still =
        jsonOf(cli({"analyze", path("still"), "--json"}))["posturography"].toObject();
    EXPECT_EQ(still["samples"].toInt(), 400);
    EXPECT_EQ(still["time"]["areaCc"].toDouble(-1), 0);
    EXPECT_TRUE(still["time"]["mfreq"].isNull());
    EXPECT_TRUE(still["frequency"]["ap"]["f50"].isNull());
}

TEST_F(CliPosturography, RombergQuotientsOfEyesClosedOverEyesOpen) {
    const CliRun run = cli({"romberg", path("open"), path("closed"), "--json"});
    ASSERT_EQ(run.status, 0);
    EXPECT_TRUE(run.err.isEmpty()) << run.err.constData();
    const QJsonObject json = jsonOf(run);
    for (const char* key : {"mvelo", "rdist", "totex", "ellipse95Area"}) {
        SCOPED_TRACE(key);
        const double open = json["open"][key].toDouble();
        const double closed = json["closed"][key].toDouble();
        EXPECT_GT(open, 0);
        EXPECT_DOUBLE_EQ(json["quotient"][key].toDouble(), closed / open);
    }
    EXPECT_GT(json["quotient"]["mvelo"].toDouble(), 1);

    const CliRun text = cli({"romberg", path("open"), path("closed")});
    EXPECT_EQ(text.status, 0);
    EXPECT_TRUE(text.out.contains("closed/open")) << text.out.constData();
}

TEST_F(CliPosturography, RombergWarnsOfSwappedModesAndHasNoQuotientOverZero) {
    const CliRun swapped = cli({"romberg", path("closed"), path("open"), "--json"});
    ASSERT_EQ(swapped.status, 0);
    EXPECT_TRUE(swapped.err.contains("warning")) << swapped.err.constData();
    EXPECT_TRUE(swapped.err.contains("eyes closed, not eyes open")) << swapped.err.constData();
    EXPECT_LT(jsonOf(swapped)["quotient"]["mvelo"].toDouble(), 1);

    // The still recording is stored as eyes open: it makes a quotient's denominator 0.
    const CliRun still = cli({"romberg", path("still"), path("closed"), "--json"});
    ASSERT_EQ(still.status, 0);
    const QJsonObject quotient = jsonOf(still)["quotient"].toObject();
    EXPECT_TRUE(quotient["mvelo"].isNull());
    EXPECT_TRUE(quotient["ellipse95Area"].isNull());
}

TEST_F(CliPosturography, BadRecordingsAndCommandLines) {
    const struct {
        QStringList arguments;
        int status;
    } cases[] = {
        {{"romberg", path("open")}, 2},
        {{"romberg", path("open"), "--json"}, 2},
        {{"romberg", path("open"), path("closed"), "--lowpass"}, 2},
        {{"romberg", path("open"), path("closed"), "--lowpass", "-1"}, 2},
        {{"romberg", path("open"), path("closed"), "--xml"}, 2},
        {{"analyze", path("open"), "--lowpass", "ten"}, 2},
        {{"romberg", path("open"), path("missing")}, 1},
        {{"romberg", path("short"), path("closed")}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const CliRun run = cli(c.arguments);
        EXPECT_EQ(run.status, c.status) << run.err.constData();
        EXPECT_TRUE(run.out.isEmpty());
    }
}

}  // namespace
