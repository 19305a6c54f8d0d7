// What the two file browsers of the right panel (recordings and reports) share: the tree's
// columns, its rows with the listed file's own absolute path in the hidden column, the
// highlighted open row, the context menu's look and the question before a file is deleted.
#pragma once

#include <QIcon>
#include <QString>
#include <vector>

#include "DataFileList.h"

class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

// Column of the hidden absolute path that every action of a browser works on.
constexpr int kFilePathColumn = 4;

extern const char* const kFileListMenuStyle;

// The icons of the browser's tool buttons (openFolderAction, deleteFileBtn, renameBtn,
// refreshTreeBtn, propertyBtn).
void setFileToolbarIcons(QWidget* browser);

// Column widths 40, 40, 200, 70, centred header texts, hidden path column.
void setupFileListTree(QTreeWidget* tree);

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

// Asks before a recording or a report is deleted: a measurement or a clinical document must
// not go with one click. True when the user answers yes.
bool confirmFileDeletion(QWidget* parent, const QString& path);
