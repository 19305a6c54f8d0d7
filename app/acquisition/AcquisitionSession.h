// Reception of every plate outside the widgets: listens on the configured port and address,
// drains every plate's frame queue on its own thread, gives every frame to the recording and
// only the newest frame of each plate to the display, at most once per display interval. No
// queue between threads grows without bound: the display keeps one frame per plate and
// skips the rest; a plate's recording queue holds 4 s of frames and counts any overflow.
#pragma once

#include <QObject>
#include <QString>
#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "ForcePlateFrame.h"
#include "PlateRecording.h"
#include "RecordingFormat.h"

class QTimer;

struct ListenSettings {
    QString address;  // dotted IPv4; empty: every address
    int port = 10001;
};

// The key of the plates' port in Tessaly.ini.
constexpr const char* kListenPortKey = "acquisition/port";

// [acquisition] port= and address= of Tessaly.ini in the config folder; defaults where
// missing or invalid.
ListenSettings listenSettingsFromIni();

// One plate as the panel shows it. received: frames this session took from the plate;
// missed, refused: the library's counts since the plate was first seen.
struct PlateStatus {
    QString serial;
    QString address;
    int frameRate = 0;  // as the plate's frames report it
    qint64 received = 0;
    qint64 missed = 0;
    qint64 refused = 0;
    qint64 lastFrameNs = 0;  // CLOCK_MONOTONIC when its latest frame was received
};

struct RecordingRequest {
    QString path;  // with several plates each file gets "_<serial>" before its suffix
    QString tag;
    int measureMode = recording::kEyesOpen;
    double seconds = 0;  // per plate from its first frame; 0: until stopped
};

class AcquisitionSession : public QObject {
    Q_OBJECT
public:
    explicit AcquisitionSession(ListenSettings settings, QObject* parent = nullptr);
    // Stops the recording and the reader; the library keeps listening for the process.
    ~AcquisitionSession() override;

    // Listens and starts the reader thread. Returns an empty text, or why listening failed
    // (also kept as listenError()); the reader runs either way.
    QString start();
    QString listenError() const { return listenError_; }
    const ListenSettings& settings() const { return settings_; }

    // Every plate that sent a frame to this session, in the order first seen.
    std::vector<PlateStatus> plates() const;

    // Shortest time between two display frames of one plate (33 ms); with many plates it is
    // longer, so that at most 60 plate pictures are made a second.
    void setDisplayIntervalMs(int milliseconds);

    // Creates the recording file (one plate's, or the first one's until a second plate sends)
    // and records every frame from now on. Fails when the file cannot be created.
    RecordingError startRecording(const RecordingRequest& request);
    // Ends the recording: every queued frame is written, each file gets its final rate and side
    // file. Returns the first failure; summaries of every file when asked.
    RecordingError stopRecording(std::vector<PlateRecordingSummary>* summaries = nullptr);
    bool isRecording() const;
    bool hasRecordedFrames() const;
    // Seconds since the earliest first recorded frame of any plate (monotonic); 0 before.
    double recordedSeconds() const;

signals:
    // The newest frame of a plate, on the thread the session lives on.
    void newestFrame(QString serial, const ForcePlateFrame_TypeDef& frame, unsigned int rate);
    // A fixed-time recording has every plate's frames; the files are still open.
    void recordingComplete();
    // A file could not be written; its recording takes no more frames.
    void recordingFailed(QString message);

private:
    struct DisplaySlot {
        ForcePlateFrame_TypeDef frame;
        unsigned int rate = 0;
        bool fresh = false;
    };
    struct RecordedPlate {
        std::unique_ptr<PlateRecording> file;
        std::int64_t firstNs = -1;
        bool done = false;
        std::uint64_t foreignAtStart = 0;
    };

    void readLoop();
    void refreshPlates(std::vector<std::string>& serials);
    void takeFrame(const std::string& serial, const ForcePlateFrame_TypeDef& frame,
                   const LibPladex_FrameInfo& info);
    void record(const std::string& serial, const ForcePlateFrame_TypeDef& frame,
                const LibPladex_FrameInfo& info);
    RecordedPlate* recordedPlate(const std::string& serial);
    void showNewest();

    ListenSettings settings_;
    QString listenError_;
    std::thread reader_;
    std::atomic<bool> running_{false};
    QTimer* displayTimer_;
    int minimumDisplayIntervalMs_;

    mutable std::mutex statusMutex_;
    std::vector<PlateStatus> status_;

    std::mutex displayMutex_;
    std::map<std::string, std::unique_ptr<DisplaySlot>> display_;

    mutable std::mutex recordMutex_;
    bool recording_ = false;
    bool severalPlates_ = false;  // several plates were sending at the start
    bool completeSent_ = false;
    bool failureSent_ = false;
    RecordingRequest request_;
    std::unique_ptr<PlateRecording> unclaimed_;  // the first file, until a plate sends
    std::map<std::string, RecordedPlate> recorded_;
};
