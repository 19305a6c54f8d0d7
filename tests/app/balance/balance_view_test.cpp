// The balance view with its painter, charts, tables, frame images and timeline coupling, in a
// temporary working folder. Needs an X display (the painter is an OpenGL widget).
#include <qcustomplot.h>

#include <QLabel>
#include <QSlider>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

#include "AnalysisResults.h"
#include "ColorScale.h"
#include "FrameZoneLoads.h"
#include "SwayPlotWidget.h"
#include "ViewWiring.h"
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

int countPixels(const QImage& image, const std::function<bool(QColor)>& match) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) count += match(image.pixelColor(x, y)) ? 1 : 0;
    return count;
}

}  // namespace

class BalanceViewTest : public QObject {
    Q_OBJECT
    QTemporaryDir workDir_;
    QString startDir_;
    ColorOfPressMap scale_;
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
        scale_ = loadProgramColorScale();
        startDir_ = QDir::currentPath();
        QDir::setCurrent(workDir_.path());
        for (const char* title : {"实时", "静态", "平衡"}) tabs_.addTab(new QWidget, title);
        view_ = new dataAnalysis(scale_);
        tabs_.addTab(view_, "平衡分析");
        bar_ = new timeLine(nullptr, nullptr, &tabs_);
        connectPlayback(*view_, *bar_);  // as the main window wires them
        tabs_.resize(1300, 950);
        tabs_.setCurrentIndex(2);
        tabs_.show();
        QVERIFY(QTest::qWaitForWindowExposed(&tabs_));
    }

    void cleanupTestCase() { QDir::setCurrent(startDir_); }

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

    // The standard measures page lists every measure under its group, and the sway plot on
    // the results page draws the trajectory and the prediction ellipse; a recording shorter
    // than two seconds says so on both.
    void standardMeasuresPageAndSwayPlot() {
        tabs_.setCurrentIndex(3);
        view_->analyzeRecording(cacheFolder("measures"),
                                recordingOf(standingRecording(400, 100), 100));
        QVERIFY(view_->posturography().results);
        auto* tree = view_->findChild<QTreeWidget*>("treeMeasures");
        QCOMPARE(tree->topLevelItemCount(), 3);
        int measures = 0;
        for (int g = 0; g < tree->topLevelItemCount(); ++g)
            measures += tree->topLevelItem(g)->childCount();
        QCOMPARE(measures, 38);
        QVERIFY(!tree->topLevelItem(0)->child(0)->toolTip(0).isEmpty());
        QVERIFY(view_->findChild<QLabel*>("labelPreprocessing")->text().contains("低通 10 Hz"));

        innerTabs()->setCurrentIndex(1);
        auto* plot = view_->findChild<SwayPlotWidget*>();
        QTRY_VERIFY(plot->isVisible() && plot->width() > 100);
        const QImage drawn = plot->grab().toImage();
        QVERIFY(countPixels(drawn, [](QColor c) { return c == QColor(210, 40, 40); }) > 50);
        // The trajectory's antialiased blue, whatever its shade.
        QVERIFY(countPixels(drawn, [](QColor c) { return c.blue() > c.red() + 80; }) > 20);

        view_->analyzeRecording(QString(), recordingOf(standingRecording(150, 100), 100));
        QVERIFY(!view_->posturography().results);
        QCOMPARE(view_->findChild<QLabel*>("labelPreprocessing")->text(), QString("记录太短"));
        QCOMPARE(tree->topLevelItemCount(), 0);
    }

    void analysisFillsChartsTablesAndPainter() {
        tabs_.setCurrentIndex(3);
        const std::vector<PressureMatrix> frames = standingRecording(400, 100);
        view_->analyzeRecording(cacheFolder("standing"), recordingOf(frames, 100));

        const AnalysisResults& results = view_->results();
        QVERIFY(results.ellipseArea > 0 && results.pathLength > 0);
        const double figures[] = {results.ellipseArea, results.ellipseAxisA, results.ellipseAxisB,
                                  results.pathLength,  results.meanSpeedY,   results.meanSpeedX,
                                  results.maxSpeedY,   results.maxSpeedX};
        // mm² and mm with one decimal, cm/s with two.
        const int decimals[] = {1, 1, 1, 1, 2, 2, 2, 2};
        for (int i = 0; i < 8; ++i)
            QCOMPARE(cell("tableWidgetPara", 2 + i, 1),
                     QString::number(figures[i], 'f', decimals[i]));
        // The axis rows hold the ellipse's full axes, not movements along X and Y.
        QCOMPARE(cell("tableWidgetPara", 3, 0), QString("椭圆长轴(毫米)"));
        QCOMPARE(cell("tableWidgetPara", 4, 0), QString("椭圆短轴(毫米)"));

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

    // Frames are drawn from the recording when shown, the same picture again when shown again,
    // and nothing goes into the cache folder.
    void framesAreDrawnWithoutFiles() {
        const QString folder = cacheFolder("drawn");
        const std::vector<PressureMatrix> frames = standingRecording(40, 100);
        view_->analyzeRecording(folder, recordingOf(frames));
        tabs_.setCurrentIndex(3);
        innerTabs()->setCurrentIndex(0);
        const QLabel* image = view_->findChild<QLabel*>("label4PlayingAnalysisedImages");
        QTRY_VERIFY(image->width() > 100);
        QImage first;
        for (int n : {1, 20, 40, 30, 20, 1}) {  // more frames than are kept in memory, and back
            view_->showFrame(n);
            const QImage shown = image->pixmap(Qt::ReturnByValue).toImage();
            const int side = std::min(image->width(), image->height());
            const QImage expected =
                renderFrameImage(scale_, frames[n - 1], kFrameImageSide)
                    .scaled(side, side, Qt::KeepAspectRatio, Qt::FastTransformation)
                    .convertToFormat(shown.format());
            QCOMPARE(shown, expected);
            if (n == 1 && first.isNull()) first = shown;
        }
        QCOMPARE(image->pixmap(Qt::ReturnByValue).toImage(), first);
        QVERIFY(QDir(folder).entryList(QDir::Files).isEmpty());
        innerTabs()->setCurrentIndex(1);
    }

    // The drawing keeps the analysis image it was given, so renaming or deleting the recording
    // (and its cache folder with it) while it is shown changes nothing on screen.
    void trajectoryBackgroundOutlivesTheCacheFolder() {
        const QString folder = cacheFolder("background");
        QImage green(500, 500, QImage::Format_RGB32);
        green.fill(QColor(0, 200, 0));
        QVERIFY(green.save(folder + "/analysis.jpg"));
        view_->analyzeRecording(folder, recordingOf(standingRecording(50, 100)));
        QVERIFY(QDir(folder).removeRecursively());
        innerTabs()->setCurrentIndex(1);
        painter()->update();
        const QColor corner = painter()->grabFramebuffer().pixelColor(1, 1);
        QVERIFY2(corner.green() > 150 && corner.red() < 60, qPrintable(corner.name()));
    }

    void recentFrameImagesKeepTheLastFew() {
        const std::vector<PressureMatrix> frames = standingRecording(12, 100);
        RecentFrameImages recent(scale_);
        for (int n = 1; n <= 12; ++n) recent.imageOf(n, frames[n - 1]);
        QCOMPARE(recent.size(), RecentFrameImages::kCapacity);
        // A kept image is given back as it was, even when asked with another frame's data.
        QCOMPARE(recent.imageOf(12, frames[0]),
                 renderFrameImage(scale_, frames[11], kFrameImageSide));
        QCOMPARE(recent.imageOf(1, frames[0]),
                 renderFrameImage(scale_, frames[0], kFrameImageSide));
        QCOMPARE(recent.size(), RecentFrameImages::kCapacity);
        recent.clear();
        QCOMPARE(recent.size(), std::size_t{0});
    }

    void originSlotsMoveThePainter() {
        for (const char* slot : {"onPointMoveRight", "onPointMoveRight", "onPointMoveDown"})
            QVERIFY(QMetaObject::invokeMethod(view_, slot));
        QCOMPARE(painter()->originOffset(), QPoint(4, 2));
        QVERIFY(QMetaObject::invokeMethod(view_, "onPointMoveLeft"));
        QVERIFY(QMetaObject::invokeMethod(view_, "onPointMoveUp"));
        QCOMPARE(painter()->originOffset(), QPoint(2, 0));
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    BalanceViewTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "balance_view_test.moc"
