#include "dataAnalysisForm.h"

#include <qcustomplot.h>

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "staticTestDrawResult.h"

namespace {

template <typename Widget>
Widget* named(Widget* widget, const char* name) {
    widget->setObjectName(name);
    return widget;
}

QPushButton* originButton(QWidget* parent, const char* name, const char* text) {
    auto* button = named(new QPushButton(text, parent), name);
    QFont font = button->font();
    font.setPointSize(9);
    button->setFont(font);
    return button;
}

template <typename Layout>
Layout* tightLayout(QWidget* owner, int spacing) {
    auto* layout = new Layout(owner);
    layout->setContentsMargins(spacing, spacing, spacing, spacing);
    layout->setSpacing(spacing);
    return layout;
}

}  // namespace

void dataAnalysisForm::setupUi(QWidget* view) {
    view->resize(936, 856);
    auto* viewLayout = tightLayout<QVBoxLayout>(view, 0);
    widget = named(new QWidget(view), "widget");
    widget->setFixedHeight(30);
    tabWidget = named(new QTabWidget(view), "tabWidget");
    tabWidget->setFont(QFont("Microsoft YaHei UI", 10));
    viewLayout->addWidget(widget);
    viewLayout->addWidget(tabWidget);

    tab = named(new QWidget, "tab");
    auto* tabLayout = tightLayout<QHBoxLayout>(tab, 2);
    label4PlayingAnalysisedImages = named(new QLabel(tab), "label4PlayingAnalysisedImages");
    label4PlayingAnalysisedImages->setStyleSheet("border:1px solid #ccc;");
    label4ScalerImage = named(new QLabel(tab), "label4ScalerImage");
    label4ScalerImage->setFixedSize(0, 0);
    widget_4 = named(new QWidget(tab), "widget_4");
    widget_4->setMaximumWidth(400);
    tableWidget_everyFramePressure =
        named(new QTableWidget(widget_4), "tableWidget_everyFramePressure");
    tightLayout<QVBoxLayout>(widget_4, 0)->addWidget(tableWidget_everyFramePressure);
    tabLayout->addWidget(label4PlayingAnalysisedImages, 0, Qt::AlignLeft | Qt::AlignTop);
    tabLayout->addWidget(label4ScalerImage);
    tabLayout->addStretch();
    tabLayout->addWidget(widget_4, 1);  // up to its 400 pixels before the gap grows
    tabWidget->addTab(tab, "2D静态平衡");

    tab_2 = named(new QWidget, "tab_2");
    auto* resultsLayout = tightLayout<QVBoxLayout>(tab_2, 0);
    widget_8 = named(new QWidget(tab_2), "widget_8");
    widget_8->setFixedHeight(0);
    auto* originLayout = new QHBoxLayout(widget_8);
    pushButtonCenterLeftMove =
        originButton(widget_8, "pushButtonCenterLeftMove", "中心坐标\n原点左移");
    pushButtonCenterRightMove =
        originButton(widget_8, "pushButtonCenterRightMove", "中心坐标\n原点右移");
    pushButtonCenterUPMove = originButton(widget_8, "pushButtonCenterUPMove", "中心坐标\n原点上移");
    pushButtonCenterDownMove =
        originButton(widget_8, "pushButtonCenterDownMove", "中心坐标\n原点下移");
    for (QPushButton* button : {pushButtonCenterLeftMove, pushButtonCenterRightMove,
                                pushButtonCenterUPMove, pushButtonCenterDownMove})
        originLayout->addWidget(button);
    // The drawing and the column beside it are placed by the view's layout refresh.
    widget_10 = named(new QWidget(tab_2), "widget_10");
    resultsLayout->addWidget(widget_8);
    resultsLayout->addWidget(widget_10, 1);

    widgetOfAnalysisResultPainter =
        named(new staticTestDrawResult(widget_10), "widgetOfAnalysisResultPainter");
    widgetOfAnalysisResultPainter->setMinimumSize(200, 200);
    widgetRight_2 = named(new QWidget(widget_10), "widgetRight_2");
    widgetRight_2->setFixedWidth(400);
    widgetRight_2->setMinimumHeight(480);
    groupBox_2 = named(new QGroupBox("单板平衡分析", widgetRight_2), "groupBox_2");
    tightLayout<QVBoxLayout>(widgetRight_2, 0)->addWidget(groupBox_2);

    auto* groupLayout = new QVBoxLayout(groupBox_2);
    widgetOfCopCurve = named(new QCustomPlot(groupBox_2), "widgetOfCopCurve");
    widgetOfCopSpeed = named(new QCustomPlot(groupBox_2), "widgetOfCopSpeed");
    for (QCustomPlot* chart : {widgetOfCopCurve, widgetOfCopSpeed}) {
        chart->setMinimumHeight(200);
        groupLayout->addWidget(chart, 1);
    }
    widgetPara = named(new QWidget(groupBox_2), "widgetPara");
    widgetPara->setMinimumHeight(180);
    tableWidgetPara = named(new QTableWidget(widgetPara), "tableWidgetPara");
    tableWidgetPara->setMaximumHeight(160);
    tightLayout<QVBoxLayout>(widgetPara, 2)->addWidget(tableWidgetPara);
    groupLayout->addWidget(widgetPara);

    widget_6 = named(new QWidget(groupBox_2), "widget_6");
    widget_6->setMinimumHeight(100);
    auto* commentLayout = tightLayout<QVBoxLayout>(widget_6, 2);
    textEdit_Evaluation = named(new QPlainTextEdit(widget_6), "textEdit_Evaluation");
    textEdit_Evaluation->setFont(QFont("微软雅黑", 10));
    textEdit_Evaluation->setStyleSheet("border:1px solid #adadad;");
    textEdit_Evaluation->setPlaceholderText("此处可填写评语");
    pushButtonPublishReports =
        named(new QPushButton("生成数据报告", widget_6), "pushButtonPublishReports");
    pushButtonPublishReports->setMinimumHeight(30);
    pushButtonPublishReports->setStyleSheet(
        "QPushButton{border-radius:2px;background-color:rgb(0,64,115);color:white;}"
        "QPushButton:hover,QPushButton:pressed{background-color:rgb(0,122,204);color:white;}");
    commentLayout->addWidget(textEdit_Evaluation);
    commentLayout->addWidget(pushButtonPublishReports);
    groupLayout->addWidget(widget_6);
    tabWidget->addTab(tab_2, "结果分析");

    tabWidget->setCurrentIndex(1);
}
