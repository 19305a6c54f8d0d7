#include "forcePlateStaticDataAnalysis.h"

#include <QEvent>
#include <QFileInfo>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <cstdio>

#include "AnalysisColors.h"
#include "AnalysisImages.h"
#include "FootFigures.h"
#include "PrivateFiles.h"
#include "StaticCharts.h"
#include "StaticPainters.h"
#include "ViewHelpers.h"
#include "ui_forcePlateStaticDataAnalysis.h"

namespace {

// Delay before a refit or repaint, so that the layouts have settled.
constexpr int kSettleMs = 50;

template <typename Queue>
void drain(Queue& queue) {
    while (!queue.empty()) queue.pop();
}

void addChart(QWidget* container, QWidget* chart) { container->layout()->addWidget(chart); }

void makeFixedSquare(QWidget* widget, int side) {
    widget->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    widget->setFixedSize(side, side);
    widget->move(2, 2);
}

}  // namespace

forcePlateStaticDataAnalysis::forcePlateStaticDataAnalysis(const ColorOfPressMap& scale,
                                                           QWidget* parent)
    : QWidget(parent), ui_(std::make_unique<Ui::forcePlateStaticDataAnalysis>()), scale_(scale) {
    ui_->setupUi(this);
    for (QWidget* page :
         {ui_->tab1_defaultWidget, ui_->tab2_mainWidgetBox, ui_->tab3_primaryWidgetBox})
        scrollWhenTooSmall(page);
    slotOnRefreshColorSettings();
    installPainters();
    connect(ui_->tabWidget, &QTabWidget::currentChanged, this,
            &forcePlateStaticDataAnalysis::slotActionOnTabChangeTo);
    connect(ui_->pushButton_PublishReport, &QPushButton::clicked, this,
            &forcePlateStaticDataAnalysis::slotActionToPublishReport);
    drawAnalysisImage(QString());
}

forcePlateStaticDataAnalysis::~forcePlateStaticDataAnalysis() = default;

void forcePlateStaticDataAnalysis::installPainters() {
    const auto& feet = analysis_.feet;
    painters_[ui_->openGLWidget_footPercent] = [this](QWidget* label) {
        paintRatioBar(label, analysis_, leftFootColor_, rightFootColor_);
    };
    painters_[ui_->tab2_openGLWidgetFootShape] = [this](QWidget* label) {
        paintImageWithLines(label, analysisImagePath_, analysis_, {0.4, 0.7});
    };
    painters_[ui_->tab3_openGLWidgetFoot] = [this](QWidget* label) {
        paintImageWithLines(label, analysisImagePath_, analysis_, {0.5});
    };
    painters_[ui_->tab2_leftFootSamplePic] = [&feet](QWidget* label) {
        paintResultLabel(label, kLeftFoot, feet[kLeftFoot].footType);
    };
    painters_[ui_->tab2_rightFootSamplePic] = [&feet](QWidget* label) {
        paintResultLabel(label, kRightFoot, feet[kRightFoot].footType);
    };
    const auto circle = [&feet](FootSide side, ShareRow row, const int FootRecord::*share) {
        return [&feet, side, row, share](QWidget* label) {
            paintShareCircle(label, side, row, feet[side].*share);
        };
    };
    painters_[ui_->label_picLeftTopFoot] = circle(kLeftFoot, ShareRow::Front, &FootRecord::front);
    painters_[ui_->label_picLeftMiddleFoot] =
        circle(kLeftFoot, ShareRow::Middle, &FootRecord::middle);
    painters_[ui_->label_picLeftBottomFoot] = circle(kLeftFoot, ShareRow::Rear, &FootRecord::rear);
    painters_[ui_->label_picRightTopFoot] = circle(kRightFoot, ShareRow::Front, &FootRecord::front);
    painters_[ui_->label_picRightMiddleFoot] =
        circle(kRightFoot, ShareRow::Middle, &FootRecord::middle);
    painters_[ui_->label_picRightBottomFoot] =
        circle(kRightFoot, ShareRow::Rear, &FootRecord::rear);
    painters_[ui_->tab2_evaluationSamplePic] = [](QWidget* label) {
        paintClassificationScale(label);
    };
    painters_[ui_->tab3_openGLWidgetForce] = [this](QWidget* label) {
        paintRegionPanel(label, analysis_);
    };
    for (const auto& entry : painters_) entry.first->installEventFilter(this);
}

bool forcePlateStaticDataAnalysis::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint) {
        const auto painter = painters_.find(watched);
        if (painter != painters_.end()) {
            painter->second(static_cast<QWidget*>(watched));
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void forcePlateStaticDataAnalysis::analyzeDataFile(const QString& cacheFolder,
                                                   const LoadedRecording* record) {
    ui_->plainTextEdit_Evaluation->clear();  // written for the previous recording
    analysisImagePath_.clear();
    figuresShown_ = false;
    drawnSubdivision_ = 0;
    drain(resizeRequests_);
    drain(redrawRequests_);
    analysis_ = StaticAnalysis{};
    removeCharts();
    ui_->label_leftFootAreaValue->setText("0");
    ui_->label_rightFootAreaValue->setText("0");
    recording_ = nullptr;
    cacheFolder_.clear();
    if (record == nullptr || record->frames.empty()) {
        drawAnalysisImage(QString());
        update();
        return;
    }
    analysis_ = analyzeStatic(record->frames);
    std::printf("analyzeDataFile find frame sum index: %d   value: %lld \r\n",
                analysis_.grids.chosenFrame,
                static_cast<long long>(analysis_.grids.chosenFrameSum));
    std::fflush(stdout);
    recording_ = record;
    cacheFolder_ = cacheFolder;
    writeAnalysisImage(scale_, cacheFolder, analysis_.grids.peakGrid);
    QThread::msleep(100);
    analysisImagePath_ = analysisImagePath(cacheFolder);
    drawAnalysisImage(analysisImagePath_);
    QTimer::singleShot(kSettleMs, this,
                       &forcePlateStaticDataAnalysis::slotActionOnDrawableLabelScaled);
    ui_->tab2_openGLWidgetFootShape->update();
    ui_->tab3_openGLWidgetFoot->update();
}

void forcePlateStaticDataAnalysis::cacheFolderMoved(const QString& cacheFolder) {
    if (cacheFolder_.isEmpty()) return;
    cacheFolder_ = cacheFolder;
    analysisImagePath_ = analysisImagePath(cacheFolder);
}

void forcePlateStaticDataAnalysis::removeCharts() {
    for (QWidget* container : {ui_->widget_footPressureSummary, ui_->widget_footZonePressure})
        for (QWidget* chart :
             container->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            delete chart;
}

void forcePlateStaticDataAnalysis::drawAnalysisImage(const QString& imagePath) {
    const QSize size = ui_->label_drawable->size();
    QPixmap pixmap;
    if (!imagePath.isEmpty() && QFileInfo::exists(imagePath))
        pixmap = QPixmap(imagePath).scaled(size);
    if (pixmap.isNull() || pixmap.size() != size) {
        pixmap = QPixmap(size);
        pixmap.fill(Qt::white);
    }
    drawnSubdivision_ = size.width() / kPlateCells;
    if (!pixmap.isNull() && drawnSubdivision_ > 0) {
        QPainter painter(&pixmap);
        for (const FootSide side : kFootSides)
            drawFootZones(painter, side, analysis_.feet[side].rect, drawnSubdivision_,
                          zoneLineColor_);
    }
    redrawRequests_.push(1);
    labelPixmap_ = pixmap;
    ui_->label_drawable->setPixmap(labelPixmap_);
}

void forcePlateStaticDataAnalysis::slotActionOnDrawableLabelScaled() {
    if (redrawRequests_.empty()) return;
    drain(redrawRequests_);
    // The figures are computed at a fixed subdivision, so they can be shown whatever size the
    // image was drawn at.
    if (figuresShown_ || recording_ == nullptr || cacheFolder_.isEmpty()) return;
    showFigures();
}

void forcePlateStaticDataAnalysis::showFigures() {
    figuresShown_ = true;
    ui_->openGLWidget_footPercent->update();
    ui_->tab3_openGLWidgetForce->update();
    addChart(ui_->widget_footPressureSummary,
             makeZoneChart(analysis_, leftFootColor_, rightFootColor_));
    for (QWidget* circle :
         {ui_->label_picLeftTopFoot, ui_->label_picLeftMiddleFoot, ui_->label_picLeftBottomFoot,
          ui_->label_picRightTopFoot, ui_->label_picRightMiddleFoot, ui_->label_picRightBottomFoot})
        circle->update();
    ui_->tab2_leftFootSamplePic->update();
    ui_->tab2_rightFootSamplePic->update();
    ui_->label_leftFootAreaValue->setText(contactAreaText(analysis_.feet[kLeftFoot].contactArea));
    ui_->label_rightFootAreaValue->setText(contactAreaText(analysis_.feet[kRightFoot].contactArea));
    addChart(ui_->widget_footZonePressure,
             makePressureChart(analysis_, leftFootColor_, rightFootColor_));
}

void forcePlateStaticDataAnalysis::requestRefit() {
    resizeRequests_.push(1);
    QTimer::singleShot(kSettleMs, this, &forcePlateStaticDataAnalysis::slotAction4ResizingWidget);
}

void forcePlateStaticDataAnalysis::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    requestRefit();
}

void forcePlateStaticDataAnalysis::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    requestRefit();
}

void forcePlateStaticDataAnalysis::slotAction4ResizingWidget() {
    if (resizeRequests_.empty()) return;
    drain(resizeRequests_);
    switch (ui_->tabWidget->currentIndex()) {
        case 0: {
            const QSize box = ui_->tab1_topWidgetBox->size();
            makeFixedSquare(ui_->label_drawable, analysisImageSide(box.width(), box.height()));
            drawAnalysisImage(analysisImagePath_);
            break;
        }
        case 2: {
            const QSize box = ui_->tab3_footFourAreaWidget->size();
            makeFixedSquare(ui_->tab3_openGLWidgetFoot,
                            std::max(0, std::min(box.width() - 4, box.height() - 2)));
            break;
        }
        default:
            break;
    }
}

void forcePlateStaticDataAnalysis::slotActionOnTabChangeTo(int newTabIdx) {
    requestRefit();
    std::vector<QWidget*> panels;
    if (newTabIdx == 0) panels = {ui_->openGLWidget_footPercent};
    if (newTabIdx == 1) panels = {ui_->tab2_openGLWidgetFootShape};
    if (newTabIdx == 2) panels = {ui_->tab3_openGLWidgetFoot, ui_->tab3_openGLWidgetForce};
    if (panels.empty()) return;
    QTimer::singleShot(kSettleMs, this, [panels] {
        for (QWidget* panel : panels) panel->update();
    });
}

void forcePlateStaticDataAnalysis::slotOnRefreshColorSettings() {
    const QString ini = analysisColorsIniPath();
    const auto read = [&ini](const AnalysisColorSetting& setting) {
        return readAnalysisColor(ini, setting.key, setting.defaultColor);
    };
    zoneLineColor_ = read(kEightAreaLineColor);
    leftFootColor_ = read(kLeftFootPercentColor);
    rightFootColor_ = read(kRightFootPercentColor);
}

void forcePlateStaticDataAnalysis::saveTabImagesForReport(const QString& stamp,
                                                          const QString& folder) {
    QWidget* const contents[] = {ui_->tab1_defaultWidget, ui_->tab2_mainWidgetBox,
                                 ui_->tab3_primaryWidgetBox};
    QStringList paths;
    createPrivateFolder(folder);
    for (int tab = 0; tab < 3; ++tab) {
        ui_->tabWidget->setCurrentIndex(tab);
        waitProcessingEvents(tab == 0 ? kFirstTabWaitMs : kLaterTabWaitMs);
        const QString path = QString("%1%2_tab%3.png").arg(folder, stamp).arg(tab + 1);
        if (!contents[tab]->grab().save(path, "PNG"))
            std::fprintf(stderr, "report: screenshot %s could not be saved\n", qPrintable(path));
        paths << path;
        waitProcessingEvents(kAfterGrabWaitMs);
    }
    removeFilesLater(paths, 10000);
}

void forcePlateStaticDataAnalysis::slotActionToPublishReport() {
    emit publishRequested(ui_->plainTextEdit_Evaluation->toPlainText());
}
