#include "dataAnalysis.h"

#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <cstdio>

#include "AnalysisImages.h"
#include "AnalysisResults.h"
#include "BalanceCharts.h"
#include "BalanceTables.h"
#include "ConfidenceEllipse.h"
#include "CopChartSeries.h"
#include "CopSeries.h"
#include "StandardMeasuresPage.h"
#include "SwayPlotWidget.h"
#include "TrajectoryRect.h"
#include "ViewHelpers.h"
#include "staticTestDrawResult.h"
#include "ui_dataAnalysis.h"

namespace {

constexpr int kFramePage = 0;

}  // namespace

dataAnalysis::dataAnalysis(const ColorOfPressMap& scale, QWidget* parent)
    : QWidget(parent), ui_(new Ui::dataAnalysisForm), recentImages_(scale) {
    ui_->setupUi(this);
    ui_->widget_8->hide();
    connect(ui_->tabWidget, &QTabWidget::currentChanged, this,
            &dataAnalysis::slotActionOnTabChangeTo);
    setupBalanceChart(ui_->widgetOfCopCurve, "足底压力中心(cop)轨迹", "Coordinate(mm)",
                      {{"X", Qt::blue}, {"Y", Qt::red}});
    setupBalanceChart(ui_->widgetOfCopSpeed, "足底压力中心(cop)速度", "Speed(cm/s)",
                      {{"X", Qt::blue}, {"Y", Qt::red}, {"S", Qt::green}});
    setupParameterTable(ui_->tableWidgetPara);
    setupFramePressureTable(ui_->tableWidget_everyFramePressure);
    connect(ui_->pushButtonPublishReports, &QPushButton::clicked, this,
            &dataAnalysis::slotActionPublishReports);
    ui_->label4ScalerImage->hide();

    standardPage_ = new StandardMeasuresPage(readLowpassSetting(analysisSettingsIniPath()));
    ui_->tabWidget->addTab(standardPage_, "标准参数");
    connect(standardPage_, &StandardMeasuresPage::lowpassChanged, this, [this](double hz) {
        writeLowpassSetting(analysisSettingsIniPath(), hz);
        analyzePosturographyOf(hz);
    });
    // The sway plot in mm is the page's main plot; the plate-scale drawing stays one click away.
    swayPlot_ = new SwayPlotWidget(ui_->widget_10);
    plateDrawingToggle_ = new QToolButton(ui_->widget_10);
    plateDrawingToggle_->setText("足底平面图");
    plateDrawingToggle_->setCheckable(true);
    connect(plateDrawingToggle_, &QToolButton::toggled, this, [this] { refreshLayout(); });
}

dataAnalysis::~dataAnalysis() { delete ui_; }

QTableWidget* dataAnalysis::getResultTableWidget() const { return ui_->tableWidgetPara; }

QString dataAnalysis::commentText() const { return ui_->textEdit_Evaluation->toPlainText(); }

void dataAnalysis::slotActionPublishReports() { emit publishRequested(commentText()); }

QStringList dataAnalysis::saveChartsForReport(const QString& folder, const QString& stamp) {
    const QString prefix = folder + stamp;
    const QStringList paths{prefix + "_FootCopCurve.png", prefix + "_FootCopSpeedCurve.png",
                            prefix + "_FootCopTable.png"};
    const auto saved = [](bool ok, const QString& path) {
        if (!ok) std::fprintf(stderr, "report: %s could not be saved\n", qPrintable(path));
        waitProcessingEvents(kAfterReportPictureWaitMs);
    };
    saved(ui_->widgetOfCopCurve->savePng(paths[0], 387, 224, 1.0, -1, 96), paths[0]);
    saved(ui_->widgetOfCopSpeed->savePng(paths[1], 387, 224, 1.0, -1, 96), paths[1]);
    saved(ui_->widgetPara->grab().save(paths[2], "PNG"), paths[2]);
    return paths;
}

void dataAnalysis::analyzeRecording(const QString& cacheFolder, LoadedRecording* record) {
    loadedRecording_.reset(record ? record : new LoadedRecording);
    recentImages_.clear();
    ui_->textEdit_Evaluation->clear();  // the comment was written for the previous recording
    const LoadedRecording& recording = *loadedRecording_;
    currentFrame_ = 1;
    frameCount_ = static_cast<int>(recording.frames.size());

    AnalysisResults& results = results_;
    const UsableFrameRate rate =
        computeCopSeries(recording.frames, recording.frameRate, results, trajectory_);
    if (!rate.warning.empty()) std::printf("%s\r\n", rate.warning.c_str());
    frameRate_ = rate.framesPerSecond;
    const EllipseOutcome ellipse = computeConfidenceEllipse(results);
    swaySamples_ = copSamplesWithPressure(results);
    analyzePosturographyOf(standardPage_->lowpassHz());

    // Read once: the drawing stays whole when the recording's cache folder is renamed or
    // removed while it is shown.
    const QString imagePath = analysisImagePath(cacheFolder);
    const QImage background = QFileInfo::exists(imagePath) ? QImage(imagePath) : QImage();
    ui_->widgetOfAnalysisResultPainter->setTrajectory(background, trajectory_,
                                                      fitTrajectoryRect(trajectory_));
    ui_->widgetOfAnalysisResultPainter->update();
    plotBalanceChart(ui_->widgetOfCopCurve, copPositionSeries(trajectory_, rate.framesPerSecond));
    plotBalanceChart(ui_->widgetOfCopSpeed, copSpeedSeries(results, rate.framesPerSecond));
    fillParameterTable(ui_->tableWidgetPara, results, ellipse.status == EllipseStatus::Computed,
                       ellipse.status == EllipseStatus::NotEnoughData
                           ? QString("数据不足")
                           : QString::fromStdString(ellipse.message));

    if (frameCount_ > 0) {
        showFrame(1);
    } else {
        ui_->label4PlayingAnalysisedImages->clear();
        frameImage_ = QImage();
    }
    syncTimeline();
    if (ellipse.status == EllipseStatus::DecompositionFailed)
        QMessageBox::warning(this, "提示", QString::fromStdString(ellipse.message));
}

void dataAnalysis::showFrame(int n) {
    currentFrame_ = n;
    if (!loadedRecording_ || n < 1 || n > frameCount_) return;
    const PressureMatrix& frame = loadedRecording_->frames[static_cast<std::size_t>(n - 1)];
    fillFramePressureTable(ui_->tableWidget_everyFramePressure, frameZoneKilograms(frame));
    frameImage_ = recentImages_.imageOf(n, frame);
    showFrameImage();
    emit frameShown(n);
}

void dataAnalysis::showFrameImage() {
    // The label ignores its pixmap's size in the layout, so a picture drawn for the label's
    // size never asks for more room and no resize follows from it.
    QLabel* label = ui_->label4PlayingAnalysisedImages;
    const int side = std::min(label->width(), label->height());
    if (frameImage_.isNull() || side <= 0) return;
    label->setPixmap(QPixmap::fromImage(
        frameImage_.scaled(side, side, Qt::KeepAspectRatio, Qt::FastTransformation)));
}

void dataAnalysis::syncTimeline() { emit recordingShown(frameCount_, frameRate_, currentFrame_); }

void dataAnalysis::checkAndResetTimelinePlayback() {
    const bool framePage = ui_->tabWidget->currentIndex() == kFramePage;
    emit timelineControlsWanted(framePage);
    if (framePage) syncTimeline();
}

void dataAnalysis::slotActionOnTabChangeTo(int) {
    requestLayout(50);
    checkAndResetTimelinePlayback();
}

void dataAnalysis::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    requestLayout(10);
    emit onScreen(true);
    checkAndResetTimelinePlayback();
}

void dataAnalysis::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    emit timelineControlsWanted(false);
    emit onScreen(false);
}

void dataAnalysis::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    requestLayout(50);
}

void dataAnalysis::requestLayout(int delayMs) {
    resizeRequests_.push(1);
    QTimer::singleShot(delayMs, this, &dataAnalysis::slotAction4ResizingWidget);
}

void dataAnalysis::slotAction4ResizingWidget() {
    if (resizeRequests_.empty()) return;
    resizeRequests_ = {};
    refreshLayout();
}

void dataAnalysis::refreshLayout() {
    fitFramePressureColumns(ui_->tableWidget_everyFramePressure);

    const int painterSide =
        std::max(0, std::min(ui_->tab_2->width() - 410, ui_->tab_2->height() - 10));
    makeFixedSquare(ui_->widgetOfAnalysisResultPainter, painterSide, 2);
    swayPlot_->setGeometry(ui_->widgetOfAnalysisResultPainter->geometry());
    const bool plateDrawing = plateDrawingToggle_->isChecked();
    ui_->widgetOfAnalysisResultPainter->setVisible(plateDrawing);
    swayPlot_->setVisible(!plateDrawing);
    plateDrawingToggle_->move(4, 4);
    plateDrawingToggle_->adjustSize();
    plateDrawingToggle_->raise();
    ui_->widgetRight_2->setGeometry(painterSide + 5, 0, ui_->widgetRight_2->width(),
                                    std::max(0, ui_->tab_2->height() - 10));

    if (loadedRecording_) showFrameImage();
}

void dataAnalysis::analyzePosturographyOf(double lowpassHz) {
    const double rate = loadedRecording_ ? loadedRecording_->frameRate : 0;
    posturography_ = analyzePosturography(swaySamples_, rate, lowpassHz);
    standardPage_->showOutcome(posturography_);
    swayPlot_->showResults(posturography_.results, QString::fromUtf8(posturography_.reasonChinese));
}

void dataAnalysis::moveOrigin(int dx, int dy) {
    ui_->widgetOfAnalysisResultPainter->moveOrigin(dx, dy);
    ui_->widgetOfAnalysisResultPainter->update();
}
