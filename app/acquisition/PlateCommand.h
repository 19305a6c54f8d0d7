// The command datagrams that set a plate's acquisition frequency, and the choice of frequency
// that matches a measured frame rate.
#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QString>

class QUdpSocket;

namespace plate_command {

// The frequencies a plate offers, in the order of the frequency choice.
inline const char* const kFrequencies[] = {"100", "60", "40"};

// Index into kFrequencies for a measured rate: 55..65 -> "60", 35..45 -> "40", else "100".
int frequencyIndexForRate(int framesPerSecond);

// {"fscmd":"<value>"} in Latin-1, no whitespace outside the text, no terminator.
QByteArray commandDatagram(const QString& value);
// "product -h  <frequency>" (two spaces), "product -s  cfg" (two spaces), "product -r restart".
QByteArray frequencyCommand(const QString& frequency);
QByteArray configurationCommand();
QByteArray restartCommand();

// Where a plate takes its commands: the address and port its data come from.
struct Target {
    QHostAddress address;
    quint16 port = 0;
};

// The target from the texts the device panel stores; an empty text when they are usable,
// else why not (the commands would go nowhere).
QString parseTarget(const QString& addressText, int port, Target* target);

// Hands one datagram to the network stack. Empty text on success, else the socket's error.
QString send(QUdpSocket& socket, const QByteArray& datagram, const Target& target);

}  // namespace plate_command
