// Reads a recorded data file for the browser, the export and tessaly-cli, and turns it into a
// LoadedRecording with cleaned frames.
#pragma once

#include <QString>
#include <memory>

#include "LoadedRecording.h"
#include "RecordingReader.h"

// The frames as stored. A file with foreign content (no regular file, shorter than the header,
// records that do not end in the separator) is refused, and so is one whose frames would take
// more than memoryLimit bytes (see recordingMemoryLimit).
struct StoredRecording {
    enum class Status { Read, OpenFailed, NotARecording, TooLarge };
    Status status = Status::Read;
    RecordingContents contents;  // header, frames and trailing bytes when Read
    QString detail;              // the reader's explanation otherwise
};
StoredRecording readStoredRecording(const QString& path,
                                    qint64 memoryLimit = recordingMemoryLimit());

struct RecordingLoad {
    enum class Status { Loaded, OpenFailed, NotARecording, TooLarge, Empty };
    Status status = Status::Empty;
    std::unique_ptr<LoadedRecording> recording;  // only when Loaded; has at least one frame
    QString detail;
};
// Reads path and cleans every frame (cleanFrame). A recording without a whole frame is Empty.
RecordingLoad loadRecording(const QString& path, qint64 memoryLimit = recordingMemoryLimit());

// Where the thumbnails and analysis images of the recording at path go:
// cacheRoot + "/" + the file name without its last suffix, cleaned.
QString recordingCacheFolder(const QString& cacheRoot, const QString& path);
