// The recorded data file (".raw"): a 27-byte header followed by frame records of 5001 bytes
// (one PressureMatrix and a separator byte), little-endian, no padding, no trailer. The frame
// count follows from the file size; bytes of an incomplete last record are ignored.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

#include "ForcePlateFrame.h"
#include "PressureMatrix.h"

namespace recording {

constexpr int kTagSize = 20;  // NUL-terminated text, so at most 19 bytes of tag
constexpr int kHeaderSize = 27;
constexpr int kFrameRateOffset = 20;  // 2 bytes, rewritten when a recording stops
constexpr int kFrameRecordSize = 5001;
constexpr char kSeparator = 0x0A;
constexpr std::uint16_t kNominalFrameRate = 200;  // written whatever the plates were set to

// Measurement mode stored in the header: the index of the real-time view's mode choice.
enum MeasureMode : std::int32_t { kEyesOpen = 0, kEyesClosed = 1 };

}  // namespace recording

struct RecordingHeader {
    QString tag;  // stored as UTF-8; the program's recordings have an empty tag
    std::uint16_t frameRate = recording::kNominalFrameRate;  // frames per second
    std::int32_t measureMode = recording::kEyesOpen;
};

// Why a recording could not be written or read. message names the file and the cause.
struct RecordingError {
    enum class Kind {
        None,
        OpenFailed,     // the file could not be created or opened
        NotOpen,        // a frame was given to a writer without an open file
        TagTooLong,     // the tag does not fit in 19 bytes of UTF-8
        WriteFailed,    // a write was refused or cut short, e.g. by a full disk
        ReadFailed,     // the file could not be read to its end
        NotARecording,  // not a regular file, too short for the header, or records do not
                        // end in the separator
        TooLarge,       // more frames than the memory a recording may take
    };
    Kind kind = Kind::None;
    QString message;

    bool ok() const { return kind == Kind::None; }
};

// The frame as it is stored: the outer ring of cells (rows 0 and 49, columns 0 and 49) is 0,
// a value of 20 or less (compared as unsigned) is 0, any other value keeps its low 16 bits.
PressureMatrix toRecordedMatrix(const ForcePlateFrame_TypeDef& frame);

// The byte forms of the header and of one frame record, and back. The tag must fit (see
// TagTooLong); decoding reads kHeaderSize or kFrameRecordSize bytes and does not check the
// separators.
QByteArray encodeHeader(const RecordingHeader& header);
RecordingHeader decodeHeader(const char* bytes);
QByteArray encodeFrameRecord(const PressureMatrix& matrix);
PressureMatrix decodeFrameRecord(const char* bytes);
