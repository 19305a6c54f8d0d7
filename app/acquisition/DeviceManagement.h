// The device panel of the left column: runs the acquisition session (reception, recording),
// lists the plates the SDK has seen with their rate, frames received, missed and refused, and
// shows each plate's newest frame as the live picture (or the raw value table).
#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QMap>
#include <QPair>
#include <QString>
#include <QVariant>
#include <QWidget>
#include <vector>

#include "AcquisitionSession.h"
#include "ColorScale.h"
#include "ForcePlateFrame.h"
#include "PressureMatrix.h"
#include "RecordingFormat.h"

class QLabel;
class QTableWidget;
class libTavloWidget;
namespace Ui {
class DeviceManagement;
}

// Where the live frames are shown: the picture of every plate or, in table mode, the raw
// values of the newest frame.
struct LiveDisplay {
    libTavloWidget* picture = nullptr;
    QTableWidget* valueTable = nullptr;
    bool tableMode = false;
};

class DeviceManagement : public QWidget {
    Q_OBJECT
public:
    // Draws into display through scale; both must outlive the panel.
    DeviceManagement(const LiveDisplay& display, const ColorOfPressMap& scale,
                     QWidget* parent = nullptr);
    ~DeviceManagement() override;

    void setActive(bool active) { active_ = active; }
    bool isActive() const { return active_; }

    // (serial text, model text) of every plate added so far, in the order found.
    const QList<QPair<QString, QString>>& knownDevices() const { return knownDevices_; }
    // serial + "_ip", serial + "_port", serial + "_frequency" of every plate.
    const QMap<QString, QVariant>& deviceInfo() const { return deviceInfo_; }

    AcquisitionSession* session() const { return session_; }

    // Set by the recording controls before startRecording.
    void setRecordFilePath(const QString& path) { recordFilePath_ = path; }
    void setRecordFileTag(const QString& tag) { recordFileTag_ = tag; }
    void setRecordMeasureMode(int mode) { recordMeasureMode_ = mode; }
    // A fixed-time recording keeps each plate's frames that arrive within `seconds` of that
    // plate's first recorded frame, then ends with recordingComplete; 0 records until stopped.
    void setRecordingSeconds(int seconds) { recordingSeconds_ = seconds; }
    bool isRecording() const { return session_->isRecording(); }

    // Creates recordFilePath with its header and records every plate's frames from now on,
    // each plate into its own file. When the file cannot be created nothing is recorded; the
    // error says why. A file that cannot be written later stops the recording (whole frames
    // kept) and recordingFailed tells the recording controls why.
    RecordingError startRecording();
    // Writes every frame still queued, the files' rates and side files, and closes them; a
    // second call does nothing.
    RecordingError stopRecording();
    bool hasOpenRecording() const { return session_->isRecording(); }
    // Seconds since the first recorded frame arrived (monotonic); 0 before it.
    double recordedSeconds() const { return session_->recordedSeconds(); }
    // After a stop: how many frames each file of the recording lacks, empty when none.
    QString lossReport() const;

signals:
    // The plates found so far, (serial text, model text) in the order found, after each search.
    void devicesListed(const QList<QPair<QString, QString>>& devices);
    void recordingFailed(QString message);
    // Every plate of a fixed-time recording has its frames; the recording is still open.
    void recordingComplete();

public slots:
    void onNewForcePlateFrame(QString deviceName, const ForcePlateFrame_TypeDef& frame,
                              unsigned int frameRate);
    void onPB_refreshDevice_clicked();

private:
    void showInTable(const ForcePlateFrame_TypeDef& frame);
    // Once a second: each listed plate's frames received over the past second and its counts.
    void showFrameRates();
    void showAsPicture(unsigned int deviceId, const ForcePlateFrame_TypeDef& frame);

    Ui::DeviceManagement* ui_;
    AcquisitionSession* session_;
    QLabel* listenError_;
    LiveDisplay display_;
    const ColorOfPressMap& scale_;
    QList<QPair<QString, QString>> knownDevices_;
    QMap<QString, QVariant> deviceInfo_;
    int deviceCount_ = 0;
    bool active_ = true;
    int tableCounter_ = 0;
    QHash<QString, qint64> receivedAtLastRate_;  // per plate serial
    QElapsedTimer rateClock_;
    PressureMatrix displayMatrix_{};
    std::vector<int> pixelBuffer_;  // 500 x 500 x (red, green, blue), made at the first frame
    QString recordFilePath_;
    QString recordFileTag_;
    int recordMeasureMode_ = recording::kEyesOpen;
    int recordingSeconds_ = 0;
    std::vector<PlateRecordingSummary> lastRecording_;
};
