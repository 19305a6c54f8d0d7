// What the two file browsers of the right panel (recordings and reports) share: the tree's
// columns, its rows with the listed file's own absolute path in the hidden column, the
// highlighted open row, the context menu's look and the question before a file is deleted.
#pragma once

#include <QAbstractButton>
#include <QAction>
#include <QIcon>
#include <QList>
#include <QString>
#include <QTreeWidget>
#include <type_traits>
#include <vector>

#include "DataFileList.h"

class QPoint;
class QWidget;

// Column of the hidden absolute path that every action of a browser works on.
constexpr int kFilePathColumn = 4;

extern const char* const kFileListMenuStyle;

// The state column's icons: the row opened last, and every other row.
QIcon openRowIcon();
QIcon idleRowIcon();

// The icons of a browser's tool buttons (found by their object names) and its tree's columns.
void setupFileBrowserLook(QWidget* browser, QTreeWidget* tree);

namespace file_list_detail {
template <typename Browser, typename = void>
struct HasItemClicked : std::false_type {};
template <typename Browser>
struct HasItemClicked<Browser, std::void_t<decltype(&Browser::onItemClicked)>> : std::true_type {};
template <typename Browser, typename = void>
struct HasCsvExport : std::false_type {};
template <typename Browser>
struct HasCsvExport<Browser, std::void_t<decltype(&Browser::onExportDataToCSV)>> : std::true_type {
};

// Connects the action or button of browser's form named name (if there is one) to slot.
template <typename Browser, typename Slot>
void connectControl(Browser* browser, const char* name, Slot slot) {
    if (auto* action = browser->template findChild<QAction*>(name))
        QObject::connect(action, &QAction::triggered, browser, slot);
    else if (auto* button = browser->template findChild<QAbstractButton*>(name))
        QObject::connect(button, &QAbstractButton::clicked, browser, slot);
}
}  // namespace file_list_detail

// Sets up a browser built from its form: setupFileBrowserLook, and the connections of the
// actions, buttons (by their object names) and tree to the browser's slots onOpenAnimation,
// onDeleteAnimat, onRenameAnimation, onOpenFileFolder, onRefreshList, onConnectionListMenu,
// onItemDoubleClicked and, where it has them, onItemClicked and onExportDataToCSV.
template <typename Browser>
void setupFileBrowser(Browser* browser, QTreeWidget* tree) {
    using namespace file_list_detail;
    setupFileBrowserLook(browser, tree);
    connectControl(browser, "deleteAction", &Browser::onDeleteAnimat);
    connectControl(browser, "deleteFileBtn", &Browser::onDeleteAnimat);
    connectControl(browser, "openAction", &Browser::onOpenAnimation);
    connectControl(browser, "actionRename", &Browser::onRenameAnimation);
    connectControl(browser, "renameBtn", &Browser::onRenameAnimation);
    connectControl(browser, "actionFolder", &Browser::onOpenFileFolder);
    connectControl(browser, "openFolderAction", &Browser::onOpenFileFolder);
    connectControl(browser, "refreshTreeBtn", &Browser::onRefreshList);
    if constexpr (HasCsvExport<Browser>::value)
        connectControl(browser, "action_ExportToCSV", &Browser::onExportDataToCSV);
    QObject::connect(tree, &QTreeWidget::customContextMenuRequested, browser,
                     &Browser::onConnectionListMenu);
    if constexpr (HasItemClicked<Browser>::value)
        QObject::connect(tree, &QTreeWidget::itemClicked, browser, &Browser::onItemClicked);
    QObject::connect(tree, &QTreeWidget::itemDoubleClicked, browser, &Browser::onItemDoubleClicked);
}

// Empties the tree and lists entries with the last one on top, numbered 1, 2, ... from the
// top; column 1 shows idleIcon.
void fillFileListTree(QTreeWidget* tree, const std::vector<DataFileEntry>& entries,
                      const QIcon& idleIcon);

// The absolute path of the tree's current row, empty when there is none.
QString currentFileListPath(const QTreeWidget* tree);

// Every row idle (idleIcon, black, normal weight), then current marked as open (openIcon, dark
// green, bold).
void highlightFileListRow(QTreeWidget* tree, QTreeWidgetItem* current, const QIcon& openIcon,
                          const QIcon& idleIcon);

// Shows actions as the tree's context menu at the cursor when pos (in the tree's viewport) is
// on a row.
void showFileListMenu(QTreeWidget* tree, const QPoint& pos, const QList<QAction*>& actions);

// Deletes the file at path after asking (a measurement or a clinical document must not go
// with one click); a failed removal is shown. Returns whether the list should be rebuilt.
bool deleteListedFile(QWidget* parent, const QString& path);
