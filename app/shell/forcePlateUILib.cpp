#include "forcePlateUILib.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <utility>

#include "AboutTessaly.h"
#include "AppConstants.h"
#include "CollectFrequencySetting.h"
#include "CurrentSubjectFile.h"
#include "DataReportsFiles.h"
#include "DataRepots.h"
#include "DeviceManagement.h"
#include "ForcePlateStaticTest.h"
#include "GaitAddUser.h"
#include "GaitChoseUser.h"
#include "GlobalState.h"
#include "ReportPublisher.h"
#include "SubjectPanel.h"
#include "SubjectRecord.h"
#include "ViewWiring.h"
#include "configDialog.h"
#include "dataAnalysis.h"
#include "fileManager.h"
#include "forcePlateDataFilesRecord.h"
#include "forcePlateStaticDataAnalysis.h"
#include "timeLine.h"
#include "ui_forcePlateUILib.h"

namespace {
const char* const kTabIndexProperty = "TAB_INDEX";
}

forcePlateUILib::forcePlateUILib(const ColorOfPressMap& scale, const QStringList& recordingsToOpen,
                                 QWidget* parent)
    : QMainWindow(parent),
      ui_(new Ui::forcePlateUILibClass),
      scale_(scale),
      recordingsToOpen_(recordingsToOpen) {
    ui_->setupUi(this);
    setWindowTitle(QString("%1 %2").arg(app::kProductName, app::productVersion()));
    ui_->mainToolBar->hide();
    showTab(MainTab::RealTime);
    ui_->tabWidget->setCurrentIndex(0);
    connect(ui_->tabWidget_2, &QTabWidget::currentChanged, this,
            &forcePlateUILib::slotActionOnTabChangeTo);
    // The views are heavy: build them once the window is on screen.
    QTimer::singleShot(20, this, &forcePlateUILib::slotActionOnTimerSingleShot);
    // Without a window manager a maximise request is not carried out: take the screen's
    // free area ourselves, so the window never starts larger than the screen.
    if (const QScreen* display = screen()) setGeometry(display->availableGeometry());
    showMaximized();
}

forcePlateUILib::~forcePlateUILib() { delete ui_; }

QTabWidget* forcePlateUILib::mainTabs() const { return ui_->tabWidget_2; }

void forcePlateUILib::showTab(MainTab tab) { ui_->tabWidget_2->setCurrentIndex(tabIndex(tab)); }

void forcePlateUILib::slotActionOnTimerSingleShot() {
    const std::pair<QAction*, MainTab> viewActions[] = {
        {ui_->action_RealTimeModelView, MainTab::RealTime},
        {ui_->action_SinglePlateStaticView, MainTab::StaticAnalysis},
        {ui_->action_SinglePlateBalanceView, MainTab::Balance},
        {ui_->action_AnalysisReportView, MainTab::Report}};
    for (const auto& [action, tab] : viewActions) {
        action->setProperty(kTabIndexProperty, tabIndex(tab));
        connect(action, &QAction::triggered, this, &forcePlateUILib::slotActionSwitchToView);
    }
    // The settings dialog's pages: colours, directories.
    ui_->action_ColorSettings->setProperty(kTabIndexProperty, 0);
    ui_->action_DirectorySettings->setProperty(kTabIndexProperty, 1);
    connect(ui_->action_DataFileDir, &QAction::triggered, this,
            &forcePlateUILib::slotActionOpenDataFileDir);
    connect(ui_->action_ReportfileDir, &QAction::triggered, this,
            &forcePlateUILib::slotActionOpenReportFileDir);
    connect(ui_->action_Exit, &QAction::triggered, this, &forcePlateUILib::slotActionExit);
    for (QAction* settings : {ui_->action_ColorSettings, ui_->action_DirectorySettings})
        connect(settings, &QAction::triggered, this, &forcePlateUILib::slotActionOnColorSettings);
    connect(ui_->action_CollectFrequency, &QAction::triggered, this,
            &forcePlateUILib::slotActionOnCollectFrequency);
    connect(ui_->action_About, &QAction::triggered, this,
            &forcePlateUILib::slotActionAboutSoftware);
    connect(ui_->pushButtonChoseUser, &QPushButton::clicked, this,
            &forcePlateUILib::slotActionChoseUser);
    connect(ui_->GaitPushButtonAddUser, &QPushButton::clicked, this,
            &forcePlateUILib::slotActionAddUser);

    createViews();
    connectViews();
    showCurrentSubjectFromFile();
    showTab(MainTab::RealTime);
    for (const QString& path : std::exchange(recordingsToOpen_, {}))
        views_.dataFiles->loadDataFile(QFileInfo(path).absoluteFilePath());
}

// Each view is created without parent; its layout's widget becomes the parent. The device
// panel draws into the real-time view's display widget.
void forcePlateUILib::createViews() {
    MainViews& v = views_;
    v.reportViewer = new DataRepots;
    ui_->verticalLayoutDataReports->addWidget(v.reportViewer);
    v.realTime = new ForcePlateStaticTest;
    ui_->verticalLayoutSignal->addWidget(v.realTime);
    v.staticAnalysis = new forcePlateStaticDataAnalysis(scale_);
    ui_->verticalLayoutSignalStaticDataAna->addWidget(v.staticAnalysis);
    v.deviceManagement = new DeviceManagement(
        {v.realTime->getCamPlot(), v.realTime->valueTable(), v.realTime->isTableMode()}, scale_);
    ui_->verticalLayoutDeveiceManagement->addWidget(v.deviceManagement);
    v.balance = new dataAnalysis(scale_);
    ui_->verticalLayoutDataAna->addWidget(v.balance);
    v.timeline = new timeLine(v.deviceManagement, v.realTime);
    v.timeline->setTimelineControlsVisible(false);
    ui_->horizontalLayoutTimeLines->addWidget(v.timeline);
    v.dataFiles = new forcePlateDataFilesRecord(v.staticAnalysis, v.balance);
    ui_->verticalLayoutDataFile->addWidget(v.dataFiles);
    v.reportFiles = new DataReportsFiles;
    ui_->verticalLayoutDataReportsFile->addWidget(v.reportFiles);

    // Report publishing still finds its views through the global record.
    GlobalState& state = globalState();
    state.reportViewer = v.reportViewer;
    state.staticAnalysisView = v.staticAnalysis;
    state.balanceAnalysisView = v.balance;
    state.mainTabWidget = ui_->tabWidget_2;
}

void forcePlateUILib::connectViews() {
    const MainViews& v = views_;
    connect(v.deviceManagement, &DeviceManagement::devicesListed, this,
            [this](const QList<QPair<QString, QString>>& devices) {
                views_.realTime->setDeviceList(devices);
                showTab(MainTab::RealTime);
            });
    connectPlayback(*v.balance, *v.timeline);
    const auto publish = [](const QString& comment) { publishReport({comment}); };
    connect(v.staticAnalysis, &forcePlateStaticDataAnalysis::publishRequested, this, publish);
    connect(v.balance, &dataAnalysis::publishRequested, this, publish);
    connect(v.timeline, &timeLine::recordingSaved, v.dataFiles,
            &forcePlateDataFilesRecord::onRefreshList);
    connect(v.dataFiles, &forcePlateDataFilesRecord::recordingOpening, v.timeline,
            &timeLine::resetTimeline);
    connect(v.dataFiles, &forcePlateDataFilesRecord::tabWanted, this, &forcePlateUILib::showTab);
    connect(v.reportFiles, &DataReportsFiles::openDataReportsPdf, v.reportViewer,
            &DataRepots::displayReports);
    // A new report is listed at once, without a manual refresh.
    connect(v.reportViewer, &DataRepots::reportComposed, v.reportFiles,
            &DataReportsFiles::onRefreshList);
}

void forcePlateUILib::showCurrentSubjectFromFile() {
    showSubjectInPanel(readCurrentSubject(currentSubjectIniPath()));
}

void forcePlateUILib::showSubjectInPanel(const SubjectRecord& subject) {
    SubjectPanelLabels labels{ui_->labelNameLogo,    ui_->labelName,     ui_->labelGenderIcon,
                              ui_->labelSex,         ui_->labelAgeImage, ui_->labelAge,
                              ui_->labelHeightImage, ui_->labelHeight,   ui_->labelWeightImage,
                              ui_->labelWeight};
    showSubject(labels, subjectSummaryOf(subject));
    currentSubjectName_ = subject.name;
}

void forcePlateUILib::slotActionChoseUser() {
    SubjectRecord chosen;
    GaitChoseUser dialog(&chosen, this);
    if (dialog.exec() != QDialog::Accepted) return;
    showSubjectInPanel(chosen);
    if (!writeCurrentSubject(chosen, currentSubjectIniPath()))
        QMessageBox::warning(this, "提示", "当前用户无法保存到 " + currentSubjectIniPath());
}

void forcePlateUILib::slotActionAddUser() {
    GaitAddUser dialog;
    dialog.exec();
}

void forcePlateUILib::slotActionOnColorSettings() {
    const QObject* action = sender();
    configDialog dialog(this, action ? action->property(kTabIndexProperty).toInt() : 0,
                        views_.staticAnalysis);
    dialog.exec();
}

void forcePlateUILib::slotActionOnCollectFrequency() {
    const DeviceManagement* panel = views_.deviceManagement;
    if (!panel) return;
    QStringList serials;
    for (const auto& device : panel->knownDevices()) serials << device.first;
    CollectFrequencySetting dialog(this);
    dialog.fillDevices(serials, panel->deviceInfo());
    dialog.exec();
}

void forcePlateUILib::slotActionAboutSoftware() {
    AboutTessaly dialog;
    dialog.exec();
}

void forcePlateUILib::slotActionExit() { close(); }

// The program ends when this window closes; a running recording is closed first, while every
// view that shows it still exists. The views go with the window.
void forcePlateUILib::closeEvent(QCloseEvent* event) {
    if (DeviceManagement* panel = views_.deviceManagement) panel->stopRecording();
    event->accept();
}

void forcePlateUILib::slotActionOpenDataFileDir() {
    openDirectoryInFileManager(app::dataDirectory());
}

void forcePlateUILib::slotActionOpenReportFileDir() {
    openDirectoryInFileManager(app::reportDirectory());
}

void forcePlateUILib::slotActionSwitchToView() {
    const QObject* action = sender();
    if (!action) return;
    ui_->tabWidget_2->setCurrentIndex(action->property(kTabIndexProperty).toInt());
    ui_->tabWidget->setCurrentIndex(1);
}

// Live frames are processed and drawn only while the real-time tab is current; playback runs
// only on the balance tab.
void forcePlateUILib::slotActionOnTabChangeTo(int newTabIdx) {
    const MainViews& v = views_;
    if (newTabIdx != tabIndex(MainTab::Balance) && v.timeline) v.timeline->stopPlayback();
    const bool realTime = newTabIdx == tabIndex(MainTab::RealTime);
    if (v.realTime) {
        v.realTime->setRealTimeTabActive(realTime);
        v.realTime->slotAction4ResizingWidget(1);
    }
    if (v.deviceManagement) v.deviceManagement->setActive(realTime);
}
