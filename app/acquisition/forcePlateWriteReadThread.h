// Bridge between the plate SDK and the GUI thread: polls the SDK for every registered plate
// and emits each newly completed frame with the plate's serial text and frame rate.
#pragma once

#include <QString>
#include <QThread>
#include <atomic>
#include <chrono>
#include <mutex>
#include <vector>

#include "ForcePlateFrame.h"

class forcePlateWriteReadThread : public QThread {
    Q_OBJECT
public:
    explicit forcePlateWriteReadThread(QObject* parent = nullptr);
    // Stops the loop and waits for the thread.
    ~forcePlateWriteReadThread() override;

    // Registers a plate by its serial text (at most 64 bytes are copied). Any thread.
    void appendDevice(const char* serial, int length);

    // The loop runs while this is set; set it before start(), clear it to stop.
    void setRunning(bool running) { running_.store(running); }

    // Pause between two passes over the plates. The default keeps the added latency well under
    // a frame interval without keeping a processor busy.
    void setPassPause(std::chrono::microseconds pause) { passPause_.store(pause.count()); }

signals:
    void sigNewForcePlateFrame(QString deviceName, const ForcePlateFrame_TypeDef& frame,
                               unsigned int frameRate);

protected:
    void run() override;

private:
    struct DeviceEntry {
        int length = 0;
        char serial[65] = {};  // one byte more than copied, so the text always ends
    };

    bool deviceAt(std::size_t index, DeviceEntry& entry);
    void pollOnce(const DeviceEntry& device, ForcePlateFrame_TypeDef& frame);

    std::atomic<bool> running_{false};
    std::atomic<long long> passPause_{500};  // microseconds
    std::mutex devicesMutex_;
    std::vector<DeviceEntry> devices_;
};
