#include "CollectFrequencySetting.h"

#include <QMessageBox>
#include <QThread>
#include <QUdpSocket>

#include "PlateCommand.h"
#include "ui_CollectFrequencySetting.h"

namespace {
// The plate needs a moment between the frequency and the configuration command.
constexpr unsigned long kCommandGapMs = 100;
}  // namespace

CollectFrequencySetting::CollectFrequencySetting(QWidget* parent)
    : QDialog(parent), ui_(new Ui::CollectFrequencySetting) {
    ui_->setupUi(this);
    connect(ui_->okButton, &QPushButton::clicked, this, &CollectFrequencySetting::slotOnClickingOk);
    connect(ui_->comboBox_Devices, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &CollectFrequencySetting::slotOnSelectionChanged);
    connect(ui_->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

CollectFrequencySetting::~CollectFrequencySetting() { delete ui_; }

void CollectFrequencySetting::fillDevices(const QStringList& serials,
                                          const QMap<QString, QVariant>& deviceInfo) {
    deviceInfo_ = deviceInfo;
    ui_->comboBox_Devices->clear();
    ui_->comboBox_Devices->addItems(serials);
}

void CollectFrequencySetting::slotOnSelectionChanged(int index) {
    if (index < 0) return;
    const QString serial = ui_->comboBox_Devices->itemText(index);
    const int rate = deviceInfo_.value(serial + "_frequency", 0).toInt();
    ui_->comboBox_Frequencies->setCurrentIndex(plate_command::frequencyIndexForRate(rate));
}

void CollectFrequencySetting::warn(const QString& text) {
    QMessageBox::warning(this, "提示", text, QMessageBox::Ok);
}

void CollectFrequencySetting::slotOnClickingOk() {
    if (ui_->comboBox_Devices->currentIndex() < 0) return warn("未选择设备！");
    const QString serial = ui_->comboBox_Devices->currentText();
    const QString frequency = ui_->comboBox_Frequencies->currentText();
    plate_command::Target target;
    const QString targetError =
        plate_command::parseTarget(deviceInfo_.value(serial + "_ip", "").toString(),
                                   deviceInfo_.value(serial + "_port", 0).toInt(), &target);
    if (!targetError.isEmpty()) return warn("设置失败：" + targetError);
    if (!socket_) socket_ = new QUdpSocket(this);

    QString error =
        plate_command::send(*socket_, plate_command::frequencyCommand(frequency), target);
    if (!error.isEmpty()) return warn("设置失败：频率命令未能发送（" + error + "）");
    QThread::msleep(kCommandGapMs);
    error = plate_command::send(*socket_, plate_command::configurationCommand(), target);
    if (!error.isEmpty()) return warn("设置失败：配置命令未能发送（" + error + "）");
    QMessageBox::information(this, "提示", "设置成功！", QMessageBox::Ok);
    // The plate restarts with the new frequency only after the user has seen the result.
    error = plate_command::send(*socket_, plate_command::restartCommand(), target);
    if (!error.isEmpty()) return warn("重启命令未能发送（" + error + "），请重新设置");
    accept();
}
