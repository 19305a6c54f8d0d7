// Recording and playback bar below the central tabs.
#pragma once

#include <QWidget>

class timeLine : public QWidget {
    Q_OBJECT
public:
    explicit timeLine(QWidget* parent = nullptr) : QWidget(parent) { setObjectName("timeLine"); }

    // Shows or hides the playback controls (they make sense on the balance tab only).
    void setTimelineControlsVisible(bool visible) { controlsVisible_ = visible; }
    bool timelineControlsVisible() const { return controlsVisible_; }
    // Stops a running playback; nothing plays yet.
    void stopPlayback() {}

private:
    bool controlsVisible_ = true;
};
