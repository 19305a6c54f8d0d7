// Frame thumbnails of an analysed recording: "<folder>/<n>.jpg", 500 x 500, written by a worker
// thread that can be stopped, and drawn directly while a thumbnail is not there yet.
#pragma once

#include <QImage>
#include <QString>
#include <atomic>
#include <thread>
#include <vector>

#include "PressureMatrix.h"

constexpr int kThumbnailSide = 500;

// folder + "/" + frameNumber + ".jpg".
QString thumbnailPath(const QString& folder, int frameNumber);

// Writes the thumbnail of frame number frameNumber unless the file exists. The image is written
// under a temporary name and renamed, so a thumbnail on disk is always complete. False when it
// could not be written.
bool writeThumbnail(const PressureMatrix& frame, const QString& folder, int frameNumber);

// The frame rendered through the colour scale at side x side pixels.
QImage renderFrameImage(const PressureMatrix& frame, int side);

// Writes the thumbnails of frames 2..N (frame 1 is written by the loader) in its own thread,
// from its own copy of the frames.
class FrameImageWorker {
public:
    FrameImageWorker();
    FrameImageWorker(const FrameImageWorker&) = delete;
    FrameImageWorker& operator=(const FrameImageWorker&) = delete;
    ~FrameImageWorker();

    // Stops a running pass, then starts one over frames into folder. False when no thread
    // could be started (the view then draws every frame directly).
    bool start(std::vector<PressureMatrix> frames, const QString& folder);
    // Asks the pass to end after the thumbnail it is writing and waits for it.
    void stop();
    bool running() const { return !finished_.load(); }

private:
    void run(std::vector<PressureMatrix> frames, QString folder);

    std::thread thread_;
    std::atomic<bool> stopRequested_{false};
    std::atomic<bool> finished_{true};
};
