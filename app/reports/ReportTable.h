// The parameter table as the report redraws it.
#pragma once

#include <vector>

#include "ReportComposer.h"

class QTableWidget;

// Every cell of table that holds an item, with the rectangle the view lays it out in on
// screen (a spanned cell covers its whole span) and its text as shown. Empty for a missing
// table or one without rows or columns.
std::vector<ReportTableCell> reportTableCells(const QTableWidget* table);
