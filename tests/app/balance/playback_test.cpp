// Playback through the timeline bar of a recording written by plate-sim, with the balance view
// on its tab as in the program: real time at the chosen speed, the time shown, a typed frame.
// Needs an X display.
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

#include "ColorScale.h"
#include "RecordingLoader.h"
#include "ViewWiring.h"
#include "dataAnalysis.h"
#include "timeLine.h"

class PlaybackTest : public QObject {
    Q_OBJECT
    QTemporaryDir workDir_;
    QString startDir_;
    ColorOfPressMap scale_;
    QTabWidget tabs_;
    dataAnalysis* view_ = nullptr;
    timeLine* bar_ = nullptr;

    QComboBox* speeds() const { return bar_->findChild<QComboBox*>("comboBoxSpeed"); }
    QLineEdit* frameField() const { return bar_->findChild<QLineEdit*>("lineEditFrame"); }
    QString timeText() const { return bar_->findChild<QLabel*>("labelPlaybackTime")->text(); }

private slots:
    void initTestCase() {
        scale_ = loadProgramColorScale();
        startDir_ = QDir::currentPath();
        QDir::setCurrent(workDir_.path());
        // 3 s at 200 Hz: 600 frames.
        const QString path = workDir_.filePath("playback.raw");
        QProcess sim;
        sim.start(PLATE_SIM_PATH, {"--write-raw", path, "--seconds", "3", "--rate", "200"});
        QVERIFY(sim.waitForFinished(60000) && sim.exitCode() == 0);
        RecordingLoad load = loadRecording(path);
        QCOMPARE(load.status, RecordingLoad::Status::Loaded);
        QCOMPARE(load.recording->frameRate, std::uint16_t{200});

        for (const char* title : {"实时", "静态"}) tabs_.addTab(new QWidget, title);
        view_ = new dataAnalysis(scale_);
        tabs_.addTab(view_, "平衡分析");
        bar_ = new timeLine(nullptr, nullptr, &tabs_);
        connectPlayback(*view_, *bar_);  // as the main window wires them
        tabs_.resize(1300, 950);
        tabs_.setCurrentIndex(2);
        tabs_.show();
        QVERIFY(QTest::qWaitForWindowExposed(&tabs_));
        view_->findChild<QTabWidget*>("tabWidget")->setCurrentIndex(0);
        view_->analyzeRecording(QString(), load.recording.release());
        QCOMPARE(bar_->totalFrames(), 600);
        QCOMPARE(timeText(), QString("0.00 / 3.00 s"));
    }

    void cleanupTestCase() {
        bar_->stopPlayback();
        QDir::setCurrent(startDir_);
    }

    void speedsOffered() {
        QStringList texts;
        for (int i = 0; i < speeds()->count(); ++i) texts << speeds()->itemText(i);
        QCOMPARE(texts, (QStringList{"0.25x", "0.5x", "1x", "2x", "4x"}));
        QCOMPARE(speeds()->currentText(), QString("1x"));
        QCOMPARE(bar_->playbackSpeed(), 1.0);
    }

    void typedFrameIsShown_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("frame");
        QTest::addColumn<QString>("time");
        QTest::newRow("inside") << "251" << 251 << "1.25 / 3.00 s";
        QTest::newRow("past the end") << "700" << 600 << "3.00 / 3.00 s";
        QTest::newRow("zero") << "0" << 1 << "0.00 / 3.00 s";
        QTest::newRow("letters refused") << "abc" << 1 << "0.00 / 3.00 s";
    }
    void typedFrameIsShown() {
        QFETCH(QString, typed);
        QFETCH(int, frame);
        QFETCH(QString, time);
        frameField()->clear();
        QTest::keyClicks(frameField(), typed);
        QTest::keyClick(frameField(), Qt::Key_Return);
        QCOMPARE(bar_->currentFrame(), frame);
        QCOMPARE(view_->currentFrame(), frame);
        QCOMPARE(frameField()->text(), QString::number(frame));
        QCOMPARE(timeText(), time);
    }

    // Real time from the recording's rate: 600 frames at 200 Hz take 3 s at 1x (the last
    // frame is due at 2.995 s) and a quarter of that at 4x; frames are only ever skipped.
    void playsInRealTime_data() {
        QTest::addColumn<QString>("speed");
        QTest::addColumn<double>("seconds");
        QTest::newRow("1x") << "1x" << 2.995;
        QTest::newRow("4x") << "4x" << 2.995 / 4;
    }
    void playsInRealTime() {
        QFETCH(QString, speed);
        QFETCH(double, seconds);
        speeds()->setCurrentText(speed);
        QSignalSpy finished(bar_, &timeLine::playbackFinished);
        QSignalSpy shown(view_, &dataAnalysis::frameShown);
        QElapsedTimer clock;
        clock.start();
        // 1x starts where the frame field left it, frame 1; 4x from the end: again from 1.
        QMetaObject::invokeMethod(bar_, "slotActionPlayOrStop");
        QVERIFY(bar_->isPlaying());
        QCOMPARE(bar_->currentFrame(), 1);
        QVERIFY(finished.wait(int(seconds * 3000)));
        const double took = clock.nsecsElapsed() / 1e9;
        QVERIFY2(qAbs(took - seconds) <= 0.1 * seconds,
                 qPrintable(QString("%1 s instead of %2 s").arg(took).arg(seconds)));
        QVERIFY(!bar_->isPlaying());
        QCOMPARE(bar_->currentFrame(), 600);
        QCOMPARE(view_->currentFrame(), 600);
        QCOMPARE(shown.last().at(0).toInt(), 600);
        for (int i = 1; i < shown.size(); ++i)
            QVERIFY(shown.at(i).at(0).toInt() > shown.at(i - 1).at(0).toInt());
        QCOMPARE(timeText(), QString("3.00 / 3.00 s"));
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    PlaybackTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "playback_test.moc"
