#include "RecordingWriter.h"

#include "PrivateFiles.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

RecordingWriter::~RecordingWriter() { close(); }

RecordingError RecordingWriter::rewriteFrameRate(std::uint16_t framesPerSecond) {
    if (!file_.isOpen())
        return {RecordingError::Kind::NotOpen, QString("no recording file is open")};
    RecordingHeader header;
    header.frameRate = framesPerSecond;
    const QByteArray rate = encodeHeader(header).mid(recording::kFrameRateOffset, 2);
    const qint64 end = file_.pos();
    if (!file_.seek(recording::kFrameRateOffset) || file_.write(rate) != rate.size() ||
        !file_.seek(end))
        return {RecordingError::Kind::WriteFailed, QString("%1: cannot store the frame rate (%2)")
                                                       .arg(file_.fileName(), file_.errorString())};
    return {};
}

RecordingError RecordingWriter::syncToDisk() {
    if (!file_.isOpen())
        return {RecordingError::Kind::NotOpen, QString("no recording file is open")};
    if (::fdatasync(file_.handle()) != 0)
        return {RecordingError::Kind::WriteFailed,
                QString("%1: cannot store the data on disk (%2)")
                    .arg(file_.fileName(), QString::fromLocal8Bit(std::strerror(errno)))};
    return {};
}

RecordingError RecordingWriter::open(const QString& path, const RecordingHeader& header) {
    close();
    frameCount_ = 0;
    failure_ = {};
    if (header.tag.toUtf8().size() > recording::kTagSize - 1) {
        return {RecordingError::Kind::TagTooLong,
                QString("%1: the tag \"%2\" is longer than %3 bytes")
                    .arg(path, header.tag)
                    .arg(recording::kTagSize - 1)};
    }
    file_.setFileName(path);
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
        return {RecordingError::Kind::OpenFailed,
                QString("%1: cannot create the file (%2)").arg(path, file_.errorString())};
    }
    if (!restrictToOwner(file_)) {  // before any data reaches it
        const QString cause = file_.errorString();
        file_.close();
        return {RecordingError::Kind::OpenFailed,
                QString("%1: cannot make the file private (%2)").arg(path, cause)};
    }
    if (file_.write(encodeHeader(header)) != recording::kHeaderSize) {
        const QString cause = file_.errorString();
        file_.close();
        return {RecordingError::Kind::WriteFailed,
                QString("%1: cannot write the header (%2)").arg(path, cause)};
    }
    return {};
}

RecordingError RecordingWriter::appendFrame(const ForcePlateFrame_TypeDef& frame) {
    return appendRecord(encodeFrameRecord(toRecordedMatrix(frame)));
}

RecordingError RecordingWriter::appendRecord(const QByteArray& record) {
    if (!file_.isOpen()) {
        return {RecordingError::Kind::NotOpen, QString("no recording file is open")};
    }
    if (!failure_.ok()) {
        return failure_;
    }
    const qint64 endOfLastRecord = file_.pos();
    const qint64 written = file_.write(record);
    if (written != record.size()) {
        // A short write sets no error text; name the usual causes instead.
        const QString cause = file_.error() == QFileDevice::NoError
                                  ? QString("the disk is full or the file too large")
                                  : file_.errorString();
        file_.resize(endOfLastRecord);
        failure_ = {RecordingError::Kind::WriteFailed,
                    QString("%1: frame %2 could not be written (%3); the file keeps the %4 "
                            "frames before it")
                        .arg(file_.fileName())
                        .arg(frameCount_ + 1)
                        .arg(cause)
                        .arg(frameCount_)};
        return failure_;
    }
    ++frameCount_;
    return {};
}

RecordingError RecordingWriter::close() {
    if (!file_.isOpen()) {
        return {};
    }
    file_.unsetError();  // a failed frame write has been reported already
    file_.close();
    if (file_.error() != QFileDevice::NoError) {
        return {
            RecordingError::Kind::WriteFailed,
            QString("%1: closing the file failed (%2)").arg(file_.fileName(), file_.errorString())};
    }
    return {};
}
