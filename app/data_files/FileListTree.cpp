#include "FileListTree.h"

#include <QCursor>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeWidget>
#include "AppConstants.h"

const char* const kFileListMenuStyle =
    "QMenu{background-color:rgb(245,245,245);color:rgb(0, 0, 0);font-size:13px;border:1px "
    "solid rgb(160,160,160);}QMenu::item:selected{background-color:rgb(144,200,246);}";

// The second path has a capital "I": the program names its picture folder both ways.
QIcon openRowIcon() { return QIcon(app::resourcePath("images/play-blue.png")); }
QIcon idleRowIcon() { return QIcon(app::resourcePath("Images/stop.png")); }

namespace {

void setToolbarIcons(QWidget* browser) {
    const struct {
        const char* button;
        const char* icon;
    } buttons[] = {{"openFolderAction", "images/open.png"},
                   {"deleteFileBtn", "images/delete.png"},
                   {"renameBtn", "images/rename.png"},
                   {"refreshTreeBtn", "images/refresh.png"},
                   {"propertyBtn", "images/property.png"}};
    for (const auto& entry : buttons)
        if (auto* button = browser->findChild<QPushButton*>(entry.button))
            button->setIcon(QIcon(app::resourcePath(entry.icon)));
}

void setupColumns(QTreeWidget* tree) {
    const int widths[] = {40, 40, 200, 70};
    for (int c = 0; c < 4; ++c) tree->setColumnWidth(c, widths[c]);
    for (int c = 0; c < 4; ++c) tree->headerItem()->setTextAlignment(c, Qt::AlignCenter);
    tree->setColumnHidden(kFilePathColumn, true);
    tree->header()->setHighlightSections(false);
}

}  // namespace

void setupFileBrowserLook(QWidget* browser, QTreeWidget* tree) {
    setToolbarIcons(browser);
    setupColumns(tree);
}

void fillFileListTree(QTreeWidget* tree, const std::vector<DataFileEntry>& entries,
                      const QIcon& idleIcon) {
    tree->clear();
    for (const DataFileEntry& entry : entries) {
        auto* item = new QTreeWidgetItem(
            QStringList{QString(), QString(), entry.name, entry.sizeText, entry.absolutePath});
        item->setIcon(1, idleIcon);
        for (int column : {0, 1, 2}) item->setTextAlignment(column, Qt::AlignCenter);
        item->setTextAlignment(3, Qt::AlignRight | Qt::AlignVCenter);
        tree->insertTopLevelItem(0, item);
    }
    for (int row = 0; row < tree->topLevelItemCount(); ++row)
        tree->topLevelItem(row)->setText(0, QString::number(row + 1));
}

QString currentFileListPath(const QTreeWidget* tree) {
    const QTreeWidgetItem* item = tree->currentItem();
    return item ? item->text(kFilePathColumn) : QString();
}

namespace {

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

void highlightFileListRow(QTreeWidget* tree, QTreeWidgetItem* current, const QIcon& openIcon,
                          const QIcon& idleIcon) {
    for (int row = 0; row < tree->topLevelItemCount(); ++row)
        setRowLook(tree->topLevelItem(row), idleIcon, Qt::black, QFont::Normal);
    setRowLook(current, openIcon, Qt::darkGreen, QFont::Bold);
}

void showFileListMenu(QTreeWidget* tree, const QPoint& pos, const QList<QAction*>& actions) {
    if (!tree->itemAt(pos)) return;
    QMenu menu(tree);
    menu.setStyleSheet(kFileListMenuStyle);
    menu.addActions(actions);
    menu.exec(QCursor::pos());
}

bool deleteListedFile(QWidget* parent, const QString& path) {
    if (path.isEmpty()) return false;
    const QString question =
        QString("确定要删除文件“%1”吗？删除后无法恢复。").arg(QFileInfo(path).fileName());
    if (QMessageBox::question(parent, "提示", question, QMessageBox::Yes | QMessageBox::No,
                              QMessageBox::No) != QMessageBox::Yes)
        return false;
    if (QFile::exists(path) && !QFile::remove(path))
        QMessageBox::warning(parent, "提示", QString("%1 %2").arg(path, "删除失败!"));
    return true;
}
