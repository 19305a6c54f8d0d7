#include "BalanceTables.h"

#include <QHeaderView>
#include <QStringList>
#include <QTableWidget>

#include "FigureFormat.h"

namespace {

const QColor kInk(11, 11, 11);
constexpr int kRowHeight = 30;
constexpr int kFrameNameWidth = 120;
constexpr int kFirstValueRow = 2;

const QStringList kZoneNames{"合计",    "脚趾区T1", "脚趾区T2",  "跖骨区1",  "跖骨区2",
                             "跖骨区3", "脚跟前侧", "脚后跟区1", "脚后跟区2"};
// Rows 2 and 3 hold the ellipse's full axis lengths, not the ranges along X and Y.
const QStringList kFigureNames{"COP包络面积(平方毫米)",    "椭圆长轴(毫米)",
                               "椭圆短轴(毫米)",           "移动轨迹总长度(毫米)",
                               "前后中心速度平均值(cm/s)", "左右中心速度平均值(cm/s)",
                               "前后中心速度最大值(cm/s)", "左右中心速度最大值(cm/s)"};
// The unit of each figure row, as its name says.
constexpr FigureUnit kFigureUnits[] = {
    FigureUnit::SquareMillimetre,    FigureUnit::Millimetre,
    FigureUnit::Millimetre,          FigureUnit::Millimetre,
    FigureUnit::CentimetrePerSecond, FigureUnit::CentimetrePerSecond,
    FigureUnit::CentimetrePerSecond, FigureUnit::CentimetrePerSecond};

QTableWidgetItem* centredItem(const QString& text, int pointSize, bool inked) {
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignCenter);
    QFont font = item->font();
    font.setPointSize(pointSize);
    item->setFont(font);
    if (inked) item->setForeground(kInk);
    return item;
}

// Layout shared by both tables: a heading row spanning all columns, a row of column heads,
// then one named row per value, with empty value cells.
void setupTable(QTableWidget* table, const QString& heading, const QStringList& heads,
                const QStringList& names) {
    const int columns = heads.size();
    table->setRowCount(kFirstValueRow + names.size());
    table->setColumnCount(columns);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->setStyleSheet("border-color:#ccc;");
    table->horizontalHeader()->setVisible(false);
    table->verticalHeader()->setVisible(false);
    table->horizontalHeader()->setStretchLastSection(true);
    for (int row = 0; row < table->rowCount(); ++row) table->setRowHeight(row, kRowHeight);

    table->setSpan(0, 0, 1, columns);
    table->setItem(0, 0, centredItem(heading, 11, true));
    for (int c = 0; c < columns; ++c) table->setItem(1, c, centredItem(heads[c], 9, true));
    for (int i = 0; i < names.size(); ++i) {
        table->setItem(kFirstValueRow + i, 0, centredItem(names[i], 9, true));
        for (int c = 1; c < columns; ++c)
            table->setItem(kFirstValueRow + i, c, centredItem(QString(), 9, false));
    }
}

void setValue(QTableWidget* table, int row, int column, double value, FigureUnit unit) {
    table->item(row, column)->setText(formatFigure(value, unit));
}

}  // namespace

void setupFramePressureTable(QTableWidget* table) {
    setupTable(table, "足底压力(Kg)", {"区域", "左足", "右足"}, kZoneNames);
    fitFramePressureColumns(table);
}

void setupParameterTable(QTableWidget* table) {
    setupTable(table, "足底压力中心参数(95%置信度)", {"参数", "结果"}, kFigureNames);
    table->setColumnWidth(0, 200);
}

void fitFramePressureColumns(QTableWidget* table) {
    const int valueWidth = (table->width() - kFrameNameWidth) / 2 - 5;
    table->setColumnWidth(0, kFrameNameWidth);
    table->setColumnWidth(1, valueWidth);
    table->setColumnWidth(2, valueWidth);
}

void fillFramePressureTable(QTableWidget* table, const std::array<FootZoneKilograms, 2>& loads) {
    for (FootSide side : kFootSides)
        for (int i = 0; i < static_cast<int>(loads[side].size()); ++i)
            setValue(table, kFirstValueRow + i, 1 + side, loads[side][i], FigureUnit::Kilogram);
}

void fillParameterTable(QTableWidget* table, const AnalysisResults& results, bool ellipseComputed,
                        const QString& ellipseProblem) {
    const double figures[] = {results.ellipseArea, results.ellipseAxisA, results.ellipseAxisB,
                              results.pathLength,  results.meanSpeedY,   results.meanSpeedX,
                              results.maxSpeedY,   results.maxSpeedX};
    constexpr int kEllipseRows = 3;
    for (int i = 0; i < static_cast<int>(std::size(figures)); ++i) {
        if (i < kEllipseRows && !ellipseComputed)
            table->item(kFirstValueRow + i, 1)->setText(ellipseProblem);
        else
            setValue(table, kFirstValueRow + i, 1, figures[i], kFigureUnits[i]);
    }
}
