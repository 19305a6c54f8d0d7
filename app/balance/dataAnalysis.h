// Balance (centre-of-pressure) analysis page of the third central tab.
#pragma once

#include <QString>
#include <QWidget>
#include <memory>

#include "GlobalState.h"
#include "LoadedRecording.h"
#include "timeLine.h"

class dataAnalysis : public QWidget {
    Q_OBJECT
public:
    explicit dataAnalysis(QWidget* parent = nullptr) : QWidget(parent) {
        setObjectName("dataAnalysis");
    }

    // Takes the opened recording over (the previous one is deleted) and lets the playback bar
    // step through its frames; the analysis itself is still to come.
    void analyzeRecording(const QString& cacheFolder, LoadedRecording* record) {
        Q_UNUSED(cacheFolder);
        recording_.reset(record);
        if (globalState().timeLineView) globalState().timeLineView->setTotalFrames(frameCount());
    }
    int frameCount() const { return recording_ ? recording_->frameCount : 0; }
    // Shows frame number frame (1-based) of the recording; drawing it is still to come.
    void showFrame(int frame) { emit frameShown(frame); }

signals:
    void frameShown(int frame);

public slots:
    // Replays a recorded file; the data file browser asks for it.
    void slotActionPlayFile(QString path) { Q_UNUSED(path); }

private:
    std::unique_ptr<LoadedRecording> recording_;
};
