// Reads a recorded data file back: the header and every whole frame record, in file order.
#pragma once

#include <QFile>
#include <QString>
#include <vector>

#include "PressureMatrix.h"
#include "RecordingFormat.h"

// The memory a recording read whole may take: TESSALY_MAX_RECORDING_BYTES when it holds a
// positive number of bytes, else a quarter of the machine's physical memory.
qint64 recordingMemoryLimit();

// A recording opened for reading frame by frame. Opening reads the header only; the frame
// count follows from the file size, so even a huge file opens at once.
class RecordingFile {
public:
    // Fails with OpenFailed when path is missing or cannot be opened, NotARecording when it is
    // no regular file (a folder, FIFO or device is never opened), shorter than the header or
    // its header does not end in the separator byte, ReadFailed when the header cannot be read.
    RecordingError open(const QString& path);

    const RecordingHeader& header() const { return header_; }
    qint64 frameCount() const { return frameCount_; }
    qint64 trailingBytes() const { return trailingBytes_; }  // after the last whole record
    qint64 framesRead() const { return framesRead_; }

    // Reads the next of the frameCount() records into matrix. Fails with ReadFailed, or
    // NotARecording when the record does not end in the separator byte.
    RecordingError readFrame(PressureMatrix& matrix);

private:
    QString path_;
    QFile file_;
    RecordingHeader header_;
    qint64 frameCount_ = 0;
    qint64 trailingBytes_ = 0;
    qint64 framesRead_ = 0;
};

struct RecordingContents {
    RecordingError error;  // when not ok, the other fields are empty
    RecordingHeader header;
    std::vector<PressureMatrix> frames;  // (file size - 27) / 5001 frames, as stored
    qint64 trailingBytes = 0;            // bytes after the last whole record, ignored

    bool ok() const { return error.ok(); }
};

// Reads the whole file at path (see RecordingFile::open for the failures). A recording whose
// frames would take more than memoryLimit bytes fails with TooLarge before any is read. A
// file of just the header reads as zero frames; a frame rate of 0 or above 1000 is read as
// stored and left to the analyses to replace.
RecordingContents readRecording(const QString& path, qint64 memoryLimit = recordingMemoryLimit());
