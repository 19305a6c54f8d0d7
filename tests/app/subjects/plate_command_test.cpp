// The frequency choice for a measured rate and the command datagrams on the wire.
#include <QNetworkDatagram>
#include <QUdpSocket>
#include <QtTest>

#include "PlateCommand.h"

class PlateCommandTest : public QObject {
    Q_OBJECT
private slots:
    void frequencyForMeasuredRate_data() {
        QTest::addColumn<int>("rate");
        QTest::addColumn<QString>("frequency");
        const std::pair<int, const char*> rows[] = {
            {58, "60"}, {100, "100"}, {0, "100"},  {40, "40"}, {46, "100"}, {55, "60"},
            {65, "60"}, {54, "100"},  {66, "100"}, {35, "40"}, {45, "40"},  {34, "100"}};
        for (const auto& [rate, frequency] : rows)
            QTest::addRow("%d fps", rate) << rate << QString(frequency);
    }
    void frequencyForMeasuredRate() {
        QFETCH(int, rate);
        QFETCH(QString, frequency);
        QCOMPARE(QString(plate_command::kFrequencies[plate_command::frequencyIndexForRate(rate)]),
                 frequency);
    }

    void datagramBytes() {
        QCOMPARE(plate_command::frequencyCommand("40"),
                 QByteArray("{\"fscmd\":\"product -h  40\"}"));
        QCOMPARE(plate_command::configurationCommand(),
                 QByteArray("{\"fscmd\":\"product -s  cfg\"}"));
        QCOMPARE(plate_command::restartCommand(), QByteArray("{\"fscmd\":\"product -r restart\"}"));
    }

    void unusableTargetIsRefused_data() {
        QTest::addColumn<QString>("address");
        QTest::addColumn<int>("port");
        QTest::addColumn<bool>("usable");
        QTest::newRow("plate") << "127.0.0.1" << 50000 << true;
        QTest::newRow("no address") << "" << 50000 << false;
        QTest::newRow("not an address") << "plate-1" << 50000 << false;
        QTest::newRow("no port") << "127.0.0.1" << 0 << false;
        QTest::newRow("port too large") << "127.0.0.1" << 70000 << false;
    }
    void unusableTargetIsRefused() {
        QFETCH(QString, address);
        QFETCH(int, port);
        QFETCH(bool, usable);
        plate_command::Target target;
        QCOMPARE(plate_command::parseTarget(address, port, &target).isEmpty(), usable);
        if (usable) QCOMPARE(target.port, quint16(port));
    }

    void sendReachesTheTargetOrSaysWhy() {
        QUdpSocket plate;
        QVERIFY(plate.bind(QHostAddress(QHostAddress::LocalHost), 0));
        QUdpSocket sender;
        const plate_command::Target target{QHostAddress::LocalHost, plate.localPort()};
        QCOMPARE(plate_command::send(sender, "abc", target), QString());
        QVERIFY(plate.waitForReadyRead(2000));
        QCOMPARE(plate.receiveDatagram().data(), QByteArray("abc"));

        // An IPv4 socket cannot reach an IPv6 address: the failure comes back as text.
        QUdpSocket ipv4Only;
        QVERIFY(ipv4Only.bind(QHostAddress(QHostAddress::LocalHost), 0));
        QVERIFY(!plate_command::send(ipv4Only, "abc", {QHostAddress::LocalHostIPv6, 9}).isEmpty());
    }
};

QTEST_GUILESS_MAIN(PlateCommandTest)
#include "plate_command_test.moc"
