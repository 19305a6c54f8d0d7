// libFuzzer entry over reading recorded data files (".raw"). The input is written to a file and
// read by the loader, as the data file browser and tessaly-cli open a recording, and frame by
// frame, as playback reads it; what each returns must follow from the bytes alone.
#include <unistd.h>

#include <QByteArray>
#include <QFile>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "FrameCleaning.h"
#include "RecordingLoader.h"
#include "RecordingReader.h"

namespace {

using recording::kFrameRecordSize;
using recording::kHeaderSize;
using recording::kSeparator;

// One file for the whole run, removed at exit.
struct ScratchFile {
    QString path;
    ScratchFile() {
        char name[] = "/tmp/tessaly-recording-fuzz-XXXXXX";
        const int fd = mkstemp(name);
        if (fd < 0) std::abort();
        close(fd);
        path = QString::fromLocal8Bit(name);
    }
    ~ScratchFile() { QFile::remove(path); }
};

void check(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "recording fuzzer: %s\n", what);
    std::abort();
}

bool cleaned(const PressureMatrix& m) {
    constexpr int last = PressureMatrix::kRows - 1;
    for (int j = 0; j <= last; ++j)
        for (int k = 0; k <= last; ++k) {
            const std::uint16_t cell = m.at(j, k);
            if (cell == 1) return false;
            if ((j == 0 || j == last || k == 0 || k == last) && cell != 0) return false;
        }
    return true;
}

// Playback's reader sees the frames the loader returned, before cleaning.
void checkFrameByFrame(const QString& path, const LoadedRecording& loaded) {
    RecordingFile file;
    check(file.open(path).ok(), "a loaded recording does not open frame by frame");
    check(file.frameCount() == loaded.frameCount, "the two readers count different frames");
    PressureMatrix matrix;
    for (const PressureMatrix& frame : loaded.frames) {
        check(file.readFrame(matrix).ok(), "a loaded frame does not read frame by frame");
        cleanFrame(matrix);
        check(matrix.values == frame.values, "the two readers disagree on a frame");
    }
    check(!file.readFrame(matrix).ok(), "a frame is read past the last one");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const ScratchFile scratch;
    {
        QFile file(scratch.path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
        if (file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size)) !=
            static_cast<qint64>(size))
            std::abort();
    }
    // The first byte's top bit lets a recording of more than one frame exceed the memory limit.
    const bool tight = size > 0 && (data[0] & 0x80) != 0;
    const qint64 limit = tight ? qint64(sizeof(PressureMatrix)) : qint64(64) << 20;

    const qint64 records =
        size >= std::size_t(kHeaderSize) ? (qint64(size) - kHeaderSize) / kFrameRecordSize : 0;
    const bool header = size >= std::size_t(kHeaderSize) && data[kHeaderSize - 1] == kSeparator;
    bool separators = header;
    for (qint64 i = 1; separators && i <= records; ++i)
        separators = data[kHeaderSize + i * kFrameRecordSize - 1] == kSeparator;
    const bool tooLarge = records > limit / qint64(sizeof(PressureMatrix));

    const RecordingLoad load = loadRecording(scratch.path, limit);
    switch (load.status) {
        case RecordingLoad::Status::Loaded: {
            check(separators && !tooLarge && records > 0, "a file that is no recording loads");
            const LoadedRecording& loaded = *load.recording;
            check(loaded.frameCount == records && qint64(loaded.frames.size()) == records,
                  "the frame count does not follow from the file size");
            check(loaded.name.size() < std::size_t(recording::kTagSize), "the tag is too long");
            for (const PressureMatrix& frame : loaded.frames)
                check(cleaned(frame), "a loaded frame is not cleaned");
            checkFrameByFrame(scratch.path, loaded);
            break;
        }
        case RecordingLoad::Status::Empty:
            check(header && records == 0, "a recording with frames loads as empty");
            break;
        case RecordingLoad::Status::TooLarge:
            check(header && tooLarge, "a recording within the limit is too large");
            break;
        case RecordingLoad::Status::NotARecording:
            // The size is checked before the frames' separators.
            check(!separators && (!header || !tooLarge) && !load.detail.isEmpty(),
                  "a recording is refused");
            break;
        case RecordingLoad::Status::OpenFailed:
            check(false, "a readable file does not open");
            break;
    }
    return 0;
}
