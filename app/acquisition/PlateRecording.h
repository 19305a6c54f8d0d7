// One plate's recording file, written on its own thread. The acquisition thread hands every
// frame over without waiting for the disk; the writer appends it, and once a second rewrites
// the header's rate and puts the file on the disk, so that a crash loses at most about a second
// and never leaves a wrong rate.
#pragma once

#include <QByteArray>
#include <QString>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <thread>

#include "ForcePlateFrame.h"
#include "RecordingFormat.h"
#include "RecordingWriter.h"

// What a finished (or running) plate recording holds.
struct PlateRecordingSummary {
    QString file;
    QString serial;
    QString address;  // the sender the plate is bound to, "address:port"
    qint64 frames = 0;
    qint64 missed = 0;   // frame numbers skipped between recorded frames: lost on the wire, in
                         // the library's queue or below
    qint64 lost = 0;     // of these, received but dropped because the writer fell 4 s behind
    qint64 refused = 0;  // datagrams with the plate's id from a foreign sender meanwhile
    int rate = 0;        // frames per second from the frame numbers, 0 before two frames
    QString started;     // local time of the first frame, ISO 8601 with offset
};

class PlateRecording {
public:
    // Frames waiting for the writer at most: 4 s at 500 Hz, 20 MB.
    static constexpr std::size_t kQueueCapacity = 2000;

    PlateRecording() = default;
    ~PlateRecording();
    PlateRecording(const PlateRecording&) = delete;
    PlateRecording& operator=(const PlateRecording&) = delete;

    // Creates path with the header and starts the writer. Nothing runs when it fails.
    RecordingError open(const QString& path, const RecordingHeader& header);
    // Moves the file (open or not) and its side file to path; the caller makes sure nothing
    // is there.
    bool rename(const QString& path);
    // The serial and bound sender named in the side file.
    void setPlate(const QString& serial, const QString& address) {
        std::lock_guard<std::mutex> lock(mutex_);
        summary_.serial = serial;
        summary_.address = address;
    }
    void addRefused(qint64 count) {
        std::lock_guard<std::mutex> lock(mutex_);
        summary_.refused += count;
    }

    // Queues one frame; never waits for the disk. False once the writer failed.
    bool push(const ForcePlateFrame_TypeDef& frame, const LibPladex_FrameInfo& info);
    // The first write failure, empty while none.
    RecordingError failure() const;
    PlateRecordingSummary summary() const;

    // Writes what is queued, the final rate, syncs, closes and writes the side file
    // FILE.raw.json. Returns the first failure of these (an earlier write failure is
    // failure()); a second call does nothing.
    RecordingError finish();

private:
    struct Queued {
        QByteArray record;
        std::uint32_t frameNumber;
        std::int64_t receivedNs;
    };
    void writeLoop();
    // Rate from the frame numbers over the time they took; mutex_ held.
    int measuredRate() const;
    RecordingError storeRateAndSync();
    // FILE.raw.json from the summary as it is now; an empty text or why it failed.
    QString writeSideFile();

    RecordingWriter writer_;
    std::thread thread_;
    // Taken before mutex_ by the side file's writing and by rename, so that a side file never
    // lands beside a name the recording no longer has.
    std::mutex sideMutex_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Queued> queue_;
    bool stopping_ = false;
    bool finished_ = true;
    RecordingError failure_;
    PlateRecordingSummary summary_;
    // Frame-number span and time span of the written frames, for the rate.
    bool haveFrame_ = false;
    std::uint32_t lastNumber_ = 0;
    std::int64_t firstNs_ = 0, lastNs_ = 0;
    qint64 numberSpan_ = 0;
    int nominalRate_ = recording::kNominalFrameRate;
};

// "FILE.raw.json": what the recording holds, beside it.
QString recordingSidePath(const QString& recordingPath);
