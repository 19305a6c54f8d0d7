#include "RecordingLoader.h"

#include <QDir>
#include <QFileInfo>

#include "FrameCleaning.h"

StoredRecording readStoredRecording(const QString& path) {
    StoredRecording stored;
    stored.contents = readRecording(path);
    switch (stored.contents.error.kind) {
        case RecordingError::Kind::None:
            return stored;
        case RecordingError::Kind::NotARecording:
            if (QFileInfo(path).size() < recording::kHeaderSize) {
                stored.contents = RecordingContents{};  // too short for a header: no frames
                return stored;
            }
            stored.status = StoredRecording::Status::NotARecording;
            break;
        default:
            stored.status = StoredRecording::Status::OpenFailed;
            break;
    }
    stored.detail = stored.contents.error.message;
    stored.contents = RecordingContents{};
    return stored;
}

RecordingLoad loadRecording(const QString& path) {
    RecordingLoad load;
    StoredRecording stored = readStoredRecording(path);
    if (stored.status != StoredRecording::Status::Read) {
        load.status = stored.status == StoredRecording::Status::OpenFailed
                          ? RecordingLoad::Status::OpenFailed
                          : RecordingLoad::Status::NotARecording;
        load.detail = stored.detail;
        return load;
    }
    RecordingContents& contents = stored.contents;
    if (contents.frames.empty()) {
        load.status = RecordingLoad::Status::Empty;
        return load;
    }
    auto record = std::make_unique<LoadedRecording>();
    record->name = contents.header.tag.toStdString();
    record->frameRate = contents.header.frameRate;
    record->measureMode = contents.header.measureMode;
    record->frames = std::move(contents.frames);
    for (PressureMatrix& frame : record->frames) cleanFrame(frame);
    record->frameCount = static_cast<std::int32_t>(record->frames.size());
    load.status = RecordingLoad::Status::Loaded;
    load.recording = std::move(record);
    return load;
}

QString recordingCacheFolder(const QString& applicationDir, const QString& path) {
    return QDir::cleanPath(applicationDir + "/Resources/cache/" +
                           QFileInfo(path).completeBaseName());
}
