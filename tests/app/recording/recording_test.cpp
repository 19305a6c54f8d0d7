// The recording and playback bar in the real main window: its refusals, a recording made with
// the record button while plate-sim streams, its failures, and playback of a loaded recording.
// Runs in the test's own folders, so no recording lands beside the program.
#include <signal.h>
#include <sys/resource.h>

#include <QComboBox>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QProcess>
#include <QSlider>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>
#include <memory>

#include "AppConstants.h"
#include "ColorScale.h"
#include "DeviceManagement.h"
#include "ForcePlateStaticTest.h"
#include "RecordingReader.h"
#include "dataAnalysis.h"
#include "forcePlateDataFilesRecord.h"
#include "forcePlateUILib.h"
#include "modal_dialogs.h"
#include "test_folders.h"
#include "timeLine.h"

namespace {

LoadedRecording* recordingOfFrames(int count) {
    auto* record = new LoadedRecording;
    record->frames.resize(static_cast<std::size_t>(count));
    record->frameCount = count;
    return record;
}

QStringList rawFilesIn(const QString& folder) {
    return QDir(folder).entryList({"*.raw"}, QDir::Files, QDir::Name);
}

}  // namespace

class RecordingTest : public QObject {
    Q_OBJECT
    ColorOfPressMap scale_;
    forcePlateUILib* window_ = nullptr;
    timeLine* bar_ = nullptr;
    DeviceManagement* panel_ = nullptr;
    QTemporaryDir workDir_;
    QString startDir_;
    std::unique_ptr<QProcess> sim_;

    QToolButton* button(const char* name) const { return bar_->findChild<QToolButton*>(name); }
    QToolButton* recordButton() const { return button("_recordBtn_2"); }
    QLineEdit* field(const char* name) const { return bar_->findChild<QLineEdit*>(name); }
    QSlider* slider() const { return bar_->findChild<QSlider*>("horizontalSlider"); }
    QComboBox* choice(const char* name) const {
        return window_->views().realTime->findChild<QComboBox*>(name);
    }
    QTabWidget* tabs() const { return window_->mainTabs(); }
    QString dataFolder() const { return QDir::cleanPath(app::dataDirectory()); }
    bool recordingIdle() const {
        return recordButton()->isCheckable() && !recordButton()->isChecked() &&
               !panel_->hasOpenRecording() && choice("comboBoxMeasureTime")->isEnabled() &&
               choice("comboBoxMeasureModel")->isEnabled() &&
               !window_->views().realTime->isRecordingMarked();
    }
    void clickRecord() { recordButton()->click(); }
    void loadFrames(int count) {
        bar_->resetTimeline();
        window_->views().balance->analyzeRecording(QString(), recordingOfFrames(count));
    }

private slots:
    void initTestCase() {
        scale_ = loadProgramColorScale();
        window_ = new forcePlateUILib(scale_);
        QTRY_VERIFY(window_->views().dataFiles != nullptr);
        bar_ = window_->views().timeline;
        panel_ = window_->views().deviceManagement;
        startDir_ = QDir::currentPath();
        QDir::setCurrent(workDir_.path());
    }

    void cleanupTestCase() {
        if (sim_) {
            sim_->terminate();
            sim_->waitForFinished(3000);
        }
        QDir::setCurrent(startDir_);
    }

    void init() {
        tabs()->setCurrentIndex(0);
        recordButton()->setCheckable(true);
        recordButton()->setChecked(false);
    }

    // ---- refusals ----

    void recordWithoutAPlateIsRefused() {
        const SeenMessage message = messageDuring([&] { clickRecord(); });
        QCOMPARE(message.title, QString("操作提示"));
        QCOMPARE(message.text, QString("请先点击左侧【发现与刷新】按钮搜索可用设备！"));
        QVERIFY(rawFilesIn(dataFolder()).isEmpty());
    }

    // ---- playback ----

    void playOnlyOnTheBalanceTab() {
        loadFrames(3);
        for (int tab : {0, 1, 3}) {
            tabs()->setCurrentIndex(tab);
            button("_playBtn")->click();
            QVERIFY(!bar_->isPlaying());
        }
    }

    // Frames come in order from the first to the last, where playback stops by itself; a
    // frame whose time has passed may be skipped, never shown late.
    void playRunsToTheLastFrameThenStops() {
        loadFrames(3);
        tabs()->setCurrentIndex(2);
        QSignalSpy finished(bar_, &timeLine::playbackFinished);
        for (int run = 0; run < 2; ++run) {  // the second from the end: again from the first
            QSignalSpy shown(window_->views().balance, SIGNAL(frameShown(int)));
            button("_playBtn")->click();
            QVERIFY(bar_->isPlaying());
            QCOMPARE(button("_playBtn")->toolTip(), QString("暂停"));
            QTRY_VERIFY(!bar_->isPlaying());
            QCOMPARE(finished.size(), run + 1);
            QCOMPARE(shown.first()[0].toInt(), 1);
            QCOMPARE(shown.last()[0].toInt(), 3);
            for (int i = 1; i < shown.size(); ++i)
                QVERIFY(shown[i][0].toInt() > shown[i - 1][0].toInt());
            QCOMPARE(field("lineEditFrame")->text(), QString("3"));
            QCOMPARE(button("_playBtn")->toolTip(), QString("播放"));
        }
    }

    void stepsStayWithinTheRecording() {
        loadFrames(3);
        QSignalSpy shown(window_->views().balance, SIGNAL(frameShown(int)));
        slider()->setValue(2);
        const struct {
            const char* button;
            int frameAfter;
        } steps[] = {{"_backReduceFrameBtn", 1},
                     {"_backReduceFrameBtn", 1},
                     {"_forAddFrameBtn", 2},
                     {"_forAddFrameBtn", 3},
                     {"_forAddFrameBtn", 3}};
        for (const auto& step : steps) {
            button(step.button)->click();
            QCOMPARE(field("lineEditFrame")->text().toInt(), step.frameAfter);
            QCOMPARE(slider()->value(), step.frameAfter);
        }
        QList<int> frames;
        for (const QList<QVariant>& call : shown) frames << call[0].toInt();
        QCOMPARE(frames, (QList<int>{2, 1, 2, 3}));
    }

    void sliderPressPausesAndTabChangeStops() {
        loadFrames(100000);
        tabs()->setCurrentIndex(2);
        button("_playBtn")->click();
        QVERIFY(bar_->isPlaying());
        emit slider()->sliderPressed();
        QVERIFY(!bar_->isPlaying());
        button("_playBtn")->click();
        QVERIFY(bar_->isPlaying());
        tabs()->setCurrentIndex(1);
        QVERIFY(!bar_->isPlaying());
        bar_->resetTimeline();
        QCOMPARE(bar_->totalFrames(), 0);
        QCOMPARE(field("lineEditFrame")->text(), QString("0"));
    }

    void controlsShowAndHideTogether() {
        bar_->setTimelineControlsVisible(true);
        bar_->show();
        QVERIFY(slider()->isVisible() && field("lineEditTotalFrame")->isVisible());
        bar_->grab().save(QDir::tempPath() + "/tessaly_timeline.png");
        bar_->setTimelineControlsVisible(false);
        QVERIFY(!slider()->isVisible() && !button("_playBtn")->isVisible());
        QVERIFY(recordButton()->isVisible());
    }

    // ---- recording with a streaming plate ----

    void recordOnAnotherTabIsRefused() {
        sim_ = std::make_unique<QProcess>();
        sim_->start(PLATE_SIM_PATH, {"--rate", "100", "--port", QString::number(testPlatePort())});
        QVERIFY(sim_->waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(
            (panel_->onPB_refreshDevice_clicked(), !panel_->knownDevices().isEmpty()), 5000);

        tabs()->setCurrentIndex(2);
        const SeenMessage message = messageDuring([&] { clickRecord(); });
        QCOMPARE(message.title, QString("操作提示"));
        QCOMPARE(message.text, QString("请先切换到【单板实时模式】选择设备！"));
        QVERIFY(recordButton()->isChecked());  // left as clicked

        // The next accepted click finds the button checked and only resets the bar.
        tabs()->setCurrentIndex(0);
        QVERIFY(!messageDuring([&] { clickRecord(); }).shown);
        QVERIFY(recordingIdle());
        QVERIFY(rawFilesIn(dataFolder()).isEmpty());
    }

    // Measurement time "5": the field counts the seconds left down to 0 and the file holds the
    // 5 s of frames from the first one (500 at 100 Hz), every one the device panel received
    // meanwhile, as the recorder stores it. The red frame marks the picture meanwhile.
    void measurementTimeEndsTheRecording() {
        QVERIFY(!QDir(dataFolder()).exists());  // the recording creates it
        choice("comboBoxMeasureTime")->setCurrentIndex(1);
        choice("comboBoxMeasureModel")->setCurrentIndex(1);
        QSignalSpy elapsed(field("lineEditTime"), SIGNAL(textChanged(QString)));

        clickRecord();
        QVERIFY(panel_->hasOpenRecording());
        QVERIFY(!choice("comboBoxMeasureTime")->isEnabled());
        QVERIFY(!choice("comboBoxMeasureModel")->isEnabled());
        QVERIFY(window_->views().realTime->isRecordingMarked());
        QTRY_VERIFY_WITH_TIMEOUT(recordingIdle(), 9000);

        QStringList counted;
        for (const QList<QVariant>& change : elapsed) counted << change[0].toString();
        QCOMPARE(counted, (QStringList{"5", "4", "3", "2", "1", "0"}));

        const QStringList files = rawFilesIn(dataFolder());
        QCOMPARE(files.size(), 1);
        QVERIFY(QRegularExpression("^\\d{8}_\\d{9}\\.raw$").match(files[0]).hasMatch());
        const RecordingContents contents = readRecording(dataFolder() + "/" + files[0]);
        QVERIFY2(contents.ok(), qPrintable(contents.error.message));
        QCOMPARE(contents.header.measureMode, 1);
        QCOMPARE(contents.trailingBytes, qint64(0));
        const std::size_t stored = contents.frames.size();
        QVERIFY2(
            stored >= 499 && stored <= 501,
            qPrintable(
                QString("%1 frames, header rate %2").arg(stored).arg(contents.header.frameRate)));
        // Every frame the plate sent meanwhile is in the file, in order without a gap (the side
        // file counts the frame numbers skipped), and the header carries the plate's own rate.
        QFile side(dataFolder() + "/" + files[0] + ".json");
        QVERIFY(side.open(QIODevice::ReadOnly));
        QCOMPARE(side.permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther),
                 QFileDevice::Permissions());
        const QJsonObject counts = QJsonDocument::fromJson(side.readAll()).object();
        QCOMPARE(counts.value("frames").toInt(), int(stored));
        QCOMPARE(counts.value("missed").toInt(), 0);
        QCOMPARE(counts.value("lost").toInt(), 0);
        QCOMPARE(counts.value("serial").toString(), QString("1A2B3C3E"));
        const int headerRate = contents.header.frameRate;
        QVERIFY2(headerRate >= 98 && headerRate <= 102, qPrintable(QString::number(headerRate)));

        auto* list = window_->views().dataFiles->findChild<QTreeWidget*>("treeWidget");
        QCOMPARE(list->topLevelItemCount(), 1);
        QCOMPARE(list->topLevelItem(0)->text(2) + ".raw", files[0]);

        // The new recording opens from the list: handed to the views, balance tab shown.
        list->setCurrentItem(list->topLevelItem(0));
        QVERIFY(!messageDuring([this] { window_->views().dataFiles->onOpenAnimation(); }).shown);
        QCOMPARE(window_->views().balance->frameCount(), int(stored));
        QCOMPARE(tabs()->currentIndex(), 2);
        const QString cache = QString::fromStdString(window_->views().dataFiles->cacheFolder());
        QVERIFY(QFileInfo::exists(cache + "/analysis.jpg"));
        QDir(cache).removeRecursively();
        tabs()->setCurrentIndex(0);
        choice("comboBoxMeasureTime")->setCurrentIndex(0);
        choice("comboBoxMeasureModel")->setCurrentIndex(0);
    }

    void uncreatableFileDoesNotStart() {
        QDir(dataFolder()).removeRecursively();
        QFile blocker(dataFolder());  // a file where the folder should be
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const SeenMessage message = messageDuring([&] { clickRecord(); });
        QFile::remove(dataFolder());
        QVERIFY(message.shown);
        QVERIFY(message.text.startsWith("无法创建数据文件，录制未开始"));
        QVERIFY(recordingIdle());
        QVERIFY(!panel_->isRecording());
    }

    // A full disk (here: a file size limit of the header and three records) ends the
    // recording with a message; the file keeps the whole frames written before.
    void failedWriteStopsWithTheFramesKept() {
        signal(SIGXFSZ, SIG_IGN);
        rlimit previous{};
        getrlimit(RLIMIT_FSIZE, &previous);
        rlimit limited = previous;
        limited.rlim_cur = 27 + 3 * 5001;
        QVERIFY(setrlimit(RLIMIT_FSIZE, &limited) == 0);
        const SeenMessage message = messageDuring([&] {
            clickRecord();
            QTest::qWait(1500);
        });
        setrlimit(RLIMIT_FSIZE, &previous);
        QVERIFY(message.shown);
        QVERIFY2(message.text.startsWith("写入数据文件失败，录制已停止"), qPrintable(message.text));
        QVERIFY(recordingIdle());
        const QStringList files = rawFilesIn(dataFolder());
        QCOMPARE(files.size(), 1);
        QCOMPARE(QFileInfo(dataFolder() + "/" + files[0]).size(), qint64(27 + 3 * 5001));
    }
};

QTEST_MAIN(RecordingTest)
#include "recording_test.moc"
