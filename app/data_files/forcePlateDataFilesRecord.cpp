#include "forcePlateDataFilesRecord.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QMenu>
#include <QMessageBox>
#include <QTabWidget>

#include "AnimationRename.h"
#include "AppConstants.h"
#include "CsvExport.h"
#include "DataFileList.h"
#include "GlobalState.h"
#include "PressImage.h"
#include "RecordingLoader.h"
#include "ViewHelpers.h"
#include "dataAnalysis.h"
#include "fileManager.h"
#include "forcePlateStaticDataAnalysis.h"
#include "timeLine.h"
#include "ui_forcePlateDataFilesRecord.h"

namespace {

constexpr int kPathColumn = 4;
const char* const kMenuStyle =
    "QMenu{background-color:rgb(245,245,245);color:rgb(0, 0, 0);font-size:13px;border:1px "
    "solid rgb(160,160,160);}QMenu::item:selected{background-color:rgb(144,200,246);}";

void setRowLook(QTreeWidgetItem* item, const QIcon& icon, const QColor& colour, int weight) {
    item->setIcon(1, icon);
    for (int column : {0, 2, 3}) {
        item->setForeground(column, colour);
        QFont font = item->font(column);
        font.setWeight(weight);
        item->setFont(column, font);
    }
}

}  // namespace

forcePlateDataFilesRecord::forcePlateDataFilesRecord(QWidget* parent)
    : QWidget(parent),
      ui_(new Ui::forcePlateDataFilesRecord),
      playIcon_(QString(".") + "/Resources/images/play-blue.png"),
      idleIcon_(QString(".") + "/Resources/Images/stop.png") {
    ui_->setupUi(this);
    ui_->openFolderAction->setIcon(QIcon("Resources/images/open.png"));
    ui_->deleteFileBtn->setIcon(QIcon("Resources/images/delete.png"));
    ui_->renameBtn->setIcon(QIcon("Resources/images/rename.png"));
    ui_->refreshTreeBtn->setIcon(QIcon("Resources/images/refresh.png"));
    ui_->propertyBtn->setIcon(QIcon("Resources/images/property.png"));

    QTreeWidget* tree = ui_->treeWidget;
    const int widths[] = {40, 40, 200, 70};
    for (int c = 0; c < 4; ++c) tree->setColumnWidth(c, widths[c]);
    for (int c = 0; c < 4; ++c) tree->headerItem()->setTextAlignment(c, Qt::AlignCenter);
    tree->setColumnHidden(kPathColumn, true);
    tree->header()->setHighlightSections(false);

    connect(ui_->openAction, SIGNAL(triggered()), this, SLOT(onOpenAnimation()));
    connect(ui_->deleteAction, SIGNAL(triggered()), this, SLOT(onDeleteAnimat()));
    connect(ui_->actionRename, SIGNAL(triggered()), this, SLOT(onRenameAnimation()));
    connect(ui_->actionFolder, SIGNAL(triggered()), this, SLOT(onOpenFileFolder()));
    connect(ui_->action_ExportToCSV, SIGNAL(triggered()), this, SLOT(onExportDataToCSV()));
    connect(ui_->openFolderAction, SIGNAL(clicked()), this, SLOT(onOpenFileFolder()));
    connect(ui_->deleteFileBtn, SIGNAL(clicked()), this, SLOT(onDeleteAnimat()));
    connect(ui_->renameBtn, SIGNAL(clicked()), this, SLOT(onRenameAnimation()));
    connect(ui_->refreshTreeBtn, SIGNAL(clicked()), this, SLOT(onRefreshList()));
    connect(tree, SIGNAL(itemDoubleClicked(QTreeWidgetItem*, int)), this,
            SLOT(onItemDoubleClicked(QTreeWidgetItem*, int)));
    connect(tree, SIGNAL(customContextMenuRequested(QPoint)), this,
            SLOT(onConnectionListMenu(QPoint)));
    buildList();
}

forcePlateDataFilesRecord::~forcePlateDataFilesRecord() { delete ui_; }

void forcePlateDataFilesRecord::buildList() {
    paths_.clear();
    QTreeWidget* tree = ui_->treeWidget;
    for (const DataFileEntry& entry : listDataFiles(app::kDataDirectory)) {
        paths_ << entry.absolutePath;
        auto* item = new QTreeWidgetItem(
            QStringList{QString(), QString(), entry.name, entry.sizeText, entry.absolutePath});
        item->setTextAlignment(0, Qt::AlignCenter);
        item->setIcon(1, idleIcon_);
        item->setTextAlignment(1, Qt::AlignCenter);
        item->setTextAlignment(2, Qt::AlignCenter);
        item->setTextAlignment(3, Qt::AlignRight | Qt::AlignVCenter);
        tree->insertTopLevelItem(0, item);  // newest recording (last in name order) first
    }
    for (int row = 0; row < tree->topLevelItemCount(); ++row)
        tree->topLevelItem(row)->setText(0, QString::number(row + 1));
}

void forcePlateDataFilesRecord::onRefreshList() {
    ui_->treeWidget->clear();
    buildList();
}

QString forcePlateDataFilesRecord::currentPath() const {
    const QTreeWidgetItem* item = ui_->treeWidget->currentItem();
    return item ? item->text(kPathColumn) : QString();
}

void forcePlateDataFilesRecord::onConnectionListMenu(QPoint pos) {
    if (!ui_->treeWidget->itemAt(pos)) return;
    QMenu menu(this);
    menu.setStyleSheet(kMenuStyle);
    menu.addAction(ui_->openAction);
    menu.addAction(ui_->deleteAction);
    menu.addAction(ui_->actionRename);
    menu.addAction(ui_->actionFolder);
    menu.addAction(ui_->action_ExportToCSV);
    menu.exec(QCursor::pos());
}

void forcePlateDataFilesRecord::onItemDoubleClicked(QTreeWidgetItem* item, int column) {
    Q_UNUSED(item);
    Q_UNUSED(column);
    onOpenAnimation();
}

void forcePlateDataFilesRecord::highlightRow(QTreeWidgetItem* current) {
    QTreeWidget* tree = ui_->treeWidget;
    for (int row = 0; row < tree->topLevelItemCount(); ++row)
        setRowLook(tree->topLevelItem(row), idleIcon_, Qt::black, QFont::Normal);
    setRowLook(current, playIcon_, Qt::darkGreen, QFont::Bold);
}

void forcePlateDataFilesRecord::onOpenAnimation() {
    QTreeWidgetItem* item = ui_->treeWidget->currentItem();
    if (!item) return;
    highlightRow(item);
    loadDataFile(item->text(kPathColumn));
}

void forcePlateDataFilesRecord::loadDataFile(const QString& path) {
    GlobalState& state = globalState();
    if (state.timeLineView) state.timeLineView->resetTimeline();
    RecordingLoad load = loadRecording(path);
    switch (load.status) {
        case RecordingLoad::Status::OpenFailed:
            QMessageBox::critical(this, "提示", QString("%1 %2").arg(path, "打开失败!"));
            return;
        case RecordingLoad::Status::NotARecording:
            QMessageBox::critical(this, "提示", QString("%1 %2").arg(path, "不是有效的数据文件!"));
            return;
        case RecordingLoad::Status::Empty:
            QMessageBox::information(this, "提示", QString("%1 %2").arg(path, "文件为空!"));
            return;
        case RecordingLoad::Status::Loaded:
            break;
    }
    const QString folder = recordingCacheFolder(QCoreApplication::applicationDirPath(), path);
    QDir().mkpath(folder);
    cacheFolder_ = folder.toStdString();
    savePressImageCache(load.recording->frames.front(), folder, 1);

    LoadedRecording* record = load.recording.release();  // the balance view owns it from here
    if (state.staticAnalysisView) state.staticAnalysisView->analyzeDataFile(folder, record);
    if (state.mainTabWidget) state.mainTabWidget->setCurrentIndex(1);
    waitProcessingEvents(50);
    if (state.balanceAnalysisView)
        state.balanceAnalysisView->analyzeRecording(folder, record);
    else
        delete record;
    if (state.mainTabWidget) state.mainTabWidget->setCurrentIndex(2);
}

void forcePlateDataFilesRecord::onDeleteAnimat() {
    const QString path = currentPath();
    if (path.isEmpty()) return;
    if (QFile::exists(path)) QFile::remove(path);
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
    onRefreshList();
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
