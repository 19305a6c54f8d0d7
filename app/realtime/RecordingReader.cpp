#include "RecordingReader.h"

#include <QFile>

namespace {

RecordingContents failed(RecordingError::Kind kind, const QString& path, const QString& cause) {
    RecordingContents contents;
    contents.error = {kind, QString("%1: %2").arg(path, cause)};
    return contents;
}

RecordingContents notARecording(const QString& path, const QString& cause) {
    return failed(RecordingError::Kind::NotARecording, path,
                  QString("not a recorded data file (%1)").arg(cause));
}

}  // namespace

RecordingContents readRecording(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return failed(RecordingError::Kind::OpenFailed, path,
                      QString("cannot open the file (%1)").arg(file.errorString()));
    }
    const qint64 size = file.size();
    if (size < recording::kHeaderSize) {
        return notARecording(path, QString("%1 bytes, shorter than the %2-byte header")
                                       .arg(size)
                                       .arg(recording::kHeaderSize));
    }

    QByteArray bytes = file.read(recording::kHeaderSize);
    if (bytes.size() != recording::kHeaderSize) {
        return failed(RecordingError::Kind::ReadFailed, path,
                      QString("cannot read the header (%1)").arg(file.errorString()));
    }
    if (bytes.back() != recording::kSeparator) {
        return notARecording(path, "the header does not end in the separator byte");
    }
    RecordingContents contents;
    contents.header = decodeHeader(bytes.constData());

    const qint64 frameCount = (size - recording::kHeaderSize) / recording::kFrameRecordSize;
    contents.trailingBytes =
        size - recording::kHeaderSize - frameCount * recording::kFrameRecordSize;
    contents.frames.reserve(static_cast<std::size_t>(frameCount));
    for (qint64 i = 0; i < frameCount; ++i) {
        bytes = file.read(recording::kFrameRecordSize);
        if (bytes.size() != recording::kFrameRecordSize) {
            return failed(RecordingError::Kind::ReadFailed, path,
                          QString("cannot read frame %1 (%2)").arg(i + 1).arg(file.errorString()));
        }
        if (bytes.back() != recording::kSeparator) {
            return notARecording(path,
                                 QString("frame %1 does not end in the separator byte").arg(i + 1));
        }
        contents.frames.push_back(decodeFrameRecord(bytes.constData()));
    }
    return contents;
}
