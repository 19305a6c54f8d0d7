#include "ReportTable.h"

#include <QTableWidget>

std::vector<ReportTableCell> reportTableCells(const QTableWidget* table) {
    std::vector<ReportTableCell> cells;
    if (!table || table->rowCount() == 0 || table->columnCount() == 0) return cells;
    for (int row = 0; row < table->rowCount(); ++row) {
        for (int column = 0; column < table->columnCount(); ++column) {
            const QTableWidgetItem* item = table->item(row, column);
            if (!item) continue;
            cells.push_back({table->visualItemRect(item), item->text()});
        }
    }
    return cells;
}
