// Recording and playback bar below the central tabs: the record button with the elapsed
// seconds, and the playback controls for the recording that the balance view has loaded.
#pragma once

#include <QString>
#include <QWidget>

class QTimer;
namespace Ui {
class timeLine;
}

class timeLine : public QWidget {
    Q_OBJECT
public:
    explicit timeLine(QWidget* parent = nullptr);
    ~timeLine() override;

    // Shows or hides the nine playback widgets (they make sense on the balance tab only).
    void setTimelineControlsVisible(bool visible);
    bool timelineControlsVisible() const { return controlsVisible_; }
    // Stops a running playback and shows the play icon again.
    void stopPlayback();
    // Forgets the loaded recording's position and length (before another file is loaded).
    void resetTimeline();
    // The balance view's recording has total frames: slider range 1..total and the total field.
    void setTotalFrames(int total);

    bool isPlaying() const { return playing_; }
    int currentFrame() const { return currentFrame_; }
    int totalFrames() const { return totalFrames_; }

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
    void goToFrame(int frame);
    void setRecordButtonIdle();
    void setMeasureChoicesEnabled(bool enabled);
    void refreshDataFileList();

    int recordingSeconds_ = 0;  // of the running recording; 0 for a free one
    int totalFrames_ = 0;
    int currentFrame_ = 0;
    Ui::timeLine* ui_;
    QTimer* recordTimer_;
    QTimer* playTimer_;
    bool playing_ = false;
    bool controlsVisible_ = true;
};
