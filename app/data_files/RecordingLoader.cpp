#include "RecordingLoader.h"

#include <QDir>
#include <QFileInfo>

#include "FrameCleaning.h"

StoredRecording readStoredRecording(const QString& path, qint64 memoryLimit) {
    StoredRecording stored;
    stored.contents = readRecording(path, memoryLimit);
    switch (stored.contents.error.kind) {
        case RecordingError::Kind::None:
            return stored;
        case RecordingError::Kind::NotARecording:
            stored.status = StoredRecording::Status::NotARecording;
            break;
        case RecordingError::Kind::TooLarge:
            stored.status = StoredRecording::Status::TooLarge;
            break;
        default:
            stored.status = StoredRecording::Status::OpenFailed;
            break;
    }
    stored.detail = stored.contents.error.message;
    stored.contents = RecordingContents{};
    return stored;
}

RecordingLoad loadRecording(const QString& path, qint64 memoryLimit) {
    RecordingLoad load;
    StoredRecording stored = readStoredRecording(path, memoryLimit);
    switch (stored.status) {
        case StoredRecording::Status::Read:
            break;
        case StoredRecording::Status::OpenFailed:
            load.status = RecordingLoad::Status::OpenFailed;
            break;
        case StoredRecording::Status::NotARecording:
            load.status = RecordingLoad::Status::NotARecording;
            break;
        case StoredRecording::Status::TooLarge:
            load.status = RecordingLoad::Status::TooLarge;
            break;
    }
    if (stored.status != StoredRecording::Status::Read) {
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

QString recordingCacheFolder(const QString& cacheRoot, const QString& path) {
    return QDir::cleanPath(cacheRoot + "/" + QFileInfo(path).completeBaseName());
}
