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
#include "SubjectPanel.h"
#include "SubjectRecord.h"
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

forcePlateUILib::forcePlateUILib(const QStringList& recordingsToOpen, QWidget* parent)
    : QMainWindow(parent), ui_(new Ui::forcePlateUILibClass), recordingsToOpen_(recordingsToOpen) {
    ui_->setupUi(this);
    setWindowTitle(QString("%1 %2").arg(app::kProductName, app::productVersion()));
    ui_->mainToolBar->hide();
    ui_->tabWidget_2->setCurrentIndex(0);
    ui_->tabWidget->setCurrentIndex(0);
    connect(ui_->tabWidget_2, SIGNAL(currentChanged(int)), this,
            SLOT(slotActionOnTabChangeTo(int)));
    // The views are heavy: build them once the window is on screen.
    QTimer::singleShot(20, this, SLOT(slotActionOnTimerSingleShot()));
    // Without a window manager a maximise request is not carried out: take the screen's
    // free area ourselves, so the window never starts larger than the screen.
    if (const QScreen* display = screen()) setGeometry(display->availableGeometry());
    showMaximized();
}

forcePlateUILib::~forcePlateUILib() { delete ui_; }

void forcePlateUILib::slotActionOnTimerSingleShot() {
    const std::pair<QAction*, int> tabActions[] = {
        {ui_->action_RealTimeModelView, 0},      {ui_->action_SinglePlateStaticView, 1},
        {ui_->action_SinglePlateBalanceView, 2}, {ui_->action_AnalysisReportView, 3},
        {ui_->action_ColorSettings, 0},          {ui_->action_DirectorySettings, 1}};
    for (const auto& [action, index] : tabActions) action->setProperty(kTabIndexProperty, index);
    for (QAction* action : {ui_->action_RealTimeModelView, ui_->action_SinglePlateStaticView,
                            ui_->action_SinglePlateBalanceView, ui_->action_AnalysisReportView})
        connect(action, SIGNAL(triggered()), this, SLOT(slotActionSwitchToView()));
    connect(ui_->action_DataFileDir, SIGNAL(triggered()), this, SLOT(slotActionOpenDataFileDir()));
    connect(ui_->action_ReportfileDir, SIGNAL(triggered()), this,
            SLOT(slotActionOpenReportFileDir()));
    connect(ui_->action_Exit, SIGNAL(triggered()), this, SLOT(slotActionExit()));
    connect(ui_->action_ColorSettings, SIGNAL(triggered()), this,
            SLOT(slotActionOnColorSettings()));
    connect(ui_->action_DirectorySettings, SIGNAL(triggered()), this,
            SLOT(slotActionOnColorSettings()));
    connect(ui_->action_CollectFrequency, SIGNAL(triggered()), this,
            SLOT(slotActionOnCollectFrequency()));
    connect(ui_->action_About, SIGNAL(triggered()), this, SLOT(slotActionAboutSoftware()));
    connect(ui_->pushButtonChoseUser, SIGNAL(clicked()), this, SLOT(slotActionChoseUser()));
    connect(ui_->GaitPushButtonAddUser, SIGNAL(clicked()), this, SLOT(slotActionAddUser()));

    createViews();
    showCurrentSubjectFromFile();
    ui_->tabWidget_2->setCurrentIndex(0);
    for (const QString& path : std::exchange(recordingsToOpen_, {}))
        globalState().dataFilesView->loadDataFile(QFileInfo(path).absoluteFilePath());
}

// Each view is created without parent; its layout's widget becomes the parent. The order
// matters: the device panel takes over the real-time view's display widget.
void forcePlateUILib::createViews() {
    GlobalState& state = globalState();
    state.reportViewer = new DataRepots;
    ui_->verticalLayoutDataReports->addWidget(state.reportViewer);
    state.realTimeView = new ForcePlateStaticTest;
    ui_->verticalLayoutSignal->addWidget(state.realTimeView);
    state.staticAnalysisView = new forcePlateStaticDataAnalysis;
    ui_->verticalLayoutSignalStaticDataAna->addWidget(state.staticAnalysisView);
    state.deviceManagement = new DeviceManagement;
    ui_->verticalLayoutDeveiceManagement->addWidget(state.deviceManagement);
    state.balanceAnalysisView = new dataAnalysis;
    ui_->verticalLayoutDataAna->addWidget(state.balanceAnalysisView);
    state.timeLineView = new timeLine;
    state.timeLineView->setTimelineControlsVisible(false);
    ui_->horizontalLayoutTimeLines->addWidget(state.timeLineView);
    state.dataFilesView = new forcePlateDataFilesRecord;
    ui_->verticalLayoutDataFile->addWidget(state.dataFilesView);
    auto* reportFiles = new DataReportsFiles;
    ui_->verticalLayoutDataReportsFile->addWidget(reportFiles);
    state.mainTabWidget = ui_->tabWidget_2;

    connect(state.dataFilesView, SIGNAL(playOriDataCSV(QString)), state.balanceAnalysisView,
            SLOT(slotActionPlayFile(QString)));
    connect(reportFiles, SIGNAL(openDataReportsPdf(QString)), state.reportViewer,
            SLOT(displayReports(QString)));
    // A new report is listed at once, without a manual refresh.
    connect(state.reportViewer, SIGNAL(reportComposed(QString)), reportFiles,
            SLOT(onRefreshList()));
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
    configDialog dialog(this, action ? action->property(kTabIndexProperty).toInt() : 0);
    dialog.exec();
}

void forcePlateUILib::slotActionOnCollectFrequency() {
    const DeviceManagement* panel = globalState().deviceManagement;
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
    if (DeviceManagement* panel = globalState().deviceManagement) panel->stopRecording();
    event->accept();
}

void forcePlateUILib::slotActionOpenDataFileDir() {
    openDirectoryInFileManager(app::kDataDirectory);
}

void forcePlateUILib::slotActionOpenReportFileDir() {
    openDirectoryInFileManager(app::kReportDirectory);
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
    GlobalState& state = globalState();
    if (newTabIdx != 2 && state.timeLineView) state.timeLineView->stopPlayback();
    const bool realTime = newTabIdx == 0;
    if (state.realTimeView) {
        state.realTimeView->setRealTimeTabActive(realTime);
        state.realTimeView->slotAction4ResizingWidget(1);
    }
    if (state.deviceManagement) state.deviceManagement->setActive(realTime);
}
