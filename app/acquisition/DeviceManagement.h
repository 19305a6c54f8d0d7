// The device panel of the left column: starts UDP reception and the acquisition thread, lists
// the plates the SDK has seen, and handles every live frame: frame rate, recording, and every
// few frames the live picture (or the raw value table).
#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QMap>
#include <QPair>
#include <QSet>
#include <QString>
#include <QVariant>
#include <QWidget>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

#include "ForcePlateFrame.h"
#include "PressureMatrix.h"
#include "RecordingFormat.h"

class forcePlateWriteReadThread;
class libTavloWidget;
class RecordingWriter;
namespace Ui {
class DeviceManagement;
}

class DeviceManagement : public QWidget {
    Q_OBJECT
public:
    explicit DeviceManagement(QWidget* parent = nullptr);
    ~DeviceManagement() override;

    void setActive(bool active) { active_ = active; }
    bool isActive() const { return active_; }

    // (serial text, model text) of every plate added so far, in the order found.
    const QList<QPair<QString, QString>>& knownDevices() const { return knownDevices_; }
    // serial + "_ip", serial + "_port", serial + "_frequency" of every plate.
    const QMap<QString, QVariant>& deviceInfo() const { return deviceInfo_; }

    // Set by the recording controls before startRecording.
    void setRecordFilePath(const QString& path) { recordFilePath_ = path; }
    void setRecordFileTag(const QString& tag) { recordFileTag_ = tag; }
    void setRecording(bool recording) { recording_ = recording; }
    // A fixed-time recording keeps each plate's frames that arrive within `seconds` of that
    // plate's first recorded frame, then ends with recordingComplete; 0 records until stopped.
    void setRecordingSeconds(int seconds) { recordingSeconds_ = seconds; }
    bool isRecording() const { return recording_; }

    // Opens recordFilePath and writes the header. When the file cannot be opened nothing is
    // written and the frames are not recorded; the error says why.
    RecordingError startRecording();
    // Appends one frame while recording and a file is open. Every record reaches the operating
    // system at once, so a crash of the program loses no frame. After a failed write (full
    // disk) the file keeps every earlier frame whole, the recording stops and closes, and
    // recordingFailed tells the recording controls why.
    // arrivalNs: when the acquisition thread handed the frame on (frameClock); -1 for now.
    RecordingError recordFrame(const QString& serial, const ForcePlateFrame_TypeDef& frame,
                               qint64 arrivalNs = -1);
    // Flushes and closes the file; a second call does nothing.
    RecordingError stopRecording();
    bool hasOpenRecording() const { return recordFile_ != nullptr; }
    // Seconds since the first recorded frame arrived (monotonic); 0 before it.
    double recordedSeconds() const;

signals:
    void recordingFailed(QString message);
    // Every plate of a fixed-time recording has its frames; the recording is still open.
    void recordingComplete();

public slots:
    void onNewForcePlateFrame(QString deviceName, const ForcePlateFrame_TypeDef& frame,
                              unsigned int frameRate);
    void onPB_refreshDevice_clicked();

private:
    std::uint16_t streamingFrameRate() const;
    // Whether a frame of `serial` arriving now still belongs to a fixed-time recording.
    bool withinRecordingTime(const QString& serial, qint64 arrivalNs);
    void showInTable(const ForcePlateFrame_TypeDef& frame);
    // Once a second: each listed plate's frames received over the past second, beside it.
    void showFrameRates();
    void showAsPicture(unsigned int deviceId, const ForcePlateFrame_TypeDef& frame);

    Ui::DeviceManagement* ui_;
    forcePlateWriteReadThread* acquisition_;
    libTavloWidget* camPlot_;
    QList<QPair<QString, QString>> knownDevices_;
    QMap<QString, QVariant> deviceInfo_;
    int deviceCount_ = 0;
    bool active_ = true;
    int displayCounter_ = 0;
    QHash<QString, int> framesSinceRateShown_;  // per plate serial
    QElapsedTimer rateClock_;
    PressureMatrix displayMatrix_{};
    std::vector<int> pixelBuffer_;  // 500 x 500 x (red, green, blue), made at the first frame
    QString recordFilePath_;
    QString recordFileTag_;
    bool recording_ = false;
    int recordingSeconds_ = 0;
    QHash<QString, qint64> plateFirstFrameNs_;  // of the running recording
    QSet<QString> platesDone_;                  // plates whose recording time has passed
    std::unique_ptr<RecordingWriter> recordFile_;
    QElapsedTimer lastDiskSync_;
    // Monotonic, from the panel's start. Frames are timed when the acquisition thread hands them
    // on, not when this thread gets to them: a busy moment here must not bend a recording time.
    QElapsedTimer frameClock_;
    std::mutex arrivalsMutex_;
    std::deque<qint64> arrivals_;  // of the frames handed on and not yet taken, in order
    qint64 recordingStartNs_ = 0;
    qint64 firstFrameNs_ = 0;  // when the first and the last written frame arrived
    qint64 lastFrameNs_ = 0;
};
