// What report publishing and tessaly-cli report still find through one process-wide record:
// the analysis views, the report viewer and the central tabs (the main window registers
// them), and the pressure colour scale of tessaly-cli report's views. Created on first use
// by globalState() and never freed; used from the GUI thread only. Every other view receives
// what it uses through its constructor.
#pragma once

#include <QColor>
#include <QMap>

class forcePlateStaticDataAnalysis;
class dataAnalysis;
class DataRepots;
class QTabWidget;

struct GlobalState {
    forcePlateStaticDataAnalysis* staticAnalysisView = nullptr;
    dataAnalysis* balanceAnalysisView = nullptr;
    DataRepots* reportViewer = nullptr;
    QTabWidget* mainTabWidget = nullptr;
    // Pressure value -> colour; written once at start-up, read-only afterwards.
    QMap<int, QColor> colorOfPressMap;
};

GlobalState& globalState();
