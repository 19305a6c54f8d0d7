#include "DataReportsFiles.h"

#include <QFileInfo>
#include <QTreeWidget>

#include "AnimationRename.h"
#include "AppConstants.h"
#include "DataFileList.h"
#include "FileListTree.h"
#include "fileManager.h"
#include "ui_DataReportsFiles.h"

DataReportsFiles::DataReportsFiles(QWidget* parent)
    : QWidget(parent),
      ui_(new Ui::DataReportsFiles),
      playIcon_(openRowIcon()),
      idleIcon_(idleRowIcon()) {
    ui_->setupUi(this);
    setupFileBrowser(this, ui_->treeWidget);
    reloadReportList();
}

DataReportsFiles::~DataReportsFiles() { delete ui_; }

void DataReportsFiles::reloadReportList() {
    const std::vector<DataFileEntry> entries = listReportFiles(app::reportDirectory());
    reportPaths_.clear();
    for (const DataFileEntry& entry : entries) reportPaths_ << entry.absolutePath;
    // The last report found (the newest stamp) comes first.
    fillFileListTree(ui_->treeWidget, entries, idleIcon_);
}

void DataReportsFiles::onRefreshList() { reloadReportList(); }

QString DataReportsFiles::currentPath() const { return currentFileListPath(ui_->treeWidget); }

void DataReportsFiles::onConnectionListMenu(QPoint pos) {
    showFileListMenu(ui_->treeWidget, pos,
                     {ui_->openAction, ui_->deleteAction, ui_->actionRename, ui_->actionFolder});
}

void DataReportsFiles::onItemClicked(QTreeWidgetItem* item, int column) {
    Q_UNUSED(item);
    Q_UNUSED(column);
}

void DataReportsFiles::onItemDoubleClicked(QTreeWidgetItem* item, int column) {
    Q_UNUSED(item);
    Q_UNUSED(column);
    onOpenAnimation();
}

void DataReportsFiles::onOpenAnimation() {
    QTreeWidgetItem* item = ui_->treeWidget->currentItem();
    if (!item) return;
    highlightFileListRow(ui_->treeWidget, item, playIcon_, idleIcon_);
    emit openDataReportsPdf(item->text(kFilePathColumn));
}

void DataReportsFiles::onOpenFileFolder() {
    const QString path = currentPath();
    if (!path.isEmpty()) showFileInFileManager(path);
}

void DataReportsFiles::onDeleteAnimat() {
    if (deleteListedFile(this, currentPath())) reloadReportList();
}

void DataReportsFiles::onRenameAnimation() {
    QTreeWidgetItem* item = ui_->treeWidget->currentItem();
    if (!item) return;
    const QString oldPath = item->text(kFilePathColumn);
    AnimationRename dialog(this);
    dialog.setRenamesCompanions(false);
    dialog.setFilePath(oldPath);
    dialog.exec();
    const QString newPath = dialog.currentPath();
    if (newPath == oldPath) return;
    reportPaths_.removeOne(oldPath);
    reportPaths_ << newPath;
    item->setText(2, QFileInfo(newPath).completeBaseName());
    item->setText(kFilePathColumn, newPath);
}
