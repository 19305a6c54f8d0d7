#include "RecordingFormat.h"

#include <QtEndian>
#include <cstring>

namespace {

using recording::kFrameRateOffset;
constexpr int kMeasureModeOffset = 22;
constexpr int kHeaderSeparatorOffset = 26;
constexpr int kMatrixBytes = 2 * PressureMatrix::kCells;
constexpr std::uint32_t kNoiseLevel = 20;  // readings up to this are stored as no pressure

bool onOuterRing(int row, int column) {
    return row == 0 || row == PressureMatrix::kRows - 1 || column == 0 ||
           column == PressureMatrix::kColumns - 1;
}

// Little-endian bytes, written one by one (GCC misreads qToLittleEndian into a stack buffer
// that later becomes a QByteArray as an overflow).
void putLittleEndian(char* out, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) out[i] = static_cast<char>(value >> (8 * i));
}

}  // namespace

PressureMatrix toRecordedMatrix(const ForcePlateFrame_TypeDef& frame) {
    PressureMatrix matrix;
    for (int row = 0; row < PressureMatrix::kRows; ++row) {
        for (int column = 0; column < PressureMatrix::kColumns; ++column) {
            const auto value = static_cast<std::uint32_t>(
                frame.cells[PressureMatrix::kColumns * row + column].value);
            if (!onOuterRing(row, column) && value > kNoiseLevel) {
                matrix.at(row, column) = static_cast<std::uint16_t>(value);
            }
        }
    }
    return matrix;
}

QByteArray encodeHeader(const RecordingHeader& header) {
    char bytes[recording::kHeaderSize] = {};
    const QByteArray tag = header.tag.toUtf8();
    std::memcpy(bytes, tag.constData(), qMin(tag.size(), recording::kTagSize - 1));
    putLittleEndian(bytes + kFrameRateOffset, header.frameRate, 2);
    putLittleEndian(bytes + kMeasureModeOffset, static_cast<std::uint32_t>(header.measureMode), 4);
    bytes[kHeaderSeparatorOffset] = recording::kSeparator;
    return QByteArray(bytes, recording::kHeaderSize);
}

RecordingHeader decodeHeader(const char* bytes) {
    RecordingHeader header;
    // The tag is NUL-terminated within its 20 bytes even when the file says otherwise.
    header.tag =
        QString::fromUtf8(bytes, static_cast<int>(strnlen(bytes, recording::kTagSize - 1)));
    header.frameRate = qFromLittleEndian<std::uint16_t>(bytes + kFrameRateOffset);
    header.measureMode = qFromLittleEndian<std::int32_t>(bytes + kMeasureModeOffset);
    return header;
}

QByteArray encodeFrameRecord(const PressureMatrix& matrix) {
    QByteArray bytes(recording::kFrameRecordSize, '\0');
    qToLittleEndian<std::uint16_t>(matrix.values.data(), PressureMatrix::kCells, bytes.data());
    bytes[kMatrixBytes] = recording::kSeparator;
    return bytes;
}

PressureMatrix decodeFrameRecord(const char* bytes) {
    PressureMatrix matrix;
    qFromLittleEndian<std::uint16_t>(bytes, PressureMatrix::kCells, matrix.values.data());
    return matrix;
}
