#include "FrameThumbnails.h"

#include <QFileInfo>
#include <QSaveFile>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <set>
#include <opencv2/imgcodecs.hpp>
#include <system_error>

#include "PressImage.h"

QString thumbnailPath(const QString& folder, int frameNumber) {
    return folder + "/" + QString::number(frameNumber) + ".jpg";
}

bool writeThumbnail(const PressureMatrix& frame, const QString& folder, int frameNumber) {
    const QString path = thumbnailPath(folder, frameNumber);
    if (QFileInfo::exists(path)) return true;
    const cv::Mat image = drawPressImage(frame, QString(), kThumbnailSide, kThumbnailSide);
    std::vector<uchar> bytes;
    if (image.empty() || !cv::imencode(".jpg", image, bytes)) return false;
    // QSaveFile writes a temporary file beside path and renames it on commit.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    return file.commit();
}

QImage renderFrameImage(const PressureMatrix& frame, int side) {
    const cv::Mat image = drawPressImage(frame, QString(), side, side);
    if (image.empty()) return QImage();
    return QImage(image.data, image.cols, image.rows, static_cast<int>(image.step),
                  QImage::Format_BGR888)
        .copy();
}

namespace {

// Every worker of the process, so that a process that ends without destroying its views (the
// program's exit, a test) stops them before the libraries' own exit clean-up: a worker still
// rendering then would touch OpenCV's torn-down thread-local storage and abort.
std::mutex& workersMutex() {
    static std::mutex mutex;
    return mutex;
}
std::set<FrameImageWorker*>& workers() {
    static std::set<FrameImageWorker*> all;
    return all;
}
void stopAllWorkers() {
    std::lock_guard<std::mutex> lock(workersMutex());
    for (FrameImageWorker* worker : workers()) worker->stop();
}

}  // namespace

FrameImageWorker::FrameImageWorker() {
    std::lock_guard<std::mutex> lock(workersMutex());
    workers().insert(this);
}

FrameImageWorker::~FrameImageWorker() {
    stop();
    std::lock_guard<std::mutex> lock(workersMutex());
    workers().erase(this);
}

bool FrameImageWorker::start(std::vector<PressureMatrix> frames, const QString& folder) {
    // Registered after OpenCV's start-up, so it runs before OpenCV's exit clean-up.
    static const bool stopsAtExit = std::atexit(stopAllWorkers) == 0;
    (void)stopsAtExit;
    stop();
    stopRequested_ = false;
    finished_ = false;
    try {
        thread_ = std::thread(&FrameImageWorker::run, this, std::move(frames), folder);
    } catch (const std::system_error& error) {
        finished_ = true;
        std::printf("frame image worker not started: %s\r\n", error.what());
        return false;
    }
    return true;
}

void FrameImageWorker::stop() {
    stopRequested_ = true;
    if (thread_.joinable()) thread_.join();
}

void FrameImageWorker::run(std::vector<PressureMatrix> frames, QString folder) {
    for (std::size_t k = 2; k <= frames.size() && !stopRequested_; ++k) {
        if (!writeThumbnail(frames[k - 1], folder, static_cast<int>(k)))
            std::printf("Save image %s failed\n",
                        thumbnailPath(folder, static_cast<int>(k)).toUtf8().constData());
    }
    finished_ = true;
}
