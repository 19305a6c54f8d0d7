#include "DataReportsFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
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
      playIcon_(QString(".") + "/Resources/images/play-blue.png"),
      idleIcon_(QString(".") + "/Resources/Images/stop.png") {
    ui_->setupUi(this);
    setFileToolbarIcons(this);
    QTreeWidget* tree = ui_->treeWidget;
    setupFileListTree(tree);

    connect(ui_->deleteAction, SIGNAL(triggered()), this, SLOT(onDeleteAnimat()));
    connect(ui_->deleteFileBtn, SIGNAL(clicked()), this, SLOT(onDeleteAnimat()));
    connect(ui_->openAction, SIGNAL(triggered()), this, SLOT(onOpenAnimation()));
    connect(ui_->actionRename, SIGNAL(triggered()), this, SLOT(onRenameAnimation()));
    connect(ui_->renameBtn, SIGNAL(clicked()), this, SLOT(onRenameAnimation()));
    connect(ui_->actionFolder, SIGNAL(triggered()), this, SLOT(onOpenFileFolder()));
    connect(ui_->openFolderAction, SIGNAL(clicked()), this, SLOT(onOpenFileFolder()));
    connect(ui_->refreshTreeBtn, SIGNAL(clicked()), this, SLOT(onRefreshList()));
    connect(tree, SIGNAL(customContextMenuRequested(QPoint)), this,
            SLOT(onConnectionListMenu(QPoint)));
    connect(tree, SIGNAL(itemClicked(QTreeWidgetItem*, int)), this,
            SLOT(onItemClicked(QTreeWidgetItem*, int)));
    connect(tree, SIGNAL(itemDoubleClicked(QTreeWidgetItem*, int)), this,
            SLOT(onItemDoubleClicked(QTreeWidgetItem*, int)));
    reloadReportList();
}

DataReportsFiles::~DataReportsFiles() { delete ui_; }

void DataReportsFiles::reloadReportList() {
    const std::vector<DataFileEntry> entries = listReportFiles(app::kReportDirectory);
    reportPaths_.clear();
    for (const DataFileEntry& entry : entries) reportPaths_ << entry.absolutePath;
    // The last report found (the newest stamp) comes first.
    fillFileListTree(ui_->treeWidget, entries, idleIcon_);
}

void DataReportsFiles::onRefreshList() { reloadReportList(); }

QString DataReportsFiles::currentPath() const { return currentFileListPath(ui_->treeWidget); }

void DataReportsFiles::onConnectionListMenu(QPoint pos) {
    if (!ui_->treeWidget->itemAt(pos)) return;
    QMenu menu(this);
    menu.setStyleSheet(kFileListMenuStyle);
    menu.addAction(ui_->openAction);
    menu.addAction(ui_->deleteAction);
    menu.addAction(ui_->actionRename);
    menu.addAction(ui_->actionFolder);
    menu.exec(QCursor::pos());
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
    const QString path = currentPath();
    if (path.isEmpty() || !confirmFileDeletion(this, path)) return;
    if (QFile::exists(path) && !QFile::remove(path))
        QMessageBox::warning(this, "提示", QString("%1 %2").arg(path, "删除失败!"));
    reloadReportList();
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
