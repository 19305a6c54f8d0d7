// Recording and playback bar below the central tabs: the record button with the elapsed
// seconds, and the playback controls for the recording that the balance view has loaded.
// Playback runs in real time at the chosen speed (PlaybackClock), skipping frames when
// drawing cannot keep up.
#pragma once

#include <QElapsedTimer>
#include <QString>
#include <QWidget>

#include "PlaybackClock.h"

class DeviceManagement;
class ForcePlateStaticTest;
class QIntValidator;
class QTimer;
namespace Ui {
class timeLine;
}

class timeLine : public QWidget {
    Q_OBJECT
public:
    // Records through panel with the measurement choices of realTime; without them (null) the
    // bar only plays back.
    timeLine(DeviceManagement* panel, ForcePlateStaticTest* realTime, QWidget* parent = nullptr);
    ~timeLine() override;

    // Shows or hides the playback widgets (they make sense on the balance tab only).
    void setTimelineControlsVisible(bool visible);
    bool timelineControlsVisible() const { return controlsVisible_; }
    // Stops a running playback and shows the play icon again.
    void stopPlayback();
    // Forgets the loaded recording's position and length (before another file is loaded).
    void resetTimeline();
    // The balance view's recording has total frames at rate frames per second (as the analyses
    // read it): slider range 1..total, the total field and the time.
    void setTotalFrames(int total, double rate);
    // The balance view shows a recording of total frames at rate at frame: setTotalFrames, and
    // the slider (only) moves to frame; the bar keeps its own playback position.
    void followRecording(int total, double rate, int frame);
    // Playback runs only while allowed: while the balance view is on screen.
    void setPlaybackAllowed(bool allowed);

    bool isPlaying() const { return playing_; }
    int currentFrame() const { return currentFrame_; }
    int totalFrames() const { return totalFrames_; }
    // The chosen playback speed: 0.25, 0.5, 1 (the default), 2 or 4 times real time.
    double playbackSpeed() const;
    // Between frames of a playback: how often the clock is asked which frame is due.
    static constexpr int kPlaybackTickMs = 5;

signals:
    // Playback reached the last frame and stopped by itself.
    void playbackFinished();
    // The balance view should show frame number frame (1-based).
    void frameChosen(int frame);
    // A recording ended and its file is on disk.
    void recordingSaved();

public slots:
    void sloatActionRealDrawData();
    void displayTimeOnUI();
    void slotActionSetValue(int a);
    void playData();
    void slotActionPlayOrStop();
    void slotActionReduceFrame();
    void slotActionAddFrame();
    void slotActionOnSliderPressed();
    // The device panel could not write a frame: the recording ends with a message.
    void onRecordingFailed(const QString& message);

private:
    void startRecordingSequence();
    void stopRecordingSequence();
    void startPlayback();
    // Starts the clock again from the current frame (playback started, speed changed, frame
    // typed in).
    void restartPlaybackClock();
    void goToFrame(int frame);
    // The slider, the frame field and the time at frame.
    void showPlaybackPosition(int frame);
    void showPlaybackTime(int frame);
    void onFrameTyped();
    void setRecordButtonIdle();
    void setMeasureChoicesEnabled(bool enabled);

    int recordingSeconds_ = 0;  // of the running recording; 0 for a free one
    int totalFrames_ = 0;
    int currentFrame_ = 0;
    double frameRate_ = 200.0;
    DeviceManagement* panel_;
    ForcePlateStaticTest* realTime_;
    Ui::timeLine* ui_;
    QTimer* recordTimer_;
    QTimer* playTimer_;
    QIntValidator* frameValidator_;
    PlaybackClock playbackClock_;
    QElapsedTimer playbackElapsed_;
    bool playing_ = false;
    bool playbackAllowed_ = false;
    bool controlsVisible_ = true;
};
