// Reads a recorded data file back: the header and every whole frame record, in file order.
#pragma once

#include <QString>
#include <vector>

#include "PressureMatrix.h"
#include "RecordingFormat.h"

struct RecordingContents {
    RecordingError error;  // when not ok, the other fields are empty
    RecordingHeader header;
    std::vector<PressureMatrix> frames;  // (file size - 27) / 5001 frames, as stored
    qint64 trailingBytes = 0;            // bytes after the last whole record, ignored

    bool ok() const { return error.ok(); }
};

// Reads the file at path. Fails with OpenFailed when it cannot be opened, NotARecording when
// it is shorter than the header, the header or a frame record does not end in the separator
// byte, or the frame rate is 0 (no such file can be timed), and ReadFailed when reading
// stops early. A file of just the header reads as zero frames.
RecordingContents readRecording(const QString& path);
