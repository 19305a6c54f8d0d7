// The widgets of the balance view, with the object names the rest of the program and the
// report composer look them up by.
#pragma once

class QCustomPlot;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTableWidget;
class QWidget;
class staticTestDrawResult;

struct dataAnalysisForm {
    QWidget* widget = nullptr;  // top strip
    QTabWidget* tabWidget = nullptr;
    // First page "2D静态平衡": the frame image and the frame's zone loads.
    QWidget* tab = nullptr;
    QLabel* label4PlayingAnalysisedImages = nullptr;
    QLabel* label4ScalerImage = nullptr;
    QWidget* widget_4 = nullptr;
    QTableWidget* tableWidget_everyFramePressure = nullptr;
    // Second page "结果分析": trajectory drawing, charts, figures, comment and publishing.
    QWidget* tab_2 = nullptr;
    QWidget* widget_8 = nullptr;  // the hidden origin buttons
    QPushButton* pushButtonCenterLeftMove = nullptr;
    QPushButton* pushButtonCenterRightMove = nullptr;
    QPushButton* pushButtonCenterUPMove = nullptr;
    QPushButton* pushButtonCenterDownMove = nullptr;
    QWidget* widget_10 = nullptr;
    staticTestDrawResult* widgetOfAnalysisResultPainter = nullptr;
    QWidget* widgetRight_2 = nullptr;
    QGroupBox* groupBox_2 = nullptr;
    QCustomPlot* widgetOfCopCurve = nullptr;
    QCustomPlot* widgetOfCopSpeed = nullptr;
    QWidget* widgetPara = nullptr;
    QTableWidget* tableWidgetPara = nullptr;
    QWidget* widget_6 = nullptr;
    QPlainTextEdit* textEdit_Evaluation = nullptr;
    QPushButton* pushButtonPublishReports = nullptr;

    // Builds the widgets into view; the second page is current afterwards.
    void setupUi(QWidget* view);
};
