#include "PlateRecording.h"

#include <pthread.h>
#include <stdio.h>

#include <QDateTime>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <chrono>
#include <cmath>

#include "AtomicWrite.h"

namespace {

// Frame-number steps beyond this are a plate starting over, as the library counts them.
constexpr std::uint32_t kLargestStep = 65536;
constexpr auto kSyncInterval = std::chrono::seconds(1);

QString nowWithOffset() {
    QDateTime now = QDateTime::currentDateTime();
    now.setOffsetFromUtc(now.offsetFromUtc());
    return now.toString(Qt::ISODate);
}

}  // namespace

QString recordingSidePath(const QString& recordingPath) { return recordingPath + ".json"; }

PlateRecording::~PlateRecording() { finish(); }

RecordingError PlateRecording::open(const QString& path, const RecordingHeader& header) {
    finish();
    const RecordingError opened = writer_.open(path, header);
    if (!opened.ok()) return opened;
    std::lock_guard<std::mutex> lock(mutex_);
    summary_ = {};
    summary_.file = path;
    nominalRate_ = header.frameRate;
    haveFrame_ = false;
    numberSpan_ = 0;
    failure_ = {};
    stopping_ = false;
    finished_ = false;
    thread_ = std::thread([this] { writeLoop(); });
    return {};
}

bool PlateRecording::rename(const QString& path) {
    std::lock_guard<std::mutex> side(sideMutex_);
    std::lock_guard<std::mutex> lock(mutex_);
    if (::rename(QFile::encodeName(summary_.file).constData(),
                 QFile::encodeName(path).constData()) != 0)
        return false;
    // The side file of the last sync, if there is one yet.
    ::rename(QFile::encodeName(recordingSidePath(summary_.file)).constData(),
             QFile::encodeName(recordingSidePath(path)).constData());
    summary_.file = path;
    return true;
}

bool PlateRecording::push(const ForcePlateFrame_TypeDef& frame, const LibPladex_FrameInfo& info) {
    // Encoded here, so that a queued frame takes the 5 KB of its record, not 40 KB.
    QByteArray record = encodeFrameRecord(toRecordedMatrix(frame));
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (finished_ || stopping_ || !failure_.ok()) return false;
        if (summary_.started.isEmpty()) summary_.started = nowWithOffset();
        if (queue_.size() >= kQueueCapacity) {
            ++summary_.lost;
            return true;
        }
        queue_.push_back({std::move(record), info.frameNumber, info.receivedNs});
    }
    wake_.notify_one();
    return true;
}

RecordingError PlateRecording::failure() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return failure_;
}

PlateRecordingSummary PlateRecording::summary() const {
    std::lock_guard<std::mutex> lock(mutex_);
    PlateRecordingSummary result = summary_;
    result.rate = measuredRate();
    return result;
}

int PlateRecording::measuredRate() const {
    const double seconds = (lastNs_ - firstNs_) / 1e9;
    if (!haveFrame_ || numberSpan_ < 1 || seconds <= 0) return 0;
    return static_cast<int>(std::lround(numberSpan_ / seconds));
}

void PlateRecording::writeLoop() {
    pthread_setname_np(pthread_self(), "plate-writer");  // as debuggers and tests see it
    auto nextSync = std::chrono::steady_clock::now() + kSyncInterval;
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        wake_.wait_until(lock, nextSync, [this] { return stopping_ || !queue_.empty(); });
        while (!queue_.empty() && failure_.ok()) {
            Queued frame = std::move(queue_.front());
            queue_.pop_front();
            lock.unlock();
            const RecordingError written = writer_.appendRecord(frame.record);
            lock.lock();
            if (!written.ok()) {
                failure_ = written;
                break;
            }
            ++summary_.frames;
            if (!haveFrame_) {
                haveFrame_ = true;
                firstNs_ = frame.receivedNs;
            } else {
                const std::uint32_t step = frame.frameNumber - lastNumber_;
                const bool continues = step >= 1 && step <= kLargestStep;
                if (continues) summary_.missed += step - 1;
                numberSpan_ += continues ? step : 1;
            }
            lastNumber_ = frame.frameNumber;
            lastNs_ = frame.receivedNs;
        }
        if (!failure_.ok()) queue_.clear();
        if (stopping_) return;
        if (std::chrono::steady_clock::now() >= nextSync) {
            lock.unlock();
            const RecordingError synced = storeRateAndSync();
            lock.lock();
            if (!synced.ok() && failure_.ok()) failure_ = synced;
            nextSync = std::chrono::steady_clock::now() + kSyncInterval;
        }
    }
}

RecordingError PlateRecording::storeRateAndSync() {
    int rate;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        rate = measuredRate();
        if (rate <= 0) rate = nominalRate_;
    }
    const RecordingError stored =
        writer_.rewriteFrameRate(static_cast<std::uint16_t>(std::clamp(rate, 1, 65535)));
    const RecordingError synced = writer_.syncToDisk();
    if (!stored.ok()) return stored;
    if (!synced.ok()) return synced;
    // The counts of the synced frames, so that a recording cut short by a crash still says
    // what it holds and what was missed.
    const QString sideError = writeSideFile();
    if (!sideError.isEmpty()) return {RecordingError::Kind::WriteFailed, sideError};
    return {};
}

QString PlateRecording::writeSideFile() {
    std::lock_guard<std::mutex> side(sideMutex_);
    const PlateRecordingSummary done = summary();
    const QJsonObject counts{{"serial", done.serial},   {"address", done.address},
                             {"frames", done.frames},   {"missed", done.missed},
                             {"lost", done.lost},       {"refused", done.refused},
                             {"started", done.started}, {"rate", done.rate}};
    return writeFileAtomically(recordingSidePath(done.file),
                               QJsonDocument(counts).toJson(QJsonDocument::Indented));
}

RecordingError PlateRecording::finish() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (finished_) return {};
        stopping_ = true;
    }
    wake_.notify_one();
    thread_.join();
    // A failed frame write was reported when it happened (failure()); here only what
    // finishing itself fails at.
    // Syncing also writes the final side file.
    const RecordingError synced = storeRateAndSync();
    const RecordingError closed = writer_.close();
    const RecordingError result = synced.ok() ? closed : synced;
    std::lock_guard<std::mutex> lock(mutex_);
    finished_ = true;
    return result;
}
