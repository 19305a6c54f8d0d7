// The static analysis view on a simulated standing recording: figures, drawings, charts, the
// colours of "ConfigColor.ini" and the report screenshots.
#include <QLabel>
#include <QProcess>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtCharts/QAbstractBarSeries>
#include <QtCharts/QBarSet>
#include <QtCharts/QChartView>
#include <QtTest>
#include <cmath>

#include "AnalysisColors.h"
#include "AppConstants.h"
#include "ColorScale.h"
#include "FootFigures.h"
#include "RecordingLoader.h"
#include "StaticPainters.h"
#include "forcePlateStaticDataAnalysis.h"

using namespace QtCharts;

namespace {

// The values of every bar set of the chart in container, set after set; empty without chart.
QVector<double> barValues(QWidget* container) {
    QVector<double> values;
    const auto* view = container->findChild<QChartView*>();
    if (view == nullptr) return values;
    for (QAbstractSeries* series : view->chart()->series())
        for (QBarSet* set : static_cast<QAbstractBarSeries*>(series)->barSets())
            for (int i = 0; i < set->count(); ++i) values << set->at(i);
    return values;
}

QColor firstBarColor(QWidget* container, int set) {
    const auto* view = container->findChild<QChartView*>();
    return static_cast<QAbstractBarSeries*>(view->chart()->series().front())
        ->barSets()[set]
        ->color();
}

QImage grabbed(QWidget* widget) { return widget->grab().toImage(); }

}  // namespace

class StaticViewTest : public QObject {
    Q_OBJECT
    QTemporaryDir workDir_;
    QString startDir_;
    std::unique_ptr<LoadedRecording> recording_;
    QString cacheFolder_;

    template <typename T>
    static T* child(QWidget& view, const char* name) {
        T* found = view.findChild<T*>(name);
        if (found == nullptr) qFatal("no child %s", name);
        return found;
    }
    // Shows view at size, analyses the recording and waits until the figures are shown and
    // the image is fitted to its box.
    bool analyzeAt(forcePlateStaticDataAnalysis& view, const QSize& size) {
        view.resize(size);
        view.show();
        if (!QTest::qWaitForWindowExposed(&view)) return false;
        QWidget* box = child<QWidget>(view, "tab1_topWidgetBox");
        QLabel* image = child<QLabel>(view, "label_drawable");
        const auto fitted = [&] {
            return image->width() == analysisImageSide(box->width(), box->height()) &&
                   view.drawnSubdivision() == image->width() / 50;
        };
        if (!QTest::qWaitFor(fitted, 5000)) return false;
        view.analyzeDataFile(cacheFolder_, recording_.get());
        return QTest::qWaitFor(
            [&] {
                return fitted() &&
                       !barValues(child<QWidget>(view, "widget_footZonePressure")).isEmpty();
            },
            5000);
    }

    ColorOfPressMap scale_;

private slots:
    void initTestCase() {
        scale_ = loadProgramColorScale();
        startDir_ = QDir::currentPath();
        QVERIFY(QDir().mkpath(workDir_.filePath("cache/standing")));
        const QString raw = workDir_.filePath("standing.raw");
        QCOMPARE(QProcess::execute(PLATE_SIM_PATH, {"--write-raw", raw, "--seconds", "2"}), 0);
        RecordingLoad load = loadRecording(raw);
        QVERIFY(load.status == RecordingLoad::Status::Loaded);
        recording_ = std::move(load.recording);
        cacheFolder_ = workDir_.filePath("cache/standing");
        QDir::setCurrent(workDir_.path());
    }
    void cleanupTestCase() { QDir::setCurrent(startDir_); }

    void imageSideIsAWholeNumberOfPixelsPerCell_data() {
        QTest::addColumn<QSize>("box");
        QTest::addColumn<int>("side");
        QTest::newRow("height limits") << QSize(612, 530) << 500;
        QTest::newRow("width limits") << QSize(570, 900) << 550;
        QTest::newRow("exact multiple") << QSize(510, 502) << 500;
        QTest::newRow("below one cell") << QSize(59, 400) << 0;
        QTest::newRow("too small") << QSize(5, 1) << 0;
    }
    void imageSideIsAWholeNumberOfPixelsPerCell() {
        QFETCH(QSize, box);
        QFETCH(int, side);
        QCOMPARE(analysisImageSide(box.width(), box.height()), side);
    }

    void figuresDoNotDependOnWindowSize() {
        const StaticAnalysis expected = analyzeStatic(recording_->frames);
        QVERIFY(expected.feet[kLeftFoot].total > 0 && expected.feet[kRightFoot].total > 0);
        QVector<double> zonesShown[2];
        QVector<double> pressuresShown[2];
        int imageSide[2] = {};
        const QSize sizes[2] = {QSize(900, 700), QSize(1500, 1100)};
        for (int i = 0; i < 2; ++i) {
            forcePlateStaticDataAnalysis view(scale_);
            QVERIFY(analyzeAt(view, sizes[i]));
            for (const FootSide side : kFootSides) {
                const FootRecord& shown = view.analysis().feet[side];
                const FootRecord& want = expected.feet[side];
                QCOMPARE(shown.rect, want.rect);
                QCOMPARE(QVector<double>(shown.zones.begin(), shown.zones.end()),
                         QVector<double>(want.zones.begin(), want.zones.end()));
                QCOMPARE(shown.total, want.total);
                QCOMPARE(shown.share, want.share);
                QCOMPARE(shown.footType, want.footType);
            }
            QCOMPARE(child<QLabel>(view, "label_leftFootAreaValue")->text(),
                     contactAreaText(expected.feet[kLeftFoot].contactArea));
            QCOMPARE(child<QLabel>(view, "label_rightFootAreaValue")->text(),
                     contactAreaText(expected.feet[kRightFoot].contactArea));
            zonesShown[i] = barValues(child<QWidget>(view, "widget_footPressureSummary"));
            pressuresShown[i] = barValues(child<QWidget>(view, "widget_footZonePressure"));
            imageSide[i] = child<QLabel>(view, "label_drawable")->width();
        }
        QVERIFY2(imageSide[0] != imageSide[1], "both sizes drew the image alike");
        QCOMPARE(zonesShown[0].size(), 16);
        QCOMPARE(zonesShown[0], zonesShown[1]);
        // The bars carry the figures as their labels show them: whole raw units.
        QCOMPARE(pressuresShown[0],
                 (QVector<double>{std::round(expected.feet[kLeftFoot].averagePressure),
                                  double(expected.feet[kLeftFoot].maxPressure),
                                  std::round(expected.feet[kRightFoot].averagePressure),
                                  double(expected.feet[kRightFoot].maxPressure)}));
        QCOMPARE(pressuresShown[0], pressuresShown[1]);
    }

    // Colours from the file, or the defaults when it is missing, on the zone outline, the
    // ratio bar and both charts.
    void drawingsUseTheConfiguredColours_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QColor>("zoneLine");
        QTest::addColumn<QColor>("left");
        QTest::addColumn<QColor>("right");
        QTest::newRow("missing file")
            << QByteArray() << QColor(255, 0, 0) << QColor(105, 148, 205) << QColor(246, 209, 113);
        QTest::newRow("chosen colours")
            << QByteArray(
                   "[colorSettings]\neightAreaLine=0,200,0\nleftFootPercent=10,20,30\n"
                   "rightFootPercent=200,100,50\n")
            << QColor(0, 200, 0) << QColor(10, 20, 30) << QColor(200, 100, 50);
    }
    void drawingsUseTheConfiguredColours() {
        QFETCH(QByteArray, ini);
        QFETCH(QColor, zoneLine);
        QFETCH(QColor, left);
        QFETCH(QColor, right);
        QFile::remove(analysisColorsIniPath());
        if (!ini.isEmpty()) {
            QFile file(analysisColorsIniPath());
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(ini);
        }
        forcePlateStaticDataAnalysis view(scale_);
        QVERIFY(analyzeAt(view, QSize(1115, 802)));
        const int s = view.drawnSubdivision();
        const QImage image =
            child<QLabel>(view, "label_drawable")->pixmap(Qt::ReturnByValue).toImage();
        for (const FootSide side : kFootSides) {
            const QRect r = view.analysis().feet[side].rect;
            const int middle = s * r.y() + s * (r.height() + 1) * 55 / 100;
            QCOMPARE(image.pixelColor(s * r.x(), middle), zoneLine);
            QCOMPARE(image.pixelColor(s * (r.x() + r.width() + 1), middle), zoneLine);
        }
        QWidget* bar = child<QWidget>(view, "openGLWidget_footPercent");
        const QImage ratio = grabbed(bar);
        QCOMPARE(ratio.pixelColor(1, ratio.height() - 2), left);
        QCOMPARE(ratio.pixelColor(ratio.width() - 1, ratio.height() - 2), right);
        for (const char* chart : {"widget_footPressureSummary", "widget_footZonePressure"}) {
            QCOMPARE(firstBarColor(child<QWidget>(view, chart), 0), left);
            QCOMPARE(firstBarColor(child<QWidget>(view, chart), 1), right);
        }
    }

    // Every tab painted: screenshots land in /tmp for a look.
    void tabsShowTheirPanels() {
        forcePlateStaticDataAnalysis view(scale_);
        // Tall enough for the region panel's full 640 px, so its lines sit where it draws them.
        QVERIFY(analyzeAt(view, QSize(1115, 950)));
        auto* tabs = child<QTabWidget>(view, "tabWidget");
        for (int tab = 0; tab < 3; ++tab) {
            tabs->setCurrentIndex(tab);
            QTest::qWait(150);
        }
        tabs->setCurrentIndex(1);
        QTest::qWait(150);
        const QImage front = grabbed(child<QWidget>(view, "label_picLeftTopFoot"));
        QCOMPARE(front.pixelColor(front.width() - 70, front.height() / 2), QColor(246, 208, 114));
        const QImage rear = grabbed(child<QWidget>(view, "label_picRightBottomFoot"));
        QCOMPARE(rear.pixelColor(12, rear.height() / 2), QColor(106, 148, 205));
        const QImage scale = grabbed(child<QWidget>(view, "tab2_evaluationSamplePic"));
        QCOMPARE(scale.pixelColor(scale.width() / 2, scale.height() * 58 / 100),
                 QColor(120, 190, 90));
        const QImage shape = grabbed(child<QWidget>(view, "tab2_openGLWidgetFootShape"));
        int coloured = 0;
        for (int y = 0; y < shape.height(); y += 4)
            for (int x = 0; x < shape.width(); x += 4)
                coloured += shape.pixel(x, y) != qRgb(255, 255, 255);
        QVERIFY2(coloured * 16 > shape.width() * shape.height() / 10, "no analysis image");
        tabs->setCurrentIndex(2);
        QTest::qWait(150);
        QWidget* regions = child<QWidget>(view, "tab3_openGLWidgetForce");
        // Laid out once the page has settled in its scroll area.
        QTRY_COMPARE(grabbed(regions).pixelColor(101, 150), QColor(Qt::darkBlue));
        const QImage panel = grabbed(regions);
        QCOMPARE(panel.pixelColor(1, 300), QColor(Qt::darkGray));
    }

    void missingOrEmptyRecordingLeavesThePageEmpty() {
        forcePlateStaticDataAnalysis view(scale_);
        QVERIFY(analyzeAt(view, QSize(1115, 802)));
        LoadedRecording empty;
        for (const LoadedRecording* record : {static_cast<const LoadedRecording*>(nullptr),
                                              static_cast<const LoadedRecording*>(&empty)}) {
            view.analyzeDataFile(cacheFolder_, record);
            QTest::qWait(120);
            QVERIFY(barValues(child<QWidget>(view, "widget_footPressureSummary")).isEmpty());
            QVERIFY(barValues(child<QWidget>(view, "widget_footZonePressure")).isEmpty());
            QCOMPARE(child<QLabel>(view, "label_leftFootAreaValue")->text(), QString("0"));
            QCOMPARE(view.analysis().feet[kLeftFoot].total, 0);
            const QImage image =
                child<QLabel>(view, "label_drawable")->pixmap(Qt::ReturnByValue).toImage();
            QCOMPARE(image.pixelColor(image.width() / 2, image.height() / 2), QColor(Qt::white));
            const QImage ratio = grabbed(child<QWidget>(view, "openGLWidget_footPercent"));
            QCOMPARE(ratio.pixelColor(ratio.width() / 2, ratio.height() / 2), QColor(Qt::white));
        }
    }

    void reportScreenshotsAreWrittenAndRemoved() {
        forcePlateStaticDataAnalysis view(scale_);
        QVERIFY(analyzeAt(view, QSize(1115, 802)));
        view.saveTabImagesForReport("stamp");
        QCOMPARE(child<QTabWidget>(view, "tabWidget")->currentIndex(), 2);
        const char* contents[] = {"tab1_defaultWidget", "tab2_mainWidgetBox",
                                  "tab3_primaryWidgetBox"};
        QStringList paths;
        for (int tab = 0; tab < 3; ++tab) {
            const QString path = app::cacheDirectory() + QString("stamp_tab%1.png").arg(tab + 1);
            const QImage shot(path);
            QVERIFY2(!shot.isNull(), qPrintable(path));
            QCOMPARE(shot.size(), child<QWidget>(view, contents[tab])->size());
            paths << path;
        }
        QTRY_VERIFY_WITH_TIMEOUT(
            !QFile::exists(paths[0]) && !QFile::exists(paths[1]) && !QFile::exists(paths[2]),
            15000);
    }
};

QTEST_MAIN(StaticViewTest)
#include "static_analysis_view_test.moc"
