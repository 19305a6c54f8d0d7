// The process-wide record through which the views find each other. Created on first use by
// globalState() and never freed; used from the GUI thread only. The views are owned by the
// main window's widget tree; the record owns the analysis results and the colour scale.
#pragma once

#include <QColor>
#include <QMap>

struct AnalysisResults;
class ForcePlateStaticTest;
class forcePlateStaticDataAnalysis;
class DeviceManagement;
class timeLine;
class forcePlateDataFilesRecord;
class dataAnalysis;
class DataRepots;
class QTabWidget;
class QTableWidget;

struct GlobalState {
    AnalysisResults* analysisResults = nullptr;
    ForcePlateStaticTest* realTimeView = nullptr;
    forcePlateStaticDataAnalysis* staticAnalysisView = nullptr;
    DeviceManagement* deviceManagement = nullptr;
    timeLine* timeLineView = nullptr;
    forcePlateDataFilesRecord* dataFilesView = nullptr;
    dataAnalysis* balanceAnalysisView = nullptr;
    DataRepots* reportViewer = nullptr;
    QTabWidget* mainTabWidget = nullptr;
    QTableWidget* valueTable = nullptr;
    // Pressure value -> colour; written once at start-up, read-only afterwards.
    QMap<int, QColor> colorOfPressMap;
};

GlobalState& globalState();
