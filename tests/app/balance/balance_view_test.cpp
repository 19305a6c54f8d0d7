// The balance view with its painter, charts, tables, thumbnail writer and timeline coupling,
// in a temporary working folder. Needs an X display (the painter is an OpenGL widget).
#include <qcustomplot.h>

#include <QLabel>
#include <QProcess>
#include <QSlider>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include "AnalysisResults.h"
#include "ColorScale.h"
#include "FrameZoneLoads.h"
#include "GlobalState.h"
#include "ProcessExit.h"
#include "balance_frames.h"
#include "dataAnalysis.h"
#include "standing_frames.h"
#include "staticTestDrawResult.h"
#include "timeLine.h"

namespace {

LoadedRecording* recordingOf(std::vector<PressureMatrix> frames, std::uint16_t rate = 200) {
    auto* record = new LoadedRecording;
    record->frameRate = rate;
    record->frameCount = static_cast<std::int32_t>(frames.size());
    record->frames = std::move(frames);
    return record;
}

QStringList thumbnailsIn(const QString& folder) {
    return QDir(folder).entryList({"*.jpg"}, QDir::Files, QDir::Name);
}

// Files that are not finished thumbnails (a write cut short leaves its temporary file).
QStringList strayFilesIn(const QString& folder) {
    QStringList stray;
    for (const QString& name : QDir(folder).entryList(QDir::Files))
        if (!QRegularExpression("^\\d+\\.jpg$").match(name).hasMatch()) stray << name;
    return stray;
}

bool allThumbnailsWhole(const QString& folder) {
    for (const QString& name : thumbnailsIn(folder))
        if (QImage(folder + "/" + name).size() != QSize(500, 500)) return false;
    return true;
}

int countPixels(const QImage& image, const std::function<bool(QColor)>& match) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) count += match(image.pixelColor(x, y)) ? 1 : 0;
    return count;
}

// The child process of exitWhileWritingEndsCleanly: ends the program in the middle of a long
// thumbnail pass.
int exitWhileWriting(int argc, char** argv) {
    QApplication app(argc, argv);
    loadColorOfPressMap(globalState());
    auto* view = new dataAnalysis;
    globalState().balanceAnalysisView = view;
    view->analyzeRecording(argv[2], recordingOf(standingRecording(3000, 200)));
    QTest::qWait(200);
    endProcessNow();
}

}  // namespace

class BalanceViewTest : public QObject {
    Q_OBJECT
    QTemporaryDir workDir_;
    QString startDir_;
    QTabWidget tabs_;
    dataAnalysis* view_ = nullptr;
    timeLine* bar_ = nullptr;

    QString cacheFolder(const QString& name) const {
        const QString folder = workDir_.filePath("Resources/cache/" + name);
        QDir().mkpath(folder);
        return folder;
    }
    QTableWidget* table(const char* name) const { return view_->findChild<QTableWidget*>(name); }
    QCustomPlot* chart(const char* name) const { return view_->findChild<QCustomPlot*>(name); }
    QTabWidget* innerTabs() const { return view_->findChild<QTabWidget*>("tabWidget"); }
    staticTestDrawResult* painter() const {
        return view_->findChild<staticTestDrawResult*>("widgetOfAnalysisResultPainter");
    }
    QString cell(const char* tableName, int row, int column) const {
        return table(tableName)->item(row, column)->text();
    }
    void verifyZoneTableShows(const PressureMatrix& frame) {
        const auto loads = frameZoneKilograms(frame);
        for (int i = 0; i < 9; ++i)
            for (FootSide side : kFootSides)
                QCOMPARE(cell("tableWidget_everyFramePressure", 2 + i, 1 + side),
                         QString::number(loads[side][i], 'f', 2));  // kg
    }
    void saveShot(const QString& name) {
        const QString folder = qEnvironmentVariable("BALANCE_VIEW_SHOTS");
        if (!folder.isEmpty()) view_->grab().save(folder + "/" + name);
    }

private slots:
    void initTestCase() {
        loadColorOfPressMap(globalState());
        startDir_ = QDir::currentPath();
        QDir::setCurrent(workDir_.path());
        for (const char* title : {"实时", "静态", "平衡"}) tabs_.addTab(new QWidget, title);
        view_ = new dataAnalysis;
        tabs_.addTab(view_, "平衡分析");
        bar_ = new timeLine(&tabs_);
        globalState().mainTabWidget = &tabs_;
        globalState().balanceAnalysisView = view_;
        globalState().timeLineView = bar_;
        tabs_.resize(1300, 950);
        tabs_.setCurrentIndex(2);
        tabs_.show();
        QVERIFY(QTest::qWaitForWindowExposed(&tabs_));
    }

    void cleanupTestCase() {
        view_->stopFrameImageWorker();
        QDir::setCurrent(startDir_);
    }

    void innerTabDecidesTheTimelineControls() {
        tabs_.setCurrentIndex(3);
        QCOMPARE(innerTabs()->currentIndex(), 1);
        QVERIFY(!bar_->timelineControlsVisible());
        innerTabs()->setCurrentIndex(0);
        QVERIFY(bar_->timelineControlsVisible());
        innerTabs()->setCurrentIndex(1);
        QVERIFY(!bar_->timelineControlsVisible());
        tabs_.setCurrentIndex(0);  // hiding the view hides the controls too
        QVERIFY(!bar_->timelineControlsVisible());
    }

    void analysisFillsChartsTablesAndPainter() {
        tabs_.setCurrentIndex(3);
        const std::vector<PressureMatrix> frames = standingRecording(400, 100);
        view_->analyzeRecording(cacheFolder("standing"), recordingOf(frames, 100));

        const AnalysisResults& results = *globalState().analysisResults;
        QVERIFY(results.ellipseArea > 0 && results.pathLength > 0);
        const double figures[] = {results.ellipseArea, results.ellipseAxisA, results.ellipseAxisB,
                                  results.pathLength,  results.meanSpeedY,   results.meanSpeedX,
                                  results.maxSpeedY,   results.maxSpeedX};
        // mm² and mm with one decimal, cm/s with two.
        const int decimals[] = {1, 1, 1, 1, 2, 2, 2, 2};
        for (int i = 0; i < 8; ++i)
            QCOMPARE(cell("tableWidgetPara", 2 + i, 1),
                     QString::number(figures[i], 'f', decimals[i]));

        // Position chart: every frame, at k / rate seconds (100 frames per second here).
        QCustomPlot* position = chart("widgetOfCopCurve");
        QCOMPARE(position->graphCount(), 2);
        QCOMPARE(position->graph(0)->dataCount(), 400);
        QCOMPARE((position->graph(0)->data()->end() - 1)->key, 399 / 100.0);
        QCOMPARE((position->graph(1)->data()->begin())->value, results.copMillimetres[0].second);
        QCustomPlot* speed = chart("widgetOfCopSpeed");
        QCOMPARE(speed->graphCount(), 3);
        QCOMPARE(speed->graph(2)->dataCount(), results.copSpeedPath.size());
        QCOMPARE(speed->graph(2)->name(), QString("S"));

        verifyZoneTableShows(frames[0]);
        QVERIFY(cell("tableWidget_everyFramePressure", 2, 1).toDouble() > 0);
        QCOMPARE(bar_->totalFrames(), 400);

        // The drawing: white without an analysis image, the yellow trajectory, the red ellipse.
        QTest::qWait(100);
        saveShot("balance_results.png");
        const QImage drawing = painter()->grabFramebuffer();
        if (!qEnvironmentVariable("BALANCE_VIEW_SHOTS").isEmpty())
            drawing.save(qEnvironmentVariable("BALANCE_VIEW_SHOTS") + "/drawing.png");
        const auto isYellow = [](QColor c) {
            return c.red() > 200 && c.green() > 200 && c.blue() < 80;
        };
        const auto isRed = [](QColor c) {
            return c.red() > 200 && c.green() < 60 && c.blue() < 60;
        };
        QVERIFY(countPixels(drawing, isYellow) > 20);
        QVERIFY(countPixels(drawing, isRed) > 20);
        QCOMPARE(drawing.pixelColor(1, 1), QColor(Qt::white));
    }

    void workerWritesEveryThumbnailOnce() {
        const QString folder = cacheFolder("thumbnails");
        const QByteArray marker = "not an image";
        QFile present(folder + "/3.jpg");
        QVERIFY(present.open(QIODevice::WriteOnly) && present.write(marker) == marker.size());
        present.close();
        view_->analyzeRecording(folder, recordingOf(standingRecording(12, 100)));
        QTRY_VERIFY(!view_->frameImageWorkerRunning());

        QStringList expected;  // frame 1 belongs to the loader
        for (int n = 2; n <= 12; ++n) expected << QString("%1.jpg").arg(n);
        expected.sort();
        QCOMPARE(thumbnailsIn(folder), expected);
        QVERIFY(strayFilesIn(folder).isEmpty());
        QVERIFY(present.open(QIODevice::ReadOnly));
        QCOMPARE(present.readAll(), marker);
    }

    void stoppedOrReplacedWorkerLeavesOnlyWholeThumbnails() {
        const QString first = cacheFolder("long_first");
        const QString second = cacheFolder("long_second");
        view_->analyzeRecording(first, recordingOf(standingRecording(2000, 200)));
        QTest::qWait(50);
        view_->analyzeRecording(second, recordingOf(standingRecording(2000, 200)));
        QTest::qWait(50);
        view_->stopFrameImageWorker();
        QVERIFY(!view_->frameImageWorkerRunning());
        for (const QString& folder : {first, second}) {
            QVERIFY(thumbnailsIn(folder).size() < 1999);  // cut short
            QVERIFY(strayFilesIn(folder).isEmpty());
            QVERIFY(allThumbnailsWhole(folder));
        }
    }

    void timelineStepsFramesAndTheZoneTableFollows() {
        std::vector<PressureMatrix> frames = standingRecording(6, 100);
        frames[3] = balancetest::kEmptyFrame;
        // No cache folder, so no thumbnails: every frame is drawn directly.
        view_->analyzeRecording(QString(), recordingOf(frames));
        tabs_.setCurrentIndex(3);
        innerTabs()->setCurrentIndex(0);
        QTest::qWait(100);
        auto* slider = bar_->findChild<QSlider*>("horizontalSlider");
        for (int n : {2, 4, 5}) {
            slider->setValue(n);
            QCOMPARE(view_->currentFrame(), n);
            verifyZoneTableShows(frames[n - 1]);
            const QLabel* image = view_->findChild<QLabel*>("label4PlayingAnalysisedImages");
            QVERIFY(!image->pixmap(Qt::ReturnByValue).isNull());
            if (n != 4) continue;
            for (int row = 2; row <= 10; ++row)  // frame 4 has no pressure
                for (int column : {1, 2})
                    QCOMPARE(cell("tableWidget_everyFramePressure", row, column), QString("0.00"));
        }
        saveShot("balance_frames.png");
        innerTabs()->setCurrentIndex(1);
    }

    void badRecordingsAreHandled_data() {
        QTest::addColumn<int>("pressedFrames");
        QTest::addColumn<int>("emptyFrames");
        QTest::addColumn<int>("rate");
        QTest::newRow("no frames") << 0 << 0 << 200;
        QTest::newRow("no pressure") << 0 << 5 << 200;
        QTest::newRow("one frame with pressure") << 1 << 3 << 200;
        QTest::newRow("rate 0") << 20 << 0 << 0;
    }
    void badRecordingsAreHandled() {
        QFETCH(int, pressedFrames);
        QFETCH(int, emptyFrames);
        QFETCH(int, rate);
        std::vector<PressureMatrix> frames = standingRecording(pressedFrames, 100);
        frames.resize(frames.size() + emptyFrames);
        view_->analyzeRecording(QString(), recordingOf(frames, static_cast<std::uint16_t>(rate)));

        QCOMPARE(view_->frameCount(), pressedFrames + emptyFrames);
        QCOMPARE(chart("widgetOfCopCurve")->graph(0)->dataCount(), pressedFrames + emptyFrames);
        const bool enough = pressedFrames >= 2;
        QCOMPARE(cell("tableWidgetPara", 2, 1) == "数据不足", !enough);
        QCOMPARE(cell("tableWidgetPara", 5, 1).isEmpty(), false);
        if (rate == 0)  // read as the rate every file is written with
            QCOMPARE((chart("widgetOfCopCurve")->graph(0)->data()->end() - 1)->key, 19 / 200.0);
        view_->showFrame(pressedFrames + emptyFrames + 1);  // outside: ignored
        QCOMPARE(painter()->grabFramebuffer().isNull(), false);
    }

    void originSlotsMoveThePainter() {
        for (const char* slot : {"onPointMoveRight", "onPointMoveRight", "onPointMoveDown"})
            QVERIFY(QMetaObject::invokeMethod(view_, slot));
        QCOMPARE(painter()->originOffset(), QPoint(4, 2));
        QVERIFY(QMetaObject::invokeMethod(view_, "onPointMoveLeft"));
        QVERIFY(QMetaObject::invokeMethod(view_, "onPointMoveUp"));
        QCOMPARE(painter()->originOffset(), QPoint(2, 0));
    }

    void exitWhileWritingEndsCleanly() {
        const QString folder = cacheFolder("exit");
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {"--exit-while-writing", folder});
        QVERIFY(child.waitForFinished(60000));
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        QCOMPARE(child.exitCode(), 0);
        QVERIFY(!thumbnailsIn(folder).isEmpty());
        QVERIFY(thumbnailsIn(folder).size() < 2999);
        QVERIFY(strayFilesIn(folder).isEmpty());
        QVERIFY(allThumbnailsWhole(folder));
    }
};

int main(int argc, char** argv) {
    if (argc == 3 && QByteArray(argv[1]) == "--exit-while-writing")
        return exitWhileWriting(argc, argv);
    QApplication app(argc, argv);
    BalanceViewTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "balance_view_test.moc"
