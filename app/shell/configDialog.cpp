#include "configDialog.h"

#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

#include "AcquisitionSession.h"
#include "AnalysisColors.h"
#include "AppConstants.h"
#include "AtomicWrite.h"
#include "ColorText.h"
#include "PrivateFiles.h"
#include "forcePlateStaticDataAnalysis.h"
#include "ui_configDialog.h"

namespace {
const char* const kKeyProperty = "CONFIG_PATH";
const char* const kColorProperty = "LASTEST_COLOR";
}  // namespace

configDialog::configDialog(QWidget* parent, int pageIndex, forcePlateStaticDataAnalysis* staticView)
    : configDialog(parent, pageIndex, analysisColorsIniPath(), staticView) {}

configDialog::configDialog(QWidget* parent, int pageIndex, const QString& iniPath,
                           forcePlateStaticDataAnalysis* staticView)
    : QDialog(parent),
      ui_(new Ui::configDialog),
      iniPath_(iniPath),
      eightAreaLine_(kEightAreaLineColor.defaultColor),
      leftFootPercent_(kLeftFootPercentColor.defaultColor),
      rightFootPercent_(kRightFootPercentColor.defaultColor) {
    ui_->setupUi(this);
    ui_->lineEdit_StorePath->setText(appFolders().data);
    ui_->lineEdit_ReportPath->setText(QDir(app::reportDirectory()).absolutePath());
    ui_->lineEdit_ConfigPath->setText(appFolders().config);
    // A portable installation keeps its data beside the program.
    ui_->pushButton_SelectStorePath->setEnabled(!appFolders().portable);
    ui_->spinBox_Port->setValue(listenSettingsFromIni().port);
    slotOnRefreshColorSettings();
    ui_->tabWidget->setCurrentIndex(pageIndex);

    const std::pair<QPushButton*, std::pair<const char*, QColor>> buttons[] = {
        {ui_->tabA_btn_8AreaLine, {kEightAreaLineColor.key, eightAreaLine_}},
        {ui_->tabA_btn_LeftFoot, {kLeftFootPercentColor.key, leftFootPercent_}},
        {ui_->tabA_btn_RightFoot, {kRightFootPercentColor.key, rightFootPercent_}}};
    for (const auto& [button, setting] : buttons) {
        button->setProperty(kKeyProperty, QString(setting.first));
        showColorOn(button, setting.second);
        connect(button, &QPushButton::clicked, this, &configDialog::slotOnSelectingColor);
    }

    connect(this, &configDialog::updateColorSettings, this,
            &configDialog::slotOnRefreshColorSettings);
    if (staticView)
        connect(this, &configDialog::updateColorSettings, staticView,
                &forcePlateStaticDataAnalysis::slotOnRefreshColorSettings);
    connect(ui_->pushButton_SelectStorePath, &QPushButton::clicked, this,
            &configDialog::slotOnClickBtn_selectStorePath);
    connect(ui_->pushButton_Confirmed, &QPushButton::clicked, this,
            &configDialog::slotOnClickBtn_confirmed);
    connect(ui_->pushButton_Cancel, &QPushButton::clicked, this,
            &configDialog::slotOnClickBtn_cancel);
}

configDialog::~configDialog() { delete ui_; }

// The appended rule comes last, so it wins over the form's red background.
void configDialog::showColorOn(QPushButton* button, const QColor& color) {
    button->setProperty(kColorProperty, color);
    button->setStyleSheet(button->styleSheet() +
                          QString(";background-color:rgb(%1);").arg(colorToString(color)));
}

void configDialog::slotOnRefreshColorSettings() {
    eightAreaLine_ = readAnalysisColor(iniPath_, kEightAreaLineColor.key, eightAreaLine_);
    leftFootPercent_ = readAnalysisColor(iniPath_, kLeftFootPercentColor.key, leftFootPercent_);
    rightFootPercent_ = readAnalysisColor(iniPath_, kRightFootPercentColor.key, rightFootPercent_);
}

void configDialog::slotOnSelectingColor() {
    auto* button = qobject_cast<QPushButton*>(sender());
    if (!button) return;
    const QColor chosen =
        QColorDialog::getColor(button->property(kColorProperty).value<QColor>(), this, "选择颜色");
    if (!chosen.isValid()) return;  // cancelled
    showColorOn(button, chosen);
    if (!writeAnalysisColor(iniPath_, button->property(kKeyProperty).toString(), chosen)) {
        QMessageBox::warning(this, "提示", "颜色设置无法保存到 " + iniPath_);
        return;
    }
    emit updateColorSettings();
}

void configDialog::slotOnClickBtn_confirmed() {
    const QString dataFolder = QDir::cleanPath(ui_->lineEdit_StorePath->text().trimmed());
    if (!QDir::isAbsolutePath(dataFolder) || !createPrivateFolder(dataFolder)) {
        QMessageBox::warning(this, "出错啦", "当前文件夹路径无效，请重新输入！");
        return;
    }
    const int port = ui_->spinBox_Port->value();
    const bool dataFolderChanged = dataFolder != appFolders().data;
    const bool portChanged = port != listenSettingsFromIni().port;
    if (dataFolderChanged || portChanged) {
        const QString iniPath = app::applicationIniPath(kProgramIni);
        const QString problem = updateIniFile(iniPath, [&](QSettings& ini) {
            if (dataFolderChanged) ini.setValue(kDataFolderKey, dataFolder);
            if (portChanged) ini.setValue(kListenPortKey, port);
        });
        if (!problem.isEmpty()) {
            QMessageBox::warning(this, "提示", "设置无法保存到 " + iniPath + "\n" + problem);
            return;
        }
    }
    close();
}

void configDialog::slotOnClickBtn_cancel() { close(); }

void configDialog::slotOnClickBtn_selectStorePath() {
    const QString chosen = QFileDialog::getExistingDirectory(this, "请选择新的数据文件保存路径",
                                                             ui_->lineEdit_StorePath->text(),
                                                             QFileDialog::ShowDirsOnly);
    if (!chosen.isEmpty()) ui_->lineEdit_StorePath->setText(chosen);
}
