#include "PlateCommand.h"

#include <QUdpSocket>

namespace plate_command {

int frequencyIndexForRate(int framesPerSecond) {
    if (framesPerSecond >= 55 && framesPerSecond <= 65) return 1;
    if (framesPerSecond >= 35 && framesPerSecond <= 45) return 2;
    return 0;
}

QByteArray commandDatagram(const QString& value) {
    return "{\"fscmd\":\"" + value.toLatin1() + "\"}";
}

QByteArray frequencyCommand(const QString& frequency) {
    return commandDatagram("product -h  " + frequency);
}

QByteArray configurationCommand() { return commandDatagram("product -s  cfg"); }

QByteArray restartCommand() { return commandDatagram("product -r restart"); }

QString parseTarget(const QString& addressText, int port, Target* target) {
    QHostAddress address;
    if (!address.setAddress(addressText))
        return QString("设备地址无效（%1）").arg(addressText.isEmpty() ? "空" : addressText);
    if (port <= 0 || port > 65535) return QString("设备端口无效（%1）").arg(port);
    *target = {address, quint16(port)};
    return QString();
}

QString send(QUdpSocket& socket, const QByteArray& datagram, const Target& target) {
    const qint64 written = socket.writeDatagram(datagram, target.address, target.port);
    if (written == datagram.size()) return QString();
    return socket.errorString();
}

}  // namespace plate_command
