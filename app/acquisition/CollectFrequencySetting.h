// The modal dialog that sets a plate's acquisition frequency: it sends the frequency,
// configuration and restart commands to the address and port the plate's data come from.
#pragma once

#include <QDialog>
#include <QMap>
#include <QStringList>
#include <QVariant>

class QUdpSocket;
namespace Ui {
class CollectFrequencySetting;
}

class CollectFrequencySetting : public QDialog {
    Q_OBJECT
public:
    explicit CollectFrequencySetting(QWidget* parent = nullptr);
    ~CollectFrequencySetting() override;

    // Lists the plates (serial texts, in this order) and keeps a copy of the device panel's
    // information (serial + "_ip", "_port", "_frequency").
    void fillDevices(const QStringList& serials, const QMap<QString, QVariant>& deviceInfo);

public slots:
    // Preselects the frequency closest to the plate's measured frame rate.
    void slotOnSelectionChanged(int index);
    // Sends the commands; "设置成功！" appears only when the plate's commands left this
    // program, otherwise a warning says what failed and the dialog stays open.
    void slotOnClickingOk();

private:
    void warn(const QString& text);

    Ui::CollectFrequencySetting* ui_;
    QMap<QString, QVariant> deviceInfo_;
    QUdpSocket* socket_ = nullptr;
};
