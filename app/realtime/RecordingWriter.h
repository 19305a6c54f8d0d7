// Writes one recorded data file: the header when it opens, then one record per frame.
#pragma once

#include <QFile>
#include <QString>

#include "RecordingFormat.h"

// Every record goes straight to the operating system, so a refused write (full disk, file
// size limit) shows up at the frame it concerns. A record that was cut short is removed
// again: the file then holds every earlier frame whole and the writer takes no more frames,
// so that no recording silently has a gap.
class RecordingWriter {
public:
    RecordingWriter() = default;
    ~RecordingWriter();
    RecordingWriter(const RecordingWriter&) = delete;
    RecordingWriter& operator=(const RecordingWriter&) = delete;

    // Creates path (truncating an existing file; the folder must exist) and writes the
    // header. A file still open from before is closed first. Fails with TagTooLong (nothing
    // created), OpenFailed, or WriteFailed (the file is closed again).
    RecordingError open(const QString& path, const RecordingHeader& header);

    // Appends the frame as stored (toRecordedMatrix). Fails with NotOpen, or with WriteFailed
    // for this and every later frame once a write has failed.
    RecordingError appendFrame(const ForcePlateFrame_TypeDef& frame);
    // The same for a record already encoded (encodeFrameRecord).
    RecordingError appendRecord(const QByteArray& record);

    // Asks the system to put what was written on the disk, so that a power cut loses at most
    // what came after the last call. Fails with NotOpen or WriteFailed.
    RecordingError syncToDisk();
    // Rewrites the header's frame rate, e.g. with the rate measured over the whole recording.
    // Fails with NotOpen or WriteFailed.
    RecordingError rewriteFrameRate(std::uint16_t framesPerSecond);
    // Closes the file. Fails with WriteFailed when the system reports an error on closing
    // (e.g. a network drive that could not store the data); closing a closed writer does
    // nothing.
    RecordingError close();

    bool isOpen() const { return file_.isOpen(); }
    // Frames stored since the last open.
    qint64 frameCount() const { return frameCount_; }

private:
    QFile file_;
    qint64 frameCount_ = 0;
    RecordingError failure_;  // the first failed write, repeated for every later frame
};
