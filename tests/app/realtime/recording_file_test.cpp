// Writing and reading whole recordings, and what happens with damaged, foreign or
// unwritable files.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <csignal>
#include <functional>
#include <opencv2/imgcodecs.hpp>
#include <random>
#include <vector>

#include "RecordingReader.h"
#include "RecordingWriter.h"
#include "file_bytes.h"

namespace {

std::vector<ForcePlateFrame_TypeDef> randomFrames(int count) {
    std::mt19937 random(42);
    std::uniform_int_distribution<std::int32_t> reading(0, 70000);
    std::vector<ForcePlateFrame_TypeDef> frames(count);
    for (auto& frame : frames) {
        for (auto& cell : frame.cells) {
            cell.value = reading(random);
        }
    }
    return frames;
}

QString writeRecording(const QString& path, const std::vector<ForcePlateFrame_TypeDef>& frames,
                       const RecordingHeader& header = {}) {
    RecordingWriter writer;
    EXPECT_TRUE(writer.open(path, header).ok());
    for (const auto& frame : frames) {
        EXPECT_TRUE(writer.appendFrame(frame).ok());
    }
    EXPECT_TRUE(writer.close().ok());
    return path;
}

void expectFramesStored(const std::vector<PressureMatrix>& read,
                        const std::vector<ForcePlateFrame_TypeDef>& written, std::size_t count) {
    ASSERT_EQ(read.size(), count);
    for (std::size_t i = 0; i < count; ++i) {
        EXPECT_EQ(read[i].values, toRecordedMatrix(written[i]).values) << "frame " << i + 1;
    }
}

TEST(RecordingFile, ReadsBackWhatWasWritten) {
    QTemporaryDir dir;
    const auto frames = randomFrames(3);
    const QString path =
        writeRecording(dir.filePath("r.raw"), frames, {"", 200, recording::kEyesClosed});
    EXPECT_EQ(QFileInfo(path).size(), 27 + 3 * 5001);

    const RecordingContents contents = readRecording(path);
    ASSERT_TRUE(contents.ok()) << contents.error.message.toStdString();
    EXPECT_EQ(contents.header.frameRate, 200);
    EXPECT_EQ(contents.header.measureMode, recording::kEyesClosed);
    expectFramesStored(contents.frames, frames, 3);
    EXPECT_EQ(contents.trailingBytes, 0);
    for (const PressureMatrix& frame : contents.frames) {
        for (int i = 0; i < 50; ++i) {
            ASSERT_EQ(frame.at(0, i) | frame.at(49, i) | frame.at(i, 0) | frame.at(i, 49), 0);
        }
    }
}

struct DamagedFile {
    const char* name;
    std::function<QByteArray(const QByteArray& valid)> damage;  // valid: 3 frames
    RecordingError::Kind kind;
    std::size_t frames;
    qint64 trailingBytes;
};

TEST(RecordingFile, ReadsWholeRecordsAndRejectsWhatIsNoRecording) {
    QTemporaryDir dir;
    const auto frames = randomFrames(3);
    const QByteArray valid = fileBytes(writeRecording(dir.filePath("valid.raw"), frames));
    const auto withByte = [](QByteArray bytes, int offset, char value) {
        bytes[offset] = value;
        return bytes;
    };
    cv::Mat picture(20, 20, CV_8UC3, cv::Scalar(10, 200, 30));
    std::vector<std::uint8_t> png;
    cv::imencode(".png", picture, png);
    const QByteArray pngBytes(reinterpret_cast<const char*>(png.data()), int(png.size()));

    using Kind = RecordingError::Kind;
    const DamagedFile cases[] = {
        {"whole", [](const QByteArray& v) { return v; }, Kind::None, 3, 0},
        {"header only", [](const QByteArray& v) { return v.left(27); }, Kind::None, 0, 0},
        {"100 trailing bytes", [](const QByteArray& v) { return v + QByteArray(100, 'z'); },
         Kind::None, 3, 100},
        {"last record one byte short", [](const QByteArray& v) { return v.chopped(1); }, Kind::None,
         2, 5000},
        {"empty", [](const QByteArray&) { return QByteArray(); }, Kind::NotARecording, 0, 0},
        {"cut inside the header", [](const QByteArray& v) { return v.left(26); },
         Kind::NotARecording, 0, 0},
        {"header without separator", [&](const QByteArray& v) { return withByte(v, 26, 0); },
         Kind::NotARecording, 0, 0},
        {"second record without separator",
         [&](const QByteArray& v) { return withByte(v, 27 + 2 * 5001 - 1, 'x'); },
         Kind::NotARecording, 0, 0},
        // A rate of 0 or above 1000 is still a recording; the analyses read it as 200.
        {"frame rate 0", [&](const QByteArray& v) { return withByte(withByte(v, 20, 0), 21, 0); },
         Kind::None, 3, 0},
        {"frame rate 5000",
         [&](const QByteArray& v) { return withByte(withByte(v, 20, '\x88'), 21, 0x13); },
         Kind::None, 3, 0},
        {"a picture", [&](const QByteArray&) { return pngBytes; }, Kind::NotARecording, 0, 0},
        {"text", [](const QByteArray&) { return QByteArray(6000, 'a'); }, Kind::NotARecording, 0,
         0},
    };
    for (const DamagedFile& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath("damaged.raw");
        writeBytes(path, c.damage(valid));
        const RecordingContents contents = readRecording(path);
        EXPECT_EQ(contents.error.kind, c.kind) << contents.error.message.toStdString();
        if (c.kind == Kind::None) {
            expectFramesStored(contents.frames, frames, c.frames);
            EXPECT_EQ(contents.trailingBytes, c.trailingBytes);
        } else {
            EXPECT_TRUE(contents.error.message.contains(path));
            EXPECT_TRUE(contents.frames.empty());
        }
    }
}

TEST(RecordingFile, MissingAndNonRegularFilesAreRefusedWithoutOpeningThem) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath("fifo.raw");
    ASSERT_EQ(::mkfifo(qPrintable(fifo), 0600), 0);  // opening it would wait for a writer
    using Kind = RecordingError::Kind;
    const std::pair<QString, Kind> cases[] = {{dir.filePath("missing.raw"), Kind::OpenFailed},
                                              {dir.path(), Kind::NotARecording},
                                              {fifo, Kind::NotARecording},
                                              {"/dev/zero", Kind::NotARecording}};
    for (const auto& [path, kind] : cases) {
        SCOPED_TRACE(path.toStdString());
        const RecordingContents contents = readRecording(path);
        EXPECT_EQ(contents.error.kind, kind);
        EXPECT_TRUE(contents.error.message.contains(path));
    }
}

// A huge (sparse) file is opened from its size alone and refused before anything is reserved.
TEST(RecordingFile, ReadingStaysWithinTheMemoryLimit) {
    QTemporaryDir dir;
    const QString path = writeRecording(dir.filePath("r.raw"), randomFrames(3));
    const qint64 threeFrames = 3 * static_cast<qint64>(sizeof(PressureMatrix));
    EXPECT_TRUE(readRecording(path, threeFrames).ok());
    const RecordingContents refused = readRecording(path, threeFrames - 1);
    EXPECT_EQ(refused.error.kind, RecordingError::Kind::TooLarge);
    EXPECT_TRUE(refused.error.message.contains(path));
    EXPECT_TRUE(refused.frames.empty());

    const qint64 huge = qint64(64) << 30;
    ASSERT_TRUE(QFile::resize(path, huge));
    RecordingFile file;
    ASSERT_TRUE(file.open(path).ok());
    EXPECT_EQ(file.frameCount(), (huge - 27) / 5001);
    EXPECT_EQ(file.trailingBytes(), (huge - 27) % 5001);
    EXPECT_EQ(readRecording(path, qint64(1) << 30).error.kind, RecordingError::Kind::TooLarge);
}

TEST(RecordingFile, MemoryLimitIsAQuarterOfTheMachineUnlessSet) {
    const QByteArray saved = qgetenv("TESSALY_MAX_RECORDING_BYTES");
    qunsetenv("TESSALY_MAX_RECORDING_BYTES");
    EXPECT_EQ(recordingMemoryLimit(), qint64(sysconf(_SC_PHYS_PAGES)) * sysconf(_SC_PAGE_SIZE) / 4);
    qputenv("TESSALY_MAX_RECORDING_BYTES", "123456");
    EXPECT_EQ(recordingMemoryLimit(), 123456);
    if (saved.isNull())
        qunsetenv("TESSALY_MAX_RECORDING_BYTES");
    else
        qputenv("TESSALY_MAX_RECORDING_BYTES", saved);
}

TEST(RecordingWriter, RecordingsAreOpenToTheirOwnerOnly) {
    QTemporaryDir dir;
    const mode_t umaskBefore = ::umask(0);
    const QString path = writeRecording(dir.filePath("r.raw"), randomFrames(1));
    ::umask(umaskBefore);
    struct stat status {};
    ASSERT_EQ(::stat(qPrintable(path), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600u);
}

TEST(RecordingWriter, WithoutAFileNothingIsWritten) {
    QTemporaryDir dir;
    RecordingWriter writer;
    const QString path = dir.filePath("missing folder/r.raw");
    EXPECT_EQ(writer.open(path, {}).kind, RecordingError::Kind::OpenFailed);
    EXPECT_FALSE(writer.isOpen());
    EXPECT_EQ(writer.appendFrame(randomFrames(1)[0]).kind, RecordingError::Kind::NotOpen);
    EXPECT_EQ(writer.syncToDisk().kind, RecordingError::Kind::NotOpen);
    EXPECT_TRUE(writer.close().ok());
    EXPECT_FALSE(QFile::exists(path));
}

TEST(RecordingWriter, SyncingToDiskKeepsTheFileGoing) {
    QTemporaryDir dir;
    RecordingWriter writer;
    const QString path = dir.filePath("r.raw");
    ASSERT_TRUE(writer.open(path, {}).ok());
    ASSERT_TRUE(writer.appendFrame(randomFrames(1)[0]).ok());
    EXPECT_TRUE(writer.syncToDisk().ok());
    EXPECT_TRUE(writer.rewriteFrameRate(97).ok());  // appending goes on at the end
    ASSERT_TRUE(writer.appendFrame(randomFrames(1)[0]).ok());
    EXPECT_TRUE(writer.close().ok());
    EXPECT_EQ(writer.rewriteFrameRate(100).kind, RecordingError::Kind::NotOpen);
    EXPECT_EQ(QFileInfo(path).size(), recording::kHeaderSize + 2 * recording::kFrameRecordSize);
    const RecordingContents contents = readRecording(path);
    ASSERT_TRUE(contents.ok());
    EXPECT_EQ(contents.header.frameRate, 97);
    EXPECT_EQ(contents.frames.size(), 2u);
}

TEST(RecordingWriter, AHeaderThatCannotBeWrittenFailsTheOpen) {
    if (!QFile::exists("/dev/full")) {
        GTEST_SKIP() << "needs /dev/full";
    }
    RecordingWriter writer;
    EXPECT_EQ(writer.open("/dev/full", {}).kind, RecordingError::Kind::WriteFailed);
    EXPECT_FALSE(writer.isOpen());
}

// Lowers the size limit for files this process writes, as a full disk would, for one scope.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN);  // refuse the write instead of ending the process
        getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit lowered = saved_;
        lowered.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &saved_); }

private:
    rlimit saved_{};
};

TEST(RecordingWriter, AFullDiskKeepsEveryEarlierFrameWhole) {
    QTemporaryDir dir;
    const QString path = dir.filePath("full.raw");
    const auto frames = randomFrames(4);
    RecordingWriter writer;
    ASSERT_TRUE(writer.open(path, {}).ok());
    ASSERT_TRUE(writer.appendFrame(frames[0]).ok());
    ASSERT_TRUE(writer.appendFrame(frames[1]).ok());
    const qint64 sizeBefore = 27 + 2 * 5001;
    {
        FileSizeLimit limit(sizeBefore + 100);  // room for part of the third record only
        const RecordingError third = writer.appendFrame(frames[2]);
        EXPECT_EQ(third.kind, RecordingError::Kind::WriteFailed);
        EXPECT_TRUE(third.message.contains("frame 3")) << third.message.toStdString();
        EXPECT_EQ(QFileInfo(path).size(), sizeBefore) << "the partial record is removed";
    }
    // Room again, but a recording with a gap would be timed wrongly: no more frames.
    EXPECT_EQ(writer.appendFrame(frames[3]).kind, RecordingError::Kind::WriteFailed);
    EXPECT_EQ(writer.frameCount(), 2);
    EXPECT_TRUE(writer.close().ok());

    const RecordingContents contents = readRecording(path);
    ASSERT_TRUE(contents.ok());
    expectFramesStored(contents.frames, frames, 2);
    EXPECT_EQ(contents.trailingBytes, 0);
}

TEST(RecordingWriter, OpeningAgainOrGoingOutOfScopeClosesTheFile) {
    QTemporaryDir dir;
    const auto frames = randomFrames(2);
    const QString first = dir.filePath("first.raw");
    const QString second = dir.filePath("second.raw");
    {
        RecordingWriter writer;
        ASSERT_TRUE(writer.open(first, {}).ok());
        ASSERT_TRUE(writer.appendFrame(frames[0]).ok());
        ASSERT_TRUE(writer.open(second, {}).ok());
        EXPECT_EQ(writer.frameCount(), 0);
        ASSERT_TRUE(writer.appendFrame(frames[1]).ok());
    }
    const RecordingContents a = readRecording(first);
    const RecordingContents b = readRecording(second);
    ASSERT_TRUE(a.ok());
    ASSERT_TRUE(b.ok());
    ASSERT_EQ(a.frames.size(), 1u);
    ASSERT_EQ(b.frames.size(), 1u);
    EXPECT_EQ(b.frames[0].values, toRecordedMatrix(frames[1]).values);
}

}  // namespace
