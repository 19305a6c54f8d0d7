// What the two file browsers of the right panel (recordings and reports) share: the tree's
// columns, its rows with the listed file's own absolute path in the hidden column, the
// highlighted open row, the context menu's look and the question before a file is deleted.
#pragma once

#include <QIcon>
#include <QList>
#include <QString>
#include <vector>

#include "DataFileList.h"

class QAction;
class QPoint;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

// Column of the hidden absolute path that every action of a browser works on.
constexpr int kFilePathColumn = 4;

extern const char* const kFileListMenuStyle;

// The state column's icons: the row opened last, and every other row.
QIcon openRowIcon();
QIcon idleRowIcon();

// Sets up a browser built from its form: the icons of its tool buttons, its tree's columns,
// and the connections of the actions, buttons and tree (by their object names) to the
// browser's slots onOpenAnimation, onDeleteAnimat, onRenameAnimation, onOpenFileFolder,
// onRefreshList, onConnectionListMenu, onItemDoubleClicked and, where it has them,
// onItemClicked and onExportDataToCSV.
void setupFileBrowser(QWidget* browser, QTreeWidget* tree);

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
