// The acquisition-frequency dialog against a test socket that stands in for the plate.
#include <QComboBox>
#include <QElapsedTimer>
#include <QNetworkDatagram>
#include <QPushButton>
#include <QUdpSocket>
#include <QtTest>

#include "CollectFrequencySetting.h"
#include "ModalAnswer.h"
#include "Startup.h"

namespace {

// Datagrams that arrived at the socket within timeoutMs.
QList<QByteArray> receive(QUdpSocket& socket, int wanted, int timeoutMs = 2000) {
    QList<QByteArray> got;
    QElapsedTimer clock;
    clock.start();
    while (got.size() < wanted && clock.elapsed() < timeoutMs) {
        if (socket.hasPendingDatagrams() || socket.waitForReadyRead(50))
            while (socket.hasPendingDatagrams()) got << socket.receiveDatagram().data();
    }
    return got;
}

QComboBox* combo(QWidget* dialog, const char* name) { return dialog->findChild<QComboBox*>(name); }
QPushButton* button(QWidget* dialog, const char* name) {
    return dialog->findChild<QPushButton*>(name);
}

}  // namespace

class FrequencyDialogTest : public QObject {
    Q_OBJECT
    QUdpSocket plate_;

    QMap<QString, QVariant> plateAt(const QString& serial, const QString& ip, int port,
                                    unsigned rate = 100) {
        return {{serial + "_ip", ip},
                {serial + "_port", QString::number(port)},
                {serial + "_frequency", rate}};
    }

private slots:
    void initTestCase() {
        installFontSubstitutions();
        QVERIFY(plate_.bind(QHostAddress(QHostAddress::LocalHost), 0));
    }
    void cleanup() { receive(plate_, 100, 0); }  // nothing carries over

    void formShowsThePlatesAndFrequencies() {
        CollectFrequencySetting dialog;
        QCOMPARE(dialog.windowTitle(), QString("压力板采集频率设置"));
        QMap<QString, QVariant> info = plateAt("1A2B3C3E", "127.0.0.1", 1, 58);
        info.insert(plateAt("1A2B3D3E", "127.0.0.1", 2, 40));
        dialog.fillDevices({"1A2B3C3E", "1A2B3D3E"}, info);
        QComboBox* devices = combo(&dialog, "comboBox_Devices");
        QComboBox* frequencies = combo(&dialog, "comboBox_Frequencies");
        QCOMPARE(devices->count(), 2);
        QCOMPARE(devices->currentText(), QString("1A2B3C3E"));
        QStringList items;
        for (int i = 0; i < frequencies->count(); ++i) items << frequencies->itemText(i);
        QCOMPARE(items, (QStringList{"100", "60", "40"}));
        QCOMPARE(frequencies->currentText(), QString("60"));  // measured 58
        devices->setCurrentIndex(1);
        QCOMPARE(frequencies->currentText(), QString("40"));
    }

    void commandsReachThePlateInOrder_data() {
        QTest::addColumn<QString>("frequency");
        QTest::newRow("40") << "40";
        QTest::newRow("60") << "60";
        QTest::newRow("100") << "100";
    }
    void commandsReachThePlateInOrder() {
        QFETCH(QString, frequency);
        CollectFrequencySetting dialog;
        dialog.fillDevices({"1A2B3C3E"}, plateAt("1A2B3C3E", "127.0.0.1", plate_.localPort()));
        dialog.show();
        combo(&dialog, "comboBox_Frequencies")->setCurrentText(frequency);

        QList<QByteArray> beforeTheBox;
        SeenBox seen;
        answerMessageBox(QMessageBox::Ok, &seen, [&] { beforeTheBox = receive(plate_, 3, 300); });
        QTest::mouseClick(button(&dialog, "okButton"), Qt::LeftButton);
        QCOMPARE(seen.title, QString("提示"));
        QCOMPARE(seen.text, QString("设置成功！"));
        QCOMPARE(seen.icon, QMessageBox::Information);
        QCOMPARE(beforeTheBox,
                 (QList<QByteArray>{"{\"fscmd\":\"product -h  " + frequency.toLatin1() + "\"}",
                                    "{\"fscmd\":\"product -s  cfg\"}"}));
        QCOMPARE(receive(plate_, 1), QList<QByteArray>{"{\"fscmd\":\"product -r restart\"}"});
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }

    void noPlateIsRefused() {
        CollectFrequencySetting dialog;
        dialog.fillDevices({}, {});
        dialog.show();
        SeenBox seen;
        answerMessageBox(QMessageBox::Ok, &seen);
        QTest::mouseClick(button(&dialog, "okButton"), Qt::LeftButton);
        QCOMPARE(seen.text, QString("未选择设备！"));
        QVERIFY(dialog.isVisible());
    }

    // A plate without a usable address gets no commands, and the user is not told otherwise.
    void unusableAddressIsReported_data() {
        QTest::addColumn<QString>("ip");
        QTest::addColumn<int>("port");
        QTest::newRow("no address") << "" << 1;
        QTest::newRow("garbled address") << "127.0.0.256" << 1;
        QTest::newRow("no port") << "127.0.0.1" << 0;
    }
    void unusableAddressIsReported() {
        QFETCH(QString, ip);
        QFETCH(int, port);
        CollectFrequencySetting dialog;
        QMap<QString, QVariant> info = plateAt("1A2B3C3E", ip, port);
        if (ip.isEmpty()) info.remove("1A2B3C3E_ip");
        dialog.fillDevices({"1A2B3C3E"}, info);
        dialog.show();
        SeenBox seen;
        answerMessageBox(QMessageBox::Ok, &seen);
        QTest::mouseClick(button(&dialog, "okButton"), Qt::LeftButton);
        QVERIFY2(seen.text.startsWith("设置失败："), qPrintable(seen.text));
        QVERIFY(dialog.isVisible());
    }

    void closeSendsNothing() {
        CollectFrequencySetting dialog;
        dialog.fillDevices({"1A2B3C3E"}, plateAt("1A2B3C3E", "127.0.0.1", plate_.localPort()));
        dialog.show();
        QTest::mouseClick(button(&dialog, "cancelButton"), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(receive(plate_, 1, 300).isEmpty());
    }
};

QTEST_MAIN(FrequencyDialogTest)
#include "frequency_dialog_test.moc"
