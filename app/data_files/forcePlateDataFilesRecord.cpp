#include "forcePlateDataFilesRecord.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QTabWidget>

#include "AnimationRename.h"
#include "AppConstants.h"
#include "CsvExport.h"
#include "DataFileList.h"
#include "FileListTree.h"
#include "GlobalState.h"
#include "PrivateFiles.h"
#include "RecordingCache.h"
#include "RecordingLoader.h"
#include "ViewHelpers.h"
#include "dataAnalysis.h"
#include "fileManager.h"
#include "forcePlateStaticDataAnalysis.h"
#include "ui_forcePlateDataFilesRecord.h"

forcePlateDataFilesRecord::forcePlateDataFilesRecord(forcePlateStaticDataAnalysis* staticView,
                                                     dataAnalysis* balanceView, QWidget* parent)
    : QWidget(parent),
      staticView_(staticView),
      balanceView_(balanceView),
      ui_(new Ui::forcePlateDataFilesRecord),
      playIcon_(openRowIcon()),
      idleIcon_(idleRowIcon()) {
    ui_->setupUi(this);
    setupFileBrowser(this, ui_->treeWidget);
    buildList();
}

forcePlateDataFilesRecord::~forcePlateDataFilesRecord() { delete ui_; }

void forcePlateDataFilesRecord::buildList() {
    const std::vector<DataFileEntry> entries = listDataFiles(app::dataDirectory());
    paths_.clear();
    for (const DataFileEntry& entry : entries) paths_ << entry.absolutePath;
    // Newest recording (last in name order) first.
    fillFileListTree(ui_->treeWidget, entries, idleIcon_);
}

void forcePlateDataFilesRecord::onRefreshList() { buildList(); }

QString forcePlateDataFilesRecord::currentPath() const {
    return currentFileListPath(ui_->treeWidget);
}

void forcePlateDataFilesRecord::onConnectionListMenu(QPoint pos) {
    showFileListMenu(ui_->treeWidget, pos,
                     {ui_->openAction, ui_->deleteAction, ui_->actionRename, ui_->actionFolder,
                      ui_->action_ExportToCSV});
}

void forcePlateDataFilesRecord::onItemDoubleClicked(QTreeWidgetItem* item, int column) {
    Q_UNUSED(item);
    Q_UNUSED(column);
    onOpenAnimation();
}

void forcePlateDataFilesRecord::onOpenAnimation() {
    QTreeWidgetItem* item = ui_->treeWidget->currentItem();
    if (!item) return;
    highlightFileListRow(ui_->treeWidget, item, playIcon_, idleIcon_);
    loadDataFile(item->text(kFilePathColumn));
}

void forcePlateDataFilesRecord::loadDataFile(const QString& path) {
    emit recordingOpening();
    RecordingLoad load = loadRecording(path);
    switch (load.status) {
        case RecordingLoad::Status::OpenFailed:
            QMessageBox::critical(this, "提示", QString("%1 %2").arg(path, "打开失败!"));
            return;
        case RecordingLoad::Status::NotARecording:
            QMessageBox::critical(this, "提示", QString("%1 %2").arg(path, "不是有效的数据文件!"));
            return;
        case RecordingLoad::Status::TooLarge:
            QMessageBox::critical(
                this, "提示",
                QString("%1 %2\n%3").arg(path, "文件过大，超出可用内存!", load.detail));
            return;
        case RecordingLoad::Status::Empty:
            QMessageBox::information(this, "提示", QString("%1 %2").arg(path, "文件为空!"));
            return;
        case RecordingLoad::Status::Loaded:
            break;
    }
    const QString folder = recordingCacheFolder(app::cacheDirectory(), path);
    createPrivateFolder(folder);
    cacheFolder_ = folder.toStdString();

    showRecordingInAnalysisViews(
        {staticView_, balanceView_, [this](MainTab tab) { emit tabWanted(tab); }}, folder,
        load.recording.release());
}

void showRecordingInAnalysisViews(const AnalysisViews& views, const QString& cacheFolder,
                                  LoadedRecording* record) {
    const auto showTab = [&](MainTab tab) {
        if (views.showTab) views.showTab(tab);
    };
    if (views.staticView) views.staticView->analyzeDataFile(cacheFolder, record);
    showTab(MainTab::StaticAnalysis);
    waitProcessingEvents(50);
    if (views.balanceView)
        views.balanceView->analyzeRecording(cacheFolder, record);  // takes it over
    else
        delete record;
    showTab(MainTab::Balance);
}

void showRecordingInAnalysisViews(const QString& cacheFolder, LoadedRecording* record) {
    GlobalState& state = globalState();
    QTabWidget* tabs = state.mainTabWidget;
    showRecordingInAnalysisViews({state.staticAnalysisView, state.balanceAnalysisView,
                                  [tabs](MainTab tab) {
                                      if (tabs) tabs->setCurrentIndex(tabIndex(tab));
                                  }},
                                 cacheFolder, record);
}

void forcePlateDataFilesRecord::onDeleteAnimat() {
    const QString path = currentPath();
    if (!deleteListedFile(this, path)) return;
    if (!QFileInfo::exists(path)) removeRecordingCache(app::cacheDirectory(), path);
    onRefreshList();
}

void forcePlateDataFilesRecord::onOpenFileFolder() {
    const QString path = currentPath();
    if (path.isEmpty()) return;
    showFileInFileManager(path);
}

void forcePlateDataFilesRecord::onRenameAnimation() {
    const QString path = currentPath();
    if (path.isEmpty()) return;
    AnimationRename dialog(this);
    dialog.setFilePath(path);
    dialog.exec();
    if (dialog.currentPath() != path) followRenamedRecording(path, dialog.currentPath());
    onRefreshList();
}

void forcePlateDataFilesRecord::followRenamedRecording(const QString& oldPath,
                                                       const QString& newPath) {
    const QString cacheRoot = app::cacheDirectory();
    moveRecordingCache(cacheRoot, oldPath, newPath);
    if (QString::fromStdString(cacheFolder_) != recordingCacheFolder(cacheRoot, oldPath)) return;
    // The open recording: its views read the analysis image from the new folder.
    const QString folder = recordingCacheFolder(cacheRoot, newPath);
    cacheFolder_ = folder.toStdString();
    if (staticView_) staticView_->cacheFolderMoved(folder);
}

void forcePlateDataFilesRecord::onExportDataToCSV() {
    const QString rawPath = currentPath();
    if (rawPath.isEmpty()) return;
    qDebug() << "absPath:" << rawPath;
    const QString csvPath = QFileDialog::getSaveFileName(
        this, "文件存储至...", defaultCsvPath(rawPath), "CSV Files (*.csv)");
    if (csvPath.isEmpty()) return;
    exportToCsv(rawPath, csvPath);
}

void forcePlateDataFilesRecord::exportToCsv(const QString& rawPath, const QString& csvPath) {
    const CsvExportResult result = exportRecordingToCsv(rawPath, csvPath);
    const QString name = QFileInfo(rawPath).completeBaseName();
    switch (result.status) {
        case CsvExportResult::Status::OutputOpenFailed:
            QMessageBox::warning(this, "提示",
                                 "打开文件失败，请检查文件是否被占用，或者重新选择其他路径！");
            return;
        case CsvExportResult::Status::SameFile:
            QMessageBox::warning(this, "提示",
                                 "导出文件不能覆盖数据文件本身，请重新选择其他路径！");
            return;
        case CsvExportResult::Status::InputOpenFailed:
            QMessageBox::critical(this, "提示", QString("%1 %2").arg(name, "打开失败!"));
            return;
        case CsvExportResult::Status::WriteFailed:
            QMessageBox::warning(
                this, "提示",
                QString("%1%2\n%3").arg("导出失败，磁盘已满或无法写入：", csvPath, result.detail));
            return;
        case CsvExportResult::Status::Exported:
            QMessageBox::information(this, "提示",
                                     QString("%1%2").arg("导出完成，存储至 ", csvPath));
            return;
    }
}
