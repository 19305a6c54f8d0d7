// Reads a recorded data file for the browser, the export and tessaly-cli, and turns it into a
// LoadedRecording with cleaned frames.
#pragma once

#include <QString>
#include <memory>

#include "LoadedRecording.h"
#include "RecordingReader.h"

// The frames as stored. A file shorter than the header counts as a recording without frames;
// a file with foreign content (records that do not end in the separator, frame rate 0) is
// refused.
struct StoredRecording {
    enum class Status { Read, OpenFailed, NotARecording };
    Status status = Status::Read;
    RecordingContents contents;  // header, frames and trailing bytes when Read
    QString detail;              // the reader's explanation otherwise
};
StoredRecording readStoredRecording(const QString& path);

struct RecordingLoad {
    enum class Status { Loaded, OpenFailed, NotARecording, Empty };
    Status status = Status::Empty;
    std::unique_ptr<LoadedRecording> recording;  // only when Loaded; has at least one frame
    QString detail;
};
// Reads path and cleans every frame (cleanFrame). A recording without a whole frame is Empty.
RecordingLoad loadRecording(const QString& path);

// Where the thumbnails and analysis images of the recording at path go:
// applicationDir + "/Resources/cache/" + the file name without its last suffix, cleaned.
QString recordingCacheFolder(const QString& applicationDir, const QString& path);
