// The stored form of a frame and the exact bytes of a recorded data file.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "RecordingReader.h"
#include "RecordingWriter.h"
#include "file_bytes.h"

namespace {

ForcePlateFrame_TypeDef frameWith(int row, int column, std::int32_t value) {
    ForcePlateFrame_TypeDef frame{};
    frame.cells[50 * row + column].value = value;
    return frame;
}

TEST(RecordedFrame, KeepsTheInteriorAboveTheNoiseLevel) {
    const struct {
        int row, column;
        std::int32_t value;
        std::uint16_t stored;
    } cases[] = {
        {10, 10, 20, 0},          {10, 10, 21, 21}, {10, 10, 4095, 4095},
        {10, 10, 65536 + 21, 21},  // low 16 bits
        {10, 10, 65536 + 5, 5},    // low 16 bits, even when those are small
        {10, 10, -1, 65535},       // unsigned, so far above the noise level
        {0, 10, 999, 0},          {49, 10, 999, 0}, {10, 0, 999, 0},
        {10, 49, 999, 0},         {1, 1, 999, 999}, {48, 48, 999, 999},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "(" << c.row << ", " << c.column << ") = " << c.value);
        const PressureMatrix stored = toRecordedMatrix(frameWith(c.row, c.column, c.value));
        EXPECT_EQ(stored.at(c.row, c.column), c.stored);
    }
}

TEST(RecordedFrame, LiveMatrixKeepsEveryCellsLow16Bits) {
    ForcePlateFrame_TypeDef frame = frameWith(0, 0, 7);
    frame.cells[51].value = 65536 + 21;
    frame.cells[2499].value = 3;
    const PressureMatrix matrix = toPressureMatrix(frame);
    EXPECT_EQ(matrix.at(0, 0), 7);
    EXPECT_EQ(matrix.at(1, 1), 21);
    EXPECT_EQ(matrix.at(49, 49), 3);
}

// A recording without frames, closed eyes: 20 zero bytes, 200, mode 1, separator.
QByteArray handMadeHeader() {
    QByteArray bytes(20, '\0');
    bytes += QByteArray::fromHex(
        "c800"
        "01000000"
        "0a");
    return bytes;
}

// One frame record: cells (1, 1) = 21, (2, 3) = 0x1234, (48, 48) = 0x0102, then the separator.
QByteArray handMadeFrameRecord() {
    QByteArray bytes(5001, '\0');
    bytes[2 * 51] = 0x15;
    bytes[2 * 103] = 0x34;
    bytes[2 * 103 + 1] = 0x12;
    bytes[2 * 2448] = 0x02;
    bytes[2 * 2448 + 1] = 0x01;
    bytes[5000] = 0x0a;
    return bytes;
}

ForcePlateFrame_TypeDef handMadeFrame() {
    ForcePlateFrame_TypeDef frame{};
    frame.cells[51].value = 21;
    frame.cells[103].value = 0x1234;
    frame.cells[2448].value = 0x10102;  // stored as its low 16 bits
    frame.cells[5].value = 999;         // row 0: stored as 0
    frame.cells[60].value = 20;         // noise: stored as 0
    return frame;
}

const RecordingHeader kClosedEyes{QString(), 200, recording::kEyesClosed};

TEST(RecordingBytes, AnEmptyRecordingIsTheHeaderAlone) {
    QTemporaryDir dir;
    const QString path = dir.filePath("empty.raw");
    RecordingWriter writer;
    ASSERT_TRUE(writer.open(path, kClosedEyes).ok());
    ASSERT_TRUE(writer.close().ok());
    EXPECT_EQ(fileBytes(path), handMadeHeader());
}

TEST(RecordingBytes, WriterProducesTheHandMadeFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("one.raw");
    RecordingWriter writer;
    ASSERT_TRUE(writer.open(path, kClosedEyes).ok());
    ASSERT_TRUE(writer.appendFrame(handMadeFrame()).ok());
    ASSERT_TRUE(writer.close().ok());
    EXPECT_EQ(fileBytes(path).toHex(), (handMadeHeader() + handMadeFrameRecord()).toHex());
}

TEST(RecordingBytes, ReaderTakesTheHandMadeFileApart) {
    QTemporaryDir dir;
    const QString path = dir.filePath("one.raw");
    writeBytes(path, handMadeHeader() + handMadeFrameRecord());

    const RecordingContents contents = readRecording(path);
    ASSERT_TRUE(contents.ok()) << contents.error.message.toStdString();
    EXPECT_EQ(contents.header.tag, QString());
    EXPECT_EQ(contents.header.frameRate, 200);
    EXPECT_EQ(contents.header.measureMode, recording::kEyesClosed);
    ASSERT_EQ(contents.frames.size(), 1u);
    PressureMatrix expected;
    expected.at(1, 1) = 21;
    expected.at(2, 3) = 0x1234;
    expected.at(48, 48) = 0x0102;
    EXPECT_EQ(contents.frames[0].values, expected.values);
    EXPECT_EQ(contents.trailingBytes, 0);
}

TEST(RecordingBytes, TagIsATerminatedTextOfAtMost19Bytes) {
    QTemporaryDir dir;
    RecordingWriter writer;
    const QString tagged = dir.filePath("tagged.raw");
    ASSERT_TRUE(writer.open(tagged, {"abc", 200, recording::kEyesOpen}).ok());
    writer.close();
    EXPECT_EQ(fileBytes(tagged).left(20), QByteArray("abc") + QByteArray(17, '\0'));
    EXPECT_EQ(readRecording(tagged).header.tag, "abc");

    const QString longest = QString(19, 'x');
    ASSERT_TRUE(writer.open(tagged, {longest, 200, recording::kEyesOpen}).ok());
    writer.close();
    EXPECT_EQ(readRecording(tagged).header.tag, longest);

    const QString tooLong = dir.filePath("too_long.raw");
    EXPECT_EQ(writer.open(tooLong, {QString(20, 'x'), 200, 0}).kind,
              RecordingError::Kind::TagTooLong);
    EXPECT_FALSE(writer.isOpen());
    EXPECT_FALSE(QFile::exists(tooLong));

    // A file whose tag fills all 20 bytes still reads as a terminated text.
    QByteArray unterminated = handMadeHeader();
    unterminated.replace(0, 20, QByteArray(20, 'y'));
    const QString foreignTag = dir.filePath("foreign_tag.raw");
    writeBytes(foreignTag, unterminated);
    EXPECT_EQ(readRecording(foreignTag).header.tag, QString(19, 'y'));
}

}  // namespace
