// Small recorded data files written byte by byte, for the loader, export and cli tests.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <vector>

#include "PressureMatrix.h"
#include "RecordingFormat.h"

// The header bytes: tag, frame rate, mode and the separator.
inline QByteArray headerBytes(const QString& tag = QString(), int mode = 0) {
    RecordingHeader header;
    header.tag = tag;
    header.measureMode = mode;
    return encodeHeader(header);
}

inline QByteArray recordingBytes(const std::vector<PressureMatrix>& frames, int mode = 0,
                                 const QString& tag = QString()) {
    QByteArray bytes = headerBytes(tag, mode);
    for (const PressureMatrix& frame : frames) bytes += encodeFrameRecord(frame);
    return bytes;
}

// Writes bytes to path, creating the folders on the way.
inline bool writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A frame with a block of pressure in rows 10..19, columns 10..19 (value 1000 + row + column)
// and the number n in cell (30, 30), so frames tell each other apart.
inline PressureMatrix blockFrame(int n) {
    PressureMatrix m{};
    for (int r = 10; r < 20; ++r)
        for (int c = 10; c < 20; ++c) m.at(r, c) = static_cast<std::uint16_t>(1000 + r + c);
    m.at(30, 30) = static_cast<std::uint16_t>(n);
    m.at(30, 31) = 7;  // keeps (30, 30) from being cleaned away as a lone cell
    return m;
}
