#include "RecordingReader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

RecordingError failure(RecordingError::Kind kind, const QString& path, const QString& cause) {
    return {kind, QString("%1: %2").arg(path, cause)};
}

RecordingError notARecording(const QString& path, const QString& cause) {
    return failure(RecordingError::Kind::NotARecording, path,
                   QString("not a recorded data file (%1)").arg(cause));
}

QString systemError() { return QString::fromLocal8Bit(std::strerror(errno)); }

const char* fileKind(mode_t mode) {
    if (S_ISDIR(mode)) return "a folder";
    if (S_ISFIFO(mode)) return "a FIFO";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
    if (S_ISSOCK(mode)) return "a socket";
    return "not a regular file";
}

constexpr qint64 kMebibyte = 1024 * 1024;

}  // namespace

qint64 recordingMemoryLimit() {
    bool ok = false;
    const qint64 configured = qEnvironmentVariable("TESSALY_MAX_RECORDING_BYTES").toLongLong(&ok);
    if (ok && configured > 0) return configured;
    return static_cast<qint64>(sysconf(_SC_PHYS_PAGES)) * sysconf(_SC_PAGE_SIZE) / 4;
}

RecordingError RecordingFile::open(const QString& path) {
    file_.close();
    path_ = path;
    header_ = {};
    frameCount_ = trailingBytes_ = framesRead_ = 0;
    const QByteArray name = QFile::encodeName(path);
    struct stat status {};
    // Looked at before opening: opening a FIFO would wait for a writer.
    if (::stat(name.constData(), &status) != 0)
        return failure(RecordingError::Kind::OpenFailed, path,
                       QString("cannot open the file (%1)").arg(systemError()));
    if (!S_ISREG(status.st_mode))
        return notARecording(path, QString("%1, not a file").arg(fileKind(status.st_mode)));
    // Non-blocking, and checked again once open, in case the path changed in between.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return failure(RecordingError::Kind::OpenFailed, path,
                       QString("cannot open the file (%1)").arg(systemError()));
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return notARecording(path, "not a regular file");
    }
    if (!file_.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return failure(RecordingError::Kind::OpenFailed, path,
                       QString("cannot open the file (%1)").arg(file_.errorString()));
    }
    const qint64 size = status.st_size;
    if (size < recording::kHeaderSize) {
        file_.close();
        return notARecording(path, QString("%1 bytes, shorter than the %2-byte header")
                                       .arg(size)
                                       .arg(recording::kHeaderSize));
    }
    const QByteArray bytes = file_.read(recording::kHeaderSize);
    if (bytes.size() != recording::kHeaderSize) {
        const QString cause = file_.errorString();
        file_.close();
        return failure(RecordingError::Kind::ReadFailed, path,
                       QString("cannot read the header (%1)").arg(cause));
    }
    if (bytes.back() != recording::kSeparator) {
        file_.close();
        return notARecording(path, "the header does not end in the separator byte");
    }
    header_ = decodeHeader(bytes.constData());
    frameCount_ = (size - recording::kHeaderSize) / recording::kFrameRecordSize;
    trailingBytes_ = size - recording::kHeaderSize - frameCount_ * recording::kFrameRecordSize;
    return {};
}

RecordingError RecordingFile::readFrame(PressureMatrix& matrix) {
    const qint64 number = framesRead_ + 1;
    const QByteArray bytes =
        framesRead_ < frameCount_ ? file_.read(recording::kFrameRecordSize) : QByteArray();
    if (bytes.size() != recording::kFrameRecordSize)
        return failure(RecordingError::Kind::ReadFailed, path_,
                       QString("cannot read frame %1 (%2)").arg(number).arg(file_.errorString()));
    if (bytes.back() != recording::kSeparator)
        return notARecording(path_,
                             QString("frame %1 does not end in the separator byte").arg(number));
    matrix = decodeFrameRecord(bytes.constData());
    ++framesRead_;
    return {};
}

RecordingContents readRecording(const QString& path, qint64 memoryLimit) {
    RecordingContents contents;
    RecordingFile file;
    contents.error = file.open(path);
    if (!contents.ok()) return contents;
    const qint64 frames = file.frameCount();
    // Checked before anything is reserved: the count comes from the file size alone.
    if (frames > memoryLimit / static_cast<qint64>(sizeof(PressureMatrix))) {
        contents.error =
            failure(RecordingError::Kind::TooLarge, path,
                    QString("%1 frames need %2 MiB of memory, more than the %3 MiB a recording may "
                            "take (TESSALY_MAX_RECORDING_BYTES)")
                        .arg(frames)
                        .arg(frames * static_cast<qint64>(sizeof(PressureMatrix)) / kMebibyte)
                        .arg(memoryLimit / kMebibyte));
        return contents;
    }
    contents.frames.reserve(static_cast<std::size_t>(frames));
    PressureMatrix matrix;
    for (qint64 i = 0; i < frames; ++i) {
        contents.error = file.readFrame(matrix);
        if (!contents.ok()) {
            contents.frames.clear();
            return contents;
        }
        contents.frames.push_back(matrix);
    }
    contents.header = file.header();
    contents.trailingBytes = file.trailingBytes();
    return contents;
}
